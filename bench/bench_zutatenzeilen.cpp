// A tool, not a benchmark: reads a file of ingredient lines (one per line, or SITE<TAB>LINE) and prints
// each line beside its scalings by ½, 2, 3 and ⅓, so a cook can read them; with --liste it puts the
// lines onto one shopping list instead (each site one recipe) and prints the list.
// Usage: bench_zutatenzeilen [--liste] FILE
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>

#include "exchange/Einkaufsliste.h"
#include "exchange/Mengen.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool liste = args.removeAll(QStringLiteral("--liste")) > 0;
    if (args.isEmpty()) {
        std::fprintf(stderr, "Aufruf: bench_zutatenzeilen [--liste] DATEI\n");
        return 2;
    }
    QFile f(args.first());
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s kann nicht gelesen werden\n", qPrintable(args.first()));
        return 1;
    }
    QList<QPair<QString, QString>> zeilen;
    for (const QString& z : QString::fromUtf8(f.readAll()).split(u'\n')) {
        if (z.trimmed().isEmpty() || z.startsWith(u'#'))
            continue;
        const qsizetype tab = z.indexOf(u'\t');
        zeilen.append({ tab < 0 ? QString() : z.left(tab), tab < 0 ? z : z.mid(tab + 1) });
    }
    QTextStream out(stdout);
    if (liste) {
        tk::Einkaufsliste l;
        QString rezept;
        QStringList block;
        for (const auto& [quelle, zeile] : zeilen) {
            if (quelle != rezept && !block.isEmpty()) {
                l.hinzufuegen(block, rezept);
                block.clear();
            }
            rezept = quelle;
            block.append(zeile);
        }
        l.hinzufuegen(block, rezept);
        for (const tk::Einkauf& e : l.eintraege)
            out << e.zeile() << "\t\t[" << e.rezepte.join(QStringLiteral(", ")) << "]\n";
        return 0;
    }
    const double faktoren[] = { 0.5, 2, 3, 1.0 / 3 };
    int nr = 0;
    for (const auto& [quelle, zeile] : zeilen) {
        out << ++nr << "\t" << zeile;
        for (double fk : faktoren)
            out << "\t| " << tk::skaliereZeile(zeile, fk);
        out << "\n";
    }
    return 0;
}
