#include "exchange/RezKonvImport.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <algorithm>

#include "platform/Cp1252.h"
#include "platform/Error.h"
#include "platform/TextLines.h"
#include "store/Formats.h"

namespace tk {

namespace {
    constexpr Qt::CaseSensitivity ci = Qt::CaseInsensitive;

    // Longer lines are no recipe text but damage; the recipe holding one is skipped.
    constexpr qsizetype kMaxZeile = 32768;
    // A recipe collection of this size would hold millions of recipes.
    constexpr qint64 kMaxDatei = qint64(128) * 1024 * 1024;

    using Zeilen = QList<QStringView>;

    // CR LF, LF and a bare CR each end a line; a final line end adds no empty line.
    Zeilen zerlege(const QString& text)
    {
        Zeilen out;
        const QChar* d = text.constData();
        const qsizetype n = text.size();
        out.reserve(n / 32 + 1);
        qsizetype start = 0;
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = d[i].unicode();
            if (c == u'\n' || c == u'\r') {
                out.append(QStringView(d + start, i - start));
                if (c == u'\r' && i + 1 < n && d[i + 1] == u'\n')
                    ++i;
                start = i + 1;
            }
        }
        if (start < n)
            out.append(QStringView(d + start, n - start));
        return out;
    }

    bool leer(QStringView l) { return l.trimmed().isEmpty(); }

    // Headers are found on indented lines too, so that no line of a recipe can turn into a header
    // once it is trimmed.
    bool rkKopf(QStringView l)
    {
        l = l.trimmed();
        return l.startsWith(u"=====") && l.contains(u"REZKONV", ci);
    }
    bool mmKopf(QStringView l)
    {
        l = l.trimmed();
        return (l.startsWith(u"MMMMM") || l.startsWith(u"-----")) && l.contains(u"Meal-Master", ci);
    }

    bool rkEnde(QStringView l) { return l.trimmed() == u"====="; }
    bool mmEnde(QStringView l)
    {
        const QStringView t = l.trimmed();
        if (t == u"MMMMM")
            return true;
        return t.size() >= 5 && std::all_of(t.begin(), t.end(), [](QChar c) { return c == u'-'; });
    }

    bool hatWort(QStringView l)
    {
        return std::any_of(l.begin(), l.end(), [](QChar c) { return c.isLetterOrNumber(); });
    }

    bool rkQuelle(QStringView l)
    {
        const QStringView t = l.trimmed();
        return t.startsWith(u"=====")
            && (t.contains(u"QUELLE", ci) || (t.contains(u"ERFASST", ci) && t.contains(u"*RK*")));
    }

    // "=====" lines with a word in them head a group of ingredients or a part of the text.
    bool rkGruppe(QStringView l)
    {
        const QStringView t = l.trimmed();
        return t.startsWith(u"=====") && hatWort(t) && !rkQuelle(t) && !rkKopf(t);
    }
    // RezKonv converters writing the MealMaster layout put author and date in a "QUELLE" section.
    bool mmQuelle(QStringView l)
    {
        const QStringView t = l.trimmed();
        return (t.startsWith(u"MMMMM") || t.startsWith(u"-----")) && t.contains(u"QUELLE", ci);
    }
    bool mmGruppe(QStringView l)
    {
        const QStringView t = l.trimmed();
        return (t.startsWith(u"MMMMM") || t.startsWith(u"-----")) && hatWort(t.mid(5)) && !mmKopf(t)
            && !mmQuelle(t);
    }

    // The word of a group line, as the ingredient list shows it.
    QString gruppe(QStringView l, QStringView rand)
    {
        QStringView t = l.trimmed();
        while (!t.isEmpty() && rand.contains(t.front()))
            t = t.mid(1);
        while (!t.isEmpty() && rand.contains(t.back()))
            t.chop(1);
        return QStringLiteral("=== ") + t.trimmed().toString() + QStringLiteral(" ===");
    }

    // A field line of the recipe head, label right-aligned in the first columns or flush left.
    bool feld(QStringView l, QStringView label, QString& wert)
    {
        qsizetype i = 0;
        while (i < l.size() && (l[i] == u' ' || l[i] == u'\t'))
            ++i;
        if (i > 10)
            return false;
        const QStringView rest = l.mid(i);
        if (!rest.startsWith(label, ci) || rest.size() <= label.size() || rest[label.size()] != u':')
            return false;
        wert = rest.mid(label.size() + 1).trimmed().toString();
        return true;
    }

    QStringList kategorieNamen(const QString& wert)
    {
        QStringList out;
        // Split at "," and ";" by hand: a regular expression made per recipe cost more than the rest
        // of reading an archive of a hundred thousand recipes.
        QList<QStringView> teile;
        qsizetype anfang = 0;
        for (qsizetype i = 0; i <= wert.size(); ++i)
            if (i == wert.size() || wert[i] == u',' || wert[i] == u';') {
                teile.append(QStringView(wert).mid(anfang, i - anfang));
                anfang = i + 1;
            }
        for (QStringView t : teile) {
            const QString s = t.toString().simplified();
            if (!s.isEmpty() && !out.contains(s, ci))
                out.append(s);
        }
        return out;
    }

    QString ohneStriche(QStringView t)
    {
        t = t.trimmed();
        while (t.startsWith(u'-'))
            t = t.mid(1);
        return t.trimmed().toString();
    }

    // "-- Erfasst *RK* 12.03.2006 von" and the old "=====ERFASST *RK* AM 12.03.2006 VON=====".
    QString datumAus(QStringView t)
    {
        QStringView d = t.mid(t.indexOf(u"*RK*") + 4).trimmed();
        while (d.endsWith(u'=') || d.endsWith(u'-'))
            d.chop(1);
        d = d.trimmed();
        if (d.startsWith(u"AM ", ci))
            d = d.mid(3).trimmed();
        if (d.compare(u"von", ci) == 0)
            d = {};
        if (d.endsWith(u" von", ci))
            d.chop(4);
        return d.trimmed().toString();
    }

    // Text lines of foreign files: no trailing blanks, no blank lines around, the common indent gone.
    QStringList textBlock(QStringList zeilen)
    {
        for (QString& z : zeilen) {
            qsizetype n = z.size();
            while (n > 0 && z.at(n - 1).isSpace())
                --n;
            z.truncate(n);
        }
        while (!zeilen.isEmpty() && zeilen.constFirst().isEmpty())
            zeilen.removeFirst();
        while (!zeilen.isEmpty() && zeilen.constLast().isEmpty())
            zeilen.removeLast();
        qsizetype einzug = -1;
        for (const QString& z : std::as_const(zeilen)) {
            if (z.isEmpty())
                continue;
            qsizetype i = 0;
            while (i < z.size() && z.at(i) == u' ')
                ++i;
            einzug = einzug < 0 ? i : std::min(einzug, i);
        }
        if (einzug > 0)
            for (QString& z : zeilen)
                z.remove(0, std::min(einzug, z.size()));
        return zeilen;
    }

    // Fields a foreign text leaves out read "-", as the package import writes them.
    void striche(ImportRezept& r)
    {
        for (QString* f : { &r.autor, &r.datum, &r.menge })
            if (f->isEmpty())
                *f = QStringLiteral("-");
    }

    // Control characters would end up in the index and the recipe files.
    void saeubern(QString& s)
    {
        for (QChar& c : s)
            if (c.unicode() < 0x20)
                c = u' ';
    }
    void saeubern(QStringList& l)
    {
        for (QString& s : l)
            saeubern(s);
    }

    class Leser {
    public:
        explicit Leser(const Zeilen& z)
            : z(z)
        {
        }
        std::function<void(int, int)> schritt; // before each recipe: how far, out of how many

        ImportErgebnis alle()
        {
            ImportErgebnis out;
            QList<int> koepfe;
            for (int i = 0; i < z.size(); ++i)
                if (rkKopf(z[i]) || mmKopf(z[i]))
                    koepfe.append(i);
            out.rezepte.reserve(koepfe.size());
            for (int k = 0; k < koepfe.size(); ++k) {
                if (schritt)
                    schritt(k, int(koepfe.size()));
                const int kopf = koepfe[k];
                const int ende = k + 1 < koepfe.size() ? koepfe[k + 1] : int(z.size());
                ImportRezept r;
                r.zeile = kopf + 1;
                QString grund;
                for (int i = kopf; i < ende && grund.isEmpty(); ++i)
                    if (z[i].size() > kMaxZeile)
                        grund = QStringLiteral("Zeile %1 ist zu lang").arg(i + 1);
                if (grund.isEmpty()) {
                    const bool ok = rkKopf(z[kopf]) ? rezkonv(kopf, ende, r) : mealMaster(kopf, ende, r);
                    if (!ok)
                        grund = QStringLiteral("kein Titel gefunden");
                }
                saeubern(r.titel);
                if (grund.isEmpty() && r.titel.trimmed().isEmpty())
                    grund = QStringLiteral("kein Titel gefunden");
                if (!grund.isEmpty()) {
                    out.uebersprungen.append({ kopf + 1, grund });
                    continue;
                }
                saeubern(r.autor);
                saeubern(r.datum);
                saeubern(r.menge);
                saeubern(r.kategorien);
                saeubern(r.zutaten);
                saeubern(r.text);
                saeubern(r.kommentar);
                out.rezepte.append(std::move(r));
            }
            return out;
        }

    private:
        const Zeilen& z;

        // The head fields; p ends on the first line that is neither blank nor a field.
        bool kopfFelder(int& p, int ende, ImportRezept& r, bool mm)
        {
            bool titel = false;
            QString wert;
            QString kategorien;
            QString* letztes = nullptr; // the field a long value goes on with
            while (p < ende) {
                const QStringView l = z[p];
                if (leer(l)) {
                    letztes = nullptr;
                    ++p;
                    continue;
                }
                if (feld(l, mm ? u"Title" : u"Titel", wert)) {
                    r.titel = wert;
                    titel = true;
                    letztes = &r.titel;
                } else if (feld(l, mm ? u"Categories" : u"Kategorien", wert)) {
                    kategorien = wert;
                    letztes = &kategorien;
                } else if (feld(l, mm ? u"Servings" : u"Menge", wert) || (mm && feld(l, u"Yield", wert))) {
                    r.menge = wert;
                    letztes = &r.menge;
                } else if (letztes && l.size() > 11 && l.left(11).trimmed().isEmpty()) {
                    // A value too long for one line goes on below it, under the value column.
                    *letztes += u' ' + l.trimmed().toString();
                } else {
                    break;
                }
                ++p;
            }
            r.kategorien = kategorieNamen(kategorien);
            return titel && !r.titel.isEmpty();
        }

        // The layout this program writes, taken over line for line so nothing changes on the way back.
        bool eigenesLayout(int kopf, int ende, ImportRezept& r)
        {
            int p = kopf + 1;
            while (p < ende && z[p].isEmpty())
                ++p;
            if (p + 2 >= ende || !z[p].startsWith(u"Titel: ") || !z[p + 1].startsWith(u"Menge: ")
                || !leer(z[p + 2]))
                return false;
            const QString titel = z[p].mid(7).toString();
            const QString menge = z[p + 1].mid(7).toString();
            p += 3;
            int q = p;
            while (q < ende && z[q].trimmed().compare(u"=====Quelle=====", ci) != 0)
                ++q;
            if (q + 3 >= ende)
                return false;
            const QStringView erfasst = z[q + 1];
            if (!erfasst.startsWith(u"--Erfasst *RK* ") || !erfasst.endsWith(u" von") || erfasst.size() < 19
                || !z[q + 2].startsWith(u"--") || !leer(z[q + 3]))
                return false;
            int schluss = ende - 1;
            while (schluss > q + 3 && z[schluss] != u"=====")
                --schluss;
            if (schluss <= q + 3)
                return false;
            if (titel.trimmed().isEmpty())
                return false;

            r.titel = titel;
            r.menge = menge;
            r.datum = erfasst.mid(15, erfasst.size() - 19).toString();
            r.autor = z[q + 2].mid(2).toString();
            int zEnde = q;
            if (zEnde > p && leer(z[zEnde - 1]))
                --zEnde;
            for (int i = p; i < zEnde; ++i)
                r.zutaten.append(z[i].toString());
            for (int i = q + 4; i < schluss; ++i)
                r.text.append(z[i].toString());
            return true;
        }

        // Source lines below a "QUELLE" (or old "ERFASST *RK*") line up to a blank line.
        void quelle(int& p, int ende, ImportRezept& r)
        {
            bool autorFolgt = false;
            if (z[p].contains(u"*RK*")) {
                r.datum = datumAus(z[p].trimmed());
                autorFolgt = true;
            }
            ++p;
            while (p < ende && leer(z[p]))
                ++p;
            for (; p < ende && !leer(z[p]) && !rkEnde(z[p]); ++p) {
                const QStringView t = z[p].trimmed();
                if (t.contains(u"*RK*")) {
                    r.datum = datumAus(t);
                    autorFolgt = true;
                } else if (autorFolgt && t.startsWith(u'-')) {
                    r.autor = ohneStriche(t);
                    autorFolgt = false;
                } else {
                    const QString s = ohneStriche(t);
                    if (!s.isEmpty())
                        r.kommentar.append(s);
                }
            }
        }

        bool rezkonv(int kopf, int ende, ImportRezept& r)
        {
            if (z[kopf].contains(u"Brutzels Tellerkiste", ci) && eigenesLayout(kopf, ende, r))
                return true;

            int p = kopf + 1;
            if (!kopfFelder(p, ende, r, false))
                return false;
            int schluss = ende - 1;
            while (schluss >= p && !rkEnde(z[schluss]))
                --schluss;
            if (schluss < p)
                schluss = ende;

            // Ingredients run to a blank line that is not followed by a group line.
            bool continuation = false;
            for (; p < schluss; ++p) {
                const QStringView l = z[p];
                if (rkQuelle(l))
                    break;
                if (leer(l)) {
                    int n = p + 1;
                    while (n < schluss && leer(z[n]))
                        ++n;
                    if (n < schluss && (rkGruppe(z[n]) || rkQuelle(z[n]))) {
                        p = n - 1;
                        continue;
                    }
                    p = n;
                    break;
                }
                if (rkGruppe(l)) {
                    r.zutaten.append(gruppe(l, u"="));
                    continuation = false;
                    continue;
                }
                // A line whose amount and unit columns are empty and whose name starts with "-" goes on
                // with the ingredient above it.
                const QStringView t = l.trimmed();
                qsizetype einzug = 0;
                while (einzug < l.size() && l[einzug].isSpace())
                    ++einzug;
                if (continuation && t.startsWith(u'-') && einzug >= 10) {
                    r.zutaten.last() += u' ' + ohneStriche(t);
                    continue;
                }
                r.zutaten.append(t.toString().simplified());
                continuation = true;
            }
            QStringList text;
            while (p < schluss) {
                if (rkQuelle(z[p])) {
                    quelle(p, schluss, r);
                    continue;
                }
                text.append(rkGruppe(z[p]) ? gruppe(z[p], u"=") : z[p].toString());
                ++p;
            }
            r.text = textBlock(std::move(text));
            striche(r);
            return true;
        }

        // One column of a MealMaster ingredient line: amount 7, unit 2, name from column 11.
        static bool mmFortsetzung(QStringView spalte)
        {
            return spalte.left(11).trimmed().isEmpty() && spalte.mid(11).trimmed().startsWith(u'-');
        }
        // Two columns: amount (7), blank, unit (2), blank, name (28), one blank, and the second column
        // from column 41 (index 40). Files that put it one column further right are read as well.
        // Returns where the second column starts, or 0 for a line of one column.
        static qsizetype mmRechts(QStringView l)
        {
            for (const qsizetype start : { 40, 41 }) {
                if (l.size() <= start || l[start - 1] != u' ' || leer(l.mid(start)))
                    continue;
                const QStringView rechts = l.mid(start);
                const QStringView menge = rechts.left(7);
                const bool mengeOk = std::all_of(menge.begin(), menge.end(), [](QChar c) {
                    return c.isDigit() || c == u' ' || c == u'/' || c == u'.' || c == u',' || c == u'-';
                });
                if (mengeOk && (rechts.size() <= 7 || rechts[7] == u' ')
                    && (rechts.size() <= 10 || rechts[10] == u' '))
                    return start;
            }
            return 0;
        }

        bool mealMaster(int kopf, int ende, ImportRezept& r)
        {
            int p = kopf + 1;
            if (!kopfFelder(p, ende, r, true))
                return false;
            int schluss = ende - 1;
            while (schluss >= p && !mmEnde(z[schluss]))
                --schluss;
            if (schluss < p)
                schluss = ende;

            QStringList links, rechts;
            auto spalte = [](QStringList& liste, QStringView s) {
                if (leer(s))
                    return;
                if (!liste.isEmpty() && mmFortsetzung(s))
                    liste.last() += u' ' + ohneStriche(s.mid(11));
                else
                    liste.append(s.toString().simplified());
            };
            auto gruppeFertig = [&] {
                r.zutaten += links;
                r.zutaten += rechts;
                links.clear();
                rechts.clear();
            };
            for (; p < schluss; ++p) {
                const QStringView l = z[p];
                if (mmQuelle(l))
                    break;
                if (leer(l)) {
                    int n = p + 1;
                    while (n < schluss && leer(z[n]))
                        ++n;
                    if (n < schluss && (mmGruppe(z[n]) || mmQuelle(z[n]))) {
                        p = n - 1;
                        continue;
                    }
                    p = n;
                    break;
                }
                if (mmGruppe(l)) {
                    gruppeFertig();
                    r.zutaten.append(gruppe(l, u"M-"));
                    continue;
                }
                if (const qsizetype start = mmRechts(l)) {
                    spalte(links, l.left(start));
                    spalte(rechts, l.mid(start));
                } else {
                    spalte(links, l);
                }
            }
            gruppeFertig();
            QStringList text;
            while (p < schluss) {
                if (mmQuelle(z[p])) {
                    quelle(p, schluss, r);
                    continue;
                }
                text.append(mmGruppe(z[p]) ? gruppe(z[p], u"M-") : z[p].toString());
                ++p;
            }
            r.text = textBlock(std::move(text));
            striche(r);
            return true;
        }
    };

}

QString importText(const QByteArray& bytes)
{
    // Windows editors save "Unicode" as UTF-16 with a byte order mark.
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(
            bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return utf16(bytes.mid(2));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    return fromCp1252(bytes);
}

ImportErgebnis leseRezepte(QString text, const std::function<void(int, int)>& schritt)
{
    // Control characters (binary junk) become blanks before anything else looks at the text.
    for (QChar& c : text)
        if (c.unicode() < 0x20 && c != u'\n' && c != u'\r' && c != u'\t')
            c = u' ';
    const Zeilen z = zerlege(text);
    Leser leser(z);
    leser.schritt = schritt;
    return leser.alle();
}

ImportErgebnis leseRezepte(const QByteArray& bytes) { return leseRezepte(importText(bytes)); }

ImportErgebnis leseRezeptdatei(const QString& path, const std::function<void(int, int)>& schritt)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(cannotOpenMessage(path));
    if (f.size() > kMaxDatei)
        throw Error(QStringLiteral("Die Datei %1 ist zu groß für eine Rezeptsammlung.")
                        .arg(QDir::toNativeSeparators(path)));
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw Error(cannotOpenMessage(path));
    return leseRezepte(importText(bytes), schritt);
}

} // namespace tk
