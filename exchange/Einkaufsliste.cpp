#include "exchange/Einkaufsliste.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include "exchange/Mengen.h"
#include "platform/TextLines.h"
#include "store/Formats.h"

namespace tk {

namespace {
    // Names compared for adding up: case-blind, blanks folded, and per word a plural "n" and a final
    // "e" dropped, so "Zwiebeln" meets "Zwiebel" and "frische Tomaten" meets "frische Tomate".
    QString falte(const QString& text)
    {
        const QStringList woerter = text.simplified().toLower().split(u' ', Qt::SkipEmptyParts);
        QStringList out;
        for (QString w : woerter) {
            if (w.size() > 3 && w.endsWith(u'n'))
                w.chop(1);
            if (w.size() > 3 && w.endsWith(u'e'))
                w.chop(1);
            out.append(w);
        }
        return out.join(u' ');
    }

    bool istUeberschrift(const QString& zeile)
    {
        const QString t = zeile.trimmed();
        return t.isEmpty() || t.endsWith(u':') || t.startsWith(QStringLiteral("=="));
    }

    QString mengeVon(const Mengenzeile& m)
    {
        const QString vorne = m.vorne.trimmed();
        return (vorne.isEmpty() ? QString() : vorne + u' ') + m.zahl + m.luecke + m.einheit;
    }

    // Lines that add up share a key: the folded name and the kind of unit, or for a line without
    // amount its folded text.
    QString schluessel(const Mengenzeile& m, const QString& zeile)
    {
        if (!m.hatMenge)
            return u'\x1e' + falte(zeile);
        return m.kennung() + u'\x1f' + falte(m.rest);
    }

    // Adds the amount of mn to the entry e, whose line reads as me.
    void addiere(Einkauf& e, const Mengenzeile& me, const Mengenzeile& mn)
    {
        if (!me.hatMenge)
            return;
        const double f = mn.basis() / me.basis();
        Mengenzeile muster = me;
        muster.brueche = me.brueche || mn.brueche;
        if (!muster.bereich && mn.bereich) {
            muster.bereich = true;
            muster.trenner = mn.trenner;
        }
        // Something roughly measured stays rough in the sum.
        if (muster.vorne.trimmed().isEmpty())
            muster.vorne = mn.vorne;
        muster.zahl = schreibeMenge(muster, me.von + mn.von * f, me.bis + mn.bis * f);
        muster.luecke.clear();
        muster.einheit.clear();
        e.menge = mengeVon(muster);
    }
}

QString Einkauf::zeile() const
{
    if (menge.isEmpty())
        return zutat;
    if (zutat.isEmpty())
        return menge;
    return menge + u' ' + zutat;
}

void Einkaufsliste::hinzufuegen(const QStringList& zeilen, const QString& rezept)
{
    // The first open entry of each key takes what comes.
    QHash<QString, qsizetype> offen;
    for (qsizetype i = 0; i < eintraege.size(); ++i) {
        const Einkauf& e = eintraege.at(i);
        if (e.erledigt)
            continue;
        const QString k = schluessel(leseMenge(e.zeile()), e.zeile());
        if (!offen.contains(k))
            offen.insert(k, i);
    }
    for (const QString& z : zeilen) {
        if (istUeberschrift(z))
            continue;
        Einkauf neu;
        const Mengenzeile m = leseMenge(z);
        if (m.hatMenge) {
            neu.menge = mengeVon(m);
            neu.zutat = m.rest.trimmed();
        } else {
            neu.zutat = z.trimmed();
        }
        const QString k = schluessel(m, z);
        const auto it = offen.constFind(k);
        if (it != offen.cend()) {
            Einkauf& e = eintraege[*it];
            addiere(e, leseMenge(e.zeile()), m);
            if (!e.rezepte.contains(rezept))
                e.rezepte.append(rezept);
        } else {
            neu.rezepte = QStringList { rezept };
            offen.insert(k, eintraege.size());
            eintraege.append(neu);
        }
    }
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

QList<DruckText> EinkaufslisteDruck(const Einkaufsliste& liste, int seitenBreite, int seitenHoehe)
{
    const int u = druckEinheit(seitenBreite);
    const int schritt = 10 * u;
    QList<DruckText> out;
    out.append({ QStringLiteral("Einkaufsliste"), 12, true, false, 50 * u, 40 * u, 0 });
    int seite = 0;
    int y = 70 * u;
    for (const QString& z : liste.textzeilen()) {
        if (y + schritt > seitenHoehe && y > 40 * u) {
            ++seite;
            y = 40 * u;
        }
        out.append({ z, 10, false, false, 50 * u, y, seite });
        y += schritt;
    }
    return out;
}

} // namespace tk
