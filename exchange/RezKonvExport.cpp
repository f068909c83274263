#include "exchange/RezKonvExport.h"

namespace tk {

void rezKonvErzeugen(const QString& titel, const QString& autor, const QString& datum, const QString& menge,
    const QStringList& rezeptZeilen, const QStringList& zutaten, QStringList& ziel)
{
    ziel.reserve(ziel.size() + zutaten.size() + rezeptZeilen.size() + 12);
    ziel.append(QStringLiteral("=====REZKONV-Rzpt, Brutzels Tellerkiste====="));
    ziel.append(QString());
    ziel.append(QString());
    ziel.append(QStringLiteral("Titel: ") + titel);
    ziel.append(QStringLiteral("Menge: ") + menge);
    ziel.append(QString());
    ziel += zutaten;
    ziel.append(QString());
    ziel.append(QStringLiteral("=====Quelle====="));
    ziel.append(QStringLiteral("--Erfasst *RK* ") + datum + QStringLiteral(" von"));
    ziel.append(QStringLiteral("--") + autor);
    ziel.append(QString());
    ziel += rezeptZeilen;
    ziel.append(QStringLiteral("====="));
}

QStringList rezKonvErzeugen(const QString& titel, const QString& autor, const QString& datum,
    const QString& menge, const QStringList& rezeptZeilen, const QStringList& zutaten)
{
    QStringList out;
    rezKonvErzeugen(titel, autor, datum, menge, rezeptZeilen, zutaten, out);
    return out;
}

} // namespace tk
