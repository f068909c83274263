#include "TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QTextEdit>

#include "mainwin/gui/Unit1.h"
#include "platform/gui/RecipeList.h"
#include "platform/gui/HotLabel.h"
#include "platform/gui/TabControl.h"
#include "settings/gui/Unit3.h"
#include "settings/gui/Farben.h"
#include "store/AppState.h"

namespace {
QList<QWidget*> panels(tk::TForm1* f)
{
    QList<QWidget*> out { f->Panel1, f->Panel2, f->Panel3, f->Panel4, f->Panel5, f->statusBar(), f->Panel6,
        f->Panel7, f->label8 };
    for (QSplitter* s : { f->Splitter1, f->Splitter2 })
        for (int i = 1; i < s->count(); ++i)
            out.append(s->handle(i));
    return out;
}
QList<QWidget*> fields(tk::TForm1* f)
{
    return { f->suchergebnisse, f->treeview1, f->TreeView2, f->rezept, f->zutaten, f->Edit1 };
}
QList<QWidget*> texts(tk::TForm1* f)
{
    return { f->rezept, f->Edit1, f->suchergebnisse, f->zutaten, f->rezeptname, f->treeview1, f->TreeView2,
        f->kategorien, f->Label1, f->Label2, f->Label3, f->Label4, f->Label5, f->Label6, f->Label7, f->label8,
        f->Label9, f->Label11, f->Label12, f->Label18, f->Label19, f->Label10, f->Label20 };
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
        tk::TForm1* f = p->forms().Form1;
        const QColor tabBackground = f->kategorien->palette().color(QPalette::Window);
        const QColor status0 = f->StatusPanel0->palette().color(QPalette::WindowText);
        f->applySchema(tk::hueSchema(200));
        tk::Farbschema s = hue < 0 ? tk::normalSchema() : tk::hueSchema(hue);
        f->applySchema(s);
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
        QCOMPARE(f->kategorien->palette().color(QPalette::Window), tabBackground);
        QCOMPARE(f->StatusPanel0->palette().color(QPalette::WindowText), status0);
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
        tk::TForm1* f = p->forms().Form1;
        f->show();
        f->applySchriftgroesse(size);
        QCOMPARE(f->rezeptname->font().pointSize(), size + 4);
        QVERIFY(f->rezeptname->font().bold());
        for (QWidget* w : std::initializer_list<QWidget*> { f->Label1, f->Label2, f->Label3, f->Label4,
                 f->Label5, f->Label6, f->Label7, f->label8, f->Label9, f->Label11, f->Label12, f->Label19,
                 f->Label10, f->Label20, f->Edit1, f->zutaten, f->rezept, f->treeview1, f->TreeView2,
                 f->suchergebnisse, f->kategorien, f->RichEdit1 })
            QVERIFY2(w->font().pointSize() == size, qPrintable(w->objectName()));
        QVERIFY(f->Label2->font().bold());
        const int tab
            = QFontMetrics(f->kategorien->font()).size(Qt::TextSingleLine, QStringLiteral("WIl")).height()
            + 5;
        QCOMPARE(f->kategorien->tabHeight(), tab);
        QCOMPARE(f->kategorien->height(), f->kategorien->rowCount() * tab);
        const std::pair<QLabel*, QLabel*> pairs[] = { { f->Label2, f->Label1 }, { f->Label3, f->Label6 },
            { f->Label5, f->Label7 }, { f->Label10, f->Label20 } };
        for (const auto& [caption, value] : pairs) {
            QCOMPARE(value->x(), caption->x() + caption->width() + 5);
            QVERIFY(caption->width() >= caption->sizeHint().width());
        }
        // The rows do not run into each other.
        QVERIFY(f->Label3->y() >= f->Label2->y() + f->Label2->sizeHint().height());
        // The quick-search field is as high as its font needs and stays inside the toolbar.
        QVERIFY(f->Edit1->height() >= f->Edit1->sizeHint().height());
        QVERIFY(f->Edit1->y() >= 0 && f->Edit1->geometry().bottom() < f->Panel1->height());
    }

    void startupAppliesStoredScheme()
    {
        p.reset();
        c->write(QStringLiteral("Data/Sonstiges/tellerkiste.dat"),
            { "[Farben]", "Skin=1", "Farbe=66", "[Schrift]", "Size=12", "[Start]", "ShowWelcome=0" });
        p = std::make_unique<tkt::Program>(c->dir());
        tk::TForm1* f = p->forms().Form1;
        QCOMPARE(f->Panel4->palette().color(QPalette::Window), QColor(230, 239, 143));
        QCOMPARE(f->zutaten->palette().color(QPalette::Base), QColor(236, 237, 222));
        QCOMPARE(f->Label20->palette().color(QPalette::WindowText), QColor(88, 97, 5));
        QCOMPARE(f->rezeptname->font().pointSize(), 16);
        QCOMPARE(p->forms().Form3->palette().color(QPalette::Window), QColor(230, 239, 143));
    }

private:
    std::unique_ptr<tkt::Collection> c;
    std::unique_ptr<tkt::ModalScript> script;
    std::unique_ptr<tkt::Program> p;
};

TK_TEST_MAIN(FarbenTest)
#include "tst_farben.moc"
