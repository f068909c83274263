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
        if (!r.hinweis.isEmpty())
            out << QStringLiteral("P ") + r.hinweis;
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

    QTest::newRow("a fraction after a whole number keeps apart from it")
        << seite(block(R"({"@type":"Recipe","name":"Mürbeteig",
             "recipeIngredient":["1⅓ cups flour","2 ⅔ EL Zucker","⅛ TL Salz"]})"))
        << QString() << web
        << QStringList { "T Mürbeteig", "Z 1 1/3 cups flour", "Z 2 2/3 EL Zucker", "Z 1/8 TL Salz" };

    QTest::newRow("doubled parentheses and blanks before commas of recipe plugins")
        << seite(block(
               R"J({"@type":"Recipe","name":"Kekse","recipeIngredient":["115 g Butter, weich ((1/2 cup))",
             "1 cup butter (softened (227g))","2 Möhren , geschält"]})J"))
        << QString() << web
        << QStringList { "T Kekse", "Z 115 g Butter, weich (1/2 cup)", "Z 1 cup butter (softened (227g))",
               "Z 2 Möhren, geschält" };

    QTest::newRow("step names as headings where they say more than the step's start or number")
        << seite(block(R"({"@type":"Recipe","name":"Braten","recipeInstructions":[
             {"@type":"HowToStep","name":"Marinade anrühren","text":"Öl und Essig verrühren."},
             {"@type":"HowToStep","name":"Fleisch einlegen…","text":"Fleisch einlegen und ziehen lassen."},
             {"@type":"HowToStep","name":"Schritt 3","text":"Braten."},
             {"@type":"HowToStep","name":"braten_step_4","text":"Ruhen lassen."}]})"))
        << QString() << web
        << QStringList { "T Braten", "X === Marinade anrühren ===", "X Öl und Essig verrühren.", "X ",
               "X Fleisch einlegen und ziehen lassen.", "X ", "X Braten.", "X ", "X Ruhen lassen." };

    QTest::newRow("group headings sent as ingredients")
        << seite(block(R"({"@type":"Recipe","name":"Lasagne","recipeIngredient":["For the noodles:",
             "200 g Nudeln","FÜR DEN TEIG","500 g Mehl","Salz","ZUM BESTREUEN:"]})"))
        << QString() << web
        << QStringList { "T Lasagne", "Z === For the noodles ===", "Z 200 g Nudeln",
               "Z === Für den Teig ===", "Z 500 g Mehl", "Z Salz" };

    QTest::newRow("one entry holding several lines")
        << seite(block(R"({"@type":"Recipe","name":"Curry","recipeIngredient":["3 EL Öl\n2 Zehen Knoblauch",
             "1 Zwiebel<br>1 Möhre","1 Dose Kokosmilch"]})"))
        << QString() << web
        << QStringList { "T Curry", "Z 3 EL Öl", "Z 2 Zehen Knoblauch", "Z 1 Zwiebel", "Z 1 Möhre",
               "Z 1 Dose Kokosmilch" };

    QTest::newRow("entities encoded twice, in every field")
        << seite(block(R"({"@type":"Recipe","name":"Pur&amp;eacute;e &amp;amp; So&amp;szlig;e",
             "author":"Jos&amp;eacute;","recipeIngredient":["Cr&amp;egrave;me fra&amp;icirc;che"],
             "recipeInstructions":"Schneiden.&amp;lt;br&amp;gt;Braten."})"))
        << QString() << web
        << QStringList { "T Purée & Soße", "A José", "Z Crème fraîche", "X Schneiden.", "X ", "X Braten." };

    QTest::newRow(
        "tolerant JSON: comment wrapper, trailing commas, keys in other case, one recipe in two blocks")
        << seite("<script type=\"application/ld+json\">// <![CDATA[\n"
                 R"({"@context":"https://schema.org","@graph":[{"@type":"Recipe","@id":"#gulasch",
                   "Name":"Gulasch","RecipeIngredient":["1 kg Rind",],},]})"
                 "\n// ]]></script>"
               + block(R"({"@graph":[{"@id":"#gulasch","recipeInstructions":{"@type":"HowToSection",
                   "name":"Schmoren","ItemListElement":[{"@type":"HowToStep","text":"Anbraten."}]}}]})"))
        << QString() << web
        << QStringList { "T Gulasch", "Z 1 kg Rind", "X === Schmoren ===", "X Anbraten." };

    QTest::newRow("microdata: author as a link, an ingredient element with blocks inside")
        << seite({}, R"(<div itemscope itemtype="http://schema.org/Recipe"><h1 itemprop="name">Rührei</h1>
             <a itemprop="author" href="/profil/anna">Anna Beispiel</a>
             <ul><li itemprop="recipeIngredient"><div>2</div><div>Eier</div></li>
             <li itemprop="recipeIngredient">1 Prise Salz<br>1 EL Milch</li></ul></div>)")
        << QString() << web
        << QStringList { "T Rührei", "A Anna Beispiel", "Z 2 Eier", "Z 1 Prise Salz", "Z 1 EL Milch" };

    QTest::newRow("steps run together by the site")
        << seite(block(R"({"@type":"Recipe","name":"Pfanne",
             "recipeInstructions":"In feine Streifen schneiden.Öl in einer Pfanne erhitzen.Fertig! Guten Appetit, z.B. mit Reis."})"))
        << QString() << web
        << QStringList { "T Pfanne",
               "X In feine Streifen schneiden. Öl in einer Pfanne erhitzen. Fertig! Guten "
               "Appetit, z. B. mit Reis." };

    // Pages without recipe data: read from their text, marked for the user to check.
    const QString pruefen
        = QStringLiteral("P Die Seite enthält keine Rezeptdaten; Titel, Zutaten und Zubereitung "
                         "wurden aus dem Text der Seite gelesen. Bitte prüfen.");
    QTest::newRow("h-recipe microformat")
        << seite({}, R"J(<article class="h-recipe"><h1 class="p-name">Kartoffelsalat</h1>
             <p>Von <span class="p-author h-card"><span class="p-name">Oma Grete</span></span>,
             <time class="dt-published" datetime="2022-06-01">1. Juni</time></p>
             <img class="u-photo" src="/bilder/salat.jpg"><p>Für <span class="p-yield">4 Personen</span></p>
             <ul><li class="p-ingredient">1 kg <b>Kartoffeln</b></li><li class="p-ingredient">1 Zwiebel<br>1 Gurke</li></ul>
             <div class="e-instructions"><ol><li>Kartoffeln kochen.</li><li>Schneiden und anmachen.</li></ol></div>
             <a class="p-category" href="/salate">Salat</a></article>)J")
        << QString() << web
        << QStringList { "T Kartoffelsalat", "A Oma Grete", "D 01.06.2022", "M 4 Personen",
               "Z 1 kg Kartoffeln", "Z 1 Zwiebel", "Z 1 Gurke", "X Kartoffeln kochen.", "X ",
               "X Schneiden und anmachen.", "K Salat", "B https://koch.example/bilder/salat.jpg", pruefen };

    QTest::newRow("recipe plugin card") << seite({},
        R"J(<p>Eine lange Geschichte vom Sommer.</p><div class="wprm-recipe-container"><div class="wprm-recipe">
             <h2 class="wprm-recipe-name">Erdbeerkuchen</h2><span class="wprm-recipe-author">Von Anna</span>
             <span class="wprm-recipe-servings">12</span>
             <div class="wprm-recipe-ingredients-container"><h3 class="wprm-recipe-header">Zutaten</h3>
             <div class="wprm-recipe-ingredient-group"><h4 class="wprm-recipe-group-name">Boden</h4>
             <ul class="wprm-recipe-ingredients"><li class="wprm-recipe-ingredient"><span class="wprm-recipe-ingredient-amount">200</span>
             <span class="wprm-recipe-ingredient-unit">g</span> <span class="wprm-recipe-ingredient-name">Mehl</span></li>
             <li class="wprm-recipe-ingredient">2 Eier</li></ul></div>
             <div class="wprm-recipe-ingredient-group"><h4 class="wprm-recipe-group-name">Belag</h4>
             <ul class="wprm-recipe-ingredients"><li class="wprm-recipe-ingredient">500 g Erdbeeren</li></ul></div></div>
             <div class="wprm-recipe-instructions-container"><h3 class="wprm-recipe-header">Zubereitung</h3>
             <ol class="wprm-recipe-instructions"><li class="wprm-recipe-instruction"><div class="wprm-recipe-instruction-text">Teig rühren.</div></li>
             <li class="wprm-recipe-instruction"><div class="wprm-recipe-instruction-text">Backen und belegen.</div></li></ol></div>
             </div></div>)J") << QString()
                                        << web
                                        << QStringList { "T Erdbeerkuchen", "A Anna", "M 12 Portionen",
                                               "Z === Boden ===", "Z 200 g Mehl", "Z 2 Eier",
                                               "Z === Belag ===", "Z 500 g Erdbeeren", "X Teig rühren.", "X ",
                                               "X Backen und belegen.", pruefen };

    QTest::newRow("bare page: the lists after Zutaten and Zubereitung") << seite({},
        R"J(<header><a href="/">Kochseite</a><ul><li><a href="/r">Rezepte</a></li><li><a href="/u">Über uns</a></li></ul></header>
             <h1>Linsencurry</h1><ul class="toc"><li><a href="#z">Zutaten</a></li><li><a href="#s">Zubereitung</a></li></ul>
             <p>Ein Curry für kalte Tage.</p><h2 id="z">Zutaten für 4 Personen</h2><p><strong>Für das Curry:</strong></p>
             <ul><li>250 g rote Linsen</li><li>1 Dose Kokosmilch</li></ul><p><strong>Zum Servieren</strong></p>
             <ul><li>Koriander</li></ul><h2 id="s">Zubereitung</h2><h3>Vorbereiten</h3><p>Linsen waschen.</p>
             <h3>Kochen</h3><p>Alles 20 Minuten köcheln.</p><p>Mit Koriander servieren.</p>
             <h2>Kommentare</h2><ul><li>Sehr lecker! Eva</li><li>Zu scharf. Tom</li></ul>)J")
                                                                        << QString() << web
                                                                        << QStringList { "T Linsencurry",
                                                                               "M 4 Personen",
                                                                               "Z === Für das Curry ===",
                                                                               "Z 250 g rote Linsen",
                                                                               "Z 1 Dose Kokosmilch",
                                                                               "Z === Zum Servieren ===",
                                                                               "Z Koriander",
                                                                               "X === Vorbereiten ===",
                                                                               "X Linsen waschen.", "X ",
                                                                               "X === Kochen ===",
                                                                               "X Alles 20 Minuten köcheln.",
                                                                               "X ",
                                                                               "X Mit Koriander servieren.",
                                                                               pruefen };

    QTest::newRow("recipe data without ingredients: the page's list fills them")
        << seite(block(R"J({"@type":"Recipe","name":"Pfannkuchen","recipeIngredient":[],
             "recipeInstructions":"Alles verrühren und ausbacken."})J"),
               "<h2>Zutaten</h2><ul><li>250 g Mehl</li><li>500 ml Milch</li><li>3 Eier</li></ul>"
               "<h2>Zubereitung</h2><p>Verrühren.</p>")
        << QString() << web
        << QStringList { "T Pfannkuchen", "Z 250 g Mehl", "Z 500 ml Milch", "Z 3 Eier",
               "X Alles verrühren und ausbacken.",
               "P Die Rezeptdaten der Seite nennen keine Zutaten; sie wurden aus dem Text der Seite gelesen. "
               "Bitte prüfen." };

    QTest::newRow("a page that is no recipe") << seite({},
        "<h1>Unser Hofladen</h1><h2>Zutaten aus der Region</h2><p>Gemüse, Eier und Milch aus "
        "eigener Erzeugung.</p><h2>Öffnungszeiten</h2><ul><li>Mo bis Fr 8 bis 18 Uhr</li>"
        "<li>Sa 8 bis 13 Uhr</li></ul><div class=\"recipe-card\"><h3>Rezept der Woche</h3>"
        "<a href=\"/suppe\">Kürbissuppe</a></div>")
                                              << QString() << web << QStringList {};

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
    QTest::addColumn<QString>("titel");
    QTest::addColumn<QList<int>>("nummern");
    QTest::newRow("standard names in either number, any case")
        << QStringList { "Suppen", "salat", "Nudel", "KUCHEN" } << QString() << QList<int> { 7, 8, 11, 13 };
    QTest::newRow("synonyms") << QStringList { "Nachtisch", "Hähnchen", "Pasta" } << QString()
                              << QList<int> { 1, 6, 11 };
    QTest::newRow("own categories") << QStringList { "Grill", "VEGETARISCH" } << QString()
                                    << QList<int> { 15, 16 };
    QTest::newRow("never all or favourites")
        << QStringList { "Alle", "Favoriten", "Hauptgericht", "" } << QString() << QList<int> {};
    QTest::newRow("parts of compound words in title and keywords")
        << QStringList { "Hähnchenbrust", "Schnelle Küche" } << "Fenchel-Möhren-Gemüse mit Rindergulasch"
        << QList<int> { 2, 3, 6 };
    QTest::newRow("the longest head wins, parts that name nothing")
        << QStringList {} << "Milchreis, Eisbein und Schweinebacken mit Crème fraîche"
        << QList<int> { 3, 10 };
}

void WebRezeptTest::kategorien()
{
    QFETCH(QStringList, namen);
    QFETCH(QString, titel);
    QFETCH(QList<int>, nummern);
    const tk::Kategoriezuordnung k(
        { { 15, QStringLiteral("Grillen") }, { 16, QStringLiteral("Vegetarisch") } });
    QCOMPARE(tk::webKategorien(namen, k, titel), nummern);
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
