#include "exchange/Mengen.h"

#include <QList>
#include <algorithm>
#include <cmath>

namespace tk {

namespace {

    // ---- Units -------------------------------------------------------------------------------

    enum Kanon {
        G,
        KG,
        ML,
        CL,
        DL,
        L,
        EL,
        TL,
        PRISE,
        MSP,
        BUND,
        PCK,
        BECHER,
        DOSE,
        STUECK,
        SCHEIBE,
        ZEHE,
        TASSE,
        GLAS
    };

    struct KanonDef {
        const char16_t* name;
        Masseinheit art;
        double basis;
        const char16_t* einzahl; // spelled-out forms that follow the number (Dose/Dosen); null when fixed
        const char16_t* mehrzahl;
    };

    const KanonDef kKanon[] = {
        { u"g", Masseinheit::Masse, 1, nullptr, nullptr },
        { u"kg", Masseinheit::Masse, 1000, nullptr, nullptr },
        { u"ml", Masseinheit::Volumen, 1, nullptr, nullptr },
        { u"cl", Masseinheit::Volumen, 10, nullptr, nullptr },
        { u"dl", Masseinheit::Volumen, 100, nullptr, nullptr },
        { u"l", Masseinheit::Volumen, 1000, nullptr, nullptr },
        { u"EL", Masseinheit::Kueche, 1, nullptr, nullptr },
        { u"TL", Masseinheit::Kueche, 1, nullptr, nullptr },
        { u"Prise", Masseinheit::Kueche, 1, u"Prise", u"Prisen" },
        { u"Msp.", Masseinheit::Kueche, 1, u"Messerspitze", u"Messerspitzen" },
        { u"Bund", Masseinheit::Kueche, 1, nullptr, nullptr },
        { u"Päckchen", Masseinheit::Kueche, 1, nullptr, nullptr },
        { u"Becher", Masseinheit::Kueche, 1, nullptr, nullptr },
        { u"Dose", Masseinheit::Kueche, 1, u"Dose", u"Dosen" },
        { u"Stück", Masseinheit::Kueche, 1, nullptr, nullptr },
        { u"Scheibe", Masseinheit::Kueche, 1, u"Scheibe", u"Scheiben" },
        { u"Zehe", Masseinheit::Kueche, 1, u"Zehe", u"Zehen" },
        { u"Tasse", Masseinheit::Kueche, 1, u"Tasse", u"Tassen" },
        { u"Glas", Masseinheit::Kueche, 1, u"Glas", u"Gläser" },
    };

    struct Schreibweise {
        QString text;
        Kanon kanon;
        bool lang; // spelled out ("Gramm"), so a switched unit is spelled out too
    };

    QList<Schreibweise> machSchreibweisen()
    {
        const struct {
            const char16_t* t;
            Kanon k;
            bool lang;
        } roh[] = {
            { u"g", G, false },
            { u"gr", G, false },
            { u"gr.", G, false },
            { u"Gramm", G, true },
            { u"kg", KG, false },
            { u"Kilo", KG, true },
            { u"Kilogramm", KG, true },
            { u"ml", ML, false },
            { u"Milliliter", ML, true },
            { u"cl", CL, false },
            { u"Zentiliter", CL, true },
            { u"dl", DL, false },
            { u"Deziliter", DL, true },
            { u"l", L, false },
            { u"ltr", L, false },
            { u"ltr.", L, false },
            { u"Liter", L, true },
            { u"EL", EL, false },
            { u"Essl.", EL, false },
            { u"Esslöffel", EL, true },
            { u"Eßlöffel", EL, true },
            { u"TL", TL, false },
            { u"Teel.", TL, false },
            { u"Teelöffel", TL, true },
            { u"Prise", PRISE, true },
            { u"Prisen", PRISE, true },
            { u"Msp", MSP, false },
            { u"Msp.", MSP, false },
            { u"Messerspitze", MSP, true },
            { u"Messerspitzen", MSP, true },
            { u"Bund", BUND, true },
            { u"Bd.", BUND, false },
            { u"Päckchen", PCK, true },
            { u"Pck", PCK, false },
            { u"Pck.", PCK, false },
            { u"Pk.", PCK, false },
            { u"Päck.", PCK, false },
            { u"Becher", BECHER, true },
            { u"Dose", DOSE, true },
            { u"Dosen", DOSE, true },
            { u"Stück", STUECK, true },
            { u"Stücke", STUECK, true },
            { u"Stk", STUECK, false },
            { u"Stk.", STUECK, false },
            { u"Scheibe", SCHEIBE, true },
            { u"Scheiben", SCHEIBE, true },
            { u"Zehe", ZEHE, true },
            { u"Zehen", ZEHE, true },
            { u"Tasse", TASSE, true },
            { u"Tassen", TASSE, true },
            { u"Glas", GLAS, true },
            { u"Gläser", GLAS, true },
        };
        QList<Schreibweise> out;
        for (const auto& r : roh)
            out.append({ QString::fromUtf16(r.t), r.k, r.lang });
        // Longest first, so "Gramm" wins over "g" and "Msp." over "Msp".
        std::stable_sort(out.begin(), out.end(),
            [](const Schreibweise& a, const Schreibweise& b) { return a.text.size() > b.text.size(); });
        return out;
    }

    const QList<Schreibweise>& schreibweisen()
    {
        static const QList<Schreibweise> s = machSchreibweisen();
        return s;
    }

    // The unit at i, its spelling's index and length; -1 when none. A unit ends where no letter or
    // digit follows, so "g" is not read from "gehackte" nor "Dose" from "Dosenmilch".
    int leseEinheit(QStringView s, qsizetype i, qsizetype& laenge)
    {
        const QList<Schreibweise>& alle = schreibweisen();
        for (int k = 0; k < alle.size(); ++k) {
            const QString& t = alle.at(k).text;
            if (!s.mid(i).startsWith(t, Qt::CaseInsensitive))
                continue;
            const qsizetype e = i + t.size();
            if (t.back().isLetter() && e < s.size() && (s[e].isLetterOrNumber()))
                continue;
            laenge = t.size();
            return k;
        }
        return -1;
    }

    QString metrischerName(Kanon k, bool lang)
    {
        switch (k) {
        case G:
            return lang ? QStringLiteral("Gramm") : QStringLiteral("g");
        case KG:
            return lang ? QStringLiteral("Kilogramm") : QStringLiteral("kg");
        case ML:
            return lang ? QStringLiteral("Milliliter") : QStringLiteral("ml");
        case L:
            return lang ? QStringLiteral("Liter") : QStringLiteral("l");
        default:
            return QString::fromUtf16(kKanon[k].name);
        }
    }

    // ---- Numbers -----------------------------------------------------------------------------

    struct Bruch {
        QChar zeichen;
        double wert;
    };
    const Bruch kBrueche[] = { { u'½', 0.5 }, { u'¼', 0.25 }, { u'¾', 0.75 }, { u'⅓', 1.0 / 3 },
        { u'⅔', 2.0 / 3 }, { u'⅛', 0.125 } };

    double bruchWert(QChar c)
    {
        for (const Bruch& b : kBrueche)
            if (b.zeichen == c)
                return b.wert;
        return -1;
    }

    bool ziffer(QChar c) { return c >= u'0' && c <= u'9'; }
    bool leer(QChar c) { return c == u' ' || c == u'\t' || c == QChar(0xA0); }

    qsizetype ziffernEnde(QStringView s, qsizetype i)
    {
        while (i < s.size() && ziffer(s[i]))
            ++i;
        return i;
    }

    qsizetype leerEnde(QStringView s, qsizetype i)
    {
        while (i < s.size() && leer(s[i]))
            ++i;
        return i;
    }

    // One number at i: "3", "1,5", "0.5", "1.000" (thousands), "1/2", "½", "1½", "1 ½", "1 1/2".
    // Returns its end, or -1.
    qsizetype leseZahl(QStringView s, qsizetype i, double& wert, bool& brueche)
    {
        const qsizetype n = s.size();
        if (i < n && bruchWert(s[i]) >= 0) {
            wert = bruchWert(s[i]);
            brueche = true;
            return i + 1;
        }
        const qsizetype e = ziffernEnde(s, i);
        if (e == i || e - i > 6)
            return -1;
        const QStringView ganz = s.mid(i, e - i);
        const double w = ganz.toDouble();
        brueche = false;
        if (e + 1 < n && (s[e] == u',' || s[e] == u'.') && ziffer(s[e + 1])) {
            const qsizetype e2 = ziffernEnde(s, e + 1);
            const QStringView nach = s.mid(e + 1, e2 - e - 1);
            // German recipes write "1.000 g" for a thousand grams.
            if (s[e] == u'.' && nach.size() == 3 && ganz.size() <= 3 && ganz[0] != u'0') {
                wert = w * 1000 + nach.toDouble();
                return e2;
            }
            wert = (ganz.toString() + u'.' + nach.toString()).toDouble();
            return e2;
        }
        if (e + 1 < n && s[e] == u'/' && ziffer(s[e + 1])) {
            const qsizetype e2 = ziffernEnde(s, e + 1);
            const double nenner = s.mid(e + 1, e2 - e - 1).toDouble();
            if (nenner <= 0 || e2 - e - 1 > 3)
                return -1;
            wert = w / nenner;
            brueche = true;
            return e2;
        }
        if (e < n && bruchWert(s[e]) >= 0) {
            wert = w + bruchWert(s[e]);
            brueche = true;
            return e + 1;
        }
        const qsizetype j = leerEnde(s, e);
        if (j > e && j < n) {
            if (bruchWert(s[j]) >= 0) {
                wert = w + bruchWert(s[j]);
                brueche = true;
                return j + 1;
            }
            const qsizetype z = ziffernEnde(s, j);
            if (z > j && z + 1 < n && s[z] == u'/' && ziffer(s[z + 1])) {
                const qsizetype z2 = ziffernEnde(s, z + 1);
                const double zaehler = s.mid(j, z - j).toDouble();
                const double nenner = s.mid(z + 1, z2 - z - 1).toDouble();
                if (nenner > 0 && zaehler < nenner && z2 - z - 1 <= 3) {
                    wert = w + zaehler / nenner;
                    brueche = true;
                    return z2;
                }
            }
        }
        wert = w;
        return e;
    }

    double zahlwort(const QString& wort, bool& halb)
    {
        static const QStringList eins { "ein", "eine", "einen", "einem", "einer", "eines" };
        static const QStringList zahlen { "zwei", "drei", "vier", "fünf", "sechs", "sieben", "acht", "neun",
            "zehn", "elf", "zwölf" };
        static const QStringList halbe { "halbe", "halber", "halbes", "halben" };
        const QString w = wort.toLower();
        halb = false;
        if (eins.contains(w))
            return 1;
        const qsizetype z = zahlen.indexOf(w);
        if (z >= 0)
            return double(z + 2);
        if (halbe.contains(w)) {
            halb = true;
            return 0.5;
        }
        if (w == u"eineinhalb" || w == u"anderthalb") {
            halb = true;
            return 1.5;
        }
        return -1;
    }

    qsizetype wortEnde(QStringView s, qsizetype i)
    {
        while (i < s.size() && s[i].isLetter())
            ++i;
        return i;
    }

    // A number word at i counts only before a unit or a noun: "eine Prise", "ein Ei", not "ein wenig".
    qsizetype leseZahlwort(QStringView s, qsizetype i, double& wert, bool& brueche)
    {
        qsizetype e = wortEnde(s, i);
        if (e == i)
            return -1;
        bool halb = false;
        wert = zahlwort(s.mid(i, e - i).toString(), halb);
        if (wert < 0)
            return -1;
        brueche = halb;
        qsizetype j = leerEnde(s, e);
        if (wert == 1 && !halb && j > e) {
            // "eine halbe Zitrone"
            const qsizetype e2 = wortEnde(s, j);
            bool halb2 = false;
            if (e2 > j && zahlwort(s.mid(j, e2 - j).toString(), halb2) == 0.5 && halb2) {
                wert = 0.5;
                brueche = true;
                e = e2;
                j = leerEnde(s, e);
            }
        }
        if (j == e || j >= s.size())
            return -1;
        qsizetype laenge = 0;
        if (leseEinheit(s, j, laenge) < 0 && !s[j].isUpper())
            return -1;
        return e;
    }

    // ---- Writing -----------------------------------------------------------------------------

    struct Geschrieben {
        QString text;
        double wert = 0;
    };

    Geschrieben zahlText(double x, bool brueche)
    {
        if (!(x > 0))
            return { QStringLiteral("0"), 0 };
        if (x >= 9.95) {
            const double r = std::round(x);
            return { QString::number(qint64(r)), r };
        }
        const double r = std::round(x);
        if (r >= 1 && std::abs(x - r) <= 0.01 * x)
            return { QString::number(qint64(r)), r };
        const double w = std::floor(x);
        if (brueche || w == 0) {
            // The writable fractions: ⅛ is read but not written.
            for (int k = 0; k < 5; ++k) {
                const double c = w + kBrueche[k].wert;
                if (std::abs(x - c) <= 0.01 * x + 1e-9)
                    return { (w > 0 ? QString::number(qint64(w)) : QString()) + kBrueche[k].zeichen, c };
            }
        }
        int stellen = 1;
        double d = std::round(x * 10) / 10;
        if (d == 0) {
            stellen = 2;
            d = std::max(0.01, std::round(x * 100) / 100);
        }
        QString t = QString::number(d, 'f', stellen);
        while (t.endsWith(u'0'))
            t.chop(1);
        if (t.endsWith(u'.'))
            t.chop(1);
        t.replace(u'.', u',');
        return { t, d };
    }

    bool genau(double x, bool brueche) { return std::abs(zahlText(x, brueche).wert - x) <= 0.005 * x; }

    const Schreibweise* schreibweiseVon(const Mengenzeile& m)
    {
        return m.einheitNr >= 0 ? &schreibweisen().at(m.einheitNr) : nullptr;
    }

    bool faengtAnMit(QStringView s, qsizetype i, const QString& wort)
    {
        if (!s.mid(i).startsWith(wort, Qt::CaseInsensitive))
            return false;
        const qsizetype e = i + wort.size();
        return wort.endsWith(u'.') || (e < s.size() && leer(s[e]));
    }

} // namespace

Masseinheit Mengenzeile::art() const
{
    const Schreibweise* w = schreibweiseVon(*this);
    return w ? kKanon[w->kanon].art : Masseinheit::Keine;
}

QString Mengenzeile::kennung() const
{
    const Schreibweise* w = schreibweiseVon(*this);
    if (!w)
        return {};
    switch (kKanon[w->kanon].art) {
    case Masseinheit::Masse:
        return QStringLiteral("Masse");
    case Masseinheit::Volumen:
        return QStringLiteral("Volumen");
    default:
        return QString::fromUtf16(kKanon[w->kanon].name);
    }
}

double Mengenzeile::basis() const
{
    const Schreibweise* w = schreibweiseVon(*this);
    return w ? kKanon[w->kanon].basis : 1;
}

Mengenzeile leseMenge(const QString& zeile)
{
    Mengenzeile m;
    m.rest = zeile;
    if (zeile.trimmed().endsWith(u':'))
        return m; // a heading such as "Für den Teig:"
    const QStringView s(zeile);
    qsizetype i = leerEnde(s, 0);
    for (const char16_t* p : { u"ca.", u"ca", u"circa", u"etwa", u"ungefähr" }) {
        const QString wort = QString::fromUtf16(p);
        if (faengtAnMit(s, i, wort)) {
            i = leerEnde(s, i + wort.size());
            break;
        }
    }
    const qsizetype start = i;
    double von = 0, bis = 0;
    bool brueche = false;
    qsizetype e = leseZahl(s, i, von, brueche);
    if (e >= 0) {
        // "1. Für den Belag", "3,5 %", "180 °C" are no amounts.
        if (e < s.size() && (s[e] == u'.' || s[e] == u')'))
            return m;
        const qsizetype nach = leerEnde(s, e);
        if (nach < s.size() && (s[nach] == u'%' || s[nach] == u'°'))
            return m;
        bis = von;
        // A range: "2-3", "2–3", "2 - 3", "2 bis 3".
        qsizetype j = leerEnde(s, e);
        qsizetype k = -1;
        if (j < s.size() && (s[j] == u'-' || s[j] == QChar(0x2013)))
            k = j + 1;
        else if (j > e && faengtAnMit(s, j, QStringLiteral("bis")))
            k = j + 3;
        if (k >= 0) {
            k = leerEnde(s, k);
            double b = 0;
            bool br = false;
            const qsizetype e2 = leseZahl(s, k, b, br);
            if (e2 >= 0 && b >= von) {
                m.bereich = true;
                m.trenner = s.mid(e, k - e).toString();
                bis = b;
                brueche = brueche || br;
                e = e2;
            }
        }
    } else {
        e = leseZahlwort(s, i, von, brueche);
        if (e < 0)
            return m;
        bis = von;
    }
    if (!(von > 0))
        return m;
    m.hatMenge = true;
    m.vorne = s.left(start).toString();
    m.zahl = s.mid(start, e - start).toString();
    m.von = von;
    m.bis = bis;
    m.brueche = brueche;
    const qsizetype j = leerEnde(s, e);
    qsizetype laenge = 0;
    const int nr = j < s.size() ? leseEinheit(s, j, laenge) : -1;
    if (nr >= 0) {
        m.einheitNr = nr;
        m.luecke = s.mid(e, j - e).toString();
        m.einheit = s.mid(j, laenge).toString();
        m.rest = s.mid(j + laenge).toString();
    } else {
        m.rest = s.mid(e).toString();
    }
    return m;
}

QString schreibeZahl(double wert, bool brueche) { return zahlText(wert, brueche).text; }

QString schreibeMenge(const Mengenzeile& m, double von, double bis)
{
    const Schreibweise* w = schreibweiseVon(m);
    QString einheit = m.einheit;
    bool grammRunden = false;
    if (w && (kKanon[w->kanon].art == Masseinheit::Masse || kKanon[w->kanon].art == Masseinheit::Volumen)) {
        const Kanon k = w->kanon;
        const bool masse = kKanon[k].art == Masseinheit::Masse;
        const Kanon klein = masse ? G : ML;
        const Kanon gross = masse ? KG : L;
        const double bv = von * kKanon[k].basis;
        const double bb = bis * kKanon[k].basis;
        // The larger unit only where it says the same in fewer digits: 1500 g is "1,5 kg", 1250 g stays.
        Kanon ziel;
        if (bv >= 1000 && genau(bv / 1000, m.brueche) && genau(bb / 1000, m.brueche))
            ziel = gross;
        else if (k == CL || k == DL)
            ziel = k;
        else
            ziel = klein;
        von = bv / kKanon[ziel].basis;
        bis = bb / kKanon[ziel].basis;
        grammRunden = ziel == klein;
        if (ziel != k)
            einheit = metrischerName(ziel, w->lang);
    } else if (w && kKanon[w->kanon].einzahl) {
        const KanonDef& d = kKanon[w->kanon];
        const QString eins = QString::fromUtf16(d.einzahl);
        const QString mehr = QString::fromUtf16(d.mehrzahl);
        if (einheit.compare(eins, Qt::CaseInsensitive) == 0
            || einheit.compare(mehr, Qt::CaseInsensitive) == 0)
            einheit = bis > 1.005 ? mehr : eins;
    }
    auto zahl = [&](double x) {
        // Grams and millilitres from 100 on in steps of five.
        if (grammRunden && x >= 99.5)
            return QString::number(qint64(std::round(x / 5) * 5));
        return zahlText(x, m.brueche).text;
    };
    QString out = zahl(von);
    if (m.bereich)
        out += m.trenner + zahl(bis);
    if (!m.einheit.isEmpty())
        out += m.luecke + einheit;
    return out;
}

QString skaliereZeile(const QString& zeile, double faktor)
{
    if (faktor == 1.0 || !(faktor > 0))
        return zeile;
    const Mengenzeile m = leseMenge(zeile);
    if (!m.hatMenge)
        return zeile;
    return m.vorne + schreibeMenge(m, m.von * faktor, m.bis * faktor) + m.rest;
}

QString ohneSonderbrueche(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char* ersatz = c == u'⅓' ? "1/3" : c == u'⅔' ? "2/3" : c == u'⅛' ? "1/8" : nullptr;
        if (!ersatz) {
            out += c;
            continue;
        }
        if (i > 0 && ziffer(text.at(i - 1)))
            out += u' ';
        out += QLatin1String(ersatz);
    }
    return out;
}

namespace {
    // Where the amount of a quantity text starts: after blanks and a leading "für".
    qsizetype portionenAnfang(const QString& menge)
    {
        const QStringView s(menge);
        qsizetype i = leerEnde(s, 0);
        if (faengtAnMit(s, i, QStringLiteral("für")))
            i = leerEnde(s, i + 3);
        return i;
    }
}

Portionen lesePortionen(const QString& menge)
{
    Portionen p;
    p.einheit = QStringLiteral("× Rezept");
    const qsizetype i = portionenAnfang(menge);
    const Mengenzeile m = leseMenge(menge.mid(i));
    if (!m.hatMenge || m.von < 1 || m.von > 999 || m.von != std::floor(m.von))
        return p;
    p.gefunden = true;
    p.anzahl = int(m.von);
    if (!m.einheit.isEmpty()) {
        p.einheit = m.einheit;
    } else {
        const QStringView r = QStringView(m.rest).trimmed();
        qsizetype e = 0;
        while (e < r.size() && (r[e].isLetter() || (e > 0 && r[e] == u'-')))
            ++e;
        p.einheit = r.left(e).toString();
    }
    return p;
}

QString skalierePortionen(const QString& menge, int anzahl)
{
    const Portionen p = lesePortionen(menge);
    if (anzahl == p.anzahl)
        return menge;
    if (!p.gefunden) {
        const QString vorher = menge.trimmed();
        const QString mal = QStringLiteral("%1 × Rezept").arg(anzahl);
        return vorher.isEmpty() || vorher == u"-" ? mal : vorher + QStringLiteral(" – ") + mal;
    }
    const qsizetype i = portionenAnfang(menge);
    const Mengenzeile m = leseMenge(menge.mid(i));
    const double f = double(anzahl) / m.von;
    return menge.left(i) + m.vorne + schreibeMenge(m, m.von * f, m.bis * f) + m.rest;
}

} // namespace tk
