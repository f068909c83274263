#include "TestSupport.h"

#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include "dialogs/gui/Willkommensfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "planung/Wochenplan.h"
#include "planung/gui/Wochenplanfenster.h"
#include "platform/TextLines.h"
#include "platform/gui/RecipeList.h"
#include "store/AppState.h"

namespace {
const QString kPlan = QStringLiteral("Data/Sonstiges/wochenplan.dat");

QStringList eintraege(QWidget* w, const char* tag)
{
    auto* liste = tkt::kind<QListWidget>(w, QLatin1String(tag));
    QStringList out;
    for (int i = 0; i < liste->count(); ++i)
        out.append(liste->item(i)->text());
    return out;
}

void klick(QWidget* w, const char* name)
{
    QTest::mouseClick(tkt::kind<QPushButton>(w, QLatin1String(name)), Qt::LeftButton);
}

// What a drag from a recipe list or a day list leaves on a day.
void ablegen(QWidget* w, const char* tag, const QMimeData* mime)
{
    auto* liste = tkt::kind<QListWidget>(w, QLatin1String(tag));
    const QPoint unten(5, liste->viewport()->height() - 5);
    const Qt::DropActions erlaubt = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent hinein(unten, erlaubt, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(liste->viewport(), &hinein);
    QVERIFY(hinein.isAccepted());
    QDropEvent drop(unten, erlaubt, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(liste->viewport(), &drop);
}

QString datum(QDate montag, int tag) { return montag.addDays(tag).toString(QStringLiteral("dd.MM.yyyy")); }
}

class WochenplanfensterTest : public QObject {
    Q_OBJECT

private slots:
    // Two recipes on two days, a free text moved and removed, the next week empty, the week onto the
    // shopping list; the plan is there again after a restart, a deleted recipe keeps its title.
    void woche()
    {
        tkt::Collection c;
        c.standard({ "1", "Käsespätzle|Anna|01,|12.03.2006|für 4 Personen|",
            "Pfannkuchen|Bert|01,|01.01.2007|für 2 Personen|" });
        c.recipe(0, { "500 g Mehl", "3 Eier", "Salz" }, { "Teig schlagen." });
        c.recipe(1, { "250 g Mehl", "2 Eier", "500 ml Milch" }, { "Ausbacken." });
        const QDate montag = tk::wochenanfang(QDate::currentDate());
        {
            tkt::ModalScript script;
            tkt::Program p(c.dir());
            tk::Hauptfenster* f1 = p.hauptfensterZeigen();
            QVERIFY(f1);
            QTest::keyClick(f1, Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
            auto* w = tkt::kind<QDialog>(f1, "wochenplanfenster");
            QVERIFY(QTest::qWaitForWindowActive(w));
            QCOMPARE(tkt::kind<QLabel>(w, "woche")->text(),
                QStringLiteral("Woche vom %1 bis %2").arg(datum(montag, 0), datum(montag, 6)));
            QCOMPARE(tkt::kind<QListWidget>(w, "mittwoch")->accessibleName(), QStringLiteral("Mittwoch"));

            // The recipe on show goes to the day last clicked; one dragged to Friday lands there.
            f1->zeigeRezept(0);
            QTest::mouseClick(tkt::kind<QListWidget>(w, "mittwoch")->viewport(), Qt::LeftButton);
            klick(w, "rezeptHinzufuegen");
            // What the main window's list hands to a drag.
            auto* rezeptliste = tkt::kind<tk::RecipeList>(f1, "rezeptliste");
            const int zeile = rezeptliste->model()->entries()[0].number == 1 ? 0 : 1;
            std::unique_ptr<QMimeData> gezogen(
                rezeptliste->model()->mimeData({ rezeptliste->model()->index(zeile) }));
            ablegen(w, "freitag", gezogen.get());
            QCOMPARE(eintraege(w, "mittwoch"), QStringList { "Käsespätzle (4 Portionen)" });
            QCOMPARE(eintraege(w, "freitag"), QStringList { "Pfannkuchen (2 Portionen)" });

            // Friday's pancakes for four.
            tkt::kind<QListWidget>(w, "freitag")->setCurrentRow(0);
            script.drive([](QWidget* d) {
                tkt::kind<QSpinBox>(d, "portionen")->setValue(4);
                QTest::mouseClick(tkt::kind<QPushButton>(d, "ok"), Qt::LeftButton);
            });
            klick(w, "portionen");
            QCOMPARE(eintraege(w, "freitag"), QStringList { "Pfannkuchen (4 Portionen)" });

            // A free text on Wednesday, dragged to Sunday, and taken off with Entf.
            script.drive([](QWidget* d) {
                QTest::keyClicks(tkt::kind<QLineEdit>(d, "text"), "Reste");
                QTest::mouseClick(tkt::kind<QPushButton>(d, "ok"), Qt::LeftButton);
            });
            QTest::mouseClick(
                tkt::kind<QListWidget>(w, "mittwoch")->viewport(), Qt::LeftButton, {}, QPoint(5, 150));
            klick(w, "eintragHinzufuegen");
            QCOMPARE(eintraege(w, "mittwoch"), (QStringList { "Käsespätzle (4 Portionen)", "Reste" }));
            QMimeData eintrag;
            eintrag.setData(QStringLiteral("application/x-tellerkiste-planeintrag"), "2 1");
            ablegen(w, "sonntag", &eintrag);
            QCOMPARE(eintraege(w, "mittwoch"), QStringList { "Käsespätzle (4 Portionen)" });
            QCOMPARE(eintraege(w, "sonntag"), QStringList { "Reste" });
            QCOMPARE(c.bytes(kPlan),
                tkt::crlf({ datum(montag, 2) + "|0|4|Käsespätzle", datum(montag, 4) + "|1|4|Pfannkuchen",
                    datum(montag, 6) + "|-1|0|Reste" }));
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            // The moved entry is chosen and its list has the focus, so Entf and Enter act on it.
            QCOMPARE(QApplication::focusWidget(), tkt::kind<QListWidget>(w, "sonntag"));
            QCOMPARE(tkt::kind<QListWidget>(w, "sonntag")->currentRow(), 0);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
            QCOMPARE(eintraege(w, "sonntag"), QStringList());
            QCOMPARE(c.lines(kPlan).size(), 2);

            // The next week is empty; back again, the plan is there.
            klick(w, "naechsteWoche");
            QCOMPARE(tkt::kind<QLabel>(w, "woche")->text(),
                QStringLiteral("Woche vom %1 bis %2").arg(datum(montag, 7), datum(montag, 13)));
            for (const char* tag : { "montag", "mittwoch", "freitag", "sonntag" })
                QCOMPARE(eintraege(w, tag), QStringList());
            klick(w, "vorigeWoche");
            QCOMPARE(eintraege(w, "freitag"), QStringList { "Pfannkuchen (4 Portionen)" });

            // The week onto the shopping list: the pancakes doubled, alike lines added up.
            klick(w, "aufEinkaufsliste");
            QCOMPARE(c.lines("Data/Sonstiges/einkaufsliste.dat"),
                (QStringList { "0|1 kg|Mehl|Käsespätzle|Pfannkuchen", "0|7|Eier|Käsespätzle|Pfannkuchen",
                    "0||Salz|Käsespätzle", "0|1 l|Milch|Pfannkuchen" }));

            // The week as a PDF on one landscape page.
            const QString pdf = c.path("woche.pdf");
            script.file(pdf);
            klick(w, "alsPdf");
            QCOMPARE(script.last(tk::ModalKind::SaveFile).fileName,
                QStringLiteral("Wochenplan %1.pdf").arg(datum(montag, 0)));
            QVERIFY(tk::loadBytes(pdf).startsWith("%PDF"));
            QCOMPARE(script.unexpected, 0);
        }

        // A restart: the plan is there. The list's pop-up menu asks for the day; another computer plans
        // Saturday; the cheese noodles are deleted and keep their title in the plan.
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        p.st.sammlung.beobachten(10);
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        tkt::kind<QAction>(f1, "wochenplan")->trigger();
        auto* w = tkt::kind<QDialog>(f1, "wochenplanfenster");
        QCOMPARE(eintraege(w, "mittwoch"), QStringList { "Käsespätzle (4 Portionen)" });
        QCOMPARE(eintraege(w, "freitag"), QStringList { "Pfannkuchen (4 Portionen)" });
        p.st.aktuellesRezept = 0;
        script.drive([&](QWidget* d) {
            tkt::kind<QDateEdit>(d, "tag")->setDate(montag.addDays(3));
            QTest::mouseClick(tkt::kind<QPushButton>(d, "ok"), Qt::LeftButton);
        });
        tkt::kind<QAction>(f1, "markiertesEinplanen")->trigger();
        QCOMPARE(eintraege(w, "donnerstag"), QStringList { "Käsespätzle (4 Portionen)" });
        c.write(kPlan, c.lines(kPlan) << datum(montag, 5) + "|-1|0|Grillen");
        QTRY_COMPARE(eintraege(w, "samstag"), QStringList { "Grillen" });
        p.st.sammlung.loescheRezept(0);
        QTRY_COMPARE(eintraege(w, "mittwoch"), QStringList { "Käsespätzle (gelöscht)" });
        QCOMPARE(eintraege(w, "donnerstag"), QStringList { "Käsespätzle (gelöscht)" });
        QCOMPARE(script.unexpected, 0);
    }
};

TK_TEST_MAIN(WochenplanfensterTest)
#include "tst_wochenplanfenster.moc"
