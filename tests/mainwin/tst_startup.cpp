// Start-up, the layout file, the message window and the loading window.
#include "TestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QScopeGuard>
#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>

#include "editing/gui/Rezepteditor.h"
#include "mainwin/gui/Meldungsfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/RecipeList.h"
#include "platform/gui/FontSize.h"
#include "platform/gui/HotLabel.h"
#include "platform/gui/TabControl.h"
#include "store/Webadressen.h"
#include "store/AppState.h"
#include "mainwin/gui/Aktualisierungsfenster.h"
#include "mainwin/gui/Ladefenster.h"

using tk::ModalKind;

namespace {
const QString kLive = QStringLiteral("Apfelkuchen|Oma|01,13,|12.03.2006|für 4 Personen|");

QImage picture(const QLabel* l) { return l->pixmap().toImage(); }
}

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void init() { tk::Application::clearQuitRequest(); }

    void freshStartUsesDefaultsAndClosingWritesAllKeys()
    {
        tkt::Collection c;
        c.standard({ QStringLiteral("0"), kLive });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        QVERIFY(m->isVisible());
        QVERIFY(m->isEnabled());
        QCOMPARE(m->windowTitle(), QStringLiteral("Brutzels Tellerkiste 3.40 (01/2007)"));
        QCOMPARE(m->size(), QSize(750, 500));
        const QRect screen = m->screen()->availableGeometry();
        QCOMPARE(m->frameGeometry().center().x() / 2, screen.center().x() / 2);
        QCOMPARE(m->frameGeometry().center().y() / 2, screen.center().y() / 2);
        QCOMPARE(tkt::kind<QSplitter>(m, "spalten")->sizes().at(0), 170);
        QCOMPARE(tkt::kind<QSplitter>(m, "spalten")->sizes().at(2), 170);
        QCOMPARE(tkt::kind<QSplitter>(m, "ergebnisTeiler")->sizes().at(0), 81);
        for (QWidget* w : { tkt::kind<QWidget>(m, "symbolleiste"),
                 static_cast<QWidget*>(tkt::kind<tk::RecipeList>(m, "suchergebnisse")),
                 tkt::kind<QWidget>(m, "zusatzinfo"),
                 static_cast<QWidget*>(tkt::kind<tk::TabControl>(m, "kategorien")) })
            QVERIFY(!w->isHidden());
        for (QAction* a :
            { tkt::kind<QAction>(m, "symbolleisteSichtbar"), tkt::kind<QAction>(m, "suchergebnisseSichtbar"),
                tkt::kind<QAction>(m, "zusatzinfoSichtbar"), tkt::kind<QAction>(m, "kategorienSichtbar") })
            QVERIFY(a->isChecked());
        m->move(120, 80);
        m->close();
        QCOMPARE(c.lines(QStringLiteral("config.ini")),
            QStringList({ "[Fenster]", "Breite=750", "Links=120", "Hoehe=500", "Oben=80", "[Panel2]",
                "Breite=170", "[Panel4]", "Breite=170", "[SuchErgebnisse]", "Hoehe=81", "Sichtbar=1",
                "[Panel1]", "Sichtbar=1", "[Panel5]", "Sichtbar=1", "[Kategorien]", "Sichtbar=1" }));
        QVERIFY(c.bytes(QStringLiteral("config.ini")).endsWith("Sichtbar=1\r\n"));
        QCOMPARE(script.unexpected, 0);
    }

    void layoutRoundTrip()
    {
        tkt::Collection c;
        c.standard({ QStringLiteral("0"), kLive });
        c.write(QStringLiteral("config.ini"),
            { "[Fenster]", "Breite=600", "Hoehe=400", "Links=120", "Oben=80", "[panel2]", "breite=200",
                "[Panel4]", "Breite=0x82", "[Suchergebnisse]", "Hoehe=60", "Sichtbar=0", "[Panel1]",
                "Sichtbar=0", "[Kategorien]", "Sichtbar=1" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        QCOMPARE(m->size(), QSize(600, 400));
        QVERIFY(tkt::kind<QWidget>(m, "symbolleiste")->isHidden());
        QVERIFY(!tkt::kind<QAction>(m, "symbolleisteSichtbar")->isChecked());
        QVERIFY(tkt::kind<tk::RecipeList>(m, "suchergebnisse")->isHidden());
        QVERIFY(!tkt::kind<QAction>(m, "suchergebnisseSichtbar")->isChecked());
        QCOMPARE(tkt::kind<QSplitter>(m, "spalten")->sizes().at(0), 200);
        QCOMPARE(tkt::kind<QSplitter>(m, "spalten")->sizes().at(2), 130);
        m->move(33, 44);
        m->close();
        tk::IniFile ini(c.path(QStringLiteral("config.ini")));
        QCOMPARE(ini.readInteger("Fenster", "Breite", 0), 600);
        QCOMPARE(ini.readInteger("Fenster", "Hoehe", 0), 400);
        QCOMPARE(ini.readInteger("Fenster", "Links", 0), 33);
        QCOMPARE(ini.readInteger("Fenster", "Oben", 0), 44);
        QCOMPARE(ini.readInteger("Panel2", "Breite", 0), 200);
        QCOMPARE(ini.readInteger("Panel4", "Breite", 0), 130);
        QCOMPARE(ini.readInteger("SuchErgebnisse", "Hoehe", 0), 60);
        QCOMPARE(ini.readBool("Panel1", "Sichtbar", true), false);
        QCOMPARE(ini.readBool("Suchergebnisse", "Sichtbar", true), false);
        // The lower-case section written by hand keeps its spelling; the value changed in place.
        QVERIFY(c.lines(QStringLiteral("config.ini")).contains(QStringLiteral("[panel2]")));
    }

    // The window keeps the size the layout file gives, also when a long title is shown: the title is cut
    // at the panel's edge, and neither the window nor the side panels make room for it.
    void windowKeepsItsSize_data()
    {
        QTest::addColumn<int>("breite");
        QTest::addColumn<int>("hoehe");
        QTest::addColumn<int>("titel"); // length of the title shown
        QTest::newRow("600 × 400 with every area shown") << 600 << 400 << 8;
        QTest::newRow("94-character title") << 750 << 500 << 94;
        QTest::newRow("300-character title, small window") << 600 << 400 << 300;
        QTest::newRow("title of a million characters: shown cut") << 750 << 500 << 1000000;
    }
    void windowKeepsItsSize()
    {
        QFETCH(int, breite);
        QFETCH(int, hoehe);
        QFETCH(int, titel);
        tkt::Collection c;
        const QString name = QStringLiteral("Zwiebelkuchen ").repeated(titel / 14 + 1).left(titel);
        c.standard({ QStringLiteral("0"), name + QStringLiteral("|Oma|01,|d|m|") });
        c.recipe(0, {}, { QStringLiteral("Text") });
        c.write(QStringLiteral("config.ini"),
            { "[Fenster]", QStringLiteral("Breite=%1").arg(breite), QStringLiteral("Hoehe=%1").arg(hoehe) });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        QCOMPARE(m->size(), QSize(breite, hoehe));
        m->zeigeRezept(0);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        // Lists, labels and what a screen reader gets show a title of any sane length whole; the
        // clipboard (as every file) gets it whole always.
        const QString gezeigt = titel <= 500 ? name : name.left(500) + QChar(0x2026);
        QCOMPARE(tkt::kind<QLabel>(m, "titel")->text(), gezeigt);
        const tk::RecipeList* liste = tkt::kind<tk::RecipeList>(m, "rezeptliste");
        QCOMPARE(liste->model()->index(0, 0).data(Qt::AccessibleTextRole).toString(), gezeigt);
        tkt::kind<QAction>(m, "inZwischenablage")->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().contains(name));
        QCOMPARE(m->size(), QSize(breite, hoehe));
        QCOMPARE(tkt::kind<QSplitter>(m, "spalten")->sizes().at(0), 170);
        QCOMPARE(tkt::kind<QSplitter>(m, "spalten")->sizes().at(2), 170);
        QVERIFY(tkt::kind<QLabel>(m, "titel")->height() < 30);
        m->close();
        tk::IniFile ini(c.path(QStringLiteral("config.ini")));
        QCOMPARE(ini.readInteger("Fenster", "Breite", 0), breite);
        QCOMPARE(ini.readInteger("Fenster", "Hoehe", 0), hoehe);
        QCOMPARE(ini.readInteger("Panel2", "Breite", 0), 170);
    }

    void functionKeysFlipAreas_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("area");
        QTest::addColumn<QString>("section");
        QTest::newRow("F9 toolbar") << int(Qt::Key_F9) << "symbolleiste"
                                    << "Panel1";
        QTest::newRow("F10 results") << int(Qt::Key_F10) << "suchergebnisse"
                                     << "Suchergebnisse";
        QTest::newRow("F11 information") << int(Qt::Key_F11) << "zusatzinfo"
                                         << "Panel5";
        QTest::newRow("F12 tabs") << int(Qt::Key_F12) << "kategorien"
                                  << "Kategorien";
    }
    void functionKeysFlipAreas()
    {
        QFETCH(int, key);
        QFETCH(QString, area);
        QFETCH(QString, section);
        tkt::Collection c;
        c.standard({ QStringLiteral("0"), kLive });
        {
            tkt::ModalScript script;
            tkt::Program p(c.dir());
            tk::Hauptfenster* m = p.forms().hauptfenster;
            m->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m));
            QWidget* w = m->findChild<QWidget*>(area);
            QVERIFY(w);
            QTest::keyClick(m, Qt::Key(key));
            QVERIFY(w->isHidden());
            m->close();
        }
        tk::IniFile ini(c.path(QStringLiteral("config.ini")));
        QCOMPARE(ini.readBool(section, "Sichtbar", true), false);
        // The next start keeps the area hidden, and the key shows it again.
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        QWidget* w = m->findChild<QWidget*>(area);
        QVERIFY(w->isHidden());
        m->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m));
        QTest::keyClick(m, Qt::Key(key));
        QVERIFY(!w->isHidden());
    }

    void menuShortcutsAreTheAgreedOnes()
    {
        tkt::Collection c;
        c.standard({ QStringLiteral("0"), kLive });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        QCOMPARE(tkt::kind<QAction>(m, "beenden")->shortcut(), QKeySequence("Ctrl+B"));
        QCOMPARE(tkt::kind<QAction>(m, "nachDatum")->shortcut(), QKeySequence("Ctrl+D"));
        QCOMPARE(tkt::kind<QAction>(m, "nachAlphabet")->shortcut(), QKeySequence("Ctrl+A"));
        QCOMPARE(tkt::kind<QAction>(m, "suchenText")->shortcut(), QKeySequence("Ctrl+Alt+V"));
        QCOMPARE(tkt::kind<QAction>(m, "suchenText")->text(), QStringLiteral("im Rezeptte&xt"));
        QVERIFY(!tkt::kind<QAction>(m, "datenbankAktualisieren")->isVisible());
        QVERIFY(!tkt::kind<QMenu>(m, "updates")->menuAction()->isVisible());
        QCOMPARE(tkt::kind<QAction>(m, "installieren")->shortcut(), QKeySequence("Ctrl+I"));
        // shortcut alive although the menu is hidden
        QVERIFY(m->actions().contains(tkt::kind<QAction>(m, "installieren")));
        QCOMPARE(tkt::kind<QAction>(m, "hilfe")->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(tkt::kind<QAction>(m, "ueber")->text(), QStringLiteral("Über...."));
    }

    // In the quick-search field the menu's shortcuts win over the field's own key bindings.
    void menuShortcutsWinInTheSearchField()
    {
        tkt::Collection c;
        c.standard({ QStringLiteral("1"), QStringLiteral("Zwiebelkuchen|a|01,|d|m|"),
            QStringLiteral("Apfelkuchen|b|01,|d|m|") });
        c.recipe(0, {}, { QStringLiteral("T") });
        c.recipe(1, {}, { QStringLiteral("T") });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        m->nachDatumOrdnen();
        QCOMPARE(tkt::kind<tk::RecipeList>(m, "rezeptliste")->textAt(0), QStringLiteral("Zwiebelkuchen"));
        m->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m));
        tkt::kind<QLineEdit>(m, "schnellsuche")->setFocus();
        QTRY_VERIFY(tkt::kind<QLineEdit>(m, "schnellsuche")->hasFocus());
        tkt::kind<QLineEdit>(m, "schnellsuche")->setCursorPosition(3);
        // "nach dem Alphabet", not "select all"
        QTest::keyClick(tkt::kind<QLineEdit>(m, "schnellsuche"), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(tkt::kind<tk::RecipeList>(m, "rezeptliste")->textAt(0), QStringLiteral("Apfelkuchen"));
        QVERIFY(!tkt::kind<QLineEdit>(m, "schnellsuche")->hasSelectedText());
        // "Bearbeiten", not "end of line"
        QTest::keyClick(tkt::kind<QLineEdit>(m, "schnellsuche"), Qt::Key_E, Qt::ControlModifier);
        QVERIFY(p.forms().rezepteditor->isVisible());
        QCOMPARE(tkt::kind<QLineEdit>(m, "schnellsuche")->cursorPosition(), 3);
    }

    void toolbarPicturesFollowTheMouse()
    {
        tkt::Collection c;
        c.standard({ QStringLiteral("0"), kLive });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        const QString knopf[5] = { "Alphabet", "Datum", "Suchen", "Drucken", "Favorit" };
        for (int t = 0; t < 5; ++t) {
            tk::HotLabel* hot = tkt::kind<tk::HotLabel>(m, QStringLiteral("knopf") + knopf[t]);
            QLabel* img = tkt::kind<QLabel>(m, QStringLiteral("bild") + knopf[t]);
            QCOMPARE(hot->geometry(), img->geometry());
            QCOMPARE(picture(img), m->bildNormal[size_t(t)].toImage());
            QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QApplication::sendEvent(hot, &enter);
            QCOMPARE(picture(img), m->bildUeber[size_t(t)].toImage());
            m->symbolGedrueckt(t + 1);
            QCOMPARE(picture(img), m->bildGedrueckt[size_t(t)].toImage());
            m->symbolLosgelassen(t + 1);
            QCOMPARE(picture(img), m->bildNormal[size_t(t)].toImage());
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(hot, &leave);
            QCOMPARE(picture(img), m->bildNormal[size_t(t)].toImage());
        }
        // A real press and release on the sort button: pressed picture, then normal although still inside.
        QTest::mousePress(tkt::kind<tk::HotLabel>(m, "knopfAlphabet"), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(picture(tkt::kind<QLabel>(m, "bildAlphabet")), m->bildGedrueckt[0].toImage());
        QTest::mouseRelease(tkt::kind<tk::HotLabel>(m, "knopfAlphabet"), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(picture(tkt::kind<QLabel>(m, "bildAlphabet")), m->bildNormal[0].toImage());
        QCOMPARE(tkt::kind<tk::HotLabel>(m, "knopfFavorit")->toolTip(),
            QStringLiteral("Rezept zu den Favoriten hinzufügen/löschen"));
        QAccessibleInterface* acc
            = QAccessible::queryAccessibleInterface(tkt::kind<tk::HotLabel>(m, "knopfSuchen"));
        QVERIFY(acc);
        QCOMPARE(acc->role(), QAccessible::Button);
        QCOMPARE(acc->text(QAccessible::Name), QStringLiteral("Rezepte durchsuchen"));
    }

    void loads_data()
    {
        QTest::addColumn<QStringList>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("listed");
        QTest::addColumn<QString>("progress");
        QTest::newRow("empty") << QStringList { "-1" } << 0 << 0 << "0 von 0";
        QTest::newRow("live and deleted") << QStringList { "1", kLive, "||||" } << 1 << 1 << "1 von 1";
        QTest::newRow("three, middle deleted")
            << QStringList { "2", kLive, "||||", "Gulasch|-|03,|-|-|" } << 2 << 2 << "2 von 2";
        QTest::newRow("lines behind the last are not read")
            << QStringList { "0", kLive, "Extra|x|01,|d|m|" } << 1 << 1 << "0 von 0";
    }
    void loads()
    {
        QFETCH(QStringList, index);
        QFETCH(int, count);
        QFETCH(int, listed);
        QFETCH(QString, progress);
        tkt::Collection c;
        c.standard(index);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        QCOMPARE(script.unexpected, 0);
        QCOMPARE(p.st.sammlung.rezeptAnzahl(), count);
        QCOMPARE(tkt::kind<tk::RecipeList>(m, "rezeptliste")->count(), listed);
        QCOMPARE(tkt::kind<QLabel>(m, "rezeptzahl")->text(),
            QStringLiteral("Rezepte in der Datenbank: %1").arg(count));
        QCOMPARE(tkt::kind<QLabel>(m, "statusRezepte")->text(), QStringLiteral("Rezepte: %1").arg(count));
        QCOMPARE(tkt::kind<QLabel>(m, "statusKategorien")->text(), QStringLiteral("Kategorien: 15"));
        QCOMPARE(tkt::kind<QLabel>(p.forms().ladefenster, "stand")->text(), progress);
        // "Bitte warten, die Rezepte werden geladen..." fits, last dot included.
        QVERIFY(tkt::kind<QLabel>(p.forms().ladefenster, "hinweis")->sizeHint().width()
            <= tkt::kind<QLabel>(p.forms().ladefenster, "hinweis")->width());
        QVERIFY(!p.forms().ladefenster->isVisible());
        QVERIFY(m->isEnabled());
    }

    void progressBarWidth_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("width");
        QTest::newRow("start") << 0 << 250 << 0;
        QTest::newRow("half of 250") << 125 << 250 << 128;
        QTest::newRow("last of 250") << 250 << 250 << 256;
        QTest::newRow("one of one") << 1 << 1 << 129;
        QTest::newRow("large") << 99999 << 99999 << 257;
    }
    void progressBarWidth()
    {
        QFETCH(int, n);
        QFETCH(int, max);
        QFETCH(int, width);
        QCOMPARE(tk::Ladefenster::balkenbreite(n, max), width);
    }

    void missingIndexSaysSoAndKeepsMainDisabled_data()
    {
        QTest::addColumn<QString>("kreis"); // this path becomes a link to itself; empty: index.dat is gone
        QTest::addColumn<QString>("text"); // %1: the link's path
        QTest::newRow("index missing")
            << QString()
            << QStringLiteral(
                   "Die Datenbank kann nicht gelesen werden.\rBitte laden Sie die Tellerkiste neu von ")
                + QLatin1String(tk::kWebseite) + QStringLiteral(" herunter!");
        QTest::newRow("recipe folder a link loop")
            << QStringLiteral("Data/Rezepte")
            << QStringLiteral(
                   "Die Datenbank kann nicht gelesen werden.\rDie Verknüpfung \"%1\" führt im Kreis "
                   "und kann nicht geöffnet werden.");
    }
    void missingIndexSaysSoAndKeepsMainDisabled()
    {
        QFETCH(QString, kreis);
        QFETCH(QString, text);
        tkt::Collection c;
        c.standard({ "-1" });
        if (kreis.isEmpty()) {
            QFile::remove(c.path(QStringLiteral("Data/Rezepte/index.dat")));
        } else {
            QDir(c.path(kreis)).removeRecursively();
            QVERIFY(QFile::link(QFileInfo(kreis).fileName(), c.path(kreis)));
            text = text.arg(
                QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(c.path(kreis)).absoluteFilePath())));
        }
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        const tk::ModalRequest r = script.last(ModalKind::Meldung);
        QCOMPARE(r.caption, QStringLiteral("Schwerer Fehler"));
        QCOMPARE(r.text, text);
        QVERIFY(!p.forms().hauptfenster->isEnabled());
        QVERIFY(p.forms().ladefenster->isVisible());
    }

    void damagedIndexIsReported_data()
    {
        QTest::addColumn<QStringList>("index");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("progress"); // where the load stopped
        QTest::newRow("line 0 no number") << QStringList { "abc", kLive } << 0 << "Zeile 0"
                                          << "0 von 0";
        QTest::newRow("shorter than line 0 says") << QStringList { "3", kLive, "||||" } << 1 << "Zeile 3"
                                                  << "2 von 3";
        QTest::newRow("line 0 the largest number") << QStringList { "2147483647", kLive } << 1 << "Zeile 2"
                                                   << "1 von 2147483647";
    }
    void damagedIndexIsReported()
    {
        QFETCH(QStringList, index);
        QFETCH(int, count);
        QFETCH(QString, line);
        QFETCH(QString, progress);
        tkt::Collection c;
        c.standard(index);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        const tk::ModalRequest r = script.last(ModalKind::Meldung);
        QCOMPARE(r.caption, QStringLiteral("Schwerer Fehler"));
        QVERIFY2(r.text.contains(QStringLiteral("beschädigt")) && r.text.contains(line), qPrintable(r.text));
        QCOMPARE(p.st.sammlung.rezeptAnzahl(), count);
        QCOMPARE(tkt::kind<tk::RecipeList>(p.forms().hauptfenster, "rezeptliste")->count(), count);
        QVERIFY(!p.forms().hauptfenster->isEnabled());
        QVERIFY(p.forms().ladefenster->isVisible());
        QCOMPARE(tkt::kind<QLabel>(p.forms().ladefenster, "stand")->text(), progress);
        // "Bitte warten, die Rezepte werden geladen..." fits, last dot included.
        QVERIFY(tkt::kind<QLabel>(p.forms().ladefenster, "hinweis")->sizeHint().width()
            <= tkt::kind<QLabel>(p.forms().ladefenster, "hinweis")->width());
        // The loading window with its "Abbrechen" is the way out; Escape does not hide it.
        QTest::keyClick(p.forms().ladefenster, Qt::Key_Escape);
        QVERIFY(p.forms().ladefenster->isVisible());
    }

    void oldFormatShowsUpdateWindowAndNotice()
    {
        tkt::Collection c;
        c.standard({ "1", "Suppe|Opa|3|1.1.2000|2 Teller|", kLive });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        const tk::ModalRequest r = script.last(ModalKind::Meldung);
        QCOMPARE(r.caption, QStringLiteral("Achtung!"));
        QCOMPARE(r.text,
            QStringLiteral(
                "Die Rezepte sind (teilweise) noch im alten Format. Dies führt zu Fehlern bei ihrer "
                "Darstellung. Bitte führen Sie die Datenbankaktualisierung durch!"));
        QVERIFY(p.forms().aktualisierungsfenster->isVisible());
        QCOMPARE(p.st.sammlung.rezeptAnzahl(), 2);
        for (int i = 1; i < 100; ++i)
            QCOMPARE(int(p.st.sammlung.rezepte()[0].inKategorie[size_t(i)]), 0);
    }

    void abbrechenEndsTheProgramAfterTheLoad()
    {
        tkt::Collection c;
        QStringList index { "199" };
        for (int i = 0; i < 200; ++i)
            index.append(QStringLiteral("Rezept %1|A|01,|d|m|").arg(i));
        c.standard(index);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        QVERIFY(!tk::Application::quitRequested());
        tk::Ladefenster* f6 = p.forms().ladefenster;
        QTimer::singleShot(0, tkt::kind<QPushButton>(f6, "abbrechen"),
            [f6] { QTest::mouseClick(tkt::kind<QPushButton>(f6, "abbrechen"), Qt::LeftButton); });
        f6->rezepteLaden();
        QVERIFY(tk::Application::quitRequested());
        QCOMPARE(p.st.sammlung.rezeptAnzahl(), 200); // the load went on to its end
        QCOMPARE(tkt::kind<tk::RecipeList>(p.forms().hauptfenster, "rezeptliste")->count(), 200);
        tk::Application::clearQuitRequest();
    }

    void messageWindowLooksAsAgreed()
    {
        tkt::Collection c;
        c.standard({ "-1" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Meldungsfenster* w = p.forms().meldungsfenster;
        QString shownText;
        QSize size;
        script.drive([&](QWidget* win) {
            shownText = tkt::kind<QLabel>(w, "text")->text();
            size = win->size();
            QVERIFY(win->isVisible());
            QTest::keyClick(win, Qt::Key_Return); // Enter closes it
        });
        w->melde(QStringLiteral("Erste Zeile\rZweite Zeile"), QStringLiteral("Hinweis"));
        QCOMPARE(shownText, QStringLiteral("Erste Zeile\nZweite Zeile"));
        QCOMPARE(size, QSize(303, 126));
        QVERIFY(!w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Hinweis"));
        QCOMPARE(tkt::kind<QLabel>(w, "text")->size(), QSize(240, 75));
        QCOMPARE(tkt::kind<QPushButton>(w, "ok")->geometry(), QRect(95, 93, 113, 25));
        QCOMPARE(tkt::kind<QPushButton>(w, "ok")->text(), QStringLiteral("OK"));
        const tk::ModalRequest r = script.last(ModalKind::Meldung);
        QCOMPARE(r.text, QStringLiteral("Erste Zeile\rZweite Zeile"));
        // A click on OK closes it as well.
        script.drive([&](QWidget*) { QTest::mouseClick(tkt::kind<QPushButton>(w, "ok"), Qt::LeftButton); });
        w->melde(QStringLiteral("Noch etwas"), QStringLiteral("Tellerkiste"));
        QVERIFY(!w->isVisible());
    }

    // Nothing of a long message is cut: the window grows with it up to two thirds of the screen, then the
    // text scrolls.
    void longMessageIsShownWhole_data()
    {
        QTest::addColumn<int>("zeilen");
        QTest::addColumn<bool>("waechst");
        QTest::addColumn<bool>("rollt");
        QTest::addColumn<int>("groesser"); // points the font size grows just before the message
        QTest::newRow("two lines: as designed") << 2 << false << false << 0;
        QTest::newRow("twelve lines: the window grows") << 12 << true << false << 0;
        QTest::newRow("three hundred lines: the text scrolls") << 300 << true << true << 0;
        QTest::newRow("twelve lines in a font just made larger") << 12 << true << false << 4;
    }
    void longMessageIsShownWhole()
    {
        QFETCH(int, zeilen);
        QFETCH(bool, waechst);
        QFETCH(bool, rollt);
        QFETCH(int, groesser);
        tkt::Collection c;
        c.standard({ "-1" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Meldungsfenster* w = p.forms().meldungsfenster;
        const QFont vorher = QApplication::font();
        auto zurueck = qScopeGuard([&] { QApplication::setFont(vorher); });
        if (groesser)
            tk::applyFontSize(vorher.pointSize() + groesser);
        QStringList text;
        for (int i = 1; i <= zeilen; ++i)
            text.append(QStringLiteral("Zeile %1 der Meldung mit ein paar Wörtern mehr").arg(i));
        QSize size;
        int sichtbar = 0, noetig = 0, rollweite = 0;
        script.drive([&](QWidget* win) {
            size = win->size();
            const QLabel* l = tkt::kind<QLabel>(w, "text");
            sichtbar = l->parentWidget()->height(); // the visible part of the text
            noetig = l->heightForWidth(l->width());
            rollweite = tkt::kind<QScrollArea>(w, "textflaeche")->verticalScrollBar()->maximum();
            QTest::keyClick(win, Qt::Key_Return);
        });
        w->melde(text.join(u'\r'), QStringLiteral("Hinweis"));
        const QRect screen = w->screen()->availableGeometry();
        QCOMPARE(size == QSize(303, 126), !waechst);
        QVERIFY(size.width() <= screen.width() * 2 / 3 && size.height() <= screen.height() * 2 / 3);
        QCOMPARE(noetig > sichtbar, rollt);
        QCOMPARE(rollweite > 0, rollt);
    }

    void beendenClosesAndWritesLayout()
    {
        tkt::Collection c;
        c.standard({ "0", kLive });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tkt::kind<QAction>(p.forms().hauptfenster, "beenden")->trigger();
        QVERIFY(!p.forms().hauptfenster->isVisible());
        QVERIFY(c.exists(QStringLiteral("config.ini")));
    }
};

TK_TEST_MAIN(StartupTest)
#include "tst_startup.moc"
