#include "exchange/MikrodatenLeser.h"

#include "exchange/HtmlText.h"
#include "exchange/Textbau.h"
#include "exchange/Webfelder.h"

namespace tk::web {

namespace {
    constexpr Qt::CaseSensitivity ci = Qt::CaseInsensitive;

    struct Eigenschaft {
        QString name;
        xmlNode* knoten;
    };

    // The itemprops of an item; a nested item is one value and its own properties stay inside it.
    QList<Eigenschaft> eigenschaften(xmlNode* item)
    {
        QList<Eigenschaft> out;
        durchlaufe(
            item,
            [&](xmlNode* n) {
                if (!istElement(n) || heisst(n, "script") || heisst(n, "style"))
                    return false;
                const QString props = attribut(n, "itemprop");
                for (const QString& p : props.split(u' ', Qt::SkipEmptyParts))
                    if (out.size() < 5000)
                        out.append({ p, n });
                return !hatAttribut(n, "itemscope");
            },
            [](xmlNode*) {});
        return out;
    }

    // The value of a property that is no item, by the rules of microdata.
    QStringList wertZeilen(xmlNode* n, bool bloecke = true)
    {
        if (heisst(n, "meta"))
            return klartextZeilen(attribut(n, "content"));
        if (heisst(n, "img") || heisst(n, "source") || heisst(n, "video") || heisst(n, "audio")
            || heisst(n, "embed") || heisst(n, "iframe") || heisst(n, "track")) {
            QString src = attribut(n, "src");
            // Pages that load pictures late put the real address aside.
            if (src.isEmpty() || src.startsWith(QLatin1String("data:"), ci))
                src = attribut(n, "data-src");
            return { src.trimmed() };
        }
        if (heisst(n, "a") || heisst(n, "area") || heisst(n, "link"))
            return { attribut(n, "href").trimmed() };
        if (heisst(n, "object"))
            return { attribut(n, "data").trimmed() };
        if (heisst(n, "data") || heisst(n, "meter"))
            return { attribut(n, "value").trimmed() };
        if (heisst(n, "time") && hatAttribut(n, "datetime"))
            return { attribut(n, "datetime").trimmed() };
        if (hatAttribut(n, "content"))
            return klartextZeilen(attribut(n, "content"));
        return textZeilen(n, bloecke);
    }

    // A name or a text: links give their text, not their address ("<a itemprop=author href=…>Anna</a>").
    QStringList textWert(xmlNode* n)
    {
        if (heisst(n, "a"))
            return textZeilen(n);
        return wertZeilen(n);
    }

    // An ingredient element around other ingredient elements is their list, not one more ingredient.
    bool haeltZutaten(xmlNode* n)
    {
        bool drin = false;
        durchlaufe(
            n,
            [&](xmlNode* k) {
                if (drin || !istElement(k))
                    return false;
                const QString p = attribut(k, "itemprop");
                drin = p.contains(QLatin1String("recipeIngredient"), ci)
                    || p.split(u' ').contains(QLatin1String("ingredients"), ci);
                return !drin && !hatAttribut(k, "itemscope");
            },
            [](xmlNode*) {});
        return drin;
    }

    QString erster(const QList<Eigenschaft>& e, const char* name)
    {
        for (const Eigenschaft& p : e)
            if (p.name.compare(QLatin1String(name), ci) == 0 && !hatAttribut(p.knoten, "itemscope")) {
                const bool adresse = qstricmp(name, "url") == 0 || qstricmp(name, "contentUrl") == 0;
                return (adresse ? wertZeilen(p.knoten) : textWert(p.knoten)).join(u' ');
            }
        return {};
    }
}

bool istRezeptTyp(const QString& itemtype)
{
    for (const QString& t : itemtype.split(u' ', Qt::SkipEmptyParts))
        if (t.contains(QLatin1String("schema.org"), ci) && t.endsWith(QLatin1String("/Recipe"), ci))
            return true;
    return false;
}

MikrodatenLeser::MikrodatenLeser(const QUrl& basis, Lesestand& stand)
    : basis(basis)
    , stand(stand)
{
}

WebRezept MikrodatenLeser::rezept(xmlNode* item)
{
    WebRezept r;
    const QList<Eigenschaft> e = eigenschaften(item);
    Textbau text(stand);
    for (const Eigenschaft& p : e) {
        const QString& name = p.name;
        const bool unterItem = hatAttribut(p.knoten, "itemscope");
        auto ist = [&](const char* n) { return name.compare(QLatin1String(n), ci) == 0; };
        if (ist("name") && r.titel.isEmpty() && !unterItem) {
            r.titel = textWert(p.knoten).join(u' ');
        } else if ((ist("recipeIngredient") || ist("ingredients")) && !haeltZutaten(p.knoten)) {
            // One element is one ingredient, whatever blocks it holds inside; only <br> parts it.
            for (const QString& z : unterItem ? QStringList { erster(eigenschaften(p.knoten), "name") }
                                              : wertZeilen(p.knoten, false))
                if (!z.isEmpty()) {
                    if (r.zutaten.size() >= kMaxZutaten) {
                        stand.gekuerzt = true;
                        break;
                    }
                    r.zutaten.append(z);
                }
        } else if (ist("recipeInstructions")) {
            schritte(p.knoten, unterItem, text, 0);
        } else if (ist("author")) {
            const QString a
                = unterItem ? erster(eigenschaften(p.knoten), "name") : textWert(p.knoten).join(u' ');
            if (!a.isEmpty() && !r.autor.contains(a))
                r.autor = r.autor.isEmpty() ? a : r.autor + QStringLiteral(", ") + a;
        } else if ((ist("datePublished") || ist("dateCreated")) && r.datum.isEmpty() && !unterItem) {
            r.datum = datumAus(wertZeilen(p.knoten).join(u' '));
        } else if (ist("recipeYield") && r.menge.isEmpty() && !unterItem) {
            r.menge = mengeAus(wertZeilen(p.knoten).join(u' '));
        } else if ((ist("recipeCategory") || ist("recipeCuisine") || ist("keywords")) && !unterItem) {
            namenDazu(r.kategorien, wertZeilen(p.knoten).join(u' '), ist("keywords"));
        } else if (ist("image")) {
            QString url;
            if (unterItem) {
                const QList<Eigenschaft> b = eigenschaften(p.knoten);
                url = erster(b, "url");
                if (url.isEmpty())
                    url = erster(b, "contentUrl");
            } else {
                url = wertZeilen(p.knoten).join(QString());
            }
            bildDazu(r.bilder, bildAdresse(url, basis, stand));
        }
    }
    r.text = text.zeilen;
    return r;
}

void MikrodatenLeser::schritte(xmlNode* n, bool unterItem, Textbau& text, int tiefe)
{
    if (tiefe > 8)
        return;
    if (!unterItem) {
        for (const QString& z : wertZeilen(n))
            text.absatz(z);
        return;
    }
    const QList<Eigenschaft> e = eigenschaften(n);
    if (istTypName(attribut(n, "itemtype"), "HowToSection")) {
        text.ueberschrift(erster(e, "name"));
        for (const Eigenschaft& p : e)
            if (p.name.compare(QLatin1String("itemListElement"), ci) == 0)
                schritte(p.knoten, hatAttribut(p.knoten, "itemscope"), text, tiefe + 1);
        return;
    }
    const QString s = erster(e, "text");
    const QString name = erster(e, "name");
    if (!s.isEmpty()) {
        text.schritt(name, { s });
        return;
    }
    for (const QString& z : name.isEmpty() ? textZeilen(n) : QStringList { name })
        text.absatz(z);
}

bool MikrodatenLeser::istTypName(const QString& itemtype, const char* name)
{
    for (const QString& t : itemtype.split(u' ', Qt::SkipEmptyParts))
        if (t.endsWith(u'/' + QLatin1String(name), ci))
            return true;
    return false;
}

} // namespace tk::web
