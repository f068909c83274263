#include "TestSupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/gui/RtfReader.h"

namespace {
QString textOf(const QByteArray& rtf)
{
    QTextDocument doc;
    tk::readRtf(rtf, doc);
    // The raw text keeps line separators and no-break spaces apart from their plain look.
    return doc.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

// The character format of the first occurrence of a word.
QTextCharFormat formatOf(const QTextDocument& doc, const QString& word)
{
    QTextCursor c = doc.find(word);
    if (c.isNull())
        return {};
    c.setPosition(c.selectionStart() + 1);
    return c.charFormat();
}

const QByteArray kHead
    = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
      "{\\f1\\froman Times New Roman;}}{\\colortbl ;\\red0\\green0\\blue128;\\red200\\green10\\blue20;}";
}

class RtfReaderTest : public QObject {
    Q_OBJECT
private slots:
    void text_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QByteArray("{\\rtf1 Hallo Welt}") << "Hallo Welt";
        QTest::newRow("cp1252 escapes") << QByteArray("{\\rtf1 K\\'e4se f\\'fcr \\'80 5}") << "Käse für € 5";
        QTest::newRow("unicode with fallback") << QByteArray("{\\rtf1 \\u8364?uro}") << "€uro";
        QTest::newRow("uc2 skips two") << QByteArray("{\\rtf1\\uc2 \\u8222\\'84\\'84a}") << "„a";
        QTest::newRow("uc0 skips nothing") << QByteArray("{\\rtf1\\uc0 \\u8222 a}") << "„a";
        QTest::newRow("uc is scoped") << QByteArray("{\\rtf1{\\uc0 x}\\u252?b}") << "xüb";
        QTest::newRow("negative unicode") << QByteArray("{\\rtf1 \\u-3913?}") << QString(QChar(0xF0B7));
        QTest::newRow("unicode skip over escape") << QByteArray("{\\rtf1 \\u246\\'f6n}") << "ön";
        QTest::newRow("escaped braces") << QByteArray("{\\rtf1 a\\{b\\}c\\\\d}") << "a{b}c\\d";
        QTest::newRow("paragraphs") << QByteArray("{\\rtf1 eins\\par zwei\\par}") << "eins\nzwei";
        QTest::newRow("line and tab")
            << QByteArray("{\\rtf1 a\\line b\\tab c}") << QStringLiteral("a\u2028b\tc");
        QTest::newRow("symbols") << QByteArray("{\\rtf1 a\\~b\\emdash c\\bullet\\ldblquote x\\rdblquote}")
                                 << QStringLiteral("a\u00A0b\u2014c\u2022\u201Cx\u201D");
        QTest::newRow("star destination skipped") << QByteArray("{\\rtf1 a{\\*\\generator Word;}b}") << "ab";
        QTest::newRow("picture skipped")
            << QByteArray("{\\rtf1 vor{\\pict\\wmetafile8\\picw10 0123456789abcdef}nach}") << "vornach";
        QTest::newRow("shape picture skipped")
            << QByteArray("{\\rtf1 a{\\*\\shppict{\\pict\\pngblip 89504e47}}{\\nonshppict{\\pict 00}}b}")
            << "ab";
        QTest::newRow("binary data skipped") << QByteArray("{\\rtf1 a{\\pict\\bin4 }{\\x}b}") << "ab";
        QTest::newRow("field result shown")
            << QByteArray("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt Seite}}}") << "Seite";
        QTest::newRow("font and colour tables hold no text") << kHead + "\\f0 Text}"
                                                             << "Text";
        QTest::newRow("info skipped") << QByteArray("{\\rtf1{\\info{\\author Max}}Text}") << "Text";
        QTest::newRow("newlines in source ignored") << QByteArray("{\\rtf1 ab\r\ncd}") << "abcd";
        QTest::newRow("backslash newline is a paragraph") << QByteArray("{\\rtf1 ab\\\ncd}") << "ab\ncd";
        QTest::newRow("not rtf is plain text")
            << QByteArray("Nur Text\r\nZeile 2 \xe4") << "Nur Text\nZeile 2 ä";
    }
    void text()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(textOf(rtf), text);
    }

    void characterFormats()
    {
        QTextDocument doc;
        tk::readRtf(kHead
                + "\\f0\\fs20 normal {\\b fett} {\\i schraeg} {\\ul unter\\ulnone weg} {\\f1\\fs28 times} "
                  "{\\cf2 rot} {\\cf1\\b\\b0 blau} \\plain schlicht}",
            doc);
        QCOMPARE(formatOf(doc, "normal").fontFamilies().toStringList(), QStringList { "Arial" });
        QCOMPARE(formatOf(doc, "normal").fontPointSize(), 10.0);
        QCOMPARE(formatOf(doc, "normal").fontWeight(), int(QFont::Normal));
        QCOMPARE(formatOf(doc, "fett").fontWeight(), int(QFont::Bold));
        QVERIFY(formatOf(doc, "schraeg").fontItalic());
        QVERIFY(!formatOf(doc, "fett").fontItalic());
        QVERIFY(formatOf(doc, "unter").fontUnderline());
        QVERIFY(!formatOf(doc, "weg").fontUnderline());
        QCOMPARE(formatOf(doc, "times").fontFamilies().toStringList(), QStringList { "Times New Roman" });
        QCOMPARE(formatOf(doc, "times").fontPointSize(), 14.0);
        QCOMPARE(formatOf(doc, "rot").foreground().color(), QColor(200, 10, 20));
        QCOMPARE(formatOf(doc, "blau").foreground().color(), QColor(0, 0, 128));
        QCOMPARE(formatOf(doc, "blau").fontWeight(), int(QFont::Normal));
        QCOMPARE(formatOf(doc, "schlicht").fontPointSize(), 12.0);
        QVERIFY(!formatOf(doc, "schlicht").hasProperty(QTextFormat::ForegroundBrush));
    }

    void paragraphFormats()
    {
        QTextDocument doc;
        tk::readRtf("{\\rtf1\\pard\\qc Mitte\\par\\pard\\li720 Eingerueckt\\par\\pard\\qr Rechts\\par}", doc);
        QCOMPARE(doc.blockCount(), 3);
        QCOMPARE(
            doc.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(doc.findBlockByNumber(1).blockFormat().leftMargin(), 48.0);
        QCOMPARE(
            doc.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QCOMPARE(
            doc.findBlockByNumber(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    }

    void damagedInputGivesWhatCanBeRead_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("missing end") << QByteArray("{\\rtf1 abc") << "abc";
        QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}b}") << "ab";
        QTest::newRow("escape cut off") << QByteArray("{\\rtf1 a\\'") << "a";
        QTest::newRow("half escape") << QByteArray("{\\rtf1 a\\'4") << "a\x04";
        QTest::newRow("bad hex") << QByteArray("{\\rtf1 a\\'zzb}") << "azzb";
        QTest::newRow("backslash at end") << QByteArray("{\\rtf1 a\\") << "a";
        QTest::newRow("unicode at end") << QByteArray("{\\rtf1 a\\u") << "a";
        QTest::newRow("huge numbers")
            << QByteArray("{\\rtf1\\fs999999999999999999\\uc99999999 \\u99999999999 a}") << "";
        QTest::newRow("binary longer than file") << QByteArray("{\\rtf1 a\\bin999999999 xyz") << "a";
        QTest::newRow("negative binary") << QByteArray("{\\rtf1 a\\bin-5 b}") << "ab";
        QTest::newRow("colour index out of range")
            << QByteArray("{\\rtf1{\\colortbl;\\red1;}\\cf99 a\\cf-3 b}") << "ab";
        QTest::newRow("overlong control word")
            << QByteArray("{\\rtf1 \\") + QByteArray(5000, 'x') + QByteArray(" ok}") << "ok";
        QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b}", 11) << "ab";
    }
    void damagedInputGivesWhatCanBeRead()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(textOf(rtf), text);
    }

    void deepNestingStaysLinear()
    {
        const int depth = 200000;
        QByteArray rtf = "{\\rtf1 ";
        rtf += QByteArray(depth, '{');
        rtf += "\\b tief";
        rtf += QByteArray(depth, '}');
        rtf += " oben}";
        QTextDocument doc;
        tk::readRtf(rtf, doc);
        QCOMPARE(doc.toPlainText(), QStringLiteral("tief oben"));
        QCOMPARE(formatOf(doc, "oben").fontWeight(), int(QFont::Normal));
    }

    // Damaged copies of the shipped welcome text: the reader never fails on them.
    void mutatedWelcomeText()
    {
        QFile f(QStringLiteral(TK_SOURCE_DIR "/data/Sonstiges/Welcome.rtf"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray original = f.readAll();
        QVERIFY(textOf(original).contains(QStringLiteral("Herzlich willkommen!")));
        QVERIFY(!textOf(original).contains(u'\\'));
        QRandomGenerator rng(1234);
        for (int round = 0; round < 300; ++round) {
            QByteArray b = original;
            const int edits = 1 + int(rng.bounded(20));
            for (int e = 0; e < edits; ++e) {
                const int pos = int(rng.bounded(b.size()));
                switch (rng.bounded(3)) {
                case 0:
                    b[pos] = char(rng.bounded(256));
                    break;
                case 1:
                    b.remove(pos, int(rng.bounded(40)));
                    break;
                default:
                    b.insert(pos, "{\\\\'\\u-1\\bin3 }"[rng.bounded(14)]);
                    break;
                }
            }
            b.truncate(int(rng.bounded(b.size() + 1)));
            QTextDocument doc;
            tk::readRtf(b, doc);
        }
    }

    void loadFile()
    {
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("alt"));
        QVERIFY(!tk::loadRtfFile(QStringLiteral("/nonexistent/Welcome.rtf"), doc));
        QCOMPARE(doc.toPlainText(), QStringLiteral("alt"));
    }
};

TK_TEST_MAIN(RtfReaderTest)
#include "tst_rtfreader.moc"
