#include "store/Rezepte.h"

#include <climits>
#include <cstring>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "platform/Cp1252.h"
#include "platform/IniFile.h"
#include "store/Formats.h"
#include "store/IndexZeilen.h"

namespace tk {

bool gehoertZuKategorie(const Rezepteintrag& r, int kategorie)
{
    if (r.geloescht)
        return false;
    if (kategorie < 1)
        return true;
    if (kategorie > 99)
        return false;
    return r.inKategorie[kategorie] == 1 || (kategorie == 14 && r.favorit == 1);
}

IndexZeilen::IndexZeilen(QByteArray bytes)
    : m_bytes(std::move(bytes))
{
    const char* data = m_bytes.constData();
    const qsizetype size = m_bytes.size();
    m_start.reserve(size_t(size / 48 + 1));
    m_len.reserve(size_t(size / 48 + 1));
    qsizetype start = 0;
    while (start < size) {
        const void* hit = std::memchr(data + start, '\n', size_t(size - start));
        const qsizetype end = hit ? static_cast<const char*>(hit) - data : size;
        qsizetype len = end - start;
        if (len > 0 && data[start + len - 1] == '\r')
            --len;
        m_start.push_back(start);
        m_len.push_back(len);
        start = end + 1;
    }
}

QString IndexZeilen::at(qsizetype i) const
{
    const QByteArrayView z = roh(i);
    return fromCp1252(z.data(), z.size());
}

namespace {

    void uebernimm(Rezepteintrag& r, IndexFields f, bool& alt)
    {
        r.titel = std::move(f.titel);
        r.autor = std::move(f.autor);
        if (isOldCategoryFormat(f.kategorien))
            alt = true;
        unsigned char flags[100];
        categoryFlags(f.kategorien, flags);
        r.inKategorie.reset();
        for (size_t i = 1; i < 100; ++i)
            if (flags[i])
                r.inKategorie.set(i);
        r.datum = std::move(f.datum);
        r.menge = std::move(f.menge);
    }

    struct Liste {
        const QStringList& l;
        qsizetype size() const { return l.size(); }
        QString at(qsizetype i) const { return l.at(i); }
        bool geloescht(qsizetype i) const { return isDeletedEntry(l.at(i)); }
        void lies(qsizetype i, Rezepteintrag& r, bool& alt) const { uebernimm(r, splitEntry(l.at(i)), alt); }
    };

    // The same on the bytes. "|", "," and the digits are single bytes in Windows-1252 that no other
    // byte decodes to, so splitting, the deleted mark and the category numbers work on the bytes as
    // they do on the decoded line.
    struct Bytes {
        const IndexZeilen& z;
        // Authors, dates and quantities repeat across a collection ("für 4 Personen", the collector's
        // name): equal texts share one string instead of taking one allocation each. Only short texts,
        // and only so many distinct ones, are remembered.
        mutable std::unordered_map<std::string_view, QString> gleich {};

        qsizetype size() const { return z.size(); }
        QString at(qsizetype i) const { return z.at(i); }
        bool geloescht(qsizetype i) const { return z.roh(i).contains("|||"); }
        QString geteilt(const char* p, qsizetype n) const
        {
            if (!p)
                return {}; // a field the line does not have, as splitEntry leaves it
            if (n == 0 || n > 48)
                return fromCp1252(p, n);
            const std::string_view key(p, size_t(n));
            const auto it = gleich.find(key);
            if (it != gleich.end())
                return it->second;
            QString text = fromCp1252(p, n);
            if (gleich.size() < 65536)
                gleich.emplace(key, text);
            return text;
        }
        void lies(qsizetype i, Rezepteintrag& r, bool& alt) const
        {
            const QByteArrayView line = z.roh(i);
            const char* p = line.data();
            const char* const end = p + line.size();
            // As splitEntry: up to five fields, each ended by a "|"; without one the rest stays empty.
            const char* feld[5] = {};
            qsizetype laenge[5] = {};
            for (int k = 0; k < 5; ++k) {
                const void* bar = std::memchr(p, '|', size_t(end - p));
                if (!bar)
                    break;
                feld[k] = p;
                laenge[k] = static_cast<const char*>(bar) - p;
                p = static_cast<const char*>(bar) + 1;
            }
            r.titel = feld[0] ? fromCp1252(feld[0], laenge[0]) : QString();
            r.autor = geteilt(feld[1], laenge[1]);
            const QByteArrayView kat(feld[2], laenge[2]);
            if (!kat.contains(','))
                alt = true;
            r.inKategorie.reset();
            for (qsizetype j = 0; j + 1 < kat.size(); ++j) {
                const char a = kat[j], b = kat[j + 1];
                if (a >= '0' && a <= '9' && b >= '0' && b <= '9' && (a != '0' || b != '0'))
                    r.inKategorie.set(size_t((a - '0') * 10 + (b - '0')));
            }
            r.datum = geteilt(feld[3], laenge[3]);
            r.menge = geteilt(feld[4], laenge[4]);
        }
    };

    // The favourite flag of every record, read from the section once. A key counts for recipe n when
    // it reads as QString::number(n) after the same trimming and lower-casing the single lookup does;
    // the value is then the one that lookup gives.
    std::vector<unsigned char> favoritenFlags(const IniFile& favoriten, qsizetype records)
    {
        std::vector<unsigned char> flags(size_t(std::max<qsizetype>(0, records)), 0);
        // Sections and keys are looked up lower-cased: the lower-case name saves that step per key.
        const QString section = QStringLiteral("favoriten");
        for (const QString& key : favoriten.readSection(section)) {
            // The keys come trimmed; QString::number(n) is digits without a leading zero.
            const QStringView k = QStringView(key).trimmed();
            if (k.isEmpty() || k.size() > 9 || (k.size() > 1 && k.front() == u'0'))
                continue;
            qint64 n = 0;
            for (QChar c : k)
                n = (c >= u'0' && c <= u'9') ? n * 10 + (c.unicode() - u'0') : -1 - qint64(INT_MAX);
            if (n >= 0 && n < records)
                flags[size_t(n)] = favoriten.readBool(section, key, false) ? 1 : 0;
        }
        return flags;
    }

    template <class Zeilen>
    Ladeergebnis lade(const Zeilen& lines, std::vector<Rezepteintrag>& rezepte, int& rezeptMax,
        const IniFile* favoriten, int aktKategorie, const std::function<void(int)>& progress,
        const std::function<void(int)>& listed)
    {
        Ladeergebnis out;
        int max = 0;
        if (lines.size() == 0 || !parseStoreInt(lines.at(0), max)) {
            out.abgebrochen = true;
            out.abbruchZeile = 0;
            return out;
        }
        rezeptMax = max;
        // A damaged line 0 may claim far more records than the file holds; the load stops at the first
        // missing line anyway, so the table never grows past the lines that exist.
        const qsizetype records = std::min<qsizetype>(qsizetype(max) + 1, lines.size() - 1);
        // Room for the recipes saved after the load: the first new one does not copy the whole table.
        rezepte.reserve(size_t(std::max<qsizetype>(0, records)) + 1024);
        rezepte.resize(size_t(std::max<qsizetype>(0, records)));

        std::vector<unsigned char> favorit;
        if (favoriten) {
            IniFile::Batch batch(*favoriten);
            favorit = favoritenFlags(*favoriten, records);
        }

        for (int n = 0; n <= max; ++n) {
            if (progress)
                progress(n);
            if (n + 1 >= lines.size()) {
                out.abgebrochen = true;
                out.abbruchZeile = n + 1;
                return out;
            }
            Rezepteintrag& r = rezepte[size_t(n)];
            if (lines.geloescht(n + 1)) {
                r.geloescht = 1;
                continue;
            }
            ++out.lebend;
            lines.lies(n + 1, r, out.altesFormat);
            r.favorit = favoriten ? favorit[size_t(n)] : 0;
            if (listed && gehoertZuKategorie(r, aktKategorie))
                listed(n);
        }
        return out;
    }

} // namespace

Ladeergebnis ladeTabelle(const QStringList& lines, std::vector<Rezepteintrag>& rezepte, int& rezeptMax,
    const IniFile* favoriten, int aktKategorie, const std::function<void(int)>& progress,
    const std::function<void(int)>& listed)
{
    return lade(Liste { lines }, rezepte, rezeptMax, favoriten, aktKategorie, progress, listed);
}

Ladeergebnis ladeTabelle(const IndexZeilen& lines, std::vector<Rezepteintrag>& rezepte, int& rezeptMax,
    const IniFile* favoriten, int aktKategorie, const std::function<void(int)>& progress,
    const std::function<void(int)>& listed)
{
    return lade(Bytes { lines }, rezepte, rezeptMax, favoriten, aktKategorie, progress, listed);
}

} // namespace tk
