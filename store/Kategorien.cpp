#include "store/Kategorien.h"

namespace tk {

const QStringList& standardKategorien()
{
    static const QStringList names = {
        QStringLiteral("Alle"),
        QStringLiteral("Desserts"),
        QStringLiteral("Gemüse"),
        QStringLiteral("Fleisch"),
        QStringLiteral("Fisch"),
        QStringLiteral("Wild"),
        QStringLiteral("Geflügel"),
        QStringLiteral("Suppen"),
        QStringLiteral("Salate"),
        QStringLiteral("Sonstiges"),
        QStringLiteral("Reis"),
        QStringLiteral("Nudeln"),
        QStringLiteral("Eigene"),
        QStringLiteral("Backwaren"),
        QStringLiteral("Favoriten"),
    };
    return names;
}

template <typename T> static void resizeKeep(QList<T>& list, qsizetype n) { list.resize(n); }

void buildKategorieTabellen(const QStringList& lines, KategorieTabellen& t)
{
    t.letzterTab = 14;
    resizeKeep(t.namen, 15);
    resizeKeep(t.tabKategorie, 15);
    resizeKeep(t.kategorieTab, 15);
    for (int i = 0; i < 15; ++i) {
        t.namen[i].name = standardKategorien().at(i);
        t.tabKategorie[i] = i;
        t.kategorieTab[i] = i;
    }
    for (int i = 15; i < lines.size(); ++i) {
        resizeKeep(t.kategorieTab, i + 1);
        const QString& line = lines.at(i);
        if (line.startsWith(u'1')) {
            ++t.letzterTab;
            resizeKeep(t.namen, i + 1);
            resizeKeep(t.tabKategorie, t.letzterTab + 1);
            t.tabKategorie[t.letzterTab] = i;
            t.kategorieTab[i] = t.letzterTab;
            t.namen[i].name = line.mid(1, 30);
        }
    }
    t.zeilenAnzahl = int(std::max<qsizetype>(lines.size(), 15));
}

QStringList tabCaptions(const KategorieTabellen& t)
{
    QStringList out;
    for (int p = 0; p <= t.letzterTab; ++p)
        out.append(t.namen.at(t.tabKategorie.at(p)).name);
    return out;
}

} // namespace tk
