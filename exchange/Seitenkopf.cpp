#include "exchange/Seitenkopf.h"

namespace tk::web {

namespace {
    constexpr Qt::CaseSensitivity ci = Qt::CaseInsensitive;

    // "Zucchini Slice | Julie Goodwin": the site's name follows the recipe's.
    QString ersterTeil(QString s)
    {
        s = s.simplified();
        for (const char* trenner :
            { " | ", " – ", " — ", " - ", " :: ", " · ", " • ", " ⋆ ", " » ", " ~ " }) {
            const qsizetype i = s.indexOf(QString::fromUtf8(trenner));
            if (i > 0)
                s.truncate(i);
        }
        return s.trimmed();
    }
}

QString Seitenkopf::rezeptTitel() const
{
    QString kopf;
    for (const QString& h : h1) {
        if (h.isEmpty() || h.size() > 200 || h.compare(seitenname, ci) == 0)
            continue;
        if (ogTitel.contains(h, ci) || titel.contains(h, ci))
            return h;
        if (kopf.isEmpty())
            kopf = h;
    }
    if (!kopf.isEmpty())
        return kopf;
    if (const QString og = ersterTeil(ogTitel); !og.isEmpty())
        return og;
    return ersterTeil(titel);
}

} // namespace tk::web
