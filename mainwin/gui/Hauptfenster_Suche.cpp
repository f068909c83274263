// Search entry points: handlers of the main window.
#include "mainwin/gui/Hauptfenster.h"

#include <QLineEdit>

#include "search/gui/Suchfenster.h"
#include "store/AppState.h"

namespace tk {

void Hauptfenster::Image3Click() { forms.suchfenster->zeigen(); }

void Hauptfenster::suchfensterAnschliessen(Suchfenster& suche) { suche.setErgebnisliste(suchergebnisse); }

void Hauptfenster::Edit1KeyDown()
{
    // While the export panel is up, its default button "Weiter" takes the Enter key.
    if (Panel7 && !Panel7->isHidden()) {
        Button2Click();
        return;
    }
    forms.suchfenster->schnellsuche(Edit1->text());
}

void Hauptfenster::Label11Click() { forms.suchfenster->schnellsuche(Edit1->text()); }

// One handler for the four items of the "Suchen" menu; the item's Tag picks the mode.
void Hauptfenster::indenWochenthemen1Click(int tag)
{
    // The menu lists the title search first; the search window numbers the full text search first.
    static constexpr int modus[] = { 0, 2, 1, 3, 4 };
    Suchfenster* f = forms.suchfenster;
    if (tag >= 1 && tag <= 4)
        f->waehleModus(modus[tag]);
    f->zeigen();
}

} // namespace tk
