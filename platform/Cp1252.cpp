#include "platform/Cp1252.h"

#include <array>

namespace tk {
namespace {

    // Unicode code points of 0x80..0x9F; the undefined five keep their own value.
    constexpr std::array<char16_t, 32> kHigh = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
    };

    char encodeSpecial(char16_t u)
    {
        for (int i = 0; i < 32; ++i)
            if (kHigh[i] == u)
                return char(0x80 + i);
        return '?';
    }

} // namespace

QString fromCp1252(const char* data, qsizetype size)
{
    QString out(size, Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char b = static_cast<unsigned char>(data[i]);
        dst[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHigh[b - 0x80]) : QChar(b);
    }
    return out;
}

QString fromCp1252(const QByteArray& bytes) { return fromCp1252(bytes.constData(), bytes.size()); }

char toCp1252(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    return encodeSpecial(u);
}

QByteArray toCp1252(const QString& text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    const QChar* src = text.constData();
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A surrogate pair is one character the code page cannot hold: one "?".
        if (src[i].isHighSurrogate() && i + 1 < text.size() && src[i + 1].isLowSurrogate())
            ++i;
        dst[n++] = toCp1252(src[i]);
    }
    out.truncate(n);
    return out;
}

} // namespace tk
