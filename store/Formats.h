#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tk {

inline const QString kMarker = QStringLiteral("###KOMMENTAR###");

// File names of the collection, relative to the program folder.
QString stem(int n); // 7 -> "0007", 12345 -> "12345"
QString rezepteDir(const QString& programDir);
QString indexPath(const QString& programDir);
QString recipePath(const QString& programDir, int n);
QString picturePath(const QString& programDir, int n);
QString categoryPath(const QString& programDir);
QString favouritesPath(const QString& programDir);
QString settingsPath(const QString& programDir);
QString weekPlanPath(const QString& programDir); // Data/Sonstiges/wochenplan.dat
QString layoutPath(const QString& programDir);
QString tempDir(const QString& programDir);

// Index entries.
struct IndexFields {
    QString titel;
    QString autor;
    QString kategorien;
    QString datum;
    QString menge;
};

bool isDeletedEntry(QStringView line); // holds "|||"
IndexFields splitEntry(QStringView line); // five fields; text after the fifth "|" is ignored
QString buildEntry(IndexFields fields); // the one place an index entry is made (see .cpp)
QString noBar(QString text); // every "|" -> "/"

QString categoryList(const QList<int>& numbers); // {1, 13} -> "01,13,"
bool isOldCategoryFormat(QStringView kategorien); // no "," at all
// Sets flags[i] for every i in 1..99 whose two-digit form occurs anywhere in the list.
void categoryFlags(QStringView kategorien, unsigned char* flags /* [100] */);

// Recipe files.
struct RecipeFile {
    QStringList zutaten;
    QStringList text;
    QStringList kommentar;
    bool hasMarker = false;
};
RecipeFile parseRecipe(const QStringList& lines); // throws tk::Error on a bad count or missing lines
QStringList buildRecipe(const QStringList& zutaten, const QStringList& text, const QStringList& kommentar);

// Strict decimal integer as the store writes it (optional sign, blanks around allowed).
bool parseStoreInt(const QString& text, int& out);

} // namespace tk
