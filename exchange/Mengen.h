#pragma once

#include <QString>

namespace tk {

// What a unit measures. Mass and volume convert within their kind; kitchen units only add up
// with themselves; lengths ("2 cm") are sizes, never scaled.
enum class Masseinheit { Keine, Masse, Volumen, Kueche, Laenge };

// An ingredient line split at the amount that counts the ingredient: the one at its start, or for a
// line such as "Saft von 1 ½ Limetten" the first one inside. text() puts the pieces back together exactly.
struct Mengenzeile {
    bool hatMenge = false;
    bool eingebettet = false; // the amount stands inside the line, after words of its own
    QString vorne; // what stands before the amount as written: blanks, "ca.", "Je", "Saft von"
    QString zahl; // the amount as written: "1 ½", "2 - 3", "eine", "1,5", "einer ½"
    QString luecke; // between amount and unit, with words before the unit ("1 gestrichener TL")
    QString einheit; // the unit as written ("Prise(n)" with its bracket), or empty
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
    bool prise() const; // a pinch, a dash, a knife tip: a seasoning more than an amount

    QString text() const { return vorne + zahl + luecke + einheit + rest; }
};

// Reads the amount of an ingredient line: integers, decimal comma or point ("1.500" is 1,5 before kg and
// l, 1500 otherwise), fractions and the characters ½ ¼ ¾ ⅓ ⅔ ⅛ ⅙, mixed numbers, both ends of a range, a
// leading "ca.", "etwa", "Je", "oder", the number words "ein" … "zwölf" and "halbe" before a unit or
// noun, and a unit glued to the number or after a word such as "gestrichener". Without an amount at the
// start, the first amount inside that counts something ("Saft von 1 ½ Limetten", "Saft einer Zitrone")
// is the line's amount; numbers that are names or sizes ("Type 405", "(je 25 g)", "2 cm") are not. A
// line without amount, or one ending in ":", comes back with hatMenge false.
Mengenzeile leseMenge(const QString& zeile);

// A scaled line and whether a counted amount was rounded to what a cook can take ("1 Ei", not 1,3);
// genau is then the line unrounded ("1⅓ Eier").
struct Skaliert {
    QString text;
    bool gerundet = false;
    QString genau;
};

// The line with its amounts multiplied by faktor: the line's amount and every further amount of the
// ingredient ("und 50 g …", "(oder 2 kleine Äpfel)"), not sizes of one piece ("1 Dose (400 g)", "à 125 g")
// nor numbers that are names ("Type 405", "24 % Fett"). Grams and litres switch to their larger or
// smaller unit where that reads better; counted things round to halves or wholes (eggs to wholes); the
// noun, a unit such as "Dose" and adjectives before them take the number ("2 große Äpfel", "1 Ei").
// Everything else stays as written. Factor 1 and lines without amount come back unchanged.
Skaliert skaliere(const QString& zeile, double faktor);
QString skaliereZeile(const QString& zeile, double faktor);

// The line with its amount set to von…bis, counted in the line's own unit (for "2 Zwiebeln" + "1 Zwiebel"
// on the shopping list: "3 Zwiebeln"); words agree with the new amount, nothing is rounded.
QString mitMenge(const QString& zeile, double von, double bis);

// The amount von…bis (in the unit of muster) written the way muster is written: its range separator,
// gap and unit spelling; g/kg and ml/l switch where the larger unit reads better. Returns what stands
// between muster.vorne and muster.rest.
QString schreibeMenge(const Mengenzeile& muster, double von, double bis);

// A number as a cook writes it: German decimal comma, no trailing zeros, below 10 at most one
// decimal place, from 10 whole numbers; ½ ¼ ¾ ⅓ ⅔ ⅛ ⅙ for values below 1 and, when brueche, ½ ¼ ¾ ⅓ ⅔
// in mixed numbers. A positive amount never becomes 0.
QString schreibeZahl(double wert, bool brueche);

// ⅓ ⅔ ⅛ ⅙ have no place in Windows-1252; files get "1/3", "2/3", "1/8", "1/6" ("1⅓" becomes "1 1/3").
QString ohneSonderbrueche(const QString& text);

// The quantity of a recipe as the converter offers it: "für 4 Personen" gives 4 and "Personen",
// "1 Blech (20 Stück)" 1 and "Blech", "Personen 4" 4 and "Personen", a text without a number 1 and
// "× Rezept".
struct Portionen {
    double anzahl = 1;
    QString einheit;
    bool gefunden = false;
};
Portionen lesePortionen(const QString& menge);

// The quantity text for another number of portions (halves allowed: "für ½ Blech"): the number
// replaced, the noun in its number, yields in brackets scaled with it ("für 2 Bleche (40 Stücke)"),
// the rest as written. Without a number: "2 × Rezept".
QString skalierePortionen(const QString& menge, double anzahl);

} // namespace tk
