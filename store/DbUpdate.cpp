#include "store/DbUpdate.h"

#include "platform/Error.h"
#include "store/Formats.h"

namespace tk {

QString convertOldCategories(QStringView old)
{
    if (old.isEmpty())
        return QStringLiteral("01,");
    QString out;
    for (char16_t d = u'0'; d <= u'9'; ++d)
        if (old.contains(QChar(d)))
            out += QStringLiteral("%1,").arg(int(d - u'0') + 1, 2, 10, QLatin1Char('0'));
    if (old.contains(u'a'))
        out += QStringLiteral("11,");
    if (old.contains(u'b'))
        out += QStringLiteral("12,");
    return out;
}

QString convertEntry(const QString& line, bool* converted)
{
    IndexFields f = splitEntry(line);
    auto dash = [](QString& s) {
        if (s.isEmpty())
            s = QStringLiteral("-");
    };
    dash(f.titel);
    dash(f.autor);
    dash(f.datum);
    dash(f.menge);
    const bool old = !f.kategorien.contains(u',');
    if (old)
        f.kategorien = convertOldCategories(f.kategorien);
    if (converted)
        *converted = old;
    return f.titel + u'|' + f.autor + u'|' + f.kategorien + u'|' + f.datum + u'|' + f.menge + u'|';
}

QStringList convertIndex(const QStringList& in, const std::function<void(int, int)>& progress,
    const std::function<void()>& converted)
{
    QStringList lines = in;
    int m = 0;
    if (lines.isEmpty() || !parseStoreInt(lines.at(0), m))
        throw Error(
            QStringLiteral("Das Rezeptverzeichnis (index.dat) ist beschädigt: Zeile 0 ist keine Zahl."));
    for (int j = m; j >= 0; --j) {
        if (progress)
            progress(m - j, m);
        if (j + 1 >= lines.size())
            throw Error(QStringLiteral("Das Rezeptverzeichnis (index.dat) ist beschädigt: Zeile %1 fehlt.")
                            .arg(j + 1));
        const QString& line = lines.at(j + 1);
        if (isDeletedEntry(line))
            continue;
        bool old = false;
        lines[j + 1] = convertEntry(line, &old);
        if (old && converted)
            converted();
    }
    return lines;
}

} // namespace tk
