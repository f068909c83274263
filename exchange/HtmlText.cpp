#include "exchange/HtmlText.h"

#include <QRegularExpression>
#include <algorithm>
#include <mutex>

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>

namespace tk::web {

namespace {
    xmlParserInputPtr keineEntitaeten(const char*, const char*, xmlParserCtxtPtr) { return nullptr; }

    const QRegularExpression& entitaet()
    {
        static const QRegularExpression e(
            QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9a-fA-F]{1,6}|[a-zA-Z][a-zA-Z0-9]{1,31});"));
        return e;
    }

    const QRegularExpression& marke()
    {
        static const QRegularExpression m(QStringLiteral("<(/?[a-zA-Z][a-zA-Z0-9]*)(\\s[^<>]*)?/?>"));
        return m;
    }
}

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

QString attribut(xmlNode* n, const char* name)
{
    xmlChar* v = xmlGetProp(n, BAD_CAST name);
    if (!v)
        return {};
    const QString s = QString::fromUtf8(reinterpret_cast<const char*>(v));
    xmlFree(v);
    return s;
}

QStringList klassen(xmlNode* n)
{
    xmlChar* v = xmlGetProp(n, BAD_CAST "class");
    if (!v)
        return {};
    const QStringList out
        = QString::fromUtf8(reinterpret_cast<const char*>(v)).simplified().split(u' ', Qt::SkipEmptyParts);
    xmlFree(v);
    return out;
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

bool unsichtbar(const xmlNode* n)
{
    return heisst(n, "script") || heisst(n, "style") || heisst(n, "noscript") || heisst(n, "template")
        || heisst(n, "head");
}

bool block(const xmlNode* n)
{
    static const char* const namen[] = { "p", "div", "li", "ul", "ol", "dl", "dt", "dd", "h1", "h2", "h3",
        "h4", "h5", "h6", "tr", "table", "section", "article", "blockquote", "pre", "header", "footer",
        "figure", "figcaption", "hr", "main", "aside", "nav", "address", "form", "fieldset", "center",
        "details", "summary", "menu", "caption", "legend" };
    if (!istElement(n))
        return false;
    return std::any_of(std::begin(namen), std::end(namen), [n](const char* b) { return heisst(n, b); });
}

QStringList textZeilen(xmlNode* start, bool bloecke, bool entitaetenNochmal, bool textUmbrueche)
{
    QString puffer;
    durchlaufe(
        start,
        [&](xmlNode* n) {
            if (n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) {
                if (n->content) {
                    // A line break of the page's source is a blank, as browsers show it; in a value of
                    // the page's data it ends a line.
                    QString t = QString::fromUtf8(reinterpret_cast<const char*>(n->content));
                    if (!textUmbrueche)
                        t.replace(u'\n', u' ');
                    puffer += t;
                }
                return false;
            }
            if (!istElement(n) || unsichtbar(n))
                return false;
            if (heisst(n, "br"))
                puffer += u'\n';
            else if (block(n))
                puffer += bloecke || heisst(n, "li") ? u'\n' : u' ';
            else if (heisst(n, "td") || heisst(n, "th"))
                puffer += u' ';
            return true;
        },
        [&](xmlNode* n) {
            if (block(n))
                puffer += bloecke || heisst(n, "li") ? u'\n' : u' ';
        });
    QStringList out;
    for (const QString& z : puffer.split(u'\n')) {
        const QString s = z.simplified();
        if (s.isEmpty())
            continue;
        // "&amp;atilde;" on the page is "&atilde;" in its text: sites encode twice.
        if (entitaetenNochmal && s.contains(u'&') && entitaet().match(s).hasMatch())
            out.append(klartextZeilen(s).join(u' '));
        else
            out.append(s);
    }
    return out;
}

QStringList klartextZeilen(const QString& s)
{
    if (s.contains(u'<') || s.contains(u'&')) {
        QString t = s;
        t.replace(u'\0', u' ');
        QStringList zeilen;
        // Text encoded twice or three times ("&amp;lt;br&amp;gt;") is read until no markup is left.
        for (int runde = 0; runde < 4; ++runde) {
            const Dokument d = parseHtml(t.toUtf8());
            if (!d)
                break;
            zeilen = textZeilen(reinterpret_cast<xmlNode*>(d.get()), true, false, true);
            t = zeilen.join(QStringLiteral("<br>"));
            if (!(t.contains(u'&') && entitaet().match(t).hasMatch())
                && !(t.contains(u'<') && marke().match(t).hasMatch()))
                break;
        }
        return zeilen;
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

} // namespace tk::web
