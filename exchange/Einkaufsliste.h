#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "exchange/Ausgabe.h"

namespace tk {

// One line of the shopping list.
struct Einkauf {
    bool erledigt = false; // ticked: bought
    QString menge; // the amount with its unit ("500 g", "ca. 2-3", ""), as the user may have changed it
    QString zutat; // the rest of the ingredient line
    QStringList rezepte; // titles of the recipes it came from

    QString zeile() const; // "500 g Mehl"
    // An amount changed by hand; the noun follows it ("3 Zwiebeln" set to "1": "1 Zwiebel").
    void setzeMenge(const QString& neu);
};

// The shopping list: ingredient lines of several recipes, alike ones added up.
class Einkaufsliste {
public:
    QList<Einkauf> eintraege;

    // Adds the ingredient lines of a recipe. Headings and empty lines are left out; a line joins an
    // open line of the same ingredient in the same or a convertible unit. The same ingredient: names
    // compared case-blind, nouns by their singular, without sizes ("große"), states ("weiche") and
    // notes (after a comma, in brackets, "zum Braten"); a pinch joins a line without amount ("Salz").
    // The sum takes the noun form it needs ("3 Zwiebeln"), sizes that differ go, states and the first
    // line's notes stay beside the name. Anything else becomes a line of its own. Ticked lines take
    // nothing more: what was bought stays bought.
    // Returns the entries that were added or took something, in that order.
    QList<qsizetype> hinzufuegen(const QStringList& zeilen, const QString& rezept);
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

// Measures a text in printer pixels at a point size.
using Textbreite = std::function<int(const QString& text, int punkte)>;

// The printout: the heading with the date, then per entry its tick box and line and, in small type below,
// the recipes it comes from. A list longer than the first page is set in two columns; lines too wide for
// their column wrap at blanks (measured with breite; without it, estimated from their length).
QList<DruckText> einkaufslisteDruck(const Einkaufsliste& liste, int seitenBreite, int seitenHoehe,
    const QDate& datum, const Textbreite& breite = {});

} // namespace tk
