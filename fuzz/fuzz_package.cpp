// Recipe package reader: any input is either refused with tk::Error or unpacks only allowed names,
// and a refused package leaves the target folder empty.
#include "FuzzSupport.h"
#include "exchange/Paketformat.h"
#include "platform/Error.h"

#include <QDirIterator>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString package = tkfuzz::writeScratch(QStringLiteral("paket.bin"), data, size);
    const QString target = tkfuzz::scratchDir() + QStringLiteral("/ziel");
    QDir(target).removeRecursively();
    QDir().mkpath(target);
    // Into an empty folder the files are written in place; into a used one through a staging folder.
    const bool used = size % 2 == 1;
    if (used) {
        QFile old(target + QStringLiteral("/alt.dat"));
        if (!old.open(QIODevice::WriteOnly) || old.write("alt") != 3)
            abort();
    }
    bool refused = false;
    try {
        tk::dateienEntpacken(package, target);
    } catch (const tk::Error&) {
        refused = true;
    }
    const QStringList found
        = QDir(target).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    // A refused package must leave the folder as it was.
    if (refused && found != (used ? QStringList { QStringLiteral("alt.dat") } : QStringList()))
        abort();
    // A file that was there before is never touched, refused or not.
    if (used) {
        QFile old(target + QStringLiteral("/alt.dat"));
        if (!old.open(QIODevice::ReadOnly) || old.readAll() != "alt")
            abort();
    }
    for (const QString& name : found) {
        if (used && name == QLatin1String("alt.dat"))
            continue;
        // Joined by hand: QDir::filePath takes a name starting with ":" for a resource path.
        if (!tk::gueltigerPaketname(name) || !QFileInfo(target + u'/' + name).isFile())
            abort();
    }
    // Nothing may appear beside the target folder either.
    const QStringList beside
        = QDir(tkfuzz::scratchDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& b : beside)
        if (b != QLatin1String("paket.bin") && b != QLatin1String("ziel"))
            abort();
    return 0;
}
