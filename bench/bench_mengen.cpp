// Amounts and the shopping list: scaling 100 000 ingredient lines against a loop that only splits each
// line at its first blank, and putting 500 recipes of 12 lines each onto one shopping list.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "exchange/Einkaufsliste.h"
#include "exchange/Mengen.h"

namespace {
const char* const kMuster[] = { "250 g weiche Butter", "1,5 kg säuerliche Äpfel", "½ TL Salz", "2-3 Eier",
    "Salz, Pfeffer", "ca. 500 g Hackfleisch", "1 1/2 EL Zucker", "eine Prise Muskat", "200g Mehl",
    "2 bis 3 Zwiebeln", "500 ml Milch", "=== Für den Teig ===", "etwas Öl", "1 Dose Tomaten (400 g)",
    "4 Scheiben Speck", "1 Bund Petersilie" };

double ms(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList zeilen;
    for (int i = 0; zeilen.size() < 100'000; ++i)
        for (const char* m : kMuster)
            zeilen.append(QString::fromUtf8(m));

    QElapsedTimer t;
    t.start();
    qsizetype laenge = 0;
    for (const QString& z : zeilen)
        laenge += tk::skaliereZeile(z, 1.5).size();
    const double skalieren = ms(t);
    t.restart();
    qsizetype vergleich = 0;
    for (const QString& z : zeilen) {
        const qsizetype b = z.indexOf(u' ');
        vergleich += z.left(b).size() + z.mid(b + 1).size();
    }
    const double split = ms(t);
    std::printf("scaling %lld lines by 1.5: %.1f ms (plain split at the first blank: %.1f ms, ratio %.1fx)\n",
        qlonglong(zeilen.size()), skalieren, split, split > 0 ? skalieren / split : 0.0);

    // 500 recipes drawn from 400 ingredients in three units.
    const QStringList einheiten { "g", "EL", "" };
    tk::Einkaufsliste liste;
    t.restart();
    for (int r = 0; r < 500; ++r) {
        QStringList rezept;
        for (int k = 0; k < 12; ++k) {
            const int n = (r * 37 + k * 101) % 400;
            const QString e = einheiten.at(n % 3);
            rezept.append(QStringLiteral("%1%2 Zutat%3").arg(1 + k).arg(e.isEmpty() ? e : u' ' + e).arg(n));
        }
        liste.hinzufuegen(rezept, QStringLiteral("Rezept %1").arg(r));
    }
    const double einkauf = ms(t);
    QStringList datei;
    tk::Einkaufsliste wieder;
    t.restart();
    for (int i = 0; i < 20; ++i) {
        datei = liste.dateizeilen();
        wieder = tk::Einkaufsliste::ausDatei(datei);
    }
    const double datei_ms = ms(t) / 20;
    std::printf(
        "shopping list, 500 recipes of 12 lines onto one list (%lld lines): %.1f ms, %.3f ms per recipe\n",
        qlonglong(liste.eintraege.size()), einkauf, einkauf / 500);
    std::printf("shopping list file of %lld lines written and read back: %.2f ms\n", qlonglong(datei.size()),
        datei_ms);
    return laenge + vergleich + wieder.eintraege.size() > 0 ? 0 : 1;
}
