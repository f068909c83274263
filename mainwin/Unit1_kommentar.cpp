// Comment window and picture viewer: handlers of the main window.
#include "mainwin/Unit1.h"

#include "store/AppState.h"

namespace tk {

void TForm1::Image6Click() { }
void TForm1::Image7Click() { }

} // namespace tk
