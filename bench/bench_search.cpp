// Search over a generated collection of 100 000 recipes: the title pass against its goal of 50 ms, and the
// full-text pass against `grep -r -l -i -F WORD` over the same recipe folder, timed in the same run.
// Usage: bench_search [program folder]  (generated there when it holds no index yet)
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>

#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/RecipeList.h"
#include "app/Programmstart.h"
#include "platform/TextLines.h"
#include "platform/gui/Modal.h"
#include "search/gui/Suchfenster.h"
#include "store/AppState.h"
#include "search/Suche.h"
#include "store/Formats.h"
#include "store/Rezepte.h"
#include "support/Controls.h"
#include "support/Generator.h"

namespace {

double timeMs(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

template <typename F> double best(int rounds, F f)
{
    double b = 1e300;
    for (int i = 0; i < rounds; ++i)
        b = std::min(b, timeMs(f));
    return b;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString dir
        = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath() + u"/tk-bench-search"_qs;
    try {
        if (!QFileInfo::exists(tk::indexPath(dir))) {
            std::printf("generating 100000 recipes in %s ...\n", qPrintable(dir));
            tkb::generateCollection(dir);
        }
        std::vector<tk::Rezepteintrag> rezepte;
        int rezeptMax = -1;
        const tk::Ladeergebnis load
            = tk::ladeTabelle(tk::loadLines(tk::indexPath(dir)), rezepte, rezeptMax, nullptr, 0, {}, {});
        std::printf("collection: %d live recipes, highest number %d\n", load.lebend, rezeptMax);

        std::vector<int> treffer;
        auto run = [&](tk::SuchModus m, const QString& wort) {
            treffer.clear();
            tk::sucheRezepte(rezepte, rezeptMax, dir, m, wort, treffer, [](int) {});
        };

        for (const QString& wort : { u"apfel"_qs, u"k*chen"_qs, u"[ks]?uppe"_qs }) {
            const double ms = best(7, [&] { run(tk::SuchModus::Titel, wort); });
            std::printf("title search '%s': %.2f ms, %zu hits (goal < 50 ms: %.2fx of the goal)\n",
                qPrintable(wort), ms, treffer.size(), ms / 50.0);
        }
        {
            const double ms = best(7, [&] { run(tk::SuchModus::Autor, u"müller"_qs); });
            std::printf("author search 'müller': %.2f ms, %zu hits\n", ms, treffer.size());
        }

        const QString folder = tk::rezepteDir(dir);
        auto grep = [&](const QString& wort) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(u"LC_ALL"_qs, u"C"_qs);
            p.setProcessEnvironment(env);
            p.setStandardOutputFile(QProcess::nullDevice());
            p.start(u"grep"_qs, { u"-r"_qs, u"-l"_qs, u"-i"_qs, u"-F"_qs, wort, folder });
            p.waitForFinished(-1);
        };
        for (const QString& wort : { u"backofen"_qs, u"trueffel"_qs }) {
            run(tk::SuchModus::Volltext, wort); // warm the file cache for both
            grep(wort);
            double ours = 1e300, theirs = 1e300;
            for (int i = 0; i < 5; ++i) {
                ours = std::min(ours, timeMs([&] { run(tk::SuchModus::Volltext, wort); }));
                theirs = std::min(theirs, timeMs([&] { grep(wort); }));
            }
            std::printf("full-text search '%s': %.1f ms, %zu hits; grep -r -l -i -F: %.1f ms; ratio %.2f "
                        "(goal <= 1.5)\n",
                qPrintable(wort), ours, treffer.size(), theirs, ours / theirs);
        }
        {
            const double ms = best(3, [&] { run(tk::SuchModus::Zutaten, u"petersilie"_qs); });
            std::printf("ingredient search 'petersilie': %.1f ms, %zu hits\n", ms, treffer.size());
        }

        // The same title search through the search window: progress bar and result list included.
        tk::Modal::setScript([](const tk::ModalRequest&) { return tk::ModalReply {}; });
        tk::AppState st;
        st.programDir = dir;
        auto windows = tk::programmStarten(st);
        tk::Suchfenster* f = windows->suchfenster;
        tkb::kind<QRadioButton>(f, "titel")->setChecked(true);
        tkb::kind<QLineEdit>(f, "suchwort")->setText(u"apfel"_qs);
        const double ms = best(5, [&] {
            f->zeigen();
            f->suchen();
        });
        std::printf(
            "title search 'apfel' through the search window: %.2f ms, %d hits (goal < 50 ms: %.2fx)\n", ms,
            tkb::kind<tk::RecipeList>(windows->hauptfenster, "suchergebnisse")->count(), ms / 50.0);
        tk::Modal::setScript({});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_search: %s\n", e.what());
        return 1;
    }
    return 0;
}
