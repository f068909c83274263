#include "exchange/Ausgabe.h"

#include <QDir>

#include "platform/Error.h"
#include "platform/TextLines.h"
#include "store/Formats.h"
#include "store/Rezepte.h"

namespace tk {

QStringList zeilenblock(const RezeptAnsicht& a, const QString& produktZeile)
{
    QStringList out;
    out.reserve(a.zutaten.size() + a.zeilen.size() + 10);
    out.append(QString());
    out.append(a.titel);
    out.append(QString());
    out.append(produktZeile);
    out.append(QStringLiteral("Rezept vom ") + a.datum + QStringLiteral(" gekocht von ") + a.autor);
    out.append(a.menge);
    out.append(QString());
    out.append(QStringLiteral("Zutaten"));
    out += a.zutaten;
    out.append(QString());
    out.append(QString());
    out += a.zeilen;
    return out;
}

QStringList textdateiZeilen(const RezeptAnsicht& a) { return zeilenblock(a, kProduktTextdatei); }

QString zwischenablageText(const RezeptAnsicht& a)
{
    QString text;
    for (const QString& line : zeilenblock(a, kProduktZwischenablage)) {
        text += line;
        text += u'\n';
    }
    return text;
}

QList<RichLine> rtfZeilen(const RezeptAnsicht& a, int schriftgroesse)
{
    const QStringList block = zeilenblock(a, kProduktZwischenablage);
    QList<RichLine> out;
    out.reserve(block.size());
    for (int i = 0; i < block.size(); ++i) {
        RichLine line;
        line.text = block.at(i);
        line.pointSize = i == 1 ? schriftgroesse + 4 : schriftgroesse;
        // The empty line before "Zutaten" and "Zutaten" itself.
        line.bold = line.underline = (i == 6 || i == 7);
        out.append(line);
    }
    return out;
}

QByteArray rtfDokument(const RezeptAnsicht& a, int schriftgroesse)
{
    return writeRtf(rtfZeilen(a, schriftgroesse), kDruckSchrift);
}

QStringList alleRezepteZeilen(
    const QString& programDir, const std::vector<Rezepteintrag>& rezepte, int rezeptMax)
{
    QStringList out;
    for (int n = 0; n <= rezeptMax && size_t(n) < rezepte.size(); ++n) {
        const Rezepteintrag& r = rezepte[size_t(n)];
        if (r.geloescht == 1)
            continue;
        const QString path = recipePath(programDir, n);
        RecipeFile datei;
        try {
            datei = parseRecipe(loadLines(path));
        } catch (const Error& e) {
            if (e.message() == cannotOpenMessage(path))
                throw;
            throw Error(
                QStringLiteral("Die Rezeptdatei \"%1\" ist beschädigt.").arg(QDir::toNativeSeparators(path)));
        }
        out.append(QStringLiteral("### ") + r.titel + QStringLiteral(" ###"));
        out.append(QStringLiteral("Koch: ") + r.autor + QStringLiteral(", Datum: ") + r.datum);
        out.append(r.menge);
        out.append(QString());
        out.append(QStringLiteral("Zutaten:"));
        out += datei.zutaten;
        out.append(QString());
        out.append(QStringLiteral("Rezept:"));
        out += datei.text;
        out.append(QString());
        out.append(QStringLiteral("-------------------"));
        out.append(QString());
        out.append(QString());
    }
    return out;
}

// ---- Printing ----------------------------------------------------------------------------------

int druckEinheit(int seitenBreite)
{
    const qint64 zaehler = qint64(seitenBreite) * 5;
    qint64 q = zaehler / 2400;
    const qint64 rest2 = (zaehler % 2400) * 2;
    if (rest2 > 2400 || (rest2 == 2400 && (q % 2) != 0))
        ++q;
    return int(q);
}

QList<DruckText> druckLayout(const RezeptAnsicht& a, int seitenBreite, int seitenHoehe)
{
    const int u = druckEinheit(seitenBreite);
    const int schritt = 10 * u;
    const int oben = 40 * u;
    QList<DruckText> out;
    out.reserve(a.zutaten.size() + a.zeilen.size() + 5);
    out.append({ a.titel, 12, true, false, 50 * u, 40 * u, 0 });
    out.append({ kProduktDruck, 10, false, false, 50 * u, 70 * u, 0 });
    out.append({ QStringLiteral("Rezept vom ") + a.datum + QStringLiteral(" gekocht von ") + a.autor, 10,
        false, false, 50 * u, 82 * u, 0 });
    out.append({ a.menge, 10, false, false, 50 * u, 94 * u, 0 });
    out.append({ QStringLiteral("Zutaten:"), 10, true, true, 50 * u, 120 * u, 0 });

    // The ingredients and the text flow down the page; a line that would run below the printable
    // area starts a new page at the top margin instead of being lost.
    int seite = 0;
    int zeilenAufSeite = 1; // the first page carries the heading
    int y = 120 * u; // the line of "Zutaten:"
    auto setze = [&](const QString& text, int x, int abstand) {
        y += abstand;
        if (y + schritt > seitenHoehe && zeilenAufSeite > 0) {
            ++seite;
            zeilenAufSeite = 0;
            y = oben;
        }
        out.append({ text, 10, false, false, x, y, seite });
        ++zeilenAufSeite;
    };
    // The first ingredient stands beside "Zutaten:".
    if (!a.zutaten.isEmpty())
        out.append({ a.zutaten.first(), 10, false, false, 90 * u, y, 0 });
    for (int i = 1; i < a.zutaten.size(); ++i)
        setze(a.zutaten.at(i), 90 * u, schritt);
    for (int j = 0; j < a.zeilen.size(); ++j)
        setze(a.zeilen.at(j), 50 * u, j > 0 ? schritt : a.zutaten.isEmpty() ? 2 * schritt : 3 * schritt);
    return out;
}

} // namespace tk
