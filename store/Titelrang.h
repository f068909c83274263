#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <vector>

namespace tk {

struct Rezepteintrag;

// Ranks the titles by the locale's collation: rank[n] is recipe n's place in the alphabetical order
// of all given titles (equal titles in number order); numbers without a title rank last.
std::vector<int> alphabetischerRang(const std::vector<const QString*>& titel);

// The alphabetical rank of the live recipes of one load, kept until the table is loaded again (a new
// generation), so every sorted list is an integer sort.
class Titelrang {
public:
    Titelrang();
    ~Titelrang(); // waits for the ranking of the last load, if it still runs
    Titelrang(const Titelrang&) = delete;
    Titelrang& operator=(const Titelrang&) = delete;

    // After a load: a large collection's titles are ranked on another core meanwhile.
    void vorbereiten(const std::vector<Rezepteintrag>& rezepte, quint64 generation);
    // The rank of every recipe number (live ones only; the others rank last).
    const std::vector<int>& rang(const std::vector<Rezepteintrag>& rezepte, quint64 generation);
    // After an edit of recipe n alone (the table one generation further than the kept rank): n is taken
    // out of the kept order and put in at its new place, instead of ranking every title again. False when
    // the kept rank is not the one just before; then rank anew.
    bool nachfuehren(const std::vector<Rezepteintrag>& rezepte, quint64 generation, int n);
    // The live numbers in the order of the last rang().
    const std::vector<int>& alphabetisch() const { return m_alphabetisch; }

private:
    struct ImVoraus;

    std::vector<int> m_rang;
    std::vector<int> m_alphabetisch;
    quint64 m_generation = ~quint64(0);
    std::shared_ptr<ImVoraus> m_voraus;
};

} // namespace tk
