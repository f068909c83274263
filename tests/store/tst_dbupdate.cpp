// The database update: conversion of old entries, and the window.
#include "TestSupport.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/RecipeList.h"
#include "store/AppState.h"
#include "mainwin/gui/Aktualisierungsfenster.h"
#include "store/DbUpdate.h"
#include "platform/Error.h"

class DbUpdateTest : public QObject {
    Q_OBJECT
private slots:
    void init() { tk::Application::clearQuitRequest(); }

    void convertsEntries_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::addColumn<bool>("converted");
        QTest::newRow("03a") << "Suppe|Opa|03a|1.1.2000|2|"
                             << "Suppe|Opa|01,04,11,|1.1.2000|2|" << true;
        QTest::newRow("empty list") << "Suppe|Opa||1.1.2000|2|"
                                    << "Suppe|Opa|01,|1.1.2000|2|" << true;
        QTest::newRow("a and b") << "X|Y|ba|d|m|"
                                 << "X|Y|11,12,|d|m|" << true;
        QTest::newRow("upper-case A and B give nothing") << "X|Y|AB|d|m|"
                                                         << "X|Y||d|m|" << true;
        QTest::newRow("digits sorted, repeats once") << "X|Y|9909|d|m|"
                                                     << "X|Y|01,10,|d|m|" << true;
        QTest::newRow("current list kept, empty author") << "X||02,05,|d|m|"
                                                         << "X|-|02,05,|d|m|" << false;
        QTest::newRow("all empty but list") << "||01,|||"
                                            << "||||" << false;
        QTest::newRow("text after the fifth bar dropped") << "T|A|01,|d|m|rest|mehr"
                                                          << "T|A|01,|d|m|" << false;
        QTest::newRow("no bar at all: every field empty") << "Titel"
                                                          << "-|-|01,|-|-|" << true;
        QTest::newRow("two fields") << "Titel|Autor"
                                    << "Titel|-|01,|-|-|" << true;
    }
    void convertsEntries()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QFETCH(bool, converted);
        if (in == "||01,|||") {
            // "||01,|||" is a deleted entry (it holds "|||"): the index conversion leaves it alone.
            const QStringList lines = tk::convertIndex({ "0", in }, {}, {});
            QCOMPARE(lines.at(1), in);
            return;
        }
        bool old = !converted;
        QCOMPARE(tk::convertEntry(in, &old), out);
        QCOMPARE(old, converted);
        // A second run changes nothing (an entry whose old list gave no category at all gets 01, then).
        if (!out.section(u'|', 2, 2).contains(u','))
            return;
        bool again = true;
        QCOMPARE(tk::convertEntry(out, &again), out);
        QVERIFY(!again);
    }

    void windowConvertsIndexAndReloads()
    {
        tkt::Collection c;
        c.standard({ "3", "Suppe|Opa|3|1.1.2000|2 Teller|", "||||", "Kuchen||01,13,|d|m|", "Fisch|x|4b|d|m|",
            "Rest" });
        tkt::ModalScript script;
        script.answer(tk::Answer::Ok); // old-format notice at start
        tkt::Program p(c.dir());
        tk::Aktualisierungsfenster* w = p.forms().aktualisierungsfenster;
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Datenbank aktualisieren"));
        QCOMPARE(w->size(), QSize(418, 313));
        QStringList progress;
        connect(tkt::kind<QProgressBar>(w, "fortschritt"), &QProgressBar::valueChanged, this,
            [&] { progress.append(tkt::kind<QLabel>(w, "stand")->text()); });
        script.answer(tk::Answer::Ok);
        QTest::mouseClick(tkt::kind<QPushButton>(w, "starten"), Qt::LeftButton);
        QCOMPARE(c.lines(QStringLiteral("Data/Rezepte/index.dat")),
            QStringList({ "3", "Suppe|Opa|04,|1.1.2000|2 Teller|", "||||", "Kuchen|-|01,13,|d|m|",
                "Fisch|x|05,12,|d|m|", "Rest" }));
        QCOMPARE(tkt::kind<QPlainTextEdit>(w, "ergebnis")->toPlainText(),
            QStringLiteral("Kategorien aktualisiert\nKategorien aktualisiert"));
        QCOMPARE(tkt::kind<QLabel>(w, "stand")->text(), QStringLiteral("Eintrag 3 von 3 wird aktualisiert"));
        QCOMPARE(progress.last(), QStringLiteral("Eintrag 3 von 3 wird aktualisiert"));
        const tk::ModalRequest done = script.last(tk::ModalKind::Meldung);
        QCOMPARE(done.text, QStringLiteral("Aktualisierung abgeschlossen!"));
        QCOMPARE(done.caption, QStringLiteral("Fertig!"));
        QCOMPARE(script.unexpected, 0);
        // The reload found no old entry any more, and the flags are right.
        QCOMPARE(p.st.rezeptAnzahl, 3);
        QCOMPARE(int(p.st.rezepte[0].inKategorie[4]), 1);
        // Running it again changes nothing.
        const QByteArray before = c.bytes(QStringLiteral("Data/Rezepte/index.dat"));
        script.answer(tk::Answer::Ok);
        w->starten();
        QCOMPARE(c.bytes(QStringLiteral("Data/Rezepte/index.dat")), before);
        QCOMPARE(tkt::kind<QPlainTextEdit>(w, "ergebnis")
                     ->toPlainText()
                     .count(QStringLiteral("Kategorien aktualisiert")),
            2);
        QTest::mouseClick(tkt::kind<QPushButton>(w, "schliessen"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
    }

    void failureLeavesTheOldIndex()
    {
        tkt::Collection c;
        c.standard({ "5", "Suppe|Opa|3|1.1.2000|2 Teller|" }); // shorter than line 0 says
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        QCOMPARE(script.seen().size(), 2); // at start: the damaged index, the old format
        const QByteArray before = c.bytes(QStringLiteral("Data/Rezepte/index.dat"));
        bool thrown = false;
        try {
            p.forms().aktualisierungsfenster->starten();
        } catch (const tk::Error&) {
            thrown = true;
        }
        QVERIFY(thrown);
        QCOMPARE(c.bytes(QStringLiteral("Data/Rezepte/index.dat")), before);
    }

    void progressTextsForTen()
    {
        QStringList lines { "10" };
        for (int i = 0; i <= 10; ++i)
            lines.append(QStringLiteral("R%1|a|01,|d|m|").arg(i));
        QList<int> seen;
        tk::convertIndex(lines,
            [&](int done, int max) {
                QCOMPARE(max, 10);
                seen.append(done);
            },
            {});
        QCOMPARE(seen.size(), 11);
        QCOMPARE(seen.first(), 0);
        QCOMPARE(seen.last(), 10);
    }
};

TK_TEST_MAIN(DbUpdateTest)
#include "tst_dbupdate.moc"
