// Export panel and package import: handlers of the main window.
#include "mainwin/Unit1.h"

#include "store/AppState.h"

namespace tk {

void TForm1::buildPanel7() { }
void TForm1::Button1Click() { }
void TForm1::Button2Click() { }
void TForm1::Button3Click() { }
void TForm1::Button4Click() { }
void TForm1::Rezeptexportieren1Click() { }
void TForm1::Installieren2Click() { }

} // namespace tk
