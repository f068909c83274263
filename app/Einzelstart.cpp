#include "app/Einzelstart.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <utility>

#include "store/Formats.h"

namespace tk {

namespace {
    constexpr int kWarten = 2000; // ms a later start waits for the running copy to answer
}

Einzelstart::Einzelstart(const QString& programDir, QObject* parent)
    : QObject(parent)
    , m_programDir(programDir)
{
}

Einzelstart::~Einzelstart() = default;

QString Einzelstart::serverName(const QString& programDir)
{
    const QString kanonisch = QFileInfo(programDir).canonicalFilePath();
    const QByteArray hash = QCryptographicHash::hash(
        (kanonisch.isEmpty() ? programDir : kanonisch).toUtf8(), QCryptographicHash::Sha1)
                                .toHex()
                                .left(16);
    return QStringLiteral("tellerkiste-") + QString::fromLatin1(hash);
}

bool Einzelstart::uebernehmen(const QStringList& argumente, const QString& arbeitsordner)
{
    const QString ordner = tempDir(m_programDir) + QStringLiteral("/sammlung");
    // Without a work folder there is nothing to lock; the copy runs as before.
    if (!QDir().mkpath(ordner))
        return true;
    m_lock = std::make_unique<QLockFile>(ordner + QStringLiteral("/kopie.lock"));
    // A lock is stale only when its process is gone, however old it is.
    m_lock->setStaleLockTime(0);
    const QDeadlineTimer frist(kWarten * 2);
    for (;;) {
        if (m_lock->tryLock(0)) {
            m_server = new QLocalServer(this);
            m_server->setSocketOptions(QLocalServer::UserAccessOption);
            QLocalServer::removeServer(serverName(m_programDir)); // left by a crashed copy
            if (m_server->listen(serverName(m_programDir)))
                connect(m_server, &QLocalServer::newConnection, this, &Einzelstart::annehmen);
            return true;
        }
        if (m_lock->error() != QLockFile::LockFailedError)
            return true; // the work folder cannot be written: nothing to guard
        if (uebergeben(argumente, arbeitsordner))
            return false;
        // The running copy may not listen yet (it is starting): try again a little later.
        if (frist.hasExpired())
            return true;
        QThread::msleep(50);
    }
}

bool Einzelstart::uebergeben(const QStringList& argumente, const QString& arbeitsordner)
{
    QLocalSocket s;
    s.connectToServer(serverName(m_programDir));
    if (!s.waitForConnected(kWarten))
        return false;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << argumente << arbeitsordner;
    s.write(bytes);
    if (!s.waitForBytesWritten(kWarten))
        return false;
    // The running copy answers once it has read everything.
    return s.waitForReadyRead(kWarten) && s.readAll().startsWith("ok");
}

void Einzelstart::bereit()
{
    m_bereit = true;
    const auto wartend = std::exchange(m_wartend, {});
    for (const auto& [argumente, arbeitsordner] : wartend)
        emit argumenteErhalten(argumente, arbeitsordner);
}

void Einzelstart::annehmen()
{
    while (QLocalSocket* s = m_server->nextPendingConnection()) {
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        connect(s, &QLocalSocket::readyRead, this, [this, s] {
            const QByteArray da = s->peek(s->bytesAvailable());
            QDataStream in(da);
            QStringList argumente;
            QString arbeitsordner;
            in.startTransaction();
            in >> argumente >> arbeitsordner;
            if (!in.commitTransaction())
                return; // not all there yet
            s->readAll();
            s->write("ok");
            s->flush();
            if (m_bereit)
                emit argumenteErhalten(argumente, arbeitsordner);
            else
                m_wartend.append({ argumente, arbeitsordner });
        });
    }
}

} // namespace tk
