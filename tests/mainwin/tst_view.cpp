// The recipe view: what zeigeRezept puts on screen.
#include "TestSupport.h"

#include <QLabel>
#include <QListWidget>
#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>

#include "editing/gui/Kommentarfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/RecipeList.h"
#include "platform/gui/HotLabel.h"
#include "store/AppState.h"
#include "platform/gui/TabControl.h"

namespace {
QStringList items(const QListWidget* w)
{
    QStringList out;
    for (int i = 0; i < w->count(); ++i)
        out.append(w->item(i)->text());
    return out;
}
}

class ViewTest : public QObject {
    Q_OBJECT
private slots:
    void init() { tk::Application::clearQuitRequest(); }

    void recipeFileLayouts_data()
    {
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<QStringList>("zutaten");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("kommentar");
        QTest::newRow("ingredients, text, comment")
            << QStringList { "2", "1 Ei", "200 g Mehl", "Rühren.", "Backen.", "###KOMMENTAR###", "Lecker!" }
            << QStringList { "1 Ei", "200 g Mehl" } << "Rühren.\nBacken." << QStringList { "Lecker!" };
        QTest::newRow("no ingredients") << QStringList { "0", "Nur Text.", "###KOMMENTAR###" }
                                        << QStringList {} << "Nur Text." << QStringList {};
        QTest::newRow("no marker: all text, no comment")
            << QStringList { "1", "Salz", "Zeile eins", "Zeile zwei" } << QStringList { "Salz" }
            << "Zeile eins\nZeile zwei" << QStringList {};
        QTest::newRow("two markers: the second belongs to the comment") << QStringList {
            "1", "Salz", "Text", "x ###KOMMENTAR### y", "Kommentar", "###KOMMENTAR###", "Ende"
        } << QStringList { "Salz" } << "Text" << QStringList { "Kommentar", "###KOMMENTAR###", "Ende" };
        QTest::newRow("marker only after ingredients") << QStringList { "1", "Salz", "###KOMMENTAR###", "",
            "K" } << QStringList { "Salz" } << "" << QStringList { "", "K" };
    }
    void recipeFileLayouts()
    {
        QFETCH(QStringList, file);
        QFETCH(QStringList, zutaten);
        QFETCH(QString, text);
        QFETCH(QStringList, kommentar);
        tkt::Collection c;
        c.standard({ "0", "Kuchen|Oma|01,13,|12.03.2006|für 4 Personen|" });
        c.write(QStringLiteral("Data/Rezepte/0000.dat"), file);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        // nothing on show after start-up
        QCOMPARE(tkt::kind<QLabel>(m, "titel")->text(), QStringLiteral("Rezeptname"));
        tkt::kind<tk::RecipeList>(m, "rezeptliste")->selectRow(0);
        QCOMPARE(script.unexpected, 0);
        QCOMPARE(tkt::kind<QLabel>(m, "titel")->text(), QStringLiteral("Kuchen"));
        QCOMPARE(items(tkt::kind<QListWidget>(m, "zutaten")), zutaten);
        QCOMPARE(tkt::kind<QPlainTextEdit>(m, "zubereitung")->toPlainText(), text);
        QCOMPARE(m->rezeptKommentar, kommentar);
        QCOMPARE(tkt::kind<QLabel>(m, "datum")->text(), QStringLiteral("12.03.2006"));
        QCOMPARE(tkt::kind<QLabel>(m, "datum")->toolTip(), QStringLiteral("12.03.2006"));
        QCOMPARE(tkt::kind<QLabel>(m, "autor")->text(), QStringLiteral("Oma"));
        QCOMPARE(tkt::kind<QLabel>(m, "autor")->toolTip(), QStringLiteral("Oma"));
        QCOMPARE(tkt::kind<QLabel>(m, "menge")->text(), QStringLiteral("für 4 Personen"));
        QCOMPARE(tkt::kind<QLabel>(m, "rezeptKategorien")->text(), QStringLiteral("Desserts Backwaren "));
        QCOMPARE(tkt::kind<QLabel>(m, "rezeptKategorien")->toolTip(), QStringLiteral("Desserts Backwaren "));
        QCOMPARE(p.st.aktuellesRezept, 0);
        QCOMPARE(p.st.angezeigtesRezept, 0);
    }

    void categoryNamesIncludeOwnAndSkipDeleted()
    {
        tkt::Collection c;
        c.standard({ "0", "Steak|a|03,15,16,17,|d|m|" }, { "1Grillen", "0Weg", "1Sommer" });
        c.recipe(0, {}, { "Text" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        p.forms().hauptfenster->zeigeRezept(0);
        QCOMPARE(tkt::kind<QLabel>(p.forms().hauptfenster, "rezeptKategorien")->text(),
            QStringLiteral("Fleisch Grillen Sommer "));
    }

    void pictureIconFollowsTheRecipe()
    {
        tkt::Collection c;
        c.standard({ "1", "Mit Bild|a|01,|d|m|", "Ohne Bild|a|01,|d|m|" });
        c.recipe(0, {}, { "a" });
        c.recipe(1, {}, { "b" });
        c.writeBytes(QStringLiteral("Data/Rezepte/0000.jpg"), QByteArray("\xFF\xD8\xFF", 3));
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        m->zeigeRezept(0);
        QVERIFY(!tkt::kind<tk::HotLabel>(m, "bildSymbol")->isHidden());
        m->zeigeRezept(1);
        QVERIFY(tkt::kind<tk::HotLabel>(m, "bildSymbol")->isHidden());
    }

    void missingFileShowsMessageAndKeepsLabels()
    {
        tkt::Collection c;
        c.standard({ "1", "Da|a|01,|d|m|", "Fehlt|Autorin|02,|1.1.2001|2 Stück|" });
        c.recipe(0, { "Z" }, { "T" }, { "K" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        m->zeigeRezept(0);
        m->zeigeRezept(1);
        const tk::ModalRequest r = script.last(tk::ModalKind::Meldung);
        QCOMPARE(r.text, QStringLiteral("Ein unbekannter Fehler trat beim Anzeigen des Rezepts auf!"));
        QCOMPARE(r.caption, QStringLiteral("Fehler bei der Rezeptanzeige!"));
        QCOMPARE(tkt::kind<QLabel>(m, "titel")->text(), QStringLiteral("Fehlt"));
        QCOMPARE(tkt::kind<QLabel>(m, "autor")->text(), QStringLiteral("Autorin"));
        QCOMPARE(tkt::kind<QLabel>(m, "rezeptKategorien")->text(), QStringLiteral("Gemüse "));
        QCOMPARE(tkt::kind<QListWidget>(m, "zutaten")->count(), 0);
        QCOMPARE(tkt::kind<QPlainTextEdit>(m, "zubereitung")->toPlainText(), QString());
        QVERIFY(m->rezeptKommentar.isEmpty());
        QCOMPARE(p.st.aktuellesRezept, 1);
        // No recipe is on show whose file could be overwritten with the half-filled view.
        QCOMPARE(p.st.angezeigtesRezept, -1);
    }

    void damagedFilesShowTheMessage_data()
    {
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<QString>("message");
        const QString unbekannt
            = QStringLiteral("Ein unbekannter Fehler trat beim Anzeigen des Rezepts auf!");
        QTest::newRow("line 0 no number") << QStringList { "zwei", "a", "b" } << unbekannt;
        // Shown with the lines it has; the note says what is wrong.
        QTest::newRow("fewer lines than announced")
            << QStringList { "5", "a", "b" }
            << QStringLiteral(
                   "Die Rezeptdatei ist beschädigt: ihre erste Zeile nennt 5 Zutaten, es folgen aber "
                   "nur 2 Zeilen.");
        QTest::newRow("empty file") << QStringList {} << unbekannt;
    }
    void damagedFilesShowTheMessage()
    {
        QFETCH(QStringList, file);
        QFETCH(QString, message);
        tkt::Collection c;
        c.standard({ "0", "Kaputt|a|01,|d|m|" });
        c.write(QStringLiteral("Data/Rezepte/0000.dat"), file);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tkt::kind<tk::TabControl>(p.forms().hauptfenster, "kategorien")->setCurrentIndex(1);
        QCOMPARE(script.texts(tk::ModalKind::Meldung), QStringList { message });
        QCOMPARE(tkt::kind<QLabel>(p.forms().hauptfenster, "titel")->text(), QStringLiteral("Kaputt"));
    }

    // Presses and sorting leave the recipe on show, its highlight and the comment typed for it alone;
    // a right press only picks the entry for the pop-up menu. The last row shows the table can fail.
    void listGesturesKeepTheRecipeOnShow_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("akt");
        QTest::addColumn<int>("highlighted"); // number of the selected entry of rezeptliste
        QTest::newRow("right press on another entry") << "right rezeptliste"
                                                      << "Zwiebelkuchen" << 1 << 0;
        QTest::newRow("right press in the search results") << "right suchergebnisse"
                                                           << "Zwiebelkuchen" << 0 << 0;
        QTest::newRow("press on empty space") << "left empty"
                                              << "Zwiebelkuchen" << 0 << 0;
        QTest::newRow("nach dem Alphabet") << "sort"
                                           << "Zwiebelkuchen" << 0 << 0;
        QTest::newRow("left press on another entry shows it") << "left rezeptliste"
                                                              << "Apfelkuchen" << 1 << 1;
    }
    void listGesturesKeepTheRecipeOnShow()
    {
        QFETCH(QString, gesture);
        QFETCH(QString, shown);
        QFETCH(int, akt);
        QFETCH(int, highlighted);
        tkt::Collection c;
        c.standard({ "2", "Zwiebelkuchen|a|01,|d|m|", "Apfelkuchen|b|01,|d|m|", "Brot|c|01,|d|m|" });
        for (int n = 0; n < 3; ++n)
            c.recipe(n, { "Z" }, { "T" }, { QStringLiteral("K%1").arg(n) });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        m->nachDatumOrdnen(); // number order, first entry on show
        QCOMPARE(tkt::kind<QLabel>(m, "titel")->text(), QStringLiteral("Zwiebelkuchen"));
        QPlainTextEdit* kommentar = tkt::kind<QPlainTextEdit>(p.forms().kommentarfenster, "kommentar");
        kommentar->setPlainText(QStringLiteral("ungespeichert"));
        tkt::kind<tk::RecipeList>(m, "suchergebnisse")->append(QStringLiteral("Apfelkuchen"), 1);
        tkt::kind<tk::RecipeList>(m, "suchergebnisse")->append(QStringLiteral("Brot"), 2);

        auto press = [](tk::RecipeList* l, Qt::MouseButton b, int row) {
            const QPoint at = row < 0 ? QPoint(5, l->viewport()->height() - 5)
                                      : l->visualRect(l->model()->index(row)).center();
            QTest::mousePress(l->viewport(), b, {}, at);
            QTest::mouseRelease(l->viewport(), b, {}, at);
        };
        if (gesture == u"right rezeptliste")
            press(tkt::kind<tk::RecipeList>(m, "rezeptliste"), Qt::RightButton, 1);
        else if (gesture == u"right suchergebnisse")
            press(tkt::kind<tk::RecipeList>(m, "suchergebnisse"), Qt::RightButton, 0);
        else if (gesture == u"left empty")
            press(tkt::kind<tk::RecipeList>(m, "rezeptliste"), Qt::LeftButton, -1);
        else if (gesture == u"sort")
            tkt::kind<QAction>(m, "nachAlphabet")->trigger();
        else
            press(tkt::kind<tk::RecipeList>(m, "rezeptliste"), Qt::LeftButton, 1);

        QCOMPARE(tkt::kind<QLabel>(m, "titel")->text(), shown);
        QCOMPARE(p.st.aktuellesRezept, akt);
        const int row = tkt::kind<tk::RecipeList>(m, "rezeptliste")->currentRow();
        QCOMPARE(tkt::kind<tk::RecipeList>(m, "rezeptliste")->numberAt(row), highlighted);
        QVERIFY(tkt::kind<tk::RecipeList>(m, "rezeptliste")
                    ->selectionModel()
                    ->isSelected(tkt::kind<tk::RecipeList>(m, "rezeptliste")->model()->index(row)));
        QVERIFY(tkt::kind<tk::RecipeList>(m, "suchergebnisse")->currentRow() < 0);
        QCOMPARE(kommentar->toPlainText(),
            shown == u"Zwiebelkuchen" ? QStringLiteral("ungespeichert") : QStringLiteral("K1"));
        QCOMPARE(script.unexpected, 0);
    }

    // Lines too long to lay out quickly are shown cut with a note; the comment save (the one save from
    // the view) still writes every line whole, and a cut comment cannot be edited.
    void hugeLinesAreShownCutAndSavedWhole_data()
    {
        QTest::addColumn<int>("part"); // 0 ingredients, 1 text, 2 comment
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("note");
        const QStringList riesig { QString(300000, u'x') };
        QStringList viele;
        for (int i = 0; i < 20000; ++i)
            viele.append(QStringLiteral("Zeile %1").arg(i));
        const QString gekuerzt = QStringLiteral(" [… gekürzt, die Zeile hat 300000 Zeichen]");
        QTest::newRow("ingredient line") << 0 << riesig << gekuerzt;
        QTest::newRow("text line") << 1 << riesig << gekuerzt;
        QTest::newRow("comment line") << 2 << riesig << gekuerzt;
        QTest::newRow("many text lines") << 1 << viele << QStringLiteral("werden nicht angezeigt]");
    }
    void hugeLinesAreShownCutAndSavedWhole()
    {
        QFETCH(int, part);
        QFETCH(QStringList, lines);
        QFETCH(QString, note);
        tkt::Collection c;
        c.standard({ "0", "Lang|a|01,|d|m|" });
        QStringList teile[3] = { { "1 Ei" }, { "Text" }, { "Kommentar" } };
        teile[part] = lines;
        c.recipe(0, teile[0], teile[1], teile[2]);
        const QByteArray vorher = c.bytes(QStringLiteral("Data/Rezepte/0000.dat"));
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        tk::Kommentarfenster* k = p.forms().kommentarfenster;
        m->zeigeRezept(0);
        QCOMPARE(p.st.angezeigtesRezept, 0);
        const QString shown[3] = { items(tkt::kind<QListWidget>(m, "zutaten")).join(u'\n'),
            tkt::kind<QPlainTextEdit>(m, "zubereitung")->toPlainText(),
            tkt::kind<QPlainTextEdit>(k, "kommentar")->toPlainText() };
        QVERIFY(shown[part].endsWith(note));
        QVERIFY(shown[part].size() < 120000);
        QCOMPARE(tkt::kind<QPlainTextEdit>(k, "kommentar")->isReadOnly(), part == 2);
        tkt::kind<QPushButton>(k, "speichern")->click();
        QCOMPARE(c.bytes(QStringLiteral("Data/Rezepte/0000.dat")), vorher);
        QCOMPARE(script.unexpected, 0);
    }

    void minusOneEmptiesListsButKeepsLabels()
    {
        tkt::Collection c;
        c.standard({ "0", "Kuchen|Oma|01,|d|m|" });
        c.recipe(0, { "Z" }, { "T" }, { "K" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        m->zeigeRezept(0);
        m->zeigeRezept(-1);
        QCOMPARE(tkt::kind<QListWidget>(m, "zutaten")->count(), 0);
        QCOMPARE(tkt::kind<QPlainTextEdit>(m, "zubereitung")->toPlainText(), QString());
        QCOMPARE(tkt::kind<QLabel>(m, "rezeptKategorien")->text(), QString());
        QVERIFY(m->rezeptKommentar.isEmpty());
        QCOMPARE(tkt::kind<QLabel>(m, "titel")->text(), QStringLiteral("Kuchen"));
        QCOMPARE(tkt::kind<QLabel>(m, "autor")->text(), QStringLiteral("Oma"));
        QCOMPARE(p.st.aktuellesRezept, 0);
    }

    void ignoredWhileTheListIsRefilled()
    {
        tkt::Collection c;
        c.standard({ "1", "Eins|a|01,|d|m|", "Zwei|b|01,|d|m|" });
        c.recipe(0, {}, { "1" });
        c.recipe(1, {}, { "2" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        m->zeigeRezept(0);
        p.st.listeWirdGefuellt = true;
        m->zeigeRezept(1);
        QCOMPARE(tkt::kind<QLabel>(m, "titel")->text(), QStringLiteral("Eins"));
        p.st.listeWirdGefuellt = false;
    }

    void selectingInEitherListShowsTheRecipe()
    {
        tkt::Collection c;
        c.standard({ "1", "Eins|a|01,|d|m|", "Zwei|b|01,|d|m|" });
        c.recipe(0, {}, { "1" });
        c.recipe(1, {}, { "2" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        tkt::kind<tk::RecipeList>(m, "suchergebnisse")->append(QStringLiteral("Zwei"), 1);
        tkt::kind<tk::RecipeList>(m, "suchergebnisse")->selectRow(0);
        QCOMPARE(tkt::kind<QLabel>(m, "titel")->text(), QStringLiteral("Zwei"));
        m->nachDatumOrdnen();
        tkt::kind<tk::RecipeList>(m, "rezeptliste")->selectRow(1);
        QCOMPARE(tkt::kind<QLabel>(m, "titel")->text(), QStringLiteral("Zwei"));
        tkt::kind<tk::RecipeList>(m, "rezeptliste")->selectRow(0);
        QCOMPARE(tkt::kind<QPlainTextEdit>(m, "zubereitung")->toPlainText(), QStringLiteral("1"));
    }
};

TK_TEST_MAIN(ViewTest)
#include "tst_view.moc"
