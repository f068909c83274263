#include "app/Fensterregister.h"

#include <QWidget>

#include "dialogs/gui/Infofenster.h"
#include "dialogs/gui/Willkommensfenster.h"
#include "editing/gui/Bildfenster.h"
#include "editing/gui/Kategorieneditor.h"
#include "editing/gui/Kommentarfenster.h"
#include "editing/gui/Rezepteditor.h"
#include "exchange/WebRezept.h"
#include "exchange/gui/Einkaufslistenfenster.h"
#include "exchange/gui/Paketexportfenster.h"
#include "exchange/gui/Paketimportfenster.h"
#include "exchange/gui/RezKonvExportfenster.h"
#include "exchange/gui/RezKonvImportfenster.h"
#include "exchange/gui/Umrechnungsfenster.h"
#include "exchange/gui/WebRezeptfenster.h"
#include "kochen/gui/Kochmodusfenster.h"
#include "mainwin/gui/Aktualisierungsfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "mainwin/gui/Ladefenster.h"
#include "mainwin/gui/Meldungsfenster.h"
#include "planung/gui/Wochenplanfenster.h"
#include "platform/gui/Modal.h"
#include "search/gui/Suchfenster.h"
#include "settings/gui/Einstellungsfenster.h"
#include "store/AppState.h"

namespace tk {

template <class T, class Machen> void Fensterregister::bereitstellen(Fenster<T>& f, Machen machen)
{
    f.m_machen = [this, machen]() -> T* {
        if (m_abbau)
            return nullptr;
        T* w = machen();
        m_gemacht.push_back(w);
        return w;
    };
}

Fensterregister::Fensterregister(AppState& state)
    : st(state)
{
    bereitstellen(hauptfenster, [this] { return new Hauptfenster(st, *this); });
    bereitstellen(meldungsfenster, [this] { return new Meldungsfenster(st); });
    bereitstellen(suchfenster, [this] {
        auto* w = new Suchfenster(st);
        hauptfenster->suchfensterAnschliessen(*w); // the hits go into the main window's result list
        return w;
    });
    bereitstellen(einstellungsfenster, [this] { return new Einstellungsfenster(st); });
    bereitstellen(willkommensfenster,
        [this] { return new Willkommensfenster(st, hauptfenster, einstellungsfenster, suchfenster); });
    bereitstellen(ladefenster, [this] {
        auto* w = new Ladefenster(st, hauptfenster);
        QObject::connect(w, &Ladefenster::altesFormat, hauptfenster.get(),
            [this] { hauptfenster->datenbankAktualisieren(); });
        return w;
    });
    bereitstellen(aktualisierungsfenster, [this] {
        auto* w = new Aktualisierungsfenster(st);
        QObject::connect(
            w, &Aktualisierungsfenster::aktualisiert, w, [this] { ladefenster->rezepteLaden(); });
        return w;
    });
    bereitstellen(paketimportfenster, [this] { return new Paketimportfenster(st); });
    bereitstellen(paketexportfenster, [this] {
        auto* w = new Paketexportfenster(st);
        hauptfenster->exportfensterAnschliessen(*w); // it packs the main window's export list
        return w;
    });
    bereitstellen(infofenster, [this] { return new Infofenster(st); });
    bereitstellen(rezepteditor, [this] { return new Rezepteditor(st); });
    bereitstellen(bildfenster, [this] { return new Bildfenster(st); });
    bereitstellen(kommentarfenster, [this] {
        // The comment window follows the recipe on show and holds what the user typed for it.
        Hauptfenster* haupt = hauptfenster;
        auto* w = new Kommentarfenster(st);
        QObject::connect(haupt, &Hauptfenster::kommentarGeaendert, w,
            [haupt, w] { w->setKommentarZeilen(haupt->rezeptKommentar); });
        w->setKommentarZeilen(haupt->rezeptKommentar);
        return w;
    });
    st.offenerKommentar = [this](int n) -> std::optional<QStringList> {
        if (!kommentarfenster.gemacht() || n != st.angezeigtesRezept)
            return std::nullopt;
        return kommentarfenster->kommentarZeilen();
    };
    bereitstellen(rezKonvExportfenster, [this] { return new RezKonvExportfenster(st); });
    bereitstellen(kategorieneditor, [this] { return new Kategorieneditor(st); });

    // The newer windows belong to the main window, which they stay above.
    bereitstellen(webRezeptfenster, [this] {
        Hauptfenster* haupt = hauptfenster;
        auto* w = new WebRezeptfenster(st, haupt);
        // What the page gave goes into the editor as a new recipe, for the user to check and save.
        QObject::connect(w, &WebRezeptfenster::rezeptGelesen, haupt,
            [haupt](const RezeptVorgabe& v) { guarded(haupt, [&] { haupt->neuesRezeptAus(v); }); });
        return w;
    });
    bereitstellen(rezKonvImportfenster, [this] { return new RezKonvImportfenster(st, hauptfenster); });
    bereitstellen(
        einkaufslistenfenster, [this] { return new Einkaufslistenfenster(st.programDir, hauptfenster); });
    bereitstellen(umrechnungsfenster, [this] {
        Hauptfenster* haupt = hauptfenster;
        auto* w = new Umrechnungsfenster(haupt);
        QObject::connect(w, &Umrechnungsfenster::aufEinkaufsliste, haupt,
            [haupt](const QStringList& zutaten, const QString& titel) {
                guarded(haupt, [&] { haupt->zutatenAufEinkaufsliste(zutaten, titel); });
            });
        return w;
    });
    bereitstellen(wochenplanfenster, [this] {
        Hauptfenster* haupt = hauptfenster;
        auto* w = new Wochenplanfenster(st, haupt);
        haupt->wochenplanAnschliessen(
            *w); // it shows recipes and fills the shopping list through the main window
        return w;
    });
    bereitstellen(kochmodusfenster, [this] { return new Kochmodusfenster(st.programDir, hauptfenster); });
}

Fensterregister::~Fensterregister()
{
    m_abbau = true;
    st.offenerKommentar = nullptr;
    // Every window is top-level, or a child of the main window made after it: the reverse order of
    // making deletes children before their parent.
    for (auto it = m_gemacht.rbegin(); it != m_gemacht.rend(); ++it)
        delete *it;
}

} // namespace tk
