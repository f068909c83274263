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
    std::vector<Rezepteintrag> rezepte;
    int rezeptMax = -1;
    int rezeptAnzahl = 0;
    int aktuellesRezept = 0;
    int aktuelleKategorie = 0;
    bool listeWirdGefuellt = false;
    quint64 generation = 0; // counts loads: what was derived from the table before is stale

    // Category tabs: names, and the maps between tab positions and category numbers.
    KategorieTabellen kategorien;

    // Open INI files.
    std::unique_ptr<IniFile> layoutIni;
    std::unique_ptr<IniFile> favoritenIni;
    std::unique_ptr<IniFile> einstellungenIni;

    // Settings.
    QString autorVorgabe;
    int schriftgroesse = 10;
    int farbton = 0;
    bool normaleFarbe = true;

    // Random recipe; seeded from the clock when the main window is created.
    std::mt19937 rng;

    // Picture chosen in the editor since it was last opened.
    QString bildDatei;

    // The recipe whose file the view shows (aktuellesRezept can move away from it by a right click).
    int angezeigtesRezept = -1;

    // The collection's one writer; windows subscribe to its signals.
    Sammlung sammlung { *this };

    // The comment text the comment window holds for recipe n, typed but not yet saved; none when it
    // does not show n. Set by whoever creates the windows.
    std::function<std::optional<QStringList>(int n)> offenerKommentar;

    QString path(const QString& relative) const { return programDir + u'/' + relative; }
};

} // namespace tk
