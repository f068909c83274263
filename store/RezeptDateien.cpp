#include "store/RezeptDateien.h"

#include "platform/Error.h"
#include "store/Formats.h"

namespace tk
{

namespace
{
    const QString kGeloescht = QStringLiteral("||||");
}

QStringList feldZeilen(const QString& text)
{
    if (text.isEmpty()) return {};
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    t.replace(QChar::ParagraphSeparator, u'\n');
    t.replace(QChar::LineSeparator, u'\n');
    QStringList lines = t.split(u'\n');
    if (lines.last().isEmpty()) lines.removeLast();
    return lines;
}

QString feldText(const QStringList& lines)
{
    QString t = lines.join(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) t += u'\n';
    return t;
}

EditorInhalt editorInhalt(const QStringList& lines)
{
    int k = 0;
    if (lines.isEmpty() || !parseStoreInt(lines.at(0), k) || k < 0)
        throw Error(QStringLiteral("Die Rezeptdatei ist beschädigt: die erste Zeile ist keine Zahl."));
    EditorInhalt out;
    const int ende = std::min<qsizetype>(k, lines.size() - 1);
    out.zutaten = lines.mid(1, ende);
    for (qsizetype i = ende + 1; i < lines.size(); ++i) {
        if (lines.at(i).contains(kMarker)) break;
        out.text.append(lines.at(i));
    }
    return out;
}

QStringList kommentarAus(const QStringList& lines)
{
    int k = 0;
    if (lines.isEmpty() || !parseStoreInt(lines.at(0), k) || k < 0) k = 0;
    for (qsizetype i = std::min<qsizetype>(k, lines.size() - 1) + 1; i < lines.size(); ++i)
        if (lines.at(i).contains(kMarker)) return lines.mid(i + 1);
    return {};
}

QStringList indexMitEintrag(QStringList index, int n, const QString& entry, bool neu)
{
    if (index.isEmpty()) index.append(QStringLiteral("-1"));
    if (neu) index[0] = QString::number(n);
    while (index.size() < n + 1)
        index.append(kGeloescht);
    if (neu && index.size() > n + 1) {
        // Lines behind the last recipe line are no entries: keep them behind the new one.
        index.insert(n + 1, entry);
    } else if (index.size() == n + 1) {
        index.append(entry);
    } else {
        index[n + 1] = entry;
    }
    return index;
}

QStringList indexOhneEintrag(QStringList index, int n)
{
    if (n < 0) return index;
    if (index.isEmpty()) index.append(QStringLiteral("-1"));
    while (index.size() < n + 2)
        index.append(kGeloescht);
    index[n + 1] = kGeloescht;
    return index;
}

} // namespace tk
