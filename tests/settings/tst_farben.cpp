#include "TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTextEdit>

#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/RecipeList.h"
#include "platform/gui/HotLabel.h"
#include "platform/gui/TabControl.h"
#include "settings/gui/Einstellungsfenster.h"
#include "settings/gui/Farbschema.h"
#include "store/AppState.h"

namespace {
QList<QWidget*> panels(tk::Hauptfenster* f)
{
    QList<QWidget*> out { tkt::kind<QWidget>(f, "symbolleiste"), tkt::kind<QWidget>(f, "linkeSpalte"),
        tkt::kind<QWidget>(f, "mittelspalte"), tkt::kind<QWidget>(f, "rechteSpalte"),
        tkt::kind<QWidget>(f, "zusatzinfo"), f->statusBar(), tkt::kind<QWidget>(f, "rezeptbereich"),
        tkt::kind<QWidget>(f, "exportleiste"), tkt::kind<QLabel>(f, "zutatenKopf") };
    for (QSplitter* s : { tkt::kind<QSplitter>(f, "spalten"), tkt::kind<QSplitter>(f, "ergebnisTeiler") })
        for (int i = 1; i < s->count(); ++i)
            out.append(s->handle(i));
    return out;
}
QList<QWidget*> fields(tk::Hauptfenster* f)
{
    return { tkt::kind<tk::RecipeList>(f, "suchergebnisse"), tkt::kind<tk::RecipeList>(f, "rezeptliste"),
        tkt::kind<tk::RecipeList>(f, "exportliste"), tkt::kind<QPlainTextEdit>(f, "zubereitung"),
        tkt::kind<QListWidget>(f, "zutaten"), tkt::kind<QLineEdit>(f, "schnellsuche") };
}
QList<QWidget*> texts(tk::Hauptfenster* f)
{
    return { tkt::kind<QPlainTextEdit>(f, "zubereitung"), tkt::kind<QLineEdit>(f, "schnellsuche"),
        tkt::kind<tk::RecipeList>(f, "suchergebnisse"), tkt::kind<QListWidget>(f, "zutaten"),
        tkt::kind<QLabel>(f, "titel"), tkt::kind<tk::RecipeList>(f, "rezeptliste"),
        tkt::kind<tk::RecipeList>(f, "exportliste"), tkt::kind<tk::TabControl>(f, "kategorien"),
        tkt::kind<QLabel>(f, "datum"), tkt::kind<QLabel>(f, "datumBeschriftung"),
        tkt::kind<QLabel>(f, "autorBeschriftung"), tkt::kind<QLabel>(f, "exportTitel"),
        tkt::kind<QLabel>(f, "kategorieBeschriftung"), tkt::kind<QLabel>(f, "autor"),
        tkt::kind<QLabel>(f, "rezeptKategorien"), tkt::kind<QLabel>(f, "zutatenKopf"),
        tkt::kind<QLabel>(f, "rezeptzahl"), tkt::kind<tk::HotLabel>(f, "schnellsucheLink"),
        tkt::kind<QLabel>(f, "titelvorschau"), tkt::kind<QLabel>(f, "exportHinweis"),
        tkt::kind<QLabel>(f, "exportAnzahl"), tkt::kind<QLabel>(f, "mengeBeschriftung"),
        tkt::kind<QLabel>(f, "menge") };
}
QColor textOf(QWidget* w)
{
    const bool field = qobject_cast<QAbstractScrollArea*>(w) || qobject_cast<QLineEdit*>(w);
    return w->palette().color(field ? QPalette::Text : QPalette::WindowText);
}
}

class FarbenTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
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
    }

    void schemeReachesExactlyTheListedControls_data()
    {
        QTest::addColumn<int>("hue");
        QTest::newRow("hue 60") << 60;
        QTest::newRow("normal colours after a hue") << -1;
    }
    void schemeReachesExactlyTheListedControls()
    {
        QFETCH(int, hue);
        tk::Hauptfenster* f = p->forms().hauptfenster;
        const QColor tabBackground
            = tkt::kind<tk::TabControl>(f, "kategorien")->palette().color(QPalette::Window);
        const QColor status0 = tkt::kind<QLabel>(f, "statusRezepte")->palette().color(QPalette::WindowText);
        f->farbschemaAnwenden(tk::farbtonSchema(200));
        tk::Farbschema s = hue < 0 ? tk::normalesSchema() : tk::farbtonSchema(hue);
        f->farbschemaAnwenden(s);
        if (hue == 60) {
            QCOMPARE(s.panel, QColor(239, 239, 143));
            QCOMPARE(s.feld, QColor(237, 237, 222));
            QCOMPARE(s.text, QColor(97, 97, 5));
        } else {
            QCOMPARE(s.panel, QApplication::palette().color(QPalette::Button));
        }
        for (QWidget* w : panels(f)) {
            QVERIFY2(w->autoFillBackground(), qPrintable(w->objectName()));
            QCOMPARE(w->palette().color(QPalette::Window), s.panel);
        }
        for (QWidget* w : fields(f))
            QCOMPARE(w->palette().color(QPalette::Base), s.feld);
        for (QWidget* w : texts(f))
            QVERIFY2(textOf(w) == s.text, qPrintable(w->objectName()));
        // Not listed: the tab control's background and the status texts.
        QCOMPARE(
            tkt::kind<tk::TabControl>(f, "kategorien")->palette().color(QPalette::Window), tabBackground);
        QCOMPARE(tkt::kind<QLabel>(f, "statusRezepte")->palette().color(QPalette::WindowText), status0);
    }

    void fontSize_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("6") << 6;
        QTest::newRow("10") << 10;
        QTest::newRow("12") << 12;
    }
    void fontSize()
    {
        QFETCH(int, size);
        tk::Hauptfenster* f = p->forms().hauptfenster;
        f->show();
        f->schriftgroesseAnwenden(size);
        QCOMPARE(tkt::kind<QLabel>(f, "titel")->font().pointSize(), size + 4);
        QVERIFY(tkt::kind<QLabel>(f, "titel")->font().bold());
        for (QWidget* w : std::initializer_list<QWidget*> { tkt::kind<QLabel>(f, "datum"),
                 tkt::kind<QLabel>(f, "datumBeschriftung"), tkt::kind<QLabel>(f, "autorBeschriftung"),
                 tkt::kind<QLabel>(f, "exportTitel"), tkt::kind<QLabel>(f, "kategorieBeschriftung"),
                 tkt::kind<QLabel>(f, "autor"), tkt::kind<QLabel>(f, "rezeptKategorien"),
                 tkt::kind<QLabel>(f, "zutatenKopf"), tkt::kind<QLabel>(f, "rezeptzahl"),
                 tkt::kind<tk::HotLabel>(f, "schnellsucheLink"), tkt::kind<QLabel>(f, "titelvorschau"),
                 tkt::kind<QLabel>(f, "exportAnzahl"), tkt::kind<QLabel>(f, "mengeBeschriftung"),
                 tkt::kind<QLabel>(f, "menge"), tkt::kind<QLineEdit>(f, "schnellsuche"),
                 tkt::kind<QListWidget>(f, "zutaten"), tkt::kind<QPlainTextEdit>(f, "zubereitung"),
                 tkt::kind<tk::RecipeList>(f, "rezeptliste"), tkt::kind<tk::RecipeList>(f, "exportliste"),
                 tkt::kind<tk::RecipeList>(f, "suchergebnisse"), tkt::kind<tk::TabControl>(f, "kategorien"),
                 tkt::kind<QTextEdit>(f, "arbeitsfeld") })
            QVERIFY2(w->font().pointSize() == size, qPrintable(w->objectName()));
        QVERIFY(tkt::kind<QLabel>(f, "datumBeschriftung")->font().bold());
        const int tab = QFontMetrics(tkt::kind<tk::TabControl>(f, "kategorien")->font())
                            .size(Qt::TextSingleLine, QStringLiteral("WIl"))
                            .height()
            + 5;
        QCOMPARE(tkt::kind<tk::TabControl>(f, "kategorien")->tabHeight(), tab);
        QCOMPARE(tkt::kind<tk::TabControl>(f, "kategorien")->height(),
            tkt::kind<tk::TabControl>(f, "kategorien")->rowCount() * tab);
        const std::pair<QLabel*, QLabel*> pairs[]
            = { { tkt::kind<QLabel>(f, "datumBeschriftung"), tkt::kind<QLabel>(f, "datum") },
                  { tkt::kind<QLabel>(f, "autorBeschriftung"), tkt::kind<QLabel>(f, "autor") },
                  { tkt::kind<QLabel>(f, "kategorieBeschriftung"), tkt::kind<QLabel>(f, "rezeptKategorien") },
                  { tkt::kind<QLabel>(f, "mengeBeschriftung"), tkt::kind<QLabel>(f, "menge") } };
        for (const auto& [caption, value] : pairs) {
            QCOMPARE(value->x(), caption->x() + caption->width() + 5);
            QVERIFY(caption->width() >= caption->sizeHint().width());
        }
        // The rows do not run into each other.
        QVERIFY(
            tkt::kind<QLabel>(f, "autorBeschriftung")->y() >= tkt::kind<QLabel>(f, "datumBeschriftung")->y()
                + tkt::kind<QLabel>(f, "datumBeschriftung")->sizeHint().height());
        // The quick-search field is as high as its font needs and stays inside the toolbar.
        QVERIFY(tkt::kind<QLineEdit>(f, "schnellsuche")->height()
            >= tkt::kind<QLineEdit>(f, "schnellsuche")->sizeHint().height());
        QVERIFY(tkt::kind<QLineEdit>(f, "schnellsuche")->y() >= 0
            && tkt::kind<QLineEdit>(f, "schnellsuche")->geometry().bottom()
                < tkt::kind<QWidget>(f, "symbolleiste")->height());
    }

    void startupAppliesStoredScheme()
    {
        p.reset();
        c->write(QStringLiteral("Data/Sonstiges/tellerkiste.dat"),
            { "[Farben]", "Skin=1", "Farbe=66", "[Schrift]", "Size=12", "[Start]", "ShowWelcome=0" });
        p = std::make_unique<tkt::Program>(c->dir());
        tk::Hauptfenster* f = p->forms().hauptfenster;
        QCOMPARE(
            tkt::kind<QWidget>(f, "rechteSpalte")->palette().color(QPalette::Window), QColor(230, 239, 143));
        QCOMPARE(
            tkt::kind<QListWidget>(f, "zutaten")->palette().color(QPalette::Base), QColor(236, 237, 222));
        QCOMPARE(tkt::kind<QLabel>(f, "menge")->palette().color(QPalette::WindowText), QColor(88, 97, 5));
        QCOMPARE(tkt::kind<QLabel>(f, "titel")->font().pointSize(), 16);
        QCOMPARE(p->forms().einstellungsfenster->palette().color(QPalette::Window), QColor(230, 239, 143));
    }

private:
    std::unique_ptr<tkt::Collection> c;
    std::unique_ptr<tkt::ModalScript> script;
    std::unique_ptr<tkt::Program> p;
};

TK_TEST_MAIN(FarbenTest)
#include "tst_farben.moc"
