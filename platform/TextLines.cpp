#include "platform/TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include "platform/Cp1252.h"
#include "platform/Error.h"

namespace tk {

QString cannotOpenMessage(const QString& path)
{
    return QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden.").arg(QDir::toNativeSeparators(path));
}

QString cannotWriteMessage(const QString& path)
{
    QString m = QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.")
                    .arg(QDir::toNativeSeparators(path));
    // A full or write-protected drive is something the user can put right: say so.
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    if (disk.isValid() && disk.isReady()) {
        if (disk.isReadOnly())
            m += QStringLiteral(" Der Datenträger ist schreibgeschützt.");
        else if (disk.bytesAvailable() < 64 * 1024)
            m += QStringLiteral(" Auf dem Datenträger ist kein Platz mehr frei.");
    }
    return m;
}

QStringList splitLines(const QByteArray& bytes)
{
    QStringList lines;
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    while (start < size) {
        const void* hit = memchr(data + start, '\n', size_t(size - start));
        qsizetype end = hit ? static_cast<const char*>(hit) - data : size;
        qsizetype len = end - start;
        if (len > 0 && data[start + len - 1] == '\r')
            --len;
        lines.append(fromCp1252(data + start, len));
        start = end + 1;
    }
    return lines;
}

QByteArray joinLines(const QStringList& lines)
{
    QByteArray out;
    qsizetype total = 0;
    for (const QString& l : lines)
        total += l.size() + 2;
    out.reserve(total);
    for (const QString& l : lines) {
        out += toCp1252(l);
        out += "\r\n";
    }
    return out;
}

QByteArray loadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(cannotOpenMessage(path));
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw Error(cannotOpenMessage(path));
    return bytes;
}

QStringList loadLines(const QString& path) { return splitLines(loadBytes(path)); }

void saveBytes(const QString& path, const QByteArray& bytes) { saveBytes(path, { QByteArrayView(bytes) }); }

void saveBytes(const QString& path, const std::vector<QByteArrayView>& stuecke)
{
    // A rename would replace a read-only file; a direct write would fail, and so do we.
    if (QFileInfo::exists(path) && isReadOnly(path))
        throw Error(cannotWriteMessage(path));
    QSaveFile f(path);
    // Unbuffered: a buffered write that fails only at commit (disk full) is not noticed by QSaveFile,
    // which then replaces the file with a truncated one.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw Error(cannotWriteMessage(path));
    for (const QByteArrayView& s : stuecke)
        if (f.write(s.data(), s.size()) != s.size()) {
            f.cancelWriting();
            throw Error(cannotWriteMessage(path));
        }
    if (!f.flush()) {
        f.cancelWriting();
        throw Error(cannotWriteMessage(path));
    }
    if (!f.commit())
        throw Error(cannotWriteMessage(path));
}

void saveLines(const QString& path, const QStringList& lines) { saveBytes(path, joinLines(lines)); }

bool isReadOnly(const QString& path) { return !(QFile::permissions(path) & QFileDevice::WriteOwner); }

void clearReadOnly(const QString& path)
{
    const auto perms = QFile::permissions(path);
    if (!(perms & QFileDevice::WriteOwner))
        QFile::setPermissions(path, perms | QFileDevice::WriteOwner | QFileDevice::WriteUser);
}

} // namespace tk
