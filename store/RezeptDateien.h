#pragma once

#include <QString>
#include <QStringList>

class QDate;
class QLocale;

namespace tk {

// Lines of a multi-line field: one final empty line (Enter pressed after the last line) is no line;
// empty lines between others are. feldText is the inverse, so lines survive a round trip.
QStringList feldZeilen(const QString& text);
QString feldText(const QStringList& lines);

// A recipe file as the view and the editor open it. A count in line 0 below zero or beyond the lines
// that follow is damage the lines can get over: below zero there are no ingredient lines, beyond the
// lines the ingredients end at the first marker, so comment lines always stay comment lines. schaden
// then tells the user what is wrong (empty for a sound file). Throws tk::Error when line 0 is no number.
struct Rezeptinhalt {
    QStringList zutaten;
    QStringList text;
    QStringList kommentar;
    QString schaden;
};
Rezeptinhalt rezeptinhalt(const QStringList& recipeLines);

// What the editor shows of a recipe file: the ingredient lines and the text up to the first marker,
// read as rezeptinhalt reads them.
struct EditorInhalt {
    QStringList zutaten;
    QStringList text;
    QString schaden;
};
EditorInhalt editorInhalt(const QStringList& recipeLines);

// The comment lines of a recipe file, read leniently: every line after the first marker behind the
// ingredient lines; none when there is no marker. A line 0 that is no number counts as 0.
QStringList kommentarAus(const QStringList& recipeLines);

// The index lines with the entry of recipe n in line n+1. For a new recipe line 0 becomes n. Missing
// lines before n+1 are filled with deleted entries, and lines behind the last recipe line (never read)
// stay behind it, so the entry always lands in the line that belongs to n.
// Index: QStringList or Indexdatei.
template <class Index> Index indexMitEintrag(Index index, int n, const QString& entry, bool neu);

// The locale's short date with the year in four digits ("08.12.2026"), as every date of a collection
// reads; a two-digit year would be ambiguous a century on.
QString kurzesDatum(const QDate& date, const QLocale& locale);

// The index lines with recipe n marked as deleted ("||||"); line 0 is not changed.
template <class Index> Index indexOhneEintrag(Index index, int n);

} // namespace tk
