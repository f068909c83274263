#include "app/Programmstart.h"

#include "dialogs/gui/Willkommensfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "mainwin/gui/Ladefenster.h"
#include "mainwin/gui/Meldungsfenster.h"
#include "search/gui/Suchfenster.h"
#include "settings/Einstellungen.h"
#include "settings/gui/Einstellungsfenster.h"
#include "store/AppState.h"

namespace tk {

std::unique_ptr<Fensterregister> programmStarten(AppState& st)
{
    // What a crashed copy left half-way is finished or discarded before anything reads the collection.
    st.sammlung.aufraeumen();
    auto fenster = std::make_unique<Fensterregister>(st);
    fenster->hauptfenster.get();
    // What a synchronisation tool set aside while both computers saved is merged before the first load.
    st.sammlung.uebernimmKonfliktkopien();
    fenster->meldungsfenster.get();
    fenster->suchfenster.get();
    // The settings before any window is shown: the main window takes their fonts and colours.
    Einstellungen::lesen(st);
    fenster->einstellungsfenster->einstellungenAnwenden();
    fenster->willkommensfenster.get();
    fenster->ladefenster->rezepteLaden();
    return fenster;
}

} // namespace tk
