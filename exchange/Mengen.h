#pragma once

#include <QString>

namespace tk {

// What a unit measures. Mass and volume convert within their kind; kitchen units only add up
// with themselves.
enum class Masseinheit { Keine, Masse, Volumen, Kueche };

// An ingredient line split at its leading amount. text() puts the pieces back together exactly.
struct Mengenzeile {
    bool hatMenge = false;
    QString vorne; // leading blanks and "ca." / "etwa" with their blanks, as written
    QString zahl; // the amount as written: "1 ½", "2 - 3", "eine", "1,5"
    QString luecke; // between amount and unit; empty when glued ("200g") or when there is no unit
    QString einheit; // the unit as written, or empty
    QString rest; // everything after the amount (or after the unit), as written

    double von = 0; // both ends; equal when the amount is no range
    double bis = 0;
    bool bereich = false;
    QString trenner; // between the ends of a range, as written ("-", " - ", " bis ")
    bool brueche = false; // written with fractions ("1/2", "½", "eine halbe")

    int einheitNr = -1; // the recognised unit, -1 when none
    Masseinheit art() const;
    QString kennung() const; // unit key for adding up: "g" and "kg" both give "Masse", "EL" gives "EL", …
    double basis() const; // factor to the base unit of its kind (kg: 1000, cl: 10); 1 otherwise

    QString text() const { return vorne + zahl + luecke + einheit + rest; }
};

// Reads the amount at the start of an ingredient line: integers, decimal comma or point, fractions
// and the characters ½ ¼ ¾ ⅓ ⅔ ⅛, mixed numbers, both ends of a range, a leading "ca." or "etwa",
// the number words "ein" … "zwölf" and "halbe" before a unit or noun, and a unit glued to the
// number. A line without a leading amount, or one ending in ":", comes back with hatMenge false.
Mengenzeile leseMenge(const QString& zeile);

// The line with its amount multiplied by faktor; everything but the amount (and a unit that reads
// better as its larger or smaller sibling, or in the plural) stays as written. Factor 1 and lines
// without amount come back unchanged.
QString skaliereZeile(const QString& zeile, double faktor);

// The amount von…bis (in the unit of muster) written the way muster is written: its range separator,
// gap and unit spelling; g/kg and ml/l switch where the larger unit reads better. Returns what stands
// between muster.vorne and muster.rest.
QString schreibeMenge(const Mengenzeile& muster, double von, double bis);

// A number as a cook writes it: German decimal comma, no trailing zeros, below 10 at most one
// decimal place, from 10 whole numbers; ½ ¼ ¾ ⅓ ⅔ for values below 1 and, when brueche, as mixed
// numbers. A positive amount never becomes 0.
QString schreibeZahl(double wert, bool brueche);

// ⅓ ⅔ ⅛ have no place in Windows-1252; files get "1/3", "2/3", "1/8" ("1⅓" becomes "1 1/3").
QString ohneSonderbrueche(const QString& text);

// The quantity of a recipe as the converter offers it: "für 4 Personen" gives 4 and "Personen",
// "1 Blech (20 Stück)" 1 and "Blech", a text without a whole number 1 and "× Rezept".
struct Portionen {
    int anzahl = 1;
    QString einheit;
    bool gefunden = false;
};
Portionen lesePortionen(const QString& menge);

// The quantity text for another number of portions: the number replaced, the rest as written.
// Without a number: "2 × Rezept".
QString skalierePortionen(const QString& menge, int anzahl);

} // namespace tk
