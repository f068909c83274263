// Outputs of the recipe on show: handlers of the main window.
#include "mainwin/Unit1.h"

#include "store/AppState.h"

namespace tk {

void TForm1::Image4Click() { }
void TForm1::alsTextdatei1Click() { }
void TForm1::AlsRTFDatei1Click() { }
void TForm1::indieZwischenablage1Click() { }
void TForm1::Sicherung1Click() { }
void TForm1::Rezeptexportieren2Click() { }
void TForm1::Rezeptimportieren2Click() { }

} // namespace tk
