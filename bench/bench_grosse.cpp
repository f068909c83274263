// A very large collection through the real windows: start-up until the main window is enabled (in a
// process of its own, as a user starts the program, with and without an accessibility client listening),
// the memory it then holds, tab changes, and the searches of the search window with the result list
// filled, each search against `grep -r -l -i -F` over the same folder in the same run.
//   bench_grosse [COUNT...]          default: 100000 500000
//   bench_grosse DIR                 a collection made by bench_generate, measured as it is
//   bench_grosse --start DIR         (the measured start, used by the runs above)
#include <QAbstractButton>
#include <QCoreApplication>
#include <QDateTime>
#include <QStandardPaths>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>

#include "app/Einzelstart.h"
#include "app/Programmstart.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/TextLines.h"
#include "platform/gui/Application.h"
#include "platform/gui/Modal.h"
#include "platform/gui/RecipeList.h"
#include "platform/gui/TabControl.h"
#include "search/Suche.h"
#include "search/gui/Suchfenster.h"
#include "store/AppState.h"
#include "store/Formats.h"
#include "support/Controls.h"
#include "support/Generator.h"

namespace {

long rssKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmRSS:"))
            return l.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

template <typename F> double ms(F f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

template <typename F> double bestOf(int runs, F f)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, ms(f));
    return best;
}

// The program's own start on DIR, until the main window can be used; prints "bereit RSS EVENTS".
int start(int argc, char** argv, const QString& dir)
{
    QElapsedTimer uhr;
    uhr.start();
    tk::Application app(argc, argv);
    const double appMs = double(uhr.nsecsElapsed()) / 1e6;
    QCoreApplication::setApplicationName(QStringLiteral("Tellerkiste"));
    app.setQuitOnLastWindowClosed(false);
    tk::Application::installGerman();
    tk::AppState state;
    state.programDir = dir;
    tk::Einzelstart einzelstart(state.programDir);
    if (!einzelstart.uebernehmen({}, QDir::currentPath()))
        return 3;
    const double vorFensternMs = double(uhr.nsecsElapsed()) / 1e6;
    auto windows = tk::programmStarten(state);
    state.sammlung.beobachten(); // as the program does before its first paint
    const double fensterMs = double(uhr.nsecsElapsed()) / 1e6;
    einzelstart.bereit();
    QWidget* main = windows->hauptfenster;
    while (!(main->isVisible() && main->isEnabled()))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QCoreApplication::processEvents(); // the first paint
    // Measured from the moment the shell that started this process looked at the clock (TK_T0, ns).
    double seitStart = double(uhr.nsecsElapsed()) / 1e6;
    const qint64 t0 = qgetenv("TK_T0").toLongLong(); // 0 when unset
    if (t0 > 0)
        seitStart = double(QDateTime::currentMSecsSinceEpoch() * 1000000 - t0) / 1e6;
    std::printf("bereit %ld 0 %d %.1f\n", rssKb(), state.sammlung.rezeptAnzahl(), seitStart);
    // Where the time went, for whoever looks at the start by hand.
    std::fprintf(stderr,
        "application %.1f ms, until the windows %.1f ms, windows and load until %.1f ms, enabled at %.1f "
        "ms\n",
        appMs, vorFensternMs, fensterMs, double(uhr.nsecsElapsed()) / 1e6);
    std::fflush(stdout);
    return 0;
}

struct Start {
    double ms = 1e300;
    long rss = 0;
    bool ok = false;
};

// Starts the program three times on DIR from a shell that notes the time just before each start, and
// keeps the fastest. With the accessibility bus, the starts run on an X server of their own with a
// session bus, and Qt's bridge switched on as a screen reader switches it on.
Start startMessen(const QString& dir, bool a11y)
{
    const QString self = QCoreApplication::applicationFilePath();
    const QString runs
        = QStringLiteral("for i in 1 2 3; do TK_T0=$(date +%s%N) \"$0\" --start \"$1\" || exit 1; done");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QStringList args;
    if (a11y) {
        if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("dbus-run-session")).isEmpty())
            return {};
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
        args << QStringLiteral("-a") << QStringLiteral("-s") << QStringLiteral("-screen 0 1280x1024x24")
             << QStringLiteral("dbus-run-session") << QStringLiteral("--") << QStringLiteral("sh")
             << QStringLiteral("-c") << runs << self << dir;
        p.setProgram(QStringLiteral("xvfb-run"));
    } else {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        args << QStringLiteral("-c") << runs << self << dir;
        p.setProgram(QStringLiteral("sh"));
    }
    p.setProcessEnvironment(env);
    p.setArguments(args);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start();
    p.waitForFinished(300000);
    Start best;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> f = line.trimmed().split(' ');
        if (f.value(0) != "bereit")
            continue;
        const double took = f.value(4).toDouble();
        if (took < best.ms)
            best = { took, f.value(1).toLong(), true };
    }
    if (!best.ok)
        std::printf("  FEHLER: Start ohne Meldung: %s\n", p.readAllStandardError().right(2000).constData());
    return best;
}

double grep(const QString& wort, const QString& folder)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    p.setProcessEnvironment(env);
    p.setStandardOutputFile(QProcess::nullDevice());
    return ms([&] {
        p.start(QStringLiteral("grep"),
            { QStringLiteral("-r"), QStringLiteral("-l"), QStringLiteral("-i"), QStringLiteral("-F"), wort,
                folder });
        p.waitForFinished(-1);
    });
}

int failures = 0;
void check(bool ok, const char* what)
{
    if (!ok) {
        std::printf("  FEHLER: %s\n", what);
        ++failures;
    }
}

// Messages of the headless platform ("does not support raise()") would bury the figures.
void leise(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type != QtDebugMsg && type != QtInfoMsg
        && !text.contains(QLatin1String("This plugin does not support")))
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

// ARG is a number of recipes to generate into a temporary folder, or a folder bench_generate made.
void messen(const QString& arg)
{
    QTemporaryDir temp;
    bool zahl = false;
    const int count = arg.toInt(&zahl);
    const QString dir = zahl ? temp.path() : QFileInfo(arg).absoluteFilePath();
    tkb::GeneratedCollection made;
    double genMs = 0;
    if (zahl) {
        tkb::GeneratorOptions opt;
        opt.count = count;
        opt.favourites = count / 10;
        genMs = ms([&] { made = tkb::generateCollection(dir, opt); });
    }
    QDir(dir).mkpath(QStringLiteral("Data/Sonstiges"));
    if (!QFile::exists(dir + QStringLiteral("/Data/Sonstiges/Welcome.rtf")))
        tk::saveLines(
            dir + QStringLiteral("/Data/Sonstiges/Welcome.rtf"), { QStringLiteral("{\\rtf1 Hallo\\par}") });
    tk::saveLines(dir + QStringLiteral("/Data/Sonstiges/tellerkiste.dat"),
        { QStringLiteral("[Start]"), QStringLiteral("ShowWelcome=0") });
    const QStringList index = tk::loadLines(tk::indexPath(dir));
    const int records = index.value(0).toInt() + 1;
    if (!zahl)
        for (int n = 1; n < index.size() && n <= records; ++n)
            made.live += tk::isDeletedEntry(index.at(n)) ? 0 : 1;
    std::printf("grosse: %d recipes, %d live (%s)\n", records, made.live,
        zahl ? qPrintable(QStringLiteral("generated in %1 ms").arg(genMs, 0, 'f', 0)) : qPrintable(dir));
    const double zielStart = records >= 500000 ? 1500 : 400;

    const Start plain = startMessen(dir, false);
    const Start a11y = startMessen(dir, true);
    check(plain.ok, "Start");
    std::printf("  start-up to an enabled main window     %8.1f ms   (goal %.0f ms, %.2fx of the goal)\n",
        plain.ms, zielStart, plain.ms / zielStart);
    if (a11y.ok)
        std::printf("  start-up, accessibility bus on (X)     %8.1f ms   (goal %.0f ms, %.2fx of the goal)\n",
            a11y.ms, zielStart, a11y.ms / zielStart);
    else
        std::printf("  start-up, accessibility bus on: not measured (needs xvfb-run and dbus-run-session)\n");
    std::printf("  memory after start-up (resident)       %8.1f MB   (goal 300 MB at 500 000; with the bus "
                "%.1f MB)\n",
        double(plain.rss) / 1024, double(a11y.rss) / 1024);

    // The rest in this process, through the windows.
    tk::AppState st;
    st.programDir = dir;
    std::unique_ptr<tk::Fensterregister> windows = tk::programmStarten(st);
    QCoreApplication::processEvents();
    tk::Hauptfenster* m = windows->hauptfenster;
    auto* tabs = tkb::kind<tk::TabControl>(m, QStringLiteral("kategorien"));
    auto* liste = tkb::kind<tk::RecipeList>(m, QStringLiteral("rezeptliste"));
    auto* treffer = tkb::kind<tk::RecipeList>(m, QStringLiteral("suchergebnisse"));
    check(liste->count() == made.live, "Liste \"Alle\" nach dem Start");

    auto tab = [&](int i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
    };
    const double ersterTab = ms([&] { tab(3); });
    const double alle = bestOf(3, [&] { tab(0); }); // from "Fleisch" back: the first round leaves 0
    double alleBest = 1e300;
    for (int i = 0; i < 3; ++i) {
        tab(3);
        alleBest = std::min(alleBest, ms([&] { tab(0); }));
    }
    (void)alle;
    check(liste->count() == made.live, "Liste \"Alle\" nach dem Reiterwechsel");
    std::printf(
        "  first tab change after start-up        %8.1f ms   (alphabetical, to \"Fleisch\")\n", ersterTab);
    std::printf("  tab change to \"Alle\", alphabetical     %8.1f ms   (goal 150 ms, %.2fx of the goal)\n",
        alleBest, alleBest / 150);

    // The search window, as the user uses it; the summary is answered with OK.
    int gemeldet = 0;
    tk::Modal::setScript([&](const tk::ModalRequest&) {
        ++gemeldet;
        return tk::ModalReply {};
    });
    tk::Suchfenster* s = windows->suchfenster;
    auto suche = [&](const char* radio, const QString& wort) {
        m->suchfensterZeigen();
        tkb::kind<QRadioButton>(s, QLatin1String(radio))->click();
        tkb::kind<QLineEdit>(s, QStringLiteral("suchwort"))->setText(wort);
        return ms([&] {
            tkb::kind<QPushButton>(s, QStringLiteral("suchen"))->click();
            QCoreApplication::processEvents();
        });
    };
    const QString folder = tk::rezepteDir(dir);
    struct Lauf {
        const char* name;
        const char* radio;
        QString wort;
        tk::SuchModus modus;
        double ziel; // ratio to grep; 0: an absolute goal in ms
        double zielMs;
    };
    const QList<Lauf> laeufe {
        { "title", "titel", QStringLiteral("kuchen"), tk::SuchModus::Titel, 0, 50 },
        { "full text", "volltext", QStringLiteral("bei"), tk::SuchModus::Volltext, 1.3, 0 },
        { "full text", "volltext", QStringLiteral("Quittengelee"), tk::SuchModus::Volltext, 1.1, 0 },
        { "ingredient", "zutaten", QStringLiteral("te"), tk::SuchModus::Zutaten, 1.3, 0 },
        { "ingredient", "zutaten", QStringLiteral("Quittengelee"), tk::SuchModus::Zutaten, 1.1, 0 },
    };
    for (const Lauf& l : laeufe) {
        suche(l.radio, l.wort); // warms the file cache
        double ours = 1e300, theirs = 1e300;
        for (int i = 0; i < 3; ++i) {
            ours = std::min(ours, suche(l.radio, l.wort));
            if (l.ziel > 0)
                theirs = std::min(theirs, grep(l.wort, folder));
        }
        std::vector<int> erwartet;
        tk::sucheRezepte(st.sammlung.rezepte(), st.sammlung.rezeptMax(), dir, l.modus, l.wort, erwartet);
        check(treffer->count() == int(erwartet.size()), l.name);
        const double anteil = 100.0 * treffer->count() / std::max(1, made.live);
        if (l.ziel > 0)
            std::printf(
                "  %-10s search \"%s\"%*s %8.1f ms   %d hits (%.0f %%); grep -rliF %.1f ms; ratio %.2f (goal "
                "<= %.1f)\n",
                l.name, qPrintable(l.wort), int(std::max<qsizetype>(0, 13 - l.wort.size())), "", ours,
                treffer->count(), anteil, theirs, ours / theirs, l.ziel);
        else
            std::printf("  %-10s search \"%s\"%*s %8.1f ms   %d hits (goal %.0f ms, %.2fx of the goal)\n",
                l.name, qPrintable(l.wort), int(std::max<qsizetype>(0, 13 - l.wort.size())), "", ours,
                treffer->count(), l.zielMs, ours / l.zielMs);
    }
    check(gemeldet == 3 * 5 + 5, "eine Zusammenfassung je Suche");
    tk::Modal::setScript({});
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && qstrcmp(argv[1], "--start") == 0)
        return start(argc, argv, QString::fromLocal8Bit(argv[2]));

    qputenv("QT_QPA_PLATFORM", "offscreen");
    tk::Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tellerkiste"));
    app.setQuitOnLastWindowClosed(false);
    tk::Application::setEndsProgram(false);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    qInstallMessageHandler(leise);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        args = { QStringLiteral("100000"), QStringLiteral("500000") };
    for (const QString& a : args)
        messen(a);
    std::printf("  result: %s\n", failures ? "FEHLER" : "alle Prüfungen bestanden");
    return failures ? 1 : 0;
}
