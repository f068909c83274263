#include "editing/gui/RohText.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace tk {

QString rohText(const QPlainTextEdit* field) { return field->document()->toRawText(); }

} // namespace tk
