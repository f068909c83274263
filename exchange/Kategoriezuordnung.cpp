#include "exchange/Kategoriezuordnung.h"

#include <set>

#include "store/Formats.h"
#include "store/Kategorien.h"

namespace tk {

namespace {
    constexpr Qt::CaseSensitivity ci = Qt::CaseInsensitive;

    QString schluessel(const QString& name) { return name.simplified().toCaseFolded(); }
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

QList<int> webKategorien(const QStringList& namen, const Kategoriezuordnung& zuordnung)
{
    std::set<int> nummern;
    for (const QString& roh : namen) {
        const QString name = roh.simplified();
        if (name.isEmpty())
            continue;
        // The name itself, then the forms of the other number: Suppe/Suppen, Salat/Salate, Dessert/Desserts.
        QStringList formen { name };
        for (const char* endung : { "en", "es", "er", "e", "n", "s" }) {
            const qsizetype l = qsizetype(qstrlen(endung));
            if (name.size() > l + 2 && name.endsWith(QLatin1String(endung), ci))
                formen.append(name.chopped(l));
        }
        for (const char* endung : { "e", "n", "en", "s" })
            formen.append(name + QLatin1String(endung));
        for (const QString& f : std::as_const(formen)) {
            const int n = zuordnung.nummer(f);
            if (n > 0) {
                nummern.insert(n);
                break;
            }
        }
    }
    return QList<int>(nummern.begin(), nummern.end());
}

} // namespace tk
