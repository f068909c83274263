#pragma once

#include <QString>

class QPlainTextEdit;

namespace tk {

// The text of a field as it stands: toPlainText() turns every non-breaking space into a blank, and
// recipe files travel byte for byte, so what the user did not touch must come back unchanged.
// Blocks are separated by U+2029, which feldZeilen splits at.
QString rohText(const QPlainTextEdit* field);

} // namespace tk
