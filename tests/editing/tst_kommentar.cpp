#include "TestSupport.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "editing/gui/Kommentarfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/TextLines.h"
#include "platform/gui/HotLabel.h"
#include "store/AppState.h"

namespace {

const QString k0 = QStringLiteral("Data/Rezepte/0000.dat");
const QString k1 = QStringLiteral("Data/Rezepte/0001.dat");

void sammlung(tkt::Collection& c)
{
    c.standard({ QStringLiteral("1"), QStringLiteral("Kuchen|A|01,|1.1.2020|x|"),
        QStringLiteral("Suppe|B|07,|2.2.2020|y|") });
    c.recipe(0, { QStringLiteral("200 g Mehl"), QStringLiteral("3 Eier") },
        { QStringLiteral("Rühren."), QStringLiteral(""), QStringLiteral("Backen."),
            QStringLiteral("Essen.") },
        { QStringLiteral("Sehr gut!") });
    c.recipe(
        1, { QStringLiteral("1 l Wasser") }, { QStringLiteral("Kochen.") }, { QStringLiteral("Salzig") });
}

} // namespace

class KommentarTest : public QObject {
    Q_OBJECT
private slots:
    void savesFileOfRecipeOnShow_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("tail"); // lines after the four text lines
        QTest::newRow("three lines give eleven")
            << QStringLiteral("eins\nzwei\ndrei")
            << QStringList { QStringLiteral("###KOMMENTAR###"), QStringLiteral("eins"),
                   QStringLiteral("zwei"), QStringLiteral("drei") };
        QTest::newRow("empty comment ends with the marker")
            << QString() << QStringList { QStringLiteral("###KOMMENTAR###") };
        QTest::newRow("final Enter adds no line") << QStringLiteral(
            "eins\n") << QStringList { QStringLiteral("###KOMMENTAR###"), QStringLiteral("eins") };
        QTest::newRow("inner empty line stays") << QStringLiteral("a\n\nb")
                                                << QStringList { QStringLiteral("###KOMMENTAR###"),
                                                       QStringLiteral("a"), QString(), QStringLiteral("b") };
    }
    void savesFileOfRecipeOnShow()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, tail);
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        tk::Kommentarfenster* k = p.forms().kommentarfenster;
        f1->zeigeRezept(0);
        tkt::kind<tk::HotLabel>(f1, "kommentarSymbol")->press();
        QVERIFY(k->isVisible());
        QCOMPARE(tkt::kind<QPlainTextEdit>(k, "kommentar")->toPlainText(), QStringLiteral("Sehr gut!"));
        tkt::kind<QPlainTextEdit>(k, "kommentar")->setPlainText(typed);
        tkt::kind<QPushButton>(k, "speichern")->click();
        QVERIFY(!k->isVisible());
        const QStringList expected
            = QStringList { QStringLiteral("2"), QStringLiteral("200 g Mehl"), QStringLiteral("3 Eier"),
                  QStringLiteral("Rühren."), QString(), QStringLiteral("Backen."), QStringLiteral("Essen.") }
            + tail;
        QCOMPARE(c.lines(k0), expected);
        QVERIFY(c.bytes(k0).endsWith("\r\n"));
        QCOMPARE(script.unexpected, 0);
    }

    void rightClickDoesNotRedirectTheSave()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        f1->zeigeRezept(0);
        const QByteArray other = c.bytes(k1);
        p.st.aktuellesRezept = 1; // a right click on the other entry
        tkt::kind<QPlainTextEdit>(p.forms().kommentarfenster, "kommentar")
            ->setPlainText(QStringLiteral("neu"));
        tkt::kind<QPushButton>(p.forms().kommentarfenster, "speichern")->click();
        QCOMPARE(c.bytes(k1), other);
        QCOMPARE(c.lines(k0).last(), QStringLiteral("neu"));
        QCOMPARE(c.lines(k0).at(1), QStringLiteral("200 g Mehl"));
    }

    void nothingOnShowWritesNothing()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        p.forms().hauptfenster->zeigeRezept(0);
        p.forms().hauptfenster->zeigeRezept(-1);
        const QByteArray a = c.bytes(k0), b = c.bytes(k1);
        tkt::kind<QPlainTextEdit>(p.forms().kommentarfenster, "kommentar")
            ->setPlainText(QStringLiteral("irgendwas"));
        tkt::kind<QPushButton>(p.forms().kommentarfenster, "speichern")->click();
        QCOMPARE(c.bytes(k0), a);
        QCOMPARE(c.bytes(k1), b);
    }

    void discardEmptiesUntilShownAgain()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        tk::Kommentarfenster* k = p.forms().kommentarfenster;
        f1->zeigeRezept(0);
        const QByteArray before = c.bytes(k0);
        tkt::kind<tk::HotLabel>(f1, "kommentarSymbol")->press();
        tkt::kind<QPushButton>(k, "verwerfen")->click();
        QVERIFY(!k->isVisible());
        QCOMPARE(c.bytes(k0), before);
        tkt::kind<tk::HotLabel>(f1, "kommentarSymbol")->press();
        QCOMPARE(tkt::kind<QPlainTextEdit>(k, "kommentar")->toPlainText(), QString());
        f1->zeigeRezept(1);
        f1->zeigeRezept(0);
        QCOMPARE(tkt::kind<QPlainTextEdit>(k, "kommentar")->toPlainText(), QStringLiteral("Sehr gut!"));
    }

    void unwritableFileKeepsWindowOpen()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        p.forms().hauptfenster->zeigeRezept(0);
        tkt::kind<tk::HotLabel>(p.forms().hauptfenster, "kommentarSymbol")->press();
        QFile::setPermissions(c.path(k0), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        const QByteArray before = c.bytes(k0);
        tkt::kind<QPlainTextEdit>(p.forms().kommentarfenster, "kommentar")
            ->setPlainText(QStringLiteral("bleibt"));
        script.answer(tk::Answer::Ok);
        tkt::kind<QPushButton>(p.forms().kommentarfenster, "speichern")->click();
        QCOMPARE(script.texts(tk::ModalKind::ErrorReport).size(), 1);
        QVERIFY(p.forms().kommentarfenster->isVisible());
        QCOMPARE(tkt::kind<QPlainTextEdit>(p.forms().kommentarfenster, "kommentar")->toPlainText(),
            QStringLiteral("bleibt"));
        QCOMPARE(c.bytes(k0), before);
        QVERIFY(tk::isReadOnly(c.path(k0)));
    }
};

TK_TEST_MAIN(KommentarTest)
#include "tst_kommentar.moc"
