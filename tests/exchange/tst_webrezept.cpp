#include "TestSupport.h"

#include "exchange/Kategoriezuordnung.h"
#include "exchange/WebRezept.h"
#include "platform/Cp1252.h"

// Raw strings confuse moc: the class is declared before any of them.
class WebRezeptTest : public QObject {
    Q_OBJECT
private slots:
    void seiten_data();
    void seiten();
    void kategorien_data();
    void kategorien();
    void adressen_data();
    void adressen();
};

namespace {

QByteArray seite(const QByteArray& kopf, const QByteArray& rumpf = {})
{
    return "<!DOCTYPE html>\n<html><head><title>Kochseite</title>" + kopf + "</head><body>" + rumpf
        + "</body></html>";
}

QByteArray block(const QByteArray& json)
{
    return "<script type=\"application/ld+json\">" + json + "</script>";
}

// What was read, one line per field, so a row shows the whole result at a glance.
QStringList auszug(const tk::WebErgebnis& e)
{
    QStringList out;
    for (const tk::WebRezept& r : e.rezepte) {
        out << QStringLiteral("T ") + r.titel;
        if (!r.autor.isEmpty())
            out << QStringLiteral("A ") + r.autor;
        if (!r.datum.isEmpty())
            out << QStringLiteral("D ") + r.datum;
        if (!r.menge.isEmpty())
            out << QStringLiteral("M ") + r.menge;
        for (const QString& z : r.zutaten)
            out << QStringLiteral("Z ") + z;
        for (const QString& t : r.text)
            out << QStringLiteral("X ") + t;
        if (!r.kategorien.isEmpty())
            out << QStringLiteral("K ") + r.kategorien.join(u'|');
        for (const QUrl& b : r.bilder)
            out << QStringLiteral("B ") + b.toString();
    }
    for (const QString& h : e.hinweise)
        out << QStringLiteral("H ") + h;
    return out;
}

const QString kSteuer = QStringLiteral("H Steuerzeichen im Text der Seite wurden durch Leerzeichen ersetzt.");
const QString kFragezeichen
    = QStringLiteral("H Zeichen, die die Rezeptsammlung nicht speichern kann, wurden durch \"?\" ersetzt.");
const QString kBildverweis = QStringLiteral("H Ein Bildverweis der Seite wurde übergangen: Bilder werden nur "
                                            "über http- und https-Adressen geladen.");

}

void WebRezeptTest::seiten_data()
{
    QTest::addColumn<QByteArray>("html");
    QTest::addColumn<QString>("contentType");
    QTest::addColumn<QUrl>("basis");
    QTest::addColumn<QStringList>("erwartet");

    const QUrl web(QStringLiteral("https://koch.example/rezepte/suppe"));
    const QUrl datei = QUrl::fromLocalFile(QStringLiteral("/home/anna/Seiten/rezept.html"));

    QTest::newRow("graph, type list, author by id, sections, largest picture first")
        << seite(block(R"({"@context":"https://schema.org","@graph":[
            {"@type":"WebPage","@id":"https://koch.example/#seite","name":"Kochseite"},
            {"@type":"Person","@id":"https://koch.example/#anna","name":"Anna Beispiel"},
            {"@type":["Recipe","NewsArticle"],"name":"Apfelkuchen &amp; Streusel",
             "author":{"@id":"https://koch.example/#anna"},"datePublished":"2023-05-01T10:00:00+02:00",
             "recipeYield":4,"recipeIngredient":["200 g <a href=\"/mehl\">Mehl</a>","  2   Eier ","1 Prise Salz<br>"],
             "recipeInstructions":[
               {"@type":"HowToSection","name":"Teig","itemListElement":[
                 {"@type":"HowToStep","text":"Mehl und Eier verrühren."},{"@type":"HowToStep","name":"Ruhen lassen."}]},
               {"@type":"HowToSection","name":"Belag","itemListElement":[
                 {"@type":"HowToStep","name":"Schritt 3","text":"<p>Äpfel schälen.</p><p>Auflegen.</p>"}]}],
             "recipeCategory":["Kuchen"],"keywords":"Backen, schnell",
             "image":[{"@type":"ImageObject","url":"https://koch.example/klein.jpg","width":100,"height":75},
                      {"@type":"ImageObject","contentUrl":"https://koch.example/gross.jpg","width":"1200","height":"900"}]}]})"))
        << QString() << web
        << QStringList { "T Apfelkuchen & Streusel", "A Anna Beispiel", "D 01.05.2023", "M 4 Portionen",
               "Z 200 g Mehl", "Z 2 Eier", "Z 1 Prise Salz", "X === Teig ===", "X Mehl und Eier verrühren.",
               "X ", "X Ruhen lassen.", "X ", "X === Belag ===", "X Äpfel schälen.", "X ", "X Auflegen.",
               "K Kuchen|Backen|schnell", "B https://koch.example/gross.jpg",
               "B https://koch.example/klein.jpg" };

    QTest::newRow("top-level array, old keys, one instruction string, relative picture")
        << seite(block(R"([{"@context":"http://schema.org","@type":"WebSite","name":"x"},
            {"@context":"http://www.schema.org","@type":"http://schema.org/Recipe","name":"Linsensuppe",
             "ingredients":"250 g Linsen\n1 l Brühe",
             "recipeInstructions":"Linsen waschen.<br>Mit Brühe kochen.\n\nAbschmecken.",
             "author":["Oma",{"@type":"Organization","name":"Kochclub"}],
             "recipeYield":["4","4 Teller"],"datePublished":"14.02.2020",
             "recipeCuisine":"Deutsch","image":"/bilder/suppe.webp"}])"))
        << QString() << web
        << QStringList { "T Linsensuppe", "A Oma, Kochclub", "D 14.02.2020", "M 4 Teller", "Z 250 g Linsen",
               "Z 1 l Brühe", "X Linsen waschen.", "X ", "X Mit Brühe kochen.", "X ", "X Abschmecken.",
               "K Deutsch", "B https://koch.example/bilder/suppe.webp" };

    QTest::newRow("what the collection cannot hold")
        << seite(block(R"({"@context":"https://schema.org","@type":"Recipe","name":"Salat | Dressing 🥗",
             "author":"A|B","recipeYield":"2–3 Portionen","recipeIngredient":["⅓ l Milch","½ TL Salz","Öl\u0007"],
             "recipeInstructions":["Schritt ###KOMMENTAR### eins","Schritt\u00adzwei"]})"))
        << QString() << web
        << QStringList { "T Salat / Dressing ?", "A A/B", "M 2–3 Portionen", "Z 1/3 l Milch", "Z ½ TL Salz",
               "Z Öl", "X Schritt KOMMENTAR eins", "X ", "X Schrittzwei", kSteuer, kFragezeichen };

    QTest::newRow("microdata of a saved page, nested items kept apart")
        << seite(block(R"({"@context":"https://schema.org","@type":"Organization","name":"Verlag"})"),
               R"(<div itemscope itemtype="https://schema.org/Recipe">
             <h1 itemprop="name">Pfannkuchen</h1>
             <span itemprop="author" itemscope itemtype="https://schema.org/Person"><span itemprop="name">Bert</span></span>
             <meta itemprop="datePublished" content="2021-11-03">
             <img itemprop="image" src="data:image/gif;base64,R0lG" data-src="bilder/pfannkuchen.png">
             <span itemprop="recipeYield">8 Stück</span>
             <ul><li itemprop="recipeIngredient">250 g Mehl</li><li itemprop="recipeIngredient">500 ml <b>Milch</b></li></ul>
             <div itemprop="recipeInstructions"><ol><li>Verrühren.</li><li>Ausbacken.</li></ol></div>
             <span itemprop="recipeCategory">Süßspeise</span>
             <div itemprop="review" itemscope itemtype="https://schema.org/Review"><span itemprop="name">Lecker</span></div>
           </div>)")
        << QString() << datei
        << QStringList { "T Pfannkuchen", "A Bert", "D 03.11.2021", "M 8 Stück", "Z 250 g Mehl",
               "Z 500 ml Milch", "X Verrühren.", "X ", "X Ausbacken.", "K Süßspeise",
               "B file:///home/anna/Seiten/bilder/pfannkuchen.png" };

    QTest::newRow("several recipes, the same one twice")
        << seite(block(R"({"@type":"Recipe","name":"Pesto","recipeIngredient":["Basilikum"]})")
               + block(R"({"@graph":[{"@type":"Recipe","name":"Pesto","recipeIngredient":["Basilikum"]},
                {"@type":"Recipe","name":"Tomatensoße","recipeIngredient":["Tomaten"],"recipeYield":"1"}]})"))
        << QString() << web
        << QStringList { "T Pesto", "Z Basilikum", "T Tomatensoße", "M 1 Portion", "Z Tomaten" };

    QTest::newRow("no recipe") << seite(block(R"({"@type":"NewsArticle","headline":"Neues vom Markt"})")
            + "<meta property=\"og:image\" content=\"https://koch.example/x.jpg\">",
        "<div itemscope itemtype=\"https://schema.org/Person\"><span itemprop=\"name\">Anna</span></div>")
                               << QString() << web << QStringList {};

    QTest::newRow("broken block skipped, wrapped block with raw line breaks repaired") << seite(
        block("{\"@type\":\"Recipe\",\"name\":\"Kaputt\"")
        + block("<!--\n{\"@type\":\"Recipe\",\"name\":\"Brot\",\n\"recipeIngredient\":[\"500 "
                "g\nMehl\"]};\n-->")) << QString() << web << QStringList { "T Brot", "Z 500 g Mehl" };

    // Windows-1252 bytes of "Käsespätzle".
    const QByteArray kaese = tk::toCp1252(QStringLiteral("Käsespätzle"));
    QTest::newRow("charset from the header before the page's own")
        << seite("<meta charset=\"utf-8\">" + block("{\"@type\":\"Recipe\",\"name\":\"" + kaese + "\"}"))
        << QStringLiteral("text/html; charset=ISO-8859-1") << web << QStringList { "T Käsespätzle" };
    QTest::newRow("charset from meta http-equiv")
        << seite("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
               + block("{\"@type\":\"Recipe\",\"name\":\"" + kaese + "\"}"))
        << QString() << web << QStringList { "T Käsespätzle" };
    QTest::newRow("no charset, no UTF-8: Windows-1252")
        << seite(block("{\"@type\":\"Recipe\",\"name\":\"" + kaese + "\"}")) << QString() << web
        << QStringList { "T Käsespätzle" };

    QTest::newRow("picture links that are no web addresses")
        << seite(block(R"({"@type":"Recipe","name":"Falle",
             "image":["javascript:void 0","file:///etc/passwd","../geheim.jpg","seite_files/ok.jpg"]})"))
        << QString() << datei
        << QStringList { "T Falle", "B file:///home/anna/Seiten/seite_files/ok.jpg", kBildverweis };

    QByteArray viele = block(R"({"@type":"Recipe","name":"Erstes"})");
    for (int i = 0; i < 250; ++i)
        viele += block("{}");
    QTest::newRow("thousands of scripts")
        << seite(viele) << QString() << web
        << QStringList { "T Erstes",
               "H Die Seite enthält 251 Datenblöcke; nur die ersten 200 wurden gelesen." };

    QByteArray tief = R"({"@type":"Recipe","name":"Versteckt"})";
    for (int i = 0; i < 100; ++i)
        tief = "{\"a\":" + tief + "}";
    QTest::newRow("deeply nested JSON")
        << seite(block(tief) + block(QByteArray(100000, '[')) + block(R"({"@type":"Recipe","name":"Oben"})"))
        << QString() << web
        << QStringList { "T Oben", "H Zu tief verschachtelte Daten der Seite wurden übergangen." };

    QByteArray divs;
    for (int i = 0; i < 20000; ++i)
        divs += "<div>";
    QTest::newRow("deeply nested HTML") << seite({},
        "<p itemscope itemtype=\"http://schema.org/Recipe\"><b itemprop=\"name\">Vorher</b></p>" + divs
            + "<p itemscope itemtype=\"http://schema.org/Recipe\"><b itemprop=\"name\">Tief</b></p>")
                                        << QString() << web << QStringList { "T Vorher" };

    QByteArray lang
        = "{\"@type\":\"Recipe\",\"name\":\"" + QByteArray(300, 'x') + "\",\"recipeIngredient\":[";
    for (int i = 0; i < 600; ++i)
        lang += QByteArray(i ? "," : "") + "\"" + QByteArray::number(i) + " g\"";
    lang += "],\"recipeInstructions\":\"" + QByteArray(5000, 'y') + "\"}";
    QStringList gekuerzt { "T " + QString(255, u'x') };
    for (int i = 0; i < 500; ++i)
        gekuerzt << QStringLiteral("Z %1 g").arg(i);
    gekuerzt << "X " + QString(4000, u'y') << "H Sehr lange Angaben der Seite wurden gekürzt.";
    QTest::newRow("huge recipe cut") << seite(block(lang)) << QString() << web << gekuerzt;
}

void WebRezeptTest::seiten()
{
    QFETCH(QByteArray, html);
    QFETCH(QString, contentType);
    QFETCH(QUrl, basis);
    QFETCH(QStringList, erwartet);
    const tk::WebErgebnis e = tk::leseWebseite(html, contentType, basis);
    const QStringList ist = auszug(e);
    if (ist != erwartet)
        qWarning().noquote() << ist.join(u'\n').left(3000);
    QCOMPARE(ist, erwartet);
    // Whatever the page held, each field is one line the collection's files can carry.
    for (const tk::WebRezept& r : e.rezepte)
        for (const QString& s : QStringList { r.titel, r.autor, r.datum, r.menge } + r.zutaten + r.text)
            QCOMPARE(tk::fromCp1252(tk::toCp1252(s)), s);
}

void WebRezeptTest::kategorien_data()
{
    QTest::addColumn<QStringList>("namen");
    QTest::addColumn<QList<int>>("nummern");
    QTest::newRow("standard names in either number, any case")
        << QStringList { "Suppen", "salat", "Nudel", "KUCHEN" } << QList<int> { 7, 8, 11, 13 };
    QTest::newRow("synonyms") << QStringList { "Nachtisch", "Hähnchen", "Pasta" } << QList<int> { 1, 6, 11 };
    QTest::newRow("own categories") << QStringList { "Grill", "VEGETARISCH" } << QList<int> { 15, 16 };
    QTest::newRow("never all or favourites")
        << QStringList { "Alle", "Favoriten", "Hauptgericht", "" } << QList<int> {};
}

void WebRezeptTest::kategorien()
{
    QFETCH(QStringList, namen);
    QFETCH(QList<int>, nummern);
    const tk::Kategoriezuordnung k(
        { { 15, QStringLiteral("Grillen") }, { 16, QStringLiteral("Vegetarisch") } });
    QCOMPARE(tk::webKategorien(namen, k), nummern);
}

void WebRezeptTest::adressen_data()
{
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<QString>("adresse");
    QTest::newRow("full") << "https://koch.example/r?id=1"
                          << "https://koch.example/r?id=1";
    QTest::newRow("without scheme") << " www.koch.example/rezept "
                                    << "https://www.koch.example/rezept";
    QTest::newRow("javascript") << "javascript:alert(1)"
                                << "";
    QTest::newRow("file") << "file:///etc/passwd"
                          << "";
    QTest::newRow("ftp") << "ftp://koch.example/x"
                         << "";
    QTest::newRow("a word") << "Apfelkuchen"
                            << "";
    QTest::newRow("no host") << "http://"
                             << "";
}

void WebRezeptTest::adressen()
{
    QFETCH(QString, eingabe);
    QFETCH(QString, adresse);
    QCOMPARE(tk::webAdresse(eingabe).toString(), adresse);
    // Among start arguments only a web address counts, never a package or an option.
    QCOMPARE(tk::webArgument({ "--x", "Paket.tkp", eingabe.trimmed() }).toString(),
        adresse.isEmpty() || !eingabe.contains(QLatin1String("://")) ? QString() : adresse);
}

TK_TEST_MAIN(WebRezeptTest)
#include "tst_webrezept.moc"
