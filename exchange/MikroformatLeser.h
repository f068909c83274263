#pragma once

#include <QList>
#include <QUrl>

#include <libxml/tree.h>

#include "exchange/Lesestand.h"
#include "exchange/WebRezept.h"

namespace tk::web {

// The recipes a page marks with the h-recipe microformat (class "h-recipe" with "p-name",
// "p-ingredient", "e-instructions", "p-yield", "p-author", "u-photo", "dt-published", "p-category"),
// and with its older form hRecipe ("hrecipe", "fn", "ingredient", "instructions", "yield", "author",
// "photo", "published", "tag").
class MikroformatLeser {
public:
    MikroformatLeser(const QUrl& basis, Lesestand& stand);

    QList<WebRezept> rezepte(xmlNode* wurzel);

private:
    const QUrl& basis;
    Lesestand& stand;

    WebRezept rezept(xmlNode* item);
};

} // namespace tk::web
