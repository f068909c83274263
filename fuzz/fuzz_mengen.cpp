// Amounts of ingredient lines and the shopping list: every line splits and joins back to itself,
// scaling never fails, and the list file reads back to the same list.
#include "FuzzSupport.h"
#include "exchange/Einkaufsliste.h"
#include "exchange/Mengen.h"
#include "platform/TextLines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList zeilen
        = tk::splitLines(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    for (const QString& z : zeilen) {
        const tk::Mengenzeile m = tk::leseMenge(z);
        if (m.text() != z || (m.hatMenge && !(m.von > 0 && m.bis >= m.von)))
            abort();
        if (tk::skaliereZeile(z, 1) != z || (!m.hatMenge && tk::skaliereZeile(z, 2.5) != z))
            abort();
        tk::skaliereZeile(z, 1.0 / 3);
        tk::skaliereZeile(z, 999);
        tk::lesePortionen(z);
        tk::skalierePortionen(z, 7);
    }
    tk::Einkaufsliste liste = tk::Einkaufsliste::ausDatei(zeilen);
    liste.hinzufuegen(zeilen, QStringLiteral("A"));
    liste.hinzufuegen(zeilen, QStringLiteral("B"));
    const QStringList datei = liste.dateizeilen();
    if (tk::Einkaufsliste::ausDatei(datei).dateizeilen() != datei)
        abort();
    return 0;
}
