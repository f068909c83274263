#pragma once

#include <QString>

#include <libxml/tree.h>

#include "exchange/Lesestand.h"
#include "exchange/Seitenkopf.h"
#include "exchange/WebRezept.h"

namespace tk::web {

// The last reading of a page without recipe data: its title (the first <h1> or og:title), the list
// after a heading like "Zutaten" or "Ingredients", the list or paragraphs after "Zubereitung",
// "Instructions", "Method"… Empty where the page has no such parts.
class SeitentextLeser {
public:
    explicit SeitentextLeser(Lesestand& stand);

    WebRezept rezept(xmlNode* wurzel, const Seitenkopf& kopf);

private:
    Lesestand& stand;
};

} // namespace tk::web
