#include "exchange/JsonLdLeser.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "exchange/HtmlText.h"
#include "exchange/Textbau.h"
#include "exchange/Webfelder.h"

namespace tk::web {

namespace {
    constexpr Qt::CaseSensitivity ci = Qt::CaseInsensitive;

    // A field by its schema.org name; pages also write "RecipeIngredient" or "ItemListElement".
    QJsonValue wert(const QJsonObject& o, const char* name)
    {
        const QLatin1String n(name);
        const auto it = o.constFind(n);
        if (it != o.constEnd())
            return *it;
        for (auto k = o.constBegin(); k != o.constEnd(); ++k)
            if (k.key().compare(n, ci) == 0)
                return *k;
        return QJsonValue(QJsonValue::Undefined);
    }

    bool istTyp(const QString& t, QLatin1String typ)
    {
        QStringView v(t);
        for (const char* vorn : { "http://schema.org/", "https://schema.org/", "http://www.schema.org/",
                 "https://www.schema.org/", "schema:" })
            if (v.startsWith(QLatin1String(vorn), ci)) {
                v = v.mid(qsizetype(qstrlen(vorn)));
                break;
            }
        return v.trimmed().compare(typ, ci) == 0;
    }

    bool hatTyp(const QJsonObject& o, QLatin1String typ)
    {
        const QJsonValue t = wert(o, "@type");
        if (t.isString())
            return istTyp(t.toString(), typ);
        if (t.isArray()) {
            const QJsonArray a = t.toArray();
            return std::any_of(
                a.begin(), a.end(), [typ](const QJsonValue& e) { return istTyp(e.toString(), typ); });
        }
        return false;
    }
}

JsonLdLeser::JsonLdLeser(const QUrl& basis, Lesestand& stand)
    : basis(basis)
    , stand(stand)
{
}

void JsonLdLeser::sammle(const QJsonValue& v, int tiefe)
{
    if (tiefe > kMaxTiefe) {
        stand.zuTief = true;
        return;
    }
    if (v.isArray()) {
        const QJsonArray a = v.toArray();
        for (const QJsonValue& e : a)
            sammle(e, tiefe + 1);
        return;
    }
    if (!v.isObject())
        return;
    const QJsonObject o = v.toObject();
    const QJsonValue id = wert(o, "@id");
    if (id.isString() && o.size() > 1) {
        // Parts of one object may come in several blocks under the same @id: they add up, the
        // first block's value of a field counts.
        QJsonObject& bekannt = ids[id.toString()];
        for (auto it = o.begin(); it != o.end(); ++it)
            if (!bekannt.contains(it.key()))
                bekannt.insert(it.key(), *it);
    }
    if (hatTyp(o, QLatin1String("Recipe"))) {
        if (!id.isString() || !fundIds.contains(id.toString())) {
            if (id.isString())
                fundIds.insert(id.toString());
            funde.append(o);
        }
        return;
    }
    for (auto it = o.begin(); it != o.end(); ++it)
        if (it->isObject() || it->isArray())
            sammle(*it, tiefe + 1);
}

WebRezept JsonLdLeser::rezept(const QJsonObject& fund)
{
    const QJsonValue id = wert(fund, "@id");
    const QJsonObject o = id.isString() ? ids.value(id.toString(), fund) : fund;
    WebRezept r;
    r.titel = text(wert(o, "name"));
    if (r.titel.isEmpty())
        r.titel = text(wert(o, "headline"));
    QJsonValue zutaten = wert(o, "recipeIngredient");
    if (zutaten.isUndefined() || zutaten.isNull())
        zutaten = wert(o, "ingredients");
    zeilen(zutaten, r.zutaten, 0);
    Textbau t(stand);
    schritte(wert(o, "recipeInstructions"), t, 0);
    r.text = t.zeilen;
    r.autor = namen(wert(o, "author"), 0).join(QStringLiteral(", "));
    r.datum = datum(o);
    r.menge = menge(wert(o, "recipeYield"));
    if (r.menge.isEmpty())
        r.menge = menge(wert(o, "yield"));
    for (const char* feld : { "recipeCategory", "recipeCuisine" })
        kategorien(wert(o, feld), r.kategorien, false, 0);
    kategorien(wert(o, "keywords"), r.kategorien, true, 0);
    bilder(wert(o, "image"), r.bilder);
    return r;
}

QJsonValue JsonLdLeser::aufgeloest(const QJsonValue& v) const
{
    if (!v.isObject())
        return v;
    const QJsonObject o = v.toObject();
    const QJsonValue id = wert(o, "@id");
    if (id.isString() && o.size() == 1) {
        const auto it = ids.constFind(id.toString());
        if (it != ids.cend())
            return *it;
    }
    return v;
}

QString JsonLdLeser::skalar(const QJsonValue& v)
{
    if (v.isString())
        return v.toString();
    if (v.isDouble()) {
        const double d = v.toDouble();
        return d == double(qint64(d)) && std::abs(d) < 1e15 ? QString::number(qint64(d)) : QString::number(d);
    }
    return {};
}

QString JsonLdLeser::text(const QJsonValue& roh) const
{
    const QJsonValue v = aufgeloest(roh);
    if (v.isObject()) {
        const QJsonObject o = v.toObject();
        for (const char* k : { "name", "@value", "text" })
            if (const QJsonValue w = wert(o, k); !w.isUndefined())
                return einzeilig(skalar(w));
        return {};
    }
    if (v.isArray()) {
        const QJsonArray a = v.toArray();
        return a.isEmpty() ? QString() : text(a.first());
    }
    return einzeilig(skalar(v));
}

void JsonLdLeser::zeilen(const QJsonValue& roh, QStringList& out, int tiefe)
{
    if (tiefe > 8)
        return;
    const QJsonValue v = aufgeloest(roh);
    if (v.isArray()) {
        const QJsonArray a = v.toArray();
        for (const QJsonValue& e : a) {
            if (out.size() >= kMaxZutaten) {
                stand.gekuerzt = true;
                return;
            }
            const QJsonValue w = aufgeloest(e);
            if (w.isArray()) {
                zeilen(w, out, tiefe + 1);
                continue;
            }
            // One entry holding several lines (line breaks, <br>) is several ingredients.
            for (const QString& z : w.isObject() ? QStringList { text(w) } : klartextZeilen(skalar(w)))
                if (!z.isEmpty() && out.size() < kMaxZutaten)
                    out.append(z);
        }
        return;
    }
    const QString s = v.isObject() ? text(v) : skalar(v);
    for (const QString& z : klartextZeilen(s)) {
        if (out.size() >= kMaxZutaten) {
            stand.gekuerzt = true;
            return;
        }
        out.append(z);
    }
}

void JsonLdLeser::schritte(const QJsonValue& roh, Textbau& t, int tiefe)
{
    if (tiefe > 16 || t.voll())
        return;
    const QJsonValue v = aufgeloest(roh);
    if (v.isArray()) {
        const QJsonArray a = v.toArray();
        for (const QJsonValue& e : a) {
            if (t.voll())
                return;
            schritte(e, t, tiefe + 1);
        }
        return;
    }
    if (v.isObject()) {
        const QJsonObject o = v.toObject();
        const QJsonValue teile = wert(o, "itemListElement");
        const QJsonValue txt = wert(o, "text");
        if (hatTyp(o, QLatin1String("HowToSection")) || (!teile.isUndefined() && !txt.isString())) {
            t.ueberschrift(text(wert(o, "name")));
            schritte(teile, t, tiefe + 1);
            return;
        }
        const QString name = skalar(wert(o, "name"));
        if (skalar(txt).trimmed().isEmpty()) {
            for (const QString& z : klartextZeilen(name))
                t.absatz(z);
            return;
        }
        t.schritt(einzeilig(name), klartextZeilen(skalar(txt)));
        return;
    }
    for (const QString& z : klartextZeilen(skalar(v)))
        t.absatz(z);
}

QStringList JsonLdLeser::namen(const QJsonValue& roh, int tiefe) const
{
    if (tiefe > 4)
        return {};
    const QJsonValue v = aufgeloest(roh);
    QStringList out;
    if (v.isArray()) {
        const QJsonArray a = v.toArray();
        for (const QJsonValue& e : a)
            for (const QString& n : namen(e, tiefe + 1))
                if (!n.isEmpty() && !out.contains(n) && out.size() < 10)
                    out.append(n);
        return out;
    }
    const QString n = text(v);
    if (!n.isEmpty())
        out.append(n);
    return out;
}

QString JsonLdLeser::datum(const QJsonObject& o)
{
    for (const char* feld : { "datePublished", "dateCreated" })
        if (const QString d = datumAus(skalar(wert(o, feld))); !d.isEmpty())
            return d;
    return {};
}

QString JsonLdLeser::menge(const QJsonValue& roh) const
{
    const QJsonValue v = aufgeloest(roh);
    QStringList werte;
    if (v.isArray()) {
        const QJsonArray a = v.toArray();
        for (const QJsonValue& e : a)
            werte.append(text(e));
    } else {
        werte.append(text(v));
    }
    werte.removeAll(QString());
    if (werte.isEmpty())
        return {};
    for (const QString& w : std::as_const(werte))
        if (std::any_of(w.begin(), w.end(), [](QChar c) { return c.isLetter(); }))
            return w;
    return mengeAus(werte.first());
}

void JsonLdLeser::kategorien(const QJsonValue& roh, QStringList& out, bool kommaListe, int tiefe) const
{
    if (tiefe > 4)
        return;
    const QJsonValue v = aufgeloest(roh);
    if (v.isArray()) {
        const QJsonArray a = v.toArray();
        for (const QJsonValue& e : a)
            kategorien(e, out, kommaListe, tiefe + 1);
        return;
    }
    namenDazu(out, text(v), kommaListe);
}

void JsonLdLeser::bilder(const QJsonValue& roh, QList<QUrl>& out)
{
    struct Kandidat {
        QUrl url;
        qint64 flaeche;
    };
    QList<Kandidat> k;
    auto eins = [&](const QJsonValue& e) {
        const QJsonValue w = aufgeloest(e);
        if (w.isString()) {
            k.append({ bildAdresse(w.toString(), basis, stand), 0 });
        } else if (w.isObject()) {
            const QJsonObject o = w.toObject();
            QString url = skalar(wert(o, "url"));
            if (url.isEmpty())
                url = skalar(wert(o, "contentUrl"));
            const qint64 b = skalar(wert(o, "width")).remove(QLatin1String("px")).toLongLong();
            const qint64 h = skalar(wert(o, "height")).remove(QLatin1String("px")).toLongLong();
            k.append(
                { bildAdresse(url, basis, stand), b > 0 && h > 0 && b < 100000 && h < 100000 ? b * h : 0 });
        }
    };
    const QJsonValue v = aufgeloest(roh);
    if (v.isArray()) {
        const QJsonArray a = v.toArray();
        for (qsizetype i = 0; i < a.size() && i < 20; ++i)
            eins(a.at(i));
    } else {
        eins(v);
    }
    std::stable_sort(
        k.begin(), k.end(), [](const Kandidat& a, const Kandidat& b) { return a.flaeche > b.flaeche; });
    for (const Kandidat& c : std::as_const(k))
        bildDazu(out, c.url);
}

QJsonDocument jsonBlock(QString s)
{
    // "<!--", "//<![CDATA[", "// <![CDATA[", "/* <![CDATA[ */" and their ends around the block.
    auto weg = [&s](bool anfang) {
        for (bool weiter = true; weiter;) {
            weiter = false;
            s = s.trimmed();
            while (!anfang && s.endsWith(u';')) {
                s.chop(1);
                weiter = true;
            }
            for (const char* r : { "<!--", "-->", "<![CDATA[", "]]>", "//", "/*", "*/" }) {
                const QLatin1String rand(r);
                if (anfang ? s.startsWith(rand) : s.endsWith(rand)) {
                    if (anfang)
                        s.remove(0, rand.size());
                    else
                        s.chop(rand.size());
                    weiter = true;
                }
            }
        }
    };
    weg(true);
    weg(false);
    // What sites get wrong and browsers forgive: raw line breaks and tabs inside strings (layout of
    // the source, not of the text), a comma before a closing bracket.
    // In place: the block only ever gets shorter.
    QChar* d = s.data();
    const qsizetype n = s.size();
    qsizetype w = 0;
    bool inString = false;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = d[i];
        if (inString) {
            if (c == u'\\' && i + 1 < n) {
                d[w++] = c;
                d[w++] = d[++i];
                continue;
            }
            if (c == u'"')
                inString = false;
        } else if (c == u'"') {
            inString = true;
        } else if (c == u',') {
            qsizetype j = i + 1;
            while (j < n && d[j].isSpace())
                ++j;
            if (j < n && (d[j] == u'}' || d[j] == u']'))
                continue;
        }
        d[w++] = c.unicode() < 0x20 ? QChar(u' ') : c;
    }
    s.truncate(w);
    QJsonParseError fehler;
    const QJsonDocument doc = QJsonDocument::fromJson(s.toUtf8(), &fehler);
    return fehler.error == QJsonParseError::NoError ? doc : QJsonDocument();
}

} // namespace tk::web
