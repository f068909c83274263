#include "exchange/WebRezept.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include "exchange/RezKonvImport.h"
#include "platform/Cp1252.h"
#include "store/Formats.h"

namespace tk {

namespace {
    constexpr Qt::CaseSensitivity ci = Qt::CaseInsensitive;

    // What one page may bring; beyond this it is damage or an attack, and the rest is left out.
    constexpr int kMaxBloecke = 200; // JSON-LD blocks read
    constexpr qsizetype kMaxBlock = qsizetype(4) * 1024 * 1024; // bytes of one block
    constexpr int kMaxTiefe = 64; // nesting searched for recipes
    constexpr int kMaxRezepte = 50;
    constexpr int kMaxZutaten = 500;
    constexpr int kMaxTextzeilen = 2000;
    constexpr int kMaxNamen = 100; // categories and keywords
    constexpr qsizetype kMaxZeile = 4000; // one ingredient or text line
    constexpr qsizetype kMaxFeld = 255; // title, author, date, quantity, as the package export keeps them

    // ---- libxml2 -------------------------------------------------------------------------------

    xmlParserInputPtr keineEntitaeten(const char*, const char*, xmlParserCtxtPtr) { return nullptr; }

    struct DocFrei {
        void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
    };
    using Dokument = std::unique_ptr<xmlDoc, DocFrei>;

    // HTML as UTF-8; the document's own encoding hints are ignored, the caller has decoded it.
    Dokument parseHtml(const QByteArray& utf8)
    {
        static std::once_flag einmal;
        std::call_once(einmal, [] {
            xmlInitParser();
            // Nothing outside the page is ever loaded, whatever it declares.
            xmlSetExternalEntityLoader(keineEntitaeten);
        });
        if (utf8.isEmpty())
            return {};
        htmlParserCtxtPtr ctxt = htmlNewParserCtxt();
        if (!ctxt)
            return {};
        const int optionen = HTML_PARSE_RECOVER | HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING
            | HTML_PARSE_IGNORE_ENC | HTML_PARSE_COMPACT;
        xmlDoc* d = htmlCtxtReadMemory(ctxt, utf8.constData(), int(utf8.size()), nullptr, "UTF-8", optionen);
        htmlFreeParserCtxt(ctxt);
        return Dokument(d);
    }

    bool istElement(const xmlNode* n) { return n->type == XML_ELEMENT_NODE; }

    // The HTML parser gives element names in lower case.
    bool heisst(const xmlNode* n, const char* name)
    {
        return istElement(n) && n->name && std::strcmp(reinterpret_cast<const char*>(n->name), name) == 0;
    }

    bool hatAttribut(xmlNode* n, const char* name) { return xmlHasProp(n, BAD_CAST name) != nullptr; }

    QString attribut(xmlNode* n, const char* name)
    {
        xmlChar* v = xmlGetProp(n, BAD_CAST name);
        if (!v)
            return {};
        const QString s = QString::fromUtf8(reinterpret_cast<const char*>(v));
        xmlFree(v);
        return s;
    }

    QString inhalt(xmlNode* n)
    {
        xmlChar* v = xmlNodeGetContent(n);
        if (!v)
            return {};
        const QString s = QString::fromUtf8(reinterpret_cast<const char*>(v));
        xmlFree(v);
        return s;
    }

    // Walks the nodes below start without recursion (pages nest deeper than a stack allows).
    // enter returns whether to go into a node's children; leave runs when a node is done.
    template <typename Enter, typename Leave> void durchlaufe(xmlNode* start, Enter enter, Leave leave)
    {
        xmlNode* n = start ? start->children : nullptr;
        while (n) {
            if (enter(n) && n->children) {
                n = n->children;
                continue;
            }
            for (;;) {
                leave(n);
                if (n->next) {
                    n = n->next;
                    break;
                }
                n = n->parent;
                if (!n || n == start) {
                    n = nullptr;
                    break;
                }
            }
        }
    }

    bool unsichtbar(const xmlNode* n)
    {
        return heisst(n, "script") || heisst(n, "style") || heisst(n, "noscript") || heisst(n, "template")
            || heisst(n, "head");
    }

    bool block(const xmlNode* n)
    {
        static const char* const namen[] = { "p", "div", "li", "ul", "ol", "dl", "dt", "dd", "h1", "h2", "h3",
            "h4", "h5", "h6", "tr", "table", "section", "article", "blockquote", "pre", "header", "footer",
            "figure", "figcaption", "hr", "main", "aside", "nav", "address", "form", "fieldset" };
        if (!istElement(n))
            return false;
        return std::any_of(std::begin(namen), std::end(namen), [n](const char* b) { return heisst(n, b); });
    }

    // The visible text below a node as lines: blocks and <br> end lines, blanks collapse.
    QStringList textZeilen(xmlNode* start)
    {
        QString puffer;
        durchlaufe(
            start,
            [&](xmlNode* n) {
                if (n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) {
                    if (n->content)
                        puffer += QString::fromUtf8(reinterpret_cast<const char*>(n->content));
                    return false;
                }
                if (!istElement(n) || unsichtbar(n))
                    return false;
                if (heisst(n, "br"))
                    puffer += u'\n';
                else if (block(n))
                    puffer += u'\n';
                else if (heisst(n, "td") || heisst(n, "th"))
                    puffer += u' ';
                return true;
            },
            [&](xmlNode* n) {
                if (block(n))
                    puffer += u'\n';
            });
        QStringList out;
        for (const QString& z : puffer.split(u'\n')) {
            const QString s = z.simplified();
            if (!s.isEmpty())
                out.append(s);
        }
        return out;
    }

    // ---- text of values ---------------------------------------------------------------------------

    // A value of the page as lines of plain text: HTML in it (links, <br>, entities) goes through the
    // HTML parser, line breaks stay, blanks collapse, empty lines go.
    QStringList klartextZeilen(const QString& s)
    {
        if (s.contains(u'<') || s.contains(u'&')) {
            QString t = s;
            t.replace(u'\0', u' ');
            const Dokument d = parseHtml(t.toUtf8());
            if (d)
                return textZeilen(reinterpret_cast<xmlNode*>(d.get()));
        }
        QStringList out;
        for (const QString& z : s.split(u'\n')) {
            const QString l = z.simplified();
            if (!l.isEmpty())
                out.append(l);
        }
        return out;
    }

    QString einzeilig(const QString& s) { return klartextZeilen(s).join(u' '); }

    // ---- cutting to the collection -------------------------------------------------------------

    struct Stand {
        bool gekuerzt = false;
        bool steuerzeichen = false;
        bool ersetzt = false;
        bool bildVerweis = false;
        bool zuTief = false;
        QStringList hinweise;
    };

    // A character Windows-1252 cannot hold: its compatibility form where that fits ("⅓" -> "1/3"),
    // else "?" as the collection's text files write it.
    QString ersatz(char32_t u)
    {
        switch (u) {
        case 0x2010:
        case 0x2011:
        case 0x2012:
        case 0x2212:
            return QStringLiteral("-");
        case 0x2044:
        case 0x2215:
            return QStringLiteral("/");
        default:
            break;
        }
        QString k = QString::fromUcs4(&u, 1).normalized(QString::NormalizationForm_KC);
        k.replace(QChar(0x2044), u'/');
        if (k.isEmpty())
            return QStringLiteral("?");
        for (QChar c : std::as_const(k))
            if (c.isSurrogate() || c.unicode() < 0x20 || (toCp1252(c) == '?' && c != u'?'))
                return QStringLiteral("?");
        return k;
    }

    // One line as the collection can hold it.
    QString fuerSammlung(const QString& s, Stand& stand, qsizetype max = kMaxZeile)
    {
        QString out;
        out.reserve(s.size());
        for (qsizetype i = 0; i < s.size(); ++i) {
            char32_t u = s.at(i).unicode();
            if (QChar::isHighSurrogate(u) && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
                u = QChar::surrogateToUcs4(s.at(i).unicode(), s.at(i + 1).unicode());
                ++i;
            }
            if (u == u'\t' || u == u'\n' || u == u'\r' || u == 0x0B || u == 0x0C) {
                out += u' ';
            } else if (u < 0x20 || (u >= 0x7F && u < 0xA0)) {
                out += u' ';
                stand.steuerzeichen = true;
            } else if (QChar::category(u) == QChar::Other_Format) {
                // soft hyphens, zero-width joiners, byte order marks: invisible, nothing to keep
            } else if (u <= 0xFFFF && !QChar::isSurrogate(u)
                && (toCp1252(QChar(char16_t(u))) != '?' || u == u'?')) {
                out += QChar(char16_t(u));
            } else if (QChar::isSpace(u)) {
                out += u' ';
            } else {
                const QString e = ersatz(u);
                if (e == u"?")
                    stand.ersetzt = true;
                out += e;
            }
        }
        out = out.simplified();
        // "######KOMMENTAR######" holds the marker again after one pass.
        while (out.contains(kMarker))
            out.replace(kMarker, QStringLiteral("KOMMENTAR"));
        if (out.size() > max) {
            out.truncate(max);
            out = out.trimmed();
            stand.gekuerzt = true;
        }
        return out;
    }

    QString indexFeld(const QString& s, Stand& stand) { return noBar(fuerSammlung(s, stand, kMaxFeld)); }

    // ---- pictures --------------------------------------------------------------------------------

    // Only web addresses, or a file the browser saved beside the page (relative link of a saved page).
    QUrl bildAdresse(QString verweis, const QUrl& basis, Stand& stand)
    {
        verweis = verweis.trimmed();
        if (verweis.isEmpty() || verweis.size() > 8192)
            return {};
        if (verweis.startsWith(QLatin1String("//")))
            verweis.prepend(
                basis.scheme() == QLatin1String("http") ? QStringLiteral("http:") : QStringLiteral("https:"));
        const QUrl roh(verweis);
        if (!roh.isValid())
            return {};
        if (!roh.scheme().isEmpty()) {
            const QString schema = roh.scheme().toLower();
            if ((schema == QLatin1String("http") || schema == QLatin1String("https"))
                && !roh.host().isEmpty())
                return roh;
            // data: pictures are placeholders of lazy loading, not worth a word
            if (schema != QLatin1String("data"))
                stand.bildVerweis = true;
            return {};
        }
        if (!basis.isValid())
            return {};
        const QUrl url = basis.resolved(roh);
        const QString schema = url.scheme().toLower();
        if (schema == QLatin1String("http") || schema == QLatin1String("https"))
            return url.host().isEmpty() ? QUrl() : url;
        if (!basis.isLocalFile() || !url.isLocalFile()) {
            stand.bildVerweis = true;
            return {};
        }
        // Beside the saved page or in a folder below it, nowhere else.
        const QString ordner = QDir::cleanPath(QFileInfo(basis.toLocalFile()).absolutePath());
        const QString pfad = QDir::cleanPath(url.toLocalFile());
        if (!pfad.startsWith(ordner + u'/')) {
            stand.bildVerweis = true;
            return {};
        }
        return QUrl::fromLocalFile(pfad);
    }

    void bildDazu(QList<QUrl>& bilder, const QUrl& url)
    {
        if (url.isValid() && !bilder.contains(url) && bilder.size() < 10)
            bilder.append(url);
    }

    // ---- shared by both readers --------------------------------------------------------------------

    // The preparation text: blank lines between the steps, a part's name as a heading line above its own.
    class Textbau {
    public:
        explicit Textbau(Stand& stand)
            : stand(stand)
        {
        }

        bool voll()
        {
            if (zeilen.size() < kMaxTextzeilen)
                return false;
            stand.gekuerzt = true;
            return true;
        }

        void absatz(const QString& zeile)
        {
            if (voll())
                return;
            if (!zeilen.isEmpty() && !nachUeberschrift)
                zeilen.append(QString());
            zeilen.append(zeile);
            nachUeberschrift = false;
        }

        void ueberschrift(const QString& name)
        {
            if (name.isEmpty() || voll())
                return;
            if (!zeilen.isEmpty())
                zeilen.append(QString());
            zeilen.append(QStringLiteral("=== ") + name + QStringLiteral(" ==="));
            nachUeberschrift = true;
        }

        QStringList zeilen;

    private:
        Stand& stand;
        bool nachUeberschrift = false;
    };

    // A date as the collection shows it (dd.MM.yyyy), from an ISO date or time or that form already.
    QString datumAus(const QString& roh)
    {
        const QString s = roh.trimmed().left(10);
        QDate d = QDate::fromString(s, Qt::ISODate);
        if (!d.isValid())
            d = QDate::fromString(s, QStringLiteral("dd.MM.yyyy"));
        return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
    }

    // A quantity; a bare number counts servings.
    QString mengeAus(const QString& w)
    {
        bool zahl = false;
        const int n = w.trimmed().toInt(&zahl);
        if (!zahl)
            return w;
        return n == 1 ? QStringLiteral("1 Portion") : QStringLiteral("%1 Portionen").arg(n);
    }

    // Category names, each once; keywords come as one text separated by commas.
    void namenDazu(QStringList& out, const QString& s, bool kommaListe)
    {
        const QStringList teile
            = kommaListe ? s.split(QRegularExpression(QStringLiteral("[,;]"))) : QStringList { s };
        for (const QString& t : teile) {
            const QString n = t.simplified();
            if (!n.isEmpty() && !out.contains(n, ci) && out.size() < kMaxNamen)
                out.append(n);
        }
    }

    // ---- JSON-LD ---------------------------------------------------------------------------------

    bool istTyp(const QString& t, QLatin1String typ)
    {
        QStringView v(t);
        for (const char* vorn : { "http://schema.org/", "https://schema.org/", "http://www.schema.org/",
                 "https://www.schema.org/", "schema:" })
            if (v.startsWith(QLatin1String(vorn), ci)) {
                v = v.mid(qsizetype(qstrlen(vorn)));
                break;
            }
        return v.trimmed().compare(typ, ci) == 0;
    }

    bool hatTyp(const QJsonObject& o, QLatin1String typ)
    {
        const QJsonValue t = o.value(QLatin1String("@type"));
        if (t.isString())
            return istTyp(t.toString(), typ);
        if (t.isArray()) {
            const QJsonArray a = t.toArray();
            return std::any_of(
                a.begin(), a.end(), [typ](const QJsonValue& e) { return istTyp(e.toString(), typ); });
        }
        return false;
    }

    class JsonLeser {
    public:
        JsonLeser(const QUrl& basis, Stand& stand)
            : basis(basis)
            , stand(stand)
        {
        }

        // Every recipe object of a block, at any depth (@graph, arrays, mainEntity, ...).
        void sammle(const QJsonValue& v, int tiefe)
        {
            if (tiefe > kMaxTiefe) {
                stand.zuTief = true;
                return;
            }
            if (v.isArray()) {
                const QJsonArray a = v.toArray();
                for (const QJsonValue& e : a)
                    sammle(e, tiefe + 1);
                return;
            }
            if (!v.isObject())
                return;
            const QJsonObject o = v.toObject();
            const QJsonValue id = o.value(QLatin1String("@id"));
            if (id.isString() && o.size() > 1 && !ids.contains(id.toString()))
                ids.insert(id.toString(), o);
            if (hatTyp(o, QLatin1String("Recipe"))) {
                funde.append(o);
                return;
            }
            for (auto it = o.begin(); it != o.end(); ++it)
                if (it->isObject() || it->isArray())
                    sammle(*it, tiefe + 1);
        }

        WebRezept rezept(const QJsonObject& o)
        {
            WebRezept r;
            r.titel = text(o.value(QLatin1String("name")));
            if (r.titel.isEmpty())
                r.titel = text(o.value(QLatin1String("headline")));
            QJsonValue zutaten = o.value(QLatin1String("recipeIngredient"));
            if (zutaten.isUndefined() || zutaten.isNull())
                zutaten = o.value(QLatin1String("ingredients"));
            zeilen(zutaten, r.zutaten, 0);
            Textbau t(stand);
            schritte(o.value(QLatin1String("recipeInstructions")), t, 0);
            r.text = t.zeilen;
            r.autor = namen(o.value(QLatin1String("author")), 0).join(QStringLiteral(", "));
            r.datum = datum(o);
            r.menge = menge(o.value(QLatin1String("recipeYield")));
            if (r.menge.isEmpty())
                r.menge = menge(o.value(QLatin1String("yield")));
            for (const char* feld : { "recipeCategory", "recipeCuisine" })
                kategorien(o.value(QLatin1String(feld)), r.kategorien, false, 0);
            kategorien(o.value(QLatin1String("keywords")), r.kategorien, true, 0);
            bilder(o.value(QLatin1String("image")), r.bilder);
            return r;
        }

        QList<QJsonObject> funde;

    private:
        const QUrl& basis;
        Stand& stand;
        QHash<QString, QJsonObject> ids;

        // {"@id": "..."} stands for the object of that id elsewhere on the page.
        QJsonValue aufgeloest(const QJsonValue& v) const
        {
            if (!v.isObject())
                return v;
            const QJsonObject o = v.toObject();
            const QJsonValue id = o.value(QLatin1String("@id"));
            if (id.isString() && o.size() == 1) {
                const auto it = ids.constFind(id.toString());
                if (it != ids.cend())
                    return *it;
            }
            return v;
        }

        static QString skalar(const QJsonValue& v)
        {
            if (v.isString())
                return v.toString();
            if (v.isDouble()) {
                const double d = v.toDouble();
                return d == double(qint64(d)) && std::abs(d) < 1e15 ? QString::number(qint64(d))
                                                                    : QString::number(d);
            }
            return {};
        }

        // A field of one line: a string, a number, or an object's name / @value.
        QString text(const QJsonValue& roh) const
        {
            const QJsonValue v = aufgeloest(roh);
            if (v.isObject()) {
                const QJsonObject o = v.toObject();
                for (const char* k : { "name", "@value", "text" })
                    if (o.contains(QLatin1String(k)))
                        return einzeilig(skalar(o.value(QLatin1String(k))));
                return {};
            }
            if (v.isArray()) {
                const QJsonArray a = v.toArray();
                return a.isEmpty() ? QString() : text(a.first());
            }
            return einzeilig(skalar(v));
        }

        // Ingredients: one per entry of a list, where a line break is only layout; a single string
        // stands for the whole list, one ingredient per line.
        void zeilen(const QJsonValue& roh, QStringList& out, int tiefe)
        {
            if (tiefe > 8)
                return;
            const QJsonValue v = aufgeloest(roh);
            if (v.isArray()) {
                const QJsonArray a = v.toArray();
                for (const QJsonValue& e : a) {
                    if (out.size() >= kMaxZutaten) {
                        stand.gekuerzt = true;
                        return;
                    }
                    const QJsonValue w = aufgeloest(e);
                    if (w.isArray()) {
                        zeilen(w, out, tiefe + 1);
                        continue;
                    }
                    const QString z = w.isObject() ? text(w) : einzeilig(skalar(w));
                    if (!z.isEmpty())
                        out.append(z);
                }
                return;
            }
            const QString s = v.isObject() ? text(v) : skalar(v);
            for (const QString& z : klartextZeilen(s)) {
                if (out.size() >= kMaxZutaten) {
                    stand.gekuerzt = true;
                    return;
                }
                out.append(z);
            }
        }

        // recipeInstructions: a string, strings, HowToStep objects (text, else name) and HowToSections
        // whose name heads their steps.
        void schritte(const QJsonValue& roh, Textbau& t, int tiefe)
        {
            if (tiefe > 16 || t.voll())
                return;
            const QJsonValue v = aufgeloest(roh);
            if (v.isArray()) {
                const QJsonArray a = v.toArray();
                for (const QJsonValue& e : a) {
                    if (t.voll())
                        return;
                    schritte(e, t, tiefe + 1);
                }
                return;
            }
            if (v.isObject()) {
                const QJsonObject o = v.toObject();
                const QJsonValue teile = o.value(QLatin1String("itemListElement"));
                const QJsonValue txt = o.value(QLatin1String("text"));
                if (hatTyp(o, QLatin1String("HowToSection")) || (!teile.isUndefined() && !txt.isString())) {
                    t.ueberschrift(text(o.value(QLatin1String("name"))));
                    schritte(teile, t, tiefe + 1);
                    return;
                }
                const QString s
                    = skalar(txt).trimmed().isEmpty() ? skalar(o.value(QLatin1String("name"))) : skalar(txt);
                for (const QString& z : klartextZeilen(s))
                    t.absatz(z);
                return;
            }
            for (const QString& z : klartextZeilen(skalar(v)))
                t.absatz(z);
        }

        // Authors: a string, a Person or Organization, or several of them.
        QStringList namen(const QJsonValue& roh, int tiefe) const
        {
            if (tiefe > 4)
                return {};
            const QJsonValue v = aufgeloest(roh);
            QStringList out;
            if (v.isArray()) {
                const QJsonArray a = v.toArray();
                for (const QJsonValue& e : a)
                    for (const QString& n : namen(e, tiefe + 1))
                        if (!n.isEmpty() && !out.contains(n) && out.size() < 10)
                            out.append(n);
                return out;
            }
            const QString n = text(v);
            if (!n.isEmpty())
                out.append(n);
            return out;
        }

        static QString datum(const QJsonObject& o)
        {
            for (const char* feld : { "datePublished", "dateCreated" })
                if (const QString d = datumAus(skalar(o.value(QLatin1String(feld)))); !d.isEmpty())
                    return d;
            return {};
        }

        // recipeYield as text; a bare number counts servings. Of several, the first one with words.
        QString menge(const QJsonValue& roh) const
        {
            const QJsonValue v = aufgeloest(roh);
            QStringList werte;
            if (v.isArray()) {
                const QJsonArray a = v.toArray();
                for (const QJsonValue& e : a)
                    werte.append(text(e));
            } else {
                werte.append(text(v));
            }
            werte.removeAll(QString());
            if (werte.isEmpty())
                return {};
            for (const QString& w : std::as_const(werte))
                if (std::any_of(w.begin(), w.end(), [](QChar c) { return c.isLetter(); }))
                    return w;
            return mengeAus(werte.first());
        }

        void kategorien(const QJsonValue& roh, QStringList& out, bool kommaListe, int tiefe) const
        {
            if (tiefe > 4)
                return;
            const QJsonValue v = aufgeloest(roh);
            if (v.isArray()) {
                const QJsonArray a = v.toArray();
                for (const QJsonValue& e : a)
                    kategorien(e, out, kommaListe, tiefe + 1);
                return;
            }
            namenDazu(out, text(v), kommaListe);
        }

        // image: an address, an ImageObject (url or contentUrl) or several; the largest first where the
        // page gives sizes, else in the page's order.
        void bilder(const QJsonValue& roh, QList<QUrl>& out)
        {
            struct Kandidat {
                QUrl url;
                qint64 flaeche;
            };
            QList<Kandidat> k;
            auto eins = [&](const QJsonValue& e) {
                const QJsonValue w = aufgeloest(e);
                if (w.isString()) {
                    k.append({ bildAdresse(w.toString(), basis, stand), 0 });
                } else if (w.isObject()) {
                    const QJsonObject o = w.toObject();
                    QString url = skalar(o.value(QLatin1String("url")));
                    if (url.isEmpty())
                        url = skalar(o.value(QLatin1String("contentUrl")));
                    const qint64 b
                        = skalar(o.value(QLatin1String("width"))).remove(QLatin1String("px")).toLongLong();
                    const qint64 h
                        = skalar(o.value(QLatin1String("height"))).remove(QLatin1String("px")).toLongLong();
                    k.append({ bildAdresse(url, basis, stand),
                        b > 0 && h > 0 && b < 100000 && h < 100000 ? b * h : 0 });
                }
            };
            const QJsonValue v = aufgeloest(roh);
            if (v.isArray()) {
                const QJsonArray a = v.toArray();
                for (qsizetype i = 0; i < a.size() && i < 20; ++i)
                    eins(a.at(i));
            } else {
                eins(v);
            }
            std::stable_sort(k.begin(), k.end(),
                [](const Kandidat& a, const Kandidat& b) { return a.flaeche > b.flaeche; });
            for (const Kandidat& c : std::as_const(k))
                bildDazu(out, c.url);
        }
    };

    // Blocks often come wrapped in comments or CDATA, or with line breaks inside strings.
    QJsonDocument jsonBlock(QString s)
    {
        s = s.trimmed();
        for (const char* vorn : { "<!--", "//<![CDATA[", "<![CDATA[" })
            if (s.startsWith(QLatin1String(vorn)))
                s = s.mid(qsizetype(qstrlen(vorn))).trimmed();
        for (const char* hinten : { "-->", "//]]>", "]]>" })
            if (s.endsWith(QLatin1String(hinten)))
                s.chop(qsizetype(qstrlen(hinten)));
        while (s.endsWith(u';') || s.endsWith(u' ') || s.endsWith(u'\n'))
            s.chop(1);
        QJsonParseError fehler;
        QJsonDocument d = QJsonDocument::fromJson(s.toUtf8(), &fehler);
        if (fehler.error == QJsonParseError::NoError)
            return d;
        // Raw line breaks and tabs inside strings are invalid JSON, but browsers' sites carry them.
        bool anders = false;
        for (QChar& c : s)
            if (c.unicode() < 0x20) {
                c = u' ';
                anders = true;
            }
        if (!anders)
            return {};
        d = QJsonDocument::fromJson(s.toUtf8(), &fehler);
        return fehler.error == QJsonParseError::NoError ? d : QJsonDocument();
    }

    // ---- microdata -------------------------------------------------------------------------------

    bool istRezeptTyp(const QString& itemtype)
    {
        for (const QString& t : itemtype.split(u' ', Qt::SkipEmptyParts))
            if (t.contains(QLatin1String("schema.org"), ci) && t.endsWith(QLatin1String("/Recipe"), ci))
                return true;
        return false;
    }

    struct Eigenschaft {
        QString name;
        xmlNode* knoten;
    };

    // The itemprops of an item; a nested item is one value and its own properties stay inside it.
    QList<Eigenschaft> eigenschaften(xmlNode* item)
    {
        QList<Eigenschaft> out;
        durchlaufe(
            item,
            [&](xmlNode* n) {
                if (!istElement(n) || heisst(n, "script") || heisst(n, "style"))
                    return false;
                const QString props = attribut(n, "itemprop");
                for (const QString& p : props.split(u' ', Qt::SkipEmptyParts))
                    if (out.size() < 5000)
                        out.append({ p, n });
                return !hatAttribut(n, "itemscope");
            },
            [](xmlNode*) {});
        return out;
    }

    // The value of a property that is no item, by the rules of microdata.
    QStringList wertZeilen(xmlNode* n)
    {
        if (heisst(n, "meta"))
            return klartextZeilen(attribut(n, "content"));
        if (heisst(n, "img") || heisst(n, "source") || heisst(n, "video") || heisst(n, "audio")
            || heisst(n, "embed") || heisst(n, "iframe") || heisst(n, "track")) {
            QString src = attribut(n, "src");
            // Pages that load pictures late put the real address aside.
            if (src.isEmpty() || src.startsWith(QLatin1String("data:"), ci))
                src = attribut(n, "data-src");
            return { src.trimmed() };
        }
        if (heisst(n, "a") || heisst(n, "area") || heisst(n, "link"))
            return { attribut(n, "href").trimmed() };
        if (heisst(n, "object"))
            return { attribut(n, "data").trimmed() };
        if (heisst(n, "data") || heisst(n, "meter"))
            return { attribut(n, "value").trimmed() };
        if (heisst(n, "time") && hatAttribut(n, "datetime"))
            return { attribut(n, "datetime").trimmed() };
        if (hatAttribut(n, "content"))
            return klartextZeilen(attribut(n, "content"));
        return textZeilen(n);
    }

    QString erster(const QList<Eigenschaft>& e, const char* name)
    {
        for (const Eigenschaft& p : e)
            if (p.name.compare(QLatin1String(name), ci) == 0 && !hatAttribut(p.knoten, "itemscope"))
                return wertZeilen(p.knoten).join(u' ');
        return {};
    }

    class MicrodataLeser {
    public:
        MicrodataLeser(const QUrl& basis, Stand& stand)
            : basis(basis)
            , stand(stand)
        {
        }

        WebRezept rezept(xmlNode* item)
        {
            WebRezept r;
            const QList<Eigenschaft> e = eigenschaften(item);
            Textbau text(stand);
            for (const Eigenschaft& p : e) {
                const QString& name = p.name;
                const bool unterItem = hatAttribut(p.knoten, "itemscope");
                auto ist = [&](const char* n) { return name.compare(QLatin1String(n), ci) == 0; };
                if (ist("name") && r.titel.isEmpty() && !unterItem) {
                    r.titel = wertZeilen(p.knoten).join(u' ');
                } else if (ist("recipeIngredient") || ist("ingredients")) {
                    for (const QString& z : unterItem
                            ? QStringList { erster(eigenschaften(p.knoten), "name") }
                            : wertZeilen(p.knoten))
                        if (!z.isEmpty()) {
                            if (r.zutaten.size() >= kMaxZutaten) {
                                stand.gekuerzt = true;
                                break;
                            }
                            r.zutaten.append(z);
                        }
                } else if (ist("recipeInstructions")) {
                    schritte(p.knoten, unterItem, text, 0);
                } else if (ist("author")) {
                    const QString a = unterItem ? erster(eigenschaften(p.knoten), "name")
                                                : wertZeilen(p.knoten).join(u' ');
                    if (!a.isEmpty() && !r.autor.contains(a))
                        r.autor = r.autor.isEmpty() ? a : r.autor + QStringLiteral(", ") + a;
                } else if ((ist("datePublished") || ist("dateCreated")) && r.datum.isEmpty() && !unterItem) {
                    r.datum = datumAus(wertZeilen(p.knoten).join(u' '));
                } else if (ist("recipeYield") && r.menge.isEmpty() && !unterItem) {
                    r.menge = mengeAus(wertZeilen(p.knoten).join(u' '));
                } else if ((ist("recipeCategory") || ist("recipeCuisine") || ist("keywords")) && !unterItem) {
                    namenDazu(r.kategorien, wertZeilen(p.knoten).join(u' '), ist("keywords"));
                } else if (ist("image")) {
                    QString url;
                    if (unterItem) {
                        const QList<Eigenschaft> b = eigenschaften(p.knoten);
                        url = erster(b, "url");
                        if (url.isEmpty())
                            url = erster(b, "contentUrl");
                    } else {
                        url = wertZeilen(p.knoten).join(QString());
                    }
                    bildDazu(r.bilder, bildAdresse(url, basis, stand));
                }
            }
            r.text = text.zeilen;
            return r;
        }

    private:
        const QUrl& basis;
        Stand& stand;

        // An element's lines are steps; a HowToSection item heads its own steps.
        void schritte(xmlNode* n, bool unterItem, Textbau& text, int tiefe)
        {
            if (tiefe > 8)
                return;
            if (!unterItem) {
                for (const QString& z : wertZeilen(n))
                    text.absatz(z);
                return;
            }
            const QList<Eigenschaft> e = eigenschaften(n);
            if (istTypName(attribut(n, "itemtype"), "HowToSection")) {
                text.ueberschrift(erster(e, "name"));
                for (const Eigenschaft& p : e)
                    if (p.name.compare(QLatin1String("itemListElement"), ci) == 0)
                        schritte(p.knoten, hatAttribut(p.knoten, "itemscope"), text, tiefe + 1);
                return;
            }
            QString s = erster(e, "text");
            if (s.isEmpty())
                s = erster(e, "name");
            for (const QString& z : s.isEmpty() ? textZeilen(n) : QStringList { s })
                text.absatz(z);
        }

        static bool istTypName(const QString& itemtype, const char* name)
        {
            for (const QString& t : itemtype.split(u' ', Qt::SkipEmptyParts))
                if (t.endsWith(u'/' + QLatin1String(name), ci))
                    return true;
            return false;
        }
    };

    // ---- the whole page ----------------------------------------------------------------------------

    QString charsetAus(const QString& text)
    {
        const qsizetype i = text.indexOf(QLatin1String("charset"), 0, ci);
        if (i < 0)
            return {};
        qsizetype p = i + 7;
        while (p < text.size() && text.at(p).isSpace())
            ++p;
        if (p >= text.size() || text.at(p) != u'=')
            return {};
        ++p;
        while (p < text.size() && (text.at(p).isSpace() || text.at(p) == u'"' || text.at(p) == u'\''))
            ++p;
        qsizetype e = p;
        while (e < text.size()
            && (text.at(e).isLetterOrNumber() || text.at(e) == u'-' || text.at(e) == u'_'
                || text.at(e) == u':' || text.at(e) == u'.'))
            ++e;
        return text.mid(p, e - p).toLower();
    }

    // The <meta charset> of the page's first bytes, the way browsers look before they parse.
    QString metaCharset(const QByteArray& html)
    {
        const QString anfang = QString::fromLatin1(html.left(4096));
        qsizetype p = 0;
        while ((p = anfang.indexOf(QLatin1String("<meta"), p, ci)) >= 0) {
            const qsizetype ende = anfang.indexOf(u'>', p);
            const QString tag = anfang.mid(p, ende < 0 ? -1 : ende - p);
            const QString c = charsetAus(tag);
            if (!c.isEmpty())
                // A page cannot announce UTF-16 in bytes it could read as ASCII.
                return c.startsWith(QLatin1String("utf-16")) ? QStringLiteral("utf-8") : c;
            if (ende < 0)
                break;
            p = ende;
        }
        return {};
    }

    bool istCp1252(const QString& c)
    {
        static const char* const namen[] = { "windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1",
            "latin1", "latin-1", "l1", "us-ascii", "ascii", "iso_8859-1" };
        return std::any_of(
            std::begin(namen), std::end(namen), [&](const char* n) { return c == QLatin1String(n); });
    }

    QString utf8OderCp1252(const QByteArray& bytes)
    {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString t = utf8(bytes);
        return utf8.hasError() ? fromCp1252(bytes) : t;
    }
}

namespace {
    struct Kodierung {
        enum Art { Utf8, Cp1252, Utf16LE, Utf16BE, Andere } art = Utf8;
        qsizetype bom = 0;
        QByteArray name; // of another character set
    };

    // Byte order mark, then the header's charset, then the page's own; none means UTF-8.
    Kodierung kodierung(const QByteArray& html, const QString& contentType)
    {
        if (html.startsWith("\xEF\xBB\xBF"))
            return { Kodierung::Utf8, 3, {} };
        if (html.startsWith("\xFF\xFE"))
            return { Kodierung::Utf16LE, 2, {} };
        if (html.startsWith("\xFE\xFF"))
            return { Kodierung::Utf16BE, 2, {} };
        QString charset = charsetAus(contentType);
        if (charset.isEmpty())
            charset = metaCharset(html);
        if (charset.isEmpty() || charset == QLatin1String("utf-8") || charset == QLatin1String("utf8"))
            return {};
        if (istCp1252(charset))
            return { Kodierung::Cp1252, 0, {} };
        return { Kodierung::Andere, 0, charset.toLatin1() };
    }

    bool gueltigesUtf8(const QByteArray& b, qsizetype ab)
    {
        const auto* p = reinterpret_cast<const unsigned char*>(b.constData()) + ab;
        const auto* ende = reinterpret_cast<const unsigned char*>(b.constData()) + b.size();
        while (p < ende) {
            const unsigned char c = *p;
            if (c < 0x80) {
                ++p;
                continue;
            }
            int folge;
            char32_t u;
            if (c >= 0xC2 && c <= 0xDF) {
                folge = 1;
                u = c & 0x1F;
            } else if (c >= 0xE0 && c <= 0xEF) {
                folge = 2;
                u = c & 0x0F;
            } else if (c >= 0xF0 && c <= 0xF4) {
                folge = 3;
                u = c & 0x07;
            } else {
                return false;
            }
            if (ende - p <= folge)
                return false;
            for (int i = 1; i <= folge; ++i) {
                if ((p[i] & 0xC0) != 0x80)
                    return false;
                u = (u << 6) | (p[i] & 0x3F);
            }
            // overlong forms, surrogates and code points beyond Unicode
            if ((folge == 2 && u < 0x800) || (folge == 3 && u < 0x10000) || (u >= 0xD800 && u <= 0xDFFF)
                || u > 0x10FFFF)
                return false;
            p += folge + 1;
        }
        return true;
    }

    // The page as UTF-8 for the parser; most pages are that already and go through untouched.
    QByteArray alsUtf8(const QByteArray& html, const QString& contentType)
    {
        const Kodierung k = kodierung(html, contentType);
        if (k.art == Kodierung::Utf8 && gueltigesUtf8(html, k.bom)) {
            QByteArray out = html.mid(k.bom);
            out.replace('\0', ' ');
            return out;
        }
        QString text = webseitenText(html, contentType);
        text.replace(u'\0', u' ');
        return text.toUtf8();
    }
}

QString webseitenText(const QByteArray& html, const QString& contentType)
{
    const Kodierung k = kodierung(html, contentType);
    const QByteArray rest = html.mid(k.bom);
    switch (k.art) {
    case Kodierung::Utf8:
        return utf8OderCp1252(rest);
    case Kodierung::Cp1252:
        return fromCp1252(rest);
    case Kodierung::Utf16LE:
        return QStringDecoder(QStringDecoder::Utf16LE)(rest);
    case Kodierung::Utf16BE:
        return QStringDecoder(QStringDecoder::Utf16BE)(rest);
    case Kodierung::Andere:
        break;
    }
    QStringDecoder anderer(k.name.constData());
    if (anderer.isValid()) {
        const QString t = anderer(rest);
        if (!anderer.hasError())
            return t;
    }
    return utf8OderCp1252(rest);
}

WebErgebnis leseWebseite(const QByteArray& html, const QString& contentType, const QUrl& basis)
{
    WebErgebnis ergebnis;
    Stand stand;
    if (html.size() > kMaxWebseite)
        ergebnis.hinweise.append(
            QStringLiteral("Die Seite ist größer als 10 MB; nur der Anfang wurde gelesen."));
    const Dokument doc = parseHtml(alsUtf8(html.left(kMaxWebseite), contentType));
    if (!doc)
        return ergebnis;

    QStringList bloecke;
    int bloeckeGesamt = 0;
    bool zuGross = false;
    QList<xmlNode*> items;
    QString seitenTitel;
    QString ogBild;
    QString eigeneAdresse;
    durchlaufe(
        reinterpret_cast<xmlNode*>(doc.get()),
        [&](xmlNode* n) {
            if (!istElement(n))
                return false;
            if (heisst(n, "script")) {
                if (attribut(n, "type").trimmed().startsWith(QLatin1String("application/ld+json"), ci)) {
                    if (++bloeckeGesamt <= kMaxBloecke) {
                        QString s = inhalt(n);
                        if (s.size() > kMaxBlock)
                            zuGross = true;
                        else
                            bloecke.append(std::move(s));
                    }
                }
                return false;
            }
            if (heisst(n, "style"))
                return false;
            if (heisst(n, "title") && seitenTitel.isEmpty())
                seitenTitel = einzeilig(inhalt(n));
            else if (heisst(n, "meta") && ogBild.isEmpty()
                && attribut(n, "property").compare(QLatin1String("og:image"), ci) == 0)
                ogBild = attribut(n, "content");
            else if (heisst(n, "meta") && eigeneAdresse.isEmpty()
                && attribut(n, "property").compare(QLatin1String("og:url"), ci) == 0)
                eigeneAdresse = attribut(n, "content");
            else if (heisst(n, "link") && attribut(n, "rel").compare(QLatin1String("canonical"), ci) == 0)
                eigeneAdresse = attribut(n, "href");
            if (hatAttribut(n, "itemscope") && items.size() < kMaxRezepte
                && istRezeptTyp(attribut(n, "itemtype")))
                items.append(n);
            return true;
        },
        [](xmlNode*) {});

    QList<WebRezept> roh;
    JsonLeser json(basis, stand);
    for (const QString& b : std::as_const(bloecke)) {
        const QJsonDocument d = jsonBlock(b);
        if (d.isObject())
            json.sammle(d.object(), 0);
        else if (d.isArray())
            json.sammle(d.array(), 0);
    }
    for (const QJsonObject& o : std::as_const(json.funde)) {
        if (roh.size() >= kMaxRezepte)
            break;
        roh.append(json.rezept(o));
    }
    if (roh.isEmpty()) {
        MicrodataLeser md(basis, stand);
        for (xmlNode* item : std::as_const(items))
            roh.append(md.rezept(item));
    }
    const qsizetype gefunden = std::max(json.funde.size(), items.size());

    // Cut to the collection; the same recipe twice on a page (two blocks, or block and microdata) once.
    QSet<QString> gesehen;
    for (WebRezept& r : roh) {
        if (r.titel.isEmpty() && r.zutaten.isEmpty() && r.text.isEmpty())
            continue;
        if (r.titel.isEmpty())
            r.titel = seitenTitel;
        WebRezept s;
        s.titel = indexFeld(r.titel, stand);
        s.autor = indexFeld(r.autor, stand);
        s.datum = indexFeld(r.datum, stand);
        s.menge = indexFeld(r.menge, stand);
        for (const QString& z : std::as_const(r.zutaten)) {
            const QString l = fuerSammlung(z, stand);
            if (!l.isEmpty())
                s.zutaten.append(l);
        }
        for (const QString& z : std::as_const(r.text))
            s.text.append(fuerSammlung(z, stand));
        while (!s.text.isEmpty() && s.text.constLast().isEmpty())
            s.text.removeLast();
        for (const QString& k : std::as_const(r.kategorien)) {
            const QString l = fuerSammlung(k, stand, kMaxFeld);
            if (!l.isEmpty())
                s.kategorien.append(l);
        }
        s.bilder = r.bilder;
        const QString schluessel = s.titel + u'\n' + s.zutaten.join(u'\n');
        if (gesehen.contains(schluessel))
            continue;
        gesehen.insert(schluessel);
        ergebnis.rezepte.append(std::move(s));
    }
    if (ergebnis.rezepte.size() == 1 && ergebnis.rezepte.first().bilder.isEmpty() && !ogBild.isEmpty())
        bildDazu(ergebnis.rezepte.first().bilder, bildAdresse(ogBild, basis, stand));

    if (const QUrl a = webAdresse(eigeneAdresse); a.isValid() && eigeneAdresse.contains(QLatin1String("://")))
        ergebnis.adresse = a;

    if (bloeckeGesamt > kMaxBloecke)
        ergebnis.hinweise.append(
            QStringLiteral("Die Seite enthält %1 Datenblöcke; nur die ersten %2 wurden gelesen.")
                .arg(bloeckeGesamt)
                .arg(kMaxBloecke));
    if (zuGross)
        ergebnis.hinweise.append(
            QStringLiteral("Ein Datenblock der Seite ist größer als 4 MB und wurde übergangen."));
    if (stand.zuTief)
        ergebnis.hinweise.append(QStringLiteral("Zu tief verschachtelte Daten der Seite wurden übergangen."));
    if (gefunden > kMaxRezepte)
        ergebnis.hinweise.append(
            QStringLiteral("Die Seite enthält mehr als %1 Rezepte; nur die ersten %1 werden angeboten.")
                .arg(kMaxRezepte));
    if (stand.gekuerzt)
        ergebnis.hinweise.append(QStringLiteral("Sehr lange Angaben der Seite wurden gekürzt."));
    if (stand.steuerzeichen)
        ergebnis.hinweise.append(
            QStringLiteral("Steuerzeichen im Text der Seite wurden durch Leerzeichen ersetzt."));
    if (stand.ersetzt)
        ergebnis.hinweise.append(QStringLiteral(
            "Zeichen, die die Rezeptsammlung nicht speichern kann, wurden durch \"?\" ersetzt."));
    if (stand.bildVerweis)
        ergebnis.hinweise.append(
            QStringLiteral("Ein Bildverweis der Seite wurde übergangen: Bilder werden nur über http- und "
                           "https-Adressen geladen."));
    return ergebnis;
}

QUrl webAdresse(const QString& text)
{
    QString s = text.trimmed();
    if (s.isEmpty() || s.size() > 8192
        || std::any_of(s.begin(), s.end(), [](QChar c) { return c.isSpace(); }))
        return {};
    if (!s.contains(QLatin1String("://"))) {
        // "www.example.de/rezept": what people copy from the address bar without the scheme.
        const qsizetype ende = s.indexOf(u'/');
        const QString host = s.left(ende < 0 ? s.size() : ende);
        if (!host.contains(u'.') || host.contains(u':') || host.startsWith(u'.'))
            return {};
        s.prepend(QStringLiteral("https://"));
    }
    QUrl url(s, QUrl::StrictMode);
    const QString schema = url.scheme().toLower();
    if (!url.isValid() || (schema != QLatin1String("http") && schema != QLatin1String("https"))
        || url.host().isEmpty())
        return {};
    return url;
}

QUrl webArgument(const QStringList& argumente)
{
    for (const QString& a : argumente)
        if (a.startsWith(QLatin1String("http://"), ci) || a.startsWith(QLatin1String("https://"), ci)) {
            const QUrl url = webAdresse(a);
            if (url.isValid())
                return url;
        }
    return {};
}

QList<int> webKategorien(const QStringList& namen, const Kategoriezuordnung& zuordnung)
{
    std::set<int> nummern;
    for (const QString& roh : namen) {
        const QString name = roh.simplified();
        if (name.isEmpty())
            continue;
        // The name itself, then the forms of the other number: Suppe/Suppen, Salat/Salate, Dessert/Desserts.
        QStringList formen { name };
        for (const char* endung : { "en", "es", "er", "e", "n", "s" }) {
            const qsizetype l = qsizetype(qstrlen(endung));
            if (name.size() > l + 2 && name.endsWith(QLatin1String(endung), ci))
                formen.append(name.chopped(l));
        }
        for (const char* endung : { "e", "n", "en", "s" })
            formen.append(name + QLatin1String(endung));
        for (const QString& f : std::as_const(formen)) {
            const int n = zuordnung.nummer(f);
            if (n > 0) {
                nummern.insert(n);
                break;
            }
        }
    }
    return QList<int>(nummern.begin(), nummern.end());
}

} // namespace tk
