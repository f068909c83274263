#include "store/Rezepte.h"

#include <optional>

#include "platform/IniFile.h"
#include "store/Formats.h"

namespace tk {

bool gehoertZuKategorie(const TRezepte& r, int kategorie)
{
    if (r.Geloescht)
        return false;
    if (kategorie < 1)
        return true;
    if (kategorie > 99)
        return false;
    return r.InKategorie[kategorie] == 1 || (kategorie == 14 && r.Favorit == 1);
}

LoadOutcome loadRezepte(const QStringList& lines, std::vector<TRezepte>& rezepte, int& rezeptMax,
    const IniFile* favoriten, int aktKategorie, const std::function<void(int)>& progress,
    const std::function<void(int)>& listed)
{
    LoadOutcome out;
    int max = 0;
    if (lines.isEmpty() || !parseStoreInt(lines.at(0), max)) {
        out.failed = true;
        out.failedLine = 0;
        return out;
    }
    rezeptMax = max;
    // A damaged line 0 may claim far more records than the file holds; the load stops at the first
    // missing line anyway, so the table never grows past the lines that exist.
    const qsizetype records = std::min<qsizetype>(qsizetype(max) + 1, lines.size() - 1);
    rezepte.resize(size_t(std::max<qsizetype>(0, records)));

    std::optional<IniFile::Batch> batch;
    if (favoriten)
        batch.emplace(*favoriten);
    const QString section = QStringLiteral("Favoriten");

    for (int n = 0; n <= max; ++n) {
        if (progress)
            progress(n);
        if (n + 1 >= lines.size()) {
            out.failed = true;
            out.failedLine = n + 1;
            return out;
        }
        const QString& line = lines.at(n + 1);
        TRezepte& r = rezepte[size_t(n)];
        if (isDeletedEntry(line)) {
            r.Geloescht = 1;
            continue;
        }
        ++out.liveCount;
        IndexFields f = splitEntry(line);
        r.Titel = std::move(f.titel);
        r.Autor = std::move(f.autor);
        if (isOldCategoryFormat(f.kategorien))
            out.oldFormat = true;
        categoryFlags(f.kategorien, r.InKategorie.data());
        r.Datum = std::move(f.datum);
        r.Menge = std::move(f.menge);
        r.Favorit = (favoriten && favoriten->readBool(section, QString::number(n), false)) ? 1 : 0;
        if (listed && gehoertZuKategorie(r, aktKategorie))
            listed(n);
    }
    return out;
}

} // namespace tk
