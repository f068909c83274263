#include "TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <set>

#include "editing/gui/Rezepteditor.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/RecipeList.h"
#include "platform/gui/HotLabel.h"
#include "store/AppState.h"
#include "store/Formats.h"

using tk::Answer;
using tk::ModalKind;

namespace {

const QString kIndex = QStringLiteral("Data/Rezepte/index.dat");
const QString kFav = QStringLiteral("Data/Rezepte/favoriten.dat");

// Highest number 5; recipe 3 carries a picture.
void sammlung(tkt::Collection& c)
{
    QStringList index { QStringLiteral("5") };
    for (int n = 0; n <= 5; ++n)
        index.append(QStringLiteral("Rezept %1|A|01,|d|m|").arg(n));
    c.standard(index, {}, { QStringLiteral("2") });
    for (int n = 0; n <= 5; ++n)
        c.recipe(
            n, { QStringLiteral("Zutat") }, { QStringLiteral("Text %1").arg(n) }, { QStringLiteral("K") });
    c.writeBytes(QStringLiteral("Data/Rezepte/0003.jpg"), "jpeg");
}

} // namespace

class FavoritenTest : public QObject {
    Q_OBJECT
private slots:
    void favouriteToggledTwice()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        f1->zeigeRezept(4);
        script.answer(Answer::Yes);
        tkt::kind<QAction>(f1, "favorit")->trigger();
        QCOMPARE(script.last(ModalKind::Question).caption, QStringLiteral("Rezept hinzufügen"));
        QCOMPARE(script.last(ModalKind::Question).text,
            QStringLiteral("\"Rezept 4\" in die Liste ihrer Lieblingsrezepte übernehmen?"));
        QVERIFY(c.lines(kFav).contains(QStringLiteral("4=1")));
        QCOMPARE(p.st.sammlung.rezepte()[4].favorit, 1);

        script.answer(Answer::Yes);
        f1->favoritUmschalten();
        QCOMPARE(script.last(ModalKind::Question).caption, QStringLiteral("Rezept löschen"));
        QCOMPARE(script.last(ModalKind::Question).text,
            QStringLiteral("Das Rezept \"Rezept 4 ist schon in den Favoriten,\rsoll es aus den Favoriten "
                           "gelöscht werden?"));
        QVERIFY(c.lines(kFav).contains(QStringLiteral("4=0")));
        QCOMPARE(p.st.sammlung.rezepte()[4].favorit, 0);
        QCOMPARE(script.unexpected, 0);
    }

    void answeringNoChangesNothing_data()
    {
        QTest::addColumn<int>("command"); // 0 favourite, 1 delete
        QTest::newRow("favourite") << 0;
        QTest::newRow("delete") << 1;
    }
    void answeringNoChangesNothing()
    {
        QFETCH(int, command);
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        p.forms().hauptfenster->zeigeRezept(2);
        const QByteArray fav = c.bytes(kFav), index = c.bytes(kIndex),
                         rec = c.bytes(QStringLiteral("Data/Rezepte/0002.dat"));
        script.answer(Answer::No);
        if (command == 0)
            p.forms().hauptfenster->favoritUmschalten();
        else
            p.forms().hauptfenster->rezeptLoeschen();
        QCOMPARE(script.seen().size(), 1);
        QCOMPARE(c.bytes(kFav), fav);
        QCOMPARE(c.bytes(kIndex), index);
        QCOMPARE(c.bytes(QStringLiteral("Data/Rezepte/0002.dat")), rec);
        QCOMPARE(p.st.sammlung.rezepte()[2].favorit, 1);
        QCOMPARE(p.st.sammlung.rezepte()[2].geloescht, 0);
        QCOMPARE(tkt::kind<QLabel>(p.forms().hauptfenster, "titel")->text(), QStringLiteral("Rezept 2"));
    }

    void deletionMarksLineRemovesFilesAndNumberIsNotReused()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        f1->zeigeRezept(3);
        script.answer(Answer::Yes);
        tkt::kind<QAction>(f1, "loeschen")->trigger();
        QCOMPARE(script.last(ModalKind::Question).caption, QStringLiteral("Tellerkiste"));
        QCOMPARE(script.last(ModalKind::Question).text,
            QStringLiteral("Das Rezept Rezept 3 wirklich gelöscht werden?"));
        const QStringList index = c.lines(kIndex);
        QCOMPARE(index.at(0), QStringLiteral("5"));
        QCOMPARE(index.at(4), QStringLiteral("||||"));
        QCOMPARE(index.at(3), QStringLiteral("Rezept 2|A|01,|d|m|"));
        QVERIFY(!c.exists(QStringLiteral("Data/Rezepte/0003.dat")));
        QVERIFY(!c.exists(QStringLiteral("Data/Rezepte/0003.jpg")));
        QCOMPARE(p.st.sammlung.rezeptAnzahl(), 5);
        QCOMPARE(p.st.sammlung.rezepte()[3].geloescht, 1);
        QCOMPARE(tkt::kind<QLabel>(f1, "titel")->text(), QStringLiteral("Rezeptname"));
        QCOMPARE(tkt::kind<QListWidget>(f1, "zutaten")->count(), 0);
        QCOMPARE(tkt::kind<QPlainTextEdit>(f1, "zubereitung")->toPlainText(), QString());
        for (QLabel* l : { tkt::kind<QLabel>(f1, "datum"), tkt::kind<QLabel>(f1, "autor"),
                 tkt::kind<QLabel>(f1, "menge"), tkt::kind<QLabel>(f1, "rezeptKategorien") })
            QCOMPARE(l->text(), QString());
        QVERIFY(tkt::kind<tk::HotLabel>(f1, "bildSymbol")->isHidden());
        QCOMPARE(p.st.angezeigtesRezept, -1);

        // The next new recipe gets 6.
        f1->neuesRezept();
        tkt::kind<QLineEdit>(p.forms().rezepteditor, "titel")->setText(QStringLiteral("Neu"));
        tkt::kind<QListWidget>(p.forms().rezepteditor, "kategorien")->item(0)->setCheckState(Qt::Checked);
        tkt::kind<QPushButton>(p.forms().rezepteditor, "speichern")->click();
        QCOMPARE(c.lines(kIndex).at(0), QStringLiteral("6"));
        QVERIFY(c.exists(QStringLiteral("Data/Rezepte/0006.dat")));
        QCOMPARE(script.unexpected, 0);
    }

    void unwritableIndexDeletesNothing()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        p.forms().hauptfenster->zeigeRezept(3);
        QFile::setPermissions(c.path(kIndex), QFileDevice::ReadOwner);
        const QByteArray index = c.bytes(kIndex);
        script.answer(Answer::Yes).answer(Answer::Ok);
        tkt::kind<QAction>(p.forms().hauptfenster, "loeschen")->trigger();
        QCOMPARE(script.texts(ModalKind::ErrorReport).size(), 1);
        QCOMPARE(c.bytes(kIndex), index);
        QVERIFY(c.exists(QStringLiteral("Data/Rezepte/0003.dat")));
        QVERIFY(c.exists(QStringLiteral("Data/Rezepte/0003.jpg")));
        QCOMPARE(p.st.sammlung.rezepte()[3].geloescht, 0);
        QCOMPARE(tkt::kind<QLabel>(p.forms().hauptfenster, "titel")->text(), QStringLiteral("Rezept 3"));
    }

    void deletingTheOnlyRecipeLeavesCommandsIdle()
    {
        tkt::Collection c;
        c.standard({ QStringLiteral("1"), QStringLiteral("||||"), QStringLiteral("Einzig|A|01,|d|m|") }, {},
            { QStringLiteral("1") });
        c.recipe(1, {}, { QStringLiteral("t") });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        f1->zeigeRezept(1);
        script.answer(Answer::Yes);
        f1->rezeptLoeschen();
        QCOMPARE(c.lines(kIndex),
            (QStringList { QStringLiteral("1"), QStringLiteral("||||"), QStringLiteral("||||") }));
        QCOMPARE(p.st.sammlung.rezeptAnzahl(), 0);
        QCOMPARE(tkt::kind<QLabel>(f1, "rezeptzahl")->text(), QStringLiteral("Rezepte in der Datenbank: 0"));
        const QByteArray fav = c.bytes(kFav);
        const int seen = int(script.seen().size());
        f1->zufallsrezept();
        f1->favoritUmschalten();
        f1->rezeptLoeschen();
        f1->rezeptBearbeiten();
        QCOMPARE(int(script.seen().size()), seen);
        QCOMPARE(c.bytes(kFav), fav);
        QVERIFY(c.lines(kFav).contains(QStringLiteral("1=1"))); // the key stays
        QVERIFY(!p.forms().rezepteditor->isVisible());
        QCOMPARE(tkt::kind<QLabel>(f1, "titel")->text(), QStringLiteral("Rezeptname"));
    }

    void randomRecipeNeverDeleted()
    {
        tkt::Collection c;
        QStringList index { QStringLiteral("99") };
        for (int n = 0; n <= 99; ++n)
            index.append(
                n == 17 || n == 80 ? QStringLiteral("Lebt %1|A|01,|d|m|").arg(n) : QStringLiteral("||||"));
        c.standard(index);
        c.recipe(17, {}, { QStringLiteral("a") });
        c.recipe(80, {}, { QStringLiteral("b") });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        std::set<int> shown;
        const int selected
            = tkt::kind<tk::RecipeList>(p.forms().hauptfenster, "rezeptliste")->currentIndex().row();
        for (int i = 0; i < 200; ++i) {
            p.forms().hauptfenster->zufallsrezept();
            shown.insert(p.st.aktuellesRezept);
        }
        QCOMPARE(shown, (std::set<int> { 17, 80 }));
        QCOMPARE(
            tkt::kind<tk::RecipeList>(p.forms().hauptfenster, "rezeptliste")->currentIndex().row(), selected);
        QCOMPARE(script.unexpected, 0);
    }
};

TK_TEST_MAIN(FavoritenTest)
#include "tst_favoriten.moc"
