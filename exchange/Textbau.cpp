#include "exchange/Textbau.h"

#include <QRegularExpression>

#include "exchange/Textstrom.h"

namespace tk::web {

namespace {
    // Letters and digits only, in lower case: "Step 1: Mix" and "step 1 - mix..." are alike.
    QString kern(const QString& s)
    {
        QString out;
        out.reserve(s.size());
        for (QChar c : s)
            if (c.isLetterOrNumber())
                out += c.toLower();
        return out;
    }

    // "gazpacho_r step 1", a whole step as its own name: names made for programs, not for cooks.
    bool keinName(const QString& name)
    {
        static const QRegularExpression nummer(
            QStringLiteral("\\W(schritt|step|stap|étape|etape|paso|passo|steg|trin|krok|vaihe)\\W*\\d+\\W*$"),
            QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
        return name.size() > 120 || name.contains(u'_') || istNummer(name) || nummer.match(name).hasMatch();
    }
}

bool istNummer(const QString& text)
{
    static const QRegularExpression nummer(
        QStringLiteral("^\\W*(schritt|step|stap|étape|etape|paso|passo|steg|trin|krok|vaihe)?\\W*\\d+\\W*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return text.size() <= 20 && nummer.match(text).hasMatch();
}

bool Textbau::voll()
{
    if (zeilen.size() < kMaxTextzeilen)
        return false;
    stand.gekuerzt = true;
    return true;
}

void Textbau::absatz(const QString& zeile)
{
    if (voll())
        return;
    if (!zeilen.isEmpty() && !nachUeberschrift)
        zeilen.append(QString());
    // Sites that strip their steps' markup run the sentences together: "schneiden.Öl in …".
    static const QRegularExpression verklebt(QStringLiteral("(?<=[\\p{Ll})])([.!?])(?=\\p{Lu})"));
    zeilen.append(
        zeile.contains(verklebt) ? QString(zeile).replace(verklebt, QStringLiteral("\\1 ")) : zeile);
    nachUeberschrift = false;
}

void Textbau::ueberschrift(const QString& name)
{
    // "=== Zubereitung ===" above the steps says what the whole text is.
    if (name.isEmpty() || voll() || (istSchritteKopf(name) && kopfZusatz(name).isEmpty()))
        return;
    if (!zeilen.isEmpty() && !nachUeberschrift)
        zeilen.append(QString());
    zeilen.append(QStringLiteral("=== ") + name + QStringLiteral(" ==="));
    nachUeberschrift = true;
}

void Textbau::schritt(const QString& name, const QStringList& text)
{
    QString n = name.trimmed();
    while (n.endsWith(QChar(0x2026)) || n.endsWith(u'.'))
        n.chop(1);
    const QString k = kern(n);
    // A name several steps share ("Ajout d'ingrédient") is a kind of step, no name: its first heading
    // goes again and the name heads no more steps.
    if (const auto it = schrittNamen.find(k); !k.isEmpty() && it != schrittNamen.end()) {
        if (*it >= 0) {
            zeilen.removeAt(*it);
            for (qsizetype& i : schrittNamen)
                if (i > *it)
                    --i;
            *it = -1;
        }
    } else if (!k.isEmpty() && !keinName(name) && !kern(text.join(QString())).startsWith(k)) {
        const qsizetype vorher = zeilen.size();
        ueberschrift(name.trimmed());
        schrittNamen.insert(k, zeilen.size() > vorher ? zeilen.size() - 1 : -1);
    }
    for (const QString& z : text)
        absatz(z);
}

} // namespace tk::web
