#include "exchange/Kategoriezuordnung.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <set>

#include "store/Formats.h"
#include "store/Kategorien.h"

namespace tk {

namespace {
    constexpr Qt::CaseSensitivity ci = Qt::CaseInsensitive;

    QString schluessel(const QString& name) { return name.simplified().toCaseFolded(); }

    // A name and the forms of its other number: Suppe/Suppen, Salat/Salate, Dessert/Desserts.
    int nummerInFormen(const QString& name, const Kategoriezuordnung& zuordnung)
    {
        QStringList formen { name };
        for (const char* endung : { "en", "es", "er", "e", "n", "s" }) {
            const qsizetype l = qsizetype(qstrlen(endung));
            if (name.size() > l + 2 && name.endsWith(QLatin1String(endung), ci))
                formen.append(name.chopped(l));
        }
        for (const char* endung : { "e", "n", "en", "s" })
            formen.append(name + QLatin1String(endung));
        for (const QString& f : std::as_const(formen))
            if (const int n = zuordnung.nummer(f); n > 0)
                return n;
        return 0;
    }

    // Words that name a category on their own but say nothing as a part of a title: "Crème fraîche"
    // is no dessert, "Schweinebacken" no baking.
    const QSet<QString> kKeinTeil { QStringLiteral("backen"), QStringLiteral("baking"),
        QStringLiteral("creme"), QStringLiteral("cremes"), QStringLiteral("game"), QStringLiteral("eigene"),
        QStringLiteral("other") };

    const struct {
        const char* wort;
        int nummer;
    } kVorn[] = { { "rind", 3 }, { "schwein", 3 }, { "kalb", 3 }, { "lamm", 3 }, { "fleisch", 3 },
        { "fisch", 4 }, { "reh", 5 }, { "hirsch", 5 }, { "hähnchen", 6 }, { "hühnchen", 6 }, { "huhn", 6 },
        { "hühner", 6 }, { "pute", 6 }, { "ente", 6 }, { "gans", 6 }, { "gänse", 6 }, { "geflügel", 6 } };
}

Kategoriezuordnung::Kategoriezuordnung(const QList<QPair<int, QString>>& eigene)
{
    const QStringList& std = standardKategorien();
    for (int i = 1; i <= 13; ++i) {
        m_standard.insert(schluessel(std.at(i)), i);
        m_namen.insert(i, std.at(i));
    }
    for (const auto& e : eigene) {
        const QString k = schluessel(e.second);
        if (k.isEmpty() || e.first <= kFavoriten || e.first > kMaxKategorie)
            continue;
        if (!m_eigene.contains(k))
            m_eigene.insert(k, e.first);
        m_namen.insert(e.first, e.second);
    }
    // Names other recipe programs use for the standard categories, German and English.
    static const struct {
        int nummer;
        const char* namen;
    } synonyme[] = {
        { 1,
            "Dessert|Nachspeise|Nachspeisen|Nachtisch|Süßspeise|Süßspeisen|Süssspeisen|Pudding|Eis|Speiseeis|"
            "Creme|Cremes|Sweets|Ice cream|Puddings" },
        { 2,
            "Gemuese|Gemüsegerichte|Gemuesegerichte|Kartoffeln|Kartoffelgerichte|Pilze|Vegetables|Vegetable|"
            "Veggies|Potatoes|Mushrooms" },
        { 3,
            "Fleischgerichte|Rind|Rindfleisch|Schwein|Schweinefleisch|Kalb|Kalbfleisch|Lamm|Lammfleisch|"
            "Hackfleisch|Meat|Meats|Beef|Pork|Veal|Lamb" },
        { 4, "Fische|Fischgerichte|Meeresfrüchte|Meeresfruechte|Krustentiere|Fish|Seafood|Shellfish" },
        { 5, "Wildgerichte|Wildbret|Reh|Hirsch|Game|Venison" },
        { 6,
            "Gefluegel|Geflügelgerichte|Huhn|Hähnchen|Haehnchen|Hühnchen|Pute|Truthahn|Ente|Gans|Poultry|"
            "Chicken|Turkey|Duck" },
        { 7, "Suppe|Eintopf|Eintöpfe|Eintoepfe|Soup|Soups|Stew|Stews" },
        { 8, "Salat|Salad|Salads" },
        { 9, "Sonstige|Verschiedenes|Diverses|Misc|Miscellaneous|Other" },
        { 10, "Reisgerichte|Risotto|Rice" },
        { 11, "Pasta|Nudelgerichte|Teigwaren|Spaghetti|Noodles" },
        { 13,
            "Kuchen|Gebäck|Gebaeck|Kleingebäck|Weihnachtsgebäck|Plätzchen|Plaetzchen|Kekse|Torte|Torten|"
            "Brot|Brote|Brötchen|Backen|Cake|Cakes|Cookies|Bread|Breads|Baking|Pies|Muffins" },
    };
    for (const auto& s : synonyme)
        for (const QString& n : QString::fromUtf8(s.namen).split(u'|'))
            m_synonyme.insert(schluessel(n), s.nummer);
}

int Kategoriezuordnung::nummer(const QString& name) const
{
    const QString k = schluessel(name);
    if (k.isEmpty())
        return 0;
    if (const auto it = m_standard.constFind(k); it != m_standard.cend())
        return *it;
    if (const auto it = m_eigene.constFind(k); it != m_eigene.cend())
        return *it;
    // The tabs show 30 characters of an own category's name.
    if (const auto it = m_eigene.constFind(schluessel(name.simplified().left(30))); it != m_eigene.cend())
        return *it;
    return m_synonyme.value(k, 0);
}

QString Kategoriezuordnung::liste(const QStringList& namen, QStringList* unbekannt) const
{
    std::set<int> nummern;
    for (const QString& n : namen) {
        const int k = nummer(n);
        if (k > 0)
            nummern.insert(k);
        else if (unbekannt && !n.trimmed().isEmpty() && !unbekannt->contains(n.simplified(), ci))
            unbekannt->append(n.simplified());
    }
    if (nummern.empty())
        nummern.insert(9);
    return categoryList(QList<int>(nummern.begin(), nummern.end()));
}

QString Kategoriezuordnung::name(int nummer) const { return m_namen.value(nummer); }

QList<int> Kategoriezuordnung::nummernImWort(const QString& wort) const
{
    QList<int> out;
    const QString w = schluessel(wort);
    if (w.size() < 3 || w.contains(u' ') || kKeinTeil.contains(w))
        return out;
    const int ganz = nummerInFormen(w, *this);
    if (ganz > 0 && ganz != 9) {
        out.append(ganz);
        return out;
    }
    // The head of a compound says what the dish is: Kartoffelsalat is a salad, Milchreis rice (not
    // ice cream, the longest head wins). The word itself and its singular.
    int kopf = 0;
    qsizetype kopfLaenge = 0;
    for (const QString& form :
        { w, w.endsWith(u'n') ? w.chopped(1) : w, w.endsWith(QLatin1String("en")) ? w.chopped(2) : w }) {
        for (const QHash<QString, int>* tabelle : { &m_standard, &m_synonyme })
            for (auto it = tabelle->cbegin(); it != tabelle->cend(); ++it) {
                const QString& k = it.key();
                if (k.size() > kopfLaenge && form.size() - k.size() >= 3 && it.value() != 9
                    && form.endsWith(k) && !k.contains(u' ') && !kKeinTeil.contains(k)) {
                    kopf = it.value();
                    kopfLaenge = k.size();
                }
            }
    }
    if (kopf > 0)
        out.append(kopf);
    // Meat, fish and fowl in front say what goes in: Rindergulasch, Hähnchenbrust, Fischsuppe.
    for (const auto& v : kVorn) {
        const QString vorn = QString::fromUtf8(v.wort);
        if (!w.startsWith(vorn))
            continue;
        for (const char* fuge : { "", "e", "er", "es", "s", "n", "en" }) {
            const qsizetype l = vorn.size() + qsizetype(qstrlen(fuge));
            if (w.size() - l >= 3 && w.mid(vorn.size()).startsWith(QLatin1String(fuge))) {
                if (!out.contains(v.nummer))
                    out.append(v.nummer);
                break;
            }
        }
    }
    return out;
}

QList<int> webKategorien(const QStringList& namen, const Kategoriezuordnung& zuordnung, const QString& titel)
{
    std::set<int> nummern;
    auto woerter = [&](const QString& text) {
        static const QRegularExpression trenner(QStringLiteral("[^\\p{L}]+"));
        // "Meat-free", "ohne Fleisch", "shellfish free": what a dish is without names no category.
        static const QSet<QString> ohne { QStringLiteral("free"), QStringLiteral("frei"),
            QStringLiteral("ohne"), QStringLiteral("without"), QStringLiteral("no"), QStringLiteral("kein"),
            QStringLiteral("keine"), QStringLiteral("sans"), QStringLiteral("senza"), QStringLiteral("sin") };
        const QStringList teile = text.split(trenner, Qt::SkipEmptyParts);
        if (std::any_of(
                teile.begin(), teile.end(), [](const QString& w) { return ohne.contains(w.toLower()); }))
            return;
        for (const QString& w : teile)
            for (int n : zuordnung.nummernImWort(w))
                nummern.insert(n);
    };
    for (const QString& roh : namen) {
        const QString name = roh.simplified();
        if (name.isEmpty())
            continue;
        if (const int n = nummerInFormen(name, zuordnung); n > 0)
            nummern.insert(n);
        else
            woerter(name);
    }
    woerter(titel);
    return QList<int>(nummern.begin(), nummern.end());
}

} // namespace tk
