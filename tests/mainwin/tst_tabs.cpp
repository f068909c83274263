// Category tabs, the recipe lists and their order.
#include "TestSupport.h"

#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QAction>

#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/RecipeList.h"
#include "platform/gui/TabControl.h"
#include "store/AppState.h"
#include "mainwin/gui/Ladefenster.h"

namespace {
QStringList listed(const tk::RecipeList* l)
{
    QStringList out;
    for (int i = 0; i < l->count(); ++i)
        out.append(l->textAt(i));
    return out;
}
// The recipes of the index get files of their own, so showing one is no error.
void mitDateien(tkt::Collection& c)
{
    const QStringList index = c.lines(QStringLiteral("Data/Rezepte/index.dat"));
    for (int n = 0; n + 1 < index.size(); ++n)
        if (!c.exists(QStringLiteral("Data/Rezepte/%1.dat").arg(n, 4, 10, QLatin1Char('0'))))
            c.recipe(n, {}, { QStringLiteral("Text") });
}
QList<int> numbers(const tk::RecipeList* l)
{
    QList<int> out;
    for (int i = 0; i < l->count(); ++i)
        out.append(l->numberAt(i));
    return out;
}
}

class TabsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { tk::Application::clearQuitRequest(); }

    void ownCategoriesGetTabs()
    {
        tkt::Collection c;
        c.standard({ "2", "Brotzeit|A|17,|d|m|", "Kuchen mit Brot|B|15,17,|d|m|", "Brötchen|C|16,|d|m|" },
            { "1Kuchen", "0Alt", "1Brot", "1Ein sehr langer Kategoriename der weitergeht" });
        mitDateien(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        const tk::KategorieTabellen& k = p.st.kategorien;
        QCOMPARE(tkt::kind<tk::TabControl>(m, "kategorien")->count(), 18);
        QCOMPARE(k.letzterTab, 17);
        QCOMPARE(tkt::kind<tk::TabControl>(m, "kategorien")->tabText(15), QStringLiteral("Kuchen"));
        QCOMPARE(tkt::kind<tk::TabControl>(m, "kategorien")->tabText(16), QStringLiteral("Brot"));
        QCOMPARE(tkt::kind<tk::TabControl>(m, "kategorien")->tabText(17),
            QStringLiteral("Ein sehr langer Kategoriename "));
        QCOMPARE(tkt::kind<tk::TabControl>(m, "kategorien")->tabText(17).size(), 30);
        QCOMPARE(k.tabKategorie.at(16), 17);
        QCOMPARE(k.kategorieTab.at(17), 16);
        QCOMPARE(k.kategorieTab.at(16), 0);
        QCOMPARE(tkt::kind<QLabel>(m, "statusKategorien")->text(), QStringLiteral("Kategorien: 18"));
        QCOMPARE(tkt::kind<tk::TabControl>(m, "kategorien")->tabText(14), QStringLiteral("Favoriten"));
        QCOMPARE(tkt::kind<tk::TabControl>(m, "kategorien")->tabText(6), QStringLiteral("Geflügel"));

        tkt::kind<tk::TabControl>(m, "kategorien")->setCurrentIndex(16); // Brot = category 17
        QCOMPARE(p.st.aktuelleKategorie, 17);
        QCOMPARE(listed(tkt::kind<tk::RecipeList>(m, "rezeptliste")),
            QStringList({ "Brotzeit", "Kuchen mit Brot" }));
    }

    void tabHeightIsRowsTimesTabHeight()
    {
        tkt::Collection c;
        c.standard({ "-1" }, { "1Grillen", "1Weihnachtsbäckerei" });
        mitDateien(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        QVERIFY(tkt::kind<tk::TabControl>(m, "kategorien")->rowCount() > 1);
        QCOMPARE(tkt::kind<tk::TabControl>(m, "kategorien")->height(),
            tkt::kind<tk::TabControl>(m, "kategorien")->rowCount()
                * tkt::kind<tk::TabControl>(m, "kategorien")->tabHeight());
        const int before = tkt::kind<tk::TabControl>(m, "kategorien")->rowCount();
        tkt::kind<QSplitter>(m, "spalten")->setSizes({ 400, 200, 150 });
        m->kategorienhoeheAnpassen();
        QVERIFY(tkt::kind<tk::TabControl>(m, "kategorien")->rowCount() < before);
        QCOMPARE(tkt::kind<tk::TabControl>(m, "kategorien")->height(),
            tkt::kind<tk::TabControl>(m, "kategorien")->rowCount()
                * tkt::kind<tk::TabControl>(m, "kategorien")->tabHeight());
    }

    void favouritesTabListsEachOnce()
    {
        tkt::Collection c;
        c.standard({ "3", "Fav und 14|A|14,|d|m|", "Nur Fav|A|01,|d|m|", "||||", "Nichts|A|02,|d|m|" }, {},
            { "0", "1", "2" });
        mitDateien(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        tkt::kind<tk::TabControl>(m, "kategorien")->setCurrentIndex(14);
        QCOMPARE(numbers(tkt::kind<tk::RecipeList>(m, "rezeptliste")), QList<int>({ 0, 1 }));
        tkt::kind<tk::TabControl>(m, "kategorien")->setCurrentIndex(0);
        QCOMPARE(tkt::kind<tk::RecipeList>(m, "rezeptliste")->count(), 3); // deleted recipe 2 never listed
        // A reload on the favourites tab lists exactly the same.
        tkt::kind<tk::TabControl>(m, "kategorien")->setCurrentIndex(14);
        p.forms().ladefenster->rezepteLaden();
        QCOMPARE(numbers(tkt::kind<tk::RecipeList>(m, "rezeptliste")), QList<int>({ 0, 1 }));
    }

    void germanOrderAndSortModes()
    {
        tkt::Collection c;
        c.standard({ "6", "Zucker|a|01,|d|m|", "Öl|a|01,|d|m|", "Birne|a|01,|d|m|", "Äpfel|a|01,|d|m|",
            "äpfel|a|01,02,|d|m|", "Apfel|a|01,02,|d|m|", "apfel|a|02,|d|m|" });
        mitDateien(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        // After a load the list is in number order.
        QCOMPARE(listed(tkt::kind<tk::RecipeList>(m, "rezeptliste")),
            QStringList({ "Zucker", "Öl", "Birne", "Äpfel", "äpfel", "Apfel", "apfel" }));
        m->nachAlphabetOrdnen();
        QCOMPARE(listed(tkt::kind<tk::RecipeList>(m, "rezeptliste")),
            QStringList({ "apfel", "Apfel", "äpfel", "Äpfel", "Birne", "Öl", "Zucker" }));
        tkt::kind<tk::TabControl>(m, "kategorien")->setCurrentIndex(1);
        QCOMPARE(listed(tkt::kind<tk::RecipeList>(m, "rezeptliste")),
            QStringList({ "Apfel", "äpfel", "Äpfel", "Birne", "Öl", "Zucker" }));
        m->nachDatumOrdnen(); // entry order, kept across tab changes
        QCOMPARE(listed(tkt::kind<tk::RecipeList>(m, "rezeptliste")),
            QStringList({ "Zucker", "Öl", "Birne", "Äpfel", "äpfel", "Apfel" }));
        tkt::kind<tk::TabControl>(m, "kategorien")->setCurrentIndex(2);
        QCOMPARE(
            listed(tkt::kind<tk::RecipeList>(m, "rezeptliste")), QStringList({ "äpfel", "Apfel", "apfel" }));
        tkt::kind<QAction>(m, "nachAlphabet")->trigger();
        QCOMPARE(
            listed(tkt::kind<tk::RecipeList>(m, "rezeptliste")), QStringList({ "apfel", "Apfel", "äpfel" }));
        tkt::kind<tk::TabControl>(m, "kategorien")->setCurrentIndex(0);
        QCOMPARE(listed(tkt::kind<tk::RecipeList>(m, "rezeptliste")).first(), QStringLiteral("apfel"));
    }

    void emptyTabKeepsTheRecipeOnShow()
    {
        tkt::Collection c;
        c.standard({ "0", "Gulasch|Opa|03,|d|m|" });
        mitDateien(c);
        c.recipe(0, { "500 g Rind" }, { "Schmoren." });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        tkt::kind<tk::TabControl>(m, "kategorien")->setCurrentIndex(3);
        QCOMPARE(tkt::kind<QLabel>(m, "titel")->text(), QStringLiteral("Gulasch"));
        tkt::kind<tk::TabControl>(m, "kategorien")->setCurrentIndex(4); // Fisch: empty
        QCOMPARE(tkt::kind<tk::RecipeList>(m, "rezeptliste")->count(), 0);
        QCOMPARE(tkt::kind<QLabel>(m, "titel")->text(), QStringLiteral("Gulasch"));
        QCOMPARE(tkt::kind<QListWidget>(m, "zutaten")->count(), 1);
    }

    void pressAndHover()
    {
        tkt::Collection c;
        c.standard(
            { "1", "Ein sehr langer Titel eines Rezepts mit vielen Wörtern|a|01,|d|m|", "Kurz|b|01,|d|m|" });
        mitDateien(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        m->nachDatumOrdnen();
        tk::RecipeList* l = tkt::kind<tk::RecipeList>(m, "rezeptliste");
        const QRect second = l->visualRect(l->model()->index(1));
        QTest::mousePress(l->viewport(), Qt::RightButton, {}, second.center());
        QCOMPARE(p.st.aktuellesRezept, 1);
        QTest::mouseRelease(l->viewport(), Qt::RightButton, {}, second.center());
        // Empty space changes nothing.
        QTest::mousePress(l->viewport(), Qt::LeftButton, {}, QPoint(5, l->viewport()->height() - 3));
        QCOMPARE(p.st.aktuellesRezept, 1);
        QTest::mouseMove(l->viewport(), l->visualRect(l->model()->index(0)).center());
        QTRY_COMPARE(tkt::kind<QLabel>(m, "titelvorschau")->text(),
            QStringLiteral("Ein sehr langer Titel eines Rezepts mit vielen Wörtern"));
        QTest::mouseMove(l->viewport(), QPoint(5, l->viewport()->height() - 3));
        QCOMPARE(tkt::kind<QLabel>(m, "titelvorschau")->text(),
            QStringLiteral("Ein sehr langer Titel eines Rezepts mit vielen Wörtern"));
    }

    void tabsAreReachableByAccessibility()
    {
        tkt::Collection c;
        c.standard({ "0", "Suppe|a|07,|d|m|" }, { "1Grillen" });
        mitDateien(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        QAccessibleInterface* tabs
            = QAccessible::queryAccessibleInterface(tkt::kind<tk::TabControl>(m, "kategorien"));
        QVERIFY(tabs);
        QCOMPARE(tabs->role(), QAccessible::PageTabList);
        QCOMPARE(tabs->childCount(), 16);
        QAccessibleInterface* soup = tabs->child(7);
        QCOMPARE(soup->role(), QAccessible::PageTab);
        QCOMPARE(soup->text(QAccessible::Name), QStringLiteral("Suppen"));
        QVERIFY(!soup->state().selected);
        QAccessibleActionInterface* act = soup->actionInterface();
        QVERIFY(act);
        act->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(tkt::kind<tk::TabControl>(m, "kategorien")->currentIndex(), 7);
        QVERIFY(soup->state().selected);
        QCOMPARE(tkt::kind<tk::RecipeList>(m, "rezeptliste")->count(), 1);
        QCOMPARE(tabs->child(15)->text(QAccessible::Name), QStringLiteral("Grillen"));
    }

    void keyboardMovesBetweenTabs()
    {
        tkt::Collection c;
        c.standard({ "-1" });
        mitDateien(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* m = p.forms().hauptfenster;
        tkt::kind<tk::TabControl>(m, "kategorien")->setFocus();
        QTest::keyClick(tkt::kind<tk::TabControl>(m, "kategorien"), Qt::Key_Right);
        QCOMPARE(tkt::kind<tk::TabControl>(m, "kategorien")->currentIndex(), 1);
        QCOMPARE(p.st.aktuelleKategorie, 1);
        QTest::keyClick(tkt::kind<tk::TabControl>(m, "kategorien"), Qt::Key_End);
        QCOMPARE(tkt::kind<tk::TabControl>(m, "kategorien")->currentIndex(), 14);
    }
};

TK_TEST_MAIN(TabsTest)
#include "tst_tabs.moc"
