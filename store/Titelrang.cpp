#include "store/Titelrang.h"

#include <QCollator>
#include <algorithm>
#include <chrono>
#include <future>
#include <limits>
#include <numeric>

#include "store/Rezepte.h"

namespace tk {

std::vector<int> alphabetischerRang(const std::vector<const QString*>& titel)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseSensitive);
    std::vector<int> numbers;
    std::vector<QCollatorSortKey> keys;
    for (size_t n = 0; n < titel.size(); ++n)
        if (titel[n]) {
            numbers.push_back(int(n));
            keys.push_back(collator.sortKey(*titel[n]));
        }
    std::vector<size_t> order(numbers.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(
        order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a].compare(keys[b]) < 0; });
    std::vector<int> rank(titel.size(), std::numeric_limits<int>::max());
    for (size_t place = 0; place < order.size(); ++place)
        rank[size_t(numbers[order[place]])] = int(place);
    return rank;
}

struct Titelrang::ImVoraus {
    quint64 generation = 0;
    std::future<std::vector<int>> rang; // its destructor waits for the work to end
    bool abgeholt = false;
    // Rankings of earlier loads still at work. Nobody waits for them: a reload right after a reload
    // does not stand still until the titles of the one before are sorted.
    std::vector<std::shared_ptr<ImVoraus>> frueher;

    bool fertig() const
    {
        return abgeholt || !rang.valid()
            || rang.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }
};

Titelrang::Titelrang() = default;
Titelrang::~Titelrang() = default;

void Titelrang::vorbereiten(const std::vector<Rezepteintrag>& rezepte, quint64 generation)
{
    // Ranking half a million titles takes a second; the first alphabetical list after a load would
    // make the user wait for it. The second core does it meanwhile, on copies of the titles (they share
    // their text with the table and are only read). Small collections rank in a blink when first asked.
    constexpr size_t kAbHier = 20000;
    if (rezepte.size() < kAbHier || m_generation == generation
        || (m_voraus && m_voraus->generation == generation && !m_voraus->abgeholt))
        return; // ranked already, or the ranking of this very table is under way
    std::vector<QString> titel(rezepte.size());
    std::vector<char> lebt(rezepte.size(), 0);
    for (size_t n = 0; n < rezepte.size(); ++n)
        if (!rezepte[n].geloescht) {
            titel[n] = rezepte[n].titel;
            lebt[n] = 1;
        }
    auto v = std::make_shared<ImVoraus>();
    v->generation = generation;
    if (m_voraus) {
        for (const auto& f : m_voraus->frueher)
            if (!f->fertig())
                v->frueher.push_back(f);
        if (!m_voraus->fertig())
            v->frueher.push_back(m_voraus);
    }
    v->rang = std::async(std::launch::async, [titel = std::move(titel), lebt = std::move(lebt)]() mutable {
        std::vector<const QString*> zeiger(titel.size(), nullptr);
        for (size_t n = 0; n < titel.size(); ++n)
            if (lebt[n])
                zeiger[n] = &titel[n];
        std::vector<int> rang = alphabetischerRang(zeiger);
        // The copies would keep the titles of this load alive as long as the result is kept.
        std::vector<QString>().swap(titel);
        return rang;
    });
    m_voraus = std::move(v);
}

const std::vector<int>& Titelrang::rang(const std::vector<Rezepteintrag>& rezepte, quint64 generation)
{
    if (m_generation == generation)
        return m_rang;
    if (m_voraus && m_voraus->generation == generation && !m_voraus->abgeholt) {
        m_rang = m_voraus->rang.get();
        m_voraus->abgeholt = true;
    } else {
        std::vector<const QString*> titel(rezepte.size(), nullptr);
        for (size_t n = 0; n < rezepte.size(); ++n)
            if (!rezepte[n].geloescht)
                titel[n] = &rezepte[n].titel;
        m_rang = alphabetischerRang(titel);
    }
    m_generation = generation;
    m_alphabetisch.clear();
    for (size_t n = 0; n < m_rang.size(); ++n)
        if (m_rang[n] != std::numeric_limits<int>::max()) {
            if (m_alphabetisch.size() <= size_t(m_rang[n]))
                m_alphabetisch.resize(size_t(m_rang[n]) + 1, -1);
            m_alphabetisch[size_t(m_rang[n])] = int(n);
        }
    return m_rang;
}

bool Titelrang::nachfuehren(const std::vector<Rezepteintrag>& rezepte, quint64 generation, int n)
{
    if (m_generation == generation)
        return true;
    if (m_generation + 1 != generation || n < 0)
        return false;
    constexpr int kOhne = std::numeric_limits<int>::max();
    if (m_rang.size() < rezepte.size())
        m_rang.resize(rezepte.size(), kOhne);
    auto neuZaehlen = [this](size_t ab) {
        for (size_t p = ab; p < m_alphabetisch.size(); ++p)
            m_rang[size_t(m_alphabetisch[p])] = int(p);
    };
    if (size_t(n) < m_rang.size() && m_rang[size_t(n)] != kOhne) {
        const size_t alt = size_t(m_rang[size_t(n)]);
        m_alphabetisch.erase(m_alphabetisch.begin() + qsizetype(alt));
        m_rang[size_t(n)] = kOhne;
        neuZaehlen(alt);
    }
    if (size_t(n) < rezepte.size() && !rezepte[size_t(n)].geloescht) {
        // The same order as the whole ranking: by the locale's collation, equal titles in number order.
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseSensitive);
        const QString& titel = rezepte[size_t(n)].titel;
        const auto stelle = std::partition_point(m_alphabetisch.begin(), m_alphabetisch.end(), [&](int m) {
            const int v = collator.compare(rezepte[size_t(m)].titel, titel);
            return v < 0 || (v == 0 && m < n);
        });
        const size_t neu = size_t(stelle - m_alphabetisch.begin());
        m_alphabetisch.insert(stelle, n);
        neuZaehlen(neu);
    }
    m_generation = generation;
    return true;
}

} // namespace tk
