// Cook mode: the handlers of the main window.
#include "mainwin/gui/Hauptfenster.h"

#include "exchange/Ausgabe.h"
#include "exchange/Mengen.h"
#include "exchange/gui/Umrechnungsfenster.h"
#include "kochen/gui/Kochmodusfenster.h"
#include "settings/gui/Farbschema.h"
#include "store/AppState.h"

namespace tk {

void Hauptfenster::kochmodus(int n)
{
    RezeptAnsicht a;
    if (!rezeptLesen(n, a))
        return;
    // The converter's number when it is open for this recipe.
    double portionen = 0;
    if (m_fenster.umrechnungsfenster.gemacht() && m_fenster.umrechnungsfenster->isVisible()) {
        const Umrechnungsfenster* umrechnen = m_fenster.umrechnungsfenster;
        const RezeptAnsicht u = umrechnen->umgerechnet();
        if (u.titel == a.titel && u.zeilen == a.zeilen)
            portionen = lesePortionen(u.menge).anzahl;
    }
    Kochmodusfenster* w = m_fenster.kochmodusfenster;
    w->setDarstellung(st.schriftgroesse, st.normaleFarbe ? normalesSchema() : farbtonSchema(st.farbton));
    w->zeige(a, portionen);
}

// "Rezept" > "Kochmodus": the recipe on show.
void Hauptfenster::kochmodusOeffnen() { kochmodus(st.angezeigtesRezept); }

// The list's pop-up menu: the recipe under the mouse.
void Hauptfenster::markiertesKochen() { kochmodus(st.aktuellesRezept); }

} // namespace tk
