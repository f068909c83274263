// The main window on a large collection: the loader (rezepteLaden) with its progress display, and
// a tab change with alphabetical sorting. Headless.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "app/Programmstart.h"
#include "editing/gui/Kommentarfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/RecipeList.h"
#include "platform/TextLines.h"
#include "platform/gui/Application.h"
#include "platform/gui/Modal.h"
#include "platform/gui/TabControl.h"
#include "store/AppState.h"
#include "mainwin/gui/Ladefenster.h"
#include "store/Formats.h"
#include "support/Controls.h"
#include "support/Generator.h"

namespace {
template <typename F> double bestOf(int runs, F f)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
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
    // Any message would stop a headless run: answer everything with OK.
    tk::Modal::setScript([](const tk::ModalRequest&) { return tk::ModalReply {}; });

    const int count = argc > 1 ? atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    tkb::GeneratorOptions opt;
    opt.count = count;
    opt.recipeFiles = false;
    tkb::generateCollection(dir.path(), opt);
    QDir(dir.path()).mkpath(QStringLiteral("Data/Sonstiges"));
    tk::saveLines(dir.path() + QStringLiteral("/Data/Sonstiges/Welcome.rtf"),
        { QStringLiteral("{\\rtf1 Hallo\\par}") });
    tk::saveLines(dir.path() + QStringLiteral("/Data/Sonstiges/tellerkiste.dat"),
        { QStringLiteral("[Start]"), QStringLiteral("ShowWelcome=0") });

    tk::AppState st;
    st.programDir = dir.path();
    QElapsedTimer startup;
    startup.start();
    auto windows = tk::programmStarten(st);
    const double startMs = startup.nsecsElapsed() / 1e6;
    tk::Hauptfenster* m = windows->hauptfenster;

    const double load = bestOf(3, [&] { windows->ladefenster->rezepteLaden(); });
    // A plain read of the same index: the floor any loader has to pay.
    const double plain = bestOf(3, [&] {
        const QStringList lines = tk::loadLines(dir.path() + QStringLiteral("/Data/Rezepte/index.dat"));
        volatile qsizetype n = 0;
        for (const QString& l : lines)
            n = n + l.indexOf(u'|');
    });
    m->nachAlphabetOrdnen(); // alphabetical mode
    // The first alphabetical list after a load ranks all titles once.
    windows->ladefenster->rezepteLaden();
    tk::TabControl* reiter = tkb::kind<tk::TabControl>(m, "kategorien");
    const double tabCold = bestOf(1, [&] { reiter->setCurrentIndex(reiter->currentIndex() == 0 ? 1 : 0); });
    const double tabAll = bestOf(3, [&] {
        reiter->setCurrentIndex(1);
        reiter->setCurrentIndex(0);
    });
    const double tabOne = bestOf(3, [&] {
        reiter->setCurrentIndex(0);
        reiter->setCurrentIndex(3);
    });
    m->nachDatumOrdnen();
    const double tabUnsorted = bestOf(3, [&] {
        reiter->setCurrentIndex(1);
        reiter->setCurrentIndex(0);
    });

    // A recipe whose ingredient, text and comment are one line of 5 MiB each: shown cut, at once.
    const QString riesig(5 * 1024 * 1024, u'x');
    tk::saveLines(tk::recipePath(dir.path(), 0),
        { QStringLiteral("1"), riesig, riesig, QStringLiteral("###KOMMENTAR###"), riesig });
    const double huge = bestOf(3, [&] {
        m->zeigeRezept(0);
        windows->kommentarfenster->show();
        QCoreApplication::processEvents();
        m->repaint();
        windows->kommentarfenster->repaint();
        windows->kommentarfenster->hide();
    });

    std::printf("mainwin: %d recipes, %d live\n", count, st.sammlung.rezeptAnzahl());
    std::printf("  start-up (15 windows + first load)     %8.1f ms\n", startMs);
    std::printf(
        "  UpdateRezepte                          %8.1f ms   (plain index read %.1f ms, ratio %.2f)\n", load,
        plain, load / plain);
    std::printf("  first alphabetical tab change after load %6.1f ms   (ranks all titles once)\n", tabCold);
    std::printf(
        "  tab change to \"Alle\", alphabetical     %8.1f ms   (includes a change to a small tab)\n", tabAll);
    std::printf("  tab change to \"Fleisch\", alphabetical  %8.1f ms\n", tabOne);
    std::printf("  tab change to \"Alle\", entry order      %8.1f ms\n", tabUnsorted);
    std::printf(
        "  recipe of three 5 MiB lines, with comment window %6.1f ms   (goal: well under 1000 ms)\n", huge);
    return 0;
}
