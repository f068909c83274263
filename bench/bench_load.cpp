// Loading the recipe table from a 100 000-recipe index (with the favourites file) against a plain
// loop that reads the same lines and splits them at "|". Goal: within 3x of the plain loop.
//   bench_load [DIR]   (DIR: an existing program folder; otherwise one is generated)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/IniFile.h"
#include "platform/TextLines.h"
#include "store/Formats.h"
#include "store/IndexZeilen.h"
#include "store/Rezepte.h"
#include "support/Generator.h"

namespace {

double bestOf(int runs, const std::function<void()>& f)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, double(t.nsecsElapsed()) / 1e6);
    }
    return best;
}

struct Figures {
    double load = 0;
    double plain = 0;
    int live = 0;
};

Figures measure(const QString& programDir)
{
    Figures fig;
    const QString index = tk::indexPath(programDir);
    const QString favourites = tk::favouritesPath(programDir);
    fig.load = bestOf(5, [&] {
        // A fresh table and a freshly opened favourites file, as at start-up.
        tk::IniFile fav(favourites);
        std::vector<tk::Rezepteintrag> table;
        int max = -1;
        int listed = 0;
        // As the program loads: the index file's bytes, split and decoded field by field.
        const tk::Ladeergebnis out = tk::ladeTabelle(
            tk::IndexZeilen(tk::loadBytes(index)), table, max, &fav, 0, [](int) {}, [&](int) { ++listed; });
        fig.live = out.lebend;
    });
    qsizetype sink = 0;
    fig.plain = bestOf(5, [&] {
        const QStringList lines = tk::loadLines(index);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QStringList fields = lines.at(i).split(u'|');
            sink += fields.size();
        }
    });
    if (sink < 0)
        std::printf("?\n");
    return fig;
}

void report(const char* what, const Figures& f)
{
    std::printf(
        "%s: loadRezepte %.1f ms, plain line loop %.1f ms, ratio %.2fx (goal <= 3x), %d live recipes\n", what,
        f.load, f.plain, f.load / f.plain, f.live);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1) {
        report("given collection", measure(QString::fromLocal8Bit(argv[1])));
        return 0;
    }
    QTemporaryDir dir;
    tkb::GeneratorOptions o;
    o.recipeFiles = false; // loading reads the index and the favourites only
    tkb::generateCollection(dir.path(), o);
    report("100000 recipes, 10000 favourites", measure(dir.path()));

    QTemporaryDir dir2;
    o.notFavourites = 100000; // every live recipe has a key
    tkb::generateCollection(dir2.path(), o);
    report("100000 recipes, a key for every live one", measure(dir2.path()));
    return 0;
}
