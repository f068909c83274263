#include "TestSupport.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QTreeWidget>

#include "exchange/RezKonvExport.h"
#include "exchange/RezKonvImport.h"
#include "exchange/RezeptImport.h"
#include "exchange/gui/RezKonvImportfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/Cp1252.h"
#include "platform/Error.h"
#include "platform/TextLines.h"
#include "store/AppState.h"
#include "store/Formats.h"

using tk::ModalKind;

namespace {

QByteArray utf8(const QStringList& lines) { return lines.join(u'\n').toUtf8() + '\n'; }

// A MealMaster line with a second ingredient column from column 41 (index 40, or 41 with wider).
QString zweiSpalten(const QString& links, const QString& rechts, int spalte = 40)
{
    return links.leftJustified(spalte, u' ') + rechts;
}

QStringList titelVon(const tk::ImportErgebnis& e)
{
    QStringList out;
    for (const auto& r : e.rezepte)
        out.append(r.titel);
    return out;
}

QList<int> zeilenVon(const tk::ImportErgebnis& e)
{
    QList<int> out;
    for (const auto& u : e.uebersprungen)
        out.append(u.zeile);
    return out;
}

// The own export of one recipe, as the program writes it.
QStringList eigenerExport(const QString& titel, const QString& autor, const QString& datum,
    const QString& menge, const QStringList& text, const QStringList& zutaten)
{
    return tk::rezKonvErzeugen(titel, autor, datum, menge, text, zutaten);
}

}

class RezKonvImportTest : public QObject {
    Q_OBJECT
private slots:
    void layouts_data()
    {
        QTest::addColumn<QStringList>("datei");
        QTest::addColumn<QStringList>("titel");
        QTest::addColumn<QString>("menge");
        QTest::addColumn<QString>("autor");
        QTest::addColumn<QString>("datum");
        QTest::addColumn<QStringList>("kategorien");
        QTest::addColumn<QStringList>("zutaten");
        QTest::addColumn<QStringList>("text");

        QTest::newRow("aligned labels, groups, continuation, source")
            << QStringList { "Aus der Kochgruppe, Woche 12", "=====REZKONV-Rezept - RezkonvSuite v1.4", " ",
                   "     Titel: Apfelkuchen vom Blech", "Kategorien: Kuchen, Obst", "     Menge: 1 Blech",
                   " ", "============================ TEIG ============================",
                   "    250 g          Mehl", "    125 g          Butter", "      1            Ei", " ",
                   "============================ BELAG ===========================",
                   "      1 kg         Äpfel; geschält", "                   -- in Spalten geschnitten", " ",
                   "============================ QUELLE ============================",
                   "                   Omas Backbuch", "                   -- Erfasst *RK* 12.03.2006 von",
                   "                   -- Anna Beispiel", " ", "Mehl, Butter und Ei zu einem Teig verkneten.",
                   " ", "Die Äpfel darauf verteilen und 40 Minuten backen.", " ", "=====" }
            << QStringList { "Apfelkuchen vom Blech" } << "1 Blech"
            << "Anna Beispiel"
            << "12.03.2006" << QStringList { "Kuchen", "Obst" }
            << QStringList { "=== TEIG ===", "250 g Mehl", "125 g Butter", "1 Ei",
                   "=== BELAG ===", "1 kg Äpfel; geschält in Spalten geschnitten" }
            << QStringList { "Mehl, Butter und Ei zu einem Teig verkneten.", "",
                   "Die Äpfel darauf verteilen und 40 Minuten backen." };

        QTest::newRow("flush labels, older header, no source")
            << QStringList { "=====REZKONV-Rezept - RezkonvSuite v0.97=====", "", "Titel: Linsensuppe",
                   "Kategorien: Suppen", "Menge: 4 Portionen", "", "250 g Linsen", "1 Zwiebel", "",
                   "Linsen über Nacht einweichen.", "=====" }
            << QStringList { "Linsensuppe" } << "4 Portionen"
            << "-"
            << "-" << QStringList { "Suppen" } << QStringList { "250 g Linsen", "1 Zwiebel" }
            << QStringList { "Linsen über Nacht einweichen." };

        QTest::newRow("head values going on below their line")
            << QStringList { "=====REZKONV-Rezept - RezkonvSuite v1.4", " ",
                   "     Titel: Sehr langer Titel eines Kuchens mit", "            Äpfeln und Streuseln",
                   "Kategorien: Kuchen,", "            Obst", "     Menge: 1 Blech", " ",
                   "      1 kg         Äpfel", " ", "Backen.", "=====" }
            << QStringList { "Sehr langer Titel eines Kuchens mit Äpfeln und Streuseln" } << "1 Blech"
            << "-"
            << "-" << QStringList { "Kuchen", "Obst" } << QStringList { "1 kg Äpfel" }
            << QStringList { "Backen." };

        QTest::newRow("old source header")
            << QStringList { "========== REZKONV-Rezept - RezkonvSuite v0.85", " ",
                   "     Titel: Kartoffelsalat", "Kategorien: Salat", "     Menge: 4 Personen", " ",
                   "   1 kg            Kartoffeln", "      2 El         Essig", " ",
                   "=====ERFASST *RK* AM 03.11.1999 VON=====", "                   -- Bernd", " ",
                   "   Kartoffeln kochen, pellen und schneiden.", "     Mit Essig anmachen.", "=====" }
            << QStringList { "Kartoffelsalat" } << "4 Personen"
            << "Bernd"
            << "03.11.1999" << QStringList { "Salat" } << QStringList { "1 kg Kartoffeln", "2 El Essig" }
            << QStringList { "Kartoffeln kochen, pellen und schneiden.", "  Mit Essig anmachen." };

        QTest::newRow("title list before the first recipe")
            << QStringList { "Meine Sammlung", "  1. Brot", "  2. Butter", "==========", "",
                   "=====REZKONV-Rezept - RezkonvSuite v1.2", "Titel: Brot", "", "500 g Mehl", "", "Backen.",
                   "=====", "", "-- Fußzeile einer Nachricht --", "=====REZKONV-Rezept - RezkonvSuite v1.2",
                   "Titel: Butter", "", "1 l Sahne", "", "Schlagen.", "=====" }
            << QStringList { "Brot", "Butter" } << "-"
            << "-"
            << "-" << QStringList {} << QStringList { "500 g Mehl" } << QStringList { "Backen." };

        QTest::newRow("MealMaster, one column, groups and continuation")
            << QStringList { "MMMMM----- Recipe via Meal-Master (tm) v8.05", " ",
                   "      Title: Zwiebelkuchen", " Categories: Backwaren, Gemuese", "      Yield: 1 Blech",
                   " ", "MMMMM--------------------------TEIG---------------------------", "    250 g  Mehl",
                   "      1 pk Hefe", "MMMMM-------------------------BELAG---------------------------",
                   "      1 kg Zwiebeln; in Ringe", "           -geschnitten", " ",
                   "  Den Teig kneten und gehen lassen.", "  Zwiebeln duensten und verteilen.", " ", "MMMMM" }
            << QStringList { "Zwiebelkuchen" } << "1 Blech"
            << "-"
            << "-" << QStringList { "Backwaren", "Gemuese" }
            << QStringList { "=== TEIG ===", "250 g Mehl", "1 pk Hefe",
                   "=== BELAG ===", "1 kg Zwiebeln; in Ringe geschnitten" }
            << QStringList { "Den Teig kneten und gehen lassen.", "Zwiebeln duensten und verteilen." };

        QTest::newRow("MealMaster, two columns, dashed header")
            << QStringList { "---------- Recipe via Meal-Master (tm) v8.02", " ", "      Title: Pfannkuchen",
                   " Categories: Desserts", "   Servings: 4", " ",
                   zweiSpalten("    250 g  Mehl", "      1 ts Salz"),
                   zweiSpalten("    500 ml Milch", "      3    Eier"),
                   zweiSpalten("      2 tb Zucker", "           -verquirlt"), " ",
                   "  Alles verruehren und ausbacken.", " ", "-----" }
            << QStringList { "Pfannkuchen" } << "4"
            << "-"
            << "-" << QStringList { "Desserts" }
            << QStringList { "250 g Mehl", "500 ml Milch", "2 tb Zucker", "1 ts Salz", "3 Eier verquirlt" }
            << QStringList { "Alles verruehren und ausbacken." };

        // Names of the full 28 columns leave one blank before the second column; RezKonv converters
        // add their source section with author and date.
        QTest::newRow("MealMaster from RezKonv: full columns, source section")
            << QStringList { "MMMMM----- Recipe via Meal-Master (tm) v8.05", " ", "      Title: Brot",
                   " Categories: Backwaren", "      Yield: 1 Laib", " ",
                   zweiSpalten("    500 g  Weizenmehl Type 550, gesiebt", "      1 pk Trockenhefe"),
                   zweiSpalten("    300 ml Wasser, lauwarm, ungesalzen", "      2 ts Salz"),
                   zweiSpalten("      1 ts Zucker", "    1/2 ts Brotgewuerz", 41), " ",
                   "MMMMM-----------------------------QUELLE-----------------------------",
                   "                          Backbuch", "               -- Erfasst *RK* 08.12.2026 von",
                   "                          -- Petra Beispiel", " ", "  Alles verkneten und backen.", " ",
                   "MMMMM" }
            << QStringList { "Brot" } << "1 Laib"
            << "Petra Beispiel"
            << "08.12.2026" << QStringList { "Backwaren" }
            << QStringList { "500 g Weizenmehl Type 550, gesiebt", "300 ml Wasser, lauwarm, ungesalzen",
                   "1 ts Zucker", "1 pk Trockenhefe", "2 ts Salz", "1/2 ts Brotgewuerz" }
            << QStringList { "Alles verkneten und backen." };
    }

    void layouts()
    {
        QFETCH(QStringList, datei);
        const tk::ImportErgebnis e = tk::leseRezepte(utf8(datei));
        QVERIFY(e.uebersprungen.isEmpty());
        QTEST(titelVon(e), "titel");
        const tk::ImportRezept& r = e.rezepte.first();
        QTEST(r.menge, "menge");
        QTEST(r.autor, "autor");
        QTEST(r.datum, "datum");
        QTEST(r.kategorien, "kategorien");
        QTEST(r.zutaten, "zutaten");
        QTEST(r.text, "text");
    }

    void sourceLinesBecomeComment()
    {
        const tk::ImportErgebnis e = tk::leseRezepte(
            utf8({ "=====REZKONV-Rezept", "Titel: A", "", "1 Ei", "", "=====QUELLE=====", "  www.beispiel.de",
                "  -- Erfasst *RK* 01.02.2003 von", "  -- Carla", "", "Text.", "=====" }));
        QCOMPARE(e.rezepte.size(), 1);
        QCOMPARE(e.rezepte[0].kommentar, QStringList { "www.beispiel.de" });
        QCOMPARE(e.rezepte[0].autor, QStringLiteral("Carla"));
        QCOMPARE(e.rezepte[0].text, QStringList { "Text." });
    }

    void ownExportRoundTrip_data()
    {
        QTest::addColumn<QString>("titel");
        QTest::addColumn<QString>("autor");
        QTest::addColumn<QString>("datum");
        QTest::addColumn<QString>("menge");
        QTest::addColumn<QStringList>("zutaten");
        QTest::addColumn<QStringList>("text");

        QTest::newRow("typical") << "Apfelkuchen"
                                 << "Anna"
                                 << "12.03.2006"
                                 << "1 Blech" << QStringList { "500 g Mehl", "4 Äpfel" }
                                 << QStringList { "Alles verrühren und backen." };
        QTest::newRow("no ingredients, empty text") << "Tee"
                                                    << "Bernd"
                                                    << "-"
                                                    << "-" << QStringList {} << QStringList {};
        QTest::newRow("lines that look like layout")
            << "  Omas \"Spezial\"  "
            << "  "
            << ""
            << "für 4 Personen"
            << QStringList { "  - 1 Prise Salz", "=== Teig ===", "", "Titel: kein Titel",
                   "--Erfasst *RK* x von" }
            << QStringList { "Absatz eins", "", "=====", "    eingerückt", "=====QUELLE=====", "" };
        QTest::newRow("empty author and date") << "Brot"
                                               << ""
                                               << ""
                                               << "" << QStringList { "Mehl" } << QStringList { "Backen." };
    }

    void ownExportRoundTrip()
    {
        QFETCH(QString, titel);
        QFETCH(QString, autor);
        QFETCH(QString, datum);
        QFETCH(QString, menge);
        QFETCH(QStringList, zutaten);
        QFETCH(QStringList, text);
        QStringList datei = eigenerExport(titel, autor, datum, menge, text, zutaten);
        datei += eigenerExport(QStringLiteral("Zweites"), QStringLiteral("Z"), QStringLiteral("d"),
            QStringLiteral("m"), { QStringLiteral("t") }, { QStringLiteral("z") });
        // As the program saves text (Windows-1252, CR LF) and as an editor would (UTF-8, LF).
        for (const QByteArray& bytes : { tk::joinLines(datei), utf8(datei) }) {
            const tk::ImportErgebnis e = tk::leseRezepte(bytes);
            QCOMPARE(e.rezepte.size(), 2);
            const tk::ImportRezept& r = e.rezepte[0];
            QCOMPARE(r.titel, titel);
            QCOMPARE(r.autor, autor);
            QCOMPARE(r.datum, datum);
            QCOMPARE(r.menge, menge);
            QCOMPARE(r.zutaten, zutaten);
            QCOMPARE(r.text, text);
            QCOMPARE(e.rezepte[1].titel, QStringLiteral("Zweites"));
            QCOMPARE(e.rezepte[1].text, QStringList { "t" });
        }
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QStringList l { "=====REZKONV-Rezept", "Titel: Käsespätzle", "", "1 Ei", "", "Rühren.",
            "=====" };
        QTest::newRow("UTF-8, LF") << utf8(l);
        QTest::newRow("UTF-8 with BOM, CR LF")
            << QByteArray("\xEF\xBB\xBF") + l.join(QStringLiteral("\r\n")).toUtf8();
        QTest::newRow("Windows-1252, CR LF") << tk::joinLines(l);
        QByteArray utf16("\xFF\xFE");
        for (QChar c : l.join(QStringLiteral("\r\n")))
            utf16 += char(c.unicode() & 0xFF), utf16 += char(c.unicode() >> 8);
        QTest::newRow("UTF-16 with BOM") << utf16;
        QTest::newRow("Windows-1252, bare CR") << tk::toCp1252(l.join(u'\r'));
    }

    void encodings()
    {
        QFETCH(QByteArray, bytes);
        const tk::ImportErgebnis e = tk::leseRezepte(bytes);
        QCOMPARE(titelVon(e), QStringList { "Käsespätzle" });
        QCOMPARE(e.rezepte[0].zutaten, QStringList { "1 Ei" });
        QCOMPARE(e.rezepte[0].text, QStringList { "Rühren." });
    }

    void categoryMapping_data()
    {
        QTest::addColumn<QStringList>("namen");
        QTest::addColumn<QString>("liste");
        QTest::addColumn<QStringList>("unbekannt");
        QTest::newRow("standard names, any case")
            << QStringList { "desserts", "SUPPEN" } << "01,07," << QStringList {};
        QTest::newRow("German synonyms")
            << QStringList { "Kuchen", "Gebäck", "Nachspeise", "Pasta" } << "01,11,13," << QStringList {};
        QTest::newRow("English synonyms")
            << QStringList { "Soups", "Poultry", "Cakes" } << "06,07,13," << QStringList {};
        QTest::newRow("own category by name") << QStringList { "grillen" } << "15," << QStringList {};
        QTest::newRow("own name longer than a tab shows")
            << QStringList { "Sehr lange eigene Kategorie mit Überlänge" } << "17," << QStringList {};
        QTest::newRow("deleted own category is unknown")
            << QStringList { "Alt" } << "09," << QStringList { "Alt" };
        QTest::newRow("unknown names are listed, not invented")
            << QStringList { "Fingerfood", "Salate", "fingerfood" } << "08," << QStringList { "Fingerfood" };
        QTest::newRow("none gives Sonstiges") << QStringList {} << "09," << QStringList {};
        QTest::newRow("Alle and Favoriten are no categories")
            << QStringList { "Alle", "Favoriten" } << "09," << QStringList { "Alle", "Favoriten" };
    }

    void categoryMapping()
    {
        QFETCH(QStringList, namen);
        const tk::Kategoriezuordnung k(
            { { 15, QStringLiteral("Grillen") }, { 17, QStringLiteral("Sehr lange eigene Kategorie mi") } });
        QStringList unbekannt;
        QTEST(k.liste(namen, &unbekannt), "liste");
        QTEST(unbekannt, "unbekannt");
    }

    void ownCategoryBeforeSynonym()
    {
        const tk::Kategoriezuordnung k({ { 16, QStringLiteral("Kuchen") } });
        QCOMPARE(k.nummer(QStringLiteral("Kuchen")), 16);
        QCOMPARE(k.nummer(QStringLiteral("Backwaren")), 13);
    }

    void skippedRecipesKeepTheirLine()
    {
        QStringList l { "=====REZKONV-Rezept", "Titel: Eins", "", "=====" }; // lines 1-4
        l += QStringLiteral("=====REZKONV-Rezept"); // 5: nothing after it
        l += { "MMMMM----- Recipe via Meal-Master (tm) v8.05", "", "Categories: Suppen", "",
            "MMMMM" }; // 6: no title
        l += { "=====REZKONV-Rezept", "Titel: Zu lang", "", QString(40000, u'x'), "=====" }; // 11
        l += { "=====REZKONV-Rezept", "Titel: Vier", "", "1 Ei", "", "Kochen.", "=====" }; // 16
        const tk::ImportErgebnis e = tk::leseRezepte(utf8(l));
        QCOMPARE(titelVon(e), QStringList({ "Eins", "Vier" }));
        QCOMPARE(zeilenVon(e), QList<int>({ 5, 6, 11 }));
        QCOMPARE(e.uebersprungen[2].grund, QStringLiteral("Zeile 14 ist zu lang"));
        QCOMPARE(e.rezepte[1].zeile, 16);
    }

    void badInput_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("rezepte");
        QTest::addColumn<QList<int>>("uebersprungen");
        QTest::newRow("empty") << QByteArray() << 0 << QList<int> {};
        QTest::newRow("only blank lines") << QByteArray("\r\n\r\n \n") << 0 << QList<int> {};
        QTest::newRow("header with nothing after it")
            << QByteArray("=====REZKONV-Rezept=====") << 0 << QList<int> { 1 };
        QTest::newRow("header and title only")
            << QByteArray("=====REZKONV-Rezept\nTitel: Nur") << 1 << QList<int> {};
        QTest::newRow("absurdly long line without header")
            << QByteArray(5'000'000, 'a') << 0 << QList<int> {};
        QTest::newRow("long line of equals signs") << QByteArray(1'000'000, '=') << 0 << QList<int> {};
        QByteArray binaer(200000, '\0');
        QRandomGenerator gen(7);
        for (char& c : binaer)
            c = char(gen.bounded(256));
        QTest::newRow("binary") << binaer << 0 << QList<int> {};
        QTest::newRow("control characters in a recipe") << QByteArray("=====REZKONV\nTitel: A\x01\x00"
                                                                      "B\n\n1\x1b Ei\n\nT\x07\n=====\n",
            32) << 1 << QList<int> {};
        QTest::newRow("title of control characters only")
            << QByteArray("=====REZKONV\nTitel: \x01\x02\n\n1 Ei\n=====\n") << 0 << QList<int> { 1 };
    }

    void badInput()
    {
        QFETCH(QByteArray, bytes);
        const tk::ImportErgebnis e = tk::leseRezepte(bytes);
        QTEST(int(e.rezepte.size()), "rezepte");
        QTEST(zeilenVon(e), "uebersprungen");
        for (const tk::ImportRezept& r : e.rezepte)
            for (const QString& s : QStringList { r.titel, r.autor, r.datum, r.menge } + r.zutaten + r.text)
                for (QChar c : s)
                    QVERIFY(c.unicode() >= 0x20);
    }

    void largeFile()
    {
        QByteArray bytes;
        const int n = 50000;
        bytes.reserve(n * 200);
        for (int i = 0; i < n; ++i)
            bytes += tk::joinLines(eigenerExport(QStringLiteral("Rezept %1").arg(i), QStringLiteral("Koch"),
                QStringLiteral("01.01.2020"), QStringLiteral("4 Personen"),
                { QStringLiteral("Alles mischen."), QStringLiteral("Backen.") },
                { QStringLiteral("250 g Mehl"), QStringLiteral("2 Eier") }));
        QElapsedTimer t;
        t.start();
        const tk::ImportErgebnis e = tk::leseRezepte(bytes);
        qInfo("50000 Rezepte gelesen in %lld ms", t.elapsed());
        QCOMPARE(e.rezepte.size(), n);
        QCOMPARE(e.rezepte.last().titel, QStringLiteral("Rezept 49999"));
        QCOMPARE(e.rezepte.last().zutaten, QStringList({ "250 g Mehl", "2 Eier" }));
    }

    void installAddsAfterRezeptMax()
    {
        tkt::Collection c;
        c.standard({ "1", "Alt|A|01,|d|m|", "||||" });
        QList<tk::NeuesRezept> neu(2);
        neu[0].felder = { QStringLiteral("Neu|1"), QStringLiteral("B"), QStringLiteral("13,"),
            QStringLiteral("d"), QStringLiteral("m") };
        neu[0].zutaten = { QStringLiteral("1 Ei") };
        neu[0].text = { QStringLiteral("a ###KOMMENTAR### b") };
        neu[1].felder = { QStringLiteral("Zwei"), QString(), QStringLiteral("09,"), QString(), QString() };
        neu[1].kommentar = { QStringLiteral("Quelle") };
        int max = 1;
        QCOMPARE(tk::installiereRezepte(c.dir(), neu, max), 2);
        QCOMPARE(max, 3);
        QCOMPARE(c.bytes("Data/Rezepte/index.dat"),
            tkt::crlf({ "3", "Alt|A|01,|d|m|", "||||", "Neu/1|B|13,|d|m|", "Zwei|-|09,|-|-|" }));
        QCOMPARE(
            c.bytes("Data/Rezepte/0002.dat"), tkt::crlf({ "1", "1 Ei", "a KOMMENTAR b", "###KOMMENTAR###" }));
        QCOMPARE(c.bytes("Data/Rezepte/0003.dat"), tkt::crlf({ "0", "###KOMMENTAR###", "Quelle" }));
    }

    void installFailureChangesNothing_data()
    {
        QTest::addColumn<QStringList>("index");
        QTest::addColumn<bool>("fremdeDatei");
        // The index cannot be written: every recipe file written before is taken back, a file no entry
        // owns is left as it was.
        QTest::newRow("index read-only") << QStringList { "0", "Alt|A|01,|d|m|" } << false;
        QTest::newRow("index read-only, a foreign file beside it")
            << QStringList { "0", "Alt|A|01,|d|m|" } << true;
    }

    void installFailureChangesNothing()
    {
        QFETCH(QStringList, index);
        QFETCH(bool, fremdeDatei);
        tkt::Collection c;
        c.standard(index);
        if (fremdeDatei)
            c.writeBytes("Data/Rezepte/0002.dat", "fremd");
        const QByteArray vorher = c.bytes("Data/Rezepte/index.dat");
        QFile::setPermissions(
            c.path("Data/Rezepte/index.dat"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        QList<tk::NeuesRezept> neu(3);
        for (auto& r : neu)
            r.felder.titel = QStringLiteral("X");
        int max = 0;
        QVERIFY_THROWS_EXCEPTION(tk::Error, tk::installiereRezepte(c.dir(), neu, max));
        QCOMPARE(max, 0);
        QCOMPARE(c.bytes("Data/Rezepte/index.dat"), vorher);
        for (const char* f : { "0001.dat", "0003.dat", "0004.dat", "0005.dat" })
            QVERIFY2(!c.exists(QStringLiteral("Data/Rezepte/") + QLatin1String(f)), f);
        QCOMPARE(c.exists("Data/Rezepte/0002.dat"), fremdeDatei);
        if (fremdeDatei)
            QCOMPARE(c.bytes("Data/Rezepte/0002.dat"), QByteArray("fremd"));
    }

    void importWindowBringsTickedRecipesIn()
    {
        tkt::Collection c;
        c.standard({ "0", "Alt|A|01,|d|m|" }, { "1Grillen" });
        c.recipe(0, {}, { "alt" });
        c.writeBytes("sammlung.rk",
            utf8({ "Inhalt: Steak, Salat, Suppe", "=====REZKONV-Rezept - RezkonvSuite v1.4",
                "     Titel: Steak", "Kategorien: Grillen, Fleisch, Fingerfood", "     Menge: 2 Personen", "",
                "      2            Steaks", "", "=====QUELLE=====", "  -- Erfasst *RK* 05.06.2007 von",
                "  -- Dora", "", "Grillen.", "=====", "=====REZKONV-Rezept", "Titel: Salat", "",
                "1 Kopf Salat", "", "Waschen.", "=====", "=====REZKONV-Rezept", "=====REZKONV-Rezept",
                "Titel: Suppe", "", "1 l Wasser", "", "Kochen.", "=====" }));

        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        QVERIFY(tkt::kind<QAction>(f1, "rezKonvImport")->isEnabled());
        tkt::kind<QAction>(f1, "rezKonvImport")->trigger();
        auto* w = f1->findChild<tk::RezKonvImportfenster*>();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("RezKonv-Import"));

        script.file(c.path("sammlung.rk")).answer(tk::Answer::Ok);
        QTest::mouseClick(tkt::kind<QPushButton>(w, "dateienLaden"), Qt::LeftButton);
        QCOMPARE(script.unexpected, 0);
        QCOMPARE(script.last(ModalKind::Meldung).text,
            QStringLiteral("In der Datei \"sammlung.rk\" wurde 1 Rezept nicht verstanden und übersprungen."));
        QCOMPARE(tkt::kind<QTreeWidget>(w, "liste")->topLevelItemCount(), 3);
        QTreeWidgetItem* steak = tkt::kind<QTreeWidget>(w, "liste")->topLevelItem(0);
        QCOMPARE(steak->text(0), QStringLiteral("Steak"));
        QCOMPARE(steak->text(1), QStringLiteral("Fleisch, Grillen"));
        QCOMPARE(steak->text(2), QStringLiteral("Dora"));
        QVERIFY(tkt::kind<QLabel>(w, "stand")->text().contains(QStringLiteral("Fingerfood")));

        // Only Steak and Suppe.
        QTest::mouseClick(tkt::kind<QPushButton>(w, "keine"), Qt::LeftButton);
        QCOMPARE(tkt::kind<QTreeWidget>(w, "liste")->topLevelItem(1)->checkState(0), Qt::Unchecked);
        QTest::mouseClick(tkt::kind<QPushButton>(w, "alle"), Qt::LeftButton);
        tkt::kind<QTreeWidget>(w, "liste")->topLevelItem(1)->setCheckState(0, Qt::Unchecked);

        script.answer(tk::Answer::Ok);
        QTest::mouseClick(tkt::kind<QPushButton>(w, "importieren"), Qt::LeftButton);
        QCOMPARE(script.unexpected, 0);
        const tk::ModalRequest m = script.last(ModalKind::Meldung);
        QCOMPARE(m.caption, QStringLiteral("Rezepte importiert"));
        QCOMPARE(m.text,
            QStringLiteral(
                "Es wurden 2 Rezepte importiert.\r1 Rezept war nicht angehakt.\r1 Rezept konnte nicht "
                "gelesen werden und wurde übersprungen:\rsammlung.rk: Zeile 22 (kein Titel gefunden)\r"
                "Diese Kategorien gibt es in der Sammlung nicht, sie wurden nicht übernommen: Fingerfood\r"
                "Die Rezeptdatenbank wird neu eingelesen!"));
        QVERIFY(!w->isVisible());

        QCOMPARE(c.bytes("Data/Rezepte/index.dat"),
            tkt::crlf(
                { "2", "Alt|A|01,|d|m|", "Steak|Dora|03,15,|05.06.2007|2 Personen|", "Suppe|-|09,|-|-|" }));
        QCOMPARE(
            c.bytes("Data/Rezepte/0001.dat"), tkt::crlf({ "1", "2 Steaks", "Grillen.", "###KOMMENTAR###" }));
        QCOMPARE(
            c.bytes("Data/Rezepte/0002.dat"), tkt::crlf({ "1", "1 l Wasser", "Kochen.", "###KOMMENTAR###" }));
        QVERIFY(!c.exists("Data/Rezepte/0003.dat"));
        // The reload has the new recipes.
        QCOMPARE(p.st.rezeptMax, 2);
        QCOMPARE(p.st.rezeptAnzahl, 3);
        QCOMPARE(p.st.rezepte[2].titel, QStringLiteral("Suppe"));

        // Opening it again shows an empty list of the same window.
        tkt::kind<QAction>(f1, "rezKonvImport")->trigger();
        QCOMPARE(f1->findChildren<tk::RezKonvImportfenster*>().size(), 1);
        QCOMPARE(tkt::kind<QTreeWidget>(w, "liste")->topLevelItemCount(), 0);
        QVERIFY(!tkt::kind<QPushButton>(w, "importieren")->isEnabled());
        w->hide();
    }

    void importWindowKeepsTheListWhenNothingCanBeAdded()
    {
        tkt::Collection c;
        c.standard({ "0", "Alt|A|01,|d|m|" });
        c.recipe(0, {}, { "alt" });
        c.writeBytes("Data/Rezepte/0001.dat", "fremd");
        c.writeBytes(
            "eins.rk", utf8({ "=====REZKONV-Rezept", "Titel: Eins", "", "1 Ei", "", "Kochen.", "=====" }));
        const QByteArray vorher = c.bytes("Data/Rezepte/index.dat");

        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        tkt::kind<QAction>(f1, "rezKonvImport")->trigger();
        auto* w = f1->findChild<tk::RezKonvImportfenster*>();
        script.file(c.path("eins.rk"));
        QTest::mouseClick(tkt::kind<QPushButton>(w, "dateienLaden"), Qt::LeftButton);
        QCOMPARE(tkt::kind<QTreeWidget>(w, "liste")->topLevelItemCount(), 1);

        // Nothing ticked: a notice, nothing written.
        QTest::mouseClick(tkt::kind<QPushButton>(w, "keine"), Qt::LeftButton);
        script.answer(tk::Answer::Ok);
        QTest::mouseClick(tkt::kind<QPushButton>(w, "importieren"), Qt::LeftButton);
        QCOMPARE(script.last(ModalKind::Meldung).text, QStringLiteral("Es ist kein Rezept angehakt."));

        // An index that cannot be written: the error is shown, the list stays, nothing changed.
        QFile::setPermissions(c.path("Data/Rezepte/index.dat"), QFileDevice::ReadOwner);
        QTest::mouseClick(tkt::kind<QPushButton>(w, "alle"), Qt::LeftButton);
        script.answer(tk::Answer::Ok);
        QTest::mouseClick(tkt::kind<QPushButton>(w, "importieren"), Qt::LeftButton);
        QCOMPARE(script.unexpected, 0);
        const tk::ModalRequest m = script.last(ModalKind::Meldung);
        QCOMPARE(m.caption, QStringLiteral("Fehler beim Rezepteimport"));
        QVERIFY2(m.text.startsWith(
                     QStringLiteral("Der Import wurde abgebrochen, es wurde kein Rezept übernommen:\r")),
            qPrintable(m.text));
        QVERIFY(w->isVisible());
        QCOMPARE(tkt::kind<QTreeWidget>(w, "liste")->topLevelItemCount(), 1);
        QVERIFY(!p.st.listeWirdGefuellt);
        QCOMPARE(p.st.rezeptMax, 0);
        QCOMPARE(c.bytes("Data/Rezepte/index.dat"), vorher);
        QCOMPARE(c.bytes("Data/Rezepte/0001.dat"), QByteArray("fremd"));

        // "Abbrechen" while the recipes are written: nothing is added, the list stays, every window
        // takes input again; with nothing running, "Abbrechen" closes the window.
        QFile::setPermissions(
            c.path("Data/Rezepte/index.dat"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        auto* abbrechen = tkt::kind<QPushButton>(w, "abbrechen");
        auto* importieren = tkt::kind<QPushButton>(w, "importieren");
        bool klickImHauptfenster = false;
        QTimer::singleShot(0, abbrechen, [&] {
            QVERIFY(tkt::kind<QProgressBar>(w, "fortschritt")->isVisible());
            QVERIFY(!importieren->isEnabled());
            QTest::keyClick(
                f1, Qt::Key_L, Qt::ControlModifier); // "Löschen" would ask about the recipe on show
            klickImHauptfenster = true;
            QTest::mouseClick(abbrechen, Qt::LeftButton);
        });
        QTest::mouseClick(importieren, Qt::LeftButton);
        QVERIFY(klickImHauptfenster);
        QCOMPARE(tkt::kind<QLabel>(w, "stand")->text(),
            QStringLiteral("Der Import wurde abgebrochen, es wurde kein Rezept übernommen."));
        QVERIFY(w->isVisible());
        QVERIFY(importieren->isEnabled());
        QVERIFY(!tkt::kind<QProgressBar>(w, "fortschritt")->isVisible());
        QCOMPARE(tkt::kind<QTreeWidget>(w, "liste")->topLevelItemCount(), 1);
        QVERIFY(!p.st.listeWirdGefuellt);
        QCOMPARE(c.bytes("Data/Rezepte/index.dat"), vorher);
        QVERIFY(!c.exists("Data/Rezepte/0002.dat"));
        QVERIFY(c.exists("Data/Rezepte/0000.dat"));
        // "Abbrechen" while a file is read: nothing is listed from it, the window stays.
        w->leeren();
        QTimer::singleShot(0, abbrechen, [&] { QTest::mouseClick(abbrechen, Qt::LeftButton); });
        QVERIFY(w->ladeDateien({ c.path("eins.rk") }).isEmpty());
        QCOMPARE(tkt::kind<QTreeWidget>(w, "liste")->topLevelItemCount(), 0);
        QVERIFY(w->isVisible());
        QVERIFY(!importieren->isEnabled());
        QTest::mouseClick(abbrechen, Qt::LeftButton);
        QVERIFY(!w->isVisible());
    }
};

TK_TEST_MAIN(RezKonvImportTest)
#include "tst_rezkonvimport.moc"
