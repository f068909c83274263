// INI engine: ladeDatei, the readers and one change written back.
#include "FuzzSupport.h"
#include "platform/Error.h"
#include "store/IniSpeicher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = tkfuzz::writeScratch(QStringLiteral("big.ini"), data, size);
    try {
        tk::IniSpeicher ini(path);
        QStringList sections;
        ini.abschnittsnamen(sections);
        for (const QString& s : sections) {
            QStringList keys;
            ini.schluesselListe(s, keys);
            for (const QString& k : keys) {
                ini.leseText(s, k, QString());
                ini.leseZahl(s, k, 0);
            }
        }
        if (!sections.isEmpty())
            ini.entferneAbschnitt(sections.front());
        ini.schreibeText(QStringLiteral("Rezept"), QStringLiteral("Titel"), QStringLiteral("Suppe"));
        if (ini.leseText(QStringLiteral("Rezept"), QStringLiteral("Titel"), QString())
            != QLatin1String("Suppe"))
            abort();
        ini.zurueckschreiben();
        tk::IniSpeicher again(path);
        if (again.leseText(QStringLiteral("Rezept"), QStringLiteral("Titel"), QString())
            != QLatin1String("Suppe"))
            abort();
    } catch (const tk::Error&) {
    }
    return 0;
}
