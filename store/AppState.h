#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <memory>
#include <random>
#include <vector>

#include "platform/IniFile.h"
#include "store/Kategorien.h"
#include "store/Rezepte.h"
#include "store/Sammlung.h"

namespace tk {

// The program-wide state, owned by the application and handed to every window. Names follow
// the windows that use them.
struct AppState {
    QString programDir; // root of every path

    // Recipe table and loader state.
    std::vector<Rezepteintrag> Rezepte;
    int RezeptMax = -1;
    int RezeptAnzahl = 0;
    int AktRezept = 0;
    int AktKategorie = 0;
    bool ListeWirdGefuellt = false;
    quint64 Generation = 0; // counts loads: what was derived from the table before is stale

    // Category tabs (KatNamen, TabKategorie, KategorieTab, LetzterTab).
    KategorieTabellen kat;

    // Open INI files.
    std::unique_ptr<IniFile> LayoutIni;
    std::unique_ptr<IniFile> FavoritenIni;
    std::unique_ptr<IniFile> EinstellungenIni;

    // Settings.
    QString AutorVorgabe;
    int Schriftgroesse = 10;
    int Farbton = 0;
    bool NormaleFarbe = true;

    // Random recipe; seeded from the clock when the main window is created.
    std::mt19937 rng;

    // Picture chosen in the editor since it was last opened.
    QString BildDatei;

    // The recipe whose file the view shows (AktRezept can move away from it by a right click).
    int AngezeigtesRezept = -1;

    // The collection's one writer; windows subscribe to its signals.
    Sammlung sammlung { *this };

    // The comment text the comment window holds for recipe n, typed but not yet saved; none when it
    // does not show n. Set by whoever creates the windows.
    std::function<std::optional<QStringList>(int n)> offenerKommentar;

    QString path(const QString& relative) const { return programDir + u'/' + relative; }
};

} // namespace tk
