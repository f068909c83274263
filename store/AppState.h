#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <memory>
#include <random>

#include "platform/IniFile.h"
#include "store/Kategorien.h"
#include "store/Rezepte.h"
#include "store/Sammlung.h"

namespace tk {

// The program-wide state, owned by the application and handed to every window: the settings, the
// view's state and the collection, which alone writes the recipe table and the favourites.
struct AppState {
    QString programDir; // root of every path

    // The view's state.
    int aktuellesRezept = 0;
    int aktuelleKategorie = 0;
    bool listeWirdGefuellt = false;

    // Category tabs: names, and the maps between tab positions and category numbers.
    KategorieTabellen kategorien;

    // Open INI files.
    std::unique_ptr<IniFile> layoutIni;
    std::unique_ptr<IniFile> einstellungenIni;

    // Settings.
    QString autorVorgabe;
    int schriftgroesse = 10;
    int farbton = 0;
    bool normaleFarbe = true;

    // Random recipe; seeded from the clock when the main window is created.
    std::mt19937 rng;

    // The recipe whose file the view shows (aktuellesRezept can move away from it by a right click).
    int angezeigtesRezept = -1;

    // The collection's one writer; windows subscribe to its signals.
    Sammlung sammlung { programDir };

    // The comment text the comment window holds for recipe n, typed but not yet saved; none when it
    // does not show n. Set by whoever creates the windows.
    std::function<std::optional<QStringList>(int n)> offenerKommentar;

    QString path(const QString& relative) const { return programDir + u'/' + relative; }
};

} // namespace tk
