#include <QtTest>
#include <QSet>

#include "exchange/Einkaufsliste.h"
#include "exchange/Kuechenwoerter.h"
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
        row("from 1000 g the larger unit", "500 g Mehl", 2.5, "1,25 kg Mehl");
        row("litres stay litres from 1 on", "1,5 l Milch", 1.5, "2,25 l Milch");
        row("thousands point before kg is a decimal point", "1.500 kg Kartoffeln", 2, "3 kg Kartoffeln");
        row("g from 100 on in fives", "1 kg Kartoffeln", 1.0 / 3, "335 g Kartoffeln");
        row("no long decimals", "100 g Mehl", 1.0 / 3, "33 g Mehl");
        row("thousands point", "1.000 g Mehl", 0.5, "500 g Mehl");
        row("grams from 5 on whole", "20 g Hefe", 1.0 / 3, "7 g Hefe");
        row("spelled-out unit switches spelled out", "500 Gramm Zucker", 3, "1,5 Kilogramm Zucker");
        row("glued unit", "200g Mehl", 1.5, "300g Mehl");
        row("glued kitchen unit", "1EL Öl", 2, "2EL Öl");
        row("fraction character", "½ TL Salz", 3, "1½ TL Salz");
        row("fraction halved", "½ TL Salz", 0.5, "¼ TL Salz");
        row("slash fraction", "1/2 TL Zimt", 2, "1 TL Zimt");
        row("mixed number", "1 1/2 TL Zimt", 2, "3 TL Zimt");
        row("mixed with character", "1½ EL Zucker", 3, "4½ EL Zucker");
        row("mixed with blank", "1 ½ EL Zucker", 3, "4 ½ EL Zucker");
        row("eighth read, l below 1 as ml", "⅛ l Sahne", 2, "250 ml Sahne");
        row("third written as fraction", "1 Tasse Mehl", 1.0 / 3, "⅓ Tasse Mehl");
        row("two thirds", "2 Tassen Mehl", 1.0 / 3, "⅔ Tasse Mehl");
        row("a third of a spoon is a teaspoon", "2 EL Honig", 1.0 / 3, "2 TL Honig");
        row("thirds of spoons as fractions", "4 EL Öl", 1.0 / 3, "1⅓ EL Öl");
        row("small fractions a cook writes", "¼ Rotkohl", 0.5, "⅛ Rotkohl");
        row("a sixth", "½ TL Zimt", 1.0 / 3, "⅙ TL Zimt");
        row("a part of a spoon no cook measures", "1 EL Öl", 0.3, "1 TL Öl");
        row("eggs round to whole", "7 Eier", 0.5, "4 Eier");
        row("eggs, one is singular", "4 Eier", 1.0 / 3, "1 Ei");
        row("counted things round to halves", "4 Schalotten", 1.0 / 3, "1,5 Schalotten");
        row("small things round to whole", "7 Wacholderbeeren", 0.5, "4 Wacholderbeeren");
        row("a pinch stays a pinch", "1 Prise Kreuzkümmel", 0.5, "1 Prise Kreuzkümmel");
        row("noun to plural", "1 Zwiebel", 2, "2 Zwiebeln");
        row("noun to singular", "2 Pastinaken", 0.5, "1 Pastinake");
        row("plural with umlaut, adjective", "1 großer Apfel", 2, "2 große Äpfel");
        row("adjective and umlaut back", "3 große Äpfel", 1.0 / 3, "1 großer Apfel");
        row("adjective before a unit", "1 gestrichener TL Zucker", 2, "2 gestrichene TL Zucker");
        row("neuter adjective", "2 kleine Eier", 0.5, "1 kleines Ei");
        row("unit word to plural", "1 Stange Lauch", 3, "3 Stangen Lauch");
        row("unit word with umlaut", "1 Topf Basilikum", 2, "2 Töpfe Basilikum");
        row("unit that keeps its singular", "2 Blatt Gelatine", 2, "4 Blatt Gelatine");
        row("compound by its last part", "1 Knoblauchzehe", 3, "3 Knoblauchzehen");
        row("compound with umlaut", "4 Lorbeerblätter", 0.25, "1 Lorbeerblatt");
        row("hyphenated compound", "1 Bio-Limette", 2, "2 Bio-Limetten");
        row("brand between number and noun", "4 HOFGUT Eier", 0.25, "1 HOFGUT Ei");
        row("written for both numbers", "1 Prise(n) Salz", 2, "2 Prise(n) Salz");
        row("both numbers, adjective agrees", "4 kleine Ei(er)", 0.25, "1 kleines Ei(er)");
        row("unknown noun left as written", "2 Pimientos", 2, "4 Pimientos");
        row("second amount after und", "1 Päckchen Backpulver und 30 g Speisestärke", 2,
            "2 Päckchen Backpulver und 60 g Speisestärke");
        row("second amount in brackets", "1 großer Apfel (oder 2 kleine Äpfel)", 0.5,
            "½ großer Apfel (oder 1 kleiner Apfel)");
        row("weight of a count in brackets", "4 Zwiebeln (ca. 500 g)", 0.5, "2 Zwiebeln (ca. 250 g)");
        row("size of a tin", "1 Dose (400 g) Tomaten", 2, "2 Dosen (400 g) Tomaten");
        row("size of each", "2 Becher Joghurt à 150 g", 2, "4 Becher Joghurt à 150 g");
        row("weight of each", "4 Hähnchenkeulen (je 250 g)", 0.5, "2 Hähnchenkeulen (je 250 g)");
        row("a length is a size", "1 Stück Ingwer (3 cm)", 2, "2 Stück Ingwer (3 cm)");
        row("numbers in names", "500 g Mehl Type 550", 2, "1 kg Mehl Type 550");
        row("number in a compound", "2 Packungen 3-Minuten-Nudeln", 0.5, "1 Packung 3-Minuten-Nudeln");
        row("fat content", "200 g Quark (20 % Fett)", 2, "400 g Quark (20 % Fett)");
        row("amount inside the line", "Saft von 1 ½ Limetten", 2, "Saft von 3 Limetten");
        row("je before the amount", "Je 1 Handvoll Rucola und Feldsalat", 2,
            "Je 2 Handvoll Rucola und Feldsalat");
        row("range both ends", "2-3 Eier", 2, "4-6 Eier");
        row("range in one notation", "4-5 g Salz", 0.1, "0,4-0,5 g Salz");
        row("range with blanks", "2 - 3 Zwiebeln", 1.5, "3 - 4,5 Zwiebeln");
        row("range with dash", "2–3 Zwiebeln", 2, "4–6 Zwiebeln");
        row("range in words", "2 bis 3 EL Mehl", 2, "4 bis 6 EL Mehl");
        row("range switches together", "400-500 g Hack", 3, "1,2-1,5 kg Hack");
        row("ca. kept", "ca. 500 g Hackfleisch", 1.5, "ca. 750 g Hackfleisch");
        row("etwa kept", "etwa 150 ml Wasser", 2, "etwa 300 ml Wasser");
        row("number word before unit", "eine Prise Salz", 2, "2 Prisen Salz");
        row("number word before noun", "ein Ei", 3, "3 Eier");
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
        row("fraction after einer", "Saft einer ½ Zitrone", 2, "Saft einer Zitrone");
        row("einer to von", "Abrieb einer Orange", 3, "Abrieb von 3 Orangen");
        row("factor 1 leaves the line", "1000 g Mehl", 1, "1000 g Mehl");
    }
    void skalieren()
    {
        QFETCH(QString, zeile);
        QFETCH(double, faktor);
        QFETCH(QString, erwartet);
        QCOMPARE(tk::skaliereZeile(zeile, faktor), erwartet);
    }

    // The kitchen's nouns: singular, plural and gender, compounds by their last part, unknown words not
    // found.
    void kuechenwoerter_data()
    {
        QTest::addColumn<QString>("wort");
        QTest::addColumn<QString>("einzahl");
        QTest::addColumn<QString>("mehrzahl");
        QTest::addColumn<QString>("geschlecht");
        auto row = [](const char* wort, const char* eins, const char* mehr, const char* g) {
            QTest::newRow(wort) << QString::fromUtf8(wort) << QString::fromUtf8(eins)
                                << QString::fromUtf8(mehr) << QString::fromUtf8(g);
        };
        row("Zwiebel", "Zwiebel", "Zwiebeln", "f");
        row("Äpfel", "Apfel", "Äpfel", "m");
        row("Eier", "Ei", "Eier", "n");
        row("Brötchen", "Brötchen", "Brötchen", "n");
        row("Nüsse", "Nuss", "Nüsse", "f");
        row("Knoblauchzehe", "Knoblauchzehe", "Knoblauchzehen", "f");
        row("Lorbeerblätter", "Lorbeerblatt", "Lorbeerblätter", "n");
        row("Granatapfel", "Granatapfel", "Granatäpfel", "m");
        row("Bio-Zitrone", "Bio-Zitrone", "Bio-Zitronen", "f");
        row("Bratwürste,", "Bratwurst", "Bratwürste", "f");
        row("Mehl", "", "", "");
        row("Kartoffelbrei", "", "", "");
        row("Essig", "", "", "");
    }
    void kuechenwoerter()
    {
        QFETCH(QString, wort);
        QFETCH(QString, einzahl);
        QFETCH(QString, mehrzahl);
        QFETCH(QString, geschlecht);
        const tk::Kuechenwoerter::Treffer t = tk::Kuechenwoerter::tabelle().finde(wort);
        QCOMPARE(t.form(false), einzahl);
        QCOMPARE(t.form(true), mehrzahl);
        QCOMPARE(t ? QString(t.nomen->geschlecht) : QString(), geschlecht);
    }

    // Every noun of the table is found by both its forms as itself: no form belongs to two nouns.
    void kuechenwoerterEindeutig()
    {
        const tk::Kuechenwoerter& w = tk::Kuechenwoerter::tabelle();
        QVERIFY(w.anzahl() > 200);
        for (int i = 0; i < w.anzahl(); ++i) {
            const tk::Kuechenwoerter::Nomen* n = w.nomenNr(i);
            QVERIFY2(QStringLiteral("mfn").contains(n->geschlecht), qPrintable(n->einzahl));
            QVERIFY2(w.finde(n->einzahl).nomen == n, qPrintable(n->einzahl));
            QVERIFY2(w.finde(n->mehrzahl).nomen == n, qPrintable(n->mehrzahl));
        }
    }

    // The quantity line offers the number the converter starts from and the word beside it.
    void portionen_data()
    {
        QTest::addColumn<QString>("menge");
        QTest::addColumn<double>("anzahl");
        QTest::addColumn<QString>("einheit");
        QTest::addColumn<double>("neu");
        QTest::addColumn<QString>("neueMenge");
        QTest::newRow("für n Personen") << "für 4 Personen" << 4. << "Personen" << 6. << "für 6 Personen";
        QTest::newRow("one person") << "für 4 Personen" << 4. << "Personen" << 1. << "für 1 Person";
        QTest::newRow("n Portionen") << "4 Portionen" << 4. << "Portionen" << 2. << "2 Portionen";
        QTest::newRow("yield in brackets scales")
            << "für 1 Blech (20 Stücke)" << 1. << "Blech" << 2. << "für 2 Bleche (40 Stücke)";
        QTest::newRow("half a sheet") << "1 Blech (20 Stück)" << 1. << "Blech" << 0.5 << "½ Blech (10 Stück)";
        QTest::newRow("size in brackets stays")
            << "1 Springform (26 cm)" << 1. << "Springform" << 2. << "2 Springformen (26 cm)";
        QTest::newRow("word first") << "Personen 4" << 4. << "Personen" << 6. << "Personen 6";
        QTest::newRow("unit after etwa") << "etwa 60 Stück" << 60. << "Stück" << 90. << "etwa 90 Stück";
        QTest::newRow("no number") << "-" << 1. << "× Rezept" << 2. << "2 × Rezept";
        QTest::newRow("number word") << "eine Springform" << 1. << "Springform" << 2. << "2 Springformen";
    }
    void portionen()
    {
        QFETCH(QString, menge);
        QFETCH(double, anzahl);
        QFETCH(QString, einheit);
        QFETCH(double, neu);
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
        QTest::newRow("a state is a note")
            << QStringList { "250 g weiche Butter" } << QStringList { "100 g Butter" }
            << QStringList { "0|350 g|Butter, weich|A|B" };
        QTest::newRow("sizes do not split")
            << QStringList { "2 große Zwiebeln" } << QStringList { "1 Zwiebel" }
            << QStringList { "0|3|Zwiebeln|A|B" };
        QTest::newRow("other product stays apart")
            << QStringList { "200 g Tomaten" } << QStringList { "400 g passierte Tomaten" }
            << QStringList { "0|200 g|Tomaten|A", "0|400 g|passierte Tomaten|B" };
        QTest::newRow("noun in the number of the sum")
            << QStringList { "1 Ei", "1 Lorbeerblatt" } << QStringList { "1 Ei", "3 Lorbeerblätter" }
            << QStringList { "0|2|Eier|A|B", "0|4|Lorbeerblätter|A|B" };
        QTest::newRow("singular and plural by the table")
            << QStringList { "2 Äpfel" } << QStringList { "1 Apfel" } << QStringList { "0|3|Äpfel|A|B" };
        QTest::newRow("note after a comma kept")
            << QStringList { "2 Zwiebeln, fein gehackt", "1 Paprika, rot" }
            << QStringList { "1 Zwiebel, in Ringen", "1 Paprika, grün" }
            << QStringList { "0|3|Zwiebeln, fein gehackt|A|B", "0|1|Paprika, rot|A", "0|1|Paprika, grün|B" };
        QTest::newRow("a pinch joins the seasoning")
            << QStringList { "Salz" } << QStringList { "1 Prise Salz" } << QStringList { "0||Salz|A|B" };
        QTest::newRow("litres from 1000 ml") << QStringList { "250 ml Milch" } << QStringList { "1 l Milch" }
                                             << QStringList { "0|1,25 l|Milch|A|B" };
        QTest::newRow("amount inside the line")
            << QStringList { "Saft einer ½ Zitrone" } << QStringList { "Saft einer ½ Zitrone" }
            << QStringList { "0||Saft einer Zitrone|A|B" };
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

    // The printout: the date, every line with the recipes it comes from, one column while the list fits
    // on the first page and two after, nothing below the page or across the middle.
    void druck_data()
    {
        QTest::addColumn<int>("eintraege");
        QTest::addColumn<int>("laenge");
        QTest::addColumn<int>("spalten");
        QTest::newRow("short list, one column") << 5 << 20 << 1;
        QTest::newRow("long list, two columns") << 90 << 20 << 2;
        QTest::newRow("long lines wrap in their column") << 60 << 160 << 2;
    }
    void druck()
    {
        QFETCH(int, eintraege);
        QFETCH(int, laenge);
        QFETCH(int, spalten);
        tk::Einkaufsliste l;
        for (int i = 0; i < eintraege; ++i) {
            const QString name
                = QStringLiteral("Zutat%1 ").arg(i) + QStringLiteral("lang ").repeated(laenge / 5);
            l.hinzufuegen({ QStringLiteral("%1 g ").arg(i + 1) + name.trimmed() },
                QStringLiteral("Rezept %1").arg(i % 3));
        }
        const int breite = 4800, hoehe = 6800, u = tk::druckEinheit(breite);
        const QList<tk::DruckText> d = tk::einkaufslisteDruck(l, breite, hoehe, QDate(2025, 5, 21));
        QCOMPARE(d.at(0).text, QStringLiteral("Einkaufsliste"));
        QCOMPARE(d.at(1).text, QStringLiteral("Stand: 21.05.2025"));
        QSet<int> x;
        QString alles;
        for (const tk::DruckText& t : d.mid(2)) {
            QVERIFY(t.y + 10 * u <= hoehe);
            if (t.pointSize == 10 && t.text.startsWith(u'['))
                x.insert(t.x);
            // Estimated as the layout does without a printer: nothing reaches into the next column.
            const int ende = t.x + int(t.text.size() * t.pointSize * u * 42 / 100);
            QVERIFY2(
                spalten == 2 && t.x < breite / 2 ? ende <= breite / 2 : ende <= breite, qPrintable(t.text));
            alles += t.text + u' ';
        }
        QCOMPARE(x.size(), spalten);
        for (int i = 0; i < eintraege; ++i)
            QVERIFY(alles.contains(QStringLiteral("[ ] %1 g Zutat%2 ").arg(i + 1).arg(i)));
        QCOMPARE(alles.count(QStringLiteral("Rezept ")), eintraege);
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
        // An amount changed by hand: the noun follows it.
        l.hinzufuegen({ "3 Schalotten" }, QStringLiteral("C"));
        l.eintraege.last().setzeMenge(QStringLiteral("1"));
        QCOMPARE(l.eintraege.last().zeile(), QStringLiteral("1 Schalotte"));
    }
};

QTEST_GUILESS_MAIN(MengenTest)
#include "tst_mengen.moc"
