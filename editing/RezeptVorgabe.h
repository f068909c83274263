#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tk {

// A new recipe brought in from elsewhere (the web import), shown in the editor before it is saved.
struct RezeptVorgabe {
    QString titel;
    QString autor; // empty: the default author
    QString datum; // empty: today
    QString menge; // empty: the usual proposal
    QStringList zutaten;
    QStringList text;
    QStringList kommentar;
    QList<int> kategorien; // category numbers to tick
    QString bild; // picture file; copied only when the recipe is saved
};

} // namespace tk
