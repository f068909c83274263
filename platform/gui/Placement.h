#pragma once

class QWidget;

namespace tk {

// Places a window centred on another (or on the screen when there is none).
void centreOn(QWidget* window, const QWidget* over);
void centreOnScreen(QWidget* window);
// Shows a window on top and active; centred on `over` when it is not up yet, else where it stands.
void bringToFront(QWidget* window, const QWidget* over);

} // namespace tk
