#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "platform/RtfWriter.h"

namespace tk {

struct Rezepteintrag;

// What the recipe view shows: the outputs of one recipe take exactly this.
struct RezeptAnsicht {
    QString titel; // the title above the text
    QString datum; // the values beside "Datum:", "Autor:" and "Menge:"
    QString autor;
    QString menge;
    QStringList zutaten; // the items of the ingredient list
    QStringList zeilen; // the lines the text field shows (wrapped pieces each a line of their own)
};

inline const QString kProduktTextdatei = QStringLiteral("Brutzels  Tellerkiste 3.30");
inline const QString kProduktZwischenablage = QStringLiteral("Brutzels Tellerkiste 3.30");
inline const QString kProduktDruck = QStringLiteral("Brutzels Tellerkiste 3.40");

// The line block shared by the text file, the clipboard and the RTF file.
QStringList zeilenblock(const RezeptAnsicht& a, const QString& produktZeile);
QStringList textdateiZeilen(const RezeptAnsicht& a); // product line with two blanks
QString zwischenablageText(const RezeptAnsicht& a); // one blank; every line ends in "\n"

// The RTF file: Arial, title at schriftgroesse + 4, the rest at schriftgroesse, the empty line before
// "Zutaten" and "Zutaten" bold and underlined.
QList<RichLine> rtfZeilen(const RezeptAnsicht& a, int schriftgroesse);
QByteArray rtfDokument(const RezeptAnsicht& a, int schriftgroesse);

// All live recipes as one text: index fields from the table, the rest from each recipe file.
// Throws tk::Error when a recipe file is missing or damaged, so no half file is written.
QStringList alleRezepteZeilen(
    const QString& programDir, const std::vector<Rezepteintrag>& rezepte, int rezeptMax);

// ---- Printing ----------------------------------------------------------------------------------

struct DruckText {
    QString text;
    int pointSize = 10;
    bool bold = false;
    bool underline = false;
    int x = 0; // printer pixels from the top-left corner of the printable area (text's top-left corner)
    int y = 0;
    int seite = 0; // page, counted from 0
    bool kopfzeile = false; // the title repeated small at the top of a further page
};

// A picture on a page, in printer pixels like the texts.
struct DruckBild {
    QString datei;
    QRect ziel;
    int seite = 0;
};

struct Drucksatz {
    QList<DruckText> texte;
    QList<DruckBild> bilder;
};

// Breaks a text into the lines it takes at most breite printer pixels wide in the printout's font
// (Arial in pointSize, bold or not), a word longer than a line inside the word. Measuring needs the
// printer, so the window side supplies it.
using Zeilenumbruch = std::function<QStringList(const QString& text, int pointSize, bool bold, int breite)>;

inline const QString kDruckSchrift = QStringLiteral("Arial");

// The layout unit: W * 5 / 2400, a half rounding to the even neighbour.
int druckEinheit(int seitenBreite);

// The printout on pages of the given printable size. The first page is the fixed layout; lines that
// would run below the printable area continue on further pages from 40u at the same step, each such
// page headed by the title in small type. With a line break every line ends 50u before the right edge
// of the printable area (the left margin), a long one going on in the next line. zeilenhoehe (the line
// height of the 10-point text in printer pixels) keeps the lines apart on narrow paper. A picture (its
// file and size in pixels) stands right of the ingredients, at most a third of the page wide, and the
// lines beside it end before it.
Drucksatz drucksatz(const RezeptAnsicht& a, int seitenBreite, int seitenHoehe, const Zeilenumbruch& umbruch,
    int zeilenhoehe, const QString& bild = {}, QSize bildGroesse = {});

// The same without line breaks or picture: the lines as they are given.
QList<DruckText> druckLayout(const RezeptAnsicht& a, int seitenBreite, int seitenHoehe);

} // namespace tk
