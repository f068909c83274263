#include "exchange/Paketformat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>
#include <optional>
#include <vector>
#include <zlib.h>

#include "platform/Cp1252.h"
#include "platform/Error.h"
#include "platform/TextLines.h"

namespace tk {

namespace {
    constexpr qint64 kChunk = 256 * 1024;
    // Smallest possible entry: name length, one name byte, size, and an empty zlib stream.
    constexpr qint64 kSmallestEntry = 4 + 1 + 4 + 8;

    QByteArray le32(qint32 v)
    {
        QByteArray b(4, Qt::Uninitialized);
        qToLittleEndian(v, b.data());
        return b;
    }

    QString bareName(const QString& path)
    {
        const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
        return path.mid(cut + 1);
    }

    QString quoted(const QString& s) { return u'„' + s + u'“'; }

    [[noreturn]] void damaged(const QString& package, const QString& why)
    {
        throw Error(
            QStringLiteral("Das Rezeptpaket %1 ist beschädigt: %2. Es wurde nichts daraus übernommen.")
                .arg(quoted(QFileInfo(package).fileName()), why));
    }

    struct Entry {
        QString name;
        QString staged;
    };
}

bool gueltigerPaketname(const QString& name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    if (name.size() >= 2 && name.at(1) == u':' && name.at(0).isLetter() && name.at(0).unicode() < 128)
        return false;
    for (QChar c : name)
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            return false;
    return QFile::encodeName(name).size() <= 255;
}

void dateienPacken(const QStringList& files, const QString& packagePath)
{
    if (files.isEmpty())
        return;
    if (QFileInfo::exists(packagePath) && isReadOnly(packagePath))
        throw Error(cannotWriteMessage(packagePath));
    QSaveFile out(packagePath);
    if (!out.open(QIODevice::WriteOnly))
        throw Error(cannotWriteMessage(packagePath));
    auto put = [&](const QByteArray& b) {
        if (out.write(b) != b.size())
            throw Error(cannotWriteMessage(packagePath));
    };
    put(le32(qint32(files.size())));
    QByteArray packed;
    for (const QString& path : files) {
        const QByteArray content = loadBytes(path);
        const QByteArray name = toCp1252(bareName(path));
        put(le32(qint32(name.size())));
        put(name);
        put(le32(qint32(quint32(quint64(content.size()) & 0xFFFFFFFFu))));
        // The whole stream is made in memory first, so no scratch file of the user's is touched.
        uLongf len = compressBound(uLong(content.size()));
        packed.resize(qsizetype(len));
        const int rc = compress2(reinterpret_cast<Bytef*>(packed.data()), &len,
            reinterpret_cast<const Bytef*>(content.constData()), uLong(content.size()), Z_BEST_COMPRESSION);
        if (rc != Z_OK)
            throw Error(QStringLiteral("Die Datei %1 kann nicht gepackt werden.")
                            .arg(quoted(QDir::toNativeSeparators(path))));
        packed.resize(qsizetype(len));
        put(packed);
    }
    // QSaveFile does not notice a buffered write that fails at commit (disk full): flush and check first.
    if (!out.flush() || !out.commit())
        throw Error(cannotWriteMessage(packagePath));
}

void dateienEntpacken(const QString& packagePath, const QString& targetDir)
{
    QFile in(packagePath);
    if (!in.open(QIODevice::ReadOnly))
        throw Error(cannotOpenMessage(packagePath));
    const qint64 size = in.size();
    QByteArray owned;
    const uchar* data = size > 0 ? in.map(0, size) : nullptr;
    if (!data && size > 0) {
        owned = in.readAll();
        if (owned.size() != size)
            throw Error(cannotOpenMessage(packagePath));
        data = reinterpret_cast<const uchar*>(owned.constData());
    }

    qint64 pos = 0;
    auto readInt = [&](const QString& what) {
        if (size - pos < 4)
            damaged(packagePath, QStringLiteral("die Datei endet vor %1").arg(what));
        const qint32 v = qFromLittleEndian<qint32>(data + pos);
        pos += 4;
        return v;
    };

    const qint32 count = readInt(QStringLiteral("der Anzahl der Dateien"));
    if (count < 0 || qint64(count) * kSmallestEntry > size - pos)
        damaged(packagePath, QStringLiteral("die Anzahl der Dateien (%1) ist unmöglich").arg(count));
    if (count == 0)
        return;

    const QDir target(targetDir);
    // QDir::filePath takes a name that starts with ":" for a resource path and returns it unchanged;
    // a package name is always a plain file inside the target folder.
    const QString base = QDir::cleanPath(QDir(targetDir).absolutePath()) + u'/';
    auto inTarget = [&base](const QString& n) { return base + n; };
    const bool neu = !target.exists();
    if (!QDir().mkpath(targetDir))
        throw Error(cannotWriteMessage(targetDir));
    // Into an empty folder the files go straight to their names and a failure removes them again;
    // otherwise they wait beside it until the whole package has been checked.
    const bool direkt = target.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    std::optional<QTemporaryDir> staging;
    if (!direkt) {
        staging.emplace(target.filePath(QStringLiteral(".entpacken-XXXXXX")));
        if (!staging->isValid())
            throw Error(cannotWriteMessage(targetDir));
    }
    struct Aufraeumen {
        const QDir& target;
        bool neu, direkt, fertig = false;
        QSet<QString> geschrieben;
        ~Aufraeumen()
        {
            if (fertig || !direkt)
                return;
            for (const QString& n : std::as_const(geschrieben))
                QFile::remove(QDir::cleanPath(target.absolutePath()) + u'/' + n);
            if (neu)
                QDir().rmdir(target.path());
        }
    } aufraeumen { target, neu, direkt };

    std::vector<Entry> entries;
    std::vector<unsigned char> buf(static_cast<size_t>(kChunk));
    for (qint32 i = 0; i < count; ++i) {
        const qint32 len = readInt(QStringLiteral("einem Dateinamen"));
        if (len <= 0 || len > 255 || len > size - pos)
            damaged(packagePath, QStringLiteral("die Länge eines Dateinamens (%1) ist ungültig").arg(len));
        const QString name = fromCp1252(reinterpret_cast<const char*>(data + pos), len);
        pos += len;
        if (!gueltigerPaketname(name))
            damaged(packagePath, QStringLiteral("der Dateiname %1 ist nicht erlaubt").arg(quoted(name)));
        const qint32 announced = readInt(QStringLiteral("der Größe von %1").arg(quoted(name)));
        if (announced < 0)
            damaged(packagePath, QStringLiteral("die Größe von %1 ist ungültig").arg(quoted(name)));

        Entry e { name, direkt ? inTarget(name) : staging->filePath(QString::number(i)) };
        if (direkt)
            aufraeumen.geschrieben.insert(name);
        QFile part(e.staged);
        if (!part.open(QIODevice::WriteOnly))
            throw Error(cannotWriteMessage(e.staged));

        z_stream z {};
        if (inflateInit(&z) != Z_OK)
            throw Error(QStringLiteral("Das Rezeptpaket kann nicht entpackt werden (zu wenig Speicher)."));
        qint64 total = 0;
        QString fault;
        for (;;) {
            if (z.avail_in == 0) {
                const qint64 left = size - pos;
                if (left == 0) {
                    fault = QStringLiteral("die Daten von %1 enden vorzeitig").arg(quoted(name));
                    break;
                }
                z.next_in = const_cast<Bytef*>(data + pos);
                z.avail_in = uInt(std::min<qint64>(left, qint64(1) << 30));
            }
            // Never let the stream produce more than one byte past the announced size.
            const qint64 room = std::min<qint64>(kChunk, qint64(announced) - total + 1);
            z.next_out = buf.data();
            z.avail_out = uInt(room);
            const uInt before = z.avail_in;
            const int rc = inflate(&z, Z_NO_FLUSH);
            pos += before - z.avail_in;
            const qint64 produced = room - z.avail_out;
            total += produced;
            if (total > announced) {
                fault = QStringLiteral("%1 ist größer als angegeben").arg(quoted(name));
                break;
            }
            if (produced > 0 && part.write(reinterpret_cast<const char*>(buf.data()), produced) != produced) {
                inflateEnd(&z);
                throw Error(cannotWriteMessage(inTarget(name)));
            }
            if (rc == Z_STREAM_END)
                break;
            if (rc != Z_OK && !(rc == Z_BUF_ERROR && (produced > 0 || before != z.avail_in))) {
                fault = QStringLiteral("die Daten von %1 lassen sich nicht entpacken").arg(quoted(name));
                break;
            }
        }
        inflateEnd(&z);
        if (fault.isEmpty() && total != announced)
            fault = QStringLiteral("%1 ist kleiner als angegeben").arg(quoted(name));
        if (!fault.isEmpty())
            damaged(packagePath, fault);
        if (!part.flush())
            throw Error(cannotWriteMessage(inTarget(name)));
        part.close();
        entries.push_back(std::move(e));
    }
    if (pos != size)
        damaged(packagePath, QStringLiteral("hinter der letzten Datei folgen weitere Daten"));

    aufraeumen.fertig = true;
    if (direkt)
        return;
    // Everything checked: move the files into place. Names that would land on a folder stop it before
    // anything is moved.
    for (const Entry& e : entries) {
        const QFileInfo fi(inTarget(e.name));
        if (fi.isDir() && !fi.isSymLink())
            throw Error(cannotWriteMessage(fi.filePath()));
    }
    QStringList moved;
    for (const Entry& e : entries) {
        const QString dest = inTarget(e.name);
        const bool existed = QFileInfo(dest).exists() || QFileInfo(dest).isSymLink();
        if (existed)
            QFile::remove(dest);
        if (!QFile::rename(e.staged, dest)) {
            // Take back the new files moved so far, so a refused package adds nothing to the folder.
            for (const QString& m : std::as_const(moved))
                QFile::remove(m);
            throw Error(cannotWriteMessage(dest));
        }
        if (!existed)
            moved.append(dest);
    }
}

bool ordnerLoeschen(QString path)
{
    if (path.endsWith(u'\\') || path.endsWith(u'/'))
        path.chop(1);
    if (path.isEmpty())
        return false;
    const QFileInfo fi(path);
    if (fi.isSymLink())
        return QFile::remove(path);
    if (!fi.isDir() || fi.isRoot())
        return false;
    return QDir(path).removeRecursively();
}

} // namespace tk
