// INI engine: LoadFile, the readers and one change written back.
#include "FuzzSupport.h"
#include "platform/Error.h"
#include "store/IniSpeicher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = tkfuzz::writeScratch(QStringLiteral("big.ini"), data, size);
    try {
        tk::IniSpeicher ini(path);
        QStringList sections;
        ini.ListSections(sections);
        for (const QString& s : sections) {
            QStringList keys;
            ini.ListKeys(s, keys);
            for (const QString& k : keys) {
                ini.ReadText(s, k, QString());
                ini.ReadNumber(s, k, 0);
            }
        }
        if (!sections.isEmpty())
            ini.DropSection(sections.front());
        ini.WriteText(QStringLiteral("Rezept"), QStringLiteral("Titel"), QStringLiteral("Suppe"));
        if (ini.ReadText(QStringLiteral("Rezept"), QStringLiteral("Titel"), QString())
            != QLatin1String("Suppe"))
            abort();
        ini.WriteBack();
        tk::IniSpeicher again(path);
        if (again.ReadText(QStringLiteral("Rezept"), QStringLiteral("Titel"), QString())
            != QLatin1String("Suppe"))
            abort();
    } catch (const tk::Error&) {
    }
    return 0;
}
