#pragma once

class QWidget;

namespace tk {

// Places a window centred on another (or on the screen when there is none).
void centreOn(QWidget* window, const QWidget* over);
void centreOnScreen(QWidget* window);

} // namespace tk
