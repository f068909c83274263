#pragma once

#include <QString>
#include <QStringView>
#include <bitset>
#include <utility>
#include <vector>

namespace tk {

// A search mask: "*" any run, "?" one character, "[...]" a set ("[!...]" its complement, "a-z" ranges).
// a-z compare equal to A-Z; everything else, umlauts included, must match exactly. Sets and ranges work on
// Windows-1252 codes. The mask is compiled once into segments between the "*" runs and matched greedily,
// so a match costs at most text length times mask length: no backtracking, whatever the mask.
class Wildcard {
public:
    // Throws tk::Error with the message of invalidMessage() for an invalid mask.
    explicit Wildcard(const QString& mask);

    bool matches(QStringView text) const;
    // Windows-1252 bytes, as they stand in the store files.
    bool matches(const char* cp1252, qsizetype size) const;

    const QString& mask() const { return m_mask; }

    static constexpr int kMaxRuns = 30;
    static QString invalidMessage(const QString& mask, int position);

private:
    enum Kind : unsigned char { Literal, Any, Set };
    struct Element {
        Kind kind;
        int code; // Literal: upper-cased code; Set: index into m_sets
    };
    struct CharSet {
        std::bitset<256> bits;
        std::vector<std::pair<int, int>> wide; // ranges of codes above 255 (characters outside Windows-1252)
        bool negate = false;
        bool contains(int code) const;
    };
    struct Segment {
        int begin = 0; // into m_elements
        int length = 0;
        std::bitset<256> firstOk; // codes the first element accepts, for a quick scan
    };

    template <typename Text> bool matchText(const Text& text) const;
    template <typename Text> bool segmentAt(const Segment& s, const Text& text, qsizetype pos) const;
    template <typename Text>
    qsizetype findSegment(const Segment& s, const Text& text, qsizetype from, qsizetype limit) const;
    bool accepts(const Element& e, int code) const;

    QString m_mask;
    std::vector<Element> m_elements;
    std::vector<CharSet> m_sets;
    std::vector<Segment> m_segments;
    bool m_anchoredStart = true; // no "*" before the first segment
    bool m_anchoredEnd = true; // no "*" after the last segment
};

// One comparison with a mask compiled on the spot.
bool matchesMask(QStringView text, const QString& mask);

// The code a character is compared by: its Windows-1252 byte, or a value above 255 for characters
// the code page cannot hold (they then only ever equal themselves).
int wildcardCodeSlow(QChar c);
inline int wildcardCode(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) ? int(u) : wildcardCodeSlow(c);
}

} // namespace tk
