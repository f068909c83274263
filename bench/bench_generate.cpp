// Writes a large collection for trying the program or the benchmarks on it:
//   bench_generate DIR [COUNT]
// DIR becomes a program folder (DIR/Data/Rezepte/...); COUNT recipe numbers, 100000 by default.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "platform/Error.h"
#include "support/Generator.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: bench_generate DIR [COUNT]\n");
        return 2;
    }
    tkb::GeneratorOptions o;
    if (args.size() == 3) {
        bool ok = false;
        o.count = args.at(2).toInt(&ok);
        if (!ok || o.count < 0) {
            std::fprintf(stderr, "COUNT must be a whole number, 0 or more\n");
            return 2;
        }
        o.favourites = o.count / 10;
    }
    QElapsedTimer t;
    t.start();
    try {
        const tkb::GeneratedCollection g = tkb::generateCollection(args.at(1), o);
        std::printf("generated %d recipes (%d live, %d deleted, %d favourites, %d recipe files) in %lld ms\n",
            o.count, g.live, g.deleted, g.favourites, g.recipeFiles, static_cast<long long>(t.elapsed()));
    } catch (const tk::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
