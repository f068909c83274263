#include "exchange/Ausgabe.h"

#include <QDir>

#include "platform/Error.h"
#include "platform/TextLines.h"
#include "store/Formats.h"
#include "store/RezeptDateien.h"
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
        // A count beyond the lines is read as the view reads it: the lines that are there.
        Rezeptinhalt datei;
        try {
            datei = rezeptinhalt(loadLines(path));
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

Drucksatz drucksatz(const RezeptAnsicht& a, int seitenBreite, int seitenHoehe, const Zeilenumbruch& umbruch,
    int zeilenhoehe, const QString& bild, QSize bildGroesse)
{
    const int u = druckEinheit(seitenBreite);
    // Down the page the unit is never less than a tenth of the text's line height, so that on narrow
    // paper, where u is small, the lines do not run into each other.
    const int v = std::max(u, (zeilenhoehe + 9) / 10);
    const int schritt = 10 * v;
    const int oben = 40 * v;
    const int links = 50 * u;
    const int rechts = seitenBreite - 50 * u; // where every line ends at the latest
    Drucksatz satz;
    QList<DruckText>& out = satz.texte;
    out.reserve(a.zutaten.size() + a.zeilen.size() + 8);

    auto brich = [&](const QString& text, int punkte, bool fett, int breite) {
        if (!umbruch || text.isEmpty())
            return QStringList { text };
        const QStringList teile = umbruch(text, punkte, fett, std::max(1, breite));
        return teile.isEmpty() ? QStringList { text } : teile;
    };

    // The heading: a title or a line of it that takes more than one line moves what follows down.
    const QStringList titel = brich(a.titel, 12, true, rechts - links);
    int versatz = 0;
    for (int i = 0; i < titel.size(); ++i)
        out.append({ titel.at(i), 12, true, false, links, 40 * v + 12 * v * i, 0 });
    versatz += 12 * v * int(titel.size() - 1);
    out.append({ kProduktDruck, 10, false, false, links, 70 * v + versatz, 0 });
    auto kopf = [&](const QString& text, int y) {
        const QStringList teile = brich(text, 10, false, rechts - links);
        for (int i = 0; i < teile.size(); ++i)
            out.append({ teile.at(i), 10, false, false, links, y + versatz + schritt * i, 0 });
        versatz += schritt * int(teile.size() - 1);
    };
    kopf(QStringLiteral("Rezept vom ") + a.datum + QStringLiteral(" gekocht von ") + a.autor, 82 * v);
    kopf(a.menge, 94 * v);
    int y = 120 * v + versatz; // the line of "Zutaten:"
    out.append({ QStringLiteral("Zutaten:"), 10, true, true, links, y, 0 });

    // The picture keeps to the right edge beside the ingredients, within a third of the page.
    QRect bildRahmen;
    if (!bild.isEmpty() && bildGroesse.width() > 0 && bildGroesse.height() > 0) {
        const int kante = seitenBreite / 3;
        QSize z = bildGroesse.scaled(kante, std::min(kante, seitenHoehe - y), Qt::KeepAspectRatio);
        if (z.width() > 0 && z.height() > 0) {
            bildRahmen = QRect(rechts - z.width(), y, z.width(), z.height());
            satz.bilder.append({ bild, bildRahmen, 0 });
        }
    }

    // The ingredients and the text flow down the page; a line that would run below the printable
    // area starts a new page at the top margin instead of being lost.
    const QString kopfTitel = brich(a.titel, 8, false, rechts - links).value(0);
    int seite = 0;
    int zeilenAufSeite = 1; // the first page carries the heading
    auto vor = [&](int abstand) {
        y += abstand;
        if (y + schritt > seitenHoehe && zeilenAufSeite > 0) {
            ++seite;
            zeilenAufSeite = 0;
            y = oben;
            if (!kopfTitel.isEmpty()) {
                const bool gekuerzt = kopfTitel.size() < a.titel.trimmed().size();
                out.append({ gekuerzt ? kopfTitel + QStringLiteral(" …") : kopfTitel, 8, false, false, links,
                    25 * v, seite, true });
            }
        }
    };
    auto ende = [&] { return seite == 0 && y < bildRahmen.bottom() ? bildRahmen.left() - 10 * u : rechts; };
    // One line of the recipe, broken where it needs to be. Beside the picture the lines are shorter;
    // what goes on below it is broken again for the full width.
    auto setze = [&](const QString& text, int x, int abstand, bool ohneVorschub) {
        if (!ohneVorschub)
            vor(abstand);
        QString rest = text;
        for (;;) {
            const int breite = ende() - x;
            const QStringList teile = brich(rest, 10, false, breite);
            out.append({ teile.first(), 10, false, false, x, y, seite });
            ++zeilenAufSeite;
            qsizetype k = 1;
            for (; k < teile.size(); ++k) {
                vor(schritt);
                if (ende() - x != breite)
                    break;
                out.append({ teile.at(k), 10, false, false, x, y, seite });
                ++zeilenAufSeite;
            }
            if (k >= teile.size())
                return;
            // The pieces are the text's own characters in order: go on after the last one set.
            qsizetype pos = 0;
            for (qsizetype i = 0; i < k && pos >= 0; ++i) {
                pos = rest.indexOf(teile.at(i), pos);
                if (pos >= 0)
                    pos += teile.at(i).size();
            }
            rest = pos >= 0 ? rest.mid(pos) : teile.mid(k).join(u' ');
            while (rest.startsWith(u' '))
                rest.remove(0, 1);
        }
    };
    // The first ingredient stands beside "Zutaten:" (90u, or what "Zutaten:" needs on narrow paper).
    for (int i = 0; i < a.zutaten.size(); ++i)
        setze(a.zutaten.at(i), links + 40 * v, schritt, i == 0);
    // The text starts below the picture where the picture reaches further down than the ingredients.
    const int absatz = a.zutaten.isEmpty() ? 2 * schritt : 3 * schritt;
    const int unterBild = seite == 0 && bildRahmen.isValid() ? bildRahmen.bottom() + schritt - y : 0;
    for (int j = 0; j < a.zeilen.size(); ++j)
        setze(a.zeilen.at(j), links, j > 0 ? schritt : std::max(absatz, unterBild), false);
    return satz;
}

QList<DruckText> druckLayout(const RezeptAnsicht& a, int seitenBreite, int seitenHoehe)
{
    return drucksatz(a, seitenBreite, seitenHoehe, {}, 0).texte;
}

} // namespace tk
