#include "exchange/Textbau.h"

namespace tk::web {

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
    zeilen.append(zeile);
    nachUeberschrift = false;
}

void Textbau::ueberschrift(const QString& name)
{
    if (name.isEmpty() || voll())
        return;
    if (!zeilen.isEmpty())
        zeilen.append(QString());
    zeilen.append(QStringLiteral("=== ") + name + QStringLiteral(" ==="));
    nachUeberschrift = true;
}

} // namespace tk::web
