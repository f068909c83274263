#pragma once

#include <QList>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "store/Konfliktkopien.h"
#include "store/Rezepte.h"

class QFileSystemWatcher;
class QTimer;

namespace tk {

class IniFile;
class Indexdatei;

// What the editor hands over for one recipe.
struct RezeptEingabe {
    int nummer = -1; // -1: a new recipe
    QString titel, autor, datum, menge;
    QList<int> angekreuzt; // ticked category numbers
    QList<int> gelistet; // numbers the editor offered; every other flag of the record stays
    QStringList zutaten, text;
    std::optional<QStringList> kommentar; // none: the comment stored in the file stays
    // Writes the chosen picture to the given path (the GUI converts it to JPEG); empty: no new picture.
    std::function<void(const QString& ziel)> bildSchreiben;
};

struct SpeicherErgebnis {
    int nummer = -1;
    QString bildFehler; // the recipe was saved, the picture could not be taken over
};

// A save of a recipe that was deleted meanwhile (by this copy or another).
class InzwischenGeloescht : public std::runtime_error {
public:
    InzwischenGeloescht()
        : std::runtime_error("deleted meanwhile")
    {
    }
};

enum class KategorieFehler { Keiner, Vorhanden, Voll };

// The collection: the one writer of Data/Rezepte/ (index, recipe files, pictures, favourites and
// categories) and of the recipe table read from them. Every operation reads from disk what it needs, so
// that what another copy of the program or another computer wrote meanwhile stays; it writes atomically
// and takes back what it wrote when a later step fails, brings the one record concerned up to date and
// then tells the windows through its signals. Failures throw tk::Error.
//
// Adding recipes and rewriting a recipe go through a small journal in the work folder, so that a save
// cut off by a crash is finished or discarded when the next copy starts, and its files never block
// a later number.
class Sammlung : public QObject {
    Q_OBJECT
public:
    // programDir is read at every operation: its owner may set it after this is made. rezeptMax: the
    // highest number known before (a collection no table was loaded for).
    explicit Sammlung(const QString& programDir, int rezeptMax = -1);
    ~Sammlung() override;

    // The recipe table, indexed by recipe number; written only here.
    const std::vector<Rezepteintrag>& rezepte() const { return m_rezepte; }
    // Record n, or none when the table has no such number.
    const Rezepteintrag* eintrag(int n) const
    {
        return n >= 0 && size_t(n) < m_rezepte.size() ? &m_rezepte[size_t(n)] : nullptr;
    }
    int rezeptMax() const { return m_rezeptMax; } // the highest recipe number
    int rezeptAnzahl() const { return m_rezeptAnzahl; } // live recipes
    // Counts loads and the changes of titles, numbers and deletions: what was derived from the table
    // before (a ranking, titles shown elsewhere) is stale.
    quint64 stand() const { return m_stand; }

    // Opens the favourites file; until then no record is a favourite and marking one does nothing.
    void oeffneFavoriten();
    bool hatFavoriten() const { return m_favoriten != nullptr; }

    // What another program or computer changed, as bits of vonAussenGeaendert.
    enum Datei { Index = 1, Favoriten = 2, Kategorien = 4, Einstellungen = 8, Wochenplan = 16 };

    // Starts watching the collection's folders: changes of the index, favourites, categories,
    // settings and week plan by others are announced once the writing has settled; the copy's own writes are
    // not. Conflict copies left by synchronisation tools are merged as they appear (then the index and
    // favourites count as changed by others); names that only speak of a conflict are announced once each.
    void beobachten(int ruheMs = 300);
    // A file this copy has just written: no notice for it.
    void merkeEigene(const QString& pfad);

    // Finishes or discards what a crashed copy left half-way; clears leftovers of package imports.
    void aufraeumen();

    // Takes into the collection what synchronisation tools set aside when both computers saved at the
    // same time (Konfliktkopien says how), then moves the merged copies to Data/Konfliktkopien. Categories
    // first, then the recipe files and the index as one transaction, then favourites; the copies move
    // only when all is written, and a merge cut off half-way is finished by the next without doubling
    // anything. The table is not read again here. Tells konfliktkopienUebernommen unless there were none.
    Konfliktbericht uebernimmKonfliktkopien();

    // The table from the index file; progress(n) before record n, listed(n) for the list of aktKategorie.
    // rezeptAnzahl becomes the live count reached, also when the load ends early.
    Ladeergebnis lade(
        int aktKategorie, const std::function<void(int)>& progress, const std::function<void(int)>& listed);

    SpeicherErgebnis speichereRezept(const RezeptEingabe& e);
    // Writes the comment of recipe n into its file; ingredients and text stay as the file has them.
    void speichereKommentar(int n, const QStringList& kommentar);
    void loescheRezept(int n);
    void loescheBild(int n);
    void setzeFavorit(int n, bool favorit);
    int zufallsRezept(std::mt19937& rng); // -1 when there is none

    KategorieFehler neueKategorie(const QString& name);
    void benenneKategorie(int nr, const QString& name);
    void loescheKategorie(int nr);

    // Adds `anzahl` recipes under new numbers. schreibe(i, nummer) creates the files of recipe i for
    // that number (never replacing a file) and returns its index entry; a failure there throws and takes
    // back everything of this call. Returns the first number.
    int fuegeHinzu(int anzahl, const std::function<QString(int i, int nummer)>& schreibe);

    // Rewrites the index whole (database update) from its lines on disk.
    void wandleIndex(const std::function<QStringList(const QStringList&)>& umwandeln);

    // Whether recipe n is a live entry of the index on disk.
    bool lebtAufPlatte(int n) const;

    // The next number a new recipe would get, from the files as they are now.
    int naechsteNummer() const;

signals:
    // One record of the table changed; the table is up to date when these come.
    void rezeptHinzugefuegt(int n);
    void rezeptGeaendert(int n);
    void rezeptEntfernt(int n);
    void favoritGeaendert(int n);
    void geladen(); // the whole table was read again
    void kommentarGespeichert(int n);
    void bildGeloescht(int n);
    void kategorienGeaendert(int geloeschteNr); // -1: added or renamed
    void einstellungenGeaendert();
    // The index changed in a way the table must be read again for (imports, database update).
    void neuEinlesen();
    // Imported entries carry category lists of the old format: the database update is due.
    void altesFormat();
    void vonAussenGeaendert(int dateien);
    void konfliktkopieGefunden(const QString& name);
    void konfliktkopienUebernommen(const tk::Konfliktbericht& bericht);

private:
    struct Stempel {
        qint64 groesse = -1;
        qint64 zeit = -1;
        quint64 inode = 0;
        bool operator==(const Stempel&) const = default;
    };
    static Stempel stempel(const QString& pfad);
    void pruefen();
    QList<Konfliktkopie> kopienFinden(QStringList* andere);
    int naechsteNummer(int hoechsteImIndex, int anzahl) const;
    SpeicherErgebnis speichereNeues(const RezeptEingabe& e, Indexdatei index);
    SpeicherErgebnis ersetze(const RezeptEingabe& e, Indexdatei index);
    Rezepteintrag eintragAus(const RezeptEingabe& e) const;
    void bildUebernehmen(const RezeptEingabe& e, SpeicherErgebnis& out) const;
    void uebernimm(const Konfliktkopien& plan, Konfliktbericht& out);

    const QString& m_programDir;
    std::vector<Rezepteintrag> m_rezepte;
    int m_rezeptMax = -1;
    mutable int m_hoechsteDatei = -2; // the highest number a file of the folder carries; -2: not listed yet
    int m_rezeptAnzahl = 0;
    quint64 m_stand = 0;
    std::unique_ptr<IniFile> m_favoriten;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_ruhe = nullptr;
    QHash<QString, Stempel> m_bekannt;
    QSet<QString> m_gemeldet;
    // The last listing of the recipe folder, kept while the folder has not changed.
    struct Ordnerliste {
        Stempel stempel;
        QList<Konfliktkopie> kopien;
        QStringList andere;
        int hoechste = -1;
        bool bleibt = false; // false: listed again at the next question
    };
    std::optional<Ordnerliste> m_liste;
};

// Index lines with new entries for the numbers erste.. appended where they belong: entries of numbers
// between the highest on disk and erste are marked deleted, lines behind the last entry that are no
// entries stay behind the new ones, and line 0 becomes the last new number.
// Index: QStringList or Indexdatei.
template <class Index> Index indexMitNeuen(Index index, int erste, const QStringList& eintraege);

// The highest recipe number the index lines know: line 0 or a later line holding an entry.
// Throws tk::Error when line 0 is no number or below -1.
template <class Index> int hoechsteNummer(const Index& index);

// The number a name of the recipe folder carries ("0042.dat", "0042.jpg", and temporary names of a save
// under way such as "0042.dat.neu"); -1 for any other name.
int dateinummer(const char* name);

} // namespace tk
