// Two copies of the program on one collection: a second start hands over to the first and ends; a
// crashed copy does not block the next; a change by another writer shows up in the running window, and
// what a synchronisation tool set aside is merged; an edit of a recipe deleted meanwhile asks before it
// saves.
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <signal.h>
#include <sys/time.h>

#include "TestSupport.h"
#include "app/Fensterregister.h"
#include "editing/gui/Rezepteditor.h"
#include "exchange/Paket.h"
#include "mainwin/gui/Hauptfenster.h"
#include "mainwin/gui/Ladefenster.h"
#include "platform/TextLines.h"
#include "platform/gui/RecipeList.h"
#include "store/AppState.h"
#include "store/Formats.h"
#include "store/Sammlung.h"

namespace {

bool kopiereOrdner(const QString& von, const QString& nach)
{
    QDirIterator it(von, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QDir().mkpath(nach);
    while (it.hasNext()) {
        const QString f = it.next();
        const QString ziel = nach + u'/' + QDir(von).relativeFilePath(f);
        if (it.fileInfo().isDir() ? !QDir().mkpath(ziel) : !QFile::copy(f, ziel))
            return false;
    }
    return true;
}

QString programm()
{
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).canonicalPath()
        + QStringLiteral("/tellerkiste");
}

bool paketEntpackt(const QString& home)
{
    return !QDir(home + QStringLiteral("/temp"))
                .entryList({ QStringLiteral("paket-*") }, QDir::Dirs)
                .isEmpty();
}

} // namespace

class ZweiKopienTest : public QObject {
    Q_OBJECT
private slots:
    void zweiterStartUebergibtUndEndet()
    {
        QVERIFY2(QFile::exists(programm()), "the program is not built");
        QTemporaryDir home, work;
        QVERIFY(kopiereOrdner(QStringLiteral(TK_SOURCE_DIR "/data"), home.filePath(QStringLiteral("Data"))));
        // A package to hand over.
        std::vector<tk::Rezepteintrag> rezepte;
        int max = 0;
        tk::ladeTabelle(tk::loadLines(tk::indexPath(home.path())), rezepte, max, nullptr, 0, {}, {});
        const QString paket = work.filePath(QStringLiteral("p.tkp"));
        tk::exportiereRezepte(home.path(), rezepte, { 0 }, QStringLiteral("P"), QStringLiteral("K"), paket);
        tk::exportAufraeumen(home.path());

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TELLERKISTE_HOME"), home.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess erste;
        erste.setProcessEnvironment(env);
        erste.start(programm(), {});
        QVERIFY(erste.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile::exists(home.filePath(QStringLiteral("temp/sammlung/kopie.lock"))), 20000);

        // The second start with a package: the first copy lists it in its import window (and so unpacks it).
        QProcess zweite;
        zweite.setProcessEnvironment(env);
        zweite.start(programm(), { paket });
        QVERIFY(zweite.waitForFinished(20000));
        QCOMPARE(zweite.exitStatus(), QProcess::NormalExit);
        QTRY_VERIFY_WITH_TIMEOUT(paketEntpackt(home.path()), 20000);
        QCOMPARE(erste.state(), QProcess::Running);

        // A copy that crashed leaves its lock; the next start takes over and runs.
        ::kill(pid_t(erste.processId()), SIGKILL);
        QVERIFY(erste.waitForFinished(10000));
        QProcess dritte;
        dritte.setProcessEnvironment(env);
        dritte.start(programm(), {});
        QVERIFY(dritte.waitForStarted());
        QVERIFY(!dritte.waitForFinished(3000)); // still running: it did not hand over to a dead copy
        dritte.kill();
        dritte.waitForFinished(10000);
    }

    // Another writer appends a recipe: the running window shows it without a word. The folders are
    // untouched for an hour, as a user's are, so the program keeps its listing of them until they change.
    void fremdeAenderungWirdGezeigt()
    {
        tkt::Collection c;
        const auto altern = [&c] {
            const timeval vorEinerStunde[2] = { { time(nullptr) - 3600, 0 }, { time(nullptr) - 3600, 0 } };
            for (const char* ordner : { "/Data/Rezepte", "/Data/Sonstiges" })
                QCOMPARE(::utimes(QFile::encodeName(c.dir() + ordner).constData(), vorEinerStunde), 0);
        };
        c.standard({ "0", "Alt|K|01,|d|m|" });
        c.recipe(0, { "a" }, { "b" });
        altern();
        tkt::Program p(c.dir());
        p.st.sammlung.beobachten(10);
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        QCOMPARE(tkt::kind<tk::RecipeList>(f1, "rezeptliste")->count(), 1);

        tk::AppState andere;
        andere.programDir = c.dir();
        tk::RezeptEingabe e;
        e.titel = QStringLiteral("Von drüben");
        e.angekreuzt = e.gelistet = { 1 };
        QCOMPARE(andere.sammlung.speichereRezept(e).nummer, 1);
        QTRY_COMPARE(tkt::kind<tk::RecipeList>(f1, "rezeptliste")->count(), 2);
        QVERIFY(!p.forms().ladefenster->isVisible());

        // What a synchronisation tool sets aside is merged as it appears: the recipe only the copy holds
        // joins the list, the status bar and the first time the message window say so, the copy moves.
        altern();
        QTest::qWait(100);
        tkt::ModalScript script;
        script.answer(tk::Answer::Ok);
        const QString kopie = QStringLiteral(".sync-conflict-20261208-193812-ABCDEFG.dat");
        c.write("Data/Rezepte/0001" + kopie, tk::buildRecipe({ "c" }, {}, {}));
        c.write("Data/Rezepte/index" + kopie, { "1", "Alt|K|01,|d|m|", "Auch von drüben|K|01,|d|m|" });
        QTRY_COMPARE(tkt::kind<tk::RecipeList>(f1, "rezeptliste")->count(), 3);
        QCOMPARE(tkt::kind<QLabel>(f1, "statusKonflikt")->text(),
            QStringLiteral("1 Rezept aus einer Konfliktkopie übernommen"));
        QTRY_VERIFY(
            script.last(tk::ModalKind::Meldung).text.contains(QStringLiteral("\r   Auch von drüben")));
        QVERIFY(c.exists("Data/Konfliktkopien/index" + kopie));
        QVERIFY(!c.exists("Data/Rezepte/index" + kopie));
    }

    // The editor on a recipe another copy deleted: "Nein" keeps the editor open, "Ja" saves a new recipe.
    void geloeschtesRezeptBearbeiten_data()
    {
        QTest::addColumn<bool>("ja");
        QTest::newRow("Nein") << false;
        QTest::newRow("Ja") << true;
    }
    void geloeschtesRezeptBearbeiten()
    {
        QFETCH(bool, ja);
        tkt::Collection c;
        c.standard({ "0", "Alt|K|01,|d|m|" });
        c.recipe(0, { "a" }, { "b" });
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        f1->zeigeRezept(0);
        f1->rezeptBearbeiten();
        tk::Rezepteditor* ed = p.forms().rezepteditor;
        QVERIFY(ed->isVisible());

        tk::AppState andere;
        andere.programDir = c.dir();
        andere.sammlung.loescheRezept(0);

        tkt::ModalScript script;
        script.answer(ja ? tk::Answer::Yes : tk::Answer::No);
        tkt::kind<QLineEdit>(ed, "titel")->setText(QStringLiteral("Gerettet"));
        QTest::mouseClick(tkt::kind<QPushButton>(ed, "speichern"), Qt::LeftButton);
        QCOMPARE(script.last(tk::ModalKind::Question).text,
            QStringLiteral("Das Rezept wurde inzwischen gelöscht. Als neues Rezept speichern?"));
        QCOMPARE(ed->isVisible(), !ja);
        const QStringList index = c.lines("Data/Rezepte/index.dat");
        QCOMPARE(index.value(1), QStringLiteral("||||"));
        QCOMPARE(index.value(2).section(u'|', 0, 0), ja ? QStringLiteral("Gerettet") : QString());
    }
};

TK_TEST_MAIN(ZweiKopienTest)
#include "tst_zweikopien.moc"
