#include "exchange/Kuechenwoerter.h"

#include "exchange/KuechenwoerterDaten.h"

namespace tk {

namespace {
    QString ersterKlein(QString s)
    {
        if (!s.isEmpty())
            s[0] = s[0].toLower();
        return s;
    }
}

Kuechenwoerter::Kuechenwoerter()
{
    const QString daten = QString::fromUtf16(kKuechenwoerter);
    for (const QStringView zeile : QStringView(daten).split(u'\n')) {
        const QStringView z = zeile.trimmed();
        if (z.isEmpty() || z.startsWith(u'#'))
            continue;
        const QList<QStringView> f = z.split(u' ', Qt::SkipEmptyParts);
        if (f.size() < 5)
            continue;
        Nomen n;
        n.einzahl = f.at(0).toString();
        n.mehrzahl = f.at(1) == u"=" ? n.einzahl : f.at(1).toString();
        n.einheitMehrzahl = f.size() > 5 ? f.at(5).toString() : n.mehrzahl;
        n.geschlecht = f.at(2).at(0);
        switch (f.at(3).at(0).unicode()) {
        case u'h':
            n.zaehlweise = Zaehlweise::Halbe;
            break;
        case u'e':
            n.zaehlweise = Zaehlweise::Eier;
            break;
        case u'g':
            n.zaehlweise = Zaehlweise::Ganze;
            break;
        case u'p':
            n.zaehlweise = Zaehlweise::Prise;
            break;
        default:
            n.zaehlweise = Zaehlweise::Keine;
        }
        n.einheit = f.at(4).contains(u'M');
        n.behaelter = f.at(4).contains(u'B');
        n.nurEinzeln = f.at(4).contains(u'E');
        m_nomen.push_back(n);
    }
    for (int i = 0; i < int(m_nomen.size()); ++i) {
        const Nomen& n = m_nomen.at(size_t(i));
        auto eintragen = [&](const QString& form, int art) {
            auto& e = m_formen[form.toLower()];
            if (e.second == 0)
                e = { i, art };
            else if (e.first == i)
                e.second |= art;
        };
        eintragen(n.einzahl, 1);
        eintragen(n.mehrzahl, 2);
        eintragen(n.einheitMehrzahl, 4);
    }
}

const Kuechenwoerter& Kuechenwoerter::tabelle()
{
    static const Kuechenwoerter t;
    return t;
}

Kuechenwoerter::Treffer Kuechenwoerter::genau(QStringView wort) const
{
    Treffer t;
    const auto it = m_formen.constFind(wort.toString().toLower());
    if (it == m_formen.cend())
        return t;
    t.nomen = &m_nomen.at(size_t(it->first));
    t.einzahl = it->second & 1;
    t.mehrzahl = it->second & 2;
    t.einheitMehrzahl = it->second & 4;
    t.klein = wort.at(0).isLower();
    return t;
}

Kuechenwoerter::Treffer Kuechenwoerter::finde(QStringView wort) const
{
    while (!wort.isEmpty() && !wort.back().isLetter())
        wort.chop(1);
    if (wort.size() < 2 || !wort.front().isLetter())
        return {};
    if (Treffer t = genau(wort); t && (t.einzahl || t.mehrzahl))
        return t;
    // "Bio-Zitrone", "Cantaloupe-Melone": the part after the last hyphen decides.
    const qsizetype strich = wort.lastIndexOf(u'-');
    if (strich > 0 && strich + 2 < wort.size()) {
        Treffer t = finde(wort.mid(strich + 1));
        if (t)
            t.vorsatz = wort.left(strich + 1).toString() + t.vorsatz;
        return t;
    }
    // Compounds: the longest known last part after a first part of three letters or more.
    const QString klein = wort.toString().toLower();
    for (qsizetype s = 3; s + 3 <= wort.size(); ++s) {
        const auto it = m_formen.constFind(klein.mid(s));
        if (it == m_formen.cend())
            continue;
        Treffer t = genau(wort.mid(s));
        if (!t || t.nomen->nurEinzeln || !(t.einzahl || t.mehrzahl))
            continue;
        t.vorsatz = wort.left(s).toString();
        t.klein = true;
        return t;
    }
    return {};
}

Kuechenwoerter::Treffer Kuechenwoerter::findeEinheit(QStringView wort) const
{
    if (wort.isEmpty() || !wort.front().isLetter())
        return {};
    Treffer t = genau(wort);
    if (!t || !t.nomen->einheit)
        return {};
    t.mehrzahl = t.mehrzahl || t.einheitMehrzahl;
    return t;
}

const Kuechenwoerter::Nomen* Kuechenwoerter::nomen(const QString& einzahl) const
{
    for (const Nomen& n : m_nomen)
        if (n.einzahl == einzahl)
            return &n;
    return nullptr;
}

QString Kuechenwoerter::Treffer::form(bool mehrzahl, bool alsEinheit) const
{
    if (!nomen)
        return {};
    QString w = !mehrzahl ? nomen->einzahl : alsEinheit ? nomen->einheitMehrzahl : nomen->mehrzahl;
    if (klein)
        w = ersterKlein(w);
    return vorsatz + w;
}

QString Kuechenwoerter::Treffer::stamm() const
{
    return nomen ? (vorsatz + (vorsatz.isEmpty() ? nomen->einzahl : ersterKlein(nomen->einzahl))).toLower()
                 : QString();
}

} // namespace tk
