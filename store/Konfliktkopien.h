#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace tk {

// A file a synchronisation tool set aside when both computers had changed it.
struct Konfliktkopie {
    QString pfad;
    QString original; // the name of the file it was set aside from ("index.dat", "0020.dat")
    QString kennung; // the computer that wrote it, where the name says so (Syncthing's device), else empty
};

// What a merge of conflict copies took over, and what it left where it was.
struct Konfliktbericht {
    QStringList rezepte; // titles of the recipes taken over
    int favoriten = 0;
    QStringList kategorien; // names of the own categories taken over
    int planeintraege = 0; // entries of the week plan taken over
    int quellen = 0; // copies something was taken from
    QStringList beiseitegelegt; // copies moved to Data/Konfliktkopien
    QStringList beschaedigt; // names of damaged copies, left where they are
    QStringList gruende; // what is wrong with each of them
    QStringList offen; // names of copies nothing could be taken from, left where they are
    QString fehler; // the merge failed: nothing moved

    bool leer() const
    {
        return beiseitegelegt.isEmpty() && beschaedigt.isEmpty() && offen.isEmpty() && fehler.isEmpty();
    }
    bool uebernommen() const
    {
        return !rezepte.isEmpty() || favoriten > 0 || !kategorien.isEmpty() || planeintraege > 0;
    }
    QString statuszeile() const; // "2 Rezepte aus einer Konfliktkopie übernommen"
    QString meldung() const; // the message window's text, with the names
};

// Merges what synchronisation tools set aside (Syncthing, Nextcloud, ownCloud, Dropbox) back into the
// collection, so that nothing either computer saved is lost. The plan is made from the files as they are
// now and writes nothing; the collection carries it out as one transaction. Planning again after that
// finds everything present, so a merge run twice changes nothing.
class Konfliktkopien {
public:
    // The name of the file a conflict copy was set aside from ("index.dat" for
    // "index.sync-conflict-20261208-193812-ABCDEFG.dat", also for a copy of a copy); empty when the name
    // is no conflict copy. kennung: the computer, where the name tells it.
    static QString original(const QString& dateiname, QString* kennung = nullptr);
    // The conflict copies in Data/Rezepte and Data/Sonstiges, sorted by path. andere: names that speak
    // of a conflict but follow no tool's pattern.
    // hoechsteDatei: set to the highest number a file of the recipe folder carries, found on the way.
    static QList<Konfliktkopie> finden(
        const QString& programDir, QStringList* andere = nullptr, int* hoechsteDatei = nullptr);
    // The same for one of the two folders; hoechsteDatei is set when given.
    static QList<Konfliktkopie> findenIn(const QString& ordner, QStringList* andere, int* hoechsteDatei);
    static QString ablage(const QString& programDir); // Data/Konfliktkopien

    // A recipe the merge adds under a new number.
    struct Neu {
        QString eintrag; // the index entry
        std::optional<QByteArray> text; // the recipe file; none: the recipe had none
        QString bild; // the picture to copy, empty for none
    };

    // index: the lines of the current index; kopien: as finden() gives them.
    Konfliktkopien(const QString& programDir, const QStringList& index, const QList<Konfliktkopie>& kopien);

    // The plan. index(): the current index with the entries taken back at their own number (a number
    // the current index does not use: the other computer's recipe with its own files); neu: recipes to
    // add at the next numbers, in this order.
    const QStringList& index() const { return m_index; }
    bool indexGeaendert() const { return m_indexGeaendert; }
    const QList<Neu>& neu() const { return m_neu; }
    QList<int> favoritenAlt; // numbers already in the index to mark as favourites
    QList<int> favoritenNeu; // positions in neu() to mark as favourites
    std::optional<QStringList> kategorien; // the new category file, none: unchanged
    // A line to add to the week plan. neu >= 0: the planned recipe is neu()[neu], and its number goes
    // between vorn (the day) and hinten (portions and title) once the merge has chosen it; otherwise
    // vorn is the whole line.
    struct Planzeile {
        QString vorn, hinten;
        int neu = -1;
        QString zeile(int erste) const
        {
            return neu < 0 ? vorn : vorn + u'|' + QString::number(erste + neu) + u'|' + hinten;
        }
    };
    QList<Planzeile> wochenplan;
    QStringList verschieben; // copies merged: to Data/Konfliktkopien once all is written
    Konfliktbericht bericht; // everything but beiseitegelegt

private:
    void kategorienPlanen(const QList<Konfliktkopie>& kopien);
    void indexPlanen(const Konfliktkopie& kopie);
    void reste();
    bool erledigtOhneEintrag(int n, const Konfliktkopie& k);
    void favoritenPlanen(const Konfliktkopie& kopie);
    void wochenplanPlanen(const Konfliktkopie& kopie);
    const QHash<int, int>* nummernVon(const Konfliktkopie& kopie) const;
    void kaputt(const Konfliktkopie& kopie, const QString& warum);
    void felder();

    bool lebt(int n) const;
    bool geloescht(int n) const;
    std::optional<QByteArray> datei(const QString& pfad) const;
    std::optional<QByteArray> textVon(int nummer) const;
    static QString schluessel(
        const QString& titel, const QString& autor, const QString& datum, const QString& menge);
    // The number (or -1 - position in neu) of an entry with these fields (the title also with the mark of
    // a second version) and this recipe text, other than recipe ausser; none: no such entry.
    std::optional<int> vorhanden(const QString& eintrag, const std::optional<QByteArray>& text,
        std::optional<int> ausser = std::nullopt);
    void merke(const QString& eintrag, int nummer);
    int neuesRezept(const QString& eintrag, const std::optional<QByteArray>& text, const QString& bild);
    // Of the copies not taken yet and not damaged, the one that computer wrote where the names tell,
    // else the first; none when there is none.
    const Konfliktkopie* waehle(const QList<Konfliktkopie>& kopien, const QString& kennung) const;
    QString bildFuer(int n, const QString& kennung);
    QString mitKategorien(const QString& eintrag, const QString& kennung) const;

    QString m_programDir;
    QStringList m_index;
    int m_hoechste = -1;
    bool m_indexGeaendert = false;
    QList<Neu> m_neu;
    QList<Konfliktkopie> m_indexKopien;
    QList<Konfliktkopie> m_favoritenKopien;
    QMap<int, QList<Konfliktkopie>> m_texte, m_bilder; // copies of recipe files and pictures, by number
    QSet<QString> m_benutzt; // copies of files taken (or found present)
    QSet<QString> m_kaputt; // damaged copies
    QHash<QString, QList<int>> m_nachFeldern; // title, author, date, quantity -> numbers
    bool m_felder = false;
    QHash<QString, QHash<int, int>> m_kategorieNummern; // kennung of a category copy -> its numbers -> ours
    QHash<QString, QHash<int, int>> m_rezeptNummern; // kennung of an index copy -> its numbers -> ours
    mutable QHash<int, std::optional<QByteArray>> m_texteCache;
};

// Moves the file into the folder; a file of the same name there stays, the new one gets " (2)", " (3)", …
// before its extension. Returns the new path, empty when it could not be moved.
QString beiseitelegen(const QString& pfad, const QString& ordner);

} // namespace tk
