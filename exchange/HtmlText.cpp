#include "exchange/HtmlText.h"

#include <algorithm>
#include <mutex>

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>

namespace tk::web {

namespace {
    xmlParserInputPtr keineEntitaeten(const char*, const char*, xmlParserCtxtPtr) { return nullptr; }
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
        "figure", "figcaption", "hr", "main", "aside", "nav", "address", "form", "fieldset" };
    if (!istElement(n))
        return false;
    return std::any_of(std::begin(namen), std::end(namen), [n](const char* b) { return heisst(n, b); });
}

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

} // namespace tk::web
