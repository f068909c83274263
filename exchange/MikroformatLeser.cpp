#include "exchange/MikroformatLeser.h"

#include "exchange/HtmlText.h"
#include "exchange/Textbau.h"
#include "exchange/Textstrom.h"
#include "exchange/Webfelder.h"

namespace tk::web {

namespace {
    bool istRezept(const QStringList& k)
    {
        return k.contains(QLatin1String("h-recipe")) || k.contains(QLatin1String("hrecipe"));
    }

    // Another microformat inside the recipe (an h-card for the author): its properties are its own.
    bool istObjekt(const QStringList& k)
    {
        for (const QString& c : k)
            if (c.startsWith(QLatin1String("h-")) || c == QLatin1String("vcard")
                || c == QLatin1String("hrecipe"))
                return true;
        return false;
    }

    bool hat(const QStringList& k, const char* neu, const char* alt)
    {
        return k.contains(QLatin1String(neu)) || (alt && k.contains(QLatin1String(alt)));
    }

    QString einzeilig(xmlNode* n) { return textZeilen(n).join(u' '); }

    // The name of a nested h-card, else its text.
    QString name(xmlNode* n)
    {
        xmlNode* fund = nullptr;
        durchlaufe(
            n,
            [&](xmlNode* k) {
                if (fund || !istElement(k))
                    return false;
                if (hat(klassen(k), "p-name", "fn"))
                    fund = k;
                return !fund;
            },
            [](xmlNode*) {});
        return einzeilig(fund ? fund : n);
    }
}

MikroformatLeser::MikroformatLeser(const QUrl& basis, Lesestand& stand)
    : basis(basis)
    , stand(stand)
{
}

QList<WebRezept> MikroformatLeser::rezepte(xmlNode* wurzel)
{
    QList<xmlNode*> items;
    durchlaufe(
        wurzel,
        [&](xmlNode* n) {
            if (!istElement(n) || unsichtbar(n) || items.size() >= kMaxRezepte)
                return false;
            if (istRezept(klassen(n))) {
                items.append(n);
                return false;
            }
            return true;
        },
        [](xmlNode*) {});
    QList<WebRezept> out;
    for (xmlNode* item : std::as_const(items))
        out.append(rezept(item));
    return out;
}

WebRezept MikroformatLeser::rezept(xmlNode* item)
{
    WebRezept r;
    Textbau text(stand);
    durchlaufe(
        item,
        [&](xmlNode* n) {
            if (!istElement(n) || unsichtbar(n))
                return false;
            const QStringList k = klassen(n);
            if (k.isEmpty())
                return true;
            if (hat(k, "p-author", "author")) {
                const QString a = name(n);
                if (!a.isEmpty() && !r.autor.contains(a))
                    r.autor = r.autor.isEmpty() ? a : r.autor + QStringLiteral(", ") + a;
                return false;
            }
            if (istObjekt(k))
                return false;
            if (hat(k, "p-name", "fn") && r.titel.isEmpty()) {
                r.titel = einzeilig(n);
            } else if (hat(k, "p-ingredient", "ingredient")) {
                // One element is one ingredient, whatever it holds inside; only <br> parts it.
                for (const QString& z : textZeilen(n, false))
                    if (r.zutaten.size() < kMaxZutaten)
                        r.zutaten.append(z);
                return false;
            } else if (hat(k, "e-instructions", "instructions")) {
                const QList<Textstueck> strom = textstrom(n);
                schritteAus(strom, 0, strom.size(), text);
                return false;
            } else if (hat(k, "p-yield", "yield") && r.menge.isEmpty()) {
                r.menge = mengeAus(einzeilig(n));
            } else if (hat(k, "dt-published", "published") && r.datum.isEmpty()) {
                r.datum = datumAus(hatAttribut(n, "datetime") ? attribut(n, "datetime") : einzeilig(n));
            } else if (hat(k, "p-category", "tag")) {
                namenDazu(r.kategorien, einzeilig(n), false);
            } else if (hat(k, "u-photo", "photo")) {
                QString src = attribut(n, heisst(n, "a") ? "href" : "src");
                if (src.isEmpty() || src.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
                    src = attribut(n, "data-src");
                bildDazu(r.bilder, bildAdresse(src, basis, stand));
            }
            return true;
        },
        [](xmlNode*) {});
    r.text = text.zeilen;
    return r;
}

} // namespace tk::web
