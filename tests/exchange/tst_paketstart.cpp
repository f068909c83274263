#include "TestSupport.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>

#include "exchange/Paketstart.h"
#include "exchange/gui/Paketimportfenster.h"
#include "app/Paketoeffnen.h"
#include "exchange/Paketformat.h"
#include "store/AppState.h"
#include "store/Formats.h"

using tk::ModalKind;

namespace {

QString makePackage(tkt::Collection& c, const QString& name, const QString& titel)
{
    const QString work = QStringLiteral("bau-") + name;
    c.write(work + QStringLiteral("/index.tki"),
        { "[Info]", "Rezepte=1", "Name=" + titel, "Autor=Test", "[0]", "Name=" + titel, "Koch=K",
            "Kategorie=01,", "Datum=d", "Menge=m" });
    c.writeBytes(work + QStringLiteral("/0000.dat"), tkt::crlf(tk::buildRecipe({ "1 Ei" }, { titel }, {})));
    const QString pkg = c.path(name);
    tk::dateienPacken(
        { c.path(work + QStringLiteral("/index.tki")), c.path(work + QStringLiteral("/0000.dat")) }, pkg);
    return pkg;
}

}

class PaketstartTest : public QObject {
    Q_OBJECT
private slots:
    void onlyPackageArgumentsCount_data()
    {
        QTest::addColumn<QStringList>("argumente");
        QTest::addColumn<QStringList>("erwartet");
        QTest::newRow("none") << QStringList {} << QStringList {};
        QTest::newRow("absolute") << QStringList { "/home/a/Kuchen.tkp" }
                                  << QStringList { "/home/a/Kuchen.tkp" };
        QTest::newRow("relative to the working folder")
            << QStringList { "pakete/../Suppen.tkp" } << QStringList { "/arbeit/Suppen.tkp" };
        QTest::newRow("upper-case extension") << QStringList { "/a/X.TKP" } << QStringList { "/a/X.TKP" };
        QTest::newRow("blanks and umlauts kept")
            << QStringList { "/a/Omas Küche.tkp" } << QStringList { "/a/Omas Küche.tkp" };
        QTest::newRow("file URL") << QStringList { "file:///a/Gr%C3%BC%C3%9Fe.tkp" }
                                  << QStringList { "/a/Grüße.tkp" };
        QTest::newRow("other arguments ignored") << QStringList { "--reset", "-platform", "offscreen",
            "/a/notiz.txt", "/a/x.tkp.bak", "http://x/y.tkp", "/a/B.tkp" }
                                                 << QStringList { "/a/B.tkp" };
        QTest::newRow("order kept, repeats once")
            << QStringList { "/a/2.tkp", "/a/1.tkp", "/a/./2.tkp" } << QStringList { "/a/2.tkp", "/a/1.tkp" };
    }
    void onlyPackageArgumentsCount()
    {
        QFETCH(QStringList, argumente);
        QFETCH(QStringList, erwartet);
        QCOMPARE(tk::paketArgumente(argumente, QStringLiteral("/arbeit")), erwartet);
    }

    void packagesGivenAtStartAreListedReadyForOk()
    {
        tkt::Collection c;
        c.standard({ "0", "Alt|a|01,|d|m|" });
        c.recipe(0, {}, { "alt" });
        const QString p1 = makePackage(c, "Kuchen.tkp", QStringLiteral("Apfelkuchen"));
        const QString p2 = makePackage(c, "Suppen Sammlung.tkp", QStringLiteral("Linsensuppe"));

        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Paketimportfenster* importfenster = p.forms().paketimportfenster;
        QDir::setCurrent(c.dir());
        tk::oeffnePakete(p.forms(), { "--irgendwas", "Kuchen.tkp", p2, "notiz.txt" }, QDir::currentPath());
        QVERIFY(importfenster->isVisible());
        QCOMPARE(tkt::kind<QListWidget>(importfenster, "pakete")->count(), 2);
        QCOMPARE(tkt::kind<QListWidget>(importfenster, "pakete")->item(0)->text(),
            QStringLiteral("Apfelkuchen (1 Rezepte) von Test"));
        QCOMPARE(tkt::kind<QListWidget>(importfenster, "pakete")->item(1)->text(),
            QStringLiteral("Linsensuppe (1 Rezepte) von Test"));
        QCOMPARE(importfenster->indexPfade.size(), 2);
        QCOMPARE(tkt::kind<QPushButton>(importfenster, "abbrechen")->text(), QStringLiteral("Abbrechen"));
        QCOMPARE(script.seen().size(), 0);

        // "OK" installs them as after "Dateien laden".
        script.answer(tk::Answer::Ok);
        QTest::mouseClick(tkt::kind<QPushButton>(importfenster, "installieren"), Qt::LeftButton);
        QCOMPARE(script.unexpected, 0);
        QVERIFY(!importfenster->isVisible());
        QCOMPARE(c.lines("Data/Rezepte/index.dat").mid(1),
            QStringList({ "Alt|a|01,|d|m|", "Apfelkuchen|K|01,|d|m|", "Linsensuppe|K|01,|d|m|" }));
        QCOMPARE(p.st.rezeptAnzahl, 3);
        QVERIFY(QFile::exists(p1)); // the package file itself is left alone
    }

    void withoutPackageArgumentsNothingOpens()
    {
        tkt::Collection c;
        c.standard({ "0", "Alt|a|01,|d|m|" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::oeffnePakete(p.forms(), { "--help", c.path("Data/Rezepte/index.dat") }, c.dir());
        QVERIFY(!p.forms().paketimportfenster->isVisible());
        QCOMPARE(script.seen().size(), 0);
        QVERIFY(!QFileInfo::exists(c.path("temp")));
    }

    void aMissingPackageIsNamedAndTheWindowStaysEmpty()
    {
        tkt::Collection c;
        c.standard({ "0", "Alt|a|01,|d|m|" });
        const QByteArray indexBefore = c.bytes("Data/Rezepte/index.dat");
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        script.answer(tk::Answer::Ok);
        tk::oeffnePakete(p.forms(), { c.path("weg.tkp") }, c.dir());
        QCOMPARE(script.unexpected, 0);
        QVERIFY2(script.last(ModalKind::Meldung).text.contains(QStringLiteral("weg.tkp")),
            qPrintable(script.last(ModalKind::Meldung).text));
        QVERIFY(p.forms().paketimportfenster->isVisible());
        QCOMPARE(tkt::kind<QListWidget>(p.forms().paketimportfenster, "pakete")->count(), 0);
        QCOMPARE(c.bytes("Data/Rezepte/index.dat"), indexBefore);
    }
};

TK_TEST_MAIN(PaketstartTest)
#include "tst_paketstart.moc"
