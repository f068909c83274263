#include "store/RezeptDateien.h"

#include <QDate>
#include <QLocale>

#include "platform/Error.h"
#include "store/Formats.h"
#include "store/Indexdatei.h"

namespace tk {

namespace {
    const QString kGeloescht = QStringLiteral("||||");
}

QStringList feldZeilen(const QString& text)
{
    if (text.isEmpty())
        return {};
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    t.replace(QChar::ParagraphSeparator, u'\n');
    t.replace(QChar::LineSeparator, u'\n');
    QStringList lines = t.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString feldText(const QStringList& lines)
{
    QString t = lines.join(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        t += u'\n';
    return t;
}

namespace {
    // The ingredient lines are 1 .. ende; see rezeptinhalt for the damaged counts.
    Rezeptinhalt aufteilen(const QStringList& lines, int k)
    {
        Rezeptinhalt out;
        const qsizetype folgende = lines.size() - 1;
        qsizetype ende = k;
        if (k < 0) {
            ende = 0;
            out.schaden
                = QStringLiteral("Die Rezeptdatei ist beschädigt: ihre erste Zeile nennt %1 Zutaten.").arg(k);
        } else if (k > folgende) {
            ende = 0;
            while (ende < folgende && !lines.at(ende + 1).contains(kMarker))
                ++ende;
            out.schaden = QStringLiteral("Die Rezeptdatei ist beschädigt: ihre erste Zeile nennt %1 Zutaten, "
                                         "es folgen aber nur %2 Zeilen.")
                              .arg(k)
                              .arg(folgende);
        }
        out.zutaten = lines.mid(1, ende);
        qsizetype i = ende + 1;
        for (; i < lines.size(); ++i) {
            if (lines.at(i).contains(kMarker))
                break;
            out.text.append(lines.at(i));
        }
        if (i < lines.size())
            out.kommentar = lines.mid(i + 1);
        return out;
    }
}

Rezeptinhalt rezeptinhalt(const QStringList& lines)
{
    int k = 0;
    if (lines.isEmpty() || !parseStoreInt(lines.at(0), k))
        throw Error(QStringLiteral("Die Rezeptdatei ist beschädigt: die erste Zeile ist keine Zahl."));
    return aufteilen(lines, k);
}

EditorInhalt editorInhalt(const QStringList& lines)
{
    Rezeptinhalt r = rezeptinhalt(lines);
    return { std::move(r.zutaten), std::move(r.text), std::move(r.schaden) };
}

QStringList kommentarAus(const QStringList& lines)
{
    int k = 0;
    if (lines.isEmpty() || !parseStoreInt(lines.at(0), k))
        k = 0;
    return aufteilen(lines, k).kommentar;
}

template <class Index> Index indexMitEintrag(Index index, int n, const QString& entry, bool neu)
{
    if (index.isEmpty())
        index.append(QStringLiteral("-1"));
    if (neu)
        index.replace(0, QString::number(n));
    while (index.size() < n + 1)
        index.append(kGeloescht);
    if (neu && index.size() > n + 1) {
        // Lines behind the last recipe line are no entries: keep them behind the new one.
        index.insert(n + 1, entry);
    } else if (index.size() == n + 1) {
        index.append(entry);
    } else {
        index.replace(n + 1, entry);
    }
    return index;
}

QString kurzesDatum(const QDate& date, const QLocale& locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return locale.toString(date, format);
}

template <class Index> Index indexOhneEintrag(Index index, int n)
{
    if (n < 0)
        return index;
    if (index.isEmpty())
        index.append(QStringLiteral("-1"));
    while (index.size() < n + 2)
        index.append(kGeloescht);
    index.replace(n + 1, kGeloescht);
    return index;
}

template QStringList indexMitEintrag(QStringList, int, const QString&, bool);
template Indexdatei indexMitEintrag(Indexdatei, int, const QString&, bool);
template QStringList indexOhneEintrag(QStringList, int);
template Indexdatei indexOhneEintrag(Indexdatei, int);

} // namespace tk
