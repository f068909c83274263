#include "TestSupport.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include "dialogs/gui/Willkommensfenster.h"
#include "exchange/gui/Paketexportfenster.h"
#include "exchange/gui/Paketimportfenster.h"
#include "exchange/Paketformat.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/RecipeList.h"
#include "store/AppState.h"
#include "store/Formats.h"

using tk::ModalKind;

namespace {

void click(QPushButton* b)
{
    QVERIFY2(b->isVisible(), qPrintable(b->text()));
    QTest::mouseClick(b, Qt::LeftButton);
}

// A package made by hand: index.tki lines and recipe files (name -> bytes), packed in that order.
QString makePackage(tkt::Collection& c, const QString& name, const QStringList& tki,
    const QList<QPair<QString, QByteArray>>& files)
{
    const QString work = QStringLiteral("bau-") + name;
    c.write(work + QStringLiteral("/index.tki"), tki);
    QStringList list { c.path(work + QStringLiteral("/index.tki")) };
    for (const auto& f : files) {
        c.writeBytes(work + u'/' + f.first, f.second);
        list.append(c.path(work + u'/' + f.first));
    }
    const QString pkg = c.path(name);
    tk::dateienPacken(list, pkg);
    return pkg;
}

QStringList simpleTki(
    const QString& name, const QStringList& titles, const QString& kategorie = QStringLiteral("01,"))
{
    QStringList l { "[Info]", QStringLiteral("Rezepte=%1").arg(titles.size()), "Name=" + name, "Autor=Test" };
    for (int i = 0; i < titles.size(); ++i)
        l += { QStringLiteral("[%1]").arg(i), "Name=" + titles[i], "Koch=K", "Kategorie=" + kategorie,
            "Datum=d", "Menge=m" };
    return l;
}

QByteArray recipeBytes(const QString& text) { return tkt::crlf(tk::buildRecipe({ "1 Ei" }, { text }, {})); }

QStringList titles(tk::RecipeList* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->textAt(i));
    return out;
}
}

class ExportImportTest : public QObject {
    Q_OBJECT
private slots:
    void roundTripBetweenTwoCollections()
    {
        tkt::Collection a;
        a.standard(
            { "3", "Zwiebelkuchen|Oma|01,13,15,|12.03.2006|für 4 Personen|",
                "Apfelkuchen|  Anna|13,|01.01.2007|1 Blech|", "||||", "Öl-Dressing|Bernd|15,|02.02.2007|-|" },
            { "Eigene" }, { "0" });
        a.recipe(0, { "500 g Zwiebeln", "1 Boden" }, { "Schneiden.", "Backen." }, { "Lecker" });
        a.recipe(1, { "3 Äpfel" }, { "Schälen." }, {});
        a.recipe(3, {}, { "Rühren." }, { "Kommentar", "zwei Zeilen" });
        a.writeBytes("Data/Rezepte/0001.jpg", QByteArray("\xff\xd8JPEG-Bild\xff\xd9"));
        tkt::Collection b;
        b.standard({ "1", "Brot|Bäcker|13,|d|m|", "Suppe|Koch|02,|d|m|" });
        b.recipe(0, {}, { "Brot" });
        b.recipe(1, {}, { "Suppe" });
        const QString pkg = b.path("paket.tkp");

        {
            tkt::ModalScript script;
            tkt::Program p(a.dir());
            QVERIFY(p.hauptfensterZeigen());
            tk::Hauptfenster* f1 = p.forms().hauptfenster;
            tkt::kind<QAction>(f1, "paketExport")->trigger();
            QVERIFY(!tkt::kind<QWidget>(f1, "exportleiste")->isHidden());
            QCOMPARE(tkt::kind<QPushButton>(f1, "exportEntfernen")->toolTip(),
                QStringLiteral("Das ausgewählte Rezept aus der Export-Liste entfernen"));
            click(tkt::kind<QPushButton>(f1, "exportAlle"));
            QCOMPARE(titles(tkt::kind<tk::RecipeList>(f1, "exportliste")),
                QStringList({ "Apfelkuchen", "Öl-Dressing", "Zwiebelkuchen" }));
            QCOMPARE(tkt::kind<QLabel>(f1, "exportAnzahl")->text(), QStringLiteral("Anzahl der Rezepte: 3"));
            click(tkt::kind<QPushButton>(f1, "exportWeiter"));
            tk::Paketexportfenster* exportfenster = p.forms().paketexportfenster;
            QVERIFY(exportfenster->isVisible());
            tkt::kind<QLineEdit>(exportfenster, "paketname")->setText(QStringLiteral("Kuchen"));
            tkt::kind<QLineEdit>(exportfenster, "autor")->setText(QStringLiteral("Anna"));
            script.file(b.path("paket.txt")).answer(tk::Answer::Ok);
            click(tkt::kind<QPushButton>(exportfenster, "speichern"));
            QCOMPARE(script.unexpected, 0);
            QCOMPARE(script.last(ModalKind::SaveFile).caption, QStringLiteral("Rezeptepacket speichern"));
            QCOMPARE(script.last(ModalKind::SaveFile).fileName, QStringLiteral("Kuchen"));
            QCOMPARE(script.last(ModalKind::Meldung).text, QStringLiteral("Rezepte erfolgreich exportiert!"));
            QCOMPARE(script.last(ModalKind::Meldung).caption, QStringLiteral("Rezeptexport"));
            QVERIFY(QFileInfo::exists(pkg));
            QVERIFY(!b.exists("paket.txt"));
            QVERIFY(!a.exists("temp"));
            QVERIFY(!exportfenster->isVisible());
            QVERIFY(!tkt::kind<QWidget>(f1, "exportleiste")->isHidden()); // the panel and its list stay
            QCOMPARE(tkt::kind<tk::RecipeList>(f1, "exportliste")->count(), 3);
            // The two fields keep their text.
            click(tkt::kind<QPushButton>(f1, "exportWeiter"));
            QCOMPARE(tkt::kind<QLineEdit>(exportfenster, "paketname")->text(), QStringLiteral("Kuchen"));
        }

        tkt::ModalScript script;
        tkt::Program p(b.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        tk::Paketimportfenster* importfenster = p.forms().paketimportfenster;
        tkt::kind<QAction>(f1, "paketImport")->trigger();
        QVERIFY(importfenster->isVisible());
        script.files({ pkg });
        click(tkt::kind<QPushButton>(importfenster, "dateienLaden"));
        QCOMPARE(script.last(ModalKind::OpenFiles).filter, QStringLiteral("Brutzels T.-K. Rezepte (*.tkp)"));
        QCOMPARE(tkt::kind<QListWidget>(importfenster, "pakete")->count(), 1);
        QCOMPARE(tkt::kind<QListWidget>(importfenster, "pakete")->item(0)->text(),
            QStringLiteral("Kuchen (3 Rezepte) von Anna"));
        // "Öl-Dressing" is only in an own category, so it travels with an empty category field: old format.
        script.answer(tk::Answer::Ok).answer(tk::Answer::Ok).answer(tk::Answer::Ok);
        click(tkt::kind<QPushButton>(importfenster, "installieren"));
        QCOMPARE(script.unexpected, 0);
        const QStringList meldungen = script.texts(ModalKind::Meldung);
        QCOMPARE(meldungen.size(), 3);
        QVERIFY(meldungen.at(0).startsWith(QStringLiteral("Die importierten Rezepte sind (teilweise)")));
        QCOMPARE(meldungen.at(1),
            QStringLiteral("Import der Rezepte abgeschlossen!\rDie Rezeptdatenbank wird neu eingelesen!"));
        QCOMPARE(script.seen().at(script.seen().size() - 2).caption, QStringLiteral("Rezepte importiert"));
        QVERIFY(!importfenster->isVisible());
        QCOMPARE(tkt::kind<QProgressBar>(importfenster, "fortschritt")->value(), 1);

        QCOMPARE(b.lines("Data/Rezepte/index.dat"),
            QStringList({ "4", "Brot|Bäcker|13,|d|m|", "Suppe|Koch|02,|d|m|",
                "Apfelkuchen|Anna|13,|01.01.2007|1 Blech|", "Öl-Dressing|Bernd||02.02.2007|-|",
                "Zwiebelkuchen|Oma|01,13,|12.03.2006|für 4 Personen|" }));
        QCOMPARE(b.bytes("Data/Rezepte/0002.dat"), a.bytes("Data/Rezepte/0001.dat"));
        QCOMPARE(b.bytes("Data/Rezepte/0002.jpg"), a.bytes("Data/Rezepte/0001.jpg"));
        QCOMPARE(b.bytes("Data/Rezepte/0003.dat"), a.bytes("Data/Rezepte/0003.dat"));
        QCOMPARE(b.bytes("Data/Rezepte/0004.dat"), a.bytes("Data/Rezepte/0000.dat"));
        QVERIFY(!b.exists("Data/Rezepte/0003.jpg") && !b.exists("Data/Rezepte/0004.jpg"));
        QCOMPARE(p.st.sammlung.rezeptMax(), 4);
        QCOMPARE(p.st.sammlung.rezeptAnzahl(), 5);
        QCOMPARE(tkt::kind<tk::RecipeList>(f1, "rezeptliste")->count(), 5);
        QVERIFY(QDir(b.path("temp")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }

    void exportPanelList()
    {
        tkt::Collection c;
        c.standard({ "2", "Birne|a|01,|d|m|", "Apfel|b|01,|d|m|", "Apfel|c|02,|d|m|" });
        for (int i = 0; i < 3; ++i)
            c.recipe(i, {}, { "Text" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        QVERIFY(p.hauptfensterZeigen());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        tkt::kind<QAction>(f1, "paketExport")->trigger();
        click(tkt::kind<QPushButton>(f1, "exportAlle"));
        click(tkt::kind<QPushButton>(f1, "exportAlle")); // duplicates allowed
        QCOMPARE(titles(tkt::kind<tk::RecipeList>(f1, "exportliste")),
            QStringList({ "Apfel", "Apfel", "Apfel", "Apfel", "Birne", "Birne" }));
        QCOMPARE(tkt::kind<tk::RecipeList>(f1, "exportliste")->numberAt(0), 1);
        QCOMPARE(tkt::kind<tk::RecipeList>(f1, "exportliste")->numberAt(1), 2);
        p.st.aktuellesRezept = 2;
        click(tkt::kind<QPushButton>(f1, "exportEntfernen"));
        QCOMPARE(tkt::kind<tk::RecipeList>(f1, "exportliste")->count(), 5);
        // the first entry of recipe 2 went
        QCOMPARE(tkt::kind<tk::RecipeList>(f1, "exportliste")->numberAt(1), 1);
        QCOMPARE(tkt::kind<QLabel>(f1, "exportAnzahl")->text(), QStringLiteral("Anzahl der Rezepte: 5"));
        p.st.aktuellesRezept = 7;
        click(tkt::kind<QPushButton>(f1, "exportEntfernen"));
        QCOMPARE(tkt::kind<tk::RecipeList>(f1, "exportliste")->count(), 5);
        click(tkt::kind<QPushButton>(f1, "exportAbbrechen"));
        QVERIFY(tkt::kind<QWidget>(f1, "exportleiste")->isHidden());
        QCOMPARE(tkt::kind<tk::RecipeList>(f1, "exportliste")->count(), 5);
        tkt::kind<QAction>(f1, "paketExport")->trigger();
        QCOMPARE(tkt::kind<tk::RecipeList>(f1, "exportliste")->count(), 0);
        QCOMPARE(tkt::kind<QLabel>(f1, "exportAnzahl")->text(), QStringLiteral("Anzahl der Rezepte: 0"));
        // While the panel is shown a double-click adds instead of opening the editor.
        const QRect row = tkt::kind<tk::RecipeList>(f1, "rezeptliste")
                              ->visualRect(tkt::kind<tk::RecipeList>(f1, "rezeptliste")->model()->index(1));
        QTest::mouseClick(
            tkt::kind<tk::RecipeList>(f1, "rezeptliste")->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(
            tkt::kind<tk::RecipeList>(f1, "rezeptliste")->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(tkt::kind<tk::RecipeList>(f1, "exportliste")->count(), 1);
        QCOMPARE(tkt::kind<tk::RecipeList>(f1, "exportliste")->numberAt(0),
            tkt::kind<tk::RecipeList>(f1, "rezeptliste")->numberAt(1));
        QCOMPARE(tkt::kind<QLabel>(f1, "exportAnzahl")->text(), QStringLiteral("Anzahl der Rezepte: 1"));
        QCOMPARE(script.unexpected, 0);
    }

    void emptyExportAndCancel()
    {
        tkt::Collection c;
        c.standard({ "0", "Birne|a|01,|d|m|" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Paketexportfenster* exportfenster = p.forms().paketexportfenster;
        p.forms().hauptfenster->paketExportieren();
        script.answer(tk::Answer::Cancel);
        exportfenster->speichern();
        QVERIFY(!c.exists("temp"));
        QCOMPARE(script.texts(ModalKind::Meldung), QStringList());

        script.file(c.path("leer.tkp")).answer(tk::Answer::Ok);
        exportfenster->speichern();
        QCOMPARE(script.texts(ModalKind::Meldung), QStringList { "Rezepte erfolgreich exportiert!" });
        tk::dateienEntpacken(c.path("leer.tkp"), c.path("aus"));
        QCOMPARE(QDir(c.path("aus")).entryList(QDir::Files), QStringList { "index.tki" });
        QCOMPARE(c.lines("aus/index.tki"), QStringList({ "[Info]", "Rezepte=0", "Name=", "Autor=", "" }));
        QCOMPARE(script.unexpected, 0);
    }

    void exportOfAMissingRecipeFileFails()
    {
        tkt::Collection c;
        c.standard({ "1", "Birne|a|01,|d|m|", "Apfel|b|01,|d|m|" });
        c.recipe(0, {}, { "Birne" }); // 0001.dat is missing
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        QVERIFY(p.hauptfensterZeigen());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        tkt::kind<QAction>(f1, "paketExport")->trigger();
        click(tkt::kind<QPushButton>(f1, "exportAlle"));
        click(tkt::kind<QPushButton>(f1, "exportWeiter"));
        script.file(c.path("paket.tkp")).answer(tk::Answer::Ok);
        click(tkt::kind<QPushButton>(p.forms().paketexportfenster, "speichern"));
        QCOMPARE(script.texts(ModalKind::Meldung), QStringList());
        QCOMPARE(script.texts(ModalKind::ErrorReport).size(), 1);
        QVERIFY(!c.exists("paket.tkp"));
        QVERIFY(p.forms().paketexportfenster->isVisible());
    }

    void importSeveralPackagesAndDamage()
    {
        tkt::Collection c;
        c.standard({ "0", "Alt|a|01,|d|m|" });
        c.recipe(0, {}, { "alt" });
        const QString p1 = makePackage(c, "eins.tkp", simpleTki("Eins", { "A1", "A2" }),
            { { "0000.dat", recipeBytes("a1") }, { "0001.dat", recipeBytes("a2") },
                { "0001.jpg", "JPG-A2" } });
        const QString p2
            = makePackage(c, "zwei.tkp", simpleTki("Zwei", { "B1" }), { { "0000.dat", recipeBytes("b1") } });
        const QString p3 = makePackage(c, "drei.tkp", simpleTki("Drei", { "C1", "C2" }),
            { { "0000.dat", recipeBytes("c1") }, { "0001.dat", recipeBytes("c2") } });
        c.writeBytes(
            "kaputt.tkp", QByteArray::fromHex("01000000") + QByteArray::fromHex("08000000") + "../x.dat");
        const QByteArray indexBefore = c.bytes("Data/Rezepte/index.dat");

        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Paketimportfenster* importfenster = p.forms().paketimportfenster;
        p.forms().hauptfenster->paketImportieren();
        script.files({ p1, c.path("kaputt.tkp"), p2 }).answer(tk::Answer::Ok);
        click(tkt::kind<QPushButton>(importfenster, "dateienLaden"));
        // The damaged package is named; the rows before it stay, the files after it are not read.
        QCOMPARE(tkt::kind<QListWidget>(importfenster, "pakete")->count(), 1);
        QVERIFY2(script.last(ModalKind::Meldung).text.contains(QStringLiteral("„kaputt.tkp“")),
            qPrintable(script.last(ModalKind::Meldung).text));
        QCOMPARE(c.bytes("Data/Rezepte/index.dat"), indexBefore);
        QCOMPARE(QDir(c.path("temp")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
        // A second "Dateien laden" adds to the list.
        script.files({ p2, p3 });
        click(tkt::kind<QPushButton>(importfenster, "dateienLaden"));
        QCOMPARE(importfenster->indexPfade.size(), 3);
        QCOMPARE(tkt::kind<QListWidget>(importfenster, "pakete")->item(2)->text(),
            QStringLiteral("Drei (2 Rezepte) von Test"));

        script.answer(tk::Answer::Ok);
        click(tkt::kind<QPushButton>(importfenster, "installieren"));
        QCOMPARE(script.unexpected, 0);
        QCOMPARE(tkt::kind<QProgressBar>(importfenster, "fortschritt")->maximum(), 3);
        QCOMPARE(tkt::kind<QProgressBar>(importfenster, "fortschritt")->value(), 3);
        const QStringList idx = c.lines("Data/Rezepte/index.dat");
        QCOMPARE(idx.first(), QStringLiteral("5"));
        QCOMPARE(idx.mid(2).join(u' '),
            QStringLiteral("A1|K|01,|d|m| A2|K|01,|d|m| B1|K|01,|d|m| C1|K|01,|d|m| C2|K|01,|d|m|"));
        QCOMPARE(c.bytes("Data/Rezepte/0005.dat"), recipeBytes("c2"));
        QCOMPARE(c.bytes("Data/Rezepte/0002.jpg"), QByteArray("JPG-A2"));
        QVERIFY(!c.exists("Data/Rezepte/0004.jpg")); // same position, other package: no picture
        QCOMPARE(p.st.sammlung.rezeptAnzahl(), 6);
        QVERIFY(!c.exists("x.dat") && !c.exists("temp/x.dat"));
    }

    // Recipes equal to live ones in title, ingredients and text are counted over all packages and the
    // user is asked once; "Nein" leaves them out and says so.
    void recipesAlreadyThereAskOnce_data()
    {
        QTest::addColumn<bool>("ja");
        QTest::addColumn<QStringList>("neu"); // index lines after the import
        QTest::addColumn<QString>("hinweis");
        QTest::newRow("Ja imports them again") << true
                                               << QStringList { "Käsespätzle|K|01,|d|m|", "Suppe|K|01,|d|m|",
                                                      "Käsespätzle|K|01,|d|m|", "Käsespätzle|K|01,|d|m|" }
                                               << QString();
        QTest::newRow("Nein leaves them out")
            << false << QStringList { "Suppe|K|01,|d|m|", "Käsespätzle|K|01,|d|m|" }
            << QStringLiteral(
                   "2 Rezepte waren schon in der Sammlung und wurden nicht noch einmal importiert.\r");
    }
    void recipesAlreadyThereAskOnce()
    {
        QFETCH(bool, ja);
        QFETCH(QStringList, neu);
        QFETCH(QString, hinweis);
        tkt::Collection c;
        c.standard({ "1", "Käsespätzle|Oma|01,|d|m|", "Brot|a|01,|d|m|" });
        c.writeBytes("Data/Rezepte/0000.dat", recipeBytes("Spätzle schaben."));
        c.recipe(1, {}, { "Backen." });
        // Same title, ingredients and text as recipe 0 (author and date do not count); the same title
        // with another text is another recipe.
        const QString p1 = makePackage(c, "eins.tkp", simpleTki("Eins", { "Käsespätzle", "Suppe" }),
            { { "0000.dat", recipeBytes("Spätzle schaben.") }, { "0001.dat", recipeBytes("Kochen.") } });
        const QString p2 = makePackage(c, "zwei.tkp", simpleTki("Zwei", { "Käsespätzle", "Käsespätzle" }),
            { { "0000.dat", recipeBytes("Spätzle schaben.") }, { "0001.dat", recipeBytes("Anders.") } });

        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Paketimportfenster* importfenster = p.forms().paketimportfenster;
        p.forms().hauptfenster->paketImportieren();
        script.files({ p1, p2 });
        click(tkt::kind<QPushButton>(importfenster, "dateienLaden"));
        script.answer(ja ? tk::Answer::Yes : tk::Answer::No).answer(tk::Answer::Ok);
        click(tkt::kind<QPushButton>(importfenster, "installieren"));
        QCOMPARE(script.unexpected, 0);
        QCOMPARE(script.texts(ModalKind::Question),
            QStringList {
                "2 der 4 Rezepte sind schon in der Sammlung. Sollen sie noch einmal importiert werden?" });
        QCOMPARE(script.last(ModalKind::Meldung).text,
            QStringLiteral("Import der Rezepte abgeschlossen!\r") + hinweis
                + QStringLiteral("Die Rezeptdatenbank wird neu eingelesen!"));
        const QStringList idx = c.lines("Data/Rezepte/index.dat");
        QCOMPARE(idx.mid(3), neu);
        QCOMPARE(idx.first(), QString::number(neu.size() + 1));
    }

    void failedPackageAndOldFormat()
    {
        tkt::Collection c;
        c.standard({ "0", "Alt|a|01,|d|m|" });
        c.recipe(0, {}, { "alt" });
        // Claims two recipes but carries one: nothing of it stays.
        const QString bad = makePackage(
            c, "halb.tkp", simpleTki("Halb", { "H1", "H2" }), { { "0000.dat", recipeBytes("h1") } });
        const QString old = makePackage(
            c, "alt.tkp", simpleTki("Alt", { "O1" }, QString()), { { "0000.dat", recipeBytes("o1") } });

        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Paketimportfenster* importfenster = p.forms().paketimportfenster;
        p.forms().hauptfenster->paketImportieren();
        script.files({ bad, old });
        click(tkt::kind<QPushButton>(importfenster, "dateienLaden"));
        QCOMPARE(tkt::kind<QListWidget>(importfenster, "pakete")->count(), 2);
        const QString folder = QFileInfo(importfenster->indexPfade.at(0)).path() + u'/';
        script.answer(tk::Answer::Ok).answer(tk::Answer::Ok).answer(tk::Answer::Ok).answer(tk::Answer::Ok);
        click(tkt::kind<QPushButton>(importfenster, "installieren"));
        QCOMPARE(script.unexpected, 0);
        const QStringList meldungen = script.texts(ModalKind::Meldung);
        QCOMPARE(meldungen.size(), 4);
        QCOMPARE(meldungen.at(0),
            QStringLiteral("Fehler beim Installieren eines Rezeptes aus dem Rezeptpaket ") + folder + u'!');
        QCOMPARE(script.seen().at(1).caption, QStringLiteral("Fehler beim Rezepteupdate!"));
        QVERIFY(meldungen.at(1).startsWith(
            QStringLiteral("Die importierten Rezepte sind (teilweise) noch im alten Format.")));
        QCOMPARE(script.seen().at(2).caption, QStringLiteral("Achtung!"));
        QCOMPARE(meldungen.at(2),
            QStringLiteral("Import der Rezepte abgeschlossen!\rDie Rezeptdatenbank wird neu eingelesen!"));
        QVERIFY(meldungen.at(3).startsWith(
            QStringLiteral("Die Rezepte sind (teilweise) noch im alten Format."))); // the reload
        // The failed package left nothing; the next one numbered from the same place.
        QCOMPARE(c.lines("Data/Rezepte/index.dat"), QStringList({ "1", "Alt|a|01,|d|m|", "O1|K||d|m|" }));
        QCOMPARE(c.bytes("Data/Rezepte/0001.dat"), recipeBytes("o1"));
        QVERIFY(!c.exists("Data/Rezepte/0002.dat"));
        QVERIFY(!p.st.listeWirdGefuellt);
        QVERIFY(QDir(c.path("temp")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }

    void unwritableIndexStopsTheImportWithoutTrace()
    {
        tkt::Collection c;
        c.standard({ "0", "Alt|a|01,|d|m|" });
        c.recipe(0, {}, { "alt" });
        const QString p1 = makePackage(c, "eins.tkp", simpleTki("Eins", { "A1" }),
            { { "0000.dat", recipeBytes("a1") }, { "0000.jpg", "JPG" } });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Paketimportfenster* importfenster = p.forms().paketimportfenster;
        p.forms().hauptfenster->paketImportieren();
        script.files({ p1 });
        click(tkt::kind<QPushButton>(importfenster, "dateienLaden"));
        const QByteArray before = c.bytes("Data/Rezepte/index.dat");
        QFile::setPermissions(c.path("Data/Rezepte/index.dat"), QFile::ReadOwner | QFile::ReadGroup);
        script.answer(tk::Answer::Ok);
        click(tkt::kind<QPushButton>(importfenster, "installieren"));
        QCOMPARE(script.unexpected, 0);
        QVERIFY(
            script.last(ModalKind::Meldung).text.startsWith(QStringLiteral("Der Import wurde abgebrochen:")));
        QCOMPARE(c.bytes("Data/Rezepte/index.dat"), before);
        QVERIFY(!c.exists("Data/Rezepte/0001.dat") && !c.exists("Data/Rezepte/0001.jpg"));
        QCOMPARE(p.st.sammlung.rezeptMax(), 0);
        QVERIFY(importfenster->isVisible());
        QCOMPARE(tkt::kind<QListWidget>(importfenster, "pakete")->count(), 1); // still listed, to try again
        QVERIFY(!p.st.listeWirdGefuellt);
    }

    void exportKeepsPackagesListedForImport()
    {
        tkt::Collection c;
        c.standard({ "0", "Alt|a|01,|d|m|" });
        c.recipe(0, {}, { "alt" });
        const QString p1
            = makePackage(c, "eins.tkp", simpleTki("Eins", { "A1" }), { { "0000.dat", recipeBytes("a1") } });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        f1->paketImportieren();
        script.files({ p1 });
        click(tkt::kind<QPushButton>(p.forms().paketimportfenster, "dateienLaden"));
        f1->paketExportieren();
        f1->exportAlleHinzufuegen();
        script.file(c.path("aus.tkp")).answer(tk::Answer::Ok);
        p.forms().paketexportfenster->speichern();
        QVERIFY(c.exists("aus.tkp"));
        QCOMPARE(
            QDir(c.path("temp")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 1);
        script.answer(tk::Answer::Ok);
        click(tkt::kind<QPushButton>(p.forms().paketimportfenster, "installieren"));
        QCOMPARE(script.unexpected, 0);
        QCOMPARE(c.lines("Data/Rezepte/index.dat"), QStringList({ "1", "Alt|a|01,|d|m|", "A1|K|01,|d|m|" }));
        QVERIFY(QDir(c.path("temp")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }

    void menuShortcutOpensImport()
    {
        tkt::Collection c;
        c.standard({ "0", "Alt|a|01,|d|m|" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        QCOMPARE(tkt::kind<QAction>(f1, "installieren")->shortcut(), QKeySequence(QStringLiteral("Ctrl+I")));
        QVERIFY(p.hauptfensterZeigen());
        const QString pkg
            = makePackage(c, "eins.tkp", simpleTki("Eins", { "A1" }), { { "0000.dat", recipeBytes("a1") } });
        f1->paketImportieren();
        script.files({ pkg });
        click(tkt::kind<QPushButton>(p.forms().paketimportfenster, "dateienLaden"));
        QCOMPARE(tkt::kind<QListWidget>(p.forms().paketimportfenster, "pakete")->count(), 1);
        p.forms().paketimportfenster->hide();
        f1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f1));
        QTest::keyClick(f1, Qt::Key_I, Qt::ControlModifier);
        // Emptying the list drops what was unpacked for it.
        QVERIFY(QDir(c.path("temp")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        QVERIFY(p.forms().paketimportfenster->isVisible());
        QCOMPARE(tkt::kind<QListWidget>(p.forms().paketimportfenster, "pakete")->count(), 0);
        QCOMPARE(tkt::kind<QPushButton>(p.forms().paketimportfenster, "abbrechen")->text(),
            QStringLiteral("Abbrechen"));
    }
};

TK_TEST_MAIN(ExportImportTest)
#include "tst_exportimport.moc"
