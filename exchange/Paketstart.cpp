#include "exchange/Paketstart.h"

#include <QDir>
#include <QUrl>

namespace tk {

QStringList paketArgumente(const QStringList& argumente, const QString& arbeitsordner)
{
    QStringList pakete;
    const QDir basis(arbeitsordner);
    for (const QString& arg : argumente) {
        QString pfad = arg;
        // Some file managers hand over a file URL even where a path was asked for; other URLs are no files.
        if (pfad.contains(QLatin1String("://"))) {
            const QUrl url(pfad);
            if (!url.isLocalFile())
                continue;
            pfad = url.toLocalFile();
        }
        if (pfad.startsWith(u'-') || !pfad.endsWith(QLatin1String(".tkp"), Qt::CaseInsensitive))
            continue;
        pfad = QDir::cleanPath(basis.absoluteFilePath(pfad));
        if (!pakete.contains(pfad))
            pakete.append(pfad);
    }
    return pakete;
}

} // namespace tk
