// Platform INI reader, and a write into whatever the file holds.
#include "FuzzSupport.h"
#include "platform/Error.h"
#include "platform/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = tkfuzz::writeScratch(QStringLiteral("test.ini"), data, size);
    try {
        tk::IniFile ini(path);
        const QStringList sections
            = { QStringLiteral("Favoriten"), QStringLiteral("Einstellungen"), QStringLiteral("a") };
        for (const QString& s : sections) {
            ini.sectionExists(s);
            for (const QString& k : ini.readSection(s)) {
                ini.readString(s, k, QString());
                ini.readInteger(s, k, 0);
                ini.readBool(s, k, false);
            }
        }
        ini.writeString(QStringLiteral("Favoriten"), QStringLiteral("17"), QStringLiteral("1"));
        if (!ini.readBool(QStringLiteral("Favoriten"), QStringLiteral("17"), false))
            abort();
    } catch (const tk::Error&) {
    }
    return 0;
}
