#pragma once

#include <functional>

#include <QList>
#include <QStringList>

#include "exchange/RezKonvImport.h"
#include "store/Formats.h"

namespace tk {

class Sammlung;

// A recipe to be added to the collection.
struct NeuesRezept {
    IndexFields felder;
    QStringList zutaten;
    QStringList text;
    QStringList kommentar;
};

// A recipe read from a foreign file, with its categories mapped; names that could not be mapped are
// appended to unbekannt.
NeuesRezept neuesRezept(const ImportRezept& r, const Kategoriezuordnung& kategorien, QStringList* unbekannt);

// Adds the recipes through the collection under new numbers: each recipe file is created (never
// replacing a file), each index line made by buildEntry, and the index saved once, atomically. Any
// failure throws tk::Error and leaves the collection as it was. Returns the number of recipes added.
// schritt(i) runs before recipe i is written; whatever it throws (a cancel) undoes the import the same way.
int installiereRezepte(Sammlung& sammlung, const QString& programDir, const QList<NeuesRezept>& rezepte,
    const std::function<void(int)>& schritt = {});
// The same on a collection no window has open (tools and tests); rezeptMax is the number known before.
int installiereRezepte(const QString& programDir, const QList<NeuesRezept>& rezepte, int& rezeptMax);

} // namespace tk
