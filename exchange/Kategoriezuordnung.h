#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace tk {

// Maps category names of foreign files to the categories of the collection: the standard
// categories by name and by a German/English synonym table, own categories by their name.
class Kategoriezuordnung {
public:
    // eigene: number and name of each own category of the collection.
    explicit Kategoriezuordnung(const QList<QPair<int, QString>>& eigene = {});

    int nummer(const QString& name) const; // 0 when the name is unknown

    // The category list of an index entry ("01,13,"), ascending; "09," (Sonstiges) when no name is
    // known. Names that are not known are appended to unbekannt (once each).
    QString liste(const QStringList& namen, QStringList* unbekannt = nullptr) const;

    // Category names by number, for showing the result.
    QString name(int nummer) const;

    // The categories one word of a title names, also as a part of a compound: "Kartoffelsalat" is a
    // salad, "Rindergulasch" meat. Never "Sonstiges".
    QList<int> nummernImWort(const QString& wort) const;

private:
    QHash<QString, int> m_standard;
    QHash<QString, int> m_eigene;
    QHash<QString, int> m_synonyme;
    QHash<int, QString> m_namen;
};

// The category numbers whose names match the page's names (case-blind, singular or plural, and the
// synonyms of the RezKonv import), and those the words of the names and of the title name as parts of
// compounds. Ascending, each once.
QList<int> webKategorien(
    const QStringList& namen, const Kategoriezuordnung& zuordnung, const QString& titel = {});

} // namespace tk
