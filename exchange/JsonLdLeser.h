#pragma once

#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QSet>
#include <QUrl>

#include "exchange/Lesestand.h"
#include "exchange/WebRezept.h"

namespace tk::web {

class Textbau;

// Blocks often come wrapped in comments or CDATA, or with line breaks inside strings.
QJsonDocument jsonBlock(QString s);

// The recipes of a page's JSON-LD blocks (schema.org Recipe objects).
class JsonLdLeser {
public:
    JsonLdLeser(const QUrl& basis, Lesestand& stand);

    // Every recipe object of a block, at any depth (@graph, arrays, mainEntity, ...).
    void sammle(const QJsonValue& v, int tiefe);

    WebRezept rezept(const QJsonObject& fund);

    QList<QJsonObject> funde;

private:
    const QUrl& basis;
    Lesestand& stand;
    QHash<QString, QJsonObject> ids;
    QSet<QString> fundIds;

    // {"@id": "..."} stands for the object of that id elsewhere on the page.
    QJsonValue aufgeloest(const QJsonValue& v) const;

    static QString skalar(const QJsonValue& v);

    // A field of one line: a string, a number, or an object's name / @value.
    QString text(const QJsonValue& roh) const;

    // Ingredients: one per entry of a list, where a line break is only layout; a single string
    // stands for the whole list, one ingredient per line.
    void zeilen(const QJsonValue& roh, QStringList& out, int tiefe);

    // recipeInstructions: a string, strings, HowToStep objects (text, else name) and HowToSections
    // whose name heads their steps.
    void schritte(const QJsonValue& roh, Textbau& t, int tiefe);

    // Authors: a string, a Person or Organization, or several of them.
    QStringList namen(const QJsonValue& roh, int tiefe) const;

    static QString datum(const QJsonObject& o);

    // recipeYield as text; a bare number counts servings. Of several, the first one with words.
    QString menge(const QJsonValue& roh) const;

    void kategorien(const QJsonValue& roh, QStringList& out, bool kommaListe, int tiefe) const;

    // image: an address, an ImageObject (url or contentUrl) or several; the largest first where the
    // page gives sizes, else in the page's order.
    void bilder(const QJsonValue& roh, QList<QUrl>& out);
};

} // namespace tk::web
