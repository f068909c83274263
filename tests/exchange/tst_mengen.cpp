#include <QtTest>

#include "exchange/Einkaufsliste.h"
#include "exchange/Mengen.h"

// Amounts at the start of free-text ingredient lines: scaling and adding up.
class MengenTest : public QObject {
    Q_OBJECT

private slots:
    void skalieren_data()
    {
        QTest::addColumn<QString>("zeile");
        QTest::addColumn<double>("faktor");
        QTest::addColumn<QString>("erwartet");
        auto row = [](const char* name, const char* z, double f, const char* e) {
            QTest::newRow(name) << QString::fromUtf8(z) << f << QString::fromUtf8(e);
        };
        row("integer", "250 g weiche Butter", 2, "500 g weiche Butter");
        row("decimal comma", "1,5 kg säuerliche Äpfel", 2, "3 kg säuerliche Äpfel");
        row("decimal point, l stays", "0.5 l Milch", 3, "1,5 l Milch");
        row("kg that reads better as g", "1,5 kg säuerliche Äpfel", 0.5, "750 g säuerliche Äpfel");
        row("1000 g is 1 kg", "500 g Mehl", 2, "1 kg Mehl");
        row("1500 ml is 1,5 l", "750 ml Brühe", 2, "1,5 l Brühe");
        row("1250 g stays exact", "500 g Mehl", 2.5, "1250 g Mehl");
        row("g from 100 on in fives", "1 kg Kartoffeln", 1.0 / 3, "335 g Kartoffeln");
        row("no long decimals", "100 g Mehl", 1.0 / 3, "33 g Mehl");
        row("thousands point", "1.000 g Mehl", 0.5, "500 g Mehl");
        row("spelled-out unit switches spelled out", "500 Gramm Zucker", 3, "1,5 Kilogramm Zucker");
        row("glued unit", "200g Mehl", 1.5, "300g Mehl");
        row("glued kitchen unit", "1EL Öl", 2, "2EL Öl");
        row("fraction character", "½ TL Salz", 3, "1½ TL Salz");
        row("fraction halved", "½ TL Salz", 0.5, "¼ TL Salz");
        row("slash fraction", "1/2 TL Zimt", 2, "1 TL Zimt");
        row("mixed number", "1 1/2 TL Zimt", 2, "3 TL Zimt");
        row("mixed with character", "1½ EL Zucker", 3, "4½ EL Zucker");
        row("mixed with blank", "1 ½ EL Zucker", 3, "4½ EL Zucker");
        row("eighth read, l below 1 as ml", "⅛ l Sahne", 2, "250 ml Sahne");
        row("third written as fraction", "1 Tasse Mehl", 1.0 / 3, "⅓ Tasse Mehl");
        row("two thirds", "2 EL Honig", 1.0 / 3, "⅔ EL Honig");
        row("not a fraction stays decimal", "1 EL Öl", 0.3, "0,3 EL Öl");
        row("whole eggs, decimal comma", "3 Eier", 1.5, "4,5 Eier");
        row("range both ends", "2-3 Eier", 2, "4-6 Eier");
        row("range with blanks", "2 - 3 Zwiebeln", 1.5, "3 - 4,5 Zwiebeln");
        row("range with dash", "2–3 Zwiebeln", 2, "4–6 Zwiebeln");
        row("range in words", "2 bis 3 EL Mehl", 2, "4 bis 6 EL Mehl");
        row("range switches together", "400-500 g Hack", 3, "1,2-1,5 kg Hack");
        row("ca. kept", "ca. 500 g Hackfleisch", 1.5, "ca. 750 g Hackfleisch");
        row("etwa kept", "etwa 150 ml Wasser", 2, "etwa 300 ml Wasser");
        row("number word before unit", "eine Prise Salz", 2, "2 Prisen Salz");
        row("number word before noun", "ein Ei", 3, "3 Ei");
        row("twelve", "zwölf Walnusskerne", 0.5, "6 Walnusskerne");
        row("a half", "eine halbe Zitrone", 2, "1 Zitrone");
        row("plural back to singular", "2 Dosen Tomaten", 0.5, "1 Dose Tomaten");
        row("tiny amount never 0", "1 g Safran", 0.03, "0,03 g Safran");
        row("number word before adjective", "ein wenig Öl", 2, "ein wenig Öl");
        row("no amount", "Salz, Pfeffer", 2, "Salz, Pfeffer");
        row("etwas is no etwa", "etwas Öl", 2, "etwas Öl");
        row("heading", "=== Für den Teig ===", 2, "=== Für den Teig ===");
        row("colon heading", "Für 2 Böden:", 2, "Für 2 Böden:");
        row("numbered step", "1. Für den Belag", 2, "1. Für den Belag");
        row("percent", "3,5 % Milch", 2, "3,5 % Milch");
        row("fraction inside stays", "Saft einer ½ Zitrone", 2, "Saft einer ½ Zitrone");
        row("factor 1 leaves the line", "1000 g Mehl", 1, "1000 g Mehl");
    }
    void skalieren()
    {
        QFETCH(QString, zeile);
        QFETCH(double, faktor);
        QFETCH(QString, erwartet);
        QCOMPARE(tk::skaliereZeile(zeile, faktor), erwartet);
    }

    // The quantity line offers the number the converter starts from and the word beside it.
    void portionen_data()
    {
        QTest::addColumn<QString>("menge");
        QTest::addColumn<int>("anzahl");
        QTest::addColumn<QString>("einheit");
        QTest::addColumn<int>("neu");
        QTest::addColumn<QString>("neueMenge");
        QTest::newRow("für n Personen") << "für 4 Personen" << 4 << "Personen" << 6 << "für 6 Personen";
        QTest::newRow("n Portionen") << "4 Portionen" << 4 << "Portionen" << 2 << "2 Portionen";
        QTest::newRow("first number only")
            << "1 Blech (20 Stück)" << 1 << "Blech" << 2 << "2 Blech (20 Stück)";
        QTest::newRow("unit after etwa") << "etwa 60 Stück" << 60 << "Stück" << 90 << "etwa 90 Stück";
        QTest::newRow("no number") << "-" << 1 << "× Rezept" << 2 << "2 × Rezept";
        QTest::newRow("number word") << "eine Springform" << 1 << "Springform" << 2 << "2 Springform";
    }
    void portionen()
    {
        QFETCH(QString, menge);
        QFETCH(int, anzahl);
        QFETCH(QString, einheit);
        QFETCH(int, neu);
        QFETCH(QString, neueMenge);
        const tk::Portionen p = tk::lesePortionen(menge);
        QCOMPARE(p.anzahl, anzahl);
        QCOMPARE(p.einheit, einheit);
        QCOMPARE(tk::skalierePortionen(menge, neu), neueMenge);
        QCOMPARE(tk::skalierePortionen(menge, anzahl), menge);
    }

    // Two recipes onto one list; the expectation is the list file, one line per entry.
    void zusammenfassen_data()
    {
        QTest::addColumn<QStringList>("a");
        QTest::addColumn<QStringList>("b");
        QTest::addColumn<QStringList>("datei");
        QTest::newRow("no unit, by name")
            << QStringList { "3 Eier" } << QStringList { "2 Eier" } << QStringList { "0|5|Eier|A|B" };
        QTest::newRow("plural n folded") << QStringList { "2 Zwiebeln" } << QStringList { "1 Zwiebel" }
                                         << QStringList { "0|3|Zwiebeln|A|B" };
        QTest::newRow("g and kg") << QStringList { "500 g Mehl" } << QStringList { "0,5 kg mehl" }
                                  << QStringList { "0|1 kg|Mehl|A|B" };
        QTest::newRow("ml and l") << QStringList { "750 ml Milch" } << QStringList { "0,75 l Milch" }
                                  << QStringList { "0|1,5 l|Milch|A|B" };
        QTest::newRow("kitchen unit and plural")
            << QStringList { "1 Dose Tomaten" } << QStringList { "2 Dosen Tomaten" }
            << QStringList { "0|3 Dosen|Tomaten|A|B" };
        QTest::newRow("fractions") << QStringList { "½ TL Salz" } << QStringList { "1 TL Salz" }
                                   << QStringList { "0|1½ TL|Salz|A|B" };
        QTest::newRow("thirds stay readable in the file")
            << QStringList { "1/3 Tasse Zucker" } << QStringList { "1/3 Tasse Zucker" }
            << QStringList { "0|2/3 Tasse|Zucker|A|B" };
        QTest::newRow("range and single")
            << QStringList { "2-3 Eier" } << QStringList { "2 Eier" } << QStringList { "0|4-5|Eier|A|B" };
        QTest::newRow("ca. carries over")
            << QStringList { "250 g Hackfleisch" } << QStringList { "ca. 500 g Hackfleisch" }
            << QStringList { "0|ca. 750 g|Hackfleisch|A|B" };
        QTest::newRow("same text without amount") << QStringList { "Salz, Pfeffer",
            "Salz" } << QStringList { "salz" } << QStringList { "0||Salz, Pfeffer|A", "0||Salz|A|B" };
        QTest::newRow("weight and volume stay apart")
            << QStringList { "100 g Sahne" } << QStringList { "200 ml Sahne", "1 Becher Sahne" }
            << QStringList { "0|100 g|Sahne|A", "0|200 ml|Sahne|B", "0|1 Becher|Sahne|B" };
        QTest::newRow("other name stays apart")
            << QStringList { "250 g weiche Butter" } << QStringList { "100 g Butter" }
            << QStringList { "0|250 g|weiche Butter|A", "0|100 g|Butter|B" };
        QTest::newRow("headings left out, | kept out of the file")
            << QStringList { "Für den Teig:", "=== Soße ===", "", "1 Prise Salz|Zucker" } << QStringList {}
            << QStringList { "0|1 Prise|Salz/Zucker|A" };
    }
    void zusammenfassen()
    {
        QFETCH(QStringList, a);
        QFETCH(QStringList, b);
        QFETCH(QStringList, datei);
        tk::Einkaufsliste l;
        l.hinzufuegen(a, QStringLiteral("A"));
        l.hinzufuegen(b, QStringLiteral("B"));
        QCOMPARE(l.dateizeilen(), datei);
        // Read back, the list is the same list.
        QCOMPARE(tk::Einkaufsliste::ausDatei(datei).dateizeilen(), datei);
    }

    // A bought line takes nothing more; a hand-written line in the file is kept.
    void erledigtUndVonHand()
    {
        tk::Einkaufsliste l = tk::Einkaufsliste::ausDatei({ "1|500 g|Mehl|A", "", "Milch nicht vergessen" });
        l.hinzufuegen({ "200 g Mehl" }, QStringLiteral("B"));
        QCOMPARE(l.dateizeilen(),
            (QStringList { "1|500 g|Mehl|A", "0||Milch nicht vergessen", "0|200 g|Mehl|B" }));
        l.erledigteEntfernen();
        QCOMPARE(l.textzeilen(), (QStringList { "[ ] Milch nicht vergessen", "[ ] 200 g Mehl" }));
    }
};

QTEST_GUILESS_MAIN(MengenTest)
#include "tst_mengen.moc"
