#include "TestSupport.h"

#include <QTextBlock>
#include <QTextDocument>

#include "exchange/Ausgabe.h"
#include "platform/RtfWriter.h"
#include "platform/gui/RtfReader.h"

using tk::RichLine;

class RtfWriterTest : public QObject {
    Q_OBJECT
private slots:
    void escaping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("rtf");
        QTest::newRow("plain") << "500 g Mehl" << QByteArray("500 g Mehl");
        QTest::newRow("specials") << "a\\b{c}d" << QByteArray("a\\\\b\\{c\\}d");
        QTest::newRow("umlauts as cp1252 hex") << "Äpfel süß" << QByteArray("\\'c4pfel s\\'fc\\'df");
        QTest::newRow("euro and dash from the 0x80 row") << "5 € – gut" << QByteArray("5 \\'80 \\'96 gut");
        QTest::newRow("outside the code page as unicode") << "Łódź" << QByteArray("\\u321?\\'f3d\\u378?");
        QTest::newRow("above 0x7fff as signed") << QString(QChar(0xFB01)) << QByteArray("\\u-1279?");
        QTest::newRow("tab") << "a\tb" << QByteArray("a\\tab b");
    }
    void escaping()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, rtf);
        QCOMPARE(tk::rtfEscape(text), rtf);
    }

    void documentStructure()
    {
        const QList<RichLine> lines { { "", 10, false, false }, { "Titel", 14, false, false },
            { "", 10, false, false }, { "", 10, true, true }, { "Zutaten", 10, true, true },
            { "Mehl", 10, false, false } };
        const QByteArray rtf = tk::writeRtf(lines);
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
        QVERIFY(rtf.contains("{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"));
        QVERIFY(rtf.endsWith("}\r\n"));
        QCOMPARE(rtf.count("\\par\r\n"), lines.size());
        QVERIFY(rtf.contains("\\fs28 Titel\\par"));
        QVERIFY(rtf.contains("\\fs20 \\par"));
        QVERIFY(rtf.contains("\\b\\ul \\par\r\nZutaten\\par\r\n\\b0\\ulnone Mehl\\par"));
        // Balanced groups, pure 7-bit output.
        int depth = 0;
        for (qsizetype i = 0; i < rtf.size(); ++i) {
            const char c = rtf.at(i);
            QVERIFY(uchar(c) < 0x80);
            if (c == '\\') {
                ++i;
                continue;
            }
            depth += c == '{' ? 1 : c == '}' ? -1 : 0;
            QVERIFY(depth >= 0);
        }
        QCOMPARE(depth, 0);
    }

    // What the writer puts out, the reader gives back: texts, sizes, bold and underline.
    void roundTripThroughReader()
    {
        tk::RezeptAnsicht a;
        a.titel = QStringLiteral("Käse-Spätzle {schwäbisch}");
        a.datum = QStringLiteral("12.03.2006");
        a.autor = QStringLiteral("Anna \\ Bert");
        a.menge = QStringLiteral("4 Portionen – reichlich");
        a.zutaten = QStringList { "500 g Mehl", "200 g Käse", "  1 Prise Salz" };
        a.zeilen = QStringList { "Teig schlagen, bis er Blasen wirft.", "", "Mit Käse schichten: 5 €." };
        const QList<RichLine> lines = tk::rtfZeilen(a, 12);
        QTextDocument doc;
        tk::readRtf(tk::writeRtf(lines), doc);
        QCOMPARE(doc.blockCount(), lines.size());
        QTextBlock b = doc.begin();
        for (const RichLine& l : lines) {
            QCOMPARE(b.text(), l.text);
            if (!l.text.isEmpty()) {
                for (auto it = b.begin(); !it.atEnd(); ++it) {
                    const QTextCharFormat f = it.fragment().charFormat();
                    QCOMPARE(f.fontPointSize(), qreal(l.pointSize));
                    QCOMPARE(f.fontWeight() >= QFont::Bold, l.bold);
                    QCOMPARE(f.fontUnderline(), l.underline);
                    QVERIFY(f.fontFamilies().toStringList().contains(QStringLiteral("Arial")));
                }
            }
            b = b.next();
        }
    }
};

TK_TEST_MAIN(RtfWriterTest)
#include "tst_rtfwriter.moc"
