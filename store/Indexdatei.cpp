#include "store/Indexdatei.h"

#include <cstring>
#include <numeric>

#include "platform/Cp1252.h"
#include "platform/TextLines.h"

namespace tk {

Indexdatei::Indexdatei(QByteArray bytes)
    : m_gelesen(std::move(bytes))
    , m_zeilen(size_t(m_gelesen.size()))
{
    std::iota(m_zeilen.begin(), m_zeilen.end(), qsizetype(0));
    // Only a file whose every line ends in CR LF is copied as it is; any other is written anew.
    for (qsizetype i = 0; i < m_gelesen.size() && m_wieGeschrieben; ++i) {
        const QByteArrayView z = m_gelesen.roh(i);
        const char* hinter = z.data() + z.size();
        m_wieGeschrieben = hinter + 1 < m_gelesen.ende() && hinter[0] == '\r' && hinter[1] == '\n';
    }
}

QByteArrayView Indexdatei::roh(qsizetype zeile) const
{
    return zeile >= kNeu ? QByteArrayView(m_neu[size_t(zeile - kNeu)]) : m_gelesen.roh(zeile);
}

QString Indexdatei::at(qsizetype i) const
{
    const QByteArrayView z = roh(m_zeilen[size_t(i)]);
    return fromCp1252(z.data(), z.size());
}

bool Indexdatei::enthaelt(qsizetype i, char c) const
{
    const QByteArrayView z = roh(m_zeilen[size_t(i)]);
    return !z.isEmpty() && std::memchr(z.data(), c, size_t(z.size())) != nullptr;
}

void Indexdatei::replace(qsizetype i, const QString& zeile)
{
    m_neu.push_back(toCp1252(zeile));
    m_zeilen[size_t(i)] = kNeu + qsizetype(m_neu.size()) - 1;
}

void Indexdatei::insert(qsizetype i, const QString& zeile)
{
    m_neu.push_back(toCp1252(zeile));
    m_zeilen.insert(m_zeilen.begin() + i, kNeu + qsizetype(m_neu.size()) - 1);
}

std::vector<QByteArrayView> Indexdatei::stuecke() const
{
    std::vector<QByteArrayView> out;
    // Lines read one after the other go in one piece, with their line ends.
    const char* lauf = nullptr;
    const char* laufEnde = nullptr;
    auto abschliessen = [&] {
        if (lauf)
            out.emplace_back(lauf, laufEnde - lauf);
        lauf = nullptr;
    };
    for (qsizetype z : m_zeilen) {
        const QByteArrayView r = roh(z);
        if (lauf && z < kNeu && r.data() == laufEnde) {
            laufEnde = r.data() + r.size() + 2;
            continue;
        }
        abschliessen();
        if (z < kNeu) {
            lauf = r.data();
            laufEnde = r.data() + r.size() + 2;
        } else {
            out.push_back(r);
            out.emplace_back("\r\n", 2);
        }
    }
    abschliessen();
    return out;
}

QByteArray Indexdatei::bytes() const
{
    if (!m_wieGeschrieben)
        return ganzNeu();
    QByteArray out;
    for (const QByteArrayView& s : stuecke())
        out.append(s.data(), s.size());
    return out;
}

void Indexdatei::speichern(const QString& pfad) const
{
    if (m_wieGeschrieben)
        saveBytes(pfad, stuecke());
    else
        saveBytes(pfad, ganzNeu());
}

QByteArray Indexdatei::ganzNeu() const
{
    QStringList zeilen;
    zeilen.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        zeilen.append(at(i));
    return joinLines(zeilen);
}

} // namespace tk
