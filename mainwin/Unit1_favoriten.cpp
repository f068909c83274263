// Favourites, random recipe and deletion: handlers of the main window.
#include "mainwin/Unit1.h"

#include "store/AppState.h"

namespace tk {

void TForm1::ZudenFavoriten1Click() { }
void TForm1::Zufallsrezept1Click() { }
void TForm1::Lschen1Click() { }

} // namespace tk
