#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "store/Formats.h"
#include "store/Rezepte.h"

namespace tk {

// The index file's bytes split into lines exactly as loadLines splits them (at "\n", one "\r" before it
// dropped, no empty line after a final line end), but decoded only field by field where a record needs
// it. A collection of half a million recipes then loads without half a million line strings.
class IndexZeilen {
public:
    explicit IndexZeilen(QByteArray bytes);
    qsizetype size() const { return qsizetype(m_start.size()); }
    QString at(qsizetype i) const; // the whole line, decoded
    QByteArrayView roh(qsizetype i) const
    {
        return { m_bytes.constData() + m_start[size_t(i)], m_len[size_t(i)] };
    }
    const char* ende() const { return m_bytes.constData() + m_bytes.size(); }

private:
    QByteArray m_bytes;
    std::vector<qsizetype> m_start;
    std::vector<qsizetype> m_len;
};

// The loading algorithm of ladeTabelle on the index file's bytes.
Ladeergebnis ladeTabelle(const IndexZeilen& indexLines, std::vector<Rezepteintrag>& rezepte, int& rezeptMax,
    const IniFile* favoriten, int aktKategorie, const std::function<void(int)>& progress,
    const std::function<void(int)>& listed);

} // namespace tk
