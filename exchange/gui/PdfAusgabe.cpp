#include "exchange/gui/PdfAusgabe.h"

#include <QFont>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include "exchange/gui/Druckausgabe.h"
#include "platform/Error.h"
#include "platform/TextLines.h"

namespace tk {

void schreibePdf(const QString& datei, const QString& titel,
    const std::function<QList<DruckText>(QPrinter&)>& layout, QPageLayout::Orientation lage)
{
    schreibePdf(
        datei, titel,
        [&](QPrinter& printer) {
            return Drucksatz { layout(printer), {} };
        },
        lage);
}

void schreibePdf(const QString& datei, const QString& titel, const std::function<Drucksatz(QPrinter&)>& satz,
    QPageLayout::Orientation lage)
{
    // The printer writes straight into its file; it goes to a scratch file first, so a failure
    // half-way leaves the user's file as it was.
    QTemporaryDir tmp;
    if (!tmp.isValid())
        throw Error(cannotWriteMessage(datei));
    const QString roh = tmp.filePath(QStringLiteral("ausgabe.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(roh);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(lage);
        printer.setDocName(titel);
        printer.setCreator(QStringLiteral("Tellerkiste"));
        druckeSatz(printer, satz(printer));
    }
    saveBytes(datei, loadBytes(roh));
}

QStringList umbrochen(const QStringList& zeilen, QPrinter& printer, int breite)
{
    const Zeilenumbruch umbruch = druckUmbruch(printer);
    QStringList out;
    for (const QString& z : zeilen)
        out += umbruch(z, 10, false, breite);
    return out;
}

} // namespace tk
