#include "support/Generator.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <random>
#include <vector>

#include "platform/Error.h"
#include "platform/TextLines.h"
#include "store/Formats.h"

namespace tkb {
namespace {

    // Possessives fit every dish, whatever its gender.
    const QStringList kVorsatz { "Omas", "Tante Gretes", "Brutzels", "Mamas", "Onkel Karls", "Hildes",
        "Jürgens", "Käthes", "Sörens", "Opas" };
    const QStringList kGericht { "Apfelkuchen", "Gulasch", "Kartoffelsalat", "Linseneintopf", "Zwiebelkuchen",
        "Schweinebraten", "Rinderrouladen", "Käsespätzle", "Sauerbraten", "Flammkuchen", "Hühnerfrikassee",
        "Kohlrouladen", "Pflaumenkuchen", "Erbsensuppe", "Nudelauflauf", "Rehrücken", "Forelle",
        "Matjessalat", "Kaiserschmarrn", "Bratkartoffeln", "Gemüsepfanne", "Milchreis", "Lebkuchen",
        "Königsberger Klopse", "Rotkohl", "Spargelcremesuppe", "Hähnchenbrust", "Zimtsterne", "Quarkauflauf",
        "Gurkensalat", "Risotto", "Spinatknödel", "Wildschweinbraten", "Heringsstipp", "Bienenstich",
        "Grünkohl", "Maultaschen", "Schnitzel" };
    const QStringList kZusatz { "", "", "", " mit Preiselbeeren", " nach Art des Hauses", " vom Blech",
        " mit Kräuterbutter", " mit Speck und Zwiebeln", " à la Brutzel", " mit Soße", " aus dem Ofen",
        " mit Bratkartoffeln", " für Gäste", " mit Äpfeln", " (vegetarisch)", " süß-sauer" };
    const QStringList kAutor { "Oma Hildegard", "Brutzel", "Maria Huber", "Karl Fischer", "Lena Schäfer",
        "Jäger Anton", "Jürgen Müller", "Grete Böhm", "Sören Weiß", "Käthe Groß", "Tante Ursula",
        "Özlem Yilmaz" };
    const QStringList kMenge { "für 2 Personen", "für 4 Personen", "für 6 Personen", "für 1 Blech",
        "ca. 20 Stück", "für 1 Springform (26 cm)", "ergibt 1,5 l", "für 8 Personen" };
    const QStringList kZutat { "250 g Mehl", "125 g Butter", "3 Eier", "250 ml Milch", "100 g Zucker",
        "2 Zwiebeln", "500 g Möhren", "2 EL Öl", "1 TL Salz", "1 Prise Pfeffer", "800 g Rindfleisch",
        "1 kg Schweineschulter", "2 Knoblauchzehen", "200 g Sahne", "4 säuerliche Äpfel", "1 kg Kartoffeln",
        "1 Bund Petersilie", "500 ml Gemüsebrühe", "100 g durchwachsener Speck", "1 TL Paprikapulver",
        "2 Lorbeerblätter", "500 g Magerquark", "2 EL Zitronensaft", "100 g gemahlene Mandeln",
        "1 Päckchen Backpulver", "½ TL Zimt", "1 Dose Tomaten (400 g)", "150 g geriebener Käse" };
    const QStringList kSchritt { "Alle Zutaten bereitstellen und das Gemüse putzen.",
        "Die Zwiebeln fein würfeln und in Butter glasig dünsten.",
        "Das Fleisch kräftig anbraten und mit Brühe ablöschen.",
        "Im vorgeheizten Backofen bei 180 °C etwa 40 Minuten garen.",
        "Mit Salz, Pfeffer und einer Prise Zucker abschmecken.",
        "Zugedeckt bei kleiner Hitze 1½ Stunden schmoren lassen.",
        "Mehl, Zucker und Butter rasch zu einem glatten Teig verkneten.",
        "Vor dem Servieren mit gehackter Petersilie bestreuen." };
    const QStringList kKommentar { "Schmeckt aufgewärmt am nächsten Tag noch besser.",
        "Statt Sahne geht auch Crème fraîche.", "Das Rezept stammt von Oma – bitte nicht verändern!",
        "Dazu passt ein trockener Weißwein." };
    // Own categories 15 .. 20; 18 is deleted.
    const QStringList kEigene { "1Grillen", "1Weihnachtsbäckerei", "1Vegetarisch", "0Ausprobieren",
        "1Schnelle Küche", "1Partyrezepte" };
    const std::vector<int> kKategorien { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 20 };

    // Plain POSIX calls: a hundred thousand small files are written, and QFile's extra checks add up.
    void writeRaw(const QString& path, const QByteArray& bytes)
    {
        const int fd
            = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const bool ok = fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
        if (fd >= 0 && ::close(fd) != 0)
            throw tk::Error(tk::cannotWriteMessage(path));
        if (!ok)
            throw tk::Error(tk::cannotWriteMessage(path));
    }

} // namespace

GeneratedCollection generateCollection(const QString& programDir, const GeneratorOptions& o)
{
    const QString dir = tk::rezepteDir(programDir);
    if (!QDir().mkpath(dir))
        throw tk::Error(tk::cannotWriteMessage(dir));
    std::mt19937 rng(o.seed);
    auto pick = [&](const QStringList& l) -> const QString& { return l.at(int(rng() % unsigned(l.size()))); };
    auto between = [&](int lo, int hi) { return lo + int(rng() % unsigned(hi - lo + 1)); };

    GeneratedCollection g;
    const int count = std::max(0, o.count);
    std::vector<char> deleted(size_t(count), 0);
    QStringList index;
    index.reserve(count + 1);
    index.append(QString::number(count - 1));
    for (int n = 0; n < count; ++n) {
        if (int(rng() % 100) < o.deletedPercent) {
            deleted[size_t(n)] = 1;
            ++g.deleted;
            index.append(QStringLiteral("||||"));
            continue;
        }
        ++g.live;
        QString titel = pick(kGericht) + pick(kZusatz);
        if (rng() % 4 == 0)
            titel = pick(kVorsatz) + u' ' + titel;
        QList<int> kat;
        const int k = between(1, 3);
        while (kat.size() < k) {
            const int c = kKategorien[rng() % kKategorien.size()];
            if (!kat.contains(c))
                kat.append(c);
        }
        std::sort(kat.begin(), kat.end());
        const QString datum = QStringLiteral("%1.%2.%3")
                                  .arg(between(1, 28), 2, 10, QLatin1Char('0'))
                                  .arg(between(1, 12), 2, 10, QLatin1Char('0'))
                                  .arg(between(2000, 2024));
        index.append(tk::buildEntry({ titel, pick(kAutor), tk::categoryList(kat), datum, pick(kMenge) }));

        if (o.recipeFiles) {
            QStringList zutaten;
            for (int i = between(3, 8); i > 0; --i)
                zutaten.append(pick(kZutat));
            QStringList text;
            for (int i = between(2, 5); i > 0; --i)
                text.append(pick(kSchritt));
            QStringList kommentar;
            if (rng() % 10 < 3)
                kommentar.append(pick(kKommentar));
            writeRaw(tk::recipePath(programDir, n), tk::joinLines(tk::buildRecipe(zutaten, text, kommentar)));
            ++g.recipeFiles;
        }
    }
    writeRaw(tk::indexPath(programDir), tk::joinLines(index));

    QStringList kategorien = { "Alle", "Desserts", "Gemüse", "Fleisch", "Fisch", "Wild", "Geflügel", "Suppen",
        "Salate", "Sonstiges", "Reis", "Nudeln", "Eigene", "Backwaren", "Favoriten" };
    kategorien += kEigene;
    writeRaw(tk::categoryPath(programDir), tk::joinLines(kategorien));

    // Favourites among the live recipes, spread over the whole collection.
    std::vector<int> live;
    live.reserve(size_t(g.live));
    for (int n = 0; n < count; ++n)
        if (!deleted[size_t(n)])
            live.push_back(n);
    std::shuffle(live.begin(), live.end(), rng);
    const size_t fav = std::min(live.size(), size_t(std::max(0, o.favourites)));
    const size_t zero = std::min(live.size() - fav, size_t(std::max(0, o.notFavourites)));
    std::vector<std::pair<int, char>> keys;
    for (size_t i = 0; i < fav + zero; ++i)
        keys.emplace_back(live[i], i < fav ? '1' : '0');
    std::sort(keys.begin(), keys.end());
    QStringList favoriten { QStringLiteral("[Favoriten]") };
    for (const auto& [n, v] : keys)
        favoriten.append(QString::number(n) + u'=' + QLatin1Char(v));
    writeRaw(tk::favouritesPath(programDir), tk::joinLines(favoriten));
    g.favourites = int(fav);
    return g;
}

} // namespace tkb
