#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "TestSupport.h"
#include "kochen/gui/Kochmodusfenster.h"

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

        auto* portionen = tkt::kind<QSpinBox>(&w, "Portionen");
        QCOMPARE(portionen->accessibleName(), QStringLiteral("Portionen"));
        QCOMPARE(portionen->value(), 4);
        auto* zutaten = tkt::kind<QListWidget>(&w, "Zutaten");
        QCOMPARE(zutaten->accessibleName(), QStringLiteral("Zutaten"));
        QCOMPARE(zutaten->item(5)->text(), QStringLiteral("4 Zwiebeln"));
        QCOMPARE(zutaten->item(4)->text(), QStringLiteral("Belag"));
        auto* schritt = tkt::kind<QLabel>(&w, "Schritt");
        QCOMPARE(schritt->accessibleName(), QStringLiteral("Schritt"));
        QVERIFY(schritt->font().pointSizeF() >= 24);
        auto* stand = tkt::kind<QLabel>(&w, "Stand");
        QCOMPARE(stand->text(), QStringLiteral("Schritt 1 von 4"));
        QCOMPARE(fett(zutaten), (QStringList { "1 kg Mehl", "2 Würfel Hefe", "600 ml lauwarmes Wasser" }));
        QVERIFY(w.findChildren<QPushButton*>(QStringLiteral("TimerStarten")).isEmpty());

        // "Weiter", Space, Right, Left, Home, End.
        QTest::mouseClick(tkt::kind<QPushButton>(&w, "Weiter"), Qt::LeftButton);
        QCOMPARE(stand->text(), QStringLiteral("Schritt 2 von 4"));
        QCOMPARE(tkt::kind<QLabel>(&w, "Abschnitt")->text(), QStringLiteral("Ruhen"));
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
        const QList<QPushButton*> starten = w.findChildren<QPushButton*>(QStringLiteral("TimerStarten"));
        QCOMPARE(starten.size(), 2);
        QCOMPARE(starten.at(0)->text(), QStringLiteral("Timer 20–30 Min."));
        QCOMPARE(starten.at(1)->text(), QStringLiteral("Timer 30 Min."));
        QTest::mouseClick(starten.at(0), Qt::LeftButton);
        jetzt = 1000;
        QTest::mouseClick(starten.at(1), Qt::LeftButton);
        jetzt = 2000;
        QTRY_COMPARE(texte(&w, "Anzeige"),
            (QStringList { "Teig ruhen lassen – 19:58 (bis 30 Min.)", "Teig ruhen lassen – 29:59" }));

        // They run on in another step; at zero the first rings and can be stopped.
        QTest::keyClick(&w, Qt::Key_End);
        QCOMPARE(stand->text(), QStringLiteral("Schritt 4 von 4"));
        jetzt = 20 * 60 * 1000;
        QTRY_COMPARE(texte(&w, "Anzeige"),
            (QStringList { "Teig ruhen lassen – fertig!", "Teig ruhen lassen – 10:01" }));
        QTest::mouseClick(w.findChildren<QPushButton*>(QStringLiteral("Stopp")).at(0), Qt::LeftButton);
        QTRY_COMPARE(texte(&w, "Anzeige"), (QStringList { "Teig ruhen lassen – 10:01" }));

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
        QTest::mouseClick(tkt::kind<QPushButton>(&w, "Schliessen"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(script.unexpected, 0);
    }
};

TK_TEST_MAIN(KochmodusfensterTest)
#include "tst_kochmodusfenster.moc"
