// The recipe view: what ZeigeRezept puts on screen.
#include "TestSupport.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

#include "mainwin/gui/Unit1.h"
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
        tk::TForm1* m = p.forms().Form1;
        QCOMPARE(m->rezeptname->text(), QStringLiteral("Rezeptname")); // nothing on show after start-up
        m->treeview1->selectRow(0);
        QCOMPARE(script.unexpected, 0);
        QCOMPARE(m->rezeptname->text(), QStringLiteral("Kuchen"));
        QCOMPARE(items(m->zutaten), zutaten);
        QCOMPARE(m->rezept->toPlainText(), text);
        QCOMPARE(m->RezeptKommentar, kommentar);
        QCOMPARE(m->Label1->text(), QStringLiteral("12.03.2006"));
        QCOMPARE(m->Label1->toolTip(), QStringLiteral("12.03.2006"));
        QCOMPARE(m->Label6->text(), QStringLiteral("Oma"));
        QCOMPARE(m->Label6->toolTip(), QStringLiteral("Oma"));
        QCOMPARE(m->Label20->text(), QStringLiteral("für 4 Personen"));
        QCOMPARE(m->Label7->text(), QStringLiteral("Desserts Backwaren "));
        QCOMPARE(m->Label7->toolTip(), QStringLiteral("Desserts Backwaren "));
        QCOMPARE(p.st.AktRezept, 0);
        QCOMPARE(p.st.AngezeigtesRezept, 0);
    }

    void categoryNamesIncludeOwnAndSkipDeleted()
    {
        tkt::Collection c;
        c.standard({ "0", "Steak|a|03,15,16,17,|d|m|" }, { "1Grillen", "0Weg", "1Sommer" });
        c.recipe(0, {}, { "Text" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        p.forms().Form1->ZeigeRezept(0);
        QCOMPARE(p.forms().Form1->Label7->text(), QStringLiteral("Fleisch Grillen Sommer "));
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
        tk::TForm1* m = p.forms().Form1;
        m->ZeigeRezept(0);
        QVERIFY(!m->Image6->isHidden());
        m->ZeigeRezept(1);
        QVERIFY(m->Image6->isHidden());
    }

    void missingFileShowsMessageAndKeepsLabels()
    {
        tkt::Collection c;
        c.standard({ "1", "Da|a|01,|d|m|", "Fehlt|Autorin|02,|1.1.2001|2 Stück|" });
        c.recipe(0, { "Z" }, { "T" }, { "K" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::TForm1* m = p.forms().Form1;
        m->ZeigeRezept(0);
        m->ZeigeRezept(1);
        const tk::ModalRequest r = script.last(tk::ModalKind::Meldung);
        QCOMPARE(r.text, QStringLiteral("Ein unbekannter Fehler trat beim Anzeigen des Rezepts auf!"));
        QCOMPARE(r.caption, QStringLiteral("Fehler bei der Rezeptanzeige!"));
        QCOMPARE(m->rezeptname->text(), QStringLiteral("Fehlt"));
        QCOMPARE(m->Label6->text(), QStringLiteral("Autorin"));
        QCOMPARE(m->Label7->text(), QStringLiteral("Gemüse "));
        QCOMPARE(m->zutaten->count(), 0);
        QCOMPARE(m->rezept->toPlainText(), QString());
        QVERIFY(m->RezeptKommentar.isEmpty());
        QCOMPARE(p.st.AktRezept, 1);
        // No recipe is on show whose file could be overwritten with the half-filled view.
        QCOMPARE(p.st.AngezeigtesRezept, -1);
    }

    void damagedFilesShowTheMessage_data()
    {
        QTest::addColumn<QStringList>("file");
        QTest::newRow("line 0 no number") << QStringList { "zwei", "a", "b" };
        QTest::newRow("fewer lines than announced") << QStringList { "5", "a", "b" };
        QTest::newRow("empty file") << QStringList {};
    }
    void damagedFilesShowTheMessage()
    {
        QFETCH(QStringList, file);
        tkt::Collection c;
        c.standard({ "0", "Kaputt|a|01,|d|m|" });
        c.write(QStringLiteral("Data/Rezepte/0000.dat"), file);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        p.forms().Form1->kategorien->setCurrentIndex(1);
        QCOMPARE(script.texts(tk::ModalKind::Meldung),
            QStringList({ QStringLiteral("Ein unbekannter Fehler trat beim Anzeigen des Rezepts auf!") }));
        QCOMPARE(p.forms().Form1->rezeptname->text(), QStringLiteral("Kaputt"));
    }

    void minusOneEmptiesListsButKeepsLabels()
    {
        tkt::Collection c;
        c.standard({ "0", "Kuchen|Oma|01,|d|m|" });
        c.recipe(0, { "Z" }, { "T" }, { "K" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::TForm1* m = p.forms().Form1;
        m->ZeigeRezept(0);
        m->ZeigeRezept(-1);
        QCOMPARE(m->zutaten->count(), 0);
        QCOMPARE(m->rezept->toPlainText(), QString());
        QCOMPARE(m->Label7->text(), QString());
        QVERIFY(m->RezeptKommentar.isEmpty());
        QCOMPARE(m->rezeptname->text(), QStringLiteral("Kuchen"));
        QCOMPARE(m->Label6->text(), QStringLiteral("Oma"));
        QCOMPARE(p.st.AktRezept, 0);
    }

    void ignoredWhileTheListIsRefilled()
    {
        tkt::Collection c;
        c.standard({ "1", "Eins|a|01,|d|m|", "Zwei|b|01,|d|m|" });
        c.recipe(0, {}, { "1" });
        c.recipe(1, {}, { "2" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::TForm1* m = p.forms().Form1;
        m->ZeigeRezept(0);
        p.st.ListeWirdGefuellt = true;
        m->ZeigeRezept(1);
        QCOMPARE(m->rezeptname->text(), QStringLiteral("Eins"));
        p.st.ListeWirdGefuellt = false;
    }

    void selectingInEitherListShowsTheRecipe()
    {
        tkt::Collection c;
        c.standard({ "1", "Eins|a|01,|d|m|", "Zwei|b|01,|d|m|" });
        c.recipe(0, {}, { "1" });
        c.recipe(1, {}, { "2" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::TForm1* m = p.forms().Form1;
        m->suchergebnisse->append(QStringLiteral("Zwei"), 1);
        m->suchergebnisse->selectRow(0);
        QCOMPARE(m->rezeptname->text(), QStringLiteral("Zwei"));
        m->Image2Click();
        m->treeview1->selectRow(1);
        QCOMPARE(m->rezeptname->text(), QStringLiteral("Zwei"));
        m->treeview1->selectRow(0);
        QCOMPARE(m->rezept->toPlainText(), QStringLiteral("1"));
    }
};

TK_TEST_MAIN(ViewTest)
#include "tst_view.moc"
