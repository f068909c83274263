#include "app/Startup.h"

#include <QPointer>

#include "dialogs/gui/Willkommensfenster.h"
#include "dialogs/gui/Infofenster.h"
#include "editing/gui/Bildfenster.h"
#include "editing/gui/Kommentarfenster.h"
#include "editing/gui/Kategorieneditor.h"
#include "editing/gui/Rezepteditor.h"
#include "exchange/gui/Paketexportfenster.h"
#include "exchange/gui/RezKonvExportfenster.h"
#include "exchange/gui/Paketimportfenster.h"
#include "mainwin/gui/Meldungsfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "search/gui/Suchfenster.h"
#include "settings/gui/Einstellungsfenster.h"
#include "store/AppState.h"
#include "mainwin/gui/Aktualisierungsfenster.h"
#include "mainwin/gui/Ladefenster.h"

namespace tk {

Windows::~Windows()
{
    if (m_state)
        m_state->offenerKommentar = nullptr;
    // Every window is top-level; delete in reverse order of creation.
    delete forms.kategorieneditor;
    delete forms.rezKonvExportfenster;
    delete forms.kommentarfenster;
    delete forms.bildfenster;
    delete forms.paketexportfenster;
    delete forms.rezepteditor;
    delete forms.infofenster;
    delete forms.ladefenster;
    delete forms.aktualisierungsfenster;
    delete forms.paketimportfenster;
    delete forms.willkommensfenster;
    delete forms.einstellungsfenster;
    delete forms.suchfenster;
    delete forms.meldungsfenster;
    delete forms.hauptfenster;
}

std::unique_ptr<Windows> createWindows(AppState& st)
{
    auto w = std::make_unique<Windows>();
    w->m_state = &st;
    Fensterregister& f = w->forms;
    // What a crashed copy left half-way is finished or discarded before anything reads the collection.
    st.sammlung.aufraeumen();
    f.hauptfenster = new Hauptfenster(st, f);
    // What a synchronisation tool set aside while both computers saved is merged before the first load.
    st.sammlung.uebernimmKonfliktkopien();
    f.meldungsfenster = new Meldungsfenster(st);
    f.suchfenster = new Suchfenster(st);
    f.hauptfenster->suchfensterAnschliessen(*f.suchfenster);
    f.einstellungsfenster = new Einstellungsfenster(st);
    f.willkommensfenster = new Willkommensfenster(st, f.hauptfenster, f.einstellungsfenster, f.suchfenster);
    f.paketimportfenster = new Paketimportfenster(st);
    f.aktualisierungsfenster = new Aktualisierungsfenster(st, f);
    f.ladefenster = new Ladefenster(st, f);
    f.ladefenster->rezepteLaden();
    f.infofenster = new Infofenster(st);
    f.rezepteditor = new Rezepteditor(st);
    f.paketexportfenster = new Paketexportfenster(st);
    f.hauptfenster->exportfensterAnschliessen(*f.paketexportfenster);
    f.bildfenster = new Bildfenster(st);
    f.kommentarfenster = new Kommentarfenster(st);
    // The comment window follows the recipe on show and holds what the user typed for it.
    Hauptfenster* haupt = f.hauptfenster;
    Kommentarfenster* kommentar = f.kommentarfenster;
    QObject::connect(haupt, &Hauptfenster::kommentarGeaendert, kommentar,
        [haupt, kommentar] { kommentar->setKommentarZeilen(haupt->rezeptKommentar); });
    kommentar->setKommentarZeilen(haupt->rezeptKommentar);
    st.offenerKommentar
        = [&st, kommentar = QPointer<Kommentarfenster>(kommentar)](int n) -> std::optional<QStringList> {
        if (!kommentar || n != st.angezeigtesRezept)
            return std::nullopt;
        return kommentar->kommentarZeilen();
    };
    f.rezKonvExportfenster = new RezKonvExportfenster(st);
    f.kategorieneditor = new Kategorieneditor(st);
    return w;
}

} // namespace tk
