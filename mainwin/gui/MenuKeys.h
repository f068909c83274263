#pragma once

class QWidget;

namespace tk {

// A text field keeps its own key bindings (Ctrl+A selects all, Ctrl+E goes to the line end, Ctrl+U
// clears the line, …) only for keys no menu item of the window has: the menu's shortcuts win.
void menuKeysFirst(QWidget* field, QWidget* window);

} // namespace tk
