#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace tk {

// Decides which of two sections of the same name survives: true keeps the earlier one.
using Doppelregel = std::function<bool(const QString& name, QStringList& earlier, QStringList& later)>;

// Section names in file order, each owning the raw lines of its section. Names compare without
// regard to case; duplicates are allowed until doppelteZusammenfuehren.
class Abschnittsliste {
public:
    int anzahl() const { return int(m_items.size()); }
    const QString& name(int i) const { return m_items[size_t(i)].name; }
    QStringList& zeilen(int i) { return *m_items[size_t(i)].lines; }
    const QStringList& zeilen(int i) const { return *m_items[size_t(i)].lines; }

    int hinzufuegen(const QString& name); // appends a section with an empty line list; returns its position
    void entfernen(int i);
    void leeren();

    int finde(const QString& name); // -1 when there is none; remembers what it found
    bool doppelteZusammenfuehren(const Doppelregel& handler);

    int gemerkt = 0; // position of the name found last

private:
    struct Item {
        QString name;
        std::unique_ptr<QStringList> lines;
    };
    std::vector<Item> m_items;
};

// A whole INI file in memory, written back in one piece. Lines are held raw (key=value, at most
// 255 characters); nothing is written until zurueckschreiben, which runs on destruction, on attaching
// another file, or on schreibeText with section, key and value all empty.
class IniSpeicher {
public:
    explicit IniSpeicher(const QString& fileName);
    virtual ~IniSpeicher(); // writes pending changes; a failure there is swallowed, so call zurueckschreiben
                            // first
    IniSpeicher(const IniSpeicher&) = delete;
    IniSpeicher& operator=(const IniSpeicher&) = delete;

    virtual QString leseText(const QString& section, const QString& key, const QString& def);
    virtual void schreibeText(const QString& section, const QString& key, const QString& value);
    virtual int leseZahl(const QString& section, const QString& key, int def);
    virtual void schreibeZahl(const QString& section, const QString& key, int value);
    virtual bool leseSchalter(const QString& section, const QString& key, bool def);
    virtual void schreibeSchalter(const QString& section, const QString& key, bool value);
    virtual void schluesselListe(const QString& section, QStringList& target);
    virtual void abschnittsnamen(QStringList& target);
    virtual void abschnittsZeilen(const QString& section, QStringList& target);
    virtual void entferneAbschnitt(const QString& section);
    virtual void entferneSchluessel(const QString& section, const QString& key);
    virtual void alleZeilen(QStringList& target);
    virtual void zurueckschreiben(); // throws tk::Error when the file cannot be written
    virtual void ladeDatei(const QString& fileName); // throws tk::Error when the file cannot be read

    void verbindeDatei(const QString& fileName);
    void leereAbschnitte();
    // Position of the key's line in the section, or -1; lines receives the section's line list
    // (nullptr when the section is missing and create is false).
    int findeEintrag(const QString& section, const QString& key, bool create, QStringList*& lines);

    const QString& dateiName() const { return m_fileName; }
    bool geaendert() const { return m_modified; }
    int abschnittsZeiger() const { return m_cursor; }
    Abschnittsliste& abschnitte() { return m_sections; }

    Doppelregel beiDoppeltem; // never set by the program
    int textpuffer = 28672;
    // Reading switches; the program never turns them on.
    bool ohneKommentare = false;
    bool ohneZeilenOhneGleich = false;
    bool umGleichBeschneiden = false;
    bool ohneAnfuehrungszeichen = false;
    bool endeBeschneiden = false;

private:
    QStringList buildText() const;

    QString m_fileName;
    bool m_modified = false;
    Abschnittsliste m_sections;
    int m_cursor = 0;
};

} // namespace tk
