// Entry points of the recipe editor: handlers of the main window.
#include "mainwin/Unit1.h"

#include "store/AppState.h"

namespace tk {

void TForm1::Neueserstellen1Click() { }
void TForm1::Bearbeiten1Click() { }

} // namespace tk
