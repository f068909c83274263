#pragma once

#include <QList>
#include <QSize>

#include "exchange/Ausgabe.h"

class QPrinter;

namespace tk {

// The printable area of the printer's page in printer pixels.
QSize druckbereich(const QPrinter& printer);

// Lines broken as they fit on this printer, in the printout's font.
Zeilenumbruch druckUmbruch(QPrinter& printer);

// The printout of a recipe measured on this printer: lines broken at the paper's width, as many
// pages as it takes. The PDF passes the recipe's picture (a JPEG file); an unreadable one is left out.
Drucksatz rezeptDrucksatz(QPrinter& printer, const RezeptAnsicht& a, const QString& bild = {});

// Paints a print layout on the printer as one job, a new sheet for each page of the layout.
// Throws tk::Error when the printer cannot start the job.
void druckeSatz(QPrinter& printer, const Drucksatz& satz);
void druckeLayout(QPrinter& printer, const QList<DruckText>& layout);

} // namespace tk
