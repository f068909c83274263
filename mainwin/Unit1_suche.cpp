// Search entry points: handlers of the main window.
#include "mainwin/Unit1.h"

#include "store/AppState.h"

namespace tk {

void TForm1::Image3Click() { }
void TForm1::Edit1KeyDown() { }
void TForm1::Label11Click() { }
void TForm1::indenWochenthemen1Click(int) { }

} // namespace tk
