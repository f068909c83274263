#pragma once

#include <QString>
#include <QStringList>

namespace tk::web {

// What a page says about itself, for the readings of pages without recipe data.
struct Seitenkopf {
    QString ogTitel; // og:title
    QString titel; // <title>
    QString autor; // <meta name="author">
    QString seitenname; // og:site_name
    QStringList h1; // the main headings, in the page's order

    // The recipe's title: the page's main heading, of several the one the page's title names too
    // (others are there for screen readers: "Navigation"), unless it is the site's name; else the first
    // part of og:title or <title> (they add the site's name).
    QString rezeptTitel() const;
};

} // namespace tk::web
