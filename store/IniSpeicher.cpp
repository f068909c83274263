#include "store/IniSpeicher.h"

#include <QFileInfo>
#include <algorithm>
#include <numeric>

#include "platform/TextLines.h"

namespace tk {

namespace {
    constexpr int kMaxLine = 255;

    bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

    // The key of a raw line: the text before its first "=", or none for a line without "=".
    bool keyOf(const QString& line, QStringView& key)
    {
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            return false;
        key = QStringView(line).left(eq);
        return true;
    }

    bool isQuote(QChar c) { return c == u'"' || c == u'\''; }

    bool parseDecimal(QStringView t, int& out)
    {
        while (!t.isEmpty() && t.front() == u' ')
            t = t.mid(1);
        if (t.isEmpty())
            return false;
        qsizetype i = 0;
        bool negative = false;
        if (t[0] == u'+' || t[0] == u'-') {
            negative = t[0] == u'-';
            i = 1;
        }
        if (i >= t.size())
            return false;
        qint64 v = 0;
        for (; i < t.size(); ++i) {
            const char16_t c = t[i].unicode();
            if (c < u'0' || c > u'9')
                return false;
            v = v * 10 + (c - u'0');
            if (v > qint64(INT_MAX) + 1)
                return false;
        }
        if (negative)
            v = -v;
        if (v > INT_MAX || v < INT_MIN)
            return false;
        out = int(v);
        return true;
    }

    bool parseHex(QStringView t, int& out)
    {
        if (t.isEmpty() || t.size() > 8)
            return false;
        quint32 v = 0;
        for (QChar ch : t) {
            const char16_t c = ch.unicode();
            int d;
            if (c >= u'0' && c <= u'9')
                d = c - u'0';
            else if (c >= u'a' && c <= u'f')
                d = c - u'a' + 10;
            else if (c >= u'A' && c <= u'F')
                d = c - u'A' + 10;
            else
                return false;
            v = v * 16 + quint32(d);
        }
        out = int(v);
        return true;
    }
}

// ---- Abschnittsliste ------------------------------------------------------------------------------

int Abschnittsliste::hinzufuegen(const QString& name)
{
    m_items.push_back({ name, std::make_unique<QStringList>() });
    return int(m_items.size()) - 1;
}

void Abschnittsliste::entfernen(int i)
{
    if (i >= 0 && i < anzahl())
        m_items.erase(m_items.begin() + i);
}

void Abschnittsliste::leeren()
{
    m_items.clear();
    gemerkt = 0;
}

int Abschnittsliste::finde(const QString& name)
{
    const int n = anzahl();
    if (n == 0)
        return -1;
    const int start = gemerkt < n && gemerkt >= 0 ? gemerkt : 0;
    for (int k = 0; k < n; ++k) {
        const int i = (start + k) % n;
        if (sameName(m_items[size_t(i)].name, name)) {
            gemerkt = i;
            return i;
        }
    }
    return -1;
}

bool Abschnittsliste::doppelteZusammenfuehren(const Doppelregel& handler)
{
    const int n = anzahl();
    if (n < 2)
        return false;
    std::vector<QString> folded;
    folded.reserve(size_t(n));
    for (const Item& it : m_items)
        folded.push_back(it.name.toCaseFolded());
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    // Stable, so the first of equal names is the earliest in the file.
    std::stable_sort(
        order.begin(), order.end(), [&](int a, int b) { return folded[size_t(a)] < folded[size_t(b)]; });

    std::vector<bool> drop(static_cast<size_t>(n), false);
    bool merged = false;
    int ref = order[0];
    for (int k = 1; k < n; ++k) {
        const int cur = order[size_t(k)];
        if (folded[size_t(cur)] != folded[size_t(ref)]) {
            ref = cur;
            continue;
        }
        int earlier = std::min(ref, cur), later = std::max(ref, cur);
        bool keepEarlier = true;
        if (handler)
            keepEarlier = handler(m_items[size_t(earlier)].name, *m_items[size_t(earlier)].lines,
                *m_items[size_t(later)].lines);
        const int dropped = keepEarlier ? later : earlier;
        m_items[size_t(dropped)].lines->clear();
        drop[size_t(dropped)] = true;
        merged = true;
        ref = keepEarlier ? earlier : later;
    }
    if (merged) {
        std::vector<Item> kept;
        kept.reserve(m_items.size());
        for (int i = 0; i < n; ++i)
            if (!drop[size_t(i)])
                kept.push_back(std::move(m_items[size_t(i)]));
        m_items = std::move(kept);
        if (gemerkt >= anzahl())
            gemerkt = 0;
    }
    return merged;
}

// ---- IniSpeicher -------------------------------------------------------------------------------

IniSpeicher::IniSpeicher(const QString& fileName) { verbindeDatei(fileName); }

IniSpeicher::~IniSpeicher()
{
    try {
        zurueckschreiben();
    } catch (...) {
        // A destructor cannot report; callers that care call zurueckschreiben themselves.
    }
    leereAbschnitte();
}

void IniSpeicher::verbindeDatei(const QString& fileName)
{
    zurueckschreiben();
    leereAbschnitte();
    m_fileName = fileName;
    if (!m_fileName.isEmpty())
        ladeDatei(m_fileName);
    m_modified = false;
}

void IniSpeicher::leereAbschnitte()
{
    m_sections.leeren();
    m_cursor = 0;
}

void IniSpeicher::ladeDatei(const QString& fileName)
{
    m_cursor = 0;
    if (!QFileInfo::exists(fileName))
        return;
    const QStringList raw = loadLines(fileName);
    QStringList* current = nullptr;
    for (const QString& full : raw) {
        QString line = full.left(kMaxLine);
        if (line.size() == 1 && line.at(0) == QChar(26))
            line.clear();
        if (ohneKommentare && line.startsWith(u';'))
            line.clear();
        if (line.isEmpty())
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']') && line.size() >= 2) {
            current = &m_sections.zeilen(m_sections.hinzufuegen(line.mid(1, line.size() - 2)));
            continue;
        }
        if (umGleichBeschneiden) {
            qsizetype eq = line.indexOf(u'=');
            while (eq > 0 && (line.at(eq - 1) == u' ' || line.at(eq - 1) == u'\t')) {
                line.remove(eq - 1, 1);
                --eq;
            }
            while (eq >= 0 && eq + 1 < line.size() && (line.at(eq + 1) == u' ' || line.at(eq + 1) == u'\t'))
                line.remove(eq + 1, 1);
        }
        if (ohneAnfuehrungszeichen) {
            const qsizetype eq = line.indexOf(u'=');
            if (eq >= 0 && line.size() - eq - 1 >= 2 && isQuote(line.at(eq + 1))
                && line.back() == line.at(eq + 1)) {
                line.chop(1);
                line.remove(eq + 1, 1);
            }
        }
        if (endeBeschneiden) {
            while (!line.isEmpty() && line.back().unicode() < 33)
                line.chop(1);
        }
        if (ohneZeilenOhneGleich && !line.contains(u'='))
            continue;
        if (current)
            current->append(line);
    }
    if (m_sections.doppelteZusammenfuehren(beiDoppeltem))
        m_modified = true;
}

int IniSpeicher::findeEintrag(const QString& section, const QString& key, bool create, QStringList*& lines)
{
    lines = nullptr;
    int found = -1;
    const int n = m_sections.anzahl();
    if (n > 0) {
        if (m_cursor < 0 || m_cursor >= n)
            m_cursor = 0;
        const int stop = m_cursor == 0 ? n - 1 : m_cursor - 1;
        for (;;) {
            if (sameName(m_sections.name(m_cursor), section)) {
                found = m_cursor;
                break;
            }
            if (m_cursor == stop)
                break;
            m_cursor = (m_cursor + 1) % n;
        }
    }
    if (found < 0) {
        if (create) {
            m_cursor = m_sections.hinzufuegen(section);
            lines = &m_sections.zeilen(m_cursor);
        }
        return -1;
    }
    lines = &m_sections.zeilen(found);
    for (qsizetype i = 0; i < lines->size(); ++i) {
        QStringView k;
        if (keyOf(lines->at(i), k) && k.compare(key, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QString IniSpeicher::leseText(const QString& section, const QString& key, const QString& def)
{
    QStringList* lines = nullptr;
    const int i = findeEintrag(section, key, false, lines);
    if (i < 0)
        return def;
    const QString& line = lines->at(i);
    return line.mid(line.indexOf(u'=') + 1).left(kMaxLine);
}

void IniSpeicher::schreibeText(const QString& section, const QString& key, const QString& value)
{
    if (key.isEmpty()) {
        if (!section.isEmpty() || !value.isEmpty())
            entferneAbschnitt(section);
        else
            zurueckschreiben();
        return;
    }
    const QString line = (key + u'=' + value).left(kMaxLine);
    QStringList* lines = nullptr;
    const int i = findeEintrag(section, key, true, lines);
    if (i < 0) {
        lines->append(line);
        m_modified = true;
    } else if (lines->at(i) != line) {
        (*lines)[i] = line;
        m_modified = true;
    }
}

int IniSpeicher::leseZahl(const QString& section, const QString& key, int def)
{
    const QString text = leseText(section, key, QString());
    int v = def;
    const bool hex = text.size() >= 2 && text.at(0) == u'0' && (text.at(1) == u'x' || text.at(1) == u'X');
    const bool ok = hex ? parseHex(QStringView(text).mid(2), v) : parseDecimal(text, v);
    return ok ? v : def;
}

void IniSpeicher::schreibeZahl(const QString& section, const QString& key, int value)
{
    schreibeText(section, key, QString::number(value));
}

bool IniSpeicher::leseSchalter(const QString& section, const QString& key, bool def)
{
    return leseZahl(section, key, def ? 1 : 0) != 0;
}

void IniSpeicher::schreibeSchalter(const QString& section, const QString& key, bool value)
{
    schreibeText(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniSpeicher::schluesselListe(const QString& section, QStringList& target)
{
    const int s = m_sections.finde(section);
    if (s < 0)
        return;
    for (const QString& line : m_sections.zeilen(s)) {
        QStringView k;
        target.append(keyOf(line, k) ? k.toString() : QString());
    }
}

void IniSpeicher::abschnittsnamen(QStringList& target)
{
    target.clear();
    for (int i = 0; i < m_sections.anzahl(); ++i)
        target.append(m_sections.name(i));
}

void IniSpeicher::abschnittsZeilen(const QString& section, QStringList& target)
{
    const int s = m_sections.finde(section);
    if (s >= 0)
        target += m_sections.zeilen(s);
}

void IniSpeicher::entferneAbschnitt(const QString& section)
{
    const int s = m_sections.finde(section);
    if (s < 0)
        return;
    m_sections.entfernen(s);
    m_sections.gemerkt = 0;
    m_modified = true;
    if (m_cursor > m_sections.anzahl() - 1)
        m_cursor = 0;
}

void IniSpeicher::entferneSchluessel(const QString& section, const QString& key)
{
    QStringList* lines = nullptr;
    const int i = findeEintrag(section, key, true, lines);
    if (i >= 0) {
        m_modified = true;
        lines->removeAt(i);
    }
}

QStringList IniSpeicher::buildText() const
{
    QStringList out;
    for (int i = 0; i < m_sections.anzahl(); ++i) {
        const QStringList& lines = m_sections.zeilen(i);
        if (lines.isEmpty())
            continue;
        out.append(u'[' + m_sections.name(i) + u']');
        out += lines;
        out.append(QString());
    }
    return out;
}

void IniSpeicher::alleZeilen(QStringList& target) { target += buildText(); }

void IniSpeicher::zurueckschreiben()
{
    if (m_modified && !m_fileName.isEmpty())
        saveLines(m_fileName, buildText()); // throws; the flag stays so nothing is silently lost
    m_modified = false;
}

} // namespace tk
