#include "exchange/PluginLeser.h"

#include <QRegularExpression>
#include <algorithm>
#include <cctype>
#include <string>

#include "exchange/HtmlText.h"
#include "exchange/Textbau.h"
#include "exchange/Textstrom.h"
#include "exchange/Webfelder.h"

namespace tk::web {

namespace {
    enum Rolle { Karte, Zutaten, Schritte, Titel, Menge, Autor, Rollen };

    constexpr auto kOptionen = QRegularExpression::CaseInsensitiveOption;

    // The part of a recipe a class name stands for. Names of a part's pieces ("…-ingredients-title",
    // "…-ingredient-amount") say nothing about the part.
    int rolle(const QString& klasse)
    {
        static const QRegularExpression karte(
            QStringLiteral("^(wprm-recipe|wprm-recipe-container|tasty-recipes|mv-create-card|recipe-card|"
                           "easyrecipe|zlrecipe-container|wpurp-container|cooked-recipe)$"),
            kOptionen);
        static const QRegularExpression stueck(
            QStringLiteral("(title|header|heading|name|amount|unit|notes?|checkbox|link|button|jump|print|"
                           "rating|image|video|toggle|count|label)"),
            kOptionen);
        static const QRegularExpression zutaten(
            QStringLiteral(
                "(^|[-_])(ingredients?|zutaten)([-_](list|container|section|body|wrapper|groups?))?$"),
            kOptionen);
        static const QRegularExpression schritte(
            QStringLiteral("(^|[-_])(instructions?|directions?|method|preparation|steps|zubereitung)"
                           "([-_](list|container|section|body|wrapper|groups?))?$"),
            kOptionen);
        static const QRegularExpression titel(
            QStringLiteral("(recipe[-_]?(name|title)|recipes-title|create-title|card-title)$"), kOptionen);
        static const QRegularExpression menge(QStringLiteral("(yield|servings)$"), kOptionen);
        static const QRegularExpression autor(QStringLiteral("[-_]author(-name)?$"), kOptionen);
        if (karte.match(klasse).hasMatch())
            return Karte;
        if (titel.match(klasse).hasMatch())
            return Titel;
        if (stueck.match(klasse).hasMatch() && !autor.match(klasse).hasMatch())
            return Rollen;
        if (zutaten.match(klasse).hasMatch())
            return Zutaten;
        if (schritte.match(klasse).hasMatch())
            return Schritte;
        if (menge.match(klasse).hasMatch())
            return Menge;
        if (autor.match(klasse).hasMatch())
            return Autor;
        return Rollen;
    }

    // The first element of each part, below start; parts of a recipe card where the page has one.
    // Most class names of a page have nothing to do with recipes: a quick look at the attribute's bytes
    // first.
    bool vielleicht(xmlNode* n)
    {
        xmlChar* v = xmlGetProp(n, BAD_CAST "class");
        if (!v)
            return false;
        std::string k(reinterpret_cast<const char*>(v));
        xmlFree(v);
        for (char& c : k)
            c = char(std::tolower(uchar(c)));
        static const char* const worte[]
            = { "ingredient", "zutaten", "instruction", "direction", "method", "preparation", "steps",
                  "zubereitung", "recipe", "yield", "servings", "author", "mv-create", "tasty", "wpurp" };
        return std::any_of(std::begin(worte), std::end(worte),
            [&](const char* w) { return k.find(w) != std::string::npos; });
    }

    void finde(xmlNode* start, xmlNode* (&gefunden)[Rollen])
    {
        durchlaufe(
            start,
            [&](xmlNode* n) {
                if (!istElement(n) || unsichtbar(n))
                    return false;
                if (!vielleicht(n))
                    return true;
                for (const QString& k : klassen(n)) {
                    const int r = rolle(k);
                    if (r < Rollen && !gefunden[r])
                        gefunden[r] = n;
                }
                return true;
            },
            [](xmlNode*) {});
    }

    QString einzeilig(xmlNode* n) { return textZeilen(n).join(u' '); }
}

PluginLeser::PluginLeser(Lesestand& stand)
    : stand(stand)
{
}

WebRezept PluginLeser::rezept(xmlNode* wurzel, const Seitenkopf& kopf)
{
    xmlNode* teile[Rollen] = {};
    finde(wurzel, teile);
    // Title, quantity and author by class name only inside a recipe card: elsewhere such names belong
    // to teasers and comment forms.
    xmlNode* inKarte[Rollen] = {};
    if (teile[Karte])
        finde(teile[Karte], inKarte);
    for (int r = Zutaten; r < Rollen; ++r)
        if (inKarte[r] || r >= Titel)
            teile[r] = inKarte[r];
    WebRezept r;
    if (!teile[Zutaten])
        return r;
    const QList<Textstueck> zutaten = textstrom(teile[Zutaten]);
    r.zutaten = zutatenAus(zutaten, 0, zutaten.size());
    if (teile[Schritte]) {
        const QList<Textstueck> schritte = textstrom(teile[Schritte]);
        Textbau text(stand);
        schritteAus(schritte, 0, schritte.size(), text);
        r.text = text.zeilen;
    }
    r.titel = teile[Titel] ? einzeilig(teile[Titel]) : QString();
    if (r.titel.isEmpty())
        r.titel = kopf.rezeptTitel();
    if (teile[Menge])
        r.menge = mengeAus(einzeilig(teile[Menge]));
    r.autor = kopf.autor;
    if (teile[Autor]) {
        // "By Anna", "Von Anna", "Author: Anna"
        static const QRegularExpression vorn(
            QStringLiteral("^(by|von|par|door|author|autor(in)?)\\W+"), kOptionen);
        r.autor = einzeilig(teile[Autor]).remove(vorn);
    }
    return r;
}

} // namespace tk::web
