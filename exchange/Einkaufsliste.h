#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "exchange/Ausgabe.h"

namespace tk {

// One line of the shopping list.
struct Einkauf {
    bool erledigt = false; // ticked: bought
    QString menge; // the amount with its unit ("500 g", "ca. 2-3", ""), as the user may have changed it
    QString zutat; // the rest of the ingredient line
    QStringList rezepte; // titles of the recipes it came from

    QString zeile() const; // "500 g Mehl"
};

// The shopping list: ingredient lines of several recipes, alike ones added up.
class Einkaufsliste {
public:
    QList<Einkauf> eintraege;

    // Adds the ingredient lines of a recipe. Headings and empty lines are left out; a line joins an
    // open line of the same ingredient (name compared case-blind, blanks and plural endings folded)
    // in the same or a convertible unit, a line without amount one with the same text; anything
    // else becomes a line of its own. Ticked lines take nothing more: what was bought stays bought.
    void hinzufuegen(const QStringList& zeilen, const QString& rezept);
    void erledigteEntfernen();

    // The file: one line per entry, "1" (bought) or "0", then amount, ingredient and the recipe
    // titles, each field after a "|" ("0|500 g|Mehl|Käsespätzle|Brot"). A "|" in a text becomes "/".
    static Einkaufsliste ausDatei(const QStringList& zeilen);
    QStringList dateizeilen() const;

    // For the clipboard, the text file and the printout: "[ ] 500 g Mehl", "[x] 2 Eier".
    QStringList textzeilen() const;
};

QString einkaufslistePfad(const QString& programDir); // Data/Sonstiges/einkaufsliste.dat

// A missing file is an empty list; an unreadable one throws tk::Error.
Einkaufsliste ladeEinkaufsliste(const QString& programDir);
// Writes the whole list atomically (Windows-1252, CR LF); throws tk::Error.
void speichereEinkaufsliste(const QString& programDir, const Einkaufsliste& liste);

// The printout: the heading and one line per entry, continuing on further pages.
QList<DruckText> EinkaufslisteDruck(const Einkaufsliste& liste, int seitenBreite, int seitenHoehe);

} // namespace tk
