#pragma once

// Shared by the fuzz targets: a scratch folder on a memory file system where there is one.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdlib>
#include <unistd.h>

namespace tkfuzz {

inline QString scratchDir()
{
    static const QString dir = [] {
        const QString base
            = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        const QString d = base + QStringLiteral("/tkfuzz-") + QString::number(getpid());
        QDir(d).removeRecursively();
        QDir().mkpath(d);
        // The QString is gone by the time exit handlers run: keep the path in plain memory.
        static char copy[4096];
        qstrncpy(copy, QFile::encodeName(d).constData(), sizeof copy);
        std::atexit([] { QDir(QFile::decodeName(copy)).removeRecursively(); });
        return d;
    }();
    return dir;
}

inline QString writeScratch(const QString& name, const uint8_t* data, size_t size)
{
    const QString path = scratchDir() + u'/' + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        abort();
    if (size && f.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        abort();
    return path;
}

} // namespace tkfuzz
