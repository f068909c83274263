#include "exchange/Textstrom.h"

#include <QRegularExpression>
#include <algorithm>

#include "exchange/HtmlText.h"
#include "exchange/Textbau.h"

namespace tk::web {

namespace {
    int ueberschriftEbene(const xmlNode* n)
    {
        static const char* const namen[] = { "h1", "h2", "h3", "h4", "h5", "h6" };
        for (int i = 0; i < 6; ++i)
            if (heisst(n, namen[i]))
                return i + 1;
        return 0;
    }

    bool ausgelassen(const xmlNode* n)
    {
        return unsichtbar(n) || heisst(n, "nav") || heisst(n, "footer") || heisst(n, "button")
            || heisst(n, "select") || heisst(n, "textarea") || heisst(n, "iframe") || heisst(n, "svg");
    }

    bool fett(const xmlNode* n) { return heisst(n, "strong") || heisst(n, "b"); }

    // A heading is short and says only what follows: "Zutaten für 4 Personen:", not a sentence.
    constexpr auto kOptionen
        = QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption;

    QString kopfName(const QString& text)
    {
        QString t = text.trimmed();
        while (t.endsWith(u':') || t.endsWith(u' '))
            t.chop(1);
        return t;
    }

    // List items where the part is mostly a list (the text around it is talk), else its paragraphs.
    // Steps are never bare links.
    struct Auswahl {
        bool punkte = false;
        bool links = true;

        Auswahl(const QList<Textstueck>& strom, qsizetype von, qsizetype bis, bool linksErlaubt)
            : links(linksErlaubt)
        {
            qsizetype p = 0;
            qsizetype a = 0;
            for (qsizetype i = von; i < bis; ++i) {
                const Textstueck& t = strom.at(i);
                p += t.art == Textstueck::Punkt && !t.nurLink;
                a += t.art == Textstueck::Absatz && !t.nurLink;
            }
            punkte = p > 0 && p * 2 >= a;
        }

        bool nimmt(const Textstueck& t) const
        {
            if (t.nurLink && (!links || !punkte))
                return false;
            return t.art == (punkte ? Textstueck::Punkt : Textstueck::Absatz);
        }
    };
}

namespace {
    bool kopfPasst(const QString& text, const QRegularExpression& muster)
    {
        return text.size() <= 60 && muster.match(kopfName(text)).hasMatch();
    }

    // What a heading adds to its kind: "für den Teig" in "Zutaten für den Teig"; nothing for "Zutaten"
    // or "Zutaten für 4 Personen".
    QString zusatz(const QString& text, const QRegularExpression& muster)
    {
        const QString rest = muster.match(kopfName(text)).captured(QStringLiteral("rest"));
        if (std::any_of(rest.begin(), rest.end(), [](QChar c) { return c.isDigit(); })
            || std::none_of(rest.begin(), rest.end(), [](QChar c) { return c.isLetter(); }))
            return {};
        return rest;
    }

    const QRegularExpression& zutatenMuster()
    {
        static const QRegularExpression muster(
            QStringLiteral(
                "^((die |the )?(zutaten|zutatenliste|ingredients?|ingrédients|ingrediënten|ingredienti|"
                "ingredientes|ingredienser|ingredienser|ainekset|składniki|benodigdheden|"
                "was (du|sie|ihr) brauch(st|en|t)|what you('|’)?ll need|you('|’)?ll need|what you need|"
                "things you('|’)?ll need)(?<rest>\\W.*)?|(für|for|pour|voor|per|til)\\W+\\d+(\\W\\d+)?\\W+"
                "(personen|portionen|personnes|persons?|people|servings?|porties|stück|stk|pers)\\W*)$"),
            kOptionen);
        return muster;
    }

    const QRegularExpression& schritteMuster()
    {
        static const QRegularExpression muster(
            QStringLiteral("^(die |the )?(zubereitung|anleitung|so geht('|’)?s|so wird('|’)?s gemacht|"
                           "arbeitsschritte|(cooking |recipe )?instructions?|method|directions|preparation|"
                           "préparation|bereiding(swijze)?|werkwijze|aan de slag|fremgangsmåde|tilberedning|"
                           "fremgangsmåte|preparazione|procedimento|preparación|elaboración|modo de preparo|"
                           "steps|let('|’)?s get started|get started|how to make( it)?)(?<rest>\\W.*)?$"),
            kOptionen);
        return muster;
    }

    // A piece that is only a bullet or a rule ("•", "—", "* * *").
    bool nurZeichen(const QString& text)
    {
        return std::none_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
    }
}

QString kopfZusatz(const QString& text)
{
    if (istZutatenKopf(text))
        return zusatz(text, zutatenMuster());
    if (istSchritteKopf(text))
        return zusatz(text, schritteMuster());
    return {};
}

bool istZutatenKopf(const QString& text) { return kopfPasst(text, zutatenMuster()); }

bool istSchritteKopf(const QString& text) { return kopfPasst(text, schritteMuster()); }

bool istEndeKopf(const QString& text)
{
    static const QRegularExpression muster(
        QStringLiteral(
            "^(notes?|notizen|tipps?|tips|hinweise?|anmerkungen?|nutrition|nährwerte|comments?|"
            "kommentare?|reviews?|bewertungen?|share|teilen|related|more recipes|weitere rezepte|"
            "you (may|might) also like|das könnte|ähnliche|auch lecker|equipment|video|storage|aufbewahrung|"
            "conservation|faq)(\\W.*)?$"),
        kOptionen);
    return kopfPasst(text, muster);
}

QStringList zutatenAus(const QList<Textstueck>& strom, qsizetype von, qsizetype bis)
{
    QStringList out;
    const Auswahl auswahl(strom, von, bis, true);
    for (qsizetype i = von; i < bis; ++i) {
        const Textstueck& t = strom.at(i);
        if (istKopf(t)) {
            // "Zutaten" heads nothing of its own; "Zutaten für den Teig" and "Für den Belag" head a group.
            const QString k = kopfName(t.text);
            if (!k.isEmpty() && !nurZeichen(k) && (!istZutatenKopf(k) || !kopfZusatz(k).isEmpty()))
                out.append(QStringLiteral("=== ") + k + QStringLiteral(" ==="));
        } else if (auswahl.nimmt(t) && !nurZeichen(t.text)) {
            out.append(t.text);
        }
    }
    return out;
}

void schritteAus(const QList<Textstueck>& strom, qsizetype von, qsizetype bis, Textbau& text)
{
    const Auswahl auswahl(strom, von, bis, false);
    for (qsizetype i = von; i < bis; ++i) {
        const Textstueck& t = strom.at(i);
        if (istKopf(t)) {
            const QString k = kopfName(t.text);
            if (!nurZeichen(k) && !istNummer(k) && (!istSchritteKopf(k) || !kopfZusatz(k).isEmpty()))
                text.ueberschrift(k);
        } else if (auswahl.nimmt(t) && !istNummer(t.text) && !nurZeichen(t.text)) {
            text.absatz(t.text);
        }
    }
}

bool istKopf(const Textstueck& t) { return t.art == Textstueck::Ueberschrift || t.art == Textstueck::Fett; }

QList<Textstueck> textstrom(xmlNode* start, qsizetype max)
{
    QList<Textstueck> out;
    QList<xmlNode*> bloecke; // open blocks, innermost last
    QString text;
    qsizetype zeichen = 0; // visible characters of the piece
    qsizetype fettZeichen = 0; // of those, inside <strong> or <b>
    qsizetype linkZeichen = 0; // inside <a>
    int inFett = 0;
    int inLink = 0;
    auto abschluss = [&]() {
        const QString s = text.simplified();
        text.clear();
        const bool ganzFett = zeichen > 0 && fettZeichen == zeichen;
        const bool ganzLink = zeichen > 0 && linkZeichen == zeichen;
        zeichen = fettZeichen = linkZeichen = 0;
        if (s.isEmpty() || out.size() >= max)
            return;
        Textstueck t;
        t.text = s;
        t.nurLink = ganzLink;
        t.knoten = bloecke.isEmpty() ? start : bloecke.constLast();
        for (qsizetype i = bloecke.size() - 1; i >= 0; --i) {
            if (const int e = ueberschriftEbene(bloecke.at(i))) {
                t.art = Textstueck::Ueberschrift;
                t.ebene = e;
                break;
            }
            if (heisst(bloecke.at(i), "li")) {
                t.art = Textstueck::Punkt;
                break;
            }
            if (heisst(bloecke.at(i), "dt")) {
                t.art = Textstueck::Fett;
                break;
            }
        }
        if (t.art != Textstueck::Ueberschrift && ganzFett && s.size() <= 80)
            t.art = Textstueck::Fett;
        out.append(std::move(t));
    };
    durchlaufe(
        start,
        [&](xmlNode* n) {
            if (n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) {
                if (n->content) {
                    const QString s = QString::fromUtf8(reinterpret_cast<const char*>(n->content));
                    text += s;
                    for (QChar c : s)
                        if (!c.isSpace()) {
                            ++zeichen;
                            if (inFett)
                                ++fettZeichen;
                            if (inLink)
                                ++linkZeichen;
                        }
                }
                return false;
            }
            if (!istElement(n) || ausgelassen(n) || out.size() >= max)
                return false;
            if (heisst(n, "br")) {
                abschluss();
            } else if (block(n) || heisst(n, "li") || ueberschriftEbene(n)) {
                abschluss();
                bloecke.append(n);
            } else if (heisst(n, "td") || heisst(n, "th")) {
                text += u' ';
            } else if (fett(n)) {
                ++inFett;
            } else if (heisst(n, "a")) {
                ++inLink;
            }
            return true;
        },
        [&](xmlNode* n) {
            if (!istElement(n))
                return;
            if (!bloecke.isEmpty() && bloecke.constLast() == n) {
                abschluss();
                bloecke.removeLast();
            } else if (fett(n) && inFett > 0) {
                --inFett;
            } else if (heisst(n, "a") && inLink > 0) {
                --inLink;
            }
        });
    abschluss();
    return out;
}

} // namespace tk::web
