#pragma once

#include <QHash>
#include <QString>
#include <vector>

namespace tk {

// The nouns of the kitchen with singular, plural and gender, how a scaled count of each is rounded and
// whether it stands as a unit before an ingredient ("2 Dosen Tomaten"). German plurals are knowledge, not
// a rule, so they are data (KuechenwoerterDaten.h), read once. A compound is found by its last part
// (Knoblauchzehe by Zehe, Cantaloupe-Melone by Melone); a word the table does not know is not found.
class Kuechenwoerter {
public:
    enum class Zaehlweise { Keine, Halbe, Eier, Ganze, Prise };

    struct Nomen {
        QString einzahl;
        QString mehrzahl;
        QString einheitMehrzahl; // after a number as a unit: "2 Blatt Gelatine", "3 Stück"
        QChar geschlecht; // 'm', 'f' or 'n'
        Zaehlweise zaehlweise = Zaehlweise::Halbe;
        bool einheit = false; // stands as a unit before the ingredient
        bool behaelter = false; // a weight in brackets after it is the size of one
        bool nurEinzeln = false; // no last part of compounds
    };

    // A word found in the table, as written.
    struct Treffer {
        const Nomen* nomen = nullptr;
        QString vorsatz; // the first part of a compound as written: "Knoblauch", "Bio-"
        bool einzahl = false; // the word is the singular
        bool mehrzahl = false; // the word is the plural (both where they are alike)
        bool einheitMehrzahl = false; // the word is the plural after a number as a unit ("Blatt")
        bool klein = false; // written with a small first letter (the last part of a compound)

        explicit operator bool() const { return nomen != nullptr; }
        // The word in the number asked for, written as found (compound, first letter).
        QString form(bool mehrzahl, bool alsEinheit = false) const;
        // The singular, lower case: the same for every form of the word.
        QString stamm() const;
    };

    static const Kuechenwoerter& tabelle();

    // The word as written; compounds by their last part. Trailing punctuation is not part of a word.
    Treffer finde(QStringView wort) const;
    // Only whole words that stand as units ("Dose", "Scheiben", "handvoll").
    Treffer findeEinheit(QStringView wort) const;
    // A noun by its singular as the table writes it (for abbreviations such as "Pck." → Päckchen).
    const Nomen* nomen(const QString& einzahl) const;

    qsizetype anzahl() const { return qsizetype(m_nomen.size()); }
    int nummer(const Nomen* n) const { return int(n - m_nomen.data()); }
    const Nomen* nomenNr(int i) const
    {
        return i >= 0 && size_t(i) < m_nomen.size() ? &m_nomen[size_t(i)] : nullptr;
    }

private:
    Kuechenwoerter();
    Treffer genau(QStringView wort) const;

    std::vector<Nomen> m_nomen;
    QHash<QString, std::pair<int, int>> m_formen; // lower-case form → noun, 1 singular / 2 plural / 3 both
};

} // namespace tk
