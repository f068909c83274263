#pragma once

#include <QList>
#include <QString>

#include <libxml/tree.h>

namespace tk::web {

// One piece of a page's visible text, as a reader sees it: a heading, a list item or a paragraph.
struct Textstueck {
    enum Art { Ueberschrift, Fett, Punkt, Absatz };
    QString text; // one line, blanks collapsed
    Art art = Absatz; // Fett: a short line that is bold as a whole ("<p><strong>Für den Belag</strong></p>")
    int ebene = 7; // 1 to 6 for <h1> to <h6>, 7 for anything else
    bool nurLink = false; // the whole text is a link: navigation, sharing, downloads
    xmlNode* knoten = nullptr; // the innermost block that holds the text
};

// The visible text below start in reading order, one piece per block, <br> or list item; nested lists
// part their item's text. Navigation, forms, buttons and what is never shown are left out. At most max
// pieces.
QList<Textstueck> textstrom(xmlNode* start, qsizetype max = 20000);

// Headings and bold lines: what may head a part of a page.
bool istKopf(const Textstueck& t);

// Heading words of pages in the languages cooks meet: "Zutaten", "Ingredients", "Für 4 Personen" …
bool istZutatenKopf(const QString& text);
// … "Zubereitung", "Anleitung", "Instructions", "Method", "Directions" …
bool istSchritteKopf(const QString& text);
// … and what follows a recipe: "Notizen", "Tipps", "Nährwerte", "Kommentare", "Notes", "Nutrition" …
bool istEndeKopf(const QString& text);
// What an ingredient or step heading says beyond its kind: "für den Teig" in "Zutaten für den Teig";
// empty for "Zutaten" and "Zutaten für 4 Personen".
QString kopfZusatz(const QString& text);

// The ingredient lines of the pieces [von, bis): list items where there are any, else paragraphs;
// headings and bold lines between them as group headings ("=== Für den Belag ===").
QStringList zutatenAus(const QList<Textstueck>& strom, qsizetype von, qsizetype bis);

class Textbau;
// The steps of the pieces [von, bis) the same way, headings as the names of parts.
void schritteAus(const QList<Textstueck>& strom, qsizetype von, qsizetype bis, Textbau& text);

} // namespace tk::web
