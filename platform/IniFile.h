#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace tk {

// Access to an INI file with the rules every settings-like file of the program shares:
// section and key names are compared without regard to case; a value is read trimmed, without
// one pair of enclosing quotes, at most 2047 characters; a missing file, section or key yields the
// default. A write creates file, section and key as needed, changes a value in place, keeps every
// other line, and is on disk at once (atomic replace). Reads see the file as it is on disk: the
// parsed file is kept and parsed again only when the file on disk changed.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& fileName() const { return m_path; }

    QString readString(const QString& section, const QString& key, const QString& def) const;
    int readInteger(const QString& section, const QString& key, int def) const;
    bool readBool(const QString& section, const QString& key, bool def) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);

    bool sectionExists(const QString& section) const;

    // While a Batch lives, lookups use the file as read when the batch began instead of checking
    // the disk for every lookup (the loader asks once per recipe).
    class Batch {
    public:
        explicit Batch(const IniFile& ini)
            : m_ini(ini)
        {
            m_ini.refresh();
            ++m_ini.m_frozen;
        }
        ~Batch() { --m_ini.m_frozen; }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        const IniFile& m_ini;
    };
    QStringList readSection(const QString& section) const; // the keys, in file order

    // The rules for a value text, exposed for other readers of the same syntax.
    static QString cleanValue(QStringView raw);
    static bool parseInteger(const QString& text, int& out);

private:
    struct Section {
        int header = -1; // line of the header
        int lastEntry = -1; // last line that belongs to it and is not blank
        QHash<QString, int> keys; // lower-case key -> line (first occurrence)
        QStringList order;
    };
    struct Stamp {
        qint64 size = -1;
        qint64 mtimeNs = -1;
        quint64 inode = 0;
        bool exists = false;
        bool operator==(const Stamp&) const = default;
    };

    Stamp stampOnDisk() const;
    void refresh() const;
    void parse() const;
    const QString* findLine(const QString& section, const QString& key) const;

    QString m_path;
    mutable Stamp m_stamp;
    mutable bool m_loaded = false;
    mutable int m_frozen = 0;
    mutable bool m_unreadable = false; // on disk but could not be read: never overwrite it
    mutable QStringList m_lines;
    mutable QHash<QString, Section> m_sections; // lower-case name -> first section of that name
};

} // namespace tk
