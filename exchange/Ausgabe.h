#pragma once

#include <QList>
#include <QString>
#include <QStringList>
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
};

inline const QString kDruckSchrift = QStringLiteral("Arial");

// The layout unit: W * 5 / 2400, a half rounding to the even neighbour.
int druckEinheit(int seitenBreite);

// The texts of the printout on pages of the given printable size. The first page is the fixed layout;
// lines that would run below the printable area continue on further pages from 40u at the same step.
QList<DruckText> druckLayout(const RezeptAnsicht& a, int seitenBreite, int seitenHoehe);

} // namespace tk
