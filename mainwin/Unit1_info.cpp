// Settings, welcome, help and about: handlers of the main window.
#include "mainwin/Unit1.h"

#include "store/AppState.h"

namespace tk {

void TForm1::Image5Click() { }
void TForm1::Willkommen1Click() { }
void TForm1::Hilfe1Click() { }
void TForm1::Webseite1Click() { }
void TForm1::ber1Click() { }
void TForm1::Installieren1Click() { }

} // namespace tk
