#include "TestSupport.h"

#include <QAccessible>
#include <QLabel>
#include <QScrollBar>
#include <QTextEdit>

#include "dialogs/gui/Willkommensfenster.h"
#include "dialogs/gui/Ankreuzfeld.h"
#include "dialogs/gui/Klickbild.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/IniFile.h"
#include "platform/gui/Application.h"
#include "platform/gui/HotLabel.h"
#include "settings/Einstellungen.h"
#include "settings/gui/Einstellungsfenster.h"
#include "store/AppState.h"

namespace {
const QString kDat = QStringLiteral("Data/Sonstiges/tellerkiste.dat");
const QString kRtf = QStringLiteral("Data/Sonstiges/Welcome.rtf");

QByteArray source(const QString& rel)
{
    QFile f(QStringLiteral(TK_SOURCE_DIR "/data/") + rel);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A collection with the shipped welcome text and arrows, and the given settings lines.
void prepare(tkt::Collection& c, const QStringList& settings, bool arrows = true)
{
    c.standard({ "0", "Suppe|Max|01,|01.01.2007|für 2 Personen|" });
    c.recipe(0, { "Wasser" }, { "Kochen." });
    c.writeBytes(kRtf, source(QStringLiteral("Sonstiges/Welcome.rtf")));
    if (arrows)
        for (const char* n :
            { "pfeil_hoch_normal", "pfeil_hoch_gedrueckt", "pfeil_runter_normal", "pfeil_runter_gedrueckt" })
            c.writeBytes(QStringLiteral("Data/Grafiken/%1.bmp").arg(QLatin1String(n)),
                source(QStringLiteral("Grafiken/%1.bmp").arg(QLatin1String(n))));
    if (settings.isEmpty())
        QFile::remove(c.path(kDat));
    else
        c.write(kDat, settings);
}

bool storedShowWelcome(const tkt::Collection& c)
{
    return tk::Einstellungen::willkommenZeigen(tk::IniFile(c.path(kDat)));
}
}

class WillkommensfensterTest : public QObject {
    Q_OBJECT
private slots:
    void startupShowsWelcomeOrMain_data()
    {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<bool>("welcome");
        QTest::newRow("no settings file") << QStringList {} << true;
        QTest::newRow("ShowWelcome=1") << QStringList { "[Start]", "ShowWelcome=1" } << true;
        QTest::newRow("ShowWelcome=0") << QStringList { "[Start]", "ShowWelcome=0" } << false;
        QTest::newRow("ShowWelcome garbage") << QStringList { "[Start]", "ShowWelcome=nein" } << true;
    }
    void startupShowsWelcomeOrMain()
    {
        QFETCH(QStringList, settings);
        QFETCH(bool, welcome);
        tkt::Collection c;
        prepare(c, settings);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        QCOMPARE(p.forms().willkommensfenster->isVisible(), welcome);
        QCOMPARE(p.forms().hauptfenster->isVisible(), !welcome);
        QCOMPARE(tkt::kind<QLabel>(p.forms().willkommensfenster, "haken")->text(), QStringLiteral("X"));
        QVERIFY(tkt::kind<QTextEdit>(p.forms().willkommensfenster, "willkommenstext")
                    ->toPlainText()
                    .startsWith(QStringLiteral("Herzlich willkommen!")));
        QCOMPARE(tkt::kind<QTextEdit>(p.forms().willkommensfenster, "willkommenstext")
                     ->verticalScrollBar()
                     ->value(),
            0);
        QCOMPARE(script.unexpected, 0);
    }

    void windowLook()
    {
        tkt::Collection c;
        prepare(c, {});
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Willkommensfenster* w = p.forms().willkommensfenster;
        QCOMPARE(w->windowTitle(), QStringLiteral("Willkommen zu Brutzels Tellerkiste 3.40 !"));
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(w->size(), QSize(499, 399));
        QCOMPARE(tkt::kind<QTextEdit>(w, "willkommenstext")->geometry(), QRect(104, 73, 293, 244));
        QVERIFY(tkt::kind<QTextEdit>(w, "willkommenstext")->isReadOnly());
        QCOMPARE(tkt::kind<QTextEdit>(w, "willkommenstext")->palette().color(QPalette::Base),
            QColor(129, 185, 220));
        QCOMPARE(tkt::kind<tk::Klickbild>(w, "pfeilHoch")->geometry(), QRect(408, 94, 75, 83));
        QCOMPARE(tkt::kind<tk::Klickbild>(w, "pfeilRunter")->geometry(), QRect(410, 222, 81, 74));
        QCOMPARE(tkt::kind<tk::Ankreuzfeld>(w, "ankreuzfeld")->geometry(), QRect(380, 373, 20, 19));
        QCOMPARE(tkt::kind<tk::HotLabel>(w, "weiter")->text(), QStringLiteral("OK, weiter"));
        QCOMPARE(tkt::kind<QLabel>(w, "immerAnzeigen")->text(), QStringLiteral("Immer anzeigen"));
        QCOMPARE(tkt::kind<QTimer>(w, "takt")->interval(), 50);
        QVERIFY(tkt::kind<QTimer>(w, "takt")->isActive());
    }

    void untickAndLeave()
    {
        tkt::Collection c;
        prepare(c, {});
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Willkommensfenster* w = p.forms().willkommensfenster;
        // The words change nothing; the box and the tick do.
        QTest::mousePress(tkt::kind<QLabel>(w, "immerAnzeigen"), Qt::LeftButton);
        QCOMPARE(tkt::kind<QLabel>(w, "haken")->text(), QStringLiteral("X"));
        QTest::mousePress(tkt::kind<tk::Ankreuzfeld>(w, "ankreuzfeld"), Qt::RightButton);
        QCOMPARE(tkt::kind<QLabel>(w, "haken")->text(), QString());
        QTest::mousePress(tkt::kind<tk::Ankreuzfeld>(w, "ankreuzfeld"), Qt::LeftButton, {}, QPoint(10, 9));
        QCOMPARE(tkt::kind<QLabel>(w, "haken")->text(), QStringLiteral("X"));
        QTest::mousePress(tkt::kind<tk::Ankreuzfeld>(w, "ankreuzfeld"), Qt::LeftButton);
        QTest::mousePress(tkt::kind<tk::HotLabel>(w, "weiter"), Qt::MiddleButton);
        QVERIFY(!w->isVisible());
        QVERIFY(p.forms().hauptfenster->isVisible());
        QVERIFY(!storedShowWelcome(c));
        QCOMPARE(script.unexpected, 0);
    }

    void menuShowsWelcomeAndHidesOtherWindows()
    {
        tkt::Collection c;
        prepare(c, { "[Start]", "ShowWelcome=0" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* main = p.forms().hauptfenster;
        tk::Willkommensfenster* w = p.forms().willkommensfenster;
        main->einstellungenZeigen();
        QVERIFY(p.forms().einstellungsfenster->isVisible());
        tkt::kind<QAction>(main, "willkommen")->trigger();
        QVERIFY(w->isVisible());
        QCOMPARE(tkt::kind<QLabel>(w, "haken")->text(), QStringLiteral("X"));
        QTRY_VERIFY(!main->isVisible());
        QVERIFY(!p.forms().einstellungsfenster->isVisible());
        // Still hidden on later ticks, until "OK, weiter".
        main->show();
        QTRY_VERIFY(!main->isVisible());
        tkt::kind<tk::HotLabel>(w, "weiter")->press();
        QVERIFY(main->isVisible());
        QVERIFY(storedShowWelcome(c));
        w->takt();
        QVERIFY(main->isVisible());
    }

    void arrowsScrollLineByLine()
    {
        tkt::Collection c;
        prepare(c, {});
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Willkommensfenster* w = p.forms().willkommensfenster;
        tkt::kind<QTimer>(w, "takt")->stop();
        QCOMPARE(w->obersteZeile(), 0);
        const QImage resting = tkt::kind<tk::Klickbild>(w, "pfeilRunter")->pixmap().toImage();
        QTest::mousePress(tkt::kind<tk::Klickbild>(w, "pfeilRunter"), Qt::LeftButton);
        QVERIFY(w->runterGedrueckt);
        QVERIFY(tkt::kind<tk::Klickbild>(w, "pfeilRunter")->pixmap().toImage() != resting);
        for (int i = 1; i <= 3; ++i) {
            w->takt();
            QCOMPARE(w->obersteZeile(), i);
        }
        QTest::mouseRelease(tkt::kind<tk::Klickbild>(w, "pfeilRunter"), Qt::LeftButton);
        QVERIFY(!w->runterGedrueckt);
        QCOMPARE(tkt::kind<tk::Klickbild>(w, "pfeilRunter")->pixmap().toImage(), resting);
        w->takt();
        QCOMPARE(w->obersteZeile(), 3);

        QTest::mousePress(tkt::kind<tk::Klickbild>(w, "pfeilHoch"), Qt::RightButton);
        QVERIFY(w->hochGedrueckt);
        for (int i = 0; i < 6; ++i)
            w->takt();
        QCOMPARE(w->obersteZeile(), 0); // past the beginning nothing happens
        QCOMPARE(tkt::kind<QTextEdit>(w, "willkommenstext")->verticalScrollBar()->value(), 0);
        QTest::mouseRelease(tkt::kind<tk::Klickbild>(w, "pfeilHoch"), Qt::RightButton);

        // Held long enough, the real timer reaches the end and stops there.
        QScrollBar* bar = tkt::kind<QTextEdit>(w, "willkommenstext")->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        tkt::kind<QTimer>(w, "takt")->start();
        QTest::mousePress(tkt::kind<tk::Klickbild>(w, "pfeilRunter"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(bar->value(), bar->maximum(), 20000);
        QTest::mouseRelease(tkt::kind<tk::Klickbild>(w, "pfeilRunter"), Qt::LeftButton);
        const int line = w->obersteZeile();
        w->takt();
        QCOMPARE(w->obersteZeile(), line);
        QCOMPARE(script.unexpected, 0);
    }

    void missingArrowPictureStopsBeforeTheFlag()
    {
        tkt::Collection c;
        prepare(c, {}, false);
        tkt::ModalScript script;
        script.answer(tk::Answer::Ok);
        tkt::Program p(c.dir());
        tk::Willkommensfenster* w = p.forms().willkommensfenster;
        QTest::mousePress(tkt::kind<tk::Klickbild>(w, "pfeilRunter"), Qt::LeftButton);
        QVERIFY(!w->runterGedrueckt);
        const QStringList reports = script.texts(tk::ModalKind::ErrorReport);
        QCOMPARE(reports.size(), 1);
        QVERIFY(reports.first().contains(QStringLiteral("pfeil_runter_gedrueckt.bmp")));
    }

    void draggingFollowsThePointer()
    {
        tkt::Collection c;
        prepare(c, {});
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Willkommensfenster* w = p.forms().willkommensfenster;
        tkt::kind<QTimer>(w, "takt")->stop();
        QPoint pointer(700, 500);
        w->zeigerPosition = [&] { return pointer; };
        QTest::mousePress(tkt::kind<tk::Klickbild>(w, "hintergrund"), Qt::LeftButton, {}, QPoint(30, 40));
        QVERIFY(w->wirdGezogen);
        pointer = QPoint(300, 200);
        w->takt();
        QCOMPARE(w->pos(), QPoint(270, 160));
        pointer = QPoint(310, 230);
        w->takt();
        QCOMPARE(w->pos(), QPoint(280, 190));
        QTest::mouseRelease(tkt::kind<tk::Klickbild>(w, "hintergrund"), Qt::LeftButton);
        pointer = QPoint(0, 0);
        w->takt();
        QCOMPARE(w->pos(), QPoint(280, 190));
    }

    void missingWelcomeText()
    {
        tkt::Collection c;
        prepare(c, {});
        QFile::remove(c.path(kRtf));
        tkt::ModalScript script;
        script.answer(tk::Answer::Ok);
        tkt::Program p(c.dir());
        const tk::ModalRequest m = script.last(tk::ModalKind::Meldung);
        QCOMPARE(m.caption, QStringLiteral("Fehler!"));
        QCOMPARE(m.text,
            QStringLiteral("Eine Datei der Tellerkiste ist beschädigt. \rBitte laden Sie die Tellerkiste "
                           "neu von https://www.tellerkiste.example.org herunter!"));
        // The settings were still read and applied, and a window is on the screen.
        QVERIFY(c.exists(kDat));
        QVERIFY(p.forms().hauptfenster->isVisible());
        QVERIFY(!p.forms().willkommensfenster->isVisible());
        QCOMPARE(script.unexpected, 0);
    }

    void closingThroughTheSystemEndsTheProgram()
    {
        tkt::Collection c;
        prepare(c, {});
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        QVERIFY(!tk::Application::quitRequested());
        p.forms().willkommensfenster->close();
        QVERIFY(tk::Application::quitRequested());
        tk::Application::clearQuitRequest();
    }

    void accessibleTickAndArrows()
    {
        tkt::Collection c;
        prepare(c, {});
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Willkommensfenster* w = p.forms().willkommensfenster;
        QAccessibleInterface* box
            = QAccessible::queryAccessibleInterface(tkt::kind<tk::Ankreuzfeld>(w, "ankreuzfeld"));
        QVERIFY(box);
        QCOMPARE(box->role(), QAccessible::CheckBox);
        QCOMPARE(box->text(QAccessible::Name), QStringLiteral("Immer anzeigen"));
        QVERIFY(box->state().checked);
        box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(!box->state().checked);
        QCOMPARE(tkt::kind<QLabel>(w, "haken")->text(), QString());
        QAccessibleInterface* down
            = QAccessible::queryAccessibleInterface(tkt::kind<tk::Klickbild>(w, "pfeilRunter"));
        QCOMPARE(down->role(), QAccessible::Button);
        QCOMPARE(down->text(QAccessible::Name), QStringLiteral("Nach unten blättern"));
        down->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(w->obersteZeile(), 3);
    }
};

TK_TEST_MAIN(WillkommensfensterTest)
#include "tst_willkommensfenster.moc"
