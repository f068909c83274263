#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace tk {

// Decides which of two sections of the same name survives: true keeps the earlier one.
using TDuplicateHandler = std::function<bool(const QString& name, QStringList& earlier, QStringList& later)>;

// Section names in file order, each owning the raw lines of its section. Names compare without
// regard to case; duplicates are allowed until MergeDuplicates.
class Abschnittsliste {
public:
    int Count() const { return int(m_items.size()); }
    const QString& Name(int i) const { return m_items[size_t(i)].name; }
    QStringList& Lines(int i) { return *m_items[size_t(i)].lines; }
    const QStringList& Lines(int i) const { return *m_items[size_t(i)].lines; }

    int Add(const QString& name); // appends a section with an empty line list; returns its position
    void Delete(int i);
    void Clear();

    int FindSection(const QString& name); // -1 when there is none; remembers what it found
    bool MergeDuplicates(const TDuplicateHandler& handler);

    int remembered = 0; // position of the name found last

private:
    struct Item {
        QString name;
        std::unique_ptr<QStringList> lines;
    };
    std::vector<Item> m_items;
};

// A whole INI file in memory, written back in one piece. Lines are held raw (key=value, at most
// 255 characters); nothing is written until WriteBack, which runs on destruction, on attaching
// another file, or on WriteText with section, key and value all empty.
class IniSpeicher {
public:
    explicit IniSpeicher(const QString& fileName);
    virtual ~IniSpeicher(); // writes pending changes; a failure there is swallowed, so call WriteBack first
    IniSpeicher(const IniSpeicher&) = delete;
    IniSpeicher& operator=(const IniSpeicher&) = delete;

    virtual QString ReadText(const QString& section, const QString& key, const QString& def);
    virtual void WriteText(const QString& section, const QString& key, const QString& value);
    virtual int ReadNumber(const QString& section, const QString& key, int def);
    virtual void WriteNumber(const QString& section, const QString& key, int value);
    virtual bool ReadFlag(const QString& section, const QString& key, bool def);
    virtual void WriteFlag(const QString& section, const QString& key, bool value);
    virtual void ListKeys(const QString& section, QStringList& target);
    virtual void ListSections(QStringList& target);
    virtual void CopySectionLines(const QString& section, QStringList& target);
    virtual void DropSection(const QString& section);
    virtual void DropKey(const QString& section, const QString& key);
    virtual void DumpLines(QStringList& target);
    virtual void WriteBack(); // throws tk::Error when the file cannot be written
    virtual void LoadFile(const QString& fileName); // throws tk::Error when the file cannot be read

    void AttachFile(const QString& fileName);
    void ClearSections();
    // Position of the key's line in the section, or -1; lines receives the section's line list
    // (nullptr when the section is missing and create is false).
    int FindEntry(const QString& section, const QString& key, bool create, QStringList*& lines);

    const QString& FileName() const { return m_fileName; }
    bool Modified() const { return m_modified; }
    int SectionCursor() const { return m_cursor; }
    Abschnittsliste& Sections() { return m_sections; }

    TDuplicateHandler OnDuplicate; // never set by the program
    int TextBufferSize = 28672;
    // Reading switches; the program never turns them on.
    bool DropComments = false;
    bool DropLinesWithoutEquals = false;
    bool TrimAroundEquals = false;
    bool StripQuotes = false;
    bool TrimTrailing = false;

private:
    QStringList buildText() const;

    QString m_fileName;
    bool m_modified = false;
    Abschnittsliste m_sections;
    int m_cursor = 0;
};

} // namespace tk
