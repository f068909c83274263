#include "platform/gui/DisplayedLines.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace tk {

QStringList displayedLines(const QPlainTextEdit* edit)
{
    QStringList out;
    const QTextDocument* doc = edit->document();
    if (doc->isEmpty())
        return out; // an empty field shows no line, not one empty line
    const bool wraps = edit->lineWrapMode() != QPlainTextEdit::NoWrap && edit->isVisible();
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const QTextLayout* tl = block.layout();
        if (wraps && tl && tl->lineCount() == 0)
            layout->blockBoundingRect(block); // lays the block out at the field's width
        if (!wraps || !tl || tl->lineCount() == 0) {
            out.append(text);
            continue;
        }
        for (int i = 0; i < tl->lineCount(); ++i) {
            const QTextLine line = tl->lineAt(i);
            out.append(text.mid(line.textStart(), line.textLength()));
        }
    }
    return out;
}

} // namespace tk
