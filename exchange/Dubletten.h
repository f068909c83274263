#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

#include "store/Rezepte.h"

namespace tk {

// A recipe an import brings: title, ingredient lines and preparation text.
struct Rezeptvergleich {
    QString titel;
    QStringList zutaten;
    QStringList text;
};

// Which of the recipes an import brings the collection already holds: a live recipe with the same title,
// ingredient lines and text, compared as the files will hold them (Windows-1252, "|" in a title as "/",
// the comment marker defused). Only the files of live recipes with a matching title are read; one that
// cannot be read counts as different.
QList<bool> schonInDerSammlung(const QString& programDir, const std::vector<Rezepteintrag>& rezepte,
    int rezeptMax, const QList<Rezeptvergleich>& neue);

// The recipes of an unpacked package, in their order, up to the first whose file cannot be read (its
// installation would fail anyway).
QList<Rezeptvergleich> paketRezepte(const QString& indexTki);

// "3 der 12 Rezepte sind schon in der Sammlung. Sollen sie noch einmal importiert werden?"
QString dublettenFrage(int doppelt, int gesamt);
// "3 Rezepte waren schon in der Sammlung und wurden nicht noch einmal importiert."
QString dublettenHinweis(int ausgelassen);

} // namespace tk
