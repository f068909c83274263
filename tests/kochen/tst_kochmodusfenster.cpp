#include "TestSupport.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QDoubleSpinBox>

#include "dialogs/gui/Willkommensfenster.h"
#include "kochen/gui/Kochmodusfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "store/AppState.h"

using tk::ModalKind;

namespace {
QStringList fett(const QListWidget* liste)
{
    QStringList out;
    for (int i = 0; i < liste->count(); ++i)
        if (liste->item(i)->font().bold())
            out.append(liste->item(i)->text());
    return out;
}

QStringList texte(const QWidget* w, const char* name)
{
    QStringList out;
    for (const QLabel* l : w->findChildren<QLabel*>(QLatin1String(name)))
        if (l->isVisible())
            out.append(l->text());
    return out;
}
}

class KochmodusfensterTest : public QObject {
    Q_OBJECT

private slots:
    // A recipe at the stove: steps by button and keys, the mentioned ingredients in bold, two timers
    // on a test clock, one rung and stopped, and the question when leaving with one still running.
    void kochen()
    {
        tkt::Collection c;
        c.write("Data/Sonstiges/tellerkiste.dat", { "[Schrift]", "Size=10" });
        tkt::ModalScript script;
        tk::Kochmodusfenster w(c.dir());
        qint64 jetzt = 0;
        w.setUhr([&] { return jetzt; });

        tk::RezeptAnsicht r;
        r.titel = QStringLiteral("Zwiebelkuchen");
        r.menge = QStringLiteral("für 2 Personen");
        r.zutaten = QStringList { "500 g Mehl", "1 Würfel Hefe", "300 ml lauwarmes Wasser", "2 EL Olivenöl",
            "=== Belag ===", "2 Zwiebeln", "200 g Schlagsahne", "Rosinen" };
        r.zeilen = QStringList { "Mehl in eine Schüssel sieben, die Hefe im Wasser auflösen.", "",
            "=== Ruhen ===", "Teig ruhen lassen, 20-30 Minuten, dann ½ Std. kalt stellen.", "",
            "In Öl die Zwiebelringe anbraten, mit Sahne ablöschen.", "", "Bei 220 Grad 12 Min. backen." };
        w.zeige(r, 4);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(w.isFullScreen());

        auto* portionen = tkt::kind<QDoubleSpinBox>(&w, "portionen");
        QCOMPARE(portionen->accessibleName(), QStringLiteral("Portionen"));
        QCOMPARE(portionen->value(), 4.0);
        auto* zutaten = tkt::kind<QListWidget>(&w, "zutaten");
        QCOMPARE(zutaten->accessibleName(), QStringLiteral("Zutaten"));
        QCOMPARE(zutaten->item(5)->text(), QStringLiteral("4 Zwiebeln"));
        QCOMPARE(zutaten->item(4)->text(), QStringLiteral("Belag"));
        auto* schritt = tkt::kind<QLabel>(&w, "schritt");
        QCOMPARE(schritt->accessibleName(), QStringLiteral("Schritt"));
        QVERIFY(schritt->font().pointSizeF() >= 24);
        auto* stand = tkt::kind<QLabel>(&w, "stand");
        QCOMPARE(stand->text(), QStringLiteral("Schritt 1 von 4"));
        QCOMPARE(fett(zutaten), (QStringList { "1 kg Mehl", "2 Würfel Hefe", "600 ml lauwarmes Wasser" }));
        QVERIFY(w.findChildren<QPushButton*>(QStringLiteral("timerStarten")).isEmpty());

        // "Weiter", Space, Right, Left, Home, End.
        QTest::mouseClick(tkt::kind<QPushButton>(&w, "weiter"), Qt::LeftButton);
        QCOMPARE(stand->text(), QStringLiteral("Schritt 2 von 4"));
        QCOMPARE(tkt::kind<QLabel>(&w, "abschnitt")->text(), QStringLiteral("Ruhen"));
        QVERIFY(fett(zutaten).isEmpty());
        QTest::keyClick(&w, Qt::Key_Space);
        QCOMPARE(stand->text(), QStringLiteral("Schritt 3 von 4"));
        QCOMPARE(fett(zutaten), (QStringList { "4 EL Olivenöl", "4 Zwiebeln", "400 g Schlagsahne" }));
        QTest::keyClick(&w, Qt::Key_Right);
        QCOMPARE(stand->text(), QStringLiteral("Schritt 4 von 4"));
        QTest::keyClick(&w, Qt::Key_Right);
        QCOMPARE(stand->text(), QStringLiteral("Schritt 4 von 4"));
        QTest::keyClick(&w, Qt::Key_Home);
        QCOMPARE(stand->text(), QStringLiteral("Schritt 1 von 4"));
        QTest::keyClick(&w, Qt::Key_PageDown);
        QCOMPARE(schritt->text(), r.zeilen.at(3));

        // Both times of the step become timers; the range runs its lower end.
        const QList<QPushButton*> starten = w.findChildren<QPushButton*>(QStringLiteral("timerStarten"));
        QCOMPARE(starten.size(), 2);
        QCOMPARE(starten.at(0)->text(), QStringLiteral("Timer 20–30 Min."));
        QCOMPARE(starten.at(1)->text(), QStringLiteral("Timer 30 Min."));
        QTest::mouseClick(starten.at(0), Qt::LeftButton);
        jetzt = 1000;
        QTest::mouseClick(starten.at(1), Qt::LeftButton);
        jetzt = 2000;
        QTRY_COMPARE(texte(&w, "anzeige"),
            (QStringList { "Teig ruhen lassen – 19:58 (bis 30 Min.)", "Teig ruhen lassen – 29:59" }));

        // They run on in another step; at zero the first rings and can be stopped.
        QTest::keyClick(&w, Qt::Key_End);
        QCOMPARE(stand->text(), QStringLiteral("Schritt 4 von 4"));
        jetzt = 20 * 60 * 1000;
        QTRY_COMPARE(texte(&w, "anzeige"),
            (QStringList { "Teig ruhen lassen – fertig!", "Teig ruhen lassen – 10:01" }));
        QTest::mouseClick(w.findChildren<QPushButton*>(QStringLiteral("stopp")).at(0), Qt::LeftButton);
        QTRY_COMPARE(texte(&w, "anzeige"), (QStringList { "Teig ruhen lassen – 10:01" }));

        // The text size is kept in the settings file.
        QTest::keyClick(&w, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(schritt->font().pointSizeF(), 26 * 1.1);
        QCOMPARE(c.lines("Data/Sonstiges/tellerkiste.dat"),
            (QStringList { "[Schrift]", "Size=10", "[Kochmodus]", "Textgroesse=110" }));

        // Leaving while a timer runs asks first; "Nein" stays.
        script.answer(tk::Answer::No);
        QTest::keyClick(&w, Qt::Key_Escape);
        QCOMPARE(script.last(ModalKind::Question).text,
            QStringLiteral("Es laufen noch Timer. Kochmodus trotzdem beenden?"));
        QVERIFY(w.isVisible());
        script.answer(tk::Answer::Yes);
        QTest::mouseClick(tkt::kind<QPushButton>(&w, "schliessen"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(script.unexpected, 0);
    }

    // From the main window: Ctrl+Shift+K takes the converter's number when it shows the recipe; the
    // list's pop-up menu opens the recipe under the mouse, one without a number in whole recipes.
    void ausDemHauptfenster()
    {
        tkt::Collection c;
        c.standard(
            { "1", "Käsespätzle|Anna|01,|12.03.2006|für 4 Personen|", "Pfannkuchen|Bert|01,|01.01.2007|-|" });
        c.recipe(0, { "500 g Mehl", "3 Eier" }, { "Teig schlagen." });
        c.recipe(1, { "250 g Mehl" }, { "Ausbacken." });
        const QByteArray vorher = c.bytes("Data/Rezepte/0000.dat");
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        p.forms().willkommensfenster->hide();
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        f1->show();
        f1->zeigeRezept(0);
        tkt::kind<QAction>(f1, "umrechnen")->trigger();
        tkt::kind<QDoubleSpinBox>(tkt::kind<QDialog>(f1, "umrechnungsfenster"), "umrechnenAuf")->setValue(6);
        f1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f1));
        QTest::keyClick(f1, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        auto* w = f1->findChild<tk::Kochmodusfenster*>();
        QVERIFY(w && w->isVisible());
        QTRY_VERIFY(w->isFullScreen());
        QCOMPARE(tkt::kind<QLabel>(w, "titel")->text(), QStringLiteral("Käsespätzle"));
        QCOMPARE(tkt::kind<QDoubleSpinBox>(w, "portionen")->value(), 6.0);
        QCOMPARE(tkt::kind<QListWidget>(w, "zutaten")->item(0)->text(), QStringLiteral("750 g Mehl"));
        w->close();

        p.st.aktuellesRezept = 1;
        tkt::kind<QAction>(f1, "markiertesKochen")->trigger();
        QVERIFY(w->isVisible());
        QCOMPARE(tkt::kind<QDoubleSpinBox>(w, "portionen")->value(), 1.0);
        QCOMPARE(tkt::kind<QLabel>(w, "einheit")->text(), QStringLiteral("× Rezept"));
        QCOMPARE(c.bytes("Data/Rezepte/0000.dat"), vorher);
        QCOMPARE(script.unexpected, 0);
    }
};

TK_TEST_MAIN(KochmodusfensterTest)
#include "tst_kochmodusfenster.moc"
