// Measures the web page reader against a folder of saved recipe pages, each page SITE/NAME.testhtml
// beside NAME.json with what a careful reader gets from it (title, ingredients, instructions_list,
// yields, author, image, canonical_url). A tool, not a benchmark: the pages are not part of the project.
// Usage: webseiten_messen FOLDER [--liste | --alles | --nur-lesen] or webseiten_messen --strom PAGE (--liste:
// each page and what differs;
// --alles: everything read, for a diff between two versions of the reader)
#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "exchange/HtmlText.h"
#include "exchange/JsonLdLeser.h"
#include "exchange/Kategoriezuordnung.h"
#include "exchange/Textstrom.h"
#include "exchange/WebRezept.h"
#include "platform/Cp1252.h"

namespace {

// As the collection holds a text: characters Windows-1252 lacks in their compatibility form, a
// fraction after a whole number apart from it ("1⅓" is "1 1/3"), blanks collapsed.
QString gefaltet(const QString& s)
{
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c.category() == QChar::Other_Format)
            continue; // invisible, as the reader drops it
        if (tk::toCp1252(c) != '?' || c == u'?') {
            out += c;
            continue;
        }
        QString k = QString(c).normalized(QString::NormalizationForm_KC);
        k.replace(QChar(0x2044), u'/');
        if (k.isEmpty() || std::any_of(k.begin(), k.end(), [](QChar x) { return tk::toCp1252(x) == '?'; }))
            k = QStringLiteral("?");
        if (c.decompositionTag() == QChar::Fraction && !out.isEmpty() && out.back().isDigit())
            out += u' ';
        out += k;
    }
    return out.simplified();
}

// Letters and digits only, lower case, accents off: for "is this line anywhere in that text".
QString locker(const QString& s)
{
    const QString d = s.normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(d.size());
    for (QChar c : d)
        if (c.isLetterOrNumber())
            out += c.toLower();
    return out;
}

QStringList liste(const QJsonValue& v)
{
    QStringList out;
    if (v.isArray()) {
        for (const QJsonValue& e : v.toArray())
            if (e.isString())
                out.append(e.toString());
    } else if (v.isString() && !v.toString().isEmpty()) {
        out.append(v.toString());
    }
    return out;
}

void strings(const QJsonValue& v, QString& out, int tiefe = 0)
{
    if (tiefe > 64)
        return;
    if (v.isString()) {
        out += tk::web::einzeilig(v.toString()) + u'\n';
    } else if (v.isArray()) {
        for (const QJsonValue& e : v.toArray())
            strings(e, out, tiefe + 1);
    } else if (v.isObject()) {
        const QJsonObject o = v.toObject();
        for (auto it = o.begin(); it != o.end(); ++it)
            strings(*it, out, tiefe + 1);
    }
}

// The text of the page's schema.org data (JSON-LD strings, microdata values), loosely: what a reader
// of that data alone can find. Empty when the page carries no recipe data.
struct Daten {
    bool rezept = false;
    QString text;
};

Daten seitenDaten(const QByteArray& html)
{
    Daten d;
    const QString t = tk::webseitenText(html);
    static const QRegularExpression skript(
        QStringLiteral("<script[^>]*application/ld\\+json[^>]*>(.*?)</script>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression typ(
        QStringLiteral("\"@type\"\\s*:\\s*(\\[[^\\]]*)?\"(https?://schema\\.org/)?Recipe\""),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression item(
        QStringLiteral("itemtype=[\"']?https?://(www\\.)?schema\\.org/Recipe"),
        QRegularExpression::CaseInsensitiveOption);
    QString alles;
    for (auto it = skript.globalMatch(t); it.hasNext();) {
        const QString block = it.next().captured(1);
        if (typ.match(block).hasMatch())
            d.rezept = true;
        const QJsonDocument doc = tk::web::jsonBlock(block);
        strings(doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object()), alles);
    }
    if (item.match(t).hasMatch()) {
        d.rezept = true;
        // Microdata: the text of the whole page stands for it (the values are the elements' text).
        const tk::web::Dokument doc = tk::web::parseHtml(t.toUtf8());
        if (doc)
            for (const QString& z : tk::web::textZeilen(reinterpret_cast<xmlNode*>(doc.get())))
                alles += z + u'\n';
    }
    // Each value apart: a line is held when one value holds it.
    for (const QString& z : alles.split(u'\n'))
        d.text += locker(z) + u'\n';
    return d;
}

struct Zahlen {
    int seiten = 0, gefunden = 0, titel = 0, titelGespeichert = 0, titelLocker = 0, zutatenGenau = 0,
        schritte = 0, schritteAlle = 0, menge = 0, mengeErwartet = 0, bild = 0, autor = 0, autorErwartet = 0;
    qint64 zeilen = 0, zeilenGefunden = 0, zeilenInDaten = 0, zeilenInDatenGefunden = 0;
    int verklebt = 0;

    void zeige(const char* name) const
    {
        auto p = [&](const char* was, int n, int von) {
            std::printf("  %-38s %5.1f %%  (%d of %d)\n", was, von ? 100.0 * n / von : 0.0, n, von);
        };
        std::printf("%s: %d pages\n", name, seiten);
        p("recipe found", gefunden, seiten);
        p("title exact", titel, seiten);
        p("title exact as the collection holds it", titelGespeichert, seiten);
        p("title (case, blanks, marks aside)", titelLocker, seiten);
        p("ingredient list exact", zutatenGenau, seiten);
        std::printf("  %-38s %5.1f %%  (%lld of %lld)\n", "expected ingredient lines found",
            zeilen ? 100.0 * double(zeilenGefunden) / double(zeilen) : 0.0, zeilenGefunden, zeilen);
        std::printf("  %-38s %5.1f %%  (%lld of %lld)\n", "  of those the page's data holds",
            zeilenInDaten ? 100.0 * double(zeilenInDatenGefunden) / double(zeilenInDaten) : 0.0,
            zeilenInDatenGefunden, zeilenInDaten);
        p("steps (text the same)", schritte, seiten);
        p("steps (every expected step found)", schritteAlle, seiten);
        p("yields (same number)", menge, mengeErwartet);
        p("picture (the expected one among them)", bild, seiten);
        p("author", autor, autorErwartet);
        std::printf("  %-38s %d\n", "amounts glued (\"11/3\" for \"1 1/3\")", verklebt);
    }
};

double cpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

QString ersteZahl(const QString& s)
{
    static const QRegularExpression zahl(QStringLiteral("\\d+"));
    return zahl.match(s).captured();
}

}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "Usage: webseiten_messen FOLDER [--liste | --alles | --nur-lesen]\n");
        return 2;
    }
    if (args.size() >= 3 && args.at(1) == QLatin1String("--strom")) {
        // The pieces of text the general reading sees on one page.
        QFile f(args.at(2));
        if (!f.open(QIODevice::ReadOnly))
            return 1;
        const tk::web::Dokument d = tk::web::parseHtml(tk::webseitenText(f.readAll()).toUtf8());
        static const char* const arten[] = { "Ü", "F", "P", "A" };
        for (const tk::web::Textstueck& t : tk::web::textstrom(reinterpret_cast<xmlNode*>(d.get())))
            std::printf(
                "%s%d%s %s\n", arten[t.art], t.ebene, t.nurLink ? "L" : " ", qPrintable(t.text.left(150)));
        return 0;
    }
    const bool zeigeListe = args.contains(QStringLiteral("--liste"));
    // --nur-lesen: only the reader's work, for counting it (perf stat) apart from the comparing.
    const bool nurLesen = args.contains(QStringLiteral("--nur-lesen"));
    // --alles: every page's result in full, to compare two versions of the reader with diff.
    const bool zeigeAlles = args.contains(QStringLiteral("--alles"));
    QStringList dateien;
    for (QDirIterator it(
             args.at(1), { QStringLiteral("*.testhtml") }, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();)
        dateien.append(it.next());
    std::sort(dateien.begin(), dateien.end());

    Zahlen alle, schema;
    std::vector<double> zeiten;
    for (const QString& pfad : std::as_const(dateien)) {
        QFile h(pfad);
        QFile j(pfad.chopped(9) + QStringLiteral(".json"));
        if (!h.open(QIODevice::ReadOnly) || !j.open(QIODevice::ReadOnly))
            continue;
        const QByteArray html = h.readAll();
        const QJsonObject soll = QJsonDocument::fromJson(j.readAll()).object();
        const QUrl adresse(soll.value(QStringLiteral("canonical_url")).toString());

        // CPU time of this thread: the machine may be busy with other work.
        const double vorher = cpuMs();
        const tk::WebErgebnis e = tk::leseWebseite(html, {}, adresse);
        zeiten.push_back(cpuMs() - vorher);

        if (nurLesen)
            continue;
        if (zeigeAlles) {
            std::printf(
                "== %s\n", qPrintable(QFileInfo(pfad).dir().dirName() + u'/' + QFileInfo(pfad).fileName()));
            for (const tk::WebRezept& k : e.rezepte) {
                std::printf(
                    "T %s\nA %s\nM %s\n", qPrintable(k.titel), qPrintable(k.autor), qPrintable(k.menge));
                for (const QString& l : k.zutaten)
                    std::printf("Z %s\n", qPrintable(l));
                for (const QString& l : k.text)
                    std::printf("X %s\n", qPrintable(l));
                std::printf("K %s\n", qPrintable(k.kategorien.join(u'|')));
                QStringList nummern;
                for (int n : tk::webKategorien(k.kategorien, tk::Kategoriezuordnung(), k.titel))
                    nummern.append(tk::Kategoriezuordnung().name(n));
                std::printf("N %s\n", qPrintable(nummern.join(u',')));
                for (const QUrl& b : k.bilder)
                    std::printf("B %s\n", qPrintable(b.toString()));
            }
            for (const QString& h : e.hinweise)
                std::printf("H %s\n", qPrintable(h));
            continue;
        }
        const Daten daten = seitenDaten(html);
        const QString sollTitel = gefaltet(soll.value(QStringLiteral("title")).toString());
        const QStringList sollZutaten = liste(soll.value(QStringLiteral("ingredients")));
        const QStringList sollSchritte = liste(soll.value(QStringLiteral("instructions_list")));

        // Of several recipes, the one the expectation means.
        const tk::WebRezept* r = nullptr;
        for (const tk::WebRezept& k : e.rezepte)
            if (!r || locker(k.titel) == locker(sollTitel))
                r = &k;
        QStringList fehler;
        Zahlen z;
        z.seiten = 1;
        if (r) {
            z.gefunden = 1;
            z.titel = r->titel == sollTitel;
            // The recipe index cannot hold "|"; the reader writes "/" as every other import does.
            z.titelGespeichert = r->titel == QString(sollTitel).replace(u'|', u'/');
            z.titelLocker = locker(r->titel) == locker(sollTitel);
            if (!z.titel)
                fehler << QStringLiteral("titel [%1] soll [%2]").arg(r->titel, sollTitel);
            // Group headings are no ingredients; the expectation lists them apart.
            QStringList ist, gruppen;
            for (const QString& l : r->zutaten)
                (l.startsWith(QLatin1String("=== ")) && l.endsWith(QLatin1String(" ===")) ? gruppen : ist)
                    .append(l);
            QStringList sollGefaltet;
            for (const QString& l : sollZutaten)
                sollGefaltet.append(gefaltet(l));
            z.zutatenGenau = ist == sollGefaltet;
            for (qsizetype i = 0; !z.zutatenGenau && i < std::min(ist.size(), sollGefaltet.size()); ++i)
                if (ist.at(i) != sollGefaltet.at(i)) {
                    fehler << QStringLiteral("erste andere Zutat [%1] soll [%2]")
                                  .arg(ist.at(i), sollGefaltet.at(i));
                    break;
                }
            if (!z.zutatenGenau)
                fehler << QStringLiteral("zutaten %1 soll %2: [%3] soll [%4]")
                              .arg(ist.size())
                              .arg(sollGefaltet.size())
                              .arg(ist.join(QStringLiteral(" | ")).left(300),
                                  sollGefaltet.join(QStringLiteral(" | ")).left(300));
            QStringList istLocker;
            for (const QString& l : std::as_const(ist))
                istLocker.append(locker(l));
            for (const QString& l : sollZutaten) {
                const QString k = locker(gefaltet(l));
                const bool da = istLocker.contains(k);
                // A line in letters the collection cannot hold is held by no data it can take.
                const bool inDaten = !k.isEmpty() && daten.text.contains(k) && !gefaltet(l).contains(u'?');
                z.zeilen += 1;
                z.zeilenGefunden += da;
                z.zeilenInDaten += inDaten;
                z.zeilenInDatenGefunden += inDaten && da;
                if (inDaten && !da)
                    fehler << QStringLiteral("fehlt [%1]").arg(l);
            }
            static const QRegularExpression bruch(
                QStringLiteral("\\d[\\x{00BC}-\\x{00BE}\\x{2150}-\\x{215E}]"));
            for (const QString& l : sollZutaten)
                for (auto it = bruch.globalMatch(l); it.hasNext();) {
                    const QString m = it.next().captured();
                    const QString geklebt = m.left(1)
                        + QString(m.at(1))
                              .normalized(QString::NormalizationForm_KC)
                              .replace(QChar(0x2044), u'/');
                    if (std::any_of(
                            ist.begin(), ist.end(), [&](const QString& x) { return x.contains(geklebt); }))
                        ++z.verklebt;
                }

            // Part and step names count as lines of their own, as the expectation lists them.
            QString text;
            for (const QString& l : r->text)
                text += l;
            const QString istText = locker(text);
            const QString sollText = locker(gefaltet(sollSchritte.join(QString())));
            z.schritte = istText == sollText;
            z.schritteAlle = std::all_of(sollSchritte.begin(), sollSchritte.end(),
                [&](const QString& x) { return istText.contains(locker(gefaltet(x))); });
            if (!z.schritte) {
                qsizetype i = 0;
                while (i < istText.size() && i < sollText.size() && istText.at(i) == sollText.at(i))
                    ++i;
                fehler << QStringLiteral("schritte ab %1: [%2] soll [%3]")
                              .arg(i)
                              .arg(istText.mid(std::max<qsizetype>(0, i - 40), 120),
                                  sollText.mid(std::max<qsizetype>(0, i - 40), 120));
            }
            const QString sollMenge = soll.value(QStringLiteral("yields")).toString();
            if (!ersteZahl(sollMenge).isEmpty()) {
                z.mengeErwartet = 1;
                z.menge = ersteZahl(r->menge) == ersteZahl(sollMenge);
                if (!z.menge)
                    fehler << QStringLiteral("menge [%1] soll [%2]").arg(r->menge, sollMenge);
            }
            const QString sollBild = soll.value(QStringLiteral("image")).toString();
            z.bild = std::any_of(r->bilder.begin(), r->bilder.end(),
                [&](const QUrl& b) { return b == QUrl(sollBild) || b.toString() == sollBild; });
            if (!z.bild)
                fehler << QStringLiteral("bild [%1] soll [%2]")
                              .arg(r->bilder.isEmpty() ? QString() : r->bilder.first().toString(), sollBild);
            const QString sollAutor = gefaltet(soll.value(QStringLiteral("author")).toString());
            if (!sollAutor.isEmpty()) {
                z.autorErwartet = 1;
                z.autor = r->autor.compare(sollAutor, Qt::CaseInsensitive) == 0;
                if (!z.autor)
                    fehler << QStringLiteral("autor [%1] soll [%2]").arg(r->autor, sollAutor);
            }
        } else {
            z.zeilen = sollZutaten.size();
            for (const QString& l : sollZutaten)
                z.zeilenInDaten += !locker(l).isEmpty() && daten.text.contains(locker(l));
            z.mengeErwartet = !ersteZahl(soll.value(QStringLiteral("yields")).toString()).isEmpty();
            z.autorErwartet = !soll.value(QStringLiteral("author")).toString().isEmpty();
            fehler << QStringLiteral("kein Rezept");
        }
        for (Zahlen* s : { &alle, daten.rezept ? &schema : nullptr }) {
            if (!s)
                continue;
            s->seiten += z.seiten;
            s->gefunden += z.gefunden;
            s->titel += z.titel;
            s->titelGespeichert += z.titelGespeichert;
            s->titelLocker += z.titelLocker;
            s->zutatenGenau += z.zutatenGenau;
            s->schritte += z.schritte;
            s->schritteAlle += z.schritteAlle;
            s->menge += z.menge;
            s->mengeErwartet += z.mengeErwartet;
            s->bild += z.bild;
            s->autor += z.autor;
            s->autorErwartet += z.autorErwartet;
            s->zeilen += z.zeilen;
            s->zeilenGefunden += z.zeilenGefunden;
            s->zeilenInDaten += z.zeilenInDaten;
            s->zeilenInDatenGefunden += z.zeilenInDatenGefunden;
            s->verklebt += z.verklebt;
        }
        if (zeigeListe && r && !r->zutaten.isEmpty()) {
            QStringList gruppen;
            for (const QString& l : r->zutaten)
                if (l.startsWith(QLatin1String("=== ")))
                    gruppen.append(l);
            if (!gruppen.isEmpty())
                fehler << QStringLiteral("gruppen ") + gruppen.join(QStringLiteral(" | "));
        }
        if (zeigeListe && !fehler.isEmpty())
            std::printf("%s%s\n  %s\n",
                qPrintable(QFileInfo(pfad).dir().dirName() + u'/' + QFileInfo(pfad).fileName()),
                daten.rezept ? "" : " (ohne schema.org)", qPrintable(fehler.join(QStringLiteral("\n  "))));
    }
    schema.zeige("pages with schema.org recipe data");
    alle.zeige("all pages");
    std::sort(zeiten.begin(), zeiten.end());
    if (!zeiten.empty()) {
        double summe = 0;
        for (double t : zeiten)
            summe += t;
        std::printf("CPU time per page: median %.2f ms, mean %.2f ms, 95th percentile %.2f ms, max %.2f ms\n",
            zeiten[zeiten.size() / 2], summe / double(zeiten.size()), zeiten[zeiten.size() * 95 / 100],
            zeiten.back());
    }
    return 0;
}
