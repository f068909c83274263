#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace tk {

// Reads rich text (RTF) into a document: fonts, colours, sizes, bold, italic, underline,
// paragraphs with their alignment and indents, line breaks, tabs, Windows-1252 and Unicode
// characters. Pictures, objects and the other destinations a reader may skip are skipped.
// Damaged input gives whatever could be read; the reader never fails on it and takes time in
// proportion to the input. Text without the RTF header is taken as plain Windows-1252 text.
void readRtf(const QByteArray& rtf, QTextDocument& doc);

// Loads a file with readRtf; false (and the document untouched) when the file cannot be read.
bool loadRtfFile(const QString& path, QTextDocument& doc);

} // namespace tk
