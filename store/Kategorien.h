#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tk {

struct Kategorie {
    QString name;
};

constexpr int kFavoriten = 14;
constexpr int kMaxKategorie = 99;

// "Alle" .. "Favoriten", by category number 0 to 14.
const QStringList& standardKategorien();

// The category tables of the tab control, as built from the category file.
struct KategorieTabellen {
    QList<Kategorie> namen;
    QList<int> tabKategorie; // category number of each tab
    QList<int> kategorieTab; // tab of each category number
    int letzterTab = 14;
    int zeilenAnzahl = 0; // lines of the category file (at least 15 once built)
};

// Rebuilds the tables from the lines of the category file. Existing elements are kept where the
// arrays are only resized, as the tables are program-wide and resized in place.
void buildKategorieTabellen(const QStringList& lines, KategorieTabellen& t);

// Caption of each tab, in tab order.
QStringList tabCaptions(const KategorieTabellen& t);

} // namespace tk
