#include "platform/IniFile.h"

#include <sys/stat.h>

#include <QFile>

#include "platform/Error.h"
#include "platform/TextLines.h"

namespace tk {

namespace {
    constexpr int kMaxValue = 2047;

    QStringView trimmed(QStringView s) { return s.trimmed(); }
}

IniFile::IniFile(QString path)
    : m_path(std::move(path))
{
}

IniFile::Stamp IniFile::stampOnDisk() const
{
    Stamp s;
    struct stat st;
    if (::stat(QFile::encodeName(m_path).constData(), &st) == 0) {
        s.exists = true;
        s.size = st.st_size;
        s.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
        s.inode = st.st_ino;
    }
    return s;
}

void IniFile::refresh() const
{
    if (m_loaded && m_frozen > 0)
        return;
    const Stamp now = stampOnDisk();
    if (m_loaded && now == m_stamp)
        return;
    m_stamp = now;
    m_lines.clear();
    m_unreadable = false;
    if (now.exists) {
        try {
            m_lines = loadLines(m_path);
        } catch (const Error&) {
            // An unreadable file reads like a missing one: every value is its default.
            m_lines.clear();
            m_unreadable = true;
        }
    }
    parse();
    m_loaded = true;
}

void IniFile::parse() const
{
    m_sections.clear();
    Section* current = nullptr;
    for (int i = 0; i < m_lines.size(); ++i) {
        const QStringView line = trimmed(m_lines.at(i));
        if (line.isEmpty())
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            if (close > 0) {
                const QString name = line.mid(1, close - 1).trimmed().toString().toLower();
                auto it = m_sections.find(name);
                if (it == m_sections.end()) {
                    Section s;
                    s.header = i;
                    s.lastEntry = i;
                    it = m_sections.insert(name, s);
                    current = &it.value();
                } else {
                    current = nullptr; // a repeated section: the first one counts
                }
                continue;
            }
        }
        if (!current)
            continue;
        current->lastEntry = i;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString key = line.left(eq).trimmed().toString();
        const QString lower = key.toLower();
        if (!current->keys.contains(lower)) {
            current->keys.insert(lower, i);
            current->order.append(key);
        }
    }
}

const QString* IniFile::findLine(const QString& section, const QString& key) const
{
    refresh();
    auto s = m_sections.constFind(section.trimmed().toLower());
    if (s == m_sections.cend())
        return nullptr;
    auto k = s->keys.constFind(key.trimmed().toLower());
    if (k == s->keys.cend())
        return nullptr;
    return &m_lines.at(k.value());
}

QString IniFile::cleanValue(QStringView raw)
{
    QStringView v = raw.trimmed();
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v.left(kMaxValue).toString();
}

bool IniFile::parseInteger(const QString& text, int& out)
{
    const QString t = text.trimmed();
    bool ok = false;
    int value = 0;
    if (t.size() > 2 && t.at(0) == u'0' && (t.at(1) == u'x' || t.at(1) == u'X')) {
        const qlonglong v = t.mid(2).toLongLong(&ok, 16);
        ok = ok && v >= 0 && v <= 0xFFFFFFFFLL && !t.mid(2).startsWith(u'-') && !t.mid(2).startsWith(u'+');
        value = int(quint32(v));
    } else {
        value = t.toInt(&ok, 10);
    }
    if (ok)
        out = value;
    return ok;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const
{
    const QString* line = findLine(section, key);
    if (!line)
        return def;
    const qsizetype eq = line->indexOf(u'=');
    return cleanValue(QStringView(*line).mid(eq + 1));
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const
{
    const QString* line = findLine(section, key);
    if (!line)
        return def;
    int value = def;
    if (!parseInteger(cleanValue(QStringView(*line).mid(line->indexOf(u'=') + 1)), value))
        return def;
    return value;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    refresh();
    // Writing what we could not read would replace the whole file with this one value.
    if (m_unreadable)
        throw Error(cannotOpenMessage(m_path));
    QStringList lines = m_lines;
    const QString entry = key + u'=' + value;
    auto s = m_sections.constFind(section.trimmed().toLower());
    if (s == m_sections.cend()) {
        lines.append(u'[' + section + u']');
        lines.append(entry);
    } else {
        auto k = s->keys.constFind(key.trimmed().toLower());
        if (k != s->keys.cend()) {
            const QString& old = lines.at(k.value());
            // Keep the key as it stands in the file, change only the value.
            const qsizetype eq = old.indexOf(u'=');
            lines[k.value()] = old.left(eq + 1) + value;
        } else {
            lines.insert(s->lastEntry + 1, entry);
        }
    }
    saveLines(m_path, lines);
    m_lines = lines;
    parse();
    m_stamp = stampOnDisk();
    m_loaded = true;
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::sectionExists(const QString& section) const
{
    refresh();
    return m_sections.contains(section.trimmed().toLower());
}

QStringList IniFile::readSection(const QString& section) const
{
    refresh();
    auto s = m_sections.constFind(section.trimmed().toLower());
    return s == m_sections.cend() ? QStringList() : s->order;
}

} // namespace tk
