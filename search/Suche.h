#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "store/Rezepte.h"

namespace tk {

// The four search modes, in the order of the search window's radio buttons.
enum class SuchModus { Volltext, Titel, Zutaten, Autor };

// "*" + word + "*": the word as typed, found anywhere in the compared text.
QString suchMaske(const QString& wort);

// The text of the summary box for a finished search.
QString suchZusammenfassung(int treffer);

// One search pass over the recipes 0..rezeptMax, skipping deleted ones. progress(n) runs for every live
// recipe before it is decided. Hits are appended to `treffer` in number order as they are found, so on a
// failure (tk::Error: an invalid mask at the first comparison, an unreadable or broken recipe file) the
// hits so far are still there. No file is written.
void sucheRezepte(const std::vector<Rezepteintrag>& rezepte, int rezeptMax, const QString& programDir,
    SuchModus modus, const QString& wort, std::vector<int>& treffer,
    const std::function<void(int)>& progress = {});

} // namespace tk
