// Index and recipe files: the loading function on any index (from lines and from bytes, which must
// agree), the recipe parser on any lines.
#include "platform/Error.h"
#include "platform/TextLines.h"
#include "store/Formats.h"
#include "store/IndexZeilen.h"
#include "store/Rezepte.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList lines
        = tk::splitLines(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));

    std::vector<tk::Rezepteintrag> rezepte;
    int rezeptMax = 0;
    int listed = 0;
    const tk::Ladeergebnis out = tk::ladeTabelle(
        lines, rezepte, rezeptMax, nullptr, int(size % 20), [](int) {},
        [&](int n) {
            if (n < 0 || size_t(n) >= rezepte.size())
                abort();
            ++listed;
        });
    if (out.lebend < 0 || size_t(out.lebend) > rezepte.size() || listed > out.lebend + 1)
        abort();

    std::vector<tk::Rezepteintrag> ausBytes;
    int maxBytes = 0;
    const tk::Ladeergebnis b
        = tk::ladeTabelle(tk::IndexZeilen(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))),
            ausBytes, maxBytes, nullptr, int(size % 20), {}, {});
    if (b.lebend != out.lebend || b.abgebrochen != out.abgebrochen || b.abbruchZeile != out.abbruchZeile
        || b.altesFormat != out.altesFormat || maxBytes != rezeptMax || ausBytes.size() != rezepte.size())
        abort();
    for (size_t n = 0; n < rezepte.size(); ++n) {
        const tk::Rezepteintrag &x = rezepte[n], &y = ausBytes[n];
        if (x.titel != y.titel || x.autor != y.autor || x.datum != y.datum || x.menge != y.menge
            || x.titel.isNull() != y.titel.isNull() || x.inKategorie != y.inKategorie
            || x.geloescht != y.geloescht)
            abort();
    }
    for (const QString& l : lines) {
        const tk::IndexFields f = tk::splitEntry(l);
        unsigned char flags[100] = {};
        tk::categoryFlags(f.kategorien, flags);
        tk::buildEntry(f);
    }

    try {
        const tk::RecipeFile r = tk::parseRecipe(lines);
        // What was read must survive writing and reading again.
        const tk::RecipeFile again = tk::parseRecipe(tk::buildRecipe(r.zutaten, r.text, r.kommentar));
        if (again.zutaten != r.zutaten || again.text != r.text || again.kommentar != r.kommentar)
            abort();
    } catch (const tk::Error&) {
    }
    return 0;
}
