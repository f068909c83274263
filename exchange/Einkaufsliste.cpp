#include "exchange/Einkaufsliste.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include "exchange/Kuechenwoerter.h"
#include "exchange/Mengen.h"
#include "platform/TextLines.h"
#include "store/Formats.h"

namespace tk {

namespace {
    bool istUeberschrift(const QString& zeile)
    {
        const QString t = zeile.trimmed();
        return t.isEmpty() || t.endsWith(u':') || t.startsWith(QStringLiteral("=="));
    }

    bool inListe(QStringView w, std::initializer_list<const char16_t*> liste)
    {
        for (const char16_t* l : liste)
            if (w.compare(QStringView(l), Qt::CaseInsensitive) == 0)
                return true;
        return false;
    }

    // An adjective without its ending: "weiche" → "weich", "großer" → "groß".
    QString grundform(QStringView w)
    {
        QString t = w.toString().toLower();
        if (t.size() > 4) {
            for (const char16_t* e : { u"en", u"er", u"es", u"em", u"e" }) {
                if (t.endsWith(QStringView(e))) {
                    t.chop(QStringView(e).size());
                    break;
                }
            }
        }
        return t;
    }

    // Sizes say nothing about what to buy once lines add up ("2 große Zwiebeln" + "1 Zwiebel").
    bool groesse(const QString& grund)
    {
        return inListe(grund,
            { u"groß", u"gross", u"klein", u"mittelgroß", u"mittelgross", u"mittel", u"mittler", u"riesig",
                u"dick", u"dünn", u"kl.", u"gr.", u"mittl." });
    }

    // States and qualities are notes, not another ingredient ("weiche Butter" is butter).
    bool zustand(const QString& grund)
    {
        return inListe(grund,
            { u"weich", u"kalt", u"warm", u"lauwarm", u"zimmerwarm", u"handwarm", u"flüssig", u"zerlassen",
                u"geschmolzen", u"frisch", u"reif", u"gekühlt", u"eiskalt", u"unbehandelt", u"ungeschält",
                u"geschält", u"gewaschen", u"temperiert", u"zimmertemperiert", u"kühlschrankkalt", u"bio" });
    }

    bool farbe(const QString& wort)
    {
        return inListe(wort,
            { u"rot", u"grün", u"gelb", u"orange", u"weiß", u"schwarz", u"braun", u"blau", u"lila",
                u"violett", u"bunt", u"hell", u"dunkel" });
    }

    // Words that stand in a line without amount or around an amount inside and name nothing.
    bool ohneBedeutung(const QString& klein)
    {
        return inListe(klein,
            { u"etwas", u"wenig", u"einige", u"reichlich", u"ein", u"eine", u"einer", u"eines", u"von",
                u"aus", u"der", u"die", u"das", u"je", u"ca.", u"ca", u"etwa" });
    }

    // A word of a name for comparing: nouns by their singular, the rest case-blind with a plural "n"
    // and a final "e" dropped.
    QString faltWort(QStringView w)
    {
        const Kuechenwoerter::Treffer t = Kuechenwoerter::tabelle().finde(w);
        if (t && w.front().isUpper())
            return t.stamm();
        QString x = w.toString().toLower();
        if (x.size() > 3 && x.endsWith(u'n'))
            x.chop(1);
        if (x.size() > 3 && x.endsWith(u'e'))
            x.chop(1);
        return x;
    }

    struct NameWort {
        qsizetype anfang;
        qsizetype ende;
        QString grund; // for comparing
        bool groesse = false;
        bool zustand = false;
    };

    // An ingredient's words for adding up: the name as written, the notes beside it.
    struct Name {
        QString kern; // "große Zwiebeln", "weiche Butter", "Salz, Pfeffer"
        QList<NameWort> woerter;
        QStringList nah; // "(optional)", "zum Braten": written right after the name
        QStringList notizen; // after a comma: "fein gehackt"
        QString schluessel;
    };

    Name leseName(const QString& text)
    {
        Name n;
        QString t = text.trimmed();
        // Brackets are notes, but not "(n)" or "(er)" written for both numbers of a noun.
        for (qsizetype a = t.indexOf(u'('); a >= 0; a = t.indexOf(u'(', a)) {
            qsizetype e = t.indexOf(u')', a);
            e = e < 0 ? t.size() : e + 1;
            if (a > 0 && t[a - 1].isLetter() && e - a <= 5) {
                a = e;
                continue;
            }
            n.nah.append(t.mid(a, e - a).trimmed());
            t.remove(a, e - a);
        }
        t = t.simplified();
        // After a comma or semicolon, a part without a noun ("fein gehackt") or one that starts with a
        // preposition ("in Öl") is a note; "Salz, Pfeffer" and "Salz, weißer Pfeffer" are lists.
        QStringList stuecke;
        for (qsizetype a = 0, k = 0; k <= t.size(); ++k) {
            if (k == t.size() || t[k] == u',' || t[k] == u';') {
                stuecke.append(t.mid(a, k - a));
                a = k + 1;
            }
        }
        QString kern = stuecke.first();
        for (qsizetype k = 1; k < stuecke.size(); ++k) {
            const QString teil = stuecke.at(k).trimmed();
            if (teil.isEmpty())
                continue;
            const bool nomen = std::any_of(teil.begin(), teil.end(), [](QChar c) { return c.isUpper(); });
            const QString erstes = teil.section(u' ', 0, 0);
            if (farbe(teil))
                kern += QStringLiteral(", ") + teil; // "Paprika; rot" and "Paprika; grün" are two things
            else if (!nomen
                || inListe(erstes,
                    { u"in", u"im", u"mit", u"ohne", u"aus", u"vom", u"am", u"zum", u"zur", u"für", u"z.B.",
                        u"z.", u"ca.", u"etwa", u"nach", u"je" }))
                n.notizen.append(teil);
            else
                kern += QStringLiteral(", ") + teil;
        }
        t = kern;
        // "zum Braten", "für die Form"
        for (qsizetype k = t.indexOf(u' '); k > 0; k = t.indexOf(u' ', k + 1)) {
            const qsizetype e = t.indexOf(u' ', k + 1);
            if (e > k + 1
                && inListe(
                    QStringView(t).mid(k + 1, e - k - 1), { u"zum", u"zur", u"für", u"nach", u"zzgl." })) {
                n.nah.append(t.mid(k + 1).trimmed());
                t.truncate(k);
                break;
            }
        }
        n.kern = t.trimmed();
        QStringList teile;
        for (qsizetype i = 0; i < n.kern.size();) {
            while (i < n.kern.size() && n.kern[i] == u' ')
                ++i;
            qsizetype e = i;
            while (e < n.kern.size() && n.kern[e] != u' ')
                ++e;
            if (e == i)
                break;
            QStringView w = QStringView(n.kern).mid(i, e - i);
            while (!w.isEmpty() && (w.back() == u',' || w.back() == u';' || w.back() == u'"'))
                w.chop(1);
            NameWort nw { i, e, {} };
            const bool letztes = e >= n.kern.size();
            if (!w.isEmpty() && w.front().isLower() && !letztes) {
                nw.grund = grundform(w);
                nw.groesse = groesse(nw.grund);
                nw.zustand = zustand(nw.grund);
            } else if (!w.isEmpty()) {
                nw.grund = faltWort(w);
                nw.zustand = w.compare(u"Bio", Qt::CaseInsensitive) == 0;
            }
            // "Prise Salz", "Bund Petersilie" without a number: the unit names nothing.
            const bool einheit = i == 0 && e < n.kern.size() && Kuechenwoerter::tabelle().findeEinheit(w);
            n.woerter.append(nw);
            if (!einheit && !nw.groesse && !nw.zustand && !nw.grund.isEmpty() && !ohneBedeutung(nw.grund))
                teile.append(nw.grund);
            i = e;
        }
        n.schluessel = teile.join(u' ');
        return n;
    }

    // The size and state words of a name, for comparing two lines of one ingredient.
    QStringList beiwoerter(const Name& n)
    {
        QStringList out;
        for (const NameWort& w : n.woerter)
            if (w.groesse || w.zustand)
                out.append(w.grund);
        return out;
    }

    QString mitNotizen(const QString& kern, const QStringList& nah, const QStringList& notizen)
    {
        QString t = kern;
        for (const QString& x : nah)
            t += u' ' + x;
        if (!notizen.isEmpty())
            t += QStringLiteral(", ") + notizen.join(QStringLiteral(", "));
        return t;
    }

    // A line read for adding up.
    struct Posten {
        Mengenzeile m;
        QString art; // "" without amount, "Masse", "Volumen", "Anzahl", "EL", "Dose", …
        Name name;
        QString schluessel;
    };

    Posten liesPosten(const QString& zeile);

    // Entries are read again on every recipe added; the last readings are kept.
    Posten lesePosten(const QString& zeile)
    {
        static thread_local QHash<QString, Posten> gelesen;
        const auto it = gelesen.constFind(zeile);
        if (it != gelesen.cend())
            return *it;
        if (gelesen.size() > 4096)
            gelesen.clear();
        return *gelesen.insert(zeile, liesPosten(zeile));
    }

    Posten liesPosten(const QString& zeile)
    {
        Posten p;
        p.m = leseMenge(zeile);
        if (!p.m.hatMenge) {
            p.name = leseName(zeile);
            p.schluessel = p.name.schluessel;
            return p;
        }
        const QString k = p.m.kennung();
        p.art = k.isEmpty() || k == u"Stück" ? QStringLiteral("Anzahl") : k;
        if (p.m.eingebettet) {
            // "Saft einer ½ Zitrone": the words around the amount are the name.
            p.name = leseName(p.m.vorne + QStringLiteral(" # ") + p.m.rest);
            p.schluessel = p.name.schluessel;
            return p;
        }
        p.name = leseName(p.m.rest);
        p.schluessel = p.name.schluessel;
        return p;
    }

    Einkauf alsEinkauf(const QString& zeile)
    {
        Einkauf e;
        const Mengenzeile m = leseMenge(zeile);
        if (m.hatMenge && !m.eingebettet) {
            const QString vorne = m.vorne.trimmed();
            e.menge = (vorne.isEmpty() ? QString() : vorne + u' ') + m.zahl + m.luecke + m.einheit;
            e.zutat = m.rest.trimmed();
        } else {
            e.zutat = zeile.trimmed();
        }
        return e;
    }

    // Two lines of one ingredient as one: the amounts added in the entry's unit, the noun in the number
    // of the sum, sizes that differ dropped, states and notes kept beside the name.
    void vereinige(Einkauf& e, const Posten& pe, const Posten& pn)
    {
        // The name: what both say, and the notes of both.
        QString zutat = pe.m.hatMenge && pe.m.eingebettet ? QString() : e.zutat;
        const QStringList be = beiwoerter(pe.name);
        const QStringList bn = beiwoerter(pn.name);
        // The entry keeps its notes; of the new line's notes only states come along ("weich"): how a
        // recipe cuts an onion says nothing about what to buy.
        const QStringList nah = pe.name.nah;
        QStringList notizen = pe.name.notizen;
        bool neu = false;
        for (const QString& x : pn.name.notizen)
            if (zustand(grundform(x)) && !notizen.contains(x, Qt::CaseInsensitive)) {
                notizen.append(x);
                neu = true;
            }
        if (be != bn || neu) {
            QString kern = pe.name.kern;
            for (qsizetype i = pe.name.woerter.size() - 1; i >= 0; --i) {
                const NameWort& w = pe.name.woerter.at(i);
                if (!(w.groesse || w.zustand) || bn.contains(w.grund))
                    continue;
                if (w.zustand && !notizen.contains(w.grund, Qt::CaseInsensitive))
                    notizen.prepend(w.grund);
                qsizetype ende = w.ende;
                while (ende < kern.size() && kern[ende] == u' ')
                    ++ende;
                kern.remove(w.anfang, ende - w.anfang);
            }
            for (const NameWort& w : pn.name.woerter)
                if (w.zustand && !be.contains(w.grund) && !notizen.contains(w.grund, Qt::CaseInsensitive))
                    notizen.append(w.grund);
            if (!zutat.isEmpty() || !pe.m.hatMenge)
                zutat = mitNotizen(kern.trimmed(), nah, notizen);
        }
        if (!pe.m.hatMenge) {
            // "Salz" and "1 Prise Salz" are salt.
            e.zutat = zutat;
            return;
        }
        if (!pn.m.hatMenge) {
            // A pinch and a line without amount: the seasoning, without amount.
            e.menge.clear();
            e.zutat = zutat;
            return;
        }
        const Mengenzeile& me = pe.m;
        const Mengenzeile& mn = pn.m;
        const double f = mn.basis() / me.basis();
        // The sum written the way the entry writes its amount, as a range or in fractions where either is.
        QString zahl = me.zahl;
        if (mn.bereich && !me.bereich)
            zahl = mn.zahl;
        else if (mn.brueche && !me.brueche && !me.bereich && !me.eingebettet)
            zahl = QStringLiteral("½");
        QString vorne = me.vorne;
        if (vorne.trimmed().isEmpty() && !mn.vorne.trimmed().isEmpty() && !mn.eingebettet)
            vorne = mn.vorne.trimmed() + u' ';
        const QString muster = me.eingebettet
            ? e.zutat.left(me.vorne.size()) + zahl + me.luecke + me.einheit + me.rest
            : vorne + zahl + me.luecke + me.einheit + u' ' + zutat;
        const Einkauf summe = alsEinkauf(mitMenge(muster, me.von + mn.von * f, me.bis + mn.bis * f));
        e.menge = summe.menge;
        e.zutat = summe.zutat;
    }

    bool vertraeglich(const Posten& a, const Posten& b)
    {
        if (a.art == b.art)
            return true;
        return (a.art.isEmpty() && b.m.prise()) || (b.art.isEmpty() && a.m.prise());
    }
}

void Einkauf::setzeMenge(const QString& neu)
{
    const QString vorher = menge;
    menge = neu;
    if (vorher.isEmpty() || neu.isEmpty())
        return;
    const Mengenzeile m = leseMenge(zeile());
    const QString vorne = m.vorne.trimmed();
    if (!m.hatMenge || m.eingebettet
        || (vorne.isEmpty() ? QString() : vorne + u' ') + m.zahl + m.luecke + m.einheit != neu)
        return;
    zutat = alsEinkauf(mitMenge(zeile(), m.von, m.bis)).zutat;
}

QString Einkauf::zeile() const
{
    if (menge.isEmpty())
        return zutat;
    if (zutat.isEmpty())
        return menge;
    return menge + u' ' + zutat;
}

QList<qsizetype> Einkaufsliste::hinzufuegen(const QStringList& zeilen, const QString& rezept)
{
    QList<qsizetype> beruehrt;
    // Open entries by name; the first of a name and kind takes what comes.
    QHash<QString, QList<qsizetype>> offen;
    QHash<qsizetype, Posten> gelesen;
    for (qsizetype i = 0; i < eintraege.size(); ++i) {
        const Einkauf& e = eintraege.at(i);
        if (e.erledigt)
            continue;
        Posten p = lesePosten(e.zeile());
        offen[p.schluessel].append(i);
        gelesen.insert(i, std::move(p));
    }
    for (const QString& z : zeilen) {
        if (istUeberschrift(z))
            continue;
        const Posten pn = lesePosten(z.trimmed());
        qsizetype ziel = -1;
        Posten pe;
        for (qsizetype i : offen.value(pn.schluessel)) {
            pe = gelesen.value(i);
            if (vertraeglich(pe, pn)) {
                ziel = i;
                break;
            }
        }
        if (ziel >= 0) {
            Einkauf& e = eintraege[ziel];
            vereinige(e, pe, pn);
            if (!e.rezepte.contains(rezept))
                e.rezepte.append(rezept);
            Posten neu = lesePosten(e.zeile());
            if (neu.schluessel != pn.schluessel) {
                offen[pn.schluessel].removeAll(ziel);
                offen[neu.schluessel].append(ziel);
            }
            gelesen.insert(ziel, std::move(neu));
            if (!beruehrt.contains(ziel))
                beruehrt.append(ziel);
        } else {
            Einkauf neu = alsEinkauf(z);
            neu.rezepte = QStringList { rezept };
            offen[pn.schluessel].append(eintraege.size());
            gelesen.insert(eintraege.size(), lesePosten(neu.zeile()));
            beruehrt.append(eintraege.size());
            eintraege.append(neu);
        }
    }
    return beruehrt;
}

void Einkaufsliste::erledigteEntfernen()
{
    eintraege.removeIf([](const Einkauf& e) { return e.erledigt; });
}

Einkaufsliste Einkaufsliste::ausDatei(const QStringList& zeilen)
{
    Einkaufsliste l;
    for (const QString& z : zeilen) {
        if (z.trimmed().isEmpty())
            continue;
        const QStringList f = z.split(u'|');
        Einkauf e;
        if (f.size() >= 3 && (f.at(0) == u"0" || f.at(0) == u"1")) {
            e.erledigt = f.at(0) == u"1";
            e.menge = f.at(1);
            e.zutat = f.at(2);
            for (qsizetype i = 3; i < f.size(); ++i)
                if (!f.at(i).isEmpty())
                    e.rezepte.append(f.at(i));
        } else {
            // A line written by hand: keep it as it is rather than lose it.
            e.zutat = z.trimmed();
        }
        l.eintraege.append(e);
    }
    return l;
}

QStringList Einkaufsliste::dateizeilen() const
{
    QStringList out;
    for (const Einkauf& e : eintraege) {
        QString z = (e.erledigt ? QStringLiteral("1|") : QStringLiteral("0|"))
            + noBar(ohneSonderbrueche(e.menge)) + u'|' + noBar(ohneSonderbrueche(e.zutat));
        for (const QString& r : e.rezepte)
            z += u'|' + noBar(r);
        out.append(z);
    }
    return out;
}

QStringList Einkaufsliste::textzeilen() const
{
    QStringList out;
    for (const Einkauf& e : eintraege)
        out.append((e.erledigt ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) + e.zeile());
    return out;
}

QString einkaufslistePfad(const QString& programDir)
{
    return programDir + QStringLiteral("/Data/Sonstiges/einkaufsliste.dat");
}

Einkaufsliste ladeEinkaufsliste(const QString& programDir)
{
    const QString pfad = einkaufslistePfad(programDir);
    if (!QFileInfo::exists(pfad))
        return {};
    return Einkaufsliste::ausDatei(loadLines(pfad));
}

void speichereEinkaufsliste(const QString& programDir, const Einkaufsliste& liste)
{
    const QString pfad = einkaufslistePfad(programDir);
    QDir().mkpath(QFileInfo(pfad).path());
    saveLines(pfad, liste.dateizeilen());
}

namespace {
    // Greedy at blanks; a word wider than the width stands alone.
    QStringList umbreche(const QString& text, int punkte, int breite, const Textbreite& mass)
    {
        QStringList out;
        QString zeile;
        for (const QString& wort : text.split(u' ', Qt::SkipEmptyParts)) {
            const QString probe = zeile.isEmpty() ? wort : zeile + u' ' + wort;
            if (!zeile.isEmpty() && mass(probe, punkte) > breite) {
                out.append(zeile);
                zeile = wort;
            } else {
                zeile = probe;
            }
        }
        if (!zeile.isEmpty() || out.isEmpty())
            out.append(zeile);
        return out;
    }

    struct Block {
        QStringList zeilen; // 10 pt
        QStringList quellen; // 8 pt
        int hoehe = 0;
    };
}

QList<DruckText> einkaufslisteDruck(const Einkaufsliste& liste, int seitenBreite, int seitenHoehe,
    const QDate& datum, const Textbreite& breite)
{
    const int u = druckEinheit(seitenBreite);
    // Without the printer's measure: Arial is about 0.42 em a character.
    const Textbreite mass = breite ? breite : [u](const QString& t, int punkte) {
        return int(t.size() * punkte * u * 42 / 100);
    };
    const int links = 50 * u;
    const int rechts = seitenBreite - 30 * u;
    const int abstand = 20 * u;
    const int einzug = 12 * u;
    const int ersteOben = 80 * u;
    const int oben = 40 * u;
    const QStringList texte = liste.textzeilen();

    auto bloecke = [&](int spaltenBreite) {
        QList<Block> out;
        for (qsizetype i = 0; i < texte.size(); ++i) {
            Block b;
            // Continuation lines stand indented, so every line keeps to the narrower width.
            b.zeilen = umbreche(texte.at(i), 10, spaltenBreite - einzug, mass);
            const QString quellen = liste.eintraege.at(i).rezepte.join(QStringLiteral(", "));
            if (!quellen.isEmpty())
                b.quellen = umbreche(quellen, 8, spaltenBreite - einzug, mass);
            b.hoehe = int(b.zeilen.size()) * 10 * u + int(b.quellen.size()) * 8 * u + 3 * u;
            out.append(b);
        }
        return out;
    };
    // One column while the list fits on the first page, else two.
    QList<Block> alle = bloecke(rechts - links);
    int summe = 0;
    for (const Block& b : alle)
        summe += b.hoehe;
    const bool zwei = summe > seitenHoehe - ersteOben;
    const int spaltenBreite = zwei ? (rechts - links - abstand) / 2 : rechts - links;
    if (zwei)
        alle = bloecke(spaltenBreite);

    QList<DruckText> out;
    out.append({ QStringLiteral("Einkaufsliste"), 12, true, false, links, oben, 0 });
    out.append({ QStringLiteral("Stand: ") + datum.toString(QStringLiteral("dd.MM.yyyy")), 8, false, false,
        links, oben + 18 * u, 0 });
    int seite = 0;
    int spalte = 0;
    int y = ersteOben;
    for (const Block& b : alle) {
        const int spaltenOben = seite == 0 ? ersteOben : oben;
        if (y + b.hoehe > seitenHoehe && y > spaltenOben) {
            if (zwei && spalte == 0) {
                spalte = 1;
            } else {
                spalte = 0;
                ++seite;
            }
            y = seite == 0 ? ersteOben : oben;
        }
        const int x = links + spalte * (spaltenBreite + abstand);
        for (qsizetype k = 0; k < b.zeilen.size(); ++k) {
            out.append({ b.zeilen.at(k), 10, false, false, k == 0 ? x : x + einzug, y, seite });
            y += 10 * u;
        }
        for (const QString& q : b.quellen) {
            out.append({ q, 8, false, false, x + einzug, y, seite });
            y += 8 * u;
        }
        y += 3 * u;
    }
    return out;
}

} // namespace tk
