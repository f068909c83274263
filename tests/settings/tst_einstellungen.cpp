#include "TestSupport.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "dialogs/gui/Willkommensfenster.h"
#include "editing/gui/Rezepteditor.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/IniFile.h"
#include "platform/gui/HotLabel.h"
#include "settings/Farbton.h"
#include "settings/Einstellungen.h"
#include "settings/gui/Einstellungsfenster.h"
#include "settings/gui/Farbtonbalken.h"
#include "store/AppState.h"

namespace {
const QString kDat = QStringLiteral("Data/Sonstiges/tellerkiste.dat");

QColor panelColour(tk::Hauptfenster* f)
{
    return tkt::kind<QWidget>(f, "symbolleiste")->palette().color(QPalette::Window);
}
QColor rgb(int r, int g, int b) { return QColor(r, g, b); }

void fill(tkt::Collection& c)
{
    c.standard({ "0", "Suppe|Max|01,|01.01.2007|für 2 Personen|" });
    c.recipe(0, { "Wasser" }, { "Kochen." });
}
}

class EinstellungenTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartWritesDefaults()
    {
        tkt::Collection c;
        fill(c);
        tkt::ModalScript script;
        QFile::remove(c.path(kDat));
        tkt::Program p(c.dir());
        QVERIFY(p.st.normaleFarbe);
        QCOMPARE(p.st.schriftgroesse, 10);
        QCOMPARE(p.st.autorVorgabe, QString());
        QVERIFY(p.forms().willkommensfenster->isVisible());
        QVERIFY(!p.forms().einstellungsfenster->isVisible());
        QCOMPARE(c.lines(kDat),
            (QStringList { "[Data]", "StandardAutor=", "[Schrift]", "Size=10", "[Farben]", "Skin=0" }));
    }

    void readValues_data()
    {
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("storedSize");
        QTest::addColumn<bool>("normal");
        QTest::addColumn<int>("hue");
        QTest::addColumn<QString>("autor");
        QTest::newRow("size 20 clamped and stored")
            << QStringList { "[Schrift]", "Size=20" } << 12 << 12 << true << 0 << "";
        QTest::newRow("size 3 clamped") << QStringList { "[Schrift]", "Size=3" } << 6 << 6 << true << 0 << "";
        QTest::newRow("garbage reads as defaults")
            << QStringList { "[Schrift]", "Size=gross", "[Farben]", "Skin=ja", "Farbe=rot" } << 10 << 10
            << true << 0 << "";
        QTest::newRow("hue scheme") << QStringList { "[farben]", "skin=1", "FARBE=0x1E", "[Data]",
            "StandardAutor=\"Oma Hilde\"" }
                                    << 10 << 10 << false << 30 << "Oma Hilde";
        QTest::newRow("hue out of range used as read")
            << QStringList { "[Farben]", "Skin=1", "Farbe=400" } << 10 << 10 << false << 400 << "";
    }
    void readValues()
    {
        QFETCH(QStringList, file);
        QFETCH(int, size);
        QFETCH(int, storedSize);
        QFETCH(bool, normal);
        QFETCH(int, hue);
        QFETCH(QString, autor);
        tkt::Collection c;
        fill(c);
        tkt::ModalScript script;
        c.write(kDat, file + QStringList { "[Start]", "ShowWelcome=0" });
        tkt::Program p(c.dir());
        QCOMPARE(tkt::kind<QSlider>(p.forms().einstellungsfenster, "schriftgroesse")->value(), size);
        QCOMPARE(p.st.schriftgroesse, size);
        QCOMPARE(tkt::kind<QLabel>(p.forms().hauptfenster, "titel")->font().pointSize(), size + 4);
        QCOMPARE(p.st.normaleFarbe, normal);
        QCOMPARE(p.st.farbton, hue);
        QCOMPARE(p.st.autorVorgabe, autor);
        QCOMPARE(tkt::kind<QLineEdit>(p.forms().einstellungsfenster, "autor")->text(), autor);
        tk::IniFile ini(c.path(kDat));
        QCOMPARE(tk::Einstellungen::schriftgroesse(ini), storedSize);
        QCOMPARE(tk::Einstellungen::eigeneFarben(ini), !normal);
        if (hue >= 360)
            QCOMPARE(panelColour(p.forms().hauptfenster), rgb(0, 0, 0));
    }

    void okWritesKeysInOrder()
    {
        tkt::Collection c;
        fill(c);
        tkt::ModalScript script;
        QFile::remove(c.path(kDat));
        tkt::Program p(c.dir());
        QFile::remove(c.path(kDat));
        p.forms().hauptfenster->einstellungenZeigen();
        tk::Einstellungsfenster* f = p.forms().einstellungsfenster;
        QVERIFY(f->isVisible());
        tkt::kind<QLineEdit>(f, "autor")->setText(QStringLiteral("Brutzel"));
        tkt::kind<QSlider>(f, "schriftgroesse")->setValue(7);
        f->farbtonGewaehlt(30);
        QTest::mouseClick(tkt::kind<QPushButton>(f, "uebernehmen"), Qt::LeftButton);
        QVERIFY(!f->isVisible());
        QCOMPARE(c.lines(kDat),
            (QStringList { "[Data]", "StandardAutor=Brutzel", "[Schrift]", "Size=7", "[Farben]", "Skin=1",
                "Farbe=30" }));
        QCOMPARE(panelColour(p.forms().hauptfenster), rgb(239, 191, 143));
        QCOMPARE(f->palette().color(QPalette::Window), rgb(239, 191, 143));
    }

    void cancelledHueNeverReachesMainWindow()
    {
        tkt::Collection c;
        fill(c);
        tkt::ModalScript script;
        c.write(
            kDat, { "[Schrift]", "Size=9", "[Farben]", "Skin=0", "Farbe=200", "[Start]", "ShowWelcome=0" });
        tkt::Program p(c.dir());
        const QColor before = panelColour(p.forms().hauptfenster);
        tk::Einstellungsfenster* f = p.forms().einstellungsfenster;
        p.forms().hauptfenster->einstellungenZeigen();
        QTest::mousePress(
            tkt::kind<tk::Farbtonbalken>(f, "farbbalken"), Qt::RightButton, {}, QPoint(120, 10));
        QCOMPARE(p.st.farbton, 120);
        QVERIFY(!p.st.normaleFarbe);
        QCOMPARE(f->palette().color(QPalette::Window), rgb(143, 239, 143));
        QCOMPARE(
            tkt::kind<QPushButton>(f, "uebernehmen")->palette().color(QPalette::ButtonText), rgb(5, 97, 5));
        tkt::kind<QSlider>(f, "schriftgroesse")->setValue(12);
        const QByteArray file = c.bytes(kDat);
        QTest::mouseClick(tkt::kind<QPushButton>(f, "abbrechen"), Qt::LeftButton);
        QVERIFY(!f->isVisible());
        QCOMPARE(c.bytes(kDat), file);
        QCOMPARE(panelColour(p.forms().hauptfenster), before);
        QCOMPARE(tkt::kind<QLabel>(p.forms().hauptfenster, "titel")->font().pointSize(), 13);
        // The preview stays on the settings window; reopening reads the file again.
        QCOMPARE(f->palette().color(QPalette::Window), rgb(143, 239, 143));
        p.forms().hauptfenster->einstellungenZeigen();
        QVERIFY(p.st.normaleFarbe);
        QCOMPARE(p.st.farbton, 200);
        QCOMPARE(tkt::kind<QSlider>(f, "schriftgroesse")->value(), 9);
    }

    void normalColoursKeepStoredHue()
    {
        tkt::Collection c;
        fill(c);
        tkt::ModalScript script;
        c.write(kDat, { "[Farben]", "Skin=1", "Farbe=77", "[Start]", "ShowWelcome=0" });
        tkt::Program p(c.dir());
        QVERIFY(!p.st.normaleFarbe);
        p.forms().hauptfenster->einstellungenZeigen();
        QCOMPARE(tkt::kind<tk::Farbtonbalken>(p.forms().einstellungsfenster, "farbbalken")->farbton(),
            77); // the bar marks the stored hue
        tkt::kind<tk::HotLabel>(p.forms().einstellungsfenster, "normaleFarbe")->press();
        QVERIFY(p.st.normaleFarbe);
        QCOMPARE(tkt::kind<tk::Farbtonbalken>(p.forms().einstellungsfenster, "farbbalken")->farbton(), -1);
        p.forms().einstellungsfenster->uebernehmen();
        tk::IniFile ini(c.path(kDat));
        QCOMPARE(tk::Einstellungen::eigeneFarben(ini), false);
        QCOMPARE(tk::Einstellungen::farbton(ini), 77);
        QCOMPARE(panelColour(p.forms().hauptfenster), QApplication::palette().color(QPalette::Button));
        // Back to the hue scheme: the bar decides, not the stored value.
        p.forms().hauptfenster->einstellungenZeigen();
        tkt::kind<tk::Farbtonbalken>(p.forms().einstellungsfenster, "farbbalken")->waehle(10);
        p.forms().einstellungsfenster->uebernehmen();
        QCOMPARE(tk::Einstellungen::farbton(ini), 10);
    }

    void trackBarDrivesSample()
    {
        tkt::Collection c;
        fill(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Einstellungsfenster* f = p.forms().einstellungsfenster;
        QCOMPARE(tkt::kind<QSlider>(f, "schriftgroesse")->minimum(), 6);
        QCOMPARE(tkt::kind<QSlider>(f, "schriftgroesse")->maximum(), 12);
        for (int s : { 6, 11, 12 }) {
            tkt::kind<QSlider>(f, "schriftgroesse")->setValue(s);
            QCOMPARE(tkt::kind<QLabel>(f, "beispiel")->font().pointSize(), s);
        }
        QCOMPARE(tkt::kind<QLabel>(f, "beispiel")->font().family(), QStringLiteral("Arial"));
    }

    void defaultAuthorGoesIntoNextNewRecipe()
    {
        tkt::Collection c;
        fill(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        p.forms().hauptfenster->einstellungenZeigen();
        tkt::kind<QLineEdit>(p.forms().einstellungsfenster, "autor")->setText(QStringLiteral("Tante Erna"));
        p.forms().einstellungsfenster->uebernehmen();
        QCOMPARE(tk::Einstellungen::standardAutor(tk::IniFile(c.path(kDat))), QStringLiteral("Tante Erna"));
        p.forms().hauptfenster->neuesRezept();
        QCOMPARE(tkt::kind<QLineEdit>(p.forms().rezepteditor, "autor")->text(), QStringLiteral("Tante Erna"));
    }

    void hueBarColumnsAndEnds()
    {
        tkt::Collection c;
        fill(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Farbtonbalken* bar = tkt::kind<tk::Farbtonbalken>(p.forms().einstellungsfenster, "farbbalken");
        QCOMPARE(bar->bild().size(), QSize(360, 25));
        for (int x : { 0, 66, 180, 359 }) {
            const tk::Rgb s = tk::panelfarbe(x);
            QCOMPARE(bar->bild().pixelColor(x, 0), rgb(s.red, s.green, s.blue));
            QCOMPARE(bar->bild().pixelColor(x, 24), rgb(s.red, s.green, s.blue));
        }
        p.forms().hauptfenster->einstellungenZeigen();
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(0, 12));
        QCOMPARE(p.st.farbton, 0);
        QCOMPARE(p.forms().einstellungsfenster->palette().color(QPalette::Window), rgb(239, 143, 143));
        QTest::mousePress(bar, Qt::MiddleButton, {}, QPoint(359, 3));
        QCOMPARE(p.st.farbton, 359);
        QCOMPARE(p.forms().einstellungsfenster->palette().color(QPalette::Window), rgb(239, 143, 145));
    }

    void hueBarIsASliderForScreenReaders()
    {
        tkt::Collection c;
        fill(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(
            tkt::kind<tk::Farbtonbalken>(p.forms().einstellungsfenster, "farbbalken"));
        QVERIFY(a);
        QCOMPARE(a->role(), QAccessible::Slider);
        QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Programmfarbe"));
        QVERIFY(a->valueInterface());
        QCOMPARE(a->valueInterface()->maximumValue().toInt(), 359);
        a->valueInterface()->setCurrentValue(240);
        QCOMPARE(p.st.farbton, 240);
        QVERIFY(!p.st.normaleFarbe);
    }

    void unwritableSettingsStillApplyAndReport()
    {
        tkt::Collection c;
        fill(c);
        tkt::ModalScript script;
        script.answer(tk::Answer::Ok);
        tkt::Program p(c.dir());
        // A folder in place of the file: no write can succeed.
        QFile::remove(c.path(kDat));
        QDir().mkpath(c.path(kDat));
        p.forms().hauptfenster->einstellungenZeigen();
        tkt::kind<QSlider>(p.forms().einstellungsfenster, "schriftgroesse")->setValue(11);
        p.forms().einstellungsfenster->farbtonGewaehlt(60);
        tk::guarded(nullptr, [&] { p.forms().einstellungsfenster->uebernehmen(); });
        QCOMPARE(script.texts(tk::ModalKind::ErrorReport).size(), 1);
        QCOMPARE(p.st.schriftgroesse, 11);
        QCOMPARE(panelColour(p.forms().hauptfenster), rgb(239, 239, 143));
        QVERIFY(!p.forms().einstellungsfenster->isVisible());
    }
};

TK_TEST_MAIN(EinstellungenTest)
#include "tst_einstellungen.moc"
