#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace tk {

// The database update: every live index entry rewritten in the current format.
// Returns the converted entry; kategorienAktualisiert tells whether its category list was old.
QString convertEntry(const QString& line, bool* kategorienAktualisiert);
QString convertOldCategories(QStringView old); // "03a" -> "01,04,11,"

// Converts the lines of an index file (line 0 and deleted entries stay), the last recipe first.
// progress(done) runs before each line; converted() after each old category list.
QStringList convertIndex(const QStringList& lines, const std::function<void(int done, int max)>& progress,
    const std::function<void()>& converted);

} // namespace tk
