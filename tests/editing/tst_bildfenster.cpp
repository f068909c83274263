#include "TestSupport.h"

#include <QAccessible>
#include <QPushButton>

#include "editing/gui/Bildfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/HotLabel.h"
#include "platform/gui/ImageView.h"
#include "store/AppState.h"

namespace {

QByteArray jpeg(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::darkGreen);
    QByteArray out;
    QBuffer b(&out);
    b.open(QIODevice::WriteOnly);
    img.save(&b, "JPG");
    return out;
}

void sammlung(tkt::Collection& c)
{
    c.standard({ QStringLiteral("1"), QStringLiteral("Mit Bild|A|01,|1.1.2020|x|"),
        QStringLiteral("Ohne Bild|B|02,|2.2.2020|y|") });
    c.recipe(0, { QStringLiteral("Mehl") }, { QStringLiteral("Backen") });
    c.recipe(1, { QStringLiteral("Salz") }, { QStringLiteral("Kochen") });
}

} // namespace

class BildfensterTest : public QObject {
    Q_OBJECT
private slots:
    void windowSize_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QSize>("client");
        QTest::newRow("own size plus panel")
            << QSize(400, 300) << QSize(1024, 768) << QSize() << QSize(400, 335);
        QTest::newRow("large picture gets screen less 50")
            << QSize(3000, 2000) << QSize(1024, 768) << QSize() << QSize(974, 718);
        QTest::newRow("frame counts towards the limit")
            << QSize(3000, 2000) << QSize(1024, 768) << QSize(8, 27) << QSize(966, 691);
        QTest::newRow("tiny picture keeps the minimum")
            << QSize(20, 10) << QSize(1024, 768) << QSize() << QSize(50, 70);
        QTest::newRow("wide picture") << QSize(2000, 100) << QSize(1024, 768) << QSize() << QSize(974, 135);
        QTest::newRow("height exactly at the limit")
            << QSize(100, 683) << QSize(1024, 768) << QSize() << QSize(100, 718);
    }
    void windowSize()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, screen);
        QFETCH(QSize, frame);
        QFETCH(QSize, client);
        QCOMPARE(tk::bildFensterGroesse(picture, screen, frame), client);
    }

    void showsPictureOfRecipeOnShow()
    {
        tkt::Collection c;
        sammlung(c);
        c.writeBytes(QStringLiteral("Data/Rezepte/0000.jpg"), jpeg(400, 300));
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        tk::Bildfenster* viewer = p.forms().bildfenster;
        f1->zeigeRezept(0);
        QVERIFY(!tkt::kind<tk::HotLabel>(f1, "bildSymbol")->isHidden());
        // A right click on another entry moves aktuellesRezept; the icon still belongs to the recipe on show.
        p.st.aktuellesRezept = 1;
        tkt::kind<tk::HotLabel>(f1, "bildSymbol")->press();
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Bildanzeiger"));
        QCOMPARE(viewer->size(), QSize(400, 335));
        QCOMPARE(tkt::kind<tk::ImageView>(viewer, "bild")->image().size(), QSize(400, 300));
        QCOMPARE(tkt::kind<QWidget>(viewer, "knopfleiste")->height(), 35);
        QCOMPARE(tkt::kind<tk::ImageView>(viewer, "bild")->pictureRect(), QRect(0, 0, 400, 300));
        QAccessibleInterface* a
            = QAccessible::queryAccessibleInterface(tkt::kind<tk::ImageView>(viewer, "bild"));
        QVERIFY(a);
        QCOMPARE(a->role(), QAccessible::Graphic);
        QCOMPARE(a->text(QAccessible::Description), QStringLiteral("400 × 300 Bildpunkte"));

        // The picture scales with the window.
        viewer->resize(200, 185);
        QTRY_COMPARE(tkt::kind<tk::ImageView>(viewer, "bild")->size(), QSize(200, 150));
        QCOMPARE(tkt::kind<tk::ImageView>(viewer, "bild")->pictureRect(), QRect(0, 0, 200, 150));
        viewer->resize(10, 10);
        QCOMPARE(viewer->size(), QSize(50, 70));

        tkt::kind<QPushButton>(viewer, "schliessen")->click();
        QVERIFY(!viewer->isVisible());
        QCOMPARE(script.unexpected, 0);
    }

    void badPictureGivesErrorAndNoViewer_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = jpeg(300, 200);
        QTest::newRow("truncated") << good.left(good.size() / 3);
        QTest::newRow("no picture") << QByteArray("Das ist Text.\r\n");
        QByteArray huge = good;
        for (qsizetype i = 2; i + 9 < huge.size(); ++i)
            if (uchar(huge[i]) == 0xFF && uchar(huge[i + 1]) == 0xC0) {
                huge[i + 5] = char(0xEA), huge[i + 6] = char(0x60), huge[i + 7] = char(0xEA),
                         huge[i + 8] = char(0x60);
                break;
            }
        QTest::newRow("60000 x 60000") << huge;
    }
    void badPictureGivesErrorAndNoViewer()
    {
        QFETCH(QByteArray, bytes);
        tkt::Collection c;
        sammlung(c);
        c.writeBytes(QStringLiteral("Data/Rezepte/0000.jpg"), bytes);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        p.forms().hauptfenster->zeigeRezept(0);
        script.answer(tk::Answer::Ok);
        tkt::kind<tk::HotLabel>(p.forms().hauptfenster, "bildSymbol")->press();
        QCOMPARE(script.texts(tk::ModalKind::ErrorReport).size(), 1);
        QVERIFY(script.last(tk::ModalKind::ErrorReport).text.contains(QStringLiteral("0000.jpg")));
        QVERIFY(!p.forms().bildfenster->isVisible());
    }
};

TK_TEST_MAIN(BildfensterTest)
#include "tst_bildfenster.moc"
