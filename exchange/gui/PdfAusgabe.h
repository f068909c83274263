#pragma once

#include <QList>
#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <functional>

#include "exchange/Ausgabe.h"

class QPrinter;

namespace tk {

// Paints a print layout into a PDF file (A4, no print dialog). The layout is asked for with the
// printer, so it can measure; the file is replaced whole. Throws tk::Error.
void schreibePdf(const QString& datei, const QString& titel,
    const std::function<QList<DruckText>(QPrinter&)>& layout,
    QPageLayout::Orientation lage = QPageLayout::Portrait);
void schreibePdf(const QString& datei, const QString& titel, const std::function<Drucksatz(QPrinter&)>& satz,
    QPageLayout::Orientation lage = QPageLayout::Portrait);

// Lines broken to the given width in printer pixels, in the printout's text font.
QStringList umbrochen(const QStringList& zeilen, QPrinter& printer, int breite);

} // namespace tk
