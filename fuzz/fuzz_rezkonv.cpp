// RezKonv and MealMaster files: the reader on any bytes, the category mapping on every name it finds,
// and each recipe read written again in the program's own RezKonv layout and read back.
#include "exchange/RezKonvExport.h"
#include "exchange/RezKonvImport.h"

#include <cstdlib>

namespace {
void sauber(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() < 0x20)
            abort();
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const tk::ImportErgebnis e = tk::leseRezepte(bytes);
    const qsizetype zeilen = qsizetype(size) + 1;
    const tk::Kategoriezuordnung k({ { 15, QStringLiteral("Grillen") } });
    for (const tk::UebersprungenesRezept& u : e.uebersprungen)
        if (u.zeile < 1 || u.zeile > zeilen || u.grund.isEmpty())
            abort();
    for (const tk::ImportRezept& r : e.rezepte) {
        if (r.zeile < 1 || r.zeile > zeilen || r.titel.trimmed().isEmpty())
            abort();
        for (const QString* s : { &r.titel, &r.autor, &r.datum, &r.menge })
            sauber(*s);
        for (const QStringList* l : { &r.kategorien, &r.zutaten, &r.text, &r.kommentar })
            for (const QString& s : *l)
                sauber(s);
        QStringList unbekannt;
        const QString liste = k.liste(r.kategorien, &unbekannt);
        if (liste.isEmpty() || liste.size() % 3 != 0 || unbekannt.size() > r.kategorien.size())
            abort();

        const QStringList wieder = tk::rezKonvErzeugen(r.titel, r.autor, r.datum, r.menge, r.text, r.zutaten);
        // As text: Windows-1252 bytes that happen to be valid UTF-8 would read differently, rightly.
        const tk::ImportErgebnis zurueck = tk::leseRezepte(wieder.join(u'\n'));
        if (zurueck.rezepte.size() != 1 || zurueck.rezepte[0].titel.trimmed() != r.titel.trimmed())
            abort();
    }
    return 0;
}
