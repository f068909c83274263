#include "planung/Wochenplan.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "exchange/Mengen.h"
#include "platform/TextLines.h"
#include "store/Formats.h"

namespace tk {

namespace {
    const QString kDatumsformat = QStringLiteral("dd.MM.yyyy");

    bool frueher(const Planeintrag& a, const Planeintrag& b) { return a.tag < b.tag; }

    // The place of entry e in the list, -1 when it is not there.
    qsizetype stelleVon(const QList<Planeintrag>& liste, const Planeintrag& e)
    {
        const auto it = std::find(liste.begin(), liste.end(), e);
        return it == liste.end() ? -1 : it - liste.begin();
    }

    std::optional<int> zahl(const QString& feld)
    {
        bool ok = false;
        const int n = feld.trimmed().toInt(&ok, 10);
        return ok ? std::optional<int>(n) : std::nullopt;
    }

    // "07.12.2026", and as written by hand "7.12.2026".
    QDate datum(const QString& feld)
    {
        const QDate d = QDate::fromString(feld.trimmed(), kDatumsformat);
        return d.isValid() ? d : QDate::fromString(feld.trimmed(), QStringLiteral("d.M.yyyy"));
    }

    std::optional<Planeintrag> leseZeile(const QString& zeile)
    {
        const QStringList f = zeile.split(u'|');
        if (f.size() < 4)
            return std::nullopt;
        Planeintrag e;
        e.tag = datum(f.at(0));
        const std::optional<int> nummer = zahl(f.at(1));
        const std::optional<int> portionen = zahl(f.at(2));
        if (!e.tag.isValid() || !nummer || !portionen || *nummer < -1)
            return std::nullopt;
        e.nummer = *nummer;
        e.titel = zeile.section(u'|', 3);
        if (e.rezept()) {
            if (*portionen < 1 || *portionen > kMaxPortionen)
                return std::nullopt;
            e.portionen = *portionen;
        } else if (e.titel.trimmed().isEmpty()) {
            return std::nullopt;
        }
        return e;
    }
}

QString Planeintrag::text(bool geloescht) const
{
    if (!rezept())
        return titel;
    if (geloescht)
        return titel + QStringLiteral(" (gelöscht)");
    return portionen == 1 ? titel + QStringLiteral(" (1 Portion)")
                          : QStringLiteral("%1 (%2 Portionen)").arg(titel).arg(portionen);
}

QString wochentag(int tag)
{
    static const char* const namen[]
        = { "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag" };
    return tag >= 0 && tag < 7 ? QString::fromLatin1(namen[tag]) : QString();
}

QDate wochenanfang(QDate tag) { return tag.addDays(1 - tag.dayOfWeek()); }

QString wochenText(QDate montag)
{
    return QStringLiteral("Woche vom %1 bis %2")
        .arg(montag.toString(kDatumsformat), montag.addDays(6).toString(kDatumsformat));
}

QList<Planeintrag> Wochenplan::amTag(QDate tag) const
{
    QList<Planeintrag> out;
    for (const Planeintrag& e : eintraege)
        if (e.tag == tag)
            out.append(e);
    return out;
}

void Wochenplan::einfuegen(const Planeintrag& e, int stelle)
{
    // Behind the entries of earlier days, then stelle entries of the same day further.
    auto it = std::lower_bound(eintraege.begin(), eintraege.end(), e.tag,
        [](const Planeintrag& a, QDate tag) { return a.tag < tag; });
    for (int i = 0; (stelle < 0 || i < stelle) && it != eintraege.end() && it->tag == e.tag; ++i)
        ++it;
    eintraege.insert(it, e);
}

bool Wochenplan::entfernen(const Planeintrag& e)
{
    const qsizetype i = stelleVon(eintraege, e);
    if (i < 0)
        return false;
    eintraege.removeAt(i);
    return true;
}

bool Wochenplan::verschieben(const Planeintrag& e, QDate nach, int stelle)
{
    if (!entfernen(e))
        return false;
    Planeintrag neu = e;
    neu.tag = nach;
    einfuegen(neu, stelle);
    return true;
}

bool Wochenplan::ersetzen(const Planeintrag& alt, const Planeintrag& neu)
{
    const qsizetype i = stelleVon(eintraege, alt);
    if (i < 0)
        return false;
    eintraege[i] = neu;
    eintraege[i].tag = alt.tag;
    return true;
}

void Wochenplan::titelAuffrischen(const std::function<std::optional<QString>(int)>& aktuell)
{
    for (Planeintrag& e : eintraege)
        if (e.rezept())
            if (const std::optional<QString> t = aktuell(e.nummer))
                e.titel = *t;
}

Wochenplan Wochenplan::ausDatei(const QStringList& zeilen)
{
    Wochenplan plan;
    for (int i = 0; i < zeilen.size(); ++i) {
        const QString& z = zeilen.at(i);
        if (z.trimmed().isEmpty())
            continue;
        if (const std::optional<Planeintrag> e = leseZeile(z)) {
            plan.eintraege.append(*e);
        } else {
            plan.unlesbar.append(z);
            plan.unlesbarZeilen.append(i + 1);
        }
    }
    // A file put together by hand may be out of order; the order within a day stays.
    std::stable_sort(plan.eintraege.begin(), plan.eintraege.end(), frueher);
    return plan;
}

QStringList Wochenplan::dateizeilen(QDate heute) const
{
    const QDate grenze = heute.addYears(-1);
    QList<Planeintrag> sortiert = eintraege;
    std::stable_sort(sortiert.begin(), sortiert.end(), frueher);
    QStringList out;
    for (const Planeintrag& e : sortiert) {
        if (wochenanfang(e.tag).addDays(6) < grenze)
            continue;
        QString titel = ohneSonderbrueche(e.titel);
        titel.replace(u'\r', u' ').replace(u'\n', u' ');
        out.append(QStringLiteral("%1|%2|%3|%4")
                       .arg(e.tag.toString(kDatumsformat))
                       .arg(e.rezept() ? e.nummer : -1)
                       .arg(e.rezept() ? e.portionen : 0)
                       .arg(titel));
    }
    return out + unlesbar;
}

QString Wochenplan::hinweis() const
{
    if (unlesbarZeilen.isEmpty())
        return {};
    QStringList nummern;
    for (int z : unlesbarZeilen)
        nummern.append(QString::number(z));
    if (nummern.size() == 1)
        return QStringLiteral("Zeile %1 der Datei wochenplan.dat ist beschädigt und wird übergangen; sie "
                              "bleibt in der Datei stehen.")
            .arg(nummern.first());
    return QStringLiteral("Die Zeilen %1 der Datei wochenplan.dat sind beschädigt und werden übergangen; "
                          "sie bleiben in der Datei stehen.")
        .arg(nummern.join(QStringLiteral(", ")));
}

QString wochenplanPfad(const QString& programDir) { return weekPlanPath(programDir); }

Wochenplan ladeWochenplan(const QString& programDir)
{
    const QString pfad = wochenplanPfad(programDir);
    if (!QFileInfo::exists(pfad))
        return {};
    return Wochenplan::ausDatei(loadLines(pfad));
}

void speichereWochenplan(const QString& programDir, const Wochenplan& plan, QDate heute)
{
    const QString pfad = wochenplanPfad(programDir);
    QDir().mkpath(QFileInfo(pfad).path());
    saveLines(pfad, plan.dateizeilen(heute));
}

int eigenePortionen(const QString& menge)
{
    const double n = std::round(double(lesePortionen(menge).anzahl));
    return int(std::clamp(n, 1.0, double(kMaxPortionen)));
}

QList<Einkaufsrezept> einkaufsrezepte(const QList<Planeintrag>& eintraege,
    const std::function<std::optional<std::pair<QString, QStringList>>(int)>& rezept)
{
    QList<Einkaufsrezept> out;
    for (const Planeintrag& e : eintraege) {
        if (!e.rezept())
            continue;
        const auto r = rezept(e.nummer);
        if (!r)
            continue;
        const double eigene = lesePortionen(r->first).anzahl;
        const double faktor = eigene > 0 ? e.portionen / eigene : 1.0;
        Einkaufsrezept k { e.titel, {} };
        for (const QString& z : r->second)
            k.zutaten.append(skaliereZeile(z, faktor));
        out.append(k);
    }
    return out;
}

} // namespace tk
