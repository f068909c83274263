#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace tk {

// One paragraph of a rich-text document, formatted as a whole.
struct RichLine {
    QString text;
    int pointSize = 10;
    bool bold = false;
    bool underline = false;
};

// A complete RTF document in one font: font table, sizes in half-points, \b and \ul, one \par per line.
// Text goes out as Windows-1252 (\'hh above ASCII); characters outside the code page as \uN so none is lost.
QByteArray writeRtf(const QList<RichLine>& lines, const QString& fontName = QStringLiteral("Arial"));

// The text of one run with RTF's special characters escaped.
QByteArray rtfEscape(QStringView text);

} // namespace tk
