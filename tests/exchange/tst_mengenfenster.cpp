#include "TestSupport.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QDir>
#include <QDoubleSpinBox>
#include <QTableWidget>

#include "dialogs/gui/Willkommensfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/TextLines.h"
#include "store/AppState.h"

using tk::ModalKind;

namespace {
const QString kListe = QStringLiteral("Data/Sonstiges/einkaufsliste.dat");

void sammlung(tkt::Collection& c)
{
    c.standard(
        { "1", "Käsespätzle|Anna|01,|12.03.2006|für 4 Personen|", "Pfannkuchen|Bert|01,|01.01.2007|-|" });
    c.recipe(0, { "500 g Mehl", "3 Eier", "=== Zum Bestreuen ===", "Salz" }, { "Teig schlagen." });
    c.recipe(1, { "250 g Mehl", "2 Eier", "500 ml Milch", "salz" }, { "Ausbacken." });
}

QPushButton* knopf(QWidget* w, const char* name)
{
    QPushButton* b = w->findChild<QPushButton*>(QLatin1String(name));
    return b && b->isVisible() ? b : nullptr;
}

QStringList spalte(const QTableWidget* t, int c)
{
    QStringList out;
    for (int r = 0; r < t->rowCount(); ++r)
        out.append(t->item(r, c)->text());
    return out;
}
}

class MengenFensterTest : public QObject {
    Q_OBJECT

private slots:
    // Ctrl+M shows the recipe on show; the spin box scales the list as it changes.
    void umrechnen()
    {
        tkt::Collection c;
        sammlung(c);
        const QByteArray rezeptVorher = c.bytes("Data/Rezepte/0000.dat");
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.hauptfensterZeigen();
        QVERIFY(f1);
        f1->zeigeRezept(0);
        QTest::keyClick(f1, Qt::Key_M, Qt::ControlModifier);
        auto* w = tkt::kind<QDialog>(f1, "umrechnungsfenster");
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Rezept umrechnen"));
        QCOMPARE(tkt::kind<QLabel>(w, "menge")->text(), QStringLiteral("für 4 Personen"));
        QCOMPARE(tkt::kind<QLabel>(w, "einheit")->text(), QStringLiteral("Personen"));
        auto* auf = w->findChild<QDoubleSpinBox*>();
        QCOMPARE(auf->accessibleName(), QStringLiteral("Umrechnen auf"));
        QCOMPARE(auf->value(), 4.0);
        auto* liste = w->findChild<QListWidget*>();
        QCOMPARE(liste->accessibleName(), QStringLiteral("Zutaten"));
        auto zeilen = [liste] {
            QStringList out;
            for (int i = 0; i < liste->count(); ++i)
                out.append(liste->item(i)->text());
            return out;
        };
        QCOMPARE(zeilen(), (QStringList { "500 g Mehl", "3 Eier", "=== Zum Bestreuen ===", "Salz" }));

        auf->selectAll();
        QTest::keyClicks(auf, "6");
        // A rounded count is marked, the exact amount beside it; copies and the list take the cook's amount.
        QCOMPARE(zeilen(), (QStringList { "750 g Mehl", "≈ 5 Eier", "=== Zum Bestreuen ===", "Salz" }));
        QCOMPARE(liste->item(1)->toolTip(), QStringLiteral("Gerundet, genau: 4,5 Eier"));
        QTest::keyClick(auf, Qt::Key_Up);
        QCOMPARE(zeilen().first(), QStringLiteral("875 g Mehl"));
        QTest::keyClick(auf, Qt::Key_Down);

        QTest::mouseClick(knopf(w, "kopieren"), Qt::LeftButton);
        const QString kopie = QGuiApplication::clipboard()->text();
        QVERIFY(kopie.contains(QStringLiteral("Käsespätzle\n\nBrutzels Tellerkiste 3.30\n")));
        QVERIFY(kopie.contains(QStringLiteral("\nfür 6 Personen\n\nZutaten\n750 g Mehl\n5 Eier\n")));

        // The converted amounts go onto the shopping list (Alt+E); the recipe file stays as it was.
        w->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), w);
        QTest::keyClick(w, Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(c.lines(kListe),
            (QStringList { "0|750 g|Mehl|Käsespätzle", "0|5|Eier|Käsespätzle", "0||Salz|Käsespätzle" }));
        QCOMPARE(c.bytes("Data/Rezepte/0000.dat"), rezeptVorher);

        // The pop-up menu converts the recipe under the mouse; without a number it counts recipes.
        p.st.aktuellesRezept = 1;
        tkt::kind<QAction>(f1, "markiertesUmrechnen")->trigger();
        QCOMPARE(auf->value(), 1.0);
        QCOMPARE(tkt::kind<QLabel>(w, "einheit")->text(), QStringLiteral("× Rezept"));
        auf->setValue(2);
        QCOMPARE(zeilen(), (QStringList { "500 g Mehl", "4 Eier", "1 l Milch", "salz" }));
        // One recipe (or one sheet) goes down to a half.
        auf->setValue(1);
        QTest::keyClick(auf, Qt::Key_Down);
        QCOMPARE(auf->text(), QStringLiteral("½"));
        QCOMPARE(zeilen(), (QStringList { "125 g Mehl", "1 Ei", "250 ml Milch", "salz" }));

        // Another recipe on show takes the converter along, at its quantity; the same one again keeps the
        // number.
        f1->zeigeRezept(0);
        QCOMPARE(tkt::kind<QLabel>(w, "titel")->text(), QStringLiteral("Käsespätzle"));
        QCOMPARE(auf->value(), 4.0);
        QCOMPARE(zeilen().first(), QStringLiteral("500 g Mehl"));
        auf->setValue(6);
        f1->zeigeRezept(0);
        QCOMPARE(auf->value(), 6.0);
        QTest::mouseClick(knopf(w, "schliessen"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QCOMPARE(script.unexpected, 0);
    }

    // Two recipes onto the list, a tick and a changed amount; after a restart all of it is there.
    void einkaufsliste()
    {
        tkt::Collection c;
        sammlung(c);
        {
            tkt::ModalScript script;
            tkt::Program p(c.dir());
            tk::Hauptfenster* f1 = p.forms().hauptfenster;
            for (int n : { 0, 1 }) {
                p.st.aktuellesRezept = n;
                tkt::kind<QAction>(f1, "aufDieEinkaufsliste")->trigger();
            }
            auto* w = tkt::kind<QDialog>(f1, "einkaufslistenfenster");
            QVERIFY(w && w->isVisible());
            auto* t = w->findChild<QTableWidget*>();
            QCOMPARE(t->accessibleName(), QStringLiteral("Einkaufsliste"));
            QCOMPARE(spalte(t, 0), (QStringList { "750 g", "5", "", "500 ml" }));
            QCOMPARE(spalte(t, 1), (QStringList { "Mehl", "Eier", "Salz", "Milch" }));
            QCOMPARE(spalte(t, 2).first(), QStringLiteral("Käsespätzle, Pfannkuchen"));

            t->item(1, 0)->setCheckState(Qt::Checked);
            t->item(0, 0)->setText(QStringLiteral("1 kg"));
            QCOMPARE(c.bytes(kListe),
                tkt::crlf({ "0|1 kg|Mehl|Käsespätzle|Pfannkuchen", "1|5|Eier|Käsespätzle|Pfannkuchen",
                    "0||Salz|Käsespätzle|Pfannkuchen", "0|500 ml|Milch|Pfannkuchen" }));

            // The bought eggs stay bought; the new ones are a line of their own.
            p.st.aktuellesRezept = 1;
            tkt::kind<QAction>(f1, "aufDieEinkaufsliste")->trigger();
            QCOMPARE(spalte(t, 0), (QStringList { "1,25 kg", "5", "", "1 l", "2" }));
            QCOMPARE(script.unexpected, 0);
        }

        // A restart: new state, new windows, the list from its file.
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.hauptfensterZeigen();
        QVERIFY(f1);
        QTest::keyClick(f1, Qt::Key_J, Qt::ControlModifier);
        auto* w = tkt::kind<QDialog>(f1, "einkaufslistenfenster");
        QVERIFY(w && w->isVisible());
        auto* t = w->findChild<QTableWidget*>();
        QCOMPARE(spalte(t, 0), (QStringList { "1,25 kg", "5", "", "1 l", "2" }));
        QCOMPARE(t->item(1, 0)->checkState(), Qt::Checked);
        QCOMPARE(t->item(0, 0)->checkState(), Qt::Unchecked);

        // The table is one Tab stop; Tab goes on to the buttons, which have access keys.
        w->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), w);
        t->setFocus();
        QTest::keyClick(t, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), knopf(w, "drucken"));

        // Save dialogs start in the home folder, then in the folder used last.
        const QString pdf = c.path("liste.pdf");
        script.file(pdf);
        QTest::keyClick(w, Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(QFile::exists(pdf));
        QCOMPARE(script.last(ModalKind::SaveFile).filter, QStringLiteral("PDF-Datei (*.pdf)"));
        QCOMPARE(script.last(ModalKind::SaveFile).fileName,
            QDir::home().filePath(QStringLiteral("Einkaufsliste.pdf")));
        QVERIFY(tk::loadBytes(pdf).startsWith("%PDF"));

        const QString txt = c.path("liste.txt");
        script.file(txt);
        QTest::keyClick(w, Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(QFile::exists(txt));
        QCOMPARE(script.last(ModalKind::SaveFile).fileName, c.path("Einkaufsliste.txt"));
        QCOMPARE(c.lines("liste.txt"),
            (QStringList { "Einkaufsliste", "", "[ ] 1,25 kg Mehl", "[x] 5 Eier", "[ ] Salz", "[ ] 1 l Milch",
                "[ ] 2 Eier" }));

        QTest::keyClick(w, Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(spalte(t, 1), (QStringList { "Mehl", "Salz", "Milch", "Eier" }));
        QCOMPARE(c.lines(kListe).size(), 4);
        script.answer(tk::Answer::Yes);
        QTest::keyClick(w, Qt::Key_L, Qt::AltModifier);
        QTRY_COMPARE(t->rowCount(), 0);
        QCOMPARE(c.bytes(kListe), QByteArray());

        // On a long list the lines a recipe brings are scrolled into view.
        QStringList lang;
        for (int i = 0; i < 60; ++i)
            lang.append(QStringLiteral("0|%1 g|Zutat %1|Vorrat").arg(i + 1));
        c.write(kListe, lang);
        f1->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), f1);
        QTest::keyClick(f1, Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(t->rowCount(), 60);
        f1->zeigeRezept(0);
        f1->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), f1);
        QTest::keyClick(f1, Qt::Key_M, Qt::ControlModifier);
        QTest::mouseClick(
            knopf(tkt::kind<QDialog>(f1, "umrechnungsfenster"), "aufEinkaufsliste"), Qt::LeftButton);
        QCOMPARE(t->rowCount(), 63);
        QCOMPARE(t->currentRow(), 60);
        QVERIFY(t->viewport()->rect().contains(t->visualItemRect(t->item(62, 1))));
        QVERIFY(t->viewport()->rect().contains(t->visualItemRect(t->item(60, 1))));

        // The recipe on show as a PDF, named after its title.
        f1->zeigeRezept(0);
        const QString rezeptPdf = c.path("rezept.pdf");
        script.file(rezeptPdf);
        tkt::kind<QAction>(f1, "alsPdfDatei")->trigger();
        QCOMPARE(script.last(ModalKind::SaveFile).fileName, QStringLiteral("Käsespätzle.pdf"));
        const QByteArray bytes = tk::loadBytes(rezeptPdf);
        QVERIFY(bytes.startsWith("%PDF") && bytes.size() > 1000);
        QCOMPARE(script.unexpected, 0);
    }
};

TK_TEST_MAIN(MengenFensterTest)
#include "tst_mengenfenster.moc"
