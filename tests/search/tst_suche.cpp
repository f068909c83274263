#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include "platform/Error.h"
#include "platform/TextLines.h"
#include "search/Suche.h"
#include "store/Formats.h"
#include "store/Rezepte.h"

using tk::SuchModus;
Q_DECLARE_METATYPE(tk::SuchModus)
Q_DECLARE_METATYPE(std::vector<int>)

namespace {

tk::Rezepteintrag rec(const QString& titel, const QString& autor, bool geloescht = false)
{
    tk::Rezepteintrag r;
    r.titel = titel;
    r.autor = autor;
    r.geloescht = geloescht ? 1 : 0;
    return r;
}

// Recipes 0..6 with their files; 2 is deleted but its file still holds every word.
struct Fixture {
    tkt::Collection c;
    std::vector<tk::Rezepteintrag> rezepte;
    Fixture()
    {
        rezepte = { rec(u"Apfelkuchen"_qs, u"Oma"_qs), rec(u"Bratapfel"_qs, u"Opa"_qs),
            rec(u"Mehlsuppe"_qs, u"Oma"_qs, true), rec(u"Suppe"_qs, u"Oma Else"_qs),
            rec(u"Äpfel im Schlafrock"_qs, u"Tante Änne"_qs), rec(u"uppe"_qs, QString()),
            rec(u"Supp"_qs, u"Opa"_qs) };
        c.recipe(0, { u"500 g Mehl"_qs, u"3 Äpfel"_qs }, { u"Teig kneten"_qs }, { u"lecker"_qs });
        c.recipe(1, { u"4 Äpfel"_qs }, { u"im Ofen backen"_qs });
        c.recipe(2, { u"Mehl"_qs }, { u"Mehl"_qs }, { u"Mehl lecker"_qs });
        c.recipe(3, {}, { u"Mehl einrühren"_qs });
        // No marker, no text: nothing after the ingredient line.
        c.write(u"Data/Rezepte/0004.dat"_qs, { u"1"_qs, u"Blätterteig"_qs });
        c.recipe(5, { u"Wasser"_qs }, {});
        c.recipe(6, { u"Salz"_qs }, { u"Suppe"_qs });
    }
};

} // namespace

class SucheTest : public QObject {
    Q_OBJECT
private slots:
    void passes_data()
    {
        QTest::addColumn<SuchModus>("modus");
        QTest::addColumn<QString>("wort");
        QTest::addColumn<std::vector<int>>("expected");
        auto row = [](const char* name, SuchModus m, const QString& w, std::vector<int> e) {
            QTest::newRow(name) << m << w << e;
        };
        row("title apfel", SuchModus::Titel, u"apfel"_qs, { 0, 1 });
        row("title äpfel not Äpfel", SuchModus::Titel, u"äpfel"_qs, {});
        row("title Äpfel", SuchModus::Titel, u"Äpfel"_qs, { 4 });
        row("title ?uppe", SuchModus::Titel, u"?uppe"_qs, { 3, 5 });
        row("title Supp?", SuchModus::Titel, u"Supp?"_qs, { 3 });
        row("title empty word lists all live", SuchModus::Titel, QString(), { 0, 1, 3, 4, 5, 6 });
        row("title deleted never found", SuchModus::Titel, u"mehl"_qs, {});
        row("author", SuchModus::Autor, u"oma"_qs, { 0, 3 });
        row("author empty word incl. empty author", SuchModus::Autor, QString(), { 0, 1, 3, 4, 5, 6 });
        row("ingredients", SuchModus::Zutaten, u"mehl"_qs, { 0 });
        row("ingredients not the text", SuchModus::Zutaten, u"backen"_qs, {});
        row("ingredients empty word: one line at least", SuchModus::Zutaten, QString(), { 0, 1, 4, 5, 6 });
        row("full text not the ingredients", SuchModus::Volltext, u"mehl"_qs, { 3 });
        row("full text comment", SuchModus::Volltext, u"lecker"_qs, { 0 });
        row("full text marker word", SuchModus::Volltext, u"kommentar"_qs, { 0, 1, 3, 5, 6 });
        row("full text marker ###", SuchModus::Volltext, u"###"_qs, { 0, 1, 3, 5, 6 });
        row("full text not the title", SuchModus::Volltext, u"bratapfel"_qs, {});
        row("full text empty word: a line after the ingredients", SuchModus::Volltext, QString(),
            { 0, 1, 3, 5, 6 });
        row("full text umlaut exact", SuchModus::Volltext, u"einrühren"_qs, { 3 });
    }

    void passes()
    {
        QFETCH(SuchModus, modus);
        QFETCH(QString, wort);
        QFETCH(std::vector<int>, expected);
        Fixture f;
        std::vector<int> treffer;
        std::vector<int> steps;
        tk::sucheRezepte(f.rezepte, 6, f.c.dir(), modus, wort, treffer, [&](int n) { steps.push_back(n); });
        QCOMPARE(treffer, expected);
        QCOMPARE(steps, (std::vector<int> { 0, 1, 3, 4, 5, 6 })); // live recipes only, ascending
    }

    void failures_data()
    {
        QTest::addColumn<SuchModus>("modus");
        QTest::addColumn<QString>("wort");
        QTest::addColumn<QString>("file4"); // contents of 0004.dat, lines split at "|"; "-" removes it
        QTest::addColumn<QString>("message"); // part of the message
        QTest::addColumn<std::vector<int>>("kept");
        auto row
            = [](const char* name, SuchModus m, const QString& w, const QString& file, const QString& msg,
                  std::vector<int> kept) { QTest::newRow(name) << m << w << file << msg << kept; };
        row("missing file, ingredients", SuchModus::Zutaten, u"e"_qs, u"-"_qs,
            u"kann nicht geöffnet werden"_qs, { 0, 1 });
        row("missing file, full text", SuchModus::Volltext, u"e"_qs, u"-"_qs,
            u"kann nicht geöffnet werden"_qs, { 0, 1, 3 });
        row("first line no number", SuchModus::Volltext, u"e"_qs, u"zwei|a|b"_qs, u"keine Zahl"_qs,
            { 0, 1, 3 });
        row("empty file", SuchModus::Zutaten, u"e"_qs, QString(), u"keine Zahl"_qs, { 0, 1 });
        row("invalid mask", SuchModus::Titel, u"[-a]"_qs, u"1|a"_qs,
            u"'*[-a]*' ist eine ungültige Maske für (3)"_qs, {});
    }

    void failures()
    {
        QFETCH(SuchModus, modus);
        QFETCH(QString, wort);
        QFETCH(QString, file4);
        QFETCH(QString, message);
        QFETCH(std::vector<int>, kept);
        Fixture f;
        if (file4 == u"-"_qs)
            QFile::remove(f.c.path(u"Data/Rezepte/0004.dat"_qs));
        else
            f.c.writeBytes(
                u"Data/Rezepte/0004.dat"_qs, tkt::crlf(file4.isEmpty() ? QStringList() : file4.split(u'|')));
        std::vector<int> treffer;
        try {
            tk::sucheRezepte(f.rezepte, 6, f.c.dir(), modus, wort, treffer);
            QFAIL("the search went on");
        } catch (const tk::Error& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
        QCOMPARE(treffer, kept);
    }

    // Files the search reads as far as they go, and goes on with the next recipe (1: "b" in both parts).
    void damagedFilesThatAreNoFault_data()
    {
        QTest::addColumn<QString>("file0"); // lines split at "|"
        QTest::addColumn<SuchModus>("modus");
        QTest::addColumn<QString>("wort");
        QTest::addColumn<std::vector<int>>("expected");
        QTest::newRow("ingredient found before the end")
            << u"5|a|b"_qs << SuchModus::Zutaten << u"b"_qs << std::vector<int> { 0, 1 };
        QTest::newRow("full text: nothing after the ingredients")
            << u"5|a|b"_qs << SuchModus::Volltext << u"a"_qs << std::vector<int> {};
        QTest::newRow("negative count: no ingredient lines")
            << u"-1|b|###KOMMENTAR###"_qs << SuchModus::Zutaten << u"b"_qs << std::vector<int> { 1 };
        QTest::newRow("negative count: the text starts at line 1")
            << u"-3|b"_qs << SuchModus::Volltext << u"b"_qs << std::vector<int> { 0, 1 };
        QTest::newRow("short file: the ingredients end at the marker")
            << u"5|a|###KOMMENTAR###|b"_qs << SuchModus::Zutaten << u"b"_qs << std::vector<int> { 1 };
        QTest::newRow("short file: the full text reads marker and comment")
            << u"5|a|###KOMMENTAR###|b"_qs << SuchModus::Volltext << u"b"_qs << std::vector<int> { 0, 1 };
    }

    void damagedFilesThatAreNoFault()
    {
        QFETCH(QString, file0);
        QFETCH(SuchModus, modus);
        QFETCH(QString, wort);
        QFETCH(std::vector<int>, expected);
        tkt::Collection c;
        c.write(u"Data/Rezepte/0000.dat"_qs, file0.split(u'|'));
        c.write(u"Data/Rezepte/0001.dat"_qs, { u"1"_qs, u"b"_qs, u"b"_qs });
        std::vector<tk::Rezepteintrag> rezepte { rec(u"T"_qs, u"A"_qs), rec(u"U"_qs, u"B"_qs) };
        std::vector<int> treffer;
        tk::sucheRezepte(rezepte, 1, c.dir(), modus, wort, treffer);
        QCOMPARE(treffer, expected);
    }

    void invalidMaskNeedsAComparison()
    {
        // Nothing live, nothing compared: no fault shows.
        std::vector<tk::Rezepteintrag> rezepte { rec(u"T"_qs, u"A"_qs, true) };
        std::vector<int> treffer;
        tk::sucheRezepte(rezepte, 0, QString(), SuchModus::Titel, u"["_qs, treffer);
        QVERIFY(treffer.empty());
    }

    void shippedCollection_data()
    {
        QTest::addColumn<SuchModus>("modus");
        QTest::newRow("title") << SuchModus::Titel;
        QTest::newRow("author") << SuchModus::Autor;
        QTest::newRow("ingredients") << SuchModus::Zutaten;
        QTest::newRow("full text") << SuchModus::Volltext;
    }

    void shippedCollection()
    {
        // Every file of the collection the program ships with is searched without a fault; the empty word
        // finds every live recipe that has something to compare.
        QFETCH(SuchModus, modus);
        tkt::Collection c;
        const QDir from(QStringLiteral(TK_SOURCE_DIR "/data/Rezepte"));
        for (const QString& name : from.entryList(QDir::Files))
            QVERIFY(QFile::copy(from.filePath(name), c.path(u"Data/Rezepte/"_qs + name)));
        std::vector<tk::Rezepteintrag> rezepte;
        int rezeptMax = -1;
        const tk::Ladeergebnis load
            = tk::ladeTabelle(tk::loadLines(tk::indexPath(c.dir())), rezepte, rezeptMax, nullptr, 0, {}, {});
        QVERIFY(load.lebend > 0);
        std::vector<int> treffer;
        tk::sucheRezepte(rezepte, rezeptMax, c.dir(), modus, QString(), treffer);
        std::vector<int> expected;
        for (int n = 0; n <= rezeptMax; ++n) {
            if (rezepte[size_t(n)].geloescht)
                continue;
            bool some = true;
            if (modus == SuchModus::Zutaten || modus == SuchModus::Volltext) {
                const tk::RecipeFile r = tk::parseRecipe(tk::loadLines(tk::recipePath(c.dir(), n)));
                some = modus == SuchModus::Zutaten
                    ? !r.zutaten.isEmpty()
                    : !r.text.isEmpty() || r.hasMarker || !r.kommentar.isEmpty();
            }
            if (some)
                expected.push_back(n);
        }
        QCOMPARE(treffer, expected);
        QVERIFY(!treffer.empty());
    }

    void summaries()
    {
        QCOMPARE(tk::suchZusammenfassung(0),
            u"Suche beendet, leider KEINE TREFFER!\r\rVersuchen Sie bitte ein anderes Suchwort"_qs);
        QCOMPARE(tk::suchZusammenfassung(12), u"Suche beendet: 12 Treffer!"_qs);
    }
};

TK_TEST_MAIN(SucheTest)
#include "tst_suche.moc"
