#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace tk {

// Whole-file line lists in Windows-1252. Reading accepts CR LF and bare LF; a final line end
// adds no empty line. Writing puts CR LF after every line and replaces the file atomically.
QStringList splitLines(const QByteArray& bytes);
QByteArray joinLines(const QStringList& lines);

QStringList loadLines(const QString& path); // throws tk::Error when the file cannot be read
void saveLines(const QString& path, const QStringList& lines); // throws tk::Error; old file kept on failure

// Raw bytes, with the same error rules. saveBytes writes atomically and refuses a read-only target.
QByteArray loadBytes(const QString& path);
void saveBytes(const QString& path, const QByteArray& bytes);
// The pieces one after the other, as one file; a large file need not be joined in memory first.
void saveBytes(const QString& path, const std::vector<QByteArrayView>& stuecke);

// Read-only attribute: on this platform the owner's write permission.
bool isReadOnly(const QString& path);
void clearReadOnly(const QString& path); // keeps every other permission bit

QString cannotOpenMessage(const QString& path);
QString cannotWriteMessage(const QString& path);

} // namespace tk
