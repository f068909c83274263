#include "exchange/WebRezept.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>

#include "exchange/HtmlText.h"
#include "exchange/JsonLdLeser.h"
#include "exchange/Lesestand.h"
#include "exchange/MikrodatenLeser.h"
#include "exchange/MikroformatLeser.h"
#include "exchange/PluginLeser.h"
#include "exchange/SeitentextLeser.h"
#include "exchange/Webfelder.h"
#include "platform/Cp1252.h"
#include "store/Formats.h"

namespace tk {

using namespace web;

namespace {
    constexpr Qt::CaseSensitivity ci = Qt::CaseInsensitive;

    // ---- cutting to the collection -------------------------------------------------------------

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

    // What recipe plugins leave in their texts: "((1/2 cup))" where they wrap a note that already has
    // its parentheses, "carrot , peeled" where a note follows a name.
    QString geglaettet(QString s)
    {
        static const QRegularExpression doppelt(QStringLiteral("\\(\\(([^()]*)\\)\\)"));
        if (s.contains(QLatin1String("((")))
            s.replace(doppelt, QStringLiteral("(\\1)"));
        if (s.contains(QLatin1String(" ,")))
            s.replace(QLatin1String(" ,"), QLatin1String(","));
        return s;
    }

    // UTF-8 read as Windows-1252 somewhere on the way to the page ("1Â¼ cups", "donâ€™t"): such runs
    // are read again as UTF-8 where that gives valid text.
    QString ohneDoppelteKodierung(const QString& s)
    {
        auto fortsetzung = [](QChar c) {
            const uchar b = uchar(toCp1252(c));
            return b >= 0x80 && b <= 0xBF && (c != u'?');
        };
        bool verdacht = false;
        for (qsizetype i = 0; i + 1 < s.size() && !verdacht; ++i)
            verdacht = s.at(i).unicode() >= 0xC2 && s.at(i).unicode() <= 0xEF && fortsetzung(s.at(i + 1));
        if (!verdacht)
            return s;
        QString out;
        qsizetype i = 0;
        while (i < s.size()) {
            qsizetype e = i;
            while (e < s.size() && s.at(e).unicode() >= 0x80 && (toCp1252(s.at(e)) != '?'))
                ++e;
            if (e == i) {
                out += s.at(i++);
                continue;
            }
            const QString lauf = s.mid(i, e - i);
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString neu = utf8(toCp1252(lauf));
            out += utf8.hasError() ? lauf : neu;
            i = e;
        }
        return out;
    }

    // One line as the collection can hold it.
    QString fuerSammlung(const QString& roh, Lesestand& stand, qsizetype max = kMaxZeile)
    {
        const QString s = ohneDoppelteKodierung(roh);
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
                // "1⅓" is one and a third: written out, the fraction keeps apart from the whole number,
                // or it would read as eleven thirds.
                else if (QChar::decompositionTag(u) == QChar::Fraction && !out.isEmpty()
                    && out.back().isDigit())
                    out += u' ';
                out += e;
            }
        }
        out = geglaettet(out.simplified());
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

    bool istUeberschrift(const QString& zeile)
    {
        return zeile.size() > 8 && zeile.startsWith(QLatin1String("=== "))
            && zeile.endsWith(QLatin1String(" ==="));
    }

    // "FÜR DEN TEIG" as a heading is written "Für den Teig": the small words in lower case, the
    // others with a capital.
    QString ueberschriftAusVersalien(const QString& s)
    {
        static const QSet<QString> klein { "für", "den", "die", "das", "der", "dem", "des", "und", "oder",
            "mit", "zum", "zur", "von", "vom", "im", "in", "am", "an", "auf", "aus", "ohne", "for", "the",
            "and", "or", "with", "of", "to", "a", "an", "on", "pour", "la", "le", "les", "de", "du", "et",
            "voor", "het", "en", "een", "met" };
        QStringList woerter = s.toLower().split(u' ');
        for (qsizetype i = 0; i < woerter.size(); ++i) {
            QString& w = woerter[i];
            qsizetype b = 0;
            while (b < w.size() && !w.at(b).isLetter())
                ++b;
            if (b < w.size() && (i == 0 || !klein.contains(w.mid(b))))
                w[b] = w.at(b).toUpper();
        }
        return woerter.join(u' ');
    }

    // An ingredient line as the collection shows it: without the list's bullet, and a group heading
    // that the page sent as an ingredient ("For the noodles:", "FÜR DEN TEIG", "For the swirl") as a heading
    // line, which scaling and the shopping list leave alone.
    QString zutatenZeile(QString l)
    {
        for (const char* punkt : { "- ", "– ", "• ", "· ", "▢ " })
            if (l.startsWith(QString::fromUtf8(punkt)) && l.size() > 2)
                l = l.mid(2).trimmed();
        if (l.isEmpty() || istUeberschrift(l) || l.size() > 60
            || std::any_of(l.begin(), l.end(), [](QChar c) { return c.isDigit(); }))
            return l;
        QString name = l;
        const bool doppelpunkt = name.endsWith(u':');
        while (name.endsWith(u':') || name.endsWith(u' '))
            name.chop(1);
        int gross = 0;
        bool klein = false;
        for (QChar c : std::as_const(name)) {
            if (c.isLower())
                klein = true;
            else if (c.isUpper())
                ++gross;
        }
        const bool versalien = !klein && gross >= 3;
        static const QRegularExpression fuer(
            QStringLiteral("^(for the|für (den|die|das)|pour (le|la|les)|voor (de|het)|per (il|la|le))\\s"),
            QRegularExpression::CaseInsensitiveOption);
        const bool gruppe = !name.contains(u',') && name.count(u' ') < 6 && fuer.match(name).hasMatch();
        if (name.isEmpty() || (!doppelpunkt && !versalien && !gruppe))
            return l;
        return QStringLiteral("=== ") + (versalien ? ueberschriftAusVersalien(name) : name)
            + QStringLiteral(" ===");
    }

    qsizetype zutatenZahl(const WebRezept& r)
    {
        return std::count_if(r.zutaten.begin(), r.zutaten.end(),
            [](const QString& z) { return !z.startsWith(QLatin1String("=== ")); });
    }

    bool leer(const WebRezept& r) { return r.titel.isEmpty() && r.zutaten.isEmpty() && r.text.isEmpty(); }

    // Pages that describe a recipe twice, once in full and once only by name (for its ratings or its
    // picture), offer it once: the short one gives its pictures to the full one.
    void ohneStummel(QList<WebRezept>& roh)
    {
        for (qsizetype i = roh.size() - 1; i >= 0; --i) {
            const WebRezept& s = roh.at(i);
            if (!s.zutaten.isEmpty() || !s.text.isEmpty() || roh.size() < 2)
                continue;
            for (WebRezept& voll : roh)
                if (&voll != &s && (!voll.zutaten.isEmpty() || !voll.text.isEmpty())
                    && voll.titel.simplified().compare(s.titel.simplified(), Qt::CaseInsensitive) == 0) {
                    for (const QUrl& b : s.bilder)
                        bildDazu(voll.bilder, b);
                    roh.removeAt(i);
                    break;
                }
        }
    }

    bool brauchbar(const WebRezept& r) { return !r.titel.isEmpty() && zutatenZahl(r) >= 2; }

    const QString kAusText = QStringLiteral(
        "Die Seite enthält keine Rezeptdaten; Titel, Zutaten und Zubereitung wurden aus dem Text der Seite "
        "gelesen. Bitte prüfen.");

    // A page without recipe data is read from its text, as well as it goes, in this order: the h-recipe
    // microformat, recipe properties without a recipe around them, the class names of recipe plugins,
    // the headings of the text. A recipe whose data lacks its ingredients or its steps gets them the same
    // way. Either way the user is asked to check.
    void textLesung(QList<WebRezept>& roh, xmlNode* wurzel, const Seitenkopf& kopf, bool loseEigenschaften,
        const QUrl& basis, Lesestand& stand)
    {
        const bool daten = std::any_of(roh.begin(), roh.end(), [](const WebRezept& r) { return !leer(r); });
        if (daten && (roh.size() != 1 || (zutatenZahl(roh.first()) > 0 && !roh.first().text.isEmpty())))
            return;
        if (!daten) {
            QList<WebRezept> h = MikroformatLeser(basis, stand).rezepte(wurzel);
            h.removeIf([](const WebRezept& r) { return !brauchbar(r); });
            if (!h.isEmpty()) {
                for (WebRezept& r : h)
                    r.hinweis = kAusText;
                roh = h;
                return;
            }
        }
        WebRezept t;
        if (loseEigenschaften) {
            t = MikrodatenLeser(basis, stand).rezept(wurzel);
            if (t.titel.isEmpty())
                t.titel = kopf.rezeptTitel();
        }
        if (!brauchbar(t))
            t = PluginLeser(stand).rezept(wurzel, kopf);
        if (!brauchbar(t) || t.text.isEmpty()) {
            // The headings of the text, for the whole recipe or for the steps the class names missed.
            WebRezept s = SeitentextLeser(stand).rezept(wurzel, kopf);
            if (!brauchbar(t))
                t = s;
            else if (brauchbar(s)) {
                t.text = s.text;
                if (t.menge.isEmpty())
                    t.menge = s.menge;
            }
        }
        if (!brauchbar(t))
            return;
        if (!daten) {
            t.hinweis = kAusText;
            roh = { t };
            return;
        }
        WebRezept& r = roh.first();
        const bool zutaten = zutatenZahl(r) == 0;
        const bool schritte = r.text.isEmpty() && !t.text.isEmpty();
        if (zutaten)
            r.zutaten = t.zutaten;
        if (schritte)
            r.text = t.text;
        if (zutaten && schritte)
            r.hinweis
                = QStringLiteral("Die Rezeptdaten der Seite nennen weder Zutaten noch Zubereitung; beide "
                                 "wurden aus dem Text der Seite gelesen. Bitte prüfen.");
        else if (zutaten)
            r.hinweis
                = QStringLiteral("Die Rezeptdaten der Seite nennen keine Zutaten; sie wurden aus dem Text "
                                 "der Seite gelesen. Bitte prüfen.");
        else if (schritte)
            r.hinweis
                = QStringLiteral("Die Rezeptdaten der Seite nennen keine Zubereitung; sie wurde aus dem "
                                 "Text der Seite gelesen. Bitte prüfen.");
    }

    QString indexFeld(const QString& s, Lesestand& stand) { return noBar(fuerSammlung(s, stand, kMaxFeld)); }

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
    Lesestand stand;
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
    Seitenkopf kopf;
    bool loseZutaten = false; // ingredient properties, perhaps without a recipe item around them
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
            else if (heisst(n, "meta") && kopf.ogTitel.isEmpty()
                && attribut(n, "property").compare(QLatin1String("og:title"), ci) == 0)
                kopf.ogTitel = einzeilig(attribut(n, "content"));
            else if (heisst(n, "meta") && kopf.seitenname.isEmpty()
                && attribut(n, "property").compare(QLatin1String("og:site_name"), ci) == 0)
                kopf.seitenname = einzeilig(attribut(n, "content"));
            else if (heisst(n, "meta") && kopf.autor.isEmpty()
                && attribut(n, "name").compare(QLatin1String("author"), ci) == 0)
                kopf.autor = einzeilig(attribut(n, "content"));
            if (!loseZutaten && hatAttribut(n, "itemprop")) {
                const QString p = attribut(n, "itemprop");
                loseZutaten = p.contains(QLatin1String("recipeIngredient"), ci)
                    || p.split(u' ').contains(QLatin1String("ingredients"), ci);
            }
            if (heisst(n, "h1") && kopf.h1.size() < 10)
                kopf.h1.append(textZeilen(n).join(u' '));
            if (hatAttribut(n, "itemscope") && items.size() < kMaxRezepte
                && istRezeptTyp(attribut(n, "itemtype")))
                items.append(n);
            return true;
        },
        [](xmlNode*) {});

    QList<WebRezept> roh;
    JsonLdLeser json(basis, stand);
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
        MikrodatenLeser md(basis, stand);
        for (xmlNode* item : std::as_const(items))
            roh.append(md.rezept(item));
    }
    const qsizetype gefunden = std::max(json.funde.size(), items.size());
    ohneStummel(roh);
    kopf.titel = seitenTitel;
    textLesung(
        roh, reinterpret_cast<xmlNode*>(doc.get()), kopf, items.isEmpty() && loseZutaten, basis, stand);

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
            const QString l = zutatenZeile(fuerSammlung(z, stand));
            if (!l.isEmpty())
                s.zutaten.append(l);
        }
        // A group heading with nothing below heads nothing.
        while (!s.zutaten.isEmpty() && istUeberschrift(s.zutaten.constLast()))
            s.zutaten.removeLast();
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
        s.hinweis = r.hinweis;
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

} // namespace tk
