#include "kochen/Kochschritte.h"

#include <QRegularExpression>
#include <cmath>

#include "exchange/Mengen.h"

namespace tk {

// ---- Steps -------------------------------------------------------------------------------------

namespace {
    // Blank, or a ruler of "=" only: both end a step.
    bool leer(const QString& zeile)
    {
        const QString t = zeile.trimmed();
        return std::all_of(t.begin(), t.end(), [](QChar c) { return c == u'='; });
    }

    // "=== Backen ===" gives "Backen".
    bool ueberschrift(const QString& zeile, QString& text)
    {
        const QString t = zeile.trimmed();
        if (t.size() < 4 || !t.startsWith(QLatin1String("==")) || !t.endsWith(QLatin1String("==")))
            return false;
        qsizetype a = 0, e = t.size();
        while (a < e && t.at(a) == u'=')
            ++a;
        while (e > a && t.at(e - 1) == u'=')
            --e;
        text = t.mid(a, e - a).trimmed();
        return !text.isEmpty();
    }
}

QList<Kochschritt> teileSchritte(const QStringList& zeilen)
{
    // Blank lines between the first and the last text line decide how the text is split.
    qsizetype erste = 0, letzte = zeilen.size() - 1;
    while (erste <= letzte && leer(zeilen.at(erste)))
        ++erste;
    while (letzte >= erste && leer(zeilen.at(letzte)))
        --letzte;
    bool absaetze = false;
    for (qsizetype i = erste; i <= letzte && !absaetze; ++i)
        absaetze = leer(zeilen.at(i));

    QList<Kochschritt> schritte;
    QString offen; // a heading waiting for its step
    QStringList teil;
    auto abschliessen = [&] {
        if (teil.isEmpty())
            return;
        schritte.append({ offen, teil.join(u'\n') });
        offen.clear();
        teil.clear();
    };
    for (qsizetype i = erste; i <= letzte; ++i) {
        const QString& z = zeilen.at(i);
        QString kopf;
        if (leer(z)) {
            abschliessen();
        } else if (ueberschrift(z, kopf)) {
            abschliessen();
            if (!offen.isEmpty())
                schritte.append({ offen, {} });
            offen = kopf;
        } else {
            teil.append(z.trimmed());
            if (!absaetze)
                abschliessen();
        }
    }
    abschliessen();
    if (!offen.isEmpty())
        schritte.append({ offen, {} });
    return schritte;
}

// ---- Durations ---------------------------------------------------------------------------------

namespace {
    const QString kBrueche = QStringLiteral("½¼¾⅓⅔");

    double bruchwert(QChar c)
    {
        switch (c.unicode()) {
        case u'½':
            return 0.5;
        case u'¼':
            return 0.25;
        case u'¾':
            return 0.75;
        case u'⅓':
            return 1.0 / 3;
        case u'⅔':
            return 2.0 / 3;
        }
        return 0;
    }

    struct Zahlwort {
        const char* wort;
        double wert;
    };
    // Longer words first: the pattern tries them in this order.
    constexpr Zahlwort kZahlwoerter[] = { { "fünfundvierzig", 45 }, { "fünfundzwanzig", 25 },
        { "zweieinhalb", 2.5 }, { "dreieinhalb", 3.5 }, { "eineinhalb", 1.5 }, { "anderthalb", 1.5 },
        { "fünfzehn", 15 }, { "zwanzig", 20 }, { "dreißig", 30 }, { "vierzig", 40 }, { "fünfzig", 50 },
        { "sechzig", 60 }, { "neunzig", 90 }, { "sieben", 7 }, { "sechs", 6 }, { "zwölf", 12 },
        { "einen", 1 }, { "einer", 1 }, { "eine", 1 }, { "ein", 1 }, { "zwei", 2 }, { "drei", 3 },
        { "vier", 4 }, { "fünf", 5 }, { "acht", 8 }, { "neun", 9 }, { "zehn", 10 }, { "elf", 11 } };

    const QRegularExpression& dauerMuster()
    {
        static const QRegularExpression re = [] {
            QStringList woerter;
            for (const Zahlwort& z : kZahlwoerter)
                woerter.append(QString::fromUtf8(z.wort));
            const QString bruch = QStringLiteral("[") + kBrueche + QStringLiteral("]");
            const QString zahl
                = QStringLiteral("(?:\\d+\\s+\\d+/\\d+|\\d+/\\d+|\\d+(?:[.,]\\d+)?(?:\\s?%1)?|%1"
                                 "|(?:%2)(?:\\s+halben?)?(?![\\p{L}])|halben?)")
                      .arg(bruch, woerter.join(u'|'));
            const QString einheit = QStringLiteral(
                "(?<einheit>Stunden|Stunde|Std\\.?|h|Minuten|Minute|Min\\.?|Sekunden|Sekunde|Sek\\.?)");
            const QString muster = QStringLiteral(
                "(?<![\\p{L}\\p{N}.,/])(?:(?<von>%1)(?:\\s*(?:-|–|—|\\bbis\\b)\\s*(?<bis>%1))?"
                "\\s*%2|(?<viertel>dreiviertelstunde|viertelstunde))(?![\\p{L}\\p{N}])")
                                       .arg(zahl, einheit);
            return QRegularExpression(muster,
                QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
        }();
        return re;
    }

    double zahlwert(QString t)
    {
        t = t.trimmed().toLower();
        if (t.startsWith(QLatin1String("halbe")))
            return 0.5;
        if (t.endsWith(QLatin1String("halbe")) || t.endsWith(QLatin1String("halben"))) // "eine halbe"
            return 0.5 * zahlwert(t.section(u' ', 0, 0));
        for (const Zahlwort& z : kZahlwoerter)
            if (t == QString::fromUtf8(z.wort))
                return z.wert;
        double wert = 0;
        if (const qsizetype s = t.indexOf(u'/'); s > 0) {
            QString zaehler = t.left(s);
            if (const qsizetype b = zaehler.lastIndexOf(u' '); b > 0) { // "1 1/2"
                wert = zaehler.left(b).toDouble();
                zaehler = zaehler.mid(b + 1);
            }
            const double nenner = t.mid(s + 1).toDouble();
            return nenner > 0 ? wert + zaehler.toDouble() / nenner : 0;
        }
        if (!t.isEmpty() && kBrueche.contains(t.back())) {
            wert = bruchwert(t.back());
            t.chop(1);
        }
        t = t.trimmed().replace(u',', u'.');
        return wert + (t.isEmpty() ? 0 : t.toDouble());
    }

    int faktor(const QString& einheit)
    {
        const QString e = einheit.toLower();
        if (e.startsWith(u's'))
            return e.startsWith(QLatin1String("st")) ? 3600 : 1;
        if (e == u'h')
            return 3600;
        return 60;
    }

    constexpr int kHoechstens = 99 * 3600;
}

QList<Dauer> findeDauern(const QString& text)
{
    QList<Dauer> dauern;
    QList<int> einheiten; // seconds per unit of each, to join "1 Std. 30 Min."
    QRegularExpressionMatchIterator it = dauerMuster().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        Dauer d;
        d.anfang = m.capturedStart();
        d.laenge = m.capturedLength();
        int proEinheit = 60;
        if (m.hasCaptured(QStringLiteral("viertel"))) {
            d.sekunden = m.captured(QStringLiteral("viertel")).size() > 13 ? 45 * 60 : 15 * 60;
        } else {
            proEinheit = faktor(m.captured(QStringLiteral("einheit")));
            const double von = zahlwert(m.captured(QStringLiteral("von")));
            const double bis
                = m.hasCaptured(QStringLiteral("bis")) ? zahlwert(m.captured(QStringLiteral("bis"))) : von;
            d.sekunden = int(std::lround(std::min(von, bis) * proEinheit));
            d.bisSekunden = int(std::lround(std::max(von, bis) * proEinheit));
        }
        if (d.bisSekunden < d.sekunden)
            d.bisSekunden = d.sekunden;
        if (d.sekunden <= 0 || d.bisSekunden > kHoechstens)
            continue;

        // "1 Std. 30 Min." and "1 Stunde und 20 Minuten" are one time.
        if (!dauern.isEmpty()) {
            Dauer& vorher = dauern.last();
            const qsizetype ende = vorher.anfang + vorher.laenge;
            const QString dazwischen = text.mid(ende, d.anfang - ende).trimmed();
            if ((dazwischen.isEmpty() || dazwischen == QLatin1String("und")) && einheiten.last() > proEinheit
                && vorher.sekunden == vorher.bisSekunden && d.sekunden == d.bisSekunden
                && vorher.sekunden + d.sekunden <= kHoechstens) {
                vorher.sekunden += d.sekunden;
                vorher.bisSekunden = vorher.sekunden;
                vorher.laenge = d.anfang + d.laenge - vorher.anfang;
                einheiten.last() = proEinheit;
                continue;
            }
        }
        dauern.append(d);
        einheiten.append(proEinheit);
    }
    return dauern;
}

QString kurzeDauer(int sekunden)
{
    const int h = sekunden / 3600, m = sekunden % 3600 / 60, s = sekunden % 60;
    QStringList teile;
    if (h)
        teile.append(QStringLiteral("%1 Std.").arg(h));
    if (m)
        teile.append(QStringLiteral("%1 Min.").arg(m));
    if (s || teile.isEmpty())
        teile.append(QStringLiteral("%1 Sek.").arg(s));
    return teile.join(u' ');
}

QString dauerText(const Dauer& d)
{
    if (d.bisSekunden == d.sekunden)
        return kurzeDauer(d.sekunden);
    const QString von = kurzeDauer(d.sekunden), bis = kurzeDauer(d.bisSekunden);
    // "10–15 Min." when both ends are whole numbers of one unit.
    const qsizetype b = von.indexOf(u' ');
    if (b > 0 && von.count(u' ') == 1 && bis.count(u' ') == 1 && von.mid(b) == bis.mid(bis.indexOf(u' ')))
        return von.left(b) + u'–' + bis;
    return von + u'–' + bis;
}

QString restzeit(int sekunden)
{
    sekunden = std::max(sekunden, 0);
    const int h = sekunden / 3600, m = sekunden % 3600 / 60, s = sekunden % 60;
    if (h)
        return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QChar(u'0')).arg(s, 2, 10, QChar(u'0'));
    return QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, QChar(u'0'));
}

QString timerName(const Kochschritt& schritt)
{
    static const QStringList artikel = { QStringLiteral("der"), QStringLiteral("die"), QStringLiteral("das"),
        QStringLiteral("den"), QStringLiteral("dem"), QStringLiteral("des"), QStringLiteral("ein"),
        QStringLiteral("eine"), QStringLiteral("einen"), QStringLiteral("einem"), QStringLiteral("einer") };
    const QStringList woerter = schritt.text.simplified().split(u' ', Qt::SkipEmptyParts);
    QStringList name;
    for (QString w : woerter) {
        if (name.isEmpty() && artikel.contains(w.toLower()))
            continue;
        if (std::any_of(w.begin(), w.end(), [](QChar c) { return c.isDigit() || kBrueche.contains(c); }))
            break;
        bool satzende = false;
        while (!w.isEmpty() && !w.back().isLetter()) {
            satzende = true;
            w.chop(1);
        }
        if (!w.isEmpty())
            name.append(w);
        if (satzende || name.size() == 3)
            break;
    }
    // "Backofen auf" from "Den Backofen auf 200 Grad": a name does not end in a preposition.
    static const QStringList klein = { QStringLiteral("auf"), QStringLiteral("in"), QStringLiteral("im"),
        QStringLiteral("mit"), QStringLiteral("und"), QStringLiteral("bei"), QStringLiteral("zu"),
        QStringLiteral("an"), QStringLiteral("am"), QStringLiteral("für"), QStringLiteral("von"),
        QStringLiteral("ca"), QStringLiteral("etwa"), QStringLiteral("nach") };
    while (!name.isEmpty() && klein.contains(name.back().toLower()))
        name.removeLast();
    if (name.isEmpty())
        return schritt.ueberschrift.isEmpty() ? QStringLiteral("Timer") : schritt.ueberschrift;
    return name.join(u' ');
}

// ---- Ingredients a step mentions -----------------------------------------------------------------

namespace {
    // Words of an ingredient line that name no ingredient: containers, pieces, sizes.
    const QStringList& keinNomen()
    {
        static const QStringList woerter = [] {
            QStringList w;
            for (const char* s : { "prise", "prisen", "stück", "stk", "dose", "dosen", "packung", "packungen",
                     "pck", "päckchen", "becher", "glas", "gläser", "tasse", "tassen", "bund", "scheibe",
                     "scheiben", "zehe", "zehen", "msp", "messerspitze", "handvoll", "schuss", "spritzer",
                     "würfel", "stange", "stangen", "zweig", "zweige", "stiel", "stiele", "beutel", "tüte",
                     "liter", "gramm", "kilo", "größe", "type", "zimmertemperatur", "belieben", "bedarf",
                     "tl", "el", "ca", "etwa" })
                w.append(QString::fromUtf8(s));
            return w;
        }();
        return woerter;
    }

    QString gefaltet(QString w)
    {
        w = w.toLower();
        w.replace(u'ä', u'a').replace(u'ö', u'o').replace(u'ü', u'u');
        return w;
    }

    // The word without its plural or case ending, so "Zwiebeln", "Zwiebel" and "Zwiebelringe" meet.
    QString stamm(const QString& wort)
    {
        QString w = gefaltet(wort);
        if (w.size() >= 6 && w.endsWith(QLatin1String("en")))
            w.chop(2);
        else if (w.size() >= 5 && (w.endsWith(u'n') || w.endsWith(u'e') || w.endsWith(u's')))
            w.chop(1);
        return w;
    }

    QStringList woerter(const QString& text)
    {
        static const QRegularExpression trenner(
            QStringLiteral("[^\\p{L}]+"), QRegularExpression::UseUnicodePropertiesOption);
        return text.split(trenner, Qt::SkipEmptyParts);
    }

    // The nouns of an ingredient line: its capitalised words after the amount, without what stands
    // in brackets or after "für", "zum", "nach" (the purpose, not the ingredient).
    QStringList nomen(const QString& zeile)
    {
        const QString t = zeile.trimmed();
        if (t.isEmpty() || t.startsWith(u'=') || t.endsWith(u':'))
            return {};
        const Mengenzeile m = leseMenge(zeile);
        QString rest = m.hatMenge ? m.rest : zeile;
        static const QRegularExpression klammern(QStringLiteral("\\([^)]*\\)?|\\[[^\\]]*\\]?"));
        rest.remove(klammern);
        static const QRegularExpression zweck(QStringLiteral("\\b(für|zum|zur|nach)\\b.*$"),
            QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
        rest.remove(zweck);
        const QStringList alle = woerter(rest);
        QStringList nomen;
        for (const QString& w : alle)
            if (w.size() >= 2 && w.front().isUpper() && !keinNomen().contains(w.toLower()))
                nomen.append(w);
        // "Rote Bete", "Gehackte Mandeln": a capitalised adjective at the start names no ingredient.
        static const QRegularExpression adjektiv(QStringLiteral("(e|er|es|en|em)$"));
        if (nomen.size() >= 2 && !alle.isEmpty() && nomen.front() == alle.front() && nomen.front().size() > 4
            && adjektiv.match(nomen.front()).hasMatch())
            nomen.removeFirst();
        return nomen;
    }

    // Short capitalised words that start a sentence rather than name a thing.
    bool kurzesWort(const QString& w)
    {
        static const QStringList woerter = [] {
            QStringList l;
            for (const char* s : { "in", "im", "an", "am", "um", "zu", "ab", "da", "es", "er", "wo", "so",
                     "ob", "je", "bei", "mit", "vor", "aus", "auf", "den", "der", "die", "das", "nun", "ein",
                     "und", "für", "zum", "zur", "bis", "wer", "wie", "was", "man", "nur", "gut", "tag" })
                l.append(QString::fromUtf8(s));
            return l;
        }();
        return woerter.contains(w.toLower());
    }

    bool erwaehnt(const QString& nomen, const QStringList& schrittWoerter)
    {
        const QString n = stamm(nomen);
        for (const QString& wort : schrittWoerter) {
            const QString w = stamm(wort);
            if (w == n)
                return true;
            // "Zwiebelringe" for "Zwiebeln", "salzen" for "Salz".
            if (n.size() >= 4 && w.startsWith(n))
                return true;
            // "Brühe" for "Rinderbrühe", "Öl" for "Olivenöl" (short words only as nouns).
            if ((w.size() >= 4 || (w.size() >= 2 && wort.front().isUpper() && !kurzesWort(wort)))
                && n.endsWith(w))
                return true;
        }
        return false;
    }
}

QList<int> erwaehnteZutaten(const QStringList& zutaten, const QString& schritt)
{
    const QStringList schrittWoerter = woerter(schritt);
    QList<int> treffer;
    for (int i = 0; i < zutaten.size(); ++i) {
        const QStringList n = nomen(zutaten.at(i));
        if (std::any_of(n.begin(), n.end(), [&](const QString& x) { return erwaehnt(x, schrittWoerter); }))
            treffer.append(i);
    }
    return treffer;
}

} // namespace tk
