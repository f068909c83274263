#include "exchange/JsonLdLeser.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>

#include "exchange/HtmlText.h"
#include "exchange/Textbau.h"
#include "exchange/Webfelder.h"

namespace tk::web {

namespace {
    constexpr Qt::CaseSensitivity ci = Qt::CaseInsensitive;

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
        const QJsonValue t = o.value(QLatin1String("@type"));
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
    const QJsonValue id = o.value(QLatin1String("@id"));
    if (id.isString() && o.size() > 1 && !ids.contains(id.toString()))
        ids.insert(id.toString(), o);
    if (hatTyp(o, QLatin1String("Recipe"))) {
        funde.append(o);
        return;
    }
    for (auto it = o.begin(); it != o.end(); ++it)
        if (it->isObject() || it->isArray())
            sammle(*it, tiefe + 1);
}

WebRezept JsonLdLeser::rezept(const QJsonObject& o)
{
    WebRezept r;
    r.titel = text(o.value(QLatin1String("name")));
    if (r.titel.isEmpty())
        r.titel = text(o.value(QLatin1String("headline")));
    QJsonValue zutaten = o.value(QLatin1String("recipeIngredient"));
    if (zutaten.isUndefined() || zutaten.isNull())
        zutaten = o.value(QLatin1String("ingredients"));
    zeilen(zutaten, r.zutaten, 0);
    Textbau t(stand);
    schritte(o.value(QLatin1String("recipeInstructions")), t, 0);
    r.text = t.zeilen;
    r.autor = namen(o.value(QLatin1String("author")), 0).join(QStringLiteral(", "));
    r.datum = datum(o);
    r.menge = menge(o.value(QLatin1String("recipeYield")));
    if (r.menge.isEmpty())
        r.menge = menge(o.value(QLatin1String("yield")));
    for (const char* feld : { "recipeCategory", "recipeCuisine" })
        kategorien(o.value(QLatin1String(feld)), r.kategorien, false, 0);
    kategorien(o.value(QLatin1String("keywords")), r.kategorien, true, 0);
    bilder(o.value(QLatin1String("image")), r.bilder);
    return r;
}

QJsonValue JsonLdLeser::aufgeloest(const QJsonValue& v) const
{
    if (!v.isObject())
        return v;
    const QJsonObject o = v.toObject();
    const QJsonValue id = o.value(QLatin1String("@id"));
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
            if (o.contains(QLatin1String(k)))
                return einzeilig(skalar(o.value(QLatin1String(k))));
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
            const QString z = w.isObject() ? text(w) : einzeilig(skalar(w));
            if (!z.isEmpty())
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
        const QJsonValue teile = o.value(QLatin1String("itemListElement"));
        const QJsonValue txt = o.value(QLatin1String("text"));
        if (hatTyp(o, QLatin1String("HowToSection")) || (!teile.isUndefined() && !txt.isString())) {
            t.ueberschrift(text(o.value(QLatin1String("name"))));
            schritte(teile, t, tiefe + 1);
            return;
        }
        const QString s
            = skalar(txt).trimmed().isEmpty() ? skalar(o.value(QLatin1String("name"))) : skalar(txt);
        for (const QString& z : klartextZeilen(s))
            t.absatz(z);
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
        if (const QString d = datumAus(skalar(o.value(QLatin1String(feld)))); !d.isEmpty())
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
            QString url = skalar(o.value(QLatin1String("url")));
            if (url.isEmpty())
                url = skalar(o.value(QLatin1String("contentUrl")));
            const qint64 b = skalar(o.value(QLatin1String("width"))).remove(QLatin1String("px")).toLongLong();
            const qint64 h
                = skalar(o.value(QLatin1String("height"))).remove(QLatin1String("px")).toLongLong();
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
    s = s.trimmed();
    for (const char* vorn : { "<!--", "//<![CDATA[", "<![CDATA[" })
        if (s.startsWith(QLatin1String(vorn)))
            s = s.mid(qsizetype(qstrlen(vorn))).trimmed();
    for (const char* hinten : { "-->", "//]]>", "]]>" })
        if (s.endsWith(QLatin1String(hinten)))
            s.chop(qsizetype(qstrlen(hinten)));
    while (s.endsWith(u';') || s.endsWith(u' ') || s.endsWith(u'\n'))
        s.chop(1);
    QJsonParseError fehler;
    QJsonDocument d = QJsonDocument::fromJson(s.toUtf8(), &fehler);
    if (fehler.error == QJsonParseError::NoError)
        return d;
    // Raw line breaks and tabs inside strings are invalid JSON, but browsers' sites carry them.
    bool anders = false;
    for (QChar& c : s)
        if (c.unicode() < 0x20) {
            c = u' ';
            anders = true;
        }
    if (!anders)
        return {};
    d = QJsonDocument::fromJson(s.toUtf8(), &fehler);
    return fehler.error == QJsonParseError::NoError ? d : QJsonDocument();
}

} // namespace tk::web
