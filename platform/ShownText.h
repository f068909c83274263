#pragma once

#include <QStringList>

namespace tk {

// What a window shows of a text's lines. Laying out text costs time by the character (a line of a
// million characters takes a text field a minute to wrap), so a line longer than lineLimit is shown cut,
// and once `budget` characters are shown the rest is left out; a bracketed German note marks each cut.
// The caller keeps the full lines for everything that writes a file.
struct ShownLines {
    QStringList lines;
    bool cut = false;
};
ShownLines shownLines(const QStringList& lines, qsizetype lineLimit = 10000, qsizetype budget = 100000);

// A recipe title as lists, labels and accessible names show it. A title of megabytes (a damaged index
// line) would take seconds to lay out and to hand to a screen reader, so beyond `limit` characters it is
// cut and ends in "…"; whatever writes a file keeps the whole title.
QString shownTitle(const QString& title, qsizetype limit = 500);

} // namespace tk
