#pragma once

#include <QString>

namespace tkb {

struct GeneratorOptions {
    int count = 100000; // recipe numbers 0 .. count-1
    int favourites = 10000; // keys set to "1"
    int notFavourites = 0; // further keys set to "0" (taken-back favourites)
    int deletedPercent = 10;
    bool recipeFiles = true; // the index alone is enough to measure loading
    unsigned seed = 20061203;
};

struct GeneratedCollection {
    int live = 0;
    int deleted = 0;
    int favourites = 0;
    int recipeFiles = 0;
};

// Writes a collection in programDir/Data/Rezepte as the program writes it (Windows-1252, CR LF):
// index.dat with German titles, authors, dates and 1-3 categories (own ones included), deleted entries
// "||||", kategorien.dat with own categories, favoriten.dat and one recipe file per live recipe.
// The same options give the same bytes. Throws tk::Error when a file cannot be written.
GeneratedCollection generateCollection(const QString& programDir, const GeneratorOptions& options = {});

} // namespace tkb
