#pragma once

#include <QIcon>
#include <QPixmap>

namespace tk {

enum class ToolbarState { Normal, Over, Down };

// The program's pictures, drawn in code so they stay sharp and need no files.
QPixmap toolbarPicture(int tag, ToolbarState state); // 30 x 30, tags 1..5
QIcon categoryIcon(int category); // 16 x 16, standard categories 0..14
QPixmap pictureIcon(); // 24 x 24, "recipe has a picture"
QPixmap commentIcon(); // 24 x 24
QPixmap messageIcon(); // 25 x 53, the message window's icon

} // namespace tk
