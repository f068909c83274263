#include "TestSupport.h"

#include <QButtonGroup>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "exchange/gui/Paketexportfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/RecipeList.h"
#include "platform/gui/HotLabel.h"
#include "search/gui/Suchfenster.h"
#include "store/AppState.h"

namespace {

// Recipes 0..5; 2 is deleted. Titles are not in alphabetical order, so number order shows.
void sammlung(tkt::Collection& c)
{
    c.standard({ u"5"_qs, u"Zwiebelkuchen|Oma|01,|01.01.2006|für 4|"_qs,
        u"Apfelkuchen|Opa|13,|02.01.2006|1 Blech|"_qs, u"||||"_qs,
        u"Bratapfel|Oma|01,|03.01.2006|4 Stück|"_qs, u"Suppe|Else|07,|04.01.2006|für 2|"_qs,
        u"Käsekuchen|Else|13,|05.01.2006|1 Form|"_qs });
    c.recipe(0, { u"Zwiebeln"_qs }, { u"Teig ausrollen"_qs });
    c.recipe(1, { u"Äpfel"_qs }, { u"Teig ausrollen"_qs }, { u"Omas Rezept"_qs });
    c.recipe(2, { u"Zwiebeln"_qs }, { u"Teig"_qs });
    c.recipe(3, { u"Äpfel"_qs }, { u"backen"_qs });
    c.recipe(4, { u"Wasser"_qs }, { u"kochen"_qs });
    c.recipe(5, { u"Quark"_qs }, { u"Teig backen"_qs });
    c.write(u"Data/Sonstiges/Welcome.rtf"_qs, { u"{\\rtf1 Willkommen}"_qs });
    c.write(u"Data/Sonstiges/tellerkiste.dat"_qs, { u"[Start]"_qs, u"ShowWelcome=0"_qs });
}

// The mode buttons by the numbers the main window's menu uses (1 full text … 4 author).
const char* const kModus[] = { nullptr, "volltext", "titel", "zutaten", "autor" };

QList<int> nummern(const tk::RecipeList* l)
{
    QList<int> out;
    for (int i = 0; i < l->count(); ++i)
        out.append(l->numberAt(i));
    return out;
}

} // namespace

class SuchfensterTest : public QObject {
    Q_OBJECT
private slots:
    void windowAtStart()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Suchfenster* f = p.forms().suchfenster;
        QVERIFY(f->isHidden());
        QCOMPARE(f->windowTitle(), u"Suchen"_qs);
        QCOMPARE(f->size(), QSize(289, 194));
        QVERIFY(f->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(tkt::kind<QLineEdit>(f, "suchwort")->text(), u"Suchwort"_qs);
        QCOMPARE(tkt::kind<QLabel>(f, "jokerHinweis")->text(), u"* ist Joker/Platzhalter"_qs);
        QCOMPARE(tkt::kind<QRadioButton>(f, "volltext")->text(),
            u"Volltextsuche (ganzes Rezept (nicht Zutaten))"_qs);
        QCOMPARE(tkt::kind<QRadioButton>(f, "titel")->text(), u"Schnellsuche (nur Rezepttitel)"_qs);
        QCOMPARE(tkt::kind<QRadioButton>(f, "zutaten")->text(), u"Zutatensuche (nur Zutatenliste)"_qs);
        QCOMPARE(tkt::kind<QRadioButton>(f, "autor")->text(), u"Autor"_qs);
        QCOMPARE(tkt::kind<QPushButton>(f, "suchen")->text(), u"Suchen!"_qs);
        QCOMPARE(tkt::kind<QPushButton>(f, "abbrechen")->text(), u"Abbrechen"_qs);
        QVERIFY(tkt::kind<QPushButton>(f, "suchen")->isDefault());
        QVERIFY(tkt::kind<QRadioButton>(f, "titel")->isChecked());
    }

    void searchAndSummary_data()
    {
        QTest::addColumn<int>("radio");
        QTest::addColumn<QString>("wort");
        QTest::addColumn<QList<int>>("expected");
        QTest::addColumn<QString>("summary");
        QTest::newRow("title, number order")
            << 2 << u"kuchen"_qs << QList<int> { 0, 1, 5 } << u"Suche beendet: 3 Treffer!"_qs;
        QTest::newRow("full text with comment")
            << 1 << u"rezept"_qs << QList<int> { 1 } << u"Suche beendet: 1 Treffer!"_qs;
        QTest::newRow("ingredients") << 3 << u"zwiebel"_qs << QList<int> { 0 }
                                     << u"Suche beendet: 1 Treffer!"_qs;
        QTest::newRow("author") << 4 << u"else"_qs << QList<int> { 4, 5 } << u"Suche beendet: 2 Treffer!"_qs;
        QTest::newRow("no hits")
            << 2 << u"Birne"_qs << QList<int> {}
            << u"Suche beendet, leider KEINE TREFFER!\r\rVersuchen Sie bitte ein anderes Suchwort"_qs;
    }

    void searchAndSummary()
    {
        QFETCH(int, radio);
        QFETCH(QString, wort);
        QFETCH(QList<int>, expected);
        QFETCH(QString, summary);
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        script.seen().clear();
        tk::Suchfenster* f = p.forms().suchfenster;
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        f1->suchfensterZeigen();
        QVERIFY(f->isVisible());
        tkt::kind<QRadioButton>(f, kModus[radio])->click();
        tkt::kind<QLineEdit>(f, "suchwort")->setText(wort);
        script.answer(tk::Answer::Ok);
        QTest::mouseClick(tkt::kind<QPushButton>(f, "suchen"), Qt::LeftButton);

        QCOMPARE(nummern(tkt::kind<tk::RecipeList>(f1, "suchergebnisse")), expected);
        QCOMPARE(script.seen().size(), 1);
        QCOMPARE(script.seen().at(0).kind, tk::ModalKind::PlainMessage);
        QCOMPARE(script.seen().at(0).caption, u"Tellerkiste"_qs);
        QCOMPARE(script.seen().at(0).text, summary);
        QVERIFY(f->isHidden());
        QCOMPARE(tkt::kind<QProgressBar>(f, "fortschritt")->maximum(), p.st.rezeptAnzahl + 1);
        QCOMPARE(tkt::kind<QProgressBar>(f, "fortschritt")->value(), 5); // the last live recipe

        // Shown again: word, mode and progress as they were; a second search lists the same again.
        f1->suchfensterZeigen();
        QCOMPARE(tkt::kind<QLineEdit>(f, "suchwort")->text(), wort);
        QVERIFY(tkt::kind<QRadioButton>(f, kModus[radio])->isChecked());
        QCOMPARE(tkt::kind<QProgressBar>(f, "fortschritt")->value(), 5);
        script.answer(tk::Answer::Ok);
        QTest::keyClick(tkt::kind<QLineEdit>(f, "suchwort"), Qt::Key_Return); // Enter searches once
        QCOMPARE(nummern(tkt::kind<tk::RecipeList>(f1, "suchergebnisse")), expected);
        QCOMPARE(script.texts(tk::ModalKind::PlainMessage).size(), 2);
        QCOMPARE(script.unexpected, 0);
    }

    void resultShowsTheRecipe()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        tkt::kind<QLineEdit>(f1, "schnellsuche")->setText(u"suppe"_qs);
        script.answer(tk::Answer::Ok);
        QTest::keyClick(tkt::kind<QLineEdit>(f1, "schnellsuche"), Qt::Key_Return);
        QCOMPARE(tkt::kind<tk::RecipeList>(f1, "suchergebnisse")->textAt(0), u"Suppe"_qs);
        tkt::kind<tk::RecipeList>(f1, "suchergebnisse")->selectRow(0);
        QCOMPARE(p.st.aktuellesRezept, 4);
        QCOMPARE(tkt::kind<QLabel>(f1, "titel")->text(), u"Suppe"_qs);
    }

    void menuSelectsModeWithoutSearching_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<int>("radio");
        QTest::newRow("Tag 1 title") << 1 << 2;
        QTest::newRow("Tag 2 full text") << 2 << 1;
        QTest::newRow("Tag 3 ingredients") << 3 << 3;
        QTest::newRow("Tag 4 author") << 4 << 4;
        QTest::newRow("other Tag keeps the mode") << 0 << 4;
    }

    void menuSelectsModeWithoutSearching()
    {
        QFETCH(int, tag);
        QFETCH(int, radio);
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        script.seen().clear();
        tk::Suchfenster* f = p.forms().suchfenster;
        tkt::kind<QRadioButton>(f, "autor")->setChecked(true);
        tkt::kind<QLineEdit>(f, "suchwort")->setText(u"kuchen"_qs);
        if (tag >= 1)
            tkt::kind<QAction>(p.forms().hauptfenster,
                QStringList { "suchenTitel", "suchenText", "suchenZutaten", "suchenAutor" }.at(tag - 1))
                ->trigger();
        else
            p.forms().hauptfenster->suchfensterMitModus(tag);
        QVERIFY(f->isVisible());
        QVERIFY(tkt::kind<QRadioButton>(f, kModus[radio])->isChecked());
        QCOMPARE(tkt::kind<QLineEdit>(f, "suchwort")->text(), u"kuchen"_qs);
        QCOMPARE(tkt::kind<tk::RecipeList>(p.forms().hauptfenster, "suchergebnisse")->count(), 0);
        QVERIFY(script.seen().isEmpty());
    }

    void quickSearchAlwaysTitles_data()
    {
        QTest::addColumn<bool>("viaLabel");
        QTest::newRow("Enter in the field") << false;
        QTest::newRow("link label") << true;
    }

    void quickSearchAlwaysTitles()
    {
        QFETCH(bool, viaLabel);
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        script.seen().clear();
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        tk::Suchfenster* f = p.forms().suchfenster;
        // full text would find "Teig" in 0, 1 and 5
        tkt::kind<QRadioButton>(f, "volltext")->setChecked(true);
        tkt::kind<QLineEdit>(f1, "schnellsuche")->setText(u"apfel"_qs);
        script.answer(tk::Answer::Ok);
        if (viaLabel)
            f1->schnellsuche();
        else
            QTest::keyClick(tkt::kind<QLineEdit>(f1, "schnellsuche"), Qt::Key_Return);
        QCOMPARE(nummern(tkt::kind<tk::RecipeList>(f1, "suchergebnisse")), (QList<int> { 1, 3 }));
        QVERIFY(tkt::kind<QRadioButton>(f, "titel")->isChecked());
        QCOMPARE(tkt::kind<QLineEdit>(f, "suchwort")->text(), u"apfel"_qs);
        QCOMPARE(script.texts(tk::ModalKind::PlainMessage), QStringList { u"Suche beendet: 2 Treffer!"_qs });
        QVERIFY(f->isHidden());
    }

    void enterGoesToWeiterWhileExporting()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        script.seen().clear();
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        tkt::kind<QWidget>(f1, "exportleiste")->setVisible(true);
        tkt::kind<QLineEdit>(f1, "schnellsuche")->setText(u"apfel"_qs);
        QTest::keyClick(tkt::kind<QLineEdit>(f1, "schnellsuche"), Qt::Key_Return);
        QCOMPARE(tkt::kind<tk::RecipeList>(f1, "suchergebnisse")->count(), 0);
        QVERIFY(p.forms().suchfenster->isHidden());
        QVERIFY(script.texts(tk::ModalKind::PlainMessage).isEmpty());
        QVERIFY(p.forms().paketexportfenster->isVisible()); // "Weiter" opened the export window
    }

    void failuresStopAndKeepTheWindow_data()
    {
        QTest::addColumn<int>("radio");
        QTest::addColumn<QString>("wort");
        QTest::addColumn<bool>("removeFile3");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("kept");
        QTest::newRow("lone [") << 2 << u"["_qs << false << u"'*[*' ist eine ungültige Maske für (4)"_qs
                                << QList<int> {};
        QTest::newRow("[]") << 1 << u"[]"_qs << false << u"'*[]*' ist eine ungültige Maske für (3)"_qs
                            << QList<int> {};
        QTest::newRow("[-a]") << 4 << u"[-a]"_qs << false << u"'*[-a]*' ist eine ungültige Maske für (3)"_qs
                              << QList<int> {};
        QTest::newRow("missing file keeps the hits so far")
            << 1 << u"teig"_qs << true << u"0003.dat\" kann nicht geöffnet werden."_qs << QList<int> { 0, 1 };
    }

    void failuresStopAndKeepTheWindow()
    {
        QFETCH(int, radio);
        QFETCH(QString, wort);
        QFETCH(bool, removeFile3);
        QFETCH(QString, message);
        QFETCH(QList<int>, kept);
        tkt::Collection c;
        sammlung(c);
        if (removeFile3)
            QFile::remove(c.path(u"Data/Rezepte/0003.dat"_qs));
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        script.seen().clear();
        tk::Suchfenster* f = p.forms().suchfenster;
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        tkt::kind<tk::RecipeList>(f1, "suchergebnisse")->append(u"alt"_qs, 0);
        f1->suchfensterZeigen();
        tkt::kind<QRadioButton>(f, kModus[radio])->click();
        tkt::kind<QLineEdit>(f, "suchwort")->setText(wort);
        script.answer(tk::Answer::Ok);
        QTest::mouseClick(tkt::kind<QPushButton>(f, "suchen"), Qt::LeftButton);
        QCOMPARE(script.seen().size(), 1);
        QCOMPARE(script.seen().at(0).kind, tk::ModalKind::ErrorReport);
        QVERIFY2(script.seen().at(0).text.endsWith(message), qPrintable(script.seen().at(0).text));
        QCOMPARE(nummern(tkt::kind<tk::RecipeList>(f1, "suchergebnisse")), kept);
        QVERIFY(f->isVisible());
        QCOMPARE(tkt::kind<QLineEdit>(f, "suchwort")->text(), wort);
    }

    void cancelAndCloseBox()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Suchfenster* f = p.forms().suchfenster;
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        f1->suchfensterZeigen();
        tkt::kind<QLineEdit>(f, "suchwort")->setText(u"kuchen"_qs);
        script.answer(tk::Answer::Ok);
        tkt::kind<QPushButton>(f, "suchen")->click();
        QCOMPARE(tkt::kind<tk::RecipeList>(f1, "suchergebnisse")->count(), 3);

        f1->suchfensterZeigen();
        f->close(); // the close box only hides
        QVERIFY(f->isHidden());
        QCOMPARE(tkt::kind<QProgressBar>(f, "fortschritt")->value(), 5);

        f1->suchfensterZeigen();
        QTest::mouseClick(tkt::kind<QPushButton>(f, "abbrechen"), Qt::LeftButton); // "Abbrechen"
        QVERIFY(f->isHidden());
        QCOMPARE(tkt::kind<QProgressBar>(f, "fortschritt")->value(), 0);
        QCOMPARE(tkt::kind<tk::RecipeList>(f1, "suchergebnisse")->count(), 3);
    }
};

TK_TEST_MAIN(SuchfensterTest)
#include "tst_suchfenster.moc"
