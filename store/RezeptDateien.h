#pragma once

#include <QString>
#include <QStringList>

namespace tk
{

// Lines of a multi-line field: one final empty line (Enter pressed after the last line) is no line;
// empty lines between others are. feldText is the inverse, so lines survive a round trip.
QStringList feldZeilen(const QString& text);
QString feldText(const QStringList& lines);

// What the editor shows of a recipe file: the ingredient lines and the text up to the first marker.
// Throws tk::Error when line 0 is not a decimal number; a file shorter than line 0 announces gives
// the ingredient lines that are there.
struct EditorInhalt {
    QStringList zutaten;
    QStringList text;
};
EditorInhalt editorInhalt(const QStringList& recipeLines);

// The comment lines of a recipe file, read leniently: every line after the first marker behind the
// ingredient lines; none when there is no marker.
QStringList kommentarAus(const QStringList& recipeLines);

// The index lines with the entry of recipe n in line n+1. For a new recipe line 0 becomes n. Missing
// lines before n+1 are filled with deleted entries, and lines behind the last recipe line (never read)
// stay behind it, so the entry always lands in the line that belongs to n.
QStringList indexMitEintrag(QStringList index, int n, const QString& entry, bool neu);

// The index lines with recipe n marked as deleted ("||||"); line 0 is not changed.
QStringList indexOhneEintrag(QStringList index, int n);

} // namespace tk
