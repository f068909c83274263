#pragma once

#include <QColor>

class QSplitter;
class QWidget;

namespace tk {

// The three colours of a scheme: panels, lists and fields, text.
struct Farbschema {
    QColor panel;
    QColor feld;
    QColor text;
};

Farbschema farbtonSchema(int farbton); // the three shades of a hue
Farbschema normalesSchema(); // the desktop's button face, window background and window text

// Small helpers shared by the windows of this subsystem.
void setzeHintergrund(QWidget* w, const QColor& c);
void setzeTextfarbe(QWidget* w, const QColor& c);
void setzeSchriftgroesse(QWidget* w, int size);
void setzeFeldhintergrund(QWidget* w, const QColor& c); // lists and fields paint Base on their viewport
void faerbeTeiler(QSplitter* s, const QColor& c);

} // namespace tk
