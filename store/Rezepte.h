#pragma once

#include <QString>
#include <QStringList>
#include <bitset>
#include <functional>
#include <vector>

namespace tk {

class IniFile;

struct Rezepteintrag {
    QString Titel;
    QString Autor;
    QString Datum;
    QString Menge;
    unsigned char Favorit = 0;
    unsigned char Geloescht = 0;
    std::bitset<100> InKategorie; // one bit per category number; a collection may hold half a million records
};

// Whether a record belongs on the recipe list of a category: every live recipe for 0 ("Alle");
// favourites and recipes carrying 14 for "Favoriten"; else the recipes carrying the category.
bool gehoertZuKategorie(const Rezepteintrag& r, int kategorie);

struct LoadOutcome {
    int liveCount = 0;
    bool oldFormat = false;
    bool failed = false; // the load ended early at failedLine
    int failedLine = -1; // line of the index file where it ended
};

// The loading algorithm on the lines of the index file. The table is resized to line 0 + 1,
// keeping existing records; a live record gets its strings, Favorit and flags overwritten, a deleted one
// only its Geloescht flag. progress(n) runs before record n is read; listed(n) for each record that
// belongs on the list of aktKategorie. A failure at record n leaves everything before n in place.
LoadOutcome loadRezepte(const QStringList& indexLines, std::vector<Rezepteintrag>& rezepte, int& rezeptMax,
    const IniFile* favoriten, int aktKategorie, const std::function<void(int)>& progress,
    const std::function<void(int)>& listed);

} // namespace tk
