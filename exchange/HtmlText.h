#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstring>
#include <memory>

#include <libxml/tree.h>

// The HTML side of reading web pages: libxml2's parse and the visible text of its nodes.
namespace tk::web {

struct DocFrei {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
using Dokument = std::unique_ptr<xmlDoc, DocFrei>;

// HTML as UTF-8; the document's own encoding hints are ignored, the caller has decoded it.
Dokument parseHtml(const QByteArray& utf8);

inline bool istElement(const xmlNode* n) { return n->type == XML_ELEMENT_NODE; }

// The HTML parser gives element names in lower case.
inline bool heisst(const xmlNode* n, const char* name)
{
    return istElement(n) && n->name && std::strcmp(reinterpret_cast<const char*>(n->name), name) == 0;
}

inline bool hatAttribut(xmlNode* n, const char* name) { return xmlHasProp(n, BAD_CAST name) != nullptr; }

QString attribut(xmlNode* n, const char* name);

// The tokens of an element's class attribute.
QStringList klassen(xmlNode* n);
QString inhalt(xmlNode* n);

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

bool unsichtbar(const xmlNode* n);
bool block(const xmlNode* n);

// The visible text below a node as lines: list items, <br> and other blocks (where bloecke) end lines,
// blanks collapse;
// line breaks of the text itself only where textUmbrueche (a value of the page's data, not its source).
// Entities the text still holds are decoded (unless entitaetenNochmal is false).
QStringList textZeilen(
    xmlNode* start, bool bloecke = true, bool entitaetenNochmal = true, bool textUmbrueche = false);

// A value of the page as lines of plain text: HTML in it (links, <br>, entities) goes through the
// HTML parser, line breaks stay, blanks collapse, empty lines go.
QStringList klartextZeilen(const QString& s);

QString einzeilig(const QString& s);

} // namespace tk::web
