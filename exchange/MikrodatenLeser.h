#pragma once

#include <QString>
#include <QUrl>

#include <libxml/tree.h>

#include "exchange/Lesestand.h"
#include "exchange/WebRezept.h"

namespace tk::web {

class Textbau;

// Whether an itemtype names a schema.org Recipe.
bool istRezeptTyp(const QString& itemtype);

// The recipe of one microdata item (itemscope itemtype=".../Recipe") of a page.
class MikrodatenLeser {
public:
    MikrodatenLeser(const QUrl& basis, Lesestand& stand);

    WebRezept rezept(xmlNode* item);

private:
    const QUrl& basis;
    Lesestand& stand;

    // An element's lines are steps; a HowToSection item heads its own steps.
    void schritte(xmlNode* n, bool unterItem, Textbau& text, int tiefe);

    static bool istTypName(const QString& itemtype, const char* name);
};

} // namespace tk::web
