#include "TestSupport.h"

#include <QFile>

#include "platform/IniFile.h"
#include "platform/TextLines.h"
#include "store/IndexZeilen.h"
#include "store/Rezepte.h"

using IntList = QList<int>;

namespace {
struct Run {
    tk::Ladeergebnis out;
    IntList progress;
    IntList listed;
};

Run load(const QStringList& lines, std::vector<tk::Rezepteintrag>& table, int& max,
    const tk::IniFile* fav = nullptr, int kategorie = 0)
{
    Run r;
    r.out = tk::ladeTabelle(
        lines, table, max, fav, kategorie, [&](int n) { r.progress.append(n); },
        [&](int n) { r.listed.append(n); });
    return r;
}

IntList flags(const tk::Rezepteintrag& r)
{
    IntList out;
    for (int i = 0; i < 100; ++i)
        if (r.inKategorie[i])
            out.append(i);
    return out;
}

}

class LoaderTest : public QObject {
    Q_OBJECT
private slots:
    void emptyCollection()
    {
        std::vector<tk::Rezepteintrag> table(3);
        int max = 5;
        const Run r = load({ "-1" }, table, max);
        QCOMPARE(max, -1);
        QCOMPARE(table.size(), size_t(0));
        QCOMPARE(r.out.lebend, 0);
        QVERIFY(!r.out.abgebrochen);
        QVERIFY(r.progress.isEmpty());
        QVERIFY(r.listed.isEmpty());
    }

    void liveAndDeleted()
    {
        std::vector<tk::Rezepteintrag> table;
        int max = -1;
        const Run r = load({ "1", "Apfelkuchen|Oma|01,13,|12.03.2006|für 4 Personen|", "||||" }, table, max);
        QCOMPARE(max, 1);
        QCOMPARE(table.size(), size_t(2));
        QCOMPARE(r.out.lebend, 1);
        QVERIFY(!r.out.abgebrochen);
        QVERIFY(!r.out.altesFormat);
        QCOMPARE(r.progress, (IntList { 0, 1 }));
        QCOMPARE(r.listed, IntList { 0 });
        const tk::Rezepteintrag& a = table[0];
        QCOMPARE(a.titel, QStringLiteral("Apfelkuchen"));
        QCOMPARE(a.autor, QStringLiteral("Oma"));
        QCOMPARE(a.datum, QStringLiteral("12.03.2006"));
        QCOMPARE(a.menge, QStringLiteral("für 4 Personen"));
        QCOMPARE(flags(a), (IntList { 1, 13 }));
        QCOMPARE(a.geloescht, 0);
        QCOMPARE(table[1].geloescht, 1);
    }

    void entriesThatReadAsDeleted_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<bool>("oldFormat");
        QTest::newRow("empty date and quantity") << "Suppe|Oma|07,|||" << true << false;
        QTest::newRow("dashes instead") << "Suppe|Oma|07,|-|-|" << false << false;
        QTest::newRow("old category format") << "Gulasch|-|3|-|-|" << false << true;
        QTest::newRow("no category at all") << "Gulasch|-||-|-|" << false << true;
    }
    void entriesThatReadAsDeleted()
    {
        QFETCH(QString, line);
        QFETCH(bool, deleted);
        QFETCH(bool, oldFormat);
        std::vector<tk::Rezepteintrag> table;
        int max = 0;
        const Run r = load({ "0", line }, table, max);
        QCOMPARE(bool(table[0].geloescht), deleted);
        QCOMPARE(r.out.lebend, deleted ? 0 : 1);
        QCOMPARE(r.out.altesFormat, oldFormat);
        if (oldFormat)
            QCOMPARE(flags(table[0]), IntList {});
    }

    // Which records are listed for the selected category, with favourites from the favourites file.
    void listedForCategory_data()
    {
        QTest::addColumn<int>("kategorie");
        QTest::addColumn<IntList>("listed");
        QTest::newRow("Alle: every live recipe") << 0 << IntList { 0, 2, 3, 4, 5 };
        QTest::newRow("Favoriten: favourites and carriers of 14, once") << 14 << IntList { 0, 2, 3 };
        QTest::newRow("Desserts") << 1 << IntList { 0, 3 };
        QTest::newRow("own category") << 15 << IntList { 4 };
        QTest::newRow("empty category") << 13 << IntList {};
    }
    void listedForCategory()
    {
        QFETCH(int, kategorie);
        QFETCH(IntList, listed);
        QTemporaryDir dir;
        const QString favPath = dir.filePath(QStringLiteral("favoriten.dat"));
        tkt::writeFile(favPath, "[Favoriten]\r\n0=1\r\n1=1\r\n2=0\r\n3=1\r\n5=ja\r\n");
        const tk::IniFile fav(favPath);
        const QStringList lines { "5", "Quark|a|01,|d|m|", "||||", "Brot|a|14,|d|m|", "Eis|a|01,14,|d|m|",
            "Wurst|a|15,|d|m|", "Tee|a|09,|d|m|" };
        std::vector<tk::Rezepteintrag> table;
        int max = -1;
        const Run r = load(lines, table, max, &fav, kategorie);
        QCOMPARE(r.listed, listed);
        QCOMPARE(r.out.lebend, 5);
        IntList favourites;
        for (size_t n = 0; n < table.size(); ++n)
            if (table[n].favorit)
                favourites.append(int(n));
        QCOMPARE(favourites, (IntList { 0, 3 })); // a deleted record's key is not read; "ja" is no number
    }

    // Reloading keeps the records: a live one is overwritten, a deleted one only gets geloescht.
    void reloadKeepsRecords()
    {
        std::vector<tk::Rezepteintrag> table(4);
        table[0].titel = QStringLiteral("Alt");
        table[0].favorit = 1;
        table[0].inKategorie[5] = 1;
        table[1].titel = QStringLiteral("Gelöscht bleibt");
        table[1].favorit = 1;
        table[1].inKategorie[7] = 1;
        table[3].titel = QStringLiteral("fällt weg");
        int max = 3;
        const Run r = load({ "2", "Neu|B|02,|d|m|", "||||", "||||" }, table, max);
        QCOMPARE(table.size(), size_t(3));
        QCOMPARE(table[0].titel, QStringLiteral("Neu"));
        QCOMPARE(table[0].favorit, 0); // no favourites file
        QCOMPARE(flags(table[0]), IntList { 2 });
        QCOMPARE(table[1].geloescht, 1);
        QCOMPARE(table[1].titel, QStringLiteral("Gelöscht bleibt"));
        QCOMPARE(table[1].favorit, 1);
        QCOMPARE(flags(table[1]), IntList { 7 });
        QCOMPARE(table[2].geloescht, 1);
        QVERIFY(table[2].titel.isEmpty());

        // Growing adds fresh records behind the kept ones.
        load({ "4", "Neu|B|02,|d|m|", "||||", "||||", "Vier|C|03,|d|m|", "||||" }, table, max);
        QCOMPARE(table.size(), size_t(5));
        QCOMPARE(table[1].titel, QStringLiteral("Gelöscht bleibt"));
        QCOMPARE(table[3].titel, QStringLiteral("Vier"));
        QCOMPARE(table[4].geloescht, 1);
        QCOMPARE(flags(table[4]), IntList {});
    }

    // The load stops at the first record it cannot read; everything before stays.
    void failureKeepsWhatWasRead_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("failedLine");
        QTest::addColumn<int>("live");
        QTest::addColumn<IntList>("listed");
        QTest::newRow("file shorter than line 0")
            << QStringList { "3", "A|x|01,|d|m|", "||||", "C|x|01,|d|m|" } << 4 << 2 << IntList { 0, 2 };
        QTest::newRow("line 0 not a number")
            << QStringList { "drei", "A|x|01,|d|m|" } << 0 << 0 << IntList {};
        QTest::newRow("empty file") << QStringList {} << 0 << 0 << IntList {};
        QTest::newRow("huge line 0") << QStringList { "2000000000", "A|x|01,|d|m|" } << 2 << 1
                                     << IntList { 0 };
        QTest::newRow("largest int") << QStringList { "2147483647", "A|x|01,|d|m|" } << 2 << 1
                                     << IntList { 0 };
    }
    void failureKeepsWhatWasRead()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, failedLine);
        QFETCH(int, live);
        QFETCH(IntList, listed);
        std::vector<tk::Rezepteintrag> table(1);
        table[0].titel = QStringLiteral("vorher");
        int max = 0;
        const Run r = load(lines, table, max);
        QVERIFY(r.out.abgebrochen);
        QCOMPARE(r.out.abbruchZeile, failedLine);
        QCOMPARE(r.out.lebend, live);
        QCOMPARE(r.listed, listed);
        // A damaged line 0 must not make the table huge; records read stay.
        QVERIFY(table.size() <= size_t(std::max<qsizetype>(1, lines.size())));
        if (failedLine == 0)
            QCOMPARE(table[0].titel, QStringLiteral("vorher"));
        else
            QCOMPARE(table[0].titel, QStringLiteral("A"));
    }

    // The collection loads from the file's bytes without building a line list; it must read every
    // index exactly as the line loader reads it.
    void bytesReadAsLines_data()
    {
        QTest::addColumn<QByteArray>("index");
        QTest::addColumn<int>("kategorie");
        QTest::newRow("fields, deleted, missing bars")
            << QByteArray("4\r\nA|Au|01,02|1.1.2000|4 P|\r\n||||\r\n"
                          "Nur Titel\r\nT|U\r\nX|Y|03,|D|M|Rest|mehr|\r\n")
            << 3;
        QTest::newRow("empty fields, bars inside, old categories")
            << QByteArray("3\r\n||0105|||\r\nA|B|00,99,100|||\r\nA|||x|\r\nZ|Z|1,2,3,|Z|Z|\r\n") << 1;
        QTest::newRow("Windows-1252 bytes, CR alone, no final line end")
            << QByteArray("2\r\n\x80 K\xe4se|\x81\x9f|05,|\xff|\r|\r\n\r\nLetzte|a|05,|d|m|") << 5;
        QTest::newRow("shared texts, damaged line 0 and short file")
            << QByteArray("7\nA|Oma|01,|1.1.2000|4 P|\nB|Oma|01,|1.1.2000|4 P|\nC|Oma|02,|1.1.2000|4 P|\n")
            << 14;
        QTest::newRow("not a number") << QByteArray("x\r\nA|B|01,|d|m|\r\n") << 0;
    }
    void bytesReadAsLines()
    {
        QFETCH(QByteArray, index);
        QFETCH(int, kategorie);
        QTemporaryDir dir;
        const QString favPath = dir.filePath(QStringLiteral("favoriten.dat"));
        tkt::writeFile(
            favPath, "[Favoriten]\r\n0=1\r\n 1 =1\r\n02=1\r\n3=0\r\n+4=1\r\n4=yes\r\n5=1\r\n5=0\r\nx=1\r\n");
        const tk::IniFile fav(favPath);
        std::vector<tk::Rezepteintrag> a, b;
        int maxA = -1, maxB = -1;
        IntList progA, progB, listA, listB;
        const tk::Ladeergebnis outA = tk::ladeTabelle(
            tk::splitLines(index), a, maxA, &fav, kategorie, [&](int n) { progA.append(n); },
            [&](int n) { listA.append(n); });
        const tk::Ladeergebnis outB = tk::ladeTabelle(
            tk::IndexZeilen(index), b, maxB, &fav, kategorie, [&](int n) { progB.append(n); },
            [&](int n) { listB.append(n); });
        QCOMPARE(outB.lebend, outA.lebend);
        QCOMPARE(outB.abgebrochen, outA.abgebrochen);
        QCOMPARE(outB.abbruchZeile, outA.abbruchZeile);
        QCOMPARE(outB.altesFormat, outA.altesFormat);
        QCOMPARE(maxB, maxA);
        QCOMPARE(progB, progA);
        QCOMPARE(listB, listA);
        QCOMPARE(b.size(), a.size());
        for (size_t n = 0; n < a.size(); ++n) {
            const QStringList felderA { a[n].titel, a[n].autor, a[n].datum, a[n].menge };
            const QStringList felderB { b[n].titel, b[n].autor, b[n].datum, b[n].menge };
            QCOMPARE(felderB, felderA);
            for (int f = 0; f < 4; ++f)
                QCOMPARE(felderB[f].isNull(), felderA[f].isNull());
            QCOMPARE(flags(b[n]), flags(a[n]));
            QCOMPARE(b[n].favorit, a[n].favorit);
            QCOMPARE(b[n].geloescht, a[n].geloescht);
        }
    }

    void linesBehindTheLastRecordAreNotRead()
    {
        std::vector<tk::Rezepteintrag> table;
        int max = -1;
        const Run r = load({ "0", "A|x|01,|d|m|", "B|x|01,|d|m|", "Müll" }, table, max);
        QVERIFY(!r.out.abgebrochen);
        QCOMPARE(table.size(), size_t(1));
        QCOMPARE(r.out.lebend, 1);
    }
};

TK_TEST_MAIN(LoaderTest)
#include "tst_loader.moc"
