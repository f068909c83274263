// Search entry points: handlers of the main window.
#include "mainwin/gui/Hauptfenster.h"

#include <QLineEdit>

#include "search/gui/Suchfenster.h"
#include "store/AppState.h"

namespace tk {

void Hauptfenster::suchfensterZeigen() { m_fenster.suchfenster->zeigen(); }

void Hauptfenster::suchfensterAnschliessen(Suchfenster& suche) { suche.setErgebnisliste(m_suchergebnisse); }

void Hauptfenster::schnellsucheEnter()
{
    // While the export panel is up, its default button "Weiter" takes the Enter key.
    if (m_exportleiste && !m_exportleiste->isHidden()) {
        exportWeiter();
        return;
    }
    m_fenster.suchfenster->schnellsuche(m_schnellsuche->text());
}

void Hauptfenster::schnellsuche() { m_fenster.suchfenster->schnellsuche(m_schnellsuche->text()); }

// One handler for the four items of the "Suchen" menu (1 to 4); the item picks the mode.
void Hauptfenster::suchfensterMitModus(int eintrag)
{
    // The menu lists the title search first; the search window numbers the full text search first.
    static constexpr int modus[] = { 0, 2, 1, 3, 4 };
    Suchfenster* f = m_fenster.suchfenster;
    if (eintrag >= 1 && eintrag <= 4)
        f->waehleModus(modus[eintrag]);
    f->zeigen();
}

} // namespace tk
