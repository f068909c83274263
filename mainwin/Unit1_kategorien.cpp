// Category editor: handlers of the main window.
#include "mainwin/Unit1.h"

#include "store/AppState.h"

namespace tk {

void TForm1::Bearbeiten3Click() { }

} // namespace tk
