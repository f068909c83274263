#pragma once

#include <QString>
#include <QUrl>

#include <libxml/tree.h>

#include "exchange/Lesestand.h"
#include "exchange/WebRezept.h"

namespace tk::web {

// What the page says about itself in its head, for readings without recipe data.
struct Seitenkopf {
    QString ogTitel; // og:title
    QString titel; // <title>
    QString autor; // <meta name="author">
    QString seitenname; // og:site_name
};

// The last reading of a page without recipe data: its title (the first <h1> or og:title), the list
// after a heading like "Zutaten" or "Ingredients", the list or paragraphs after "Zubereitung",
// "Instructions", "Method"… Empty where the page has no such parts.
class SeitentextLeser {
public:
    SeitentextLeser(const QUrl& basis, Lesestand& stand);

    WebRezept rezept(xmlNode* wurzel, const Seitenkopf& kopf);

private:
    const QUrl& basis;
    Lesestand& stand;
};

// The recipe's title from the page: the first part of og:title (it often adds the site's name), the
// main heading (<h1>) where there is none or it says the same, else the first part of <title>.
QString seitenTitel(const QString& h1, const Seitenkopf& kopf);

} // namespace tk::web
