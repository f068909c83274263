#include "TestSupport.h"

#include <QElapsedTimer>

#include "platform/Cp1252.h"
#include "platform/Error.h"
#include "search/Suche.h"
#include "search/Wildcard.h"

class WildcardTest : public QObject {
    Q_OBJECT
private slots:
    void matches_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");

        auto row = [](const char* name, const QString& mask, const QString& text, bool expected) {
            QTest::newRow(name) << mask << text << expected;
        };
        const QString w = QStringLiteral("*%1*");
        // Case: only a-z fold.
        row("word at start", w.arg(u"apfel"), u"Apfelkuchen"_qs, true);
        row("word at end", w.arg(u"apfel"), u"Bratapfel"_qs, true);
        row("upper word, lower text", w.arg(u"APFEL"), u"bratapfel"_qs, true);
        row("umlaut case differs", w.arg(u"äpfel"), u"Äpfel"_qs, false);
        row("umlaut same case", w.arg(u"äpfel"), u"Bratäpfel"_qs, true);
        row("accent case differs", w.arg(u"é"), u"CAFÉ"_qs, false);
        row("sharp s is not ss", w.arg(u"ß"), u"STRASSE"_qs, false);
        row("word missing", w.arg(u"birne"), u"Apfelkuchen"_qs, false);
        // "?".
        row("? after * dropped", w.arg(u"?uppe"), u"uppe zuerst"_qs, true);
        row("? after * still finds", w.arg(u"?uppe"), u"Suppe"_qs, true);
        row("? needs a character", w.arg(u"Supp?"), u"Supp"_qs, false);
        row("? takes one", w.arg(u"Supp?"), u"Suppe"_qs, true);
        row("? in the middle", w.arg(u"a?c"), u"xabcx"_qs, true);
        row("? not zero", w.arg(u"a?c"), u"ac"_qs, false);
        row("?? not one", u"??"_qs, u"a"_qs, false);
        row("? never the end", u"?"_qs, QString(), false);
        row("*? run before letter", u"a*?b"_qs, u"ab"_qs, true);
        row("? before * kept", u"a?*b"_qs, u"ab"_qs, false);
        row("? before * one char", u"a?*b"_qs, u"axb"_qs, true);
        row("*?* is one run", u"*?*"_qs, QString(), true);
        // "*" and anchoring.
        row("empty word, empty text", u"**"_qs, QString(), true);
        row("empty word, any text", u"**"_qs, u"Suppe"_qs, true);
        row("empty mask, empty text", QString(), QString(), true);
        row("empty mask, text", QString(), u"a"_qs, false);
        row("runs in order", w.arg(u"a*b*c"), u"xaybzc"_qs, true);
        row("runs out of order", w.arg(u"a*b*c"), u"cba"_qs, false);
        row("repeated runs", w.arg(u"a*a*a*a*a"), u"aaaa"_qs, false);
        row("repeated runs fit", w.arg(u"a*a*a*a*a"), u"aaaaa"_qs, true);
        row("anchored start", u"ab*"_qs, u"xab"_qs, false);
        row("anchored end", u"*ab"_qs, u"abx"_qs, false);
        row("anchored end fits", u"*ab"_qs, u"xab"_qs, true);
        row("ends do not overlap", u"a*a"_qs, u"a"_qs, false);
        row("ends do not overlap 2", u"ab*ba"_qs, u"aba"_qs, false);
        row("ends fit", u"ab*ba"_qs, u"abba"_qs, true);
        row("no star exact", u"Suppe"_qs, u"suppe"_qs, true);
        row("no star longer", u"Suppe"_qs, u"Suppen"_qs, false);
        // Sets.
        row("set case-blind", w.arg(u"[abc]"), u"xBx"_qs, true);
        row("set miss", w.arg(u"[abc]"), u"xdx"_qs, false);
        row("set upper member", u"[ABC]"_qs, u"b"_qs, true);
        row("complement miss", w.arg(u"[!abc]"), u"abc"_qs, false);
        row("complement hit", w.arg(u"[!abc]"), u"abcd"_qs, true);
        row("complement needs a char", w.arg(u"[!abc]"), QString(), false);
        row("complement case-blind", u"[!a]"_qs, u"A"_qs, false);
        row("range", u"[a-c]"_qs, u"B"_qs, true);
        row("range miss", u"[a-c]"_qs, u"d"_qs, false);
        row("range reversed adds nothing", u"[c-a]"_qs, u"b"_qs, false);
        row("complement of nothing", u"[!c-a]"_qs, u"b"_qs, true);
        row("range then member", u"[a-cx]"_qs, u"X"_qs, true);
        row("dash after range is a member", u"[a-c-e]"_qs, u"-"_qs, true);
        row("dash after range, d not in", u"[a-c-e]"_qs, u"d"_qs, false);
        row("letters range excludes umlaut", u"[a-z]"_qs, u"ä"_qs, false);
        row("range by code A..ä holds ß", u"[a-ä]"_qs, u"ß"_qs, true);
        row("range by code a..ä holds Ö", u"[a-ä]"_qs, u"Ö"_qs, true);
        row("range ä..ö excludes Ä", u"[ä-ö]"_qs, u"Ä"_qs, false);
        row("range ä..ö holds ö", u"[ä-ö]"_qs, u"ö"_qs, true);
        row("range by cp1252 code", u"[€-‚]"_qs, u"‚"_qs, true); // 0x80..0x82
        row("range by cp1252 code excludes", u"[€-‚]"_qs, u"ƒ"_qs, false); // 0x83
        row("] ends a range", u"[a-]x]"_qs, u"["_qs, true);
        row("] range then member", u"[a-]x]"_qs, u"x"_qs, true);
        row("] range upper bound", u"[a-]x]"_qs, u"^"_qs, false);
        row("one-member set [", w.arg(u"[[]"), u"a[b"_qs, true);
        row("one-member set *", w.arg(u"[*]"), u"2*3"_qs, true);
        row("one-member set * miss", w.arg(u"[*]"), u"23"_qs, false);
        row("one-member set ?", w.arg(u"[?]"), u"ab"_qs, false);
        row("] outside a set", w.arg(u"a]"), u"xa]"_qs, true);
        row("no escape", w.arg(u"a\\b"), u"a\\b"_qs, true);
        row("set with umlaut exact", u"[ä]"_qs, u"Ä"_qs, false);
        // Characters Windows-1252 cannot hold only equal themselves.
        row("outside code page", w.arg(u"ł"), u"łódź"_qs, true);
        row("outside code page not ?", w.arg(u"ł"), u"a?b"_qs, false);
        row("outside code page in set", u"[ł]"_qs, u"ł"_qs, true);
        row("outside code page set miss", u"[ł]"_qs, u"l"_qs, false);
    }

    void matches()
    {
        QFETCH(QString, mask);
        QFETCH(QString, text);
        QFETCH(bool, expected);
        const tk::Wildcard wc(mask);
        QCOMPARE(wc.matches(text), expected);
        // The store files are compared as bytes: same answer for every text the code page holds.
        const QByteArray bytes = tk::toCp1252(text);
        if (tk::fromCp1252(bytes) == text)
            QCOMPARE(wc.matches(bytes.constData(), bytes.size()), expected);
    }

    void invalid_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("message");
        auto row = [](const char* name, const QString& word, const QString& message) {
            QTest::newRow(name) << word << message;
        };
        row("lone [", u"["_qs, u"'*[*' ist eine ungültige Maske für (4)"_qs);
        row("empty set", u"[]"_qs, u"'*[]*' ist eine ungültige Maske für (3)"_qs);
        row("only !", u"[!]"_qs, u"'*[!]*' ist eine ungültige Maske für (4)"_qs);
        row("starts with -", u"[-a]"_qs, u"'*[-a]*' ist eine ungültige Maske für (3)"_qs);
        row("! then -", u"[!-a]"_qs, u"'*[!-a]*' ist eine ungültige Maske für (4)"_qs);
        row("unclosed after members", u"a[bc"_qs, u"'*a[bc*' ist eine ungültige Maske für (7)"_qs);
        row("unclosed range", u"[a-"_qs, u"'*[a-*' ist eine ungültige Maske für (6)"_qs);
        row("]] empty then literal", u"[]]"_qs, u"'*[]]*' ist eine ungültige Maske für (3)"_qs);
        row("place holder in word", u"%1%2["_qs, u"'*%1%2[*' ist eine ungültige Maske für (8)"_qs);
        QString runs29 = u"a"_qs;
        for (int i = 0; i < 29; ++i)
            runs29 += u"*?a"_qs;
        row("31 runs", runs29,
            QStringLiteral("'*%1*' ist eine ungültige Maske für (%2)").arg(runs29).arg(runs29.size() + 2));
        QString runs29b = u"a"_qs;
        for (int i = 0; i < 29; ++i)
            runs29b += u"**a"_qs;
        row("31 runs, fault at the 31st", u"**"_qs + runs29b,
            QStringLiteral("'***%1*' ist eine ungültige Maske für (%2)")
                .arg(runs29b)
                .arg(runs29b.size() + 4));
    }

    void invalid()
    {
        QFETCH(QString, word);
        QFETCH(QString, message);
        try {
            tk::Wildcard wc(tk::suchMaske(word));
            QFAIL("accepted an invalid mask");
        } catch (const tk::Error& e) {
            QCOMPARE(e.message(), message);
        }
    }

    void thirtyRunsAreValid()
    {
        QString word = u"a"_qs;
        for (int i = 0; i < 28; ++i)
            word += u"*a"_qs;
        const tk::Wildcard wc(tk::suchMaske(word)); // 28 runs in the word + 2 around it
        QVERIFY(wc.matches(QString(29, u'a')));
        QVERIFY(!wc.matches(QString(28, u'a')));
    }

    void pathologicalMaskFinishesAtOnce()
    {
        QString word;
        for (int i = 0; i < 28; ++i)
            word += u"a*"_qs;
        word += u"b"_qs; // 28 runs in the word, never found
        const tk::Wildcard wc(tk::suchMaske(word));
        const QString line(200000, u'a');
        const QByteArray bytes(200000, 'a');
        QElapsedTimer t;
        t.start();
        QVERIFY(!wc.matches(line));
        QVERIFY(!wc.matches(bytes.constData(), bytes.size()));
        QVERIFY(wc.matches(line + u'b'));
        QVERIFY2(t.elapsed() < 500, qPrintable(QStringLiteral("%1 ms").arg(t.elapsed())));
    }
};

TK_TEST_MAIN(WildcardTest)
#include "tst_wildcard.moc"
