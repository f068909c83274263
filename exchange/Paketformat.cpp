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

namespace {
    // The package file, read from front to back; a read past its end is damage.
    class Paketleser {
    public:
        explicit Paketleser(const QString& pfad)
            : m_pfad(pfad)
            , m_datei(pfad)
        {
            if (!m_datei.open(QIODevice::ReadOnly))
                throw Error(cannotOpenMessage(pfad));
            m_groesse = m_datei.size();
            m_daten = m_groesse > 0 ? m_datei.map(0, m_groesse) : nullptr;
            if (!m_daten && m_groesse > 0) {
                m_kopie = m_datei.readAll();
                if (m_kopie.size() != m_groesse)
                    throw Error(cannotOpenMessage(pfad));
                m_daten = reinterpret_cast<const uchar*>(m_kopie.constData());
            }
        }

        const QString& pfad() const { return m_pfad; }
        qint64 rest() const { return m_groesse - m_pos; }
        const uchar* hier() const { return m_daten + m_pos; }
        void weiter(qint64 n) { m_pos += n; }

        qint32 zahl(const QString& was)
        {
            if (rest() < 4)
                damaged(m_pfad, QStringLiteral("die Datei endet vor %1").arg(was));
            const qint32 v = qFromLittleEndian<qint32>(hier());
            m_pos += 4;
            return v;
        }

    private:
        QString m_pfad;
        QFile m_datei;
        QByteArray m_kopie; // when the file cannot be mapped
        const uchar* m_daten = nullptr;
        qint64 m_groesse = 0;
        qint64 m_pos = 0;
    };

    struct Eintragskopf {
        QString name;
        qint32 groesse = 0; // as announced
    };

    // First step of an entry: its name and size, checked before anything is made of them.
    Eintragskopf kopfLesen(Paketleser& in)
    {
        const qint32 len = in.zahl(QStringLiteral("einem Dateinamen"));
        if (len <= 0 || len > 255 || len > in.rest())
            damaged(in.pfad(), QStringLiteral("die Länge eines Dateinamens (%1) ist ungültig").arg(len));
        Eintragskopf k;
        k.name = fromCp1252(reinterpret_cast<const char*>(in.hier()), len);
        in.weiter(len);
        if (!gueltigerPaketname(k.name))
            damaged(in.pfad(), QStringLiteral("der Dateiname %1 ist nicht erlaubt").arg(quoted(k.name)));
        k.groesse = in.zahl(QStringLiteral("der Größe von %1").arg(quoted(k.name)));
        if (k.groesse < 0)
            damaged(in.pfad(), QStringLiteral("die Größe von %1 ist ungültig").arg(quoted(k.name)));
        return k;
    }

    // Second step: the entry's zlib stream into the open file; anything but exactly the announced size
    // is damage. `ziel` is the file's place in the target folder, for the messages.
    void eintragEntpacken(Paketleser& in, const Eintragskopf& k, QFile& part, const QString& ziel,
        std::vector<unsigned char>& buf)
    {
        z_stream z {};
        if (inflateInit(&z) != Z_OK)
            throw Error(QStringLiteral("Das Rezeptpaket kann nicht entpackt werden (zu wenig Speicher)."));
        qint64 total = 0;
        QString fault;
        for (;;) {
            if (z.avail_in == 0) {
                const qint64 left = in.rest();
                if (left == 0) {
                    fault = QStringLiteral("die Daten von %1 enden vorzeitig").arg(quoted(k.name));
                    break;
                }
                z.next_in = const_cast<Bytef*>(in.hier());
                z.avail_in = uInt(std::min<qint64>(left, qint64(1) << 30));
            }
            // Never let the stream produce more than one byte past the announced size.
            const qint64 room = std::min<qint64>(kChunk, qint64(k.groesse) - total + 1);
            z.next_out = buf.data();
            z.avail_out = uInt(room);
            const uInt before = z.avail_in;
            const int rc = inflate(&z, Z_NO_FLUSH);
            in.weiter(before - z.avail_in);
            const qint64 produced = room - z.avail_out;
            total += produced;
            if (total > k.groesse) {
                fault = QStringLiteral("%1 ist größer als angegeben").arg(quoted(k.name));
                break;
            }
            if (produced > 0 && part.write(reinterpret_cast<const char*>(buf.data()), produced) != produced) {
                inflateEnd(&z);
                throw Error(cannotWriteMessage(ziel));
            }
            if (rc == Z_STREAM_END)
                break;
            if (rc != Z_OK && !(rc == Z_BUF_ERROR && (produced > 0 || before != z.avail_in))) {
                fault = QStringLiteral("die Daten von %1 lassen sich nicht entpacken").arg(quoted(k.name));
                break;
            }
        }
        inflateEnd(&z);
        if (fault.isEmpty() && total != k.groesse)
            fault = QStringLiteral("%1 ist kleiner als angegeben").arg(quoted(k.name));
        if (!fault.isEmpty())
            damaged(in.pfad(), fault);
        if (!part.flush())
            throw Error(cannotWriteMessage(ziel));
        part.close();
    }

    // Third step, when the unpacking does not finish: the files it made in the target folder go again,
    // and so does the folder when it made that too. Files it replaced stay replaced: a package only
    // replaces after every entry has been checked.
    class Rueckbau {
    public:
        Rueckbau(const QString& ordner, bool neuerOrdner)
            : m_ordner(ordner)
            , m_neuerOrdner(neuerOrdner)
        {
        }
        Rueckbau(const Rueckbau&) = delete;
        Rueckbau& operator=(const Rueckbau&) = delete;
        ~Rueckbau()
        {
            if (m_fertig)
                return;
            for (const QString& pfad : std::as_const(m_gemacht))
                QFile::remove(pfad);
            if (m_neuerOrdner)
                QDir().rmdir(m_ordner);
        }

        void gemacht(const QString& pfad) { m_gemacht.insert(pfad); }
        void fertig() { m_fertig = true; }

    private:
        QString m_ordner;
        bool m_neuerOrdner = false;
        bool m_fertig = false;
        QSet<QString> m_gemacht;
    };
}

void dateienEntpacken(const QString& packagePath, const QString& targetDir)
{
    Paketleser in(packagePath);
    const qint32 count = in.zahl(QStringLiteral("der Anzahl der Dateien"));
    if (count < 0 || qint64(count) * kSmallestEntry > in.rest())
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
    Rueckbau rueckbau(target.path(), neu);

    std::vector<Entry> entries;
    std::vector<unsigned char> buf(static_cast<size_t>(kChunk));
    for (qint32 i = 0; i < count; ++i) {
        const Eintragskopf k = kopfLesen(in);
        Entry e { k.name, direkt ? inTarget(k.name) : staging->filePath(QString::number(i)) };
        if (direkt)
            rueckbau.gemacht(e.staged);
        QFile part(e.staged);
        if (!part.open(QIODevice::WriteOnly))
            throw Error(cannotWriteMessage(e.staged));
        eintragEntpacken(in, k, part, inTarget(k.name), buf);
        entries.push_back(std::move(e));
    }
    if (in.rest() != 0)
        damaged(packagePath, QStringLiteral("hinter der letzten Datei folgen weitere Daten"));

    if (!direkt) {
        // Everything checked: move the files into place. Names that would land on a folder stop it
        // before anything is moved.
        for (const Entry& e : entries) {
            const QFileInfo fi(inTarget(e.name));
            if (fi.isDir() && !fi.isSymLink())
                throw Error(cannotWriteMessage(fi.filePath()));
        }
        for (const Entry& e : entries) {
            const QString dest = inTarget(e.name);
            const bool existed = QFileInfo(dest).exists() || QFileInfo(dest).isSymLink();
            if (existed)
                QFile::remove(dest);
            // A move that fails takes back the new files moved so far, so a refused package adds
            // nothing to the folder.
            if (!QFile::rename(e.staged, dest))
                throw Error(cannotWriteMessage(dest));
            if (!existed)
                rueckbau.gemacht(dest);
        }
    }
    rueckbau.fertig();
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
