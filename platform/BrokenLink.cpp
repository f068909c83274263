#include "platform/BrokenLink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#endif

namespace tk {

QString brokenLinkMessage(const QString& path)
{
#ifdef Q_OS_UNIX
    // From the root down, so the link that breaks the way is named, not the files behind it.
    const QString absolut = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    qsizetype ende = 0;
    while (ende < absolut.size()) {
        ende = absolut.indexOf(u'/', ende + 1);
        if (ende < 0)
            ende = absolut.size();
        const QString teil = absolut.left(ende);
        const QByteArray name = QFile::encodeName(teil);
        struct stat st;
        if (::lstat(name.constData(), &st) != 0)
            return {}; // missing, not broken
        if (!S_ISLNK(st.st_mode) || ::stat(name.constData(), &st) == 0)
            continue;
        if (errno == ELOOP)
            return QStringLiteral("Die Verknüpfung \"%1\" führt im Kreis und kann nicht geöffnet werden.")
                .arg(QDir::toNativeSeparators(teil));
        return QStringLiteral("Die Verknüpfung \"%1\" zeigt ins Leere (auf \"%2\").")
            .arg(QDir::toNativeSeparators(teil), QDir::toNativeSeparators(QFile::symLinkTarget(teil)));
    }
#else
    Q_UNUSED(path);
#endif
    return {};
}

} // namespace tk
