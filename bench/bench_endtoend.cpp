// The real windows on a generated collection (default 100 000 recipes), headless: start-up, a recipe on
// show, tab changes, a search in every mode, a save through the editor and a deletion. Every step is
// checked against the files and the core functions; a wrong result ends the run with exit code 1.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>

#include "editing/gui/Rezepteditor.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/RecipeList.h"
#include "app/Programmstart.h"
#include "platform/TextLines.h"
#include "platform/gui/Application.h"
#include "platform/gui/Modal.h"
#include "platform/gui/TabControl.h"
#include "search/Suche.h"
#include "search/gui/Suchfenster.h"
#include "store/AppState.h"
#include "store/Formats.h"
#include "mainwin/gui/Ladefenster.h"
#include "support/Controls.h"
#include "support/Generator.h"

namespace {
int failures = 0;
void check(bool ok, const char* what)
{
    if (!ok) {
        std::printf("  FEHLER: %s\n", what);
        ++failures;
    }
}
template <typename F> double timed(F f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    tk::Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tellerkiste"));
    app.setQuitOnLastWindowClosed(false);
    tk::Application::setEndsProgram(false);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // Questions are answered with Yes, notices with OK; each is counted.
    int asked = 0;
    QStringList notices;
    tk::Modal::setScript([&](const tk::ModalRequest& r) {
        tk::ModalReply reply;
        if (r.kind == tk::ModalKind::Question) {
            ++asked;
            reply.answer = tk::Answer::Yes;
        } else {
            notices << r.text;
        }
        return reply;
    });

    const int count = argc > 1 ? atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    tkb::GeneratorOptions opt;
    opt.count = count;
    tkb::GeneratedCollection made;
    const double genMs = timed([&] { made = tkb::generateCollection(dir.path(), opt); });
    QDir(dir.path()).mkpath(QStringLiteral("Data/Sonstiges"));
    tk::saveLines(dir.path() + QStringLiteral("/Data/Sonstiges/Welcome.rtf"),
        { QStringLiteral("{\\rtf1 Hallo\\par}") });
    tk::saveLines(dir.path() + QStringLiteral("/Data/Sonstiges/tellerkiste.dat"),
        { QStringLiteral("[Start]"), QStringLiteral("ShowWelcome=0") });

    tk::AppState st;
    st.programDir = dir.path();
    std::unique_ptr<tk::Fensterregister> windows;
    const double startMs = timed([&] { windows = tk::programmStarten(st); });
    tk::Hauptfenster* m = windows->hauptfenster;
    auto* liste = tkb::kind<tk::RecipeList>(m, "rezeptliste");
    auto* reiter = tkb::kind<tk::TabControl>(m, "kategorien");
    auto* treffer = tkb::kind<tk::RecipeList>(m, "suchergebnisse");
    check(st.sammlung.rezeptAnzahl() == made.live, "Anzahl der geladenen Rezepte");
    check(liste->count() == made.live, "Liste \"Alle\" nach dem Start");

    // A live recipe in the middle of the collection.
    int n = count / 2;
    while (n < st.sammlung.rezeptMax() && st.sammlung.rezepte()[size_t(n)].geloescht)
        ++n;
    const double showMs = timed([&] { m->zeigeRezept(n); });
    check(tkb::kind<QLabel>(m, "titel")->text() == st.sammlung.rezepte()[size_t(n)].titel,
        "Titel des gezeigten Rezepts");
    const tk::RecipeFile file = tk::parseRecipe(tk::loadLines(tk::recipePath(dir.path(), n)));
    check(tkb::kind<QListWidget>(m, "zutaten")->count() == file.zutaten.size(),
        "Zutaten des gezeigten Rezepts");

    // Tab changes: a category tab lists exactly the recipes carrying it.
    int inTab = 0;
    const int kat = st.kategorien.tabKategorie.value(3, 3);
    for (int i = 0; i <= st.sammlung.rezeptMax(); ++i)
        if (!st.sammlung.rezepte()[size_t(i)].geloescht
            && tk::gehoertZuKategorie(st.sammlung.rezepte()[size_t(i)], kat))
            ++inTab;
    const double tabMs = timed([&] { reiter->setCurrentIndex(3); });
    check(liste->count() == inTab, "Liste eines Kategorie-Reiters");
    const double tabBackMs = timed([&] { reiter->setCurrentIndex(0); });
    check(liste->count() == st.sammlung.rezeptAnzahl(), "Liste \"Alle\" nach dem Reiterwechsel");

    // A search in every mode through the window; the hits must be those of the core search.
    const QString titelWort = st.sammlung.rezepte()[size_t(n)].titel.section(u' ', 0, 0);
    const QString zutatWort = file.zutaten.value(0).section(u' ', -1);
    const QString textWort = file.text.value(0).section(u' ', 0, 0);
    const QString autorWort = st.sammlung.rezepte()[size_t(n)].autor.section(u' ', -1);
    struct Run {
        const char* knopf;
        tk::SuchModus modus;
        QString wort;
        const char* name;
        double ms = 0;
        int hits = 0;
    };
    std::vector<Run> runs { { "volltext", tk::SuchModus::Volltext, textWort, "Volltext" },
        { "titel", tk::SuchModus::Titel, titelWort, "Titel" },
        { "zutaten", tk::SuchModus::Zutaten, zutatWort, "Zutaten" },
        { "autor", tk::SuchModus::Autor, autorWort, "Autor" } };
    tk::Suchfenster* s = windows->suchfenster;
    for (Run& r : runs) {
        m->suchfensterZeigen();
        tkb::kind<QRadioButton>(s, QLatin1String(r.knopf))->click();
        tkb::kind<QLineEdit>(s, "suchwort")->setText(r.wort);
        auto* suchen = tkb::kind<QPushButton>(s, "suchen");
        r.ms = timed([&] { suchen->click(); });
        std::vector<int> expected;
        tk::sucheRezepte(
            st.sammlung.rezepte(), st.sammlung.rezeptMax(), dir.path(), r.modus, r.wort, expected);
        r.hits = treffer->count();
        bool same = r.hits == int(expected.size()) && r.hits > 0;
        for (int i = 0; same && i < r.hits; ++i)
            same = treffer->numberAt(i) == expected[size_t(i)];
        check(same, r.name);
        check(notices.size() == 1 && notices.front() == tk::suchZusammenfassung(r.hits),
            "Zusammenfassung der Suche");
        notices.clear();
    }

    // A save through the editor.
    st.aktuellesRezept = n;
    m->rezeptBearbeiten();
    tk::Rezepteditor* e = windows->rezepteditor;
    tkb::kind<QLineEdit>(e, "titel")->setText(QStringLiteral("Geänderte Suppe"));
    auto* speichern = tkb::kind<QPushButton>(e, "speichern");
    const double saveMs = timed([&] { speichern->click(); });
    const QStringList index = tk::loadLines(tk::indexPath(dir.path()));
    check(tk::splitEntry(index.value(n + 1)).titel == QStringLiteral("Geänderte Suppe"),
        "Titel im Index gespeichert");
    check(st.sammlung.rezepte()[size_t(n)].titel == QStringLiteral("Geänderte Suppe"),
        "Titel nach dem Speichern geladen");
    check(st.sammlung.rezeptAnzahl() == made.live, "Anzahl nach dem Speichern");

    // A deletion.
    int d = n + 1;
    while (d < st.sammlung.rezeptMax() && st.sammlung.rezepte()[size_t(d)].geloescht)
        ++d;
    st.aktuellesRezept = d;
    const int askedBefore = asked;
    const double deleteMs = timed([&] { m->rezeptLoeschen(); });
    check(asked == askedBefore + 1, "Rückfrage vor dem Löschen");
    check(tk::isDeletedEntry(tk::loadLines(tk::indexPath(dir.path())).value(d + 1)), "Eintrag gelöscht");
    check(!QFile::exists(tk::recipePath(dir.path(), d)), "Rezeptdatei entfernt");
    check(st.sammlung.rezeptAnzahl() == made.live - 1, "Anzahl nach dem Löschen");
    check(notices.isEmpty(), "keine unerwartete Meldung");
    for (const QString& t : notices)
        std::printf("  Meldung: %s\n", qPrintable(t));

    std::printf("endtoend: %d recipes, %d live, %d recipe files (generated in %.0f ms)\n", count, made.live,
        made.recipeFiles, genMs);
    std::printf("  start-up (15 windows + first load)     %8.1f ms\n", startMs);
    std::printf("  show a recipe                          %8.1f ms\n", showMs);
    std::printf("  tab change to a category / back        %8.1f ms / %.1f ms\n", tabMs, tabBackMs);
    for (const Run& r : runs)
        std::printf("  search %-9s \"%s\"%*s %8.1f ms   %d hits\n", r.name, qPrintable(r.wort),
            int(std::max<qsizetype>(0, 20 - r.wort.size())), "", r.ms, r.hits);
    std::printf("  save through the editor (with reload)  %8.1f ms\n", saveMs);
    std::printf("  delete (with reload)                   %8.1f ms\n", deleteMs);
    std::printf("  result: %s\n", failures ? "FEHLER" : "alle Prüfungen bestanden");
    return failures ? 1 : 0;
}
