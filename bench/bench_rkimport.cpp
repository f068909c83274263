// RezKonv import: a file of 10 000 and one of 150 000 recipes (RezKonv and MealMaster layouts mixed,
// Windows-1252) brought into a collection of 5 000 recipes, once through the core (read, map, install)
// and once the way the user does it (the import window's list, "Importieren" and the reload), with an
// "Abbrechen" while the recipes are written first. Goals: under 3 s and under 15 s.
// Creating the recipe files is the kernel's work: on a disk with much create/delete churn ext4 spends
// seconds on it, so the figures are given for the temporary folder in use (TMPDIR=/dev/shm for memory).
//   bench_rkimport [COUNT]   (one file of COUNT recipes only)
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>

#include "exchange/RezKonvImport.h"
#include "exchange/RezeptImport.h"
#include "exchange/gui/RezKonvImportfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "app/Programmstart.h"
#include "platform/Cp1252.h"
#include "platform/TextLines.h"
#include "platform/gui/Application.h"
#include "platform/gui/Modal.h"
#include "store/AppState.h"
#include "support/Generator.h"

namespace {

QByteArray sammlung(int n)
{
    static const char* const kats[] = { "Kuchen", "Suppen, Eintopf", "Fleisch, Grillen", "Desserts",
        "Fingerfood", "Pasta", "Salat, Sommer", "Gebäck" };
    QStringList l { QStringLiteral("Rezeptsammlung für den Bench"), QString() };
    for (int i = 0; i < n; ++i) {
        const QString kat = QString::fromUtf8(kats[i % 8]);
        if (i % 4 == 3) {
            l += { QStringLiteral("MMMMM----- Recipe via Meal-Master (tm) v8.05"), QStringLiteral(" "),
                QStringLiteral("      Title: Pfannkuchen Nr. %1").arg(i),
                QStringLiteral(" Categories: ") + kat, QStringLiteral("      Yield: 4 Servings"),
                QStringLiteral(" "), QStringLiteral("    250 g  Mehl                              1 ts Salz"),
                QStringLiteral("    500 ml Milch                             3    Eier"),
                QStringLiteral("      2 tb Zucker"), QStringLiteral(" "),
                QStringLiteral("  Alles verrühren und in der Pfanne goldbraun ausbacken. Mit Zucker"),
                QStringLiteral("  bestreuen und warm servieren."), QStringLiteral(" "),
                QStringLiteral("MMMMM"), QString() };
            continue;
        }
        l += { QStringLiteral("=====REZKONV-Rezept - RezkonvSuite v1.4"), QStringLiteral(" "),
            QStringLiteral("     Titel: Apfelkuchen Nr. %1").arg(i), QStringLiteral("Kategorien: ") + kat,
            QStringLiteral("     Menge: 1 Blech"), QStringLiteral(" "),
            QStringLiteral("============================ TEIG ============================"),
            QStringLiteral("    250 g          Mehl"), QStringLiteral("    125 g          Butter"),
            QStringLiteral("      1            Ei"), QStringLiteral(" "),
            QStringLiteral("============================ BELAG ==========================="),
            QStringLiteral("      1 kg         Äpfel; geschält"),
            QStringLiteral("                   -- in Spalten geschnitten"), QStringLiteral(" "),
            QStringLiteral("============================ QUELLE ============================"),
            QStringLiteral("                   Omas Backbuch"),
            QStringLiteral("                   -- Erfasst *RK* 12.03.2006 von"),
            QStringLiteral("                   -- Anna Beispiel"), QStringLiteral(" "),
            QStringLiteral("Mehl, Butter und Ei zu einem glatten Teig verkneten und auf dem Blech"),
            QStringLiteral("ausrollen."), QStringLiteral(" "),
            QStringLiteral("Die Äpfel darauf verteilen und bei 180 Grad 40 Minuten backen."),
            QStringLiteral(" "), QStringLiteral("====="), QString() };
    }
    return tk::joinLines(l);
}

QString collection(QTemporaryDir& dir)
{
    tkb::GeneratorOptions opt;
    opt.count = 5000;
    opt.favourites = 500;
    tkb::generateCollection(dir.path(), opt);
    QDir(dir.path()).mkpath(QStringLiteral("Data/Sonstiges"));
    tk::saveLines(dir.path() + QStringLiteral("/Data/Sonstiges/Welcome.rtf"),
        { QStringLiteral("{\\rtf1 Hallo\\par}") });
    tk::saveLines(dir.path() + QStringLiteral("/Data/Sonstiges/tellerkiste.dat"),
        { QStringLiteral("[Start]"), QStringLiteral("ShowWelcome=0") });
    return dir.path();
}

double ms(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

// One file of n recipes: through the core, then through the window; goal in ms.
void messen(int n, double ziel)
{
    QTemporaryDir work;
    const QString datei = work.path() + QStringLiteral("/sammlung.rk");
    tk::saveBytes(datei, sammlung(n));
    std::printf("Datei: %d Rezepte, %.1f MB, Arbeitsordner %s\n", n, double(QFileInfo(datei).size()) / 1e6,
        qPrintable(QDir::tempPath()));

    // Both collections are removed only at the end: ext4 creates files slowly for a while after many
    // were deleted, and the second run would pay for the first one's clean-up.
    QTemporaryDir kern;
    QTemporaryDir fenster;

    // Core: read, map and install.
    {
        const QString prog = collection(kern);
        int max = 4999;
        QElapsedTimer t;
        t.start();
        const tk::ImportErgebnis e = tk::leseRezeptdatei(datei);
        const double lesen = ms(t);
        const tk::Kategoriezuordnung k({ { 15, QStringLiteral("Grillen") } });
        QList<tk::NeuesRezept> neue;
        neue.reserve(e.rezepte.size());
        for (const tk::ImportRezept& r : e.rezepte)
            neue.append(tk::neuesRezept(r, k, nullptr));
        const double zugeordnet = ms(t);
        tk::installiereRezepte(prog, neue, max);
        const double gesamt = ms(t);
        std::printf("Kern:    %d Rezepte gelesen in %.0f ms, zugeordnet in %.0f ms, installiert in %.0f ms, "
                    "zusammen %.0f ms (Ziel < %.0f ms)\n",
            int(e.rezepte.size()), lesen, zugeordnet - lesen, gesamt - zugeordnet, gesamt, ziel);
    }

    // As the user does it: the list of the import window, "Importieren", the reload.
    {
        tk::AppState st;
        st.programDir = collection(fenster);
        tk::Modal::setScript([](const tk::ModalRequest&) { return tk::ModalReply {}; });
        auto windows = tk::programmStarten(st);
        windows->hauptfenster->rezKonvImportieren();
        tk::RezKonvImportfenster* w = windows->rezKonvImportfenster;
        QElapsedTimer t;
        t.start();
        w->ladeDateien({ datei });
        const double liste = ms(t);

        w->importieren();
        const double gesamt = ms(t);
        std::printf(
            "Fenster: Liste von %d Rezepten in %.0f ms, Importieren bis nach dem Neueinlesen %.0f ms, "
            "zusammen %.0f ms (Ziel < %.0f ms), Rezepte danach: %d\n",
            n, liste, gesamt - liste, gesamt, ziel, st.sammlung.rezeptAnzahl());
        const int rezepteDanach = st.sammlung.rezeptAnzahl();

        // The same file again, "Abbrechen" when a third is written: nothing may stay behind.
        w->ladeDateien({ datei });
        const QByteArray indexVorher = tk::loadBytes(tk::indexPath(st.programDir));
        const qsizetype dateienVorher = QDir(tk::rezepteDir(st.programDir)).count();
        auto* abbrechen = w->findChild<QPushButton*>(QStringLiteral("abbrechen"));
        auto* balken = w->findChild<QProgressBar*>(QStringLiteral("fortschritt"));
        QElapsedTimer a;
        QTimer wacht;
        QObject::connect(&wacht, &QTimer::timeout, [&] {
            if (balken->value() < n / 3 || a.isValid())
                return;
            a.start();
            abbrechen->click();
        });
        wacht.start(5);
        w->importieren();
        wacht.stop();
        const double abbruch = a.isValid() ? ms(a) : 0;
        const bool nichts = a.isValid() && tk::loadBytes(tk::indexPath(st.programDir)) == indexVorher
            && QDir(tk::rezepteDir(st.programDir)).count() == dateienVorher;
        std::printf(
            "         Abbrechen nach einem Drittel: zurückgenommen in %.0f ms, Sammlung unverändert: %s\n",
            abbruch, nichts ? "ja" : "NEIN");
        tk::Modal::setScript({});
        if (!nichts || rezepteDanach < n)
            std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    tk::Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tellerkiste"));
    app.setQuitOnLastWindowClosed(false);
    tk::Application::setEndsProgram(false);
    if (argc > 1) {
        messen(atoi(argv[1]), atoi(argv[1]) >= 150000 ? 15000 : 3000);
        return 0;
    }
    messen(10000, 3000);
    messen(150000, 15000);
    return 0;
}
