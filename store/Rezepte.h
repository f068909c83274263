#pragma once

#include <QString>
#include <QStringList>
#include <bitset>
#include <functional>
#include <vector>

namespace tk {

class IniFile;

struct Rezepteintrag {
    QString titel;
    QString autor;
    QString datum;
    QString menge;
    unsigned char favorit = 0;
    unsigned char geloescht = 0;
    std::bitset<100> inKategorie; // one bit per category number; a collection may hold half a million records
};

// Whether a record belongs on the recipe list of a category: every live recipe for 0 ("Alle");
// favourites and recipes carrying 14 for "Favoriten"; else the recipes carrying the category.
bool gehoertZuKategorie(const Rezepteintrag& r, int kategorie);

struct Ladeergebnis {
    int lebend = 0;
    bool altesFormat = false;
    bool abgebrochen = false; // the load ended early at abbruchZeile
    int abbruchZeile = -1; // line of the index file where it ended
};

// The loading algorithm on the lines of the index file. The table is resized to line 0 + 1,
// keeping existing records; a live record gets its strings, favorit and flags overwritten, a deleted one
// only its geloescht flag. progress(n) runs before record n is read; listed(n) for each record that
// belongs on the list of aktKategorie. A failure at record n leaves everything before n in place.
Ladeergebnis ladeTabelle(const QStringList& indexLines, std::vector<Rezepteintrag>& rezepte, int& rezeptMax,
    const IniFile* favoriten, int aktKategorie, const std::function<void(int)>& progress,
    const std::function<void(int)>& listed);

} // namespace tk
