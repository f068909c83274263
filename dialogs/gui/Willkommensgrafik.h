#pragma once

#include <QImage>
#include <QPixmap>

namespace tk {

// Artwork of the welcome and about windows, drawn in code.
QPixmap willkommensHintergrund(); // 499 x 399
// The arrows as shipped in Data/Grafiken: magenta marks the see-through parts.
QImage pfeilBild(bool hoch, bool gedrueckt); // up 75 x 83, down 81 x 74
QPixmap infoBild(); // 313 x 209

// A bitmap whose bottom-left pixel colour is see-through, as transparent pictures are drawn.
QPixmap durchsichtig(const QImage& image);

} // namespace tk
