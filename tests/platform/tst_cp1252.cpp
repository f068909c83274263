#include "TestSupport.h"

#include "platform/Cp1252.h"

class Cp1252Test : public QObject {
    Q_OBJECT
private slots:
    void everyByteRoundTrips()
    {
        QByteArray all(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        const QString text = tk::fromCp1252(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(tk::toCp1252(text), all);
    }

    void decodes_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("unicode");
        QTest::newRow("ascii") << 0x41 << 0x41;
        QTest::newRow("nul") << 0x00 << 0x00;
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("undefined 81 keeps its number") << 0x81 << 0x81;
        QTest::newRow("undefined 8D") << 0x8D << 0x8D;
        QTest::newRow("undefined 8F") << 0x8F << 0x8F;
        QTest::newRow("undefined 90") << 0x90 << 0x90;
        QTest::newRow("undefined 9D") << 0x9D << 0x9D;
        QTest::newRow("low quote") << 0x84 << 0x201E;
        QTest::newRow("en dash") << 0x96 << 0x2013;
        QTest::newRow("Y umlaut") << 0x9F << 0x0178;
        QTest::newRow("nbsp") << 0xA0 << 0xA0;
        QTest::newRow("degree") << 0xB0 << 0xB0;
        QTest::newRow("half") << 0xBD << 0xBD;
        QTest::newRow("a umlaut") << 0xE4 << 0xE4;
        QTest::newRow("sharp s") << 0xDF << 0xDF;
        QTest::newRow("y diaeresis") << 0xFF << 0xFF;
    }
    void decodes()
    {
        QFETCH(int, byte);
        QFETCH(int, unicode);
        const QString s = tk::fromCp1252(QByteArray(1, char(byte)));
        QCOMPARE(s.size(), 1);
        QCOMPARE(int(s.at(0).unicode()), unicode);
        QCOMPARE(tk::toCp1252(s.at(0)), char(byte));
    }

    void unrepresentableBecomesQuestionMark_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("polish L") << QStringLiteral("Łódź")
                                  << QByteArray("?\xF3"
                                                "d?");
        QTest::newRow("cjk") << QStringLiteral("Reis 米") << QByteArray("Reis ?");
        QTest::newRow("C1 control 80 is not the euro") << QString(QChar(0x80)) << QByteArray("?");
        QTest::newRow("emoji is one character") << QStringLiteral("a🍰b") << QByteArray("a?b");
        QTest::newRow("lone surrogate") << QString(QChar(0xD83C)) + u'x' << QByteArray("?x");
        QTest::newRow("mixed keeps the rest") << QStringLiteral("Crème brûlée – 2 € ½")
                                              << QByteArray("Cr\xE8me br\xFBl\xE9"
                                                            "e \x96 2 \x80 \xBD");
    }
    void unrepresentableBecomesQuestionMark()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(tk::toCp1252(text), bytes);
    }
};

TK_TEST_MAIN(Cp1252Test)
#include "tst_cp1252.moc"
