#pragma once

#include <QByteArray>
#include <QString>

namespace tk {

// Windows-1252, complete for all 256 byte values: the five codes Windows leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same number, so every byte
// round-trips. Characters the code page cannot hold are written as "?".
QString fromCp1252(const QByteArray& bytes);
QString fromCp1252(const char* data, qsizetype size);
QByteArray toCp1252(const QString& text);
char toCp1252(QChar c); // '?' when not representable

} // namespace tk
