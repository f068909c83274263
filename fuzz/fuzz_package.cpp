// Recipe package reader: any input is either refused with tk::Error or unpacks only allowed names,
// and a refused package leaves the target folder empty.
#include "FuzzSupport.h"
#include "exchange/importexport.h"
#include "platform/Error.h"

#include <QDirIterator>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString package = tkfuzz::writeScratch(QStringLiteral("paket.bin"), data, size);
    const QString target = tkfuzz::scratchDir() + QStringLiteral("/ziel");
    QDir(target).removeRecursively();
    QDir().mkpath(target);
    bool refused = false;
    try {
        tk::DateienEntpacken(package, target);
    } catch (const tk::Error&) {
        refused = true;
    }
    const QStringList found = QDir(target).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (refused && !found.isEmpty()) abort(); // a refused package must leave nothing behind
    for (const QString& name : found)
        if (!tk::gueltigerPaketname(name) || !QFileInfo(QDir(target).filePath(name)).isFile()) abort();
    // Nothing may appear beside the target folder either.
    const QStringList beside = QDir(tkfuzz::scratchDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& b : beside)
        if (b != QLatin1String("paket.bin") && b != QLatin1String("ziel")) abort();
    return 0;
}
