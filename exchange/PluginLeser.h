#pragma once

#include <libxml/tree.h>

#include "exchange/Lesestand.h"
#include "exchange/Seitenkopf.h"
#include "exchange/WebRezept.h"

namespace tk::web {

// A page without recipe data read by the class names the common recipe plugins give their parts
// ("wprm-recipe-ingredients", "tasty-recipes-instructions", "mv-create-ingredients", "recipe-card",
// plain "ingredients" and "instructions"). Empty where the page has no such parts.
class PluginLeser {
public:
    explicit PluginLeser(Lesestand& stand);

    WebRezept rezept(xmlNode* wurzel, const Seitenkopf& kopf);

private:
    Lesestand& stand;
};

} // namespace tk::web
