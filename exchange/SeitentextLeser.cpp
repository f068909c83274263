#include "exchange/SeitentextLeser.h"

#include <QRegularExpression>

#include "exchange/Textbau.h"
#include "exchange/Textstrom.h"

namespace tk::web {

namespace {
    constexpr qsizetype kMaxTeil = 300; // pieces of one part: a recipe's list is shorter

    enum class Teil { Zutaten, Schritte };

    // A heading of a part may also be a short line that is no heading element ("<div
    // class=title>Zutaten</div>"); a tab or a table of contents gives an empty part and is passed over.
    bool kopfStelle(const Textstueck& t) { return istKopf(t) || t.text.size() <= 40; }

    // Where the part headed by strom[kopf] ends: at the next part's heading, at what follows a recipe,
    // at a heading of the same or a higher rank.
    qsizetype teilEnde(const QList<Textstueck>& strom, qsizetype kopf, Teil teil)
    {
        const int ebene = strom.at(kopf).art == Textstueck::Ueberschrift ? strom.at(kopf).ebene : 7;
        const qsizetype ende = std::min(strom.size(), kopf + 1 + kMaxTeil);
        bool punkte = false;
        int absaetze = 0;
        for (qsizetype i = kopf + 1; i < ende; ++i) {
            const Textstueck& t = strom.at(i);
            if (t.art == Textstueck::Ueberschrift && t.ebene <= ebene && kopfZusatz(t.text).isEmpty())
                return i;
            // After a list, running text is the page talking again (comments, notes).
            if (t.art == Textstueck::Punkt && !t.nurLink) {
                punkte = true;
                absaetze = 0;
            } else if (t.art == Textstueck::Absatz && !t.nurLink && punkte && ++absaetze == 2) {
                return i - 1;
            } else if (istKopf(t)) {
                absaetze = 0;
            }
            if (!kopfStelle(t))
                continue;
            // "Ingredients for Topping" after "Ingredients for Filling" heads the next group.
            const bool gruppe = !kopfZusatz(t.text).isEmpty();
            // "Method" may hold "Preparation" and "Cooking".
            const bool tiefer = t.art == Textstueck::Ueberschrift && t.ebene > ebene;
            if (istEndeKopf(t.text) || (istZutatenKopf(t.text) && !(teil == Teil::Zutaten && gruppe))
                || (istSchritteKopf(t.text) && !(teil == Teil::Schritte && (gruppe || tiefer))))
                return i;
        }
        return ende;
    }

    qsizetype zeilenOhneKoepfe(const QStringList& zeilen)
    {
        return std::count_if(zeilen.begin(), zeilen.end(),
            [](const QString& z) { return !z.startsWith(QLatin1String("=== ")); });
    }

    QString mengeAusKopf(const QString& text)
    {
        static const QRegularExpression menge(
            QStringLiteral(
                "\\d+(\\s*[-–]\\s*\\d+)?\\s*(personen|portionen|personnes|persons?|people|servings?|porties|"
                "stück|pers)\\b"),
            QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
        return menge.match(text).captured();
    }

    bool istMengenzeile(const QString& text)
    {
        static const QRegularExpression menge(
            QStringLiteral(
                "^(serves|makes|yields?|servings|portionen|personen|porties|pour|für|for)\\b\\W*\\d"),
            QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
        return text.size() <= 40 && menge.match(text).hasMatch();
    }
}

SeitentextLeser::SeitentextLeser(Lesestand& stand)
    : stand(stand)
{
}

WebRezept SeitentextLeser::rezept(xmlNode* wurzel, const Seitenkopf& kopf)
{
    WebRezept r;
    const QList<Textstueck> strom = textstrom(wurzel);
    qsizetype zutatenKopf = -1;
    qsizetype zutatenEnde = -1;
    for (qsizetype i = 0; i < strom.size() && zutatenKopf < 0; ++i) {
        if (!kopfStelle(strom.at(i)) || !istZutatenKopf(strom.at(i).text))
            continue;
        const qsizetype ende = teilEnde(strom, i, Teil::Zutaten);
        // A heading that names its group ("Ingredients for Filling") heads the first group too.
        QStringList zeilen = zutatenAus(strom, kopfZusatz(strom.at(i).text).isEmpty() ? i + 1 : i, ende);
        if (zeilenOhneKoepfe(zeilen) < 2)
            continue;
        zutatenKopf = i;
        zutatenEnde = ende;
        r.zutaten = std::move(zeilen);
    }
    if (zutatenKopf < 0)
        return {};

    r.titel = kopf.rezeptTitel();
    r.autor = kopf.autor;

    r.menge = mengeAusKopf(strom.at(zutatenKopf).text);
    for (qsizetype i = std::max<qsizetype>(0, zutatenKopf - 60); i < zutatenKopf && r.menge.isEmpty(); ++i)
        if (istMengenzeile(strom.at(i).text))
            r.menge = strom.at(i).text;

    // The steps follow the ingredients, on a few pages they come first.
    for (qsizetype k = 0; k < strom.size() && r.text.isEmpty(); ++k) {
        const qsizetype i = (zutatenEnde + k) % strom.size();
        if (!kopfStelle(strom.at(i)) || !istSchritteKopf(strom.at(i).text))
            continue;
        Textbau text(stand);
        schritteAus(strom, kopfZusatz(strom.at(i).text).isEmpty() ? i + 1 : i,
            teilEnde(strom, i, Teil::Schritte), text);
        r.text = text.zeilen;
    }
    return r;
}

} // namespace tk::web
