#include "platform/ShownText.h"

#include <algorithm>

namespace tk {

ShownLines shownLines(const QStringList& lines, qsizetype lineLimit, qsizetype budget)
{
    ShownLines out;
    qsizetype shown = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (shown >= budget) {
            out.cut = true;
            const qsizetype rest = lines.size() - i;
            out.lines.append(rest == 1
                    ? QStringLiteral("[… 1 weitere Zeile wird nicht angezeigt]")
                    : QStringLiteral("[… %1 weitere Zeilen werden nicht angezeigt]").arg(rest));
            break;
        }
        const qsizetype keep = std::min({ line.size(), lineLimit, budget - shown });
        if (keep < line.size()) {
            out.cut = true;
            out.lines.append(
                line.left(keep) + QStringLiteral(" [… gekürzt, die Zeile hat %1 Zeichen]").arg(line.size()));
        } else {
            out.lines.append(line);
        }
        shown += keep + 1; // an empty line is a line to lay out too
    }
    return out;
}

QString shownTitle(const QString& title, qsizetype limit)
{
    return title.size() <= limit ? title : title.left(limit) + QChar(0x2026);
}

} // namespace tk
