#pragma once

#include <QStringList>

class QPlainTextEdit;

namespace tk {

// The lines a wrapping text field shows at its current width: each piece the field puts on a line of
// its own is one line. A field that is not on screen has no width to wrap at; its paragraphs serve.
QStringList displayedLines(const QPlainTextEdit* edit);

} // namespace tk
