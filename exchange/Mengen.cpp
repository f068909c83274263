#include "exchange/Mengen.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <vector>

#include "exchange/Kuechenwoerter.h"

namespace tk {

namespace {

    using Woerter = Kuechenwoerter;
    using Zaehlweise = Kuechenwoerter::Zaehlweise;

    // ---- Units -------------------------------------------------------------------------------

    enum Kanon { G, KG, ML, CL, DL, L, EL, TL, CM, MM, NOMEN };

    struct Einheit {
        QString text; // one spelling
        Kanon kanon = NOMEN;
        bool lang = false; // spelled out ("Gramm"), so a switched unit is spelled out too
        const Woerter::Nomen* nomen = nullptr; // for NOMEN: "Dose", also behind "Pck." or "Msp."
        bool abgekuerzt = false; // stays as written whatever the number
    };

    Masseinheit artVon(Kanon k)
    {
        switch (k) {
        case G:
        case KG:
            return Masseinheit::Masse;
        case ML:
        case CL:
        case DL:
        case L:
            return Masseinheit::Volumen;
        case CM:
        case MM:
            return Masseinheit::Laenge;
        default:
            return Masseinheit::Kueche;
        }
    }

    double basisVon(Kanon k)
    {
        switch (k) {
        case KG:
        case L:
            return 1000;
        case CL:
        case CM:
            return 10;
        case DL:
            return 100;
        default:
            return 1;
        }
    }

    struct Einheiten {
        std::vector<Einheit> alle;
        QHash<QString, int> nachText; // lower case → index
    };

    Einheiten machEinheiten()
    {
        Einheiten e;
        const struct {
            const char16_t* t;
            Kanon k;
            bool lang;
        } metrisch[] = {
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
            { u"cm", CM, false },
            { u"Zentimeter", CM, true },
            { u"mm", MM, false },
        };
        for (const auto& m : metrisch)
            e.alle.push_back({ QString::fromUtf16(m.t), m.k, m.lang, nullptr, true });
        const Woerter& w = Woerter::tabelle();
        const struct {
            const char16_t* t;
            const char16_t* nomen;
        } kurz[] = {
            { u"Msp", u"Messerspitze" },
            { u"Msp.", u"Messerspitze" },
            { u"Bd", u"Bund" },
            { u"Bd.", u"Bund" },
            { u"Pck", u"Päckchen" },
            { u"Pck.", u"Päckchen" },
            { u"Pk.", u"Päckchen" },
            { u"Päck.", u"Päckchen" },
            { u"Pkg.", u"Packung" },
            { u"Pckg.", u"Packung" },
            { u"Stk", u"Stück" },
            { u"Stk.", u"Stück" },
            { u"St.", u"Stück" },
            { u"Btl.", u"Beutel" },
            { u"Fl.", u"Flasche" },
            { u"Sch.", u"Scheibe" },
            { u"Scheib.", u"Scheibe" },
            { u"Zw.", u"Zweig" },
            { u"Tas.", u"Tasse" },
        };
        for (const auto& k : kurz)
            if (const Woerter::Nomen* n = w.nomen(QString::fromUtf16(k.nomen)))
                e.alle.push_back({ QString::fromUtf16(k.t), NOMEN, false, n, true });
        for (qsizetype i = 0; i < qsizetype(e.alle.size()); ++i)
            e.nachText.insert(e.alle.at(size_t(i)).text.toLower(), int(i));
        return e;
    }

    const Einheiten& einheiten()
    {
        static const Einheiten e = machEinheiten();
        return e;
    }

    // Units that are words of the table ("Dose", "Scheiben") are numbered after the fixed spellings.
    constexpr int kNomenNr = 100000;

    struct Gefunden {
        int nr = -1;
        qsizetype laenge = 0;
        Einheit einheit;
    };

    // The unit of a number starts at i: a fixed spelling ("g", "EL", "Msp.") or a word of the table
    // that stands as a unit ("Dose", "Scheiben"). A unit ends where no letter or digit follows, so "g"
    // is not read from "gehackte" nor "Dose" from "Dosenmilch".
    Gefunden leseEinheit(QStringView s, qsizetype i)
    {
        Gefunden g;
        qsizetype e = i;
        while (e < s.size() && s[e].isLetter())
            ++e;
        if (e == i)
            return g;
        const bool punkt = e < s.size() && s[e] == u'.';
        if (e < s.size() && s[e].isDigit())
            return g;
        const Einheiten& alle = einheiten();
        if (punkt) {
            const auto it = alle.nachText.constFind(s.mid(i, e + 1 - i).toString().toLower());
            if (it != alle.nachText.cend()) {
                g.nr = *it;
                g.laenge = e + 1 - i;
                g.einheit = alle.alle.at(size_t(*it));
                return g;
            }
        }
        const QString wort = s.mid(i, e - i).toString();
        const auto it = alle.nachText.constFind(wort.toLower());
        if (it != alle.nachText.cend()) {
            // "l" and "g" only as written: "G" or "L" before a word are no units.
            g.nr = *it;
            g.laenge = e - i;
            g.einheit = alle.alle.at(size_t(*it));
            return g;
        }
        const Woerter::Treffer t = Woerter::tabelle().findeEinheit(wort);
        if (!t)
            return g;
        g.nr = kNomenNr + Woerter::tabelle().nummer(t.nomen);
        g.laenge = e - i;
        g.einheit = { wort, NOMEN, true, t.nomen, false };
        return g;
    }

    const Woerter::Nomen* nomenAusNr(int nr)
    {
        return nr >= kNomenNr ? Woerter::tabelle().nomenNr(nr - kNomenNr) : nullptr;
    }

    bool einheitVon(int nr, Einheit& out)
    {
        if (nr < 0)
            return false;
        if (const Woerter::Nomen* n = nomenAusNr(nr)) {
            out = { n->einzahl, NOMEN, true, n, false };
            return true;
        }
        if (size_t(nr) >= einheiten().alle.size())
            return false;
        out = einheiten().alle.at(size_t(nr));
        return true;
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
            return {};
        }
    }

    // ---- Numbers -----------------------------------------------------------------------------

    struct Bruch {
        QChar zeichen;
        double wert;
    };
    // Read: all of these. Written: the first five in mixed numbers, ⅛ and ⅙ too below 1.
    const Bruch kBrueche[] = { { u'½', 0.5 }, { u'¼', 0.25 }, { u'¾', 0.75 }, { u'⅓', 1.0 / 3 },
        { u'⅔', 2.0 / 3 }, { u'⅛', 0.125 }, { u'⅙', 1.0 / 6 }, { u'⅜', 0.375 }, { u'⅝', 0.625 },
        { u'⅞', 0.875 }, { u'⅚', 5.0 / 6 }, { u'⅕', 0.2 }, { u'⅖', 0.4 }, { u'⅗', 0.6 }, { u'⅘', 0.8 } };
    constexpr int kGeschriebenGemischt = 5;
    constexpr int kGeschriebenKlein = 7;

    double bruchWert(QChar c)
    {
        for (const Bruch& b : kBrueche)
            if (b.zeichen == c)
                return b.wert;
        return -1;
    }

    bool ziffer(QChar c) { return c >= u'0' && c <= u'9'; }
    bool leer(QChar c) { return c == u' ' || c == u'\t' || c == QChar(0xA0) || c == QChar(0x202F); }
    bool schraeg(QChar c) { return c == u'/' || c == QChar(0x2044); }

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

    struct Zahl {
        qsizetype ende = -1;
        double wert = 0;
        bool brueche = false;
        bool leerVorBruch = false; // "1 ½" rather than "1½"
        double punktWert = -1; // "1.500" read as a decimal point: 1.5 (for kg and l)
    };

    // One number at i: "3", "1,5", "0.5", "1.000" (thousands), "1/2", "½", "1½", "1 ½", "1 1/2".
    Zahl leseZahl(QStringView s, qsizetype i)
    {
        Zahl z;
        const qsizetype n = s.size();
        if (i < n && bruchWert(s[i]) >= 0) {
            z.wert = bruchWert(s[i]);
            z.brueche = true;
            z.ende = i + 1;
            return z;
        }
        const qsizetype e = ziffernEnde(s, i);
        if (e == i || e - i > 6)
            return z;
        const QStringView ganz = s.mid(i, e - i);
        const double w = ganz.toDouble();
        if (e + 1 < n && (s[e] == u',' || s[e] == u'.') && ziffer(s[e + 1])) {
            const qsizetype e2 = ziffernEnde(s, e + 1);
            const QStringView nach = s.mid(e + 1, e2 - e - 1);
            const double dezimal = (ganz.toString() + u'.' + nach.toString()).toDouble();
            z.ende = e2;
            // German recipes write "1.000 g" for a thousand grams, but "1.500 kg" is one and a half.
            if (s[e] == u'.' && nach.size() == 3 && ganz.size() <= 3 && ganz[0] != u'0') {
                z.wert = w * 1000 + nach.toDouble();
                z.punktWert = dezimal;
            } else {
                z.wert = dezimal;
            }
            return z;
        }
        if (e + 1 < n && schraeg(s[e]) && ziffer(s[e + 1])) {
            const qsizetype e2 = ziffernEnde(s, e + 1);
            const double nenner = s.mid(e + 1, e2 - e - 1).toDouble();
            if (nenner <= 0 || e2 - e - 1 > 3)
                return z;
            z.wert = w / nenner;
            z.brueche = true;
            z.ende = e2;
            return z;
        }
        if (e < n && bruchWert(s[e]) >= 0) {
            z.wert = w + bruchWert(s[e]);
            z.brueche = true;
            z.ende = e + 1;
            return z;
        }
        const qsizetype j = leerEnde(s, e);
        if (j > e && j < n) {
            if (bruchWert(s[j]) >= 0) {
                z.wert = w + bruchWert(s[j]);
                z.brueche = true;
                z.leerVorBruch = true;
                z.ende = j + 1;
                return z;
            }
            const qsizetype k = ziffernEnde(s, j);
            if (k > j && k + 1 < n && schraeg(s[k]) && ziffer(s[k + 1])) {
                const qsizetype k2 = ziffernEnde(s, k + 1);
                const double zaehler = s.mid(j, k - j).toDouble();
                const double nenner = s.mid(k + 1, k2 - k - 1).toDouble();
                if (nenner > 0 && zaehler < nenner && k2 - k - 1 <= 3) {
                    z.wert = w + zaehler / nenner;
                    z.brueche = true;
                    z.leerVorBruch = true;
                    z.ende = k2;
                    return z;
                }
            }
        }
        z.wert = w;
        z.ende = e;
        return z;
    }

    double zahlwort(QStringView wort, bool& halb)
    {
        static const QStringList eins { "ein", "eine", "einen", "einem", "einer", "eines" };
        static const QStringList zahlen { "zwei", "drei", "vier", "fünf", "sechs", "sieben", "acht", "neun",
            "zehn", "elf", "zwölf" };
        static const QStringList halbe { "halbe", "halber", "halbes", "halben" };
        const QString w = wort.toString().toLower();
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

    bool faengtAnMit(QStringView s, qsizetype i, QStringView wort)
    {
        if (!s.mid(i).startsWith(wort, Qt::CaseInsensitive))
            return false;
        const qsizetype e = i + wort.size();
        return wort.endsWith(u'.') || e == s.size() || leer(s[e]);
    }

    // ---- Words around an amount --------------------------------------------------------------

    struct Wort {
        qsizetype anfang = 0;
        qsizetype ende = 0;
        QStringView text;
    };

    // A word at i: letters with hyphens and apostrophes inside, a closing dot of an abbreviation.
    Wort leseWort(QStringView s, qsizetype i)
    {
        Wort w { i, i, {} };
        qsizetype e = i;
        while (e < s.size()
            && (s[e].isLetter() || ((s[e] == u'-' || s[e] == u'\'' || s[e] == QChar(0x2019)) && e > i)))
            ++e;
        if (e < s.size() && s[e] == u'.' && e > i)
            ++e;
        w.ende = e;
        w.text = s.mid(i, e - i);
        return w;
    }

    bool inListe(QStringView w, std::initializer_list<const char16_t*> liste)
    {
        for (const char16_t* l : liste)
            if (w.compare(QStringView(l), Qt::CaseInsensitive) == 0)
                return true;
        return false;
    }

    // A list of words, compared case-blind.
    class Wortliste {
    public:
        Wortliste(std::initializer_list<const char16_t*> woerter)
        {
            for (const char16_t* w : woerter)
                m_woerter.insert(QString::fromUtf16(w).toLower());
        }
        bool enthaelt(QStringView w) const { return m_woerter.contains(w.toString().toLower()); }

    private:
        QSet<QString> m_woerter;
    };

    // Words that end a noun phrase: "4 mit Tomaten" has no noun after its number.
    bool fuellwort(QStringView w)
    {
        static const Wortliste liste({ u"mit", u"aus", u"von", u"vom", u"für", u"zum", u"zur", u"in", u"im",
            u"am", u"an", u"auf", u"oder", u"und", u"bzw.", u"bzw", u"à", u"á", u"je", u"ca.", u"ca", u"etwa",
            u"ohne", u"nach", u"pro", u"plus", u"zzgl.", u"als", u"wie", u"der", u"die", u"das", u"den",
            u"dem", u"des", u"ein", u"eine", u"einer", u"einem", u"eines", u"einen", u"bei", u"sowie",
            u"alternativ", u"ersatzweise", u"evtl.", u"optional", u"z.", u"zB", u"z.B.", u"light", u"extra",
            u"andere", u"anderes", u"anderer", u"anderen", u"weitere", u"weiteres", u"paar" });
        return liste.enthaelt(w);
    }

    // Adjectives whose plain form ends like an inflected one.
    bool unflektiert(QStringView w)
    {
        static const Wortliste liste({ u"sauer", u"bitter", u"lecker", u"mager", u"teuer", u"super", u"über",
            u"unter", u"wieder", u"lila", u"rosa", u"oliv", u"extra", u"prima", u"edel", u"dunkel" });
        return liste.enthaelt(w);
    }

    bool adjektivisch(QStringView w)
    {
        if (w.size() < 4 || !w.front().isLower() || w.back() == u'.' || fuellwort(w) || unflektiert(w))
            return false;
        return w.endsWith(u'e') || w.endsWith(u"er") || w.endsWith(u"es") || w.endsWith(u"en");
    }

    QString endung(QChar geschlecht, bool mehrzahl)
    {
        if (mehrzahl || geschlecht == u'f')
            return QStringLiteral("e");
        return geschlecht == u'm' ? QStringLiteral("er") : QStringLiteral("es");
    }

    struct Aenderung {
        qsizetype anfang;
        qsizetype laenge;
        QString text;
    };

    // The adjective at w takes the ending of the new number where it had the one of the old.
    void beugeAdjektiv(const Wort& w, QChar geschlecht, bool alt, bool neu, QList<Aenderung>& out)
    {
        if (alt == neu || geschlecht.isNull())
            return;
        const QString vorher = endung(geschlecht, alt);
        const QString nachher = endung(geschlecht, neu);
        if (vorher == nachher || !w.text.endsWith(vorher))
            return;
        if (vorher == u"e" && (w.text.endsWith(u"ee")))
            return;
        out.append({ w.anfang + w.text.size() - vorher.size(), vorher.size(), nachher });
    }

    // What follows a number without unit: adjectives, then the noun they belong to.
    struct Phrase {
        QList<Wort> adjektive;
        Wort kopf;
        Woerter::Treffer treffer;
        bool fest = false; // written for both numbers: "Zwiebel(n)", "Zwiebel / Zwiebeln", "Zwiebel/n"
    };

    // A word written for either number right after a noun: "(n)", "(er)", "/n", " / Zwiebeln".
    bool beideFormen(QStringView s, qsizetype e)
    {
        if (e < s.size() && s[e] == u'(') {
            qsizetype k = e + 1;
            while (k < s.size() && s[k].isLower())
                ++k;
            return k > e + 1 && k - e <= 4 && k < s.size() && s[k] == u')';
        }
        if (e < s.size() && s[e] == u'/' && e + 1 < s.size() && s[e + 1].isLower())
            return true;
        const qsizetype j = leerEnde(s, e);
        return j < s.size() && s[j] == u'/';
    }

    Phrase lesePhrase(QStringView s, qsizetype i)
    {
        Phrase p;
        for (int n = 0; n < 6; ++n) {
            i = leerEnde(s, i);
            if (i >= s.size() || !s[i].isLetter())
                return p;
            const Wort w = leseWort(s, i);
            if (w.ende == w.anfang)
                return p;
            const QStringView t = w.text;
            const bool versal = t.size() >= 2
                && std::all_of(t.begin(), t.end(), [](QChar c) { return !c.isLetter() || c.isUpper(); });
            if (versal) {
                // A brand: "4 LANDFREUDE Eier".
                i = w.ende;
                continue;
            }
            if (t.front().isLower()) {
                if (fuellwort(t))
                    return p;
                if (adjektivisch(t))
                    p.adjektive.append(w);
                // Other small words ("fein", "mittelgross", "kl.") stand between without changing.
                i = w.ende;
                continue;
            }
            p.treffer = Woerter::tabelle().finde(t);
            if (p.treffer) {
                p.kopf = w;
                p.fest = beideFormen(s, w.ende);
                return p;
            }
            return p;
        }
        return p;
    }

    // ---- Reading one amount ------------------------------------------------------------------

    struct Betrag {
        bool ok = false;
        qsizetype anfang = 0; // where the amount's text starts ("einer" of "Saft einer Zitrone")
        qsizetype zahlEnde = 0;
        qsizetype einheitAnfang = -1;
        qsizetype einheitEnde = -1;
        double von = 0;
        double bis = 0;
        bool bereich = false;
        QString trenner;
        bool brueche = false;
        bool leerVorBruch = false;
        bool wort = false; // a number word: written as digits when changed
        bool genitiv = false; // "Saft einer Zitrone": "einer" is the amount
        bool halbWort = false; // "einer halben Zitrone"
        int einheitNr = -1;
        Einheit einheit;
        bool hatEinheit = false;
        bool einheitFest = false; // "Prise(n)": written for both numbers

        qsizetype ende() const { return hatEinheit ? einheitEnde : zahlEnde; }
    };

    // The range after the first number: "2-3", "2–3", "2 - 3", "2 bis 3".
    void leseBereich(QStringView s, Betrag& b)
    {
        const qsizetype e = b.zahlEnde;
        const qsizetype j = leerEnde(s, e);
        qsizetype k = -1;
        if (j < s.size() && (s[j] == u'-' || s[j] == QChar(0x2013)))
            k = j + 1;
        else if (j > e && faengtAnMit(s, j, u"bis"))
            k = j + 3;
        if (k < 0)
            return;
        k = leerEnde(s, k);
        const Zahl z = leseZahl(s, k);
        if (z.ende < 0 || z.wert < b.von)
            return;
        if (z.ende < s.size() && (s[z.ende] == u'-' || s[z.ende].isLetter()) && !leer(s[z.ende])) {
            // "2-3-Minuten-Terrine" and "3-4cm" are not ranges of a count... glued units are fine.
            if (s[z.ende] == u'-')
                return;
        }
        b.bereich = true;
        b.trenner = s.mid(e, k - e).toString();
        b.bis = z.wert;
        b.brueche = b.brueche || z.brueche;
        b.zahlEnde = z.ende;
    }

    // The unit after the number, perhaps after a word that describes it ("1 gestrichener TL",
    // "1 kl. Bund", "3 dünne Stangen").
    void leseEinheitNach(QStringView s, Betrag& b, const Zahl* punkt)
    {
        qsizetype j = leerEnde(s, b.zahlEnde);
        Gefunden g = j < s.size() ? leseEinheit(s, j) : Gefunden {};
        if (g.nr < 0 && j > b.zahlEnde) {
            qsizetype k = j;
            for (int n = 0; n < 2 && g.nr < 0; ++n) {
                const Wort w = leseWort(s, k);
                if (w.ende == w.anfang || !w.text.front().isLower() || fuellwort(w.text))
                    break;
                const bool kurz = w.text.endsWith(u'.') && w.text.size() <= 7;
                if (!kurz && !adjektivisch(w.text)
                    && !inListe(w.text, { u"knapp", u"gut", u"reichlich", u"gestrichen", u"gehäuft" }))
                    break;
                k = leerEnde(s, w.ende);
                if (k == w.ende || k >= s.size())
                    break;
                g = leseEinheit(s, k);
                // Only units that are spelled as words or known abbreviations follow such a word.
                if (g.nr >= 0 && artVon(g.einheit.kanon) != Masseinheit::Kueche)
                    g = {};
                if (g.nr >= 0)
                    j = k;
            }
        }
        if (g.nr < 0)
            return;
        b.hatEinheit = true;
        b.einheitNr = g.nr;
        b.einheit = g.einheit;
        b.einheitAnfang = j;
        b.einheitEnde = j + g.laenge;
        if (beideFormen(s, b.einheitEnde) && b.einheitEnde < s.size() && s[b.einheitEnde] == u'(') {
            b.einheitFest = true;
            b.einheitEnde = s.indexOf(u')', b.einheitEnde) + 1;
        }
        // "1.500 kg" is one and a half kilos.
        if (punkt && punkt->punktWert > 0 && (g.einheit.kanon == KG || g.einheit.kanon == L)) {
            b.von = punkt->punktWert;
            if (!b.bereich)
                b.bis = b.von;
        }
    }

    // A number or number word at i with its range and unit; nothing is checked around it.
    Betrag leseBetrag(QStringView s, qsizetype i, bool woerter)
    {
        Betrag b;
        b.anfang = i;
        const Zahl z = leseZahl(s, i);
        if (z.ende >= 0) {
            b.von = b.bis = z.wert;
            b.brueche = z.brueche;
            b.leerVorBruch = z.leerVorBruch;
            b.zahlEnde = z.ende;
            leseBereich(s, b);
            leseEinheitNach(s, b, &z);
            b.ok = b.von > 0;
            return b;
        }
        if (!woerter)
            return b;
        qsizetype e = wortEnde(s, i);
        if (e == i)
            return b;
        bool halb = false;
        double wert = zahlwort(s.mid(i, e - i), halb);
        if (wert < 0)
            return b;
        qsizetype j = leerEnde(s, e);
        if (wert == 1 && !halb && j > e) {
            // "eine halbe Zitrone"
            const qsizetype e2 = wortEnde(s, j);
            bool halb2 = false;
            if (e2 > j && zahlwort(s.mid(j, e2 - j), halb2) == 0.5 && halb2) {
                wert = 0.5;
                halb = true;
                e = e2;
                j = leerEnde(s, e);
            }
        }
        if (j == e || j >= s.size())
            return b;
        b.von = b.bis = wert;
        b.brueche = halb;
        b.wort = true;
        b.zahlEnde = e;
        leseEinheitNach(s, b, nullptr);
        // A number word counts only before a unit or a noun: "eine Prise", "ein Ei", "eine kleine
        // Zwiebel", not "ein wenig" or "ein paar".
        if (!b.hatEinheit) {
            const Phrase p = lesePhrase(s, e);
            const bool nomen = p.treffer || (j < s.size() && s[j].isUpper());
            if (!nomen || (!p.treffer && !p.adjektive.isEmpty()))
                return b;
            if (!p.treffer && j < s.size() && !s[j].isUpper())
                return b;
        }
        b.ok = true;
        return b;
    }

    Masseinheit artVon(const Betrag& b)
    {
        return b.hatEinheit ? artVon(b.einheit.kanon) : Masseinheit::Keine;
    }

    // The word before i, past blanks and a "ca." or "etwa".
    QStringView wortDavor(QStringView s, qsizetype i)
    {
        for (int n = 0; n < 2; ++n) {
            qsizetype e = i;
            while (e > 0 && leer(s[e - 1]))
                --e;
            qsizetype a = e;
            while (a > 0 && (s[a - 1].isLetter() || s[a - 1] == u'.' || s[a - 1] == u'Ø'))
                --a;
            const QStringView w = s.mid(a, e - a);
            if (n == 0 && inListe(w, { u"ca.", u"ca", u"etwa", u"circa", u"rund" })) {
                i = a;
                continue;
            }
            return w;
        }
        return {};
    }

    bool inKlammern(QStringView s, qsizetype von, qsizetype i)
    {
        int tiefe = 0;
        for (qsizetype k = von; k < i; ++k) {
            if (s[k] == u'(')
                ++tiefe;
            else if (s[k] == u')' && tiefe > 0)
                --tiefe;
        }
        return tiefe > 0;
    }

    // A further amount at i that belongs to the ingredient. Not: numbers inside words or glued to
    // words ("3-Minuten", "3x3 cm", "24 %", "Type 405"), sizes of one piece ("à 125 g", "(je 25 g)",
    // "2 cm", the weight of a tin in brackets after "1 Dose"), numbers that count nothing we know.
    Betrag weitererBetrag(QStringView s, qsizetype i, const Betrag* erster, qsizetype klammerVon)
    {
        if (i > 0) {
            const QChar v = s[i - 1];
            if (!(leer(v) || v == u'(' || v == u'[' || v == u'/' || v == u',' || v == u';' || v == u'+'
                    || v == u'"' || v == QChar(0x201E) || v == u'~'))
                return {};
            if (v == u'/' && i > 1 && s[i - 2].isLetterOrNumber())
                return {};
        }
        const bool istZahl = ziffer(s[i]) || bruchWert(s[i]) >= 0;
        if (!istZahl) {
            // "oder eine Burrata": a number word only before a noun we know, after "oder", "und" or "(".
            const QStringView davor = wortDavor(s, i);
            const bool nachKlammer = i > 0 && s[i - 1] == u'(';
            if (!nachKlammer && !inListe(davor, { u"oder", u"und", u"bzw.", u"plus" }))
                return {};
            const qsizetype e = wortEnde(s, i);
            if (!inListe(s.mid(i, e - i), { u"ein", u"eine", u"einen" }))
                return {};
        }
        Betrag b = leseBetrag(s, i, !istZahl);
        if (!b.ok)
            return {};
        const qsizetype e = b.zahlEnde;
        if (e < s.size()) {
            const QChar c = s[e];
            if (c == u'-' || c == QChar(0x2013) || c == u'x' || c == u'X' || c == QChar(0x00D7) || c == u'%'
                || c == u'°' || ziffer(c))
                return {};
            const qsizetype j = leerEnde(s, e);
            if (j < s.size()
                && (s[j] == u'%' || s[j] == u'°' || s[j] == u'x' || s[j] == QChar(0x00D7)
                    || (s[j] == u'-' && j + 1 < s.size() && s[j + 1].isLetter())))
                return {};
            if (c == u'.' && !b.hatEinheit)
                return {};
        }
        const QStringView davor = wortDavor(s, i);
        if (inListe(davor,
                { u"Type", u"Typ", u"Nr.", u"Nr", u"Größe", u"Gr.", u"Gewichtsklasse", u"Klasse", u"à", u"á",
                    u"a", u"je", u"zu", u"Ø", u"Stufe", u"x", u"X" }))
            return {};
        if (b.hatEinheit) {
            if (artVon(b) == Masseinheit::Laenge)
                return {};
            const Masseinheit art = artVon(b);
            const bool gewicht = art == Masseinheit::Masse || art == Masseinheit::Volumen;
            if (gewicht && erster && erster->hatEinheit && erster->einheit.nomen
                && erster->einheit.nomen->behaelter && inKlammern(s, klammerVon, i))
                return {};
            return b;
        }
        const Phrase p = lesePhrase(s, b.zahlEnde);
        if (!p.treffer)
            return {};
        return b;
    }

    // "Saft einer Zitrone", "Saft einer ½ Zitrone", "Abrieb einer halben Limette": "einer" is the amount.
    Betrag genitivBetrag(QStringView s, qsizetype i)
    {
        Betrag b;
        const qsizetype e = wortEnde(s, i);
        if (!inListe(s.mid(i, e - i), { u"einer" }))
            return b;
        const qsizetype j = leerEnde(s, e);
        if (j == e || j >= s.size())
            return b;
        b.anfang = i;
        b.genitiv = true;
        const Zahl z = leseZahl(s, j);
        if (z.ende >= 0 && z.wert < 1 && z.brueche) {
            b.von = b.bis = z.wert;
            b.brueche = true;
            b.zahlEnde = z.ende;
        } else {
            const qsizetype e2 = wortEnde(s, j);
            bool halb = false;
            if (e2 > j && zahlwort(s.mid(j, e2 - j), halb) == 0.5 && halb) {
                b.von = b.bis = 0.5;
                b.brueche = true;
                b.halbWort = true;
                b.zahlEnde = e2;
            } else {
                b.von = b.bis = 1;
                b.zahlEnde = e;
            }
        }
        const Phrase p = lesePhrase(s, b.zahlEnde);
        if (!p.treffer || p.treffer.nomen->geschlecht != u'f')
            return {};
        b.ok = true;
        return b;
    }

    // The first amount inside a line that has none at its start.
    Betrag eingebetteterBetrag(QStringView s)
    {
        for (qsizetype i = 0; i < s.size(); ++i) {
            const QChar c = s[i];
            if (i > 0 && (s[i - 1].isLetterOrNumber() || s[i - 1] == u'.' || s[i - 1] == u','))
                continue;
            if (ziffer(c) || bruchWert(c) >= 0) {
                Betrag b = weitererBetrag(s, i, nullptr, 0);
                if (b.ok)
                    return b;
                // Skip the rest of this number.
                while (i + 1 < s.size() && (ziffer(s[i + 1]) || s[i + 1] == u',' || s[i + 1] == u'.'))
                    ++i;
            } else if (c == u'e' || c == u'E') {
                Betrag b = genitivBetrag(s, i);
                if (b.ok)
                    return b;
            }
        }
        return {};
    }

    // The amount of a line: at its start after "ca.", "Je", "oder", …, or the first one inside.
    Betrag hauptBetrag(QStringView s, bool& eingebettet)
    {
        eingebettet = false;
        qsizetype i = leerEnde(s, 0);
        for (int n = 0; n < 2; ++n) {
            bool weiter = false;
            for (const char16_t* p : { u"ca.", u"ca", u"circa", u"etwa", u"ungefähr", u"je", u"oder", u"und",
                     u"bzw.", u"zzgl.", u"plus", u"+" }) {
                if (faengtAnMit(s, i, QStringView(p))) {
                    i = leerEnde(s, i + QStringView(p).size());
                    weiter = true;
                    break;
                }
            }
            if (!weiter)
                break;
        }
        Betrag b = leseBetrag(s, i, true);
        if (b.ok) {
            const qsizetype e = b.zahlEnde;
            // "1. Für den Belag", "3,5 %", "180 °C", "2)", "3-Minuten-Terrine" are no amounts.
            if (!b.hatEinheit && e < s.size() && (s[e] == u'.' || s[e] == u')'))
                return {};
            if (e + 1 < s.size() && (s[e] == u'-' || s[e] == QChar(0x2013)) && s[e + 1].isLetter())
                return {};
            const qsizetype nach = leerEnde(s, e);
            if (!b.wort && nach < s.size() && (s[nach] == u'%' || s[nach] == u'°'))
                return {};
            if (artVon(b) == Masseinheit::Laenge)
                return {};
            return b;
        }
        if (i < s.size() && (ziffer(s[i]) || bruchWert(s[i]) >= 0))
            return {};
        b = eingebetteterBetrag(s);
        eingebettet = b.ok;
        return b;
    }

    Mengenzeile alsMengenzeile(const QString& zeile, const Betrag& b, bool eingebettet)
    {
        Mengenzeile m;
        m.rest = zeile;
        if (!b.ok)
            return m;
        const QStringView s(zeile);
        m.hatMenge = true;
        m.eingebettet = eingebettet;
        m.vorne = s.left(b.anfang).toString();
        m.zahl = s.mid(b.anfang, b.zahlEnde - b.anfang).toString();
        m.von = b.von;
        m.bis = b.bis;
        m.bereich = b.bereich;
        m.trenner = b.trenner;
        m.brueche = b.brueche;
        if (b.hatEinheit) {
            m.einheitNr = b.einheitNr;
            m.luecke = s.mid(b.zahlEnde, b.einheitAnfang - b.zahlEnde).toString();
            m.einheit = s.mid(b.einheitAnfang, b.einheitEnde - b.einheitAnfang).toString();
            m.rest = s.mid(b.einheitEnde).toString();
        } else {
            m.rest = s.mid(b.zahlEnde).toString();
        }
        return m;
    }

    bool istUeberschrift(QStringView zeile) { return zeile.trimmed().endsWith(u':'); }

    // ---- Writing numbers ---------------------------------------------------------------------

    struct Geschrieben {
        QString text;
        double wert = 0;
    };

    QString ohneNullen(double d, int stellen)
    {
        QString t = QString::number(d, 'f', stellen);
        if (t.contains(u'.')) {
            while (t.endsWith(u'0'))
                t.chop(1);
            if (t.endsWith(u'.'))
                t.chop(1);
        }
        t.replace(u'.', u',');
        return t;
    }

    // unterEins: below 1 fractions even when brueche is false (not for grams and millilitres).
    Geschrieben zahlText(double x, bool brueche, bool leerVorBruch = false, bool unterEins = true)
    {
        if (!(x > 0))
            return { QStringLiteral("0"), 0 };
        if (x >= 9.95) {
            const double r = std::round(x);
            const double h = std::floor(x) + 0.5;
            if (std::abs(x - h) <= 0.005 * x && std::abs(x - r) > 0.005 * x)
                return { QString::number(qint64(std::floor(x)))
                        + (brueche ? QStringLiteral("½") : QStringLiteral(",5")),
                    h };
            return { QString::number(qint64(r)), r };
        }
        const double r = std::round(x);
        if (r >= 1 && std::abs(x - r) <= 0.01 * x)
            return { QString::number(qint64(r)), r };
        const double w = std::floor(x);
        if (brueche || (w == 0 && unterEins)) {
            const int bis = w == 0 ? kGeschriebenKlein : kGeschriebenGemischt;
            for (int k = 0; k < bis; ++k) {
                const double c = w + kBrueche[k].wert;
                if (std::abs(x - c) <= 0.01 * x + 1e-9) {
                    QString t = w > 0 ? QString::number(qint64(w)) : QString();
                    if (w > 0 && leerVorBruch)
                        t += u' ';
                    return { t + kBrueche[k].zeichen, c };
                }
            }
        }
        double d = std::round(x * 10) / 10;
        int stellen = 1;
        if (d == 0) {
            stellen = 2;
            d = std::max(0.01, std::round(x * 100) / 100);
        }
        return { ohneNullen(d, stellen), d };
    }

    bool einstellig(double x) { return std::abs(std::round(x * 10) / 10 - x) <= 0.005 * x; }

    bool gebrochen(const QString& t)
    {
        return std::any_of(t.begin(), t.end(), [](QChar c) { return bruchWert(c) >= 0; });
    }

    // ---- Writing an amount -------------------------------------------------------------------

    // How a number of grams or millilitres reads: from 100 in fives, from 5 whole, from 2 in halves.
    Geschrieben kleinText(double x)
    {
        if (x >= 99.5) {
            const double r = std::round(x / 5) * 5;
            return { QString::number(qint64(r)), r };
        }
        if (x >= 4.75) {
            const double r = std::round(x);
            return { QString::number(qint64(r)), r };
        }
        if (x >= 1.95) {
            const double r = std::round(x * 2) / 2;
            return { ohneNullen(r, 1), r };
        }
        return zahlText(x, false, false, false);
    }

    // Kilos and litres: two places where they are exact (1,25 kg, 1,05 l), else one.
    Geschrieben grossText(double x, bool brueche, bool leerVorBruch)
    {
        if (brueche) {
            const Geschrieben g = zahlText(x, true, leerVorBruch);
            if (gebrochen(g.text) || std::abs(g.wert - x) <= 0.001 * x)
                return g;
        }
        if (x < 9.95) {
            const double zwei = std::round(x * 100) / 100;
            if (std::abs(zwei - x) <= 0.001 * x)
                return { ohneNullen(zwei, 2), zwei };
        }
        return zahlText(x, false);
    }

    struct Geschrieb {
        QString von;
        QString bis;
        double wertVon = 0;
        double wertBis = 0;
        QString einheit; // empty: as written
        bool gerundet = false;
        bool bereich = false;
    };

    // The rounding steps of a counted thing.
    double rundeZaehlbar(double x, Zaehlweise z)
    {
        if (z == Zaehlweise::Keine)
            return x;
        if (x >= 9.75)
            return std::max(1.0, std::round(x));
        switch (z) {
        case Zaehlweise::Halbe:
            if (x >= 0.875)
                return std::round(x * 2) / 2;
            break;
        case Zaehlweise::Eier:
            // Half an egg can be measured, a third cannot.
            return x >= 0.6 ? std::max(1.0, std::round(x)) : 0.5;
        case Zaehlweise::Ganze:
        case Zaehlweise::Prise:
            return std::max(1.0, std::round(x));
        default:
            return x;
        }
        // Below one: the part a cook cuts off.
        const double stufen[] = { 0.125, 1.0 / 6, 0.25, 1.0 / 3, 0.5, 2.0 / 3, 0.75, 1 };
        double best = stufen[0];
        for (double s : stufen)
            if (std::abs(s - x) < std::abs(best - x))
                best = s;
        return best;
    }

    // A part of a spoon or a thing that has a sign of its own: ⅛ ⅙ ¼ ⅓ ½ ⅔ ¾.
    bool messbar(double x)
    {
        for (int k = 0; k < kGeschriebenKlein; ++k)
            if (std::abs(x - kBrueche[k].wert) <= 0.01 * x)
                return true;
        return false;
    }

    bool weicht(double geschrieben, double genau)
    {
        return std::abs(geschrieben - genau) > 0.01 * genau + 1e-9;
    }

    // Teaspoons for a third of a tablespoon: "⅓ EL" is "1 TL".
    QString teeloeffel(const QString& el)
    {
        if (el == u"EL")
            return QStringLiteral("TL");
        if (el == u"El")
            return QStringLiteral("Tl");
        if (el == u"el")
            return QStringLiteral("tl");
        if (el.startsWith(u"Ess", Qt::CaseInsensitive) || el.startsWith(u"Eß", Qt::CaseInsensitive))
            return el.endsWith(u'.') ? QStringLiteral("Teel.") : QStringLiteral("Teelöffel");
        return {};
    }

    Zaehlweise zaehlweiseVon(QStringView s, const Betrag& b)
    {
        if (b.hatEinheit) {
            const Kanon k = b.einheit.kanon;
            if (k != NOMEN)
                return Zaehlweise::Keine;
            const Woerter::Nomen* n = b.einheit.nomen;
            if (n->einzahl == u"Stück") {
                // "8 Stück schwarze Oliven": counted like olives.
                const Phrase p = lesePhrase(s, b.einheitEnde);
                if (p.treffer)
                    return p.treffer.nomen->zaehlweise;
            }
            return n->zaehlweise;
        }
        const Phrase p = lesePhrase(s, b.zahlEnde);
        return p.treffer ? p.treffer.nomen->zaehlweise : Zaehlweise::Halbe;
    }

    // The numbers and unit of an amount von…bis (in the amount's own unit) as a cook writes them.
    Geschrieb schreibeWerte(QStringView s, const Betrag& b, double von, double bis, bool runden)
    {
        Geschrieb g;
        g.bereich = b.bereich && std::abs(bis - von) > 1e-9 * bis;
        const Masseinheit art = artVon(b);
        if (art == Masseinheit::Masse || art == Masseinheit::Volumen) {
            const Kanon k = b.einheit.kanon;
            const bool masse = art == Masseinheit::Masse;
            const Kanon klein = masse ? G : ML;
            const Kanon gross = masse ? KG : L;
            const double bv = von * basisVon(k);
            const double bb = bis * basisVon(k);
            Kanon ziel;
            // From 1000 the larger unit; an amount in cl or dl keeps its unit below a litre.
            if (bv >= 999.5)
                ziel = gross;
            else if (k == CL || k == DL)
                ziel = k;
            else
                ziel = klein;
            const double zv = bv / basisVon(ziel);
            const double zb = bb / basisVon(ziel);
            auto text = [&](double x) {
                if (ziel == gross)
                    return grossText(x, b.brueche, b.leerVorBruch);
                if (ziel == klein)
                    return kleinText(x);
                return zahlText(x, b.brueche, b.leerVorBruch);
            };
            Geschrieben a = text(zv);
            Geschrieben e = text(zb);
            g.von = a.text;
            g.bis = e.text;
            g.wertVon = a.wert * basisVon(ziel) / basisVon(k);
            g.wertBis = e.wert * basisVon(ziel) / basisVon(k);
            if (ziel != k)
                g.einheit = metrischerName(ziel, b.einheit.lang);
            return g;
        }
        Zaehlweise z = Zaehlweise::Keine;
        if (runden)
            z = zaehlweiseVon(s, b);
        double v = rundeZaehlbar(von, z);
        double w = g.bereich ? rundeZaehlbar(bis, z) : v;
        if (g.bereich && std::abs(w - v) < 1e-9)
            g.bereich = false;
        if (!g.bereich)
            w = v;
        g.gerundet = weicht(v, von) || (g.bereich && weicht(w, bis));
        const bool loeffel = b.hatEinheit && (b.einheit.kanon == EL || b.einheit.kanon == TL);
        // Below one spoon, the parts a cook measures: "⅓ EL" is "1 TL", "0,2 EL" about "⅔ TL", "0,3 TL"
        // about "⅓ TL"; ¼, ½ and ¾ of a tablespoon stay as they are.
        if (loeffel && runden && !g.bereich && v < 0.99) {
            const bool el = b.einheit.kanon == EL;
            const double t = v * 3;
            const bool genauTl = std::abs(t - 1) < 0.01 || std::abs(t - 2) < 0.01 || std::abs(t - 0.5) < 0.01;
            const QString tl = el
                ? teeloeffel(s.mid(b.einheitAnfang, b.einheitEnde - b.einheitAnfang).toString())
                : QString();
            if (el && !tl.isEmpty() && (genauTl || !messbar(v))) {
                const double r = rundeZaehlbar(t, Zaehlweise::Halbe);
                g.gerundet = g.gerundet || weicht(r, t);
                const Geschrieben a = zahlText(r, true, b.leerVorBruch);
                g.von = g.bis = a.text;
                g.wertVon = g.wertBis = a.wert / 3;
                g.einheit = tl;
                return g;
            }
            if (!el && !messbar(v)) {
                const double r = rundeZaehlbar(v, Zaehlweise::Halbe);
                g.gerundet = g.gerundet || weicht(r, v);
                v = w = r;
            }
        }
        if (loeffel && runden && v < 0.11) {
            // Less than an eighth of a spoon is a pinch; it still reads as a spoon.
            g.gerundet = g.gerundet || weicht(0.125, v);
            v = w = 0.125;
            g.bereich = false;
        }
        const bool bv = b.brueche || !einstellig(v) || (g.bereich && !einstellig(w));
        Geschrieben a = zahlText(v, bv, b.leerVorBruch);
        Geschrieben e = zahlText(w, bv, b.leerVorBruch);
        if (g.bereich && gebrochen(a.text) != gebrochen(e.text)
            && (a.text.contains(u',') || e.text.contains(u','))) {
            // Both ends of a range in one notation: "0,4-0,5", not "0,4-½".
            a = zahlText(v, false, false, false);
            e = zahlText(w, false, false, false);
        }
        g.von = a.text;
        g.bis = e.text;
        g.wertVon = a.wert;
        g.wertBis = e.wert;
        return g;
    }

    // The changes that write amount b as von…bis: numbers, unit, and the words that agree with them.
    bool schreibeBetrag(
        QStringView s, const Betrag& b, double von, double bis, bool runden, QList<Aenderung>& out)
    {
        const Geschrieb g = schreibeWerte(s, b, von, bis, runden);
        const bool alt = b.bis > 1.0001;
        const bool neu = (g.bereich ? g.wertBis : g.wertVon) > 1.0001;
        // The number, in the amount's notation; "einer" for one in "Saft einer Zitrone".
        QString zahl = g.bereich ? g.von + b.trenner + g.bis : g.von;
        if (b.genitiv) {
            const double w = g.wertVon;
            const bool zeichen = b.brueche && !b.halbWort; // "einer ½ Zitrone"
            if (std::abs(w - 1) < 1e-9)
                zahl = QStringLiteral("einer");
            else if (std::abs(w - 0.5) < 1e-9 && !zeichen)
                zahl = QStringLiteral("einer halben");
            else if (w < 1)
                zahl = QStringLiteral("einer ") + g.von;
            else
                zahl = QStringLiteral("von ") + zahl;
        }
        out.append({ b.anfang, b.zahlEnde - b.anfang, zahl });
        if (b.hatEinheit) {
            const qsizetype lang = b.einheitEnde - b.einheitAnfang;
            const Einheit& u = b.einheit;
            if (!g.einheit.isEmpty()) {
                out.append({ b.einheitAnfang, lang, g.einheit });
            } else if (u.kanon == NOMEN && !u.abgekuerzt && !b.einheitFest) {
                const Woerter::Treffer t = Woerter::tabelle().findeEinheit(
                    s.mid(b.einheitAnfang, b.einheitEnde - b.einheitAnfang));
                const bool geschriebenMehr = t.mehrzahl && !t.einzahl;
                const bool geschriebenEins = t.einzahl && !t.mehrzahl;
                if ((neu && geschriebenEins) || (!neu && geschriebenMehr))
                    out.append({ b.einheitAnfang, lang, t.form(neu, true) });
            }
            // "1 gestrichener TL" → "2 gestrichene TL"
            const QChar geschlecht = u.kanon == NOMEN ? u.nomen->geschlecht
                : (u.kanon == EL || u.kanon == TL)    ? QChar(u'm')
                                                      : QChar();
            if (!g.einheit.isEmpty() && u.kanon == NOMEN)
                return g.gerundet;
            for (qsizetype k = b.zahlEnde; k < b.einheitAnfang;) {
                k = leerEnde(s, k);
                if (k >= b.einheitAnfang)
                    break;
                const Wort w = leseWort(s, k);
                if (w.ende == w.anfang)
                    break;
                if (adjektivisch(w.text))
                    beugeAdjektiv(w, geschlecht, alt, neu, out);
                k = w.ende;
            }
            // "2 Stück Zwiebeln", "1 Stück Zwiebel": after "Stück" the noun counts as well.
            if (!(u.nomen && u.nomen->einzahl == u"Stück"))
                return g.gerundet;
        }
        const Phrase p = lesePhrase(s, b.ende());
        if (!p.treffer)
            return g.gerundet;
        const bool kopfMehr = p.treffer.mehrzahl && !p.treffer.einzahl;
        const bool kopfEins = p.treffer.einzahl && !p.treffer.mehrzahl;
        // The adjectives agreed with the noun as written, or with the old number.
        const bool vorher = p.fest ? alt : kopfMehr ? true : kopfEins ? false : alt;
        if (!p.fest && ((neu && kopfEins) || (!neu && kopfMehr)))
            out.append({ p.kopf.anfang, p.kopf.ende - p.kopf.anfang, p.treffer.form(neu) });
        for (const Wort& w : p.adjektive)
            beugeAdjektiv(w, p.treffer.nomen->geschlecht, vorher, neu, out);
        return g.gerundet;
    }

    QString anwenden(QStringView s, QList<Aenderung> aenderungen)
    {
        std::sort(aenderungen.begin(), aenderungen.end(),
            [](const Aenderung& a, const Aenderung& b) { return a.anfang > b.anfang; });
        QString out = s.toString();
        qsizetype grenze = out.size() + 1;
        for (const Aenderung& a : aenderungen) {
            if (a.anfang + a.laenge > grenze)
                continue;
            out.replace(a.anfang, a.laenge, a.text);
            grenze = a.anfang;
        }
        return out;
    }

    // The further amounts after the line's own: "… und 50 g Puderzucker", "(oder 2 kleine Äpfel)".
    QList<Betrag> weitereBetraege(QStringView s, const Betrag& erster)
    {
        QList<Betrag> out;
        const qsizetype start = erster.ende();
        for (qsizetype i = start; i < s.size(); ++i) {
            const QChar c = s[i];
            if (!(ziffer(c) || bruchWert(c) >= 0 || c == u'e' || c == u'E'))
                continue;
            if (i > 0 && (s[i - 1].isLetterOrNumber() || s[i - 1] == u'.' || s[i - 1] == u','))
                continue;
            const Betrag b = weitererBetrag(s, i, &erster, start);
            if (b.ok) {
                out.append(b);
                i = b.ende() - 1;
                continue;
            }
            while (i + 1 < s.size() && (ziffer(s[i + 1]) || s[i + 1] == u',' || s[i + 1] == u'.'))
                ++i;
        }
        return out;
    }

    Skaliert skaliereIntern(const QString& zeile, double faktor, double festerWert, bool runden = true)
    {
        Skaliert out { zeile, false };
        if (istUeberschrift(zeile))
            return out;
        const QStringView s(zeile);
        bool eingebettet = false;
        const Betrag b = hauptBetrag(s, eingebettet);
        if (!b.ok)
            return out;
        QList<Aenderung> aenderungen;
        if (festerWert > 0)
            schreibeBetrag(s, b, festerWert, festerWert + (b.bis - b.von) * faktor, false, aenderungen);
        else
            out.gerundet = schreibeBetrag(s, b, b.von * faktor, b.bis * faktor, runden, aenderungen);
        for (const Betrag& w : weitereBetraege(s, b))
            out.gerundet
                = schreibeBetrag(s, w, w.von * faktor, w.bis * faktor, runden, aenderungen) || out.gerundet;
        out.text = anwenden(s, aenderungen);
        if (out.gerundet)
            out.genau = skaliereIntern(zeile, faktor, festerWert, false).text;
        return out;
    }

} // namespace

Masseinheit Mengenzeile::art() const
{
    Einheit e;
    return einheitVon(einheitNr, e) ? artVon(e.kanon) : Masseinheit::Keine;
}

QString Mengenzeile::kennung() const
{
    Einheit e;
    if (!einheitVon(einheitNr, e))
        return {};
    switch (artVon(e.kanon)) {
    case Masseinheit::Masse:
        return QStringLiteral("Masse");
    case Masseinheit::Volumen:
        return QStringLiteral("Volumen");
    case Masseinheit::Laenge:
        return QStringLiteral("Länge");
    default:
        if (e.kanon == EL)
            return QStringLiteral("EL");
        if (e.kanon == TL)
            return QStringLiteral("TL");
        return e.nomen ? e.nomen->einzahl : e.text;
    }
}

double Mengenzeile::basis() const
{
    Einheit e;
    return einheitVon(einheitNr, e) ? basisVon(e.kanon) : 1;
}

bool Mengenzeile::prise() const
{
    Einheit e;
    return einheitVon(einheitNr, e) && e.nomen && e.nomen->zaehlweise == Zaehlweise::Prise;
}

Mengenzeile leseMenge(const QString& zeile)
{
    if (istUeberschrift(zeile)) {
        Mengenzeile m;
        m.rest = zeile;
        return m;
    }
    bool eingebettet = false;
    const Betrag b = hauptBetrag(zeile, eingebettet);
    return alsMengenzeile(zeile, b, eingebettet);
}

QString schreibeZahl(double wert, bool brueche) { return zahlText(wert, brueche).text; }

QString schreibeMenge(const Mengenzeile& m, double von, double bis)
{
    // Read back the amount's own text to know its unit.
    const QString teil = m.zahl + m.luecke + m.einheit;
    const QStringView s(teil);
    Betrag b = leseBetrag(s, 0, true);
    if (!b.ok)
        return teil;
    b.von = m.von;
    b.bis = m.bis;
    b.bereich = m.bereich;
    b.trenner = m.trenner;
    b.brueche = m.brueche;
    QList<Aenderung> aenderungen;
    schreibeBetrag(s, b, von, bis, false, aenderungen);
    return anwenden(s, aenderungen);
}

Skaliert skaliere(const QString& zeile, double faktor)
{
    if (faktor == 1.0 || !(faktor > 0))
        return { zeile, false };
    return skaliereIntern(zeile, faktor, -1);
}

QString skaliereZeile(const QString& zeile, double faktor) { return skaliere(zeile, faktor).text; }

QString mitMenge(const QString& zeile, double von, double bis)
{
    if (istUeberschrift(zeile))
        return zeile;
    const QStringView s(zeile);
    bool eingebettet = false;
    const Betrag b = hauptBetrag(s, eingebettet);
    if (!b.ok)
        return zeile;
    QList<Aenderung> aenderungen;
    schreibeBetrag(s, b, von, bis, false, aenderungen);
    return anwenden(s, aenderungen);
}

QString ohneSonderbrueche(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char* ersatz = c == u'⅓' ? "1/3"
            : c == u'⅔'                ? "2/3"
            : c == u'⅛'                ? "1/8"
            : c == u'⅙'                ? "1/6"
                                       : nullptr;
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
        if (faengtAnMit(s, i, u"für"))
            i = leerEnde(s, i + 3);
        return i;
    }

    // "Personen 4", the form some pages give: the word, then the number.
    bool wortDannZahl(
        const QString& menge, QString& wort, qsizetype& zahlAnfang, qsizetype& zahlEnde, int& zahl)
    {
        const QStringView s = QStringView(menge);
        qsizetype i = leerEnde(s, 0);
        const qsizetype e = wortEnde(s, i);
        if (e == i || !s[i].isUpper())
            return false;
        const qsizetype j = leerEnde(s, e);
        if (j == e)
            return false;
        const qsizetype k = ziffernEnde(s, j);
        if (k == j || k - j > 3 || !s.mid(k).trimmed().isEmpty())
            return false;
        wort = s.mid(i, e - i).toString();
        zahlAnfang = j;
        zahlEnde = k;
        zahl = s.mid(j, k - j).toInt();
        return zahl > 0;
    }
}

Portionen lesePortionen(const QString& menge)
{
    Portionen p;
    p.einheit = QStringLiteral("× Rezept");
    QString wort;
    qsizetype a = 0, e = 0;
    int zahl = 0;
    if (wortDannZahl(menge, wort, a, e, zahl)) {
        p.gefunden = true;
        p.anzahl = zahl;
        p.einheit = wort;
        return p;
    }
    const qsizetype i = portionenAnfang(menge);
    const Mengenzeile m = leseMenge(menge.mid(i));
    if (!m.hatMenge || m.eingebettet || m.von < 0.5 || m.von > 999 || m.von * 2 != std::floor(m.von * 2))
        return p;
    p.gefunden = true;
    p.anzahl = m.von;
    if (!m.einheit.isEmpty()) {
        p.einheit = m.einheit;
    } else {
        const QStringView r = QStringView(m.rest).trimmed();
        qsizetype k = 0;
        while (k < r.size() && (r[k].isLetter() || (k > 0 && r[k] == u'-')))
            ++k;
        p.einheit = r.left(k).toString();
    }
    return p;
}

QString skalierePortionen(const QString& menge, double anzahl)
{
    const Portionen p = lesePortionen(menge);
    if (std::abs(anzahl - p.anzahl) < 1e-9 || !(anzahl > 0))
        return menge;
    if (!p.gefunden) {
        const QString vorher = menge.trimmed();
        const QString mal = schreibeZahl(anzahl, true) + QStringLiteral(" × Rezept");
        return vorher.isEmpty() || vorher == u"-" ? mal : vorher + QStringLiteral(" – ") + mal;
    }
    QString wort;
    qsizetype a = 0, e = 0;
    int zahl = 0;
    if (wortDannZahl(menge, wort, a, e, zahl))
        return menge.left(a) + schreibeZahl(anzahl, true) + menge.mid(e);
    const qsizetype i = portionenAnfang(menge);
    return menge.left(i) + skaliereIntern(menge.mid(i), anzahl / p.anzahl, anzahl).text;
}

} // namespace tk
