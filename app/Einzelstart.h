#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

class QLocalServer;
class QLockFile;

namespace tk {

// One copy of the program per collection on one computer. The first copy holds a lock in the work
// folder and listens on a local socket named after the program folder; a later start hands its
// arguments to it and ends. A copy that crashed leaves a stale lock, which the next start takes over.
class Einzelstart : public QObject {
    Q_OBJECT
public:
    explicit Einzelstart(const QString& programDir, QObject* parent = nullptr);
    ~Einzelstart() override;

    // True: this copy owns the collection from now on. False: a running copy took the arguments.
    bool uebernehmen(const QStringList& argumente, const QString& arbeitsordner);

    static QString serverName(const QString& programDir);

    // The windows are up: arguments that came during the start-up are announced now, later ones at once.
    void bereit();

signals:
    // Another start handed over its arguments (empty: it was started without any).
    void argumenteErhalten(const QStringList& argumente, const QString& arbeitsordner);

private:
    bool uebergeben(const QStringList& argumente, const QString& arbeitsordner);
    void annehmen();

    QString m_programDir;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    bool m_bereit = false;
    QList<QPair<QStringList, QString>> m_wartend;
};

} // namespace tk
