// Edits on a large collection (default 500 000 recipes) through the real windows, headless: saving a
// recipe in the editor (Return), saving a new one, deleting one and marking a favourite, each timed until
// the windows have settled (pending events run). The main window's list must then be what a fresh load
// with the same tab and sort order shows; a wrong result ends the run with exit code 1.
//   bench_zeilen [COUNT] [RUNS]
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QKeyEvent>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/Programmstart.h"
#include "editing/gui/Rezepteditor.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/TextLines.h"
#include "platform/gui/Application.h"
#include "platform/gui/Modal.h"
#include "platform/gui/RecipeList.h"
#include "store/AppState.h"
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

// Return in the editor's title field, as a user saves.
void returnIn(tk::Rezepteditor* e)
{
    QKeyEvent druck(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QKeyEvent los(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QLineEdit* titel = tkb::kind<QLineEdit>(e, "titel");
    QCoreApplication::sendEvent(titel, &druck);
    QCoreApplication::sendEvent(titel, &los);
}

// A user's pause between two edits: the work an edit leaves to the second core (ranking the titles
// again) is done by then. TK_PAUSE_MS=0 measures the edits back to back.
void pause()
{
    const int ms
        = qEnvironmentVariableIsSet("TK_PAUSE_MS") ? qEnvironmentVariableIntValue("TK_PAUSE_MS") : 1500;
    QThread::msleep(ulong(ms));
    QCoreApplication::processEvents();
}

// Runs f, then the events it left (repaints, queued signals), and returns the milliseconds.
template <typename F> double settled(F f)
{
    pause();
    QElapsedTimer t;
    t.start();
    f();
    QCoreApplication::processEvents();
    return t.nsecsElapsed() / 1e6;
}

struct Figures {
    std::vector<double> ms;
    void add(double v) { ms.push_back(v); }
    double median() const
    {
        std::vector<double> v = ms;
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }
    double worst() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

std::vector<std::pair<int, QString>> entries(tk::RecipeList* l)
{
    std::vector<std::pair<int, QString>> out;
    out.reserve(size_t(l->count()));
    for (int r = 0; r < l->count(); ++r)
        out.emplace_back(l->numberAt(r), l->textAt(r));
    return out;
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
    QStringList notices;
    tk::Modal::setScript([&](const tk::ModalRequest& r) {
        tk::ModalReply reply;
        if (r.kind == tk::ModalKind::Question)
            reply.answer = tk::Answer::Yes;
        else
            notices << r.text;
        return reply;
    });

    const int count = argc > 1 ? atoi(argv[1]) : 500000;
    const int runs = argc > 2 ? atoi(argv[2]) : 5;
    // A third argument keeps the generated collection in that folder for the next run (making half a
    // million files takes minutes); the runs change it, which the comparison with a fresh load allows.
    QTemporaryDir tmp;
    const QString ordner = argc > 3 ? QString::fromLocal8Bit(argv[3]) : tmp.path();
    if (argc <= 3 || !QFile::exists(ordner + QStringLiteral("/Data/Rezepte/index.dat"))) {
        tkb::GeneratorOptions opt;
        opt.count = count;
        opt.favourites = count / 10;
        QDir().mkpath(ordner);
        tkb::generateCollection(ordner, opt);
    }
    struct {
        QString p;
        QString path() const { return p; }
    } dir { ordner };
    QDir(dir.path()).mkpath(QStringLiteral("Data/Sonstiges"));
    tk::saveLines(dir.path() + QStringLiteral("/Data/Sonstiges/Welcome.rtf"),
        { QStringLiteral("{\\rtf1 Hallo\\par}") });
    tk::saveLines(dir.path() + QStringLiteral("/Data/Sonstiges/tellerkiste.dat"),
        { QStringLiteral("[Start]"), QStringLiteral("ShowWelcome=0") });

    tk::AppState st;
    st.programDir = dir.path();
    auto windows = tk::programmStarten(st);
    st.sammlung.beobachten(); // as the program does: the watcher tells of files that come from outside
    tk::Hauptfenster* m = windows->hauptfenster;
    tk::Rezepteditor* e = windows->rezepteditor;
    auto* liste = tkb::kind<tk::RecipeList>(m, "rezeptliste");
    m->show();
    m->nachAlphabetOrdnen(); // the list as a user sees it: "Alle", alphabetical
    const int amStart = st.sammlung.rezeptAnzahl();
    QCoreApplication::processEvents();
    const auto& tabelle = st.sammlung.rezepte();
    auto lebend = [&](int n) {
        while (n <= st.sammlung.rezeptMax() && tabelle[size_t(n)].geloescht)
            ++n;
        return n;
    };

    Figures save, neu, loeschen, favorit;
    for (int i = 0; i < runs; ++i) {
        // An existing recipe, its title changed so that its row moves.
        const int n = lebend(count / 3 + i * 997);
        st.aktuellesRezept = n;
        m->rezeptBearbeiten();
        tkb::kind<QLineEdit>(e, "titel")->setText(QStringLiteral("Geänderte Suppe %1").arg(i));
        save.add(settled([&] { returnIn(e); }));
        check(tabelle[size_t(n)].titel == QStringLiteral("Geänderte Suppe %1").arg(i), "Titel gespeichert");

        // A new recipe.
        m->neuesRezept();
        tkb::kind<QLineEdit>(e, "titel")->setText(QStringLiteral("Neue Suppe %1").arg(i));
        tkb::kind<QListWidget>(e, "kategorien")->item(0)->setCheckState(Qt::Checked);
        neu.add(settled([&] { returnIn(e); }));

        // A favourite marked.
        st.aktuellesRezept = lebend(count / 2 + i * 991);
        favorit.add(settled([&] { m->favoritUmschalten(); }));

        // A deletion.
        st.aktuellesRezept = lebend(2 * count / 3 + i * 983);
        loeschen.add(settled([&] { m->rezeptLoeschen(); }));
    }
    check(notices.isEmpty(), "keine Meldung");
    for (const QString& t : notices)
        std::printf("  Meldung: %s\n", qPrintable(t));

    // The list must be what a fresh load shows.
    const auto ist = entries(liste);
    const int anzahl = st.sammlung.rezeptAnzahl();
    tk::AppState frisch;
    frisch.programDir = dir.path();
    auto andere = tk::programmStarten(frisch);
    andere->hauptfenster->nachAlphabetOrdnen();
    check(entries(tkb::kind<tk::RecipeList>(andere->hauptfenster, "rezeptliste")) == ist,
        "Liste wie nach frischem Laden");
    check(frisch.sammlung.rezeptAnzahl() == anzahl, "Anzahl wie nach frischem Laden");

    std::printf("zeilen: %d recipes, %d live at start, %d runs (median / worst, until settled)\n", count,
        amStart, runs);
    std::printf("  save in the editor (title moves)       %8.1f ms / %.1f ms\n", save.median(), save.worst());
    std::printf("  save a new recipe                      %8.1f ms / %.1f ms\n", neu.median(), neu.worst());
    std::printf(
        "  mark a favourite                       %8.1f ms / %.1f ms\n", favorit.median(), favorit.worst());
    std::printf(
        "  delete                                 %8.1f ms / %.1f ms\n", loeschen.median(), loeschen.worst());
    std::printf("  result: %s\n", failures ? "FEHLER" : "alle Prüfungen bestanden");
    return failures ? 1 : 0;
}
