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
    t.LetzterTab = 14;
    resizeKeep(t.KatNamen, 15);
    resizeKeep(t.TabKategorie, 15);
    resizeKeep(t.KategorieTab, 15);
    for (int i = 0; i < 15; ++i) {
        t.KatNamen[i].Bezeichnung = standardKategorien().at(i);
        t.TabKategorie[i] = i;
        t.KategorieTab[i] = i;
    }
    for (int i = 15; i < lines.size(); ++i) {
        resizeKeep(t.KategorieTab, i + 1);
        const QString& line = lines.at(i);
        if (line.startsWith(u'1')) {
            ++t.LetzterTab;
            resizeKeep(t.KatNamen, i + 1);
            resizeKeep(t.TabKategorie, t.LetzterTab + 1);
            t.TabKategorie[t.LetzterTab] = i;
            t.KategorieTab[i] = t.LetzterTab;
            t.KatNamen[i].Bezeichnung = line.mid(1, 30);
        }
    }
    t.lineCount = int(std::max<qsizetype>(lines.size(), 15));
}

QStringList tabCaptions(const KategorieTabellen& t)
{
    QStringList out;
    for (int p = 0; p <= t.LetzterTab; ++p)
        out.append(t.KatNamen.at(t.TabKategorie.at(p)).Bezeichnung);
    return out;
}

} // namespace tk
