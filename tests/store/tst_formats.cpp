#include "TestSupport.h"

#include "platform/Error.h"
#include "platform/TextLines.h"
#include "store/Formats.h"
#include "store/Indexdatei.h"
#include "store/Kategorien.h"
#include "store/Rezepte.h"
#include "store/RezeptDateien.h"
#include "store/Sammlung.h"

using IntList = QList<int>;

namespace {
IntList flagsOf(const QString& kategorien)
{
    unsigned char flags[100];
    std::fill(std::begin(flags), std::end(flags), 0xAA); // stale values must go
    tk::categoryFlags(kategorien, flags);
    IntList set;
    for (int i = 0; i < 100; ++i) {
        if (flags[i] == 1)
            set.append(i);
        else if (flags[i] != 0)
            return { -1 };
    }
    return set;
}
}

class FormatsTest : public QObject {
    Q_OBJECT
private slots:
    void stemAndPaths_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("stem");
        QTest::newRow("0") << 0 << "0000";
        QTest::newRow("7") << 7 << "0007";
        QTest::newRow("42") << 42 << "0042";
        QTest::newRow("1234") << 1234 << "1234";
        QTest::newRow("9999") << 9999 << "9999";
        QTest::newRow("10000 keeps all digits") << 10000 << "10000";
        QTest::newRow("12345") << 12345 << "12345";
    }
    void stemAndPaths()
    {
        QFETCH(int, n);
        QFETCH(QString, stem);
        QCOMPARE(tk::stem(n), stem);
        QCOMPARE(tk::recipePath(QStringLiteral("/p"), n), QStringLiteral("/p/Data/Rezepte/") + stem + ".dat");
        QCOMPARE(
            tk::picturePath(QStringLiteral("/p"), n), QStringLiteral("/p/Data/Rezepte/") + stem + ".jpg");
    }

    void splitEntry_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("five fields") << "Apfelkuchen|Oma|01,13,|12.03.2006|für 4 Personen|"
                                     << QStringList { "Apfelkuchen", "Oma", "01,13,", "12.03.2006",
                                            "für 4 Personen" };
        QTest::newRow("text after the fifth bar ignored")
            << "a|b|01,|d|m|Rest|mehr" << QStringList { "a", "b", "01,", "d", "m" };
        QTest::newRow("last field without bar is empty")
            << "a|b|01,|d|m" << QStringList { "a", "b", "01,", "d", "" };
        QTest::newRow("two bars") << "a|b|" << QStringList { "a", "b", "", "", "" };
        QTest::newRow("no bar at all") << "Titel" << QStringList { "", "", "", "", "" };
        QTest::newRow("empty line") << "" << QStringList { "", "", "", "", "" };
        QTest::newRow("dashes") << "Gulasch|-|03,|-|-|" << QStringList { "Gulasch", "-", "03,", "-", "-" };
        QTest::newRow("blanks kept") << " a | b |01,| d | m |"
                                     << QStringList { " a ", " b ", "01,", " d ", " m " };
    }
    void splitEntry()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        const tk::IndexFields f = tk::splitEntry(line);
        QCOMPARE((QStringList { f.titel, f.autor, f.kategorien, f.datum, f.menge }), fields);
    }

    void deletedEntry_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("deleted") << "||||" << true;
        QTest::newRow("empty date and quantity read as deleted") << "T|A|01,|||" << true;
        QTest::newRow("dashes keep it live") << "T|A|01,|-|-|" << false;
        QTest::newRow("empty author alone") << "T||01,|d|m|" << false;
        QTest::newRow("bars anywhere") << "T|A|01,|d|m|||" << true;
    }
    void deletedEntry()
    {
        QFETCH(QString, line);
        QFETCH(bool, deleted);
        QCOMPARE(tk::isDeletedEntry(line), deleted);
    }

    // The one builder of index entries: bars become "/", and a line that would read as deleted gets
    // "-" in its empty text fields (never in the category field).
    void buildEntry_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("line");
        QTest::newRow("plain") << QStringList { "Apfelkuchen", "Oma", "01,13,", "12.03.2006",
            "für 4 Personen" } << "Apfelkuchen|Oma|01,13,|12.03.2006|für 4 Personen|";
        QTest::newRow("bars become slashes")
            << QStringList { "Brot|Butter", "A|B", "01|", "1|2", "|" } << "Brot/Butter|A/B|01/|1/2|/|";
        QTest::newRow("empty date and quantity")
            << QStringList { "Suppe", "Oma", "07,", "", "" } << "Suppe|Oma|07,|-|-|";
        QTest::newRow("single empty field stays empty")
            << QStringList { "Suppe", "", "07,", "heute", "viel" } << "Suppe||07,|heute|viel|";
        QTest::newRow("empty title stays empty without |||")
            << QStringList { "", "Oma", "07,", "d", "m" } << "|Oma|07,|d|m|";
        QTest::newRow("empty categories and author")
            << QStringList { "Suppe", "", "", "d", "m" } << "Suppe|-||d|m|";
        QTest::newRow("every empty text field filled")
            << QStringList { "", "", "07,", "", "" } << "-|-|07,|-|-|";
        QTest::newRow("no triple bar, empty fields stay")
            << QStringList { "", "", "07,", "", "x" } << "||07,||x|";
        QTest::newRow("all empty") << QStringList { "", "", "", "", "" } << "-|-||-|-|";
        QTest::newRow("bar turns into an empty neighbour")
            << QStringList { "T", "A", "01,", "|", "" } << "T|A|01,|/||";
    }
    void buildEntry()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, line);
        const QString built = tk::buildEntry({ fields[0], fields[1], fields[2], fields[3], fields[4] });
        QCOMPARE(built, line);
        QVERIFY(!tk::isDeletedEntry(built));
        const tk::IndexFields back = tk::splitEntry(built);
        QCOMPARE(back.kategorien, tk::noBar(fields[2]));
    }

    void categoryList_data()
    {
        QTest::addColumn<IntList>("numbers");
        QTest::addColumn<QString>("list");
        QTest::newRow("none") << IntList {} << "";
        QTest::newRow("1 and 13") << IntList { 1, 13 } << "01,13,";
        QTest::newRow("own and favourites") << IntList { 14, 15, 99 } << "14,15,99,";
    }
    void categoryList()
    {
        QFETCH(IntList, numbers);
        QFETCH(QString, list);
        QCOMPARE(tk::categoryList(numbers), list);
        QCOMPARE(flagsOf(list), numbers);
    }

    void membership_data()
    {
        QTest::addColumn<QString>("kategorien");
        QTest::addColumn<IntList>("flags");
        QTest::addColumn<bool>("oldFormat");
        QTest::newRow("current format") << "01,13," << IntList { 1, 13 } << false;
        QTest::newRow("empty list") << "" << IntList {} << true;
        QTest::newRow("old single digit sets nothing") << "3" << IntList {} << true;
        QTest::newRow("old text, two-digit test") << "13" << IntList { 13 } << true;
        QTest::newRow("00 is no category") << "00,05," << IntList { 5 } << false;
        QTest::newRow("highest") << "98,99," << IntList { 98, 99 } << false;
        QTest::newRow("separated digits") << "1,3," << IntList {} << false;
    }
    void membership()
    {
        QFETCH(QString, kategorien);
        QFETCH(IntList, flags);
        QFETCH(bool, oldFormat);
        QCOMPARE(flagsOf(kategorien), flags);
        QCOMPARE(tk::isOldCategoryFormat(kategorien), oldFormat);
    }

    void listMembership_data()
    {
        QTest::addColumn<bool>("geloescht");
        QTest::addColumn<bool>("favorit");
        QTest::addColumn<IntList>("carries");
        QTest::addColumn<IntList>("listedOn"); // of 0, 1, 14, 15
        QTest::newRow("live, category 1") << false << false << IntList { 1 } << IntList { 0, 1 };
        QTest::newRow("favourite") << false << true << IntList { 15 } << IntList { 0, 14, 15 };
        QTest::newRow("carries 14") << false << false << IntList { 14 } << IntList { 0, 14 };
        QTest::newRow("favourite carrying 14") << false << true << IntList { 1, 14 } << IntList { 0, 1, 14 };
        QTest::newRow("no category") << false << false << IntList {} << IntList { 0 };
        QTest::newRow("deleted nowhere") << true << true << IntList { 1, 14, 15 } << IntList {};
    }
    void listMembership()
    {
        QFETCH(bool, geloescht);
        QFETCH(bool, favorit);
        QFETCH(IntList, carries);
        QFETCH(IntList, listedOn);
        tk::Rezepteintrag r;
        r.geloescht = geloescht;
        r.favorit = favorit;
        for (int c : carries)
            r.inKategorie[c] = 1;
        IntList got;
        for (int k : { 0, 1, 14, 15 })
            if (tk::gehoertZuKategorie(r, k))
                got.append(k);
        QCOMPARE(got, listedOn);
    }

    void parseRecipe_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("zutaten");
        QTest::addColumn<QStringList>("text");
        QTest::addColumn<QStringList>("kommentar");
        QTest::addColumn<bool>("marker");
        QTest::newRow("full") << QStringList { "2", "1 Ei", "Salz", "Kochen.", "", "Essen.",
            "###KOMMENTAR###", "Gut." }
                              << QStringList { "1 Ei", "Salz" } << QStringList { "Kochen.", "", "Essen." }
                              << QStringList { "Gut." } << true;
        QTest::newRow("marker and nothing after: empty comment")
            << QStringList { "3", "a", "b", "c", "t1", "t2", "###KOMMENTAR###" }
            << QStringList { "a", "b", "c" } << QStringList { "t1", "t2" } << QStringList {} << true;
        QTest::newRow("no marker: all text, no comment")
            << QStringList { "1", "a", "t1", "t2" } << QStringList { "a" } << QStringList { "t1", "t2" }
            << QStringList {} << false;
        QTest::newRow("second marker belongs to the comment")
            << QStringList { "0", "t", "###KOMMENTAR###", "k1", "###KOMMENTAR###", "k2" } << QStringList {}
            << QStringList { "t" } << QStringList { "k1", "###KOMMENTAR###", "k2" } << true;
        QTest::newRow("marker found inside a line")
            << QStringList { "0", "t", "xx###KOMMENTAR###yy", "k" } << QStringList {} << QStringList { "t" }
            << QStringList { "k" } << true;
        QTest::newRow("marker among the ingredients is an ingredient")
            << QStringList { "2", "###KOMMENTAR###", "b", "t" } << QStringList { "###KOMMENTAR###", "b" }
            << QStringList { "t" } << QStringList {} << false;
        QTest::newRow("no ingredients, no text") << QStringList { "0", "###KOMMENTAR###" } << QStringList {}
                                                 << QStringList {} << QStringList {} << true;
        QTest::newRow("count only") << QStringList { "0" } << QStringList {} << QStringList {}
                                    << QStringList {} << false;
        QTest::newRow("all ingredients, nothing else")
            << QStringList { "2", "a", "b" } << QStringList { "a", "b" } << QStringList {} << QStringList {}
            << false;
    }
    void parseRecipe()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, zutaten);
        QFETCH(QStringList, text);
        QFETCH(QStringList, kommentar);
        QFETCH(bool, marker);
        const tk::RecipeFile r = tk::parseRecipe(lines);
        QCOMPARE(r.zutaten, zutaten);
        QCOMPARE(r.text, text);
        QCOMPARE(r.kommentar, kommentar);
        QCOMPARE(r.hasMarker, marker);
    }

    void damagedRecipeFails_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty file") << QStringList {};
        QTest::newRow("count not a number") << QStringList { "zwei", "a", "b" };
        QTest::newRow("count with text") << QStringList { "2x", "a", "b" };
        QTest::newRow("negative count") << QStringList { "-1", "a" };
        QTest::newRow("too few ingredient lines") << QStringList { "5", "a", "b" };
    }
    void damagedRecipeFails()
    {
        QFETCH(QStringList, lines);
        try {
            tk::parseRecipe(lines);
            QFAIL("no error");
        } catch (const tk::Error& e) {
            QVERIFY(e.message().startsWith(QStringLiteral("Die Rezeptdatei")));
        }
    }

    void buildRecipeByteExact()
    {
        const QStringList zutaten { "250 g Möhren", "1 Prise Salz" };
        const QStringList text { "Möhren schälen.", "", "Kochen." };
        QCOMPARE(tk::joinLines(tk::buildRecipe(zutaten, text, {})),
            QByteArray("2\r\n250 g M\xF6hren\r\n1 Prise Salz\r\nM\xF6hren "
                       "sch\xE4len.\r\n\r\nKochen.\r\n###KOMMENTAR###\r\n"));
        const QStringList kommentar { "Lecker.", "" };
        const tk::RecipeFile r
            = tk::parseRecipe(tk::splitLines(tk::joinLines(tk::buildRecipe(zutaten, text, kommentar))));
        QCOMPARE(r.zutaten, zutaten);
        QCOMPARE(r.text, text);
        QCOMPARE(r.kommentar, kommentar);
    }

    // An edit of one index line through the byte-level index writes exactly what reading all lines,
    // changing them and writing them back writes, for files as written and for odd line ends.
    void indexEditWritesWhatTheWholeRewriteWrites_data()
    {
        QTest::addColumn<QByteArray>("datei");
        const QByteArray gut = "3\r\nA|x|01,|d|m|\r\n||||\r\nC|\x84\x81|02,|d|m|\r\nD|y|01,|d|m|\r\n";
        QTest::newRow("as written") << gut;
        QTest::newRow("bare line feeds")
            << QByteArray("3\nA|x|01,|d|m|\n||||\r\nC|z|02,|d|m|\nD|y|01,|d|m|\n");
        QTest::newRow("no final line end") << QByteArray(gut).chopped(2);
        QTest::newRow("final CR only") << QByteArray(gut).chopped(1);
        QTest::newRow("lines behind the entries") << gut + "\r\nNotiz\r\n";
        QTest::newRow("line 0 only") << QByteArray("-1\r\n");
        QTest::newRow("empty") << QByteArray();
    }
    void indexEditWritesWhatTheWholeRewriteWrites()
    {
        QFETCH(QByteArray, datei);
        const QStringList zeilen = tk::splitLines(datei);
        const QString eintrag = QStringLiteral("Neu|\u00e4\u20ac|03,|d|m|");
        QCOMPARE(tk::indexMitEintrag(tk::Indexdatei(datei), 1, eintrag, false).bytes(),
            tk::joinLines(tk::indexMitEintrag(zeilen, 1, eintrag, false)));
        QCOMPARE(tk::indexMitEintrag(tk::Indexdatei(datei), 6, eintrag, true).bytes(),
            tk::joinLines(tk::indexMitEintrag(zeilen, 6, eintrag, true)));
        QCOMPARE(tk::indexOhneEintrag(tk::Indexdatei(datei), 2).bytes(),
            tk::joinLines(tk::indexOhneEintrag(zeilen, 2)));
        if (!zeilen.isEmpty()) {
            QCOMPARE(tk::hoechsteNummer(tk::Indexdatei(datei)), tk::hoechsteNummer(zeilen));
            QCOMPARE(tk::indexMitNeuen(tk::Indexdatei(datei), 7, { eintrag, eintrag }).bytes(),
                tk::joinLines(tk::indexMitNeuen(zeilen, 7, { eintrag, eintrag })));
        }
    }

    void kategorieTabellen_data()
    {
        QTest::addColumn<QStringList>("own"); // lines 15 and on
        QTest::addColumn<IntList>("tabKategorie"); // from position 15 on
        QTest::addColumn<IntList>("kategorieTab"); // from category 15 on
        QTest::addColumn<QStringList>("names"); // captions from position 15 on
        QTest::addColumn<int>("katNamen"); // length of namen
        QTest::newRow("standard only") << QStringList {} << IntList {} << IntList {} << QStringList {} << 15;
        QTest::newRow("Kuchen, deleted, Brot")
            << QStringList { "1Kuchen", "0Alt", "1Brot" } << IntList { 15, 17 } << IntList { 15, 0, 16 }
            << QStringList { "Kuchen", "Brot" } << 18;
        QTest::newRow("deleted last") << QStringList { "1Grillen", "0Weg" } << IntList { 15 }
                                      << IntList { 15, 0 } << QStringList { "Grillen" } << 16;
        QTest::newRow("any other first character is deleted")
            << QStringList { "Kuchen", "", "1Brot" } << IntList { 17 } << IntList { 0, 0, 15 }
            << QStringList { "Brot" } << 18;
        QTest::newRow("name cut to 30") << QStringList { "1" + QString(40, u'x') } << IntList { 15 }
                                        << IntList { 15 } << QStringList { QString(30, u'x') } << 16;
        QTest::newRow("umlauts and blanks kept")
            << QStringList { "1Weihnachtsbäckerei ", "1 Grillen" } << IntList { 15, 16 } << IntList { 15, 16 }
            << QStringList { "Weihnachtsbäckerei ", " Grillen" } << 17;
    }
    void kategorieTabellen()
    {
        QFETCH(QStringList, own);
        QFETCH(IntList, tabKategorie);
        QFETCH(IntList, kategorieTab);
        QFETCH(QStringList, names);
        QFETCH(int, katNamen);
        QStringList lines;
        for (int i = 0; i < 15; ++i)
            lines.append(QStringLiteral("1irgendwas")); // never read
        lines += own;
        tk::KategorieTabellen t;
        // A previous build with every own category active: a rebuild must not keep stale entries.
        QStringList allActive = lines;
        for (int i = 15; i < allActive.size(); ++i)
            allActive[i] = QStringLiteral("1Alt%1").arg(i);
        tk::buildKategorieTabellen(allActive, t);
        tk::buildKategorieTabellen(lines, t);

        QCOMPARE(t.letzterTab, 14 + int(tabKategorie.size()));
        QCOMPARE(t.tabKategorie.size(), t.letzterTab + 1);
        QCOMPARE(t.kategorieTab.size(), lines.size());
        QCOMPARE(t.namen.size(), katNamen);
        QCOMPARE(t.tabKategorie.mid(15), tabKategorie);
        QCOMPARE(t.kategorieTab.mid(15), kategorieTab);
        const QStringList captions = tk::tabCaptions(t);
        QCOMPARE(captions.mid(0, 15), tk::standardKategorien());
        QCOMPARE(captions.mid(15), names);
        for (int i = 15; i < t.namen.size(); ++i)
            if (t.kategorieTab.at(i) == 0)
                QVERIFY2(t.namen.at(i).name.isEmpty(), "a deleted category keeps no name");
        for (int i = 0; i < 15; ++i) {
            QCOMPARE(t.tabKategorie.at(i), i);
            QCOMPARE(t.kategorieTab.at(i), i);
        }
    }

    void shortCategoryFileStillHasTheStandardTabs()
    {
        tk::KategorieTabellen t;
        tk::buildKategorieTabellen({ "a", "b" }, t);
        QCOMPARE(t.letzterTab, 14);
        QCOMPARE(t.kategorieTab.size(), 15);
        QCOMPARE(tk::tabCaptions(t).first(), QStringLiteral("Alle"));
        QCOMPARE(tk::tabCaptions(t).last(), QStringLiteral("Favoriten"));
    }
};

TK_TEST_MAIN(FormatsTest)
#include "tst_formats.moc"
