#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace tk {

// One entry of the week plan: a recipe at a number of portions, or a free text ("Reste").
struct Planeintrag {
    QDate tag;
    int nummer = -1; // the recipe's number; -1 for a free text
    int portionen = 0; // the planned portions of a recipe; 0 for a free text
    QString titel; // the recipe's title (kept for a recipe deleted later), or the free text

    bool rezept() const { return nummer >= 0; }
    // "Kuchen (4 Portionen)", "Kuchen (gelöscht)", "Reste".
    QString text(bool geloescht = false) const;
    bool operator==(const Planeintrag&) const = default;
};

inline constexpr int kMaxPortionen = 999;

// "Montag" … "Sonntag" for 0 … 6.
QString wochentag(int tag);

// The Monday of the week the day lies in, and the label of that week: "Woche vom 07.12.2026 bis 13.12.2026".
QDate wochenanfang(QDate tag);
QString wochenText(QDate montag);

// What we cook on which day. Entries are kept in day order, within a day in the order the user put them.
// Changes name the entry by its content, so they apply to the plan as it is on disk now even when another
// computer has written meanwhile; an entry that is gone by then is left alone (false).
class Wochenplan {
public:
    QList<Planeintrag> eintraege;
    // Lines of the file that could not be read (with their line numbers): kept as they were, so a line
    // damaged by hand is not lost when the plan is written again.
    QStringList unlesbar;
    QList<int> unlesbarZeilen;

    QList<Planeintrag> amTag(QDate tag) const;
    // Puts the entry at place stelle of its day (-1 or beyond the end: last).
    void einfuegen(const Planeintrag& e, int stelle = -1);
    bool entfernen(const Planeintrag& e);
    bool verschieben(const Planeintrag& e, QDate nach, int stelle = -1);
    bool ersetzen(const Planeintrag& alt, const Planeintrag& neu); // same day and place

    // The current titles of the planned recipes: aktuell(n) is the title of recipe n, none when it is
    // deleted (its entry keeps the title it had).
    void titelAuffrischen(const std::function<std::optional<QString>(int)>& aktuell);

    // The file: one line per entry in day order, "dd.MM.yyyy|Nummer|Portionen|Titel"; the title is the
    // rest of the line and may hold "|". Empty lines are skipped; other lines that cannot be read are
    // kept in unlesbar.
    static Wochenplan ausDatei(const QStringList& zeilen);
    // Weeks that ended more than a year before heute are dropped; line breaks in a text become blanks.
    QStringList dateizeilen(QDate heute) const;

    // The note on damaged lines, empty when there are none.
    QString hinweis() const;
};

QString wochenplanPfad(const QString& programDir); // Data/Sonstiges/wochenplan.dat

// A missing file is an empty plan; an unreadable one throws tk::Error.
Wochenplan ladeWochenplan(const QString& programDir);
// Writes the whole plan atomically (Windows-1252, CR LF); throws tk::Error.
void speichereWochenplan(const QString& programDir, const Wochenplan& plan, QDate heute);

// The portions a recipe is planned at by default: the number of its quantity ("für 4 Personen": 4), 1 when
// it names none.
int eigenePortionen(const QString& menge);

// A planned recipe for the shopping list: its ingredient lines scaled from its own portions to the
// planned ones.
struct Einkaufsrezept {
    QString titel;
    QStringList zutaten;
};
// The recipes of the entries in their order; rezept(n) gives the quantity and the ingredient lines of
// recipe n, none when it is deleted (such entries are left out, as are free texts).
QList<Einkaufsrezept> einkaufsrezepte(const QList<Planeintrag>& eintraege,
    const std::function<std::optional<std::pair<QString, QStringList>>(int)>& rezept);

} // namespace tk
