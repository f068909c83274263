#include "TestSupport.h"

#include "exchange/Ausgabe.h"
#include "platform/Error.h"
#include "store/Rezepte.h"

using tk::DruckText;
using tk::RezeptAnsicht;

namespace {
RezeptAnsicht beispiel(int zutaten = 3, int zeilen = 2)
{
    RezeptAnsicht a;
    a.titel = QStringLiteral("Apfelkuchen");
    a.datum = QStringLiteral("12.03.2006");
    a.autor = QStringLiteral("Anna");
    a.menge = QStringLiteral("1 Blech");
    for (int i = 0; i < zutaten; ++i)
        a.zutaten.append(QStringLiteral("Zutat %1").arg(i));
    for (int j = 0; j < zeilen; ++j)
        a.zeilen.append(QStringLiteral("Zeile %1").arg(j));
    return a;
}

tk::Rezepteintrag rec(const QString& titel, bool geloescht = false)
{
    tk::Rezepteintrag r;
    r.titel = titel;
    r.autor = QStringLiteral("Koch ") + titel;
    r.datum = QStringLiteral("01.02.2003");
    r.menge = QStringLiteral("4 Portionen");
    r.geloescht = geloescht ? 1 : 0;
    return r;
}

QStringList eintrag(const tk::Rezepteintrag& r, const QStringList& zutaten, const QStringList& text)
{
    QStringList out { "### " + r.titel + " ###", "Koch: " + r.autor + ", Datum: " + r.datum, r.menge, "",
        "Zutaten:" };
    out += zutaten;
    out << ""
        << "Rezept:";
    out += text;
    out << ""
        << "-------------------"
        << ""
        << "";
    return out;
}
}

class AusgabeTest : public QObject {
    Q_OBJECT
private slots:
    void textBlock()
    {
        const QStringList zeilen = tk::textdateiZeilen(beispiel(2, 2));
        const QStringList expected { "", "Apfelkuchen", "", "Brutzels  Tellerkiste 3.30",
            "Rezept vom 12.03.2006 gekocht von Anna", "1 Blech", "", "Zutaten", "Zutat 0", "Zutat 1", "", "",
            "Zeile 0", "Zeile 1" };
        QCOMPARE(zeilen, expected);
    }

    void textAndClipboardDifferOnlyInProductLine()
    {
        const RezeptAnsicht a = beispiel(2, 3);
        const QStringList text = tk::textdateiZeilen(a);
        QStringList clip = tk::zwischenablageText(a).split(u'\n');
        QCOMPARE(clip.takeLast(), QString()); // every line ends in a line break
        QCOMPARE(clip.size(), text.size());
        for (int i = 0; i < text.size(); ++i) {
            if (i == 3) {
                QCOMPARE(text.at(i), QStringLiteral("Brutzels  Tellerkiste 3.30"));
                QCOMPARE(clip.at(i), QStringLiteral("Brutzels Tellerkiste 3.30"));
            } else {
                QCOMPARE(clip.at(i), text.at(i));
            }
        }
    }

    void noIngredients()
    {
        const QStringList zeilen = tk::textdateiZeilen(beispiel(0, 1));
        QCOMPARE(zeilen.mid(7), (QStringList { "Zutaten", "", "", "Zeile 0" }));
    }

    // ---- print layout ----

    void unit_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("u");
        QTest::newRow("4800") << 4800 << 10;
        QTest::newRow("6000: 12.5 to the even 12") << 6000 << 12;
        QTest::newRow("3600: 7.5 to the even 8") << 3600 << 8;
        QTest::newRow("5100: 10.625") << 5100 << 11;
        QTest::newRow("1680: 3.5 to the even 4") << 1680 << 4;
        QTest::newRow("1199: below a half") << 1199 << 2;
        QTest::newRow("9921 (A4 at 1200 dpi)") << 9921 << 21;
    }
    void unit()
    {
        QFETCH(int, w);
        QFETCH(int, u);
        QCOMPARE(tk::druckEinheit(w), u);
    }

    void firstPage_data() { unit_data(); }
    void firstPage()
    {
        QFETCH(int, w);
        QFETCH(int, u);
        const QList<DruckText> l = tk::druckLayout(beispiel(3, 2), w, 100000);
        QCOMPARE(l.size(), 10);
        auto at = [&](int i, const QString& text, int pt, bool b, bool ul, int x, int y) {
            const DruckText& t = l.at(i);
            QCOMPARE(t.text, text);
            QCOMPARE(t.pointSize, pt);
            QCOMPARE(t.bold, b);
            QCOMPARE(t.underline, ul);
            QCOMPARE(t.x, x);
            QCOMPARE(t.y, y);
            QCOMPARE(t.seite, 0);
        };
        at(0, "Apfelkuchen", 12, true, false, 50 * u, 40 * u);
        at(1, "Brutzels Tellerkiste 3.40", 10, false, false, 50 * u, 70 * u);
        at(2, "Rezept vom 12.03.2006 gekocht von Anna", 10, false, false, 50 * u, 82 * u);
        at(3, "1 Blech", 10, false, false, 50 * u, 94 * u);
        at(4, "Zutaten:", 10, true, true, 50 * u, 120 * u);
        for (int i = 0; i < 3; ++i)
            at(5 + i, QStringLiteral("Zutat %1").arg(i), 10, false, false, 90 * u, 120 * u + 10 * u * i);
        for (int j = 0; j < 2; ++j)
            at(8 + j, QStringLiteral("Zeile %1").arg(j), 10, false, false, 50 * u,
                140 * u + 30 * u + 10 * u * j);
        if (w == 4800) {
            QCOMPARE(QPoint(l.at(0).x, l.at(0).y), QPoint(500, 400));
            QCOMPARE(QPoint(l.at(5).x, l.at(5).y), QPoint(900, 1200));
            QCOMPARE(QPoint(l.at(8).x, l.at(8).y), QPoint(500, 1700));
        }
    }

    void noIngredientsTextTwoStepsBelowZutaten()
    {
        const QList<DruckText> l = tk::druckLayout(beispiel(0, 2), 4800, 100000);
        QCOMPARE(l.size(), 7);
        QCOMPARE(l.at(5).y, 1400);
        QCOMPARE(l.at(6).y, 1500);
    }

    // A long recipe continues on further pages; no line is lost and none runs off the page.
    void overflow_data()
    {
        QTest::addColumn<int>("zutaten");
        QTest::addColumn<int>("zeilen");
        QTest::addColumn<int>("hoehe");
        QTest::addColumn<int>("seiten");
        // u = 10: 120u + 10u*i is the i-th ingredient; a line fits while y + 100 <= hoehe.
        QTest::newRow("text runs over two more pages") << 3 << 120 << 6600 << 3;
        QTest::newRow("ingredients run over") << 80 << 5 << 6600 << 2;
        QTest::newRow("everything on one page") << 10 << 10 << 6600 << 1;
        QTest::newRow("tiny page: one line per page") << 1 << 3 << 450 << 4;
    }
    void overflow()
    {
        QFETCH(int, zutaten);
        QFETCH(int, zeilen);
        QFETCH(int, hoehe);
        QFETCH(int, seiten);
        const RezeptAnsicht a = beispiel(zutaten, zeilen);
        // Each further page is headed by the title in small type; the rest is the recipe's lines.
        QList<DruckText> l;
        QList<int> kopfSeiten;
        for (const DruckText& t : tk::druckLayout(a, 4800, hoehe)) {
            if (!t.kopfzeile) {
                l.append(t);
                continue;
            }
            QCOMPARE(t.text, a.titel);
            QCOMPARE(t.pointSize, 8);
            QVERIFY(t.y < 400);
            kopfSeiten.append(t.seite);
        }
        QList<int> weitere;
        for (int s = 1; s < seiten; ++s)
            weitere.append(s);
        QCOMPARE(kopfSeiten, weitere);
        QCOMPARE(l.size(), 5 + zutaten + zeilen);
        QStringList gedruckt;
        for (int i = 5; i < l.size(); ++i)
            gedruckt.append(l.at(i).text);
        QCOMPARE(gedruckt, a.zutaten + a.zeilen);
        QCOMPARE(l.last().seite + 1, seiten);
        for (int i = 6; i < l.size(); ++i) {
            const DruckText& t = l.at(i);
            const DruckText& v = l.at(i - 1);
            const int abstand = (i == 5 + zutaten && zutaten > 0) ? 300 : 100;
            if (t.seite != v.seite) {
                QCOMPARE(t.seite, v.seite + 1);
                QCOMPARE(t.y, 400); // top margin 40u
                QVERIFY2(v.y + abstand + 100 > hoehe, "page broken before it was full");
            } else if (hoehe >= 500) {
                QVERIFY(t.y + 100 <= hoehe);
                QCOMPARE(t.y - v.y, abstand);
            }
        }
        // The first page is exactly the fixed layout up to where it is full.
        for (int i = 5; i < l.size() && l.at(i).seite == 0; ++i) {
            const int k = i - 5;
            const int y = k < zutaten ? 1200 + 100 * k : 1400 + 100 * zutaten + 100 * (k - zutaten);
            QCOMPARE(l.at(i).y, y);
        }
    }

    // ---- all recipes ----

    void alleRezepte()
    {
        tkt::Collection c;
        std::vector<tk::Rezepteintrag> tab { rec("Brot"), rec("Weg", true), rec("Suppe"), rec("Tee"),
            rec("Kurz") };
        c.recipe(0, { "500 g Mehl", "Salz" }, { "Kneten.", "Backen." }, { "schmeckt" });
        // Deleted recipe: its file is not even read.
        c.write("Data/Rezepte/0002.dat",
            { "1", "1 l Wasser", "Kochen.", "vor dem ###KOMMENTAR### mitten", "Kommentar" });
        c.write("Data/Rezepte/0003.dat", { "0", "Ziehen lassen.", "", "Fertig." }); // no marker
        // Fewer lines than announced: read as the view reads it.
        c.write("Data/Rezepte/0004.dat", { "5", "a", "###KOMMENTAR###", "c" });
        const QStringList zeilen = tk::alleRezepteZeilen(c.dir(), tab, 4);
        QStringList expected = eintrag(tab[0], { "500 g Mehl", "Salz" }, { "Kneten.", "Backen." });
        expected += eintrag(tab[2], { "1 l Wasser" }, { "Kochen." });
        expected += eintrag(tab[3], {}, { "Ziehen lassen.", "", "Fertig." });
        expected += eintrag(tab[4], { "a" }, {});
        QCOMPARE(zeilen, expected);
        QVERIFY(!zeilen.join('\n').contains("Weg"));
        QVERIFY(!zeilen.join('\n').contains("0002"));

        // rezeptMax bounds the walk even when the table holds more.
        QCOMPARE(tk::alleRezepteZeilen(c.dir(), tab, 0),
            eintrag(tab[0], { "500 g Mehl", "Salz" }, { "Kneten.", "Backen." }));
    }

    void alleRezepteFailures_data()
    {
        QTest::addColumn<QStringList>("datei"); // empty: the file is missing
        QTest::addColumn<QString>("meldung");
        QTest::newRow("missing file") << QStringList() << "kann nicht geöffnet werden";
        QTest::newRow("line 0 not a number") << QStringList { "zwei", "a", "b" } << "beschädigt";
    }
    void alleRezepteFailures()
    {
        QFETCH(QStringList, datei);
        QFETCH(QString, meldung);
        tkt::Collection c;
        std::vector<tk::Rezepteintrag> tab { rec("Brot"), rec("Kaputt") };
        c.recipe(0, { "Mehl" }, { "Backen." });
        if (!datei.isEmpty())
            c.write("Data/Rezepte/0001.dat", datei);
        try {
            tk::alleRezepteZeilen(c.dir(), tab, 1);
            QFAIL("no error");
        } catch (const tk::Error& e) {
            QVERIFY2(e.message().contains(meldung), qPrintable(e.message()));
            QVERIFY(e.message().contains("0001.dat"));
        }
    }
};

TK_TEST_MAIN(AusgabeTest)
#include "tst_ausgabe.moc"
