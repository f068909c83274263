#pragma once

#include <QString>
#include <QStringList>

namespace tk {

// The recipe on show as RezKonv exchange text. Appends the lines to ziel; values go in as they are,
// nothing is indented, padded or wrapped.
void rezKonvErzeugen(const QString& titel, const QString& autor, const QString& datum, const QString& menge,
    const QStringList& rezeptZeilen, const QStringList& zutaten, QStringList& ziel);

QStringList rezKonvErzeugen(const QString& titel, const QString& autor, const QString& datum,
    const QString& menge, const QStringList& rezeptZeilen, const QStringList& zutaten);

} // namespace tk
