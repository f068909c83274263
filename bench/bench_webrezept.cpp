// Reading recipe pages: a page of about 2 MB as big recipe sites send them (navigation, teasers, inline
// scripts and styles, comments) with the recipe as JSON-LD, the same page with the recipe as microdata
// only, and as a reference libxml2's parse of the page alone. Goal: well under 100 ms per page.
// Usage: bench_webrezept [ROUNDS]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include <libxml/HTMLparser.h>

#include "exchange/WebRezept.h"

namespace {

QByteArray rauschen(int i)
{
    const QByteArray n = QByteArray::number(i);
    return "<div class=\"teaser teaser--small\" data-id=\"" + n + "\"><a href=\"/rezepte/" + n
        + "-schneller-eintopf.html\"><img src=\"https://bilder.koch.example/" + n
        + "/crop-320x240.webp\" alt=\"Schneller Eintopf Nr. " + n
        + "\" loading=\"lazy\"></a><h3 class=\"teaser__title\">Schneller Eintopf Nr. " + n
        + " &ndash; mit Gemüse &amp; Speck</h3><p>Ein einfaches Rezept für jeden Tag, fertig in 30 Minuten. "
          "Mit Kartoffeln, Möhren, Lauch und einer Prise Majoran.</p><ul class=\"meta\"><li>30 Min.</li>"
          "<li>simpel</li><li>4,5 Sterne</li></ul><!-- Anzeige "
        + n + " --></div>\n";
}

QByteArray skript(int i)
{
    return "<script>window.__daten = window.__daten || []; window.__daten.push({\"id\":"
        + QByteArray::number(i)
        + ",\"typ\":\"teaser\",\"werte\":[1,2,3,4,5,6,7,8,9,10],\"text\":\"<div>kein "
          "Rezept</div>\"});</script>\n"
          "<style>.teaser--small{margin:0 4px;padding:2px}.teaser__title{font-weight:700}</style>\n";
}

QByteArray jsonLd()
{
    QByteArray zutaten;
    for (int i = 0; i < 40; ++i)
        zutaten += QByteArray(i ? "," : "") + "\"" + QByteArray::number(10 * i + 5)
            + " g Zutat <a href=\\\"/z/" + QByteArray::number(i) + "\\\">Nummer " + QByteArray::number(i)
            + "</a>\"";
    QByteArray schritte;
    for (int i = 0; i < 15; ++i)
        schritte += QByteArray(i ? "," : "") + "{\"@type\":\"HowToStep\",\"text\":\"Schritt "
            + QByteArray::number(i + 1)
            + ": alles gut verrühren, 10 Minuten ruhen lassen &amp; dann weiterarbeiten.<br>Abschmecken.\"}";
    return "<script type=\"application/ld+json\">{\"@context\":\"https://schema.org\",\"@graph\":["
           "{\"@type\":\"WebPage\",\"@id\":\"https://koch.example/#seite\"},"
           "{\"@type\":\"Person\",\"@id\":\"https://koch.example/#autor\",\"name\":\"Clara Koch\"},"
           "{\"@type\":\"Recipe\",\"name\":\"Großer "
           "Eintopf\",\"author\":{\"@id\":\"https://koch.example/#autor\"},"
           "\"datePublished\":\"2024-03-09\",\"recipeYield\":[\"6\",\"6 Portionen\"],\"recipeIngredient\":["
        + zutaten + "],\"recipeInstructions\":[" + schritte
        + "],\"keywords\":\"Eintopf, Gemüse, "
          "Winter\",\"image\":[\"https://koch.example/a.jpg\"]}]}</script>\n";
}

QByteArray microdata()
{
    QByteArray out = "<article itemscope itemtype=\"https://schema.org/Recipe\"><h1 itemprop=\"name\">Großer "
                     "Eintopf</h1><ul>";
    for (int i = 0; i < 40; ++i)
        out += "<li itemprop=\"recipeIngredient\">" + QByteArray::number(10 * i + 5)
            + " g Zutat <a href=\"/z\">Nummer " + QByteArray::number(i) + "</a></li>";
    out += "</ul><ol itemprop=\"recipeInstructions\">";
    for (int i = 0; i < 15; ++i)
        out += "<li>Schritt " + QByteArray::number(i + 1) + ": alles gut verrühren.</li>";
    return out + "</ol></article>\n";
}

QByteArray seite(const QByteArray& rezept, bool imKopf)
{
    QByteArray rumpf;
    int i = 0;
    while (rumpf.size() < 2'000'000) {
        rumpf += rauschen(i);
        if (i % 20 == 0)
            rumpf += skript(i);
        if (i == 2000 && !imKopf)
            rumpf += rezept;
        ++i;
    }
    return "<!DOCTYPE html><html lang=\"de\"><head><meta charset=\"utf-8\"><title>Großer Eintopf</title>"
        + (imKopf ? rezept : QByteArray()) + "</head><body>" + rumpf + "</body></html>";
}

double cpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Zeit {
    double wand; // wall clock
    double cpu; // this thread's processor time: what the reading costs on a machine shared with others
};

// Medians of the rounds, in milliseconds.
template <typename F> Zeit messen(int runden, F f)
{
    std::vector<double> wand, cpu;
    for (int i = 0; i < runden; ++i) {
        QElapsedTimer t;
        t.start();
        const double c = cpuMs();
        f();
        cpu.push_back(cpuMs() - c);
        wand.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(wand.begin(), wand.end());
    std::sort(cpu.begin(), cpu.end());
    return { wand[wand.size() / 2], cpu[cpu.size() / 2] };
}

}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runden = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    const QUrl basis(QStringLiteral("https://koch.example/rezepte/eintopf"));
    const QByteArray ld = seite(jsonLd(), true);
    const QByteArray md = seite(microdata(), false);

    int gefunden = 0;
    const Zeit ldZeit
        = messen(runden, [&] { gefunden += int(tk::leseWebseite(ld, {}, basis).rezepte.size()); });
    const Zeit mdZeit
        = messen(runden, [&] { gefunden += int(tk::leseWebseite(md, {}, basis).rezepte.size()); });
    const Zeit xmlZeit = messen(runden, [&] {
        xmlDoc* d = htmlReadMemory(ld.constData(), int(ld.size()), nullptr, "UTF-8",
            HTML_PARSE_RECOVER | HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING);
        xmlFreeDoc(d);
    });
    if (gefunden != 2 * runden) {
        std::printf("FEHLER: das Rezept wurde nicht in jedem Durchlauf gefunden\n");
        return 1;
    }
    std::printf("JSON-LD page (%.1f MB): %.1f ms per read, processor %.1f ms (%.2fx of the goal 100 ms)\n",
        double(ld.size()) / 1e6, ldZeit.wand, ldZeit.cpu, ldZeit.wand / 100.0);
    std::printf("microdata page (%.1f MB): %.1f ms per read, processor %.1f ms (%.2fx of the goal 100 ms)\n",
        double(md.size()) / 1e6, mdZeit.wand, mdZeit.cpu, mdZeit.wand / 100.0);
    std::printf("reference, libxml2 parse alone: %.1f ms per read, processor %.1f ms (ratio %.2f)\n",
        xmlZeit.wand, xmlZeit.cpu, ldZeit.cpu / xmlZeit.cpu);
    return 0;
}
