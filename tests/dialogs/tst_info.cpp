#include "TestSupport.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QUrl>

#include "dialogs/gui/Willkommensfenster.h"
#include "dialogs/gui/Infofenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/HotLabel.h"
#include "store/Webadressen.h"
#include "store/AppState.h"
#include "mainwin/gui/Ladefenster.h"

class InfoTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        opened.clear();
        tk::setDesktopOpener([this](const QUrl& u) { opened.append(u); });
        c = std::make_unique<tkt::Collection>();
        c->standard({ "0", "Suppe|Max|01,|01.01.2007|für 2 Personen|" });
        c->recipe(0, { "Wasser" }, { "Kochen." });
        script = std::make_unique<tkt::ModalScript>();
        p = std::make_unique<tkt::Program>(c->dir());
    }
    void cleanup()
    {
        QCOMPARE(script->unexpected, 0);
        p.reset();
        script.reset();
        c.reset();
        tk::setDesktopOpener({});
    }

    void menuOpensAddresses_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("address");
        QTest::newRow("Webseite") << "webseite"
                                  << "Ctrl+W" << QString::fromLatin1(tk::kWebseite);
        QTest::newRow("Herunterladen") << "herunterladen"
                                       << "Ctrl+H" << QString::fromLatin1(tk::kDownloadSeite);
    }
    void menuOpensAddresses()
    {
        QFETCH(QString, item);
        QFETCH(QString, shortcut);
        QFETCH(QString, address);
        tk::Hauptfenster* f = p->forms().hauptfenster;
        QAction* a = item == QLatin1String("webseite") ? tkt::kind<QAction>(f, "webseite")
                                                       : tkt::kind<QAction>(f, "herunterladen");
        QCOMPARE(a->shortcut(), QKeySequence(shortcut));
        a->trigger();
        QCOMPARE(opened, (QList<QUrl> { QUrl(address) }));
        QCOMPARE(QUrl(address).host(), QStringLiteral("www.tellerkiste.example.org"));
    }

    void helpOpensFromTheProgramFolder()
    {
        QTemporaryDir elsewhere;
        const QString before = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());
        tk::Hauptfenster* f = p->forms().hauptfenster;
        QCOMPARE(tkt::kind<QAction>(f, "hilfe")->text(), QStringLiteral("Hilfe"));
        QCOMPARE(tkt::kind<QAction>(f, "hilfe")->shortcut(), QKeySequence(Qt::Key_F1));
        tkt::kind<QAction>(f, "hilfe")->trigger();
        QDir::setCurrent(before);
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened.first().isLocalFile());
        QCOMPARE(opened.first().toLocalFile(), c->path(QStringLiteral("Data/Sonstiges/Hilfe.htm")));
        QVERIFY(!p->forms().willkommensfenster->isVisible());
    }

    void welcomeItemShowsWelcomeWindow()
    {
        tk::Hauptfenster* f = p->forms().hauptfenster;
        QCOMPARE(tkt::kind<QAction>(f, "willkommen")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+W")));
        tkt::kind<QAction>(f, "willkommen")->trigger();
        QVERIFY(p->forms().willkommensfenster->isVisible());
        QVERIFY(opened.isEmpty());
    }

    void aboutWindow()
    {
        tk::Hauptfenster* f = p->forms().hauptfenster;
        tk::Infofenster* about = p->forms().infofenster;
        QCOMPARE(tkt::kind<QAction>(f, "ueber")->shortcut(), QKeySequence(QStringLiteral("Ctrl+U")));
        tkt::kind<QAction>(f, "ueber")->trigger();
        QVERIFY(about->isVisible());
        QCOMPARE(about->windowTitle(), QStringLiteral("Brutzels Tellerkiste 3.40 (01/2007)"));
        QCOMPARE(tkt::kind<QLabel>(about, "titel")->text(), QStringLiteral("Brutzels Tellerkiste 3.40 "));
        QCOMPARE(about->size(), QSize(426, 262));
        QVERIFY(about->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(tkt::kind<QLabel>(about, "gruss")->text(),
            QStringLiteral("Viel Spaß noch mit der Benutzung dieser Software"));
        QVERIFY(
            tkt::kind<tk::HotLabel>(about, "team")->text().contains(QStringLiteral("das Tellerkiste-Team")));
        QCOMPARE(
            tkt::kind<QLabel>(about, "titel")->palette().color(QPalette::WindowText), QColor(64, 79, 102));
        tkt::kind<QAction>(f, "ueber")->trigger();
        QCOMPARE(p->forms().infofenster, about);
        QVERIFY(about->isVisible());
        tkt::kind<tk::HotLabel>(about, "team")->press();
        QCOMPARE(opened, (QList<QUrl> { QUrl(QString::fromLatin1(tk::kWebseite)) }));
        about->close();
        QVERIFY(!about->isVisible());
    }

    void shippedHelpPageCoversTheShortcuts()
    {
        QFile f(QStringLiteral(TK_SOURCE_DIR "/data/Sonstiges/Hilfe.htm"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(f.readAll());
        for (const char* key : { "Strg+O", "Strg+B", "Strg+N", "Strg+E", "Strg+L", "Strg+P", "Strg+F",
                 "Strg+R", "Strg+K", "Strg+A", "Strg+D", "Strg+Alt+T", "Strg+Alt+V", "Strg+Alt+Z",
                 "Strg+Alt+A", "F9", "F10", "F11", "F12", "F1", "Strg+Alt+W", "Strg+W", "Strg+U" })
            QVERIFY2(page.contains(QLatin1String(key)), key);
    }

private:
    QList<QUrl> opened;
    std::unique_ptr<tkt::Collection> c;
    std::unique_ptr<tkt::ModalScript> script;
    std::unique_ptr<tkt::Program> p;
};

TK_TEST_MAIN(InfoTest)
#include "tst_info.moc"
