#include "search/Wildcard.h"

#include "platform/Cp1252.h"
#include "platform/Error.h"

namespace tk {

namespace {

    inline int fold(int code) { return (code >= 'a' && code <= 'z') ? code - 32 : code; }

    struct ByteText {
        const unsigned char* p;
        qsizetype n;
        qsizetype size() const { return n; }
        int operator[](qsizetype i) const { return p[i]; }
    };

    struct StringText {
        const QChar* p;
        qsizetype n;
        qsizetype size() const { return n; }
        int operator[](qsizetype i) const { return wildcardCode(p[i]); }
    };

} // namespace

int wildcardCodeSlow(QChar c)
{
    const char16_t u = c.unicode();
    const char b = toCp1252(c);
    if (b == '?')
        return 0x100 + u;
    return static_cast<unsigned char>(b);
}

QString Wildcard::invalidMessage(const QString& mask, int position)
{
    // Both at once, so a "%1" typed into the word is not taken for a place holder.
    return QStringLiteral("'%1' ist eine ungültige Maske für (%2)").arg(mask, QString::number(position));
}

bool Wildcard::CharSet::contains(int code) const
{
    bool in = false;
    if (code < 256) {
        in = bits[size_t(code)];
    } else {
        for (const auto& [lo, hi] : wide)
            if (code >= lo && code <= hi) {
                in = true;
                break;
            }
    }
    return in != negate;
}

Wildcard::Wildcard(const QString& mask)
    : m_mask(mask)
{
    const qsizetype len = mask.size();
    auto fail = [&](qsizetype pos) { throw Error(invalidMessage(mask, int(pos) + 1)); };

    int runs = 0;
    bool starLast = false; // the mask so far ends with a "*" run
    Segment current;
    auto closeSegment = [&] {
        if (current.length > 0)
            m_segments.push_back(current);
        current = Segment {};
        current.begin = int(m_elements.size());
    };
    auto addElement = [&](Element e) {
        m_elements.push_back(e);
        ++current.length;
        starLast = false;
    };

    qsizetype i = 0;
    while (i < len) {
        const QChar c = mask.at(i);
        if (c == u'*') {
            if (++runs > kMaxRuns)
                fail(i);
            if (m_elements.empty())
                m_anchoredStart = false;
            closeSegment();
            starLast = true;
            // A run swallows further "*" and every "?" right behind it.
            ++i;
            while (i < len && (mask.at(i) == u'*' || mask.at(i) == u'?'))
                ++i;
            continue;
        }
        if (c == u'?') {
            addElement({ Any, 0 });
            ++i;
            continue;
        }
        if (c == u'[') {
            CharSet set;
            qsizetype j = i + 1;
            if (j < len && mask.at(j) == u'!') {
                set.negate = true;
                ++j;
            }
            if (j >= len)
                fail(len);
            if (mask.at(j) == u']' || mask.at(j) == u'-')
                fail(j);
            while (j < len && mask.at(j) != u']') {
                const int lo = fold(wildcardCode(mask.at(j)));
                if (j + 1 < len && mask.at(j + 1) == u'-') {
                    // The character after "-" always ends the range, even a "]".
                    if (j + 2 >= len)
                        fail(len);
                    const int hi = fold(wildcardCode(mask.at(j + 2)));
                    for (int k = lo; k <= hi && k < 256; ++k)
                        set.bits.set(size_t(k));
                    if (hi >= 256 && hi >= lo)
                        set.wide.emplace_back(std::max(lo, 256), hi);
                    j += 3;
                } else {
                    if (lo < 256)
                        set.bits.set(size_t(lo));
                    else
                        set.wide.emplace_back(lo, lo);
                    ++j;
                }
            }
            if (j >= len)
                fail(len);
            m_sets.push_back(std::move(set));
            addElement({ Set, int(m_sets.size()) - 1 });
            i = j + 1;
            continue;
        }
        addElement({ Literal, fold(wildcardCode(c)) });
        ++i;
    }
    m_anchoredEnd = !starLast;
    closeSegment();

    for (Segment& s : m_segments) {
        const Element& e = m_elements[size_t(s.begin)];
        for (int b = 0; b < 256; ++b)
            if (accepts(e, fold(b)))
                s.firstOk.set(size_t(b));
    }
}

inline bool Wildcard::accepts(const Element& e, int code) const
{
    switch (e.kind) {
    case Literal:
        return code == e.code;
    case Any:
        return true;
    case Set:
        return m_sets[size_t(e.code)].contains(code);
    }
    return false;
}

template <typename Text> bool Wildcard::segmentAt(const Segment& s, const Text& text, qsizetype pos) const
{
    const Element* e = m_elements.data() + s.begin;
    for (int k = 0; k < s.length; ++k)
        if (!accepts(e[k], fold(text[pos + k])))
            return false;
    return true;
}

// The leftmost start in [from, limit] where the segment fits, or -1.
template <typename Text>
qsizetype Wildcard::findSegment(const Segment& s, const Text& text, qsizetype from, qsizetype limit) const
{
    const Element& e0 = m_elements[size_t(s.begin)];
    for (qsizetype p = from; p <= limit; ++p) {
        const int c = text[p];
        if (c < 256 ? !s.firstOk[size_t(c)] : !accepts(e0, c))
            continue;
        if (segmentAt(s, text, p))
            return p;
    }
    return -1;
}

// Segments between "*" runs have fixed lengths, so taking each middle segment at its leftmost place
// never loses a match: it leaves the most text for the rest.
template <typename Text> bool Wildcard::matchText(const Text& text) const
{
    const qsizetype n = text.size();
    if (m_segments.empty())
        return !(m_anchoredStart && m_anchoredEnd) || n == 0;

    size_t firstFree = 0;
    size_t endFree = m_segments.size();
    qsizetype pos = 0;
    qsizetype limit = n;

    if (m_anchoredStart) {
        const Segment& s = m_segments.front();
        if (s.length > n || !segmentAt(s, text, 0))
            return false;
        pos = s.length;
        firstFree = 1;
        if (m_segments.size() == 1 && m_anchoredEnd)
            return n == s.length;
    }
    if (m_anchoredEnd) {
        const Segment& s = m_segments.back();
        const qsizetype start = n - s.length;
        if (start < pos || !segmentAt(s, text, start))
            return false;
        limit = start;
        endFree = m_segments.size() - 1;
    }
    for (size_t k = firstFree; k < endFree; ++k) {
        const Segment& s = m_segments[k];
        const qsizetype p = findSegment(s, text, pos, limit - s.length);
        if (p < 0)
            return false;
        pos = p + s.length;
    }
    return true;
}

bool Wildcard::matches(QStringView text) const { return matchText(StringText { text.data(), text.size() }); }

bool Wildcard::matches(const char* cp1252, qsizetype size) const
{
    return matchText(ByteText { reinterpret_cast<const unsigned char*>(cp1252), size });
}

bool matchesMask(QStringView text, const QString& mask) { return Wildcard(mask).matches(text); }

} // namespace tk
