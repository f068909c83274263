#pragma once

#include <QDate>
#include <QList>
#include <QStringList>

#include "exchange/Ausgabe.h"

class QPrinter;

namespace tk {

// The week on one page of the printer (meant for landscape): a heading, then one column per day with the
// day's name and date above its entries, each entry broken to the column's width. The type gets smaller
// until the fullest day fits; what does not fit even then ends in "…". tage: Monday to Sunday.
QList<DruckText> wochenplanDruck(QPrinter& printer, QDate montag, const QList<QStringList>& tage);

} // namespace tk
