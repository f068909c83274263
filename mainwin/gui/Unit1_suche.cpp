// Search entry points: handlers of the main window.
#include "mainwin/gui/Unit1.h"

#include <QLineEdit>

#include "search/gui/Unit2.h"
#include "store/AppState.h"

namespace tk {

void TForm1::Image3Click() { forms.Form2->zeigen(); }

void TForm1::suchfensterAnschliessen(TForm2& suche) { suche.setErgebnisliste(suchergebnisse); }

void TForm1::Edit1KeyDown()
{
    // While the export panel is up, its default button "Weiter" takes the Enter key.
    if (Panel7 && !Panel7->isHidden()) {
        Button2Click();
        return;
    }
    forms.Form2->Schnellsuche(Edit1->text());
}

void TForm1::Label11Click() { forms.Form2->Schnellsuche(Edit1->text()); }

// One handler for the four items of the "Suchen" menu; the item's Tag picks the mode.
void TForm1::indenWochenthemen1Click(int tag)
{
    // The menu lists the title search first; the search window numbers the full text search first.
    static constexpr int modus[] = { 0, 2, 1, 3, 4 };
    TForm2* f = forms.Form2;
    if (tag >= 1 && tag <= 4)
        f->waehleModus(modus[tag]);
    f->zeigen();
}

} // namespace tk
