#pragma once

#include <QList>
#include <QSize>

#include "exchange/Ausgabe.h"

class QPrinter;

namespace tk {

// The printable area of the printer's page in printer pixels.
QSize druckbereich(const QPrinter& printer);

// Paints a print layout on the printer as one job, a new sheet for each page of the layout.
// Throws tk::Error when the printer cannot start the job.
void druckeLayout(QPrinter& printer, const QList<DruckText>& layout);

} // namespace tk
