#include "exchange/gui/PdfAusgabe.h"

#include <QFont>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextLayout>

#include "exchange/gui/Druckausgabe.h"
#include "platform/Error.h"
#include "platform/TextLines.h"

namespace tk {

void schreibePdf(const QString& datei, const QString& titel,
    const std::function<QList<DruckText>(QPrinter&)>& layout, QPageLayout::Orientation lage)
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
        druckeLayout(printer, layout(printer));
    }
    saveBytes(datei, loadBytes(roh));
}

QStringList umbrochen(const QStringList& zeilen, QPrinter& printer, int breite)
{
    QFont font(kDruckSchrift);
    font.setPointSize(10);
    QStringList out;
    for (const QString& z : zeilen) {
        if (z.trimmed().isEmpty()) {
            out.append(z);
            continue;
        }
        QTextLayout layout(z, font, &printer);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(breite);
            QString teil = z.mid(line.textStart(), line.textLength());
            while (teil.endsWith(u' '))
                teil.chop(1);
            out.append(teil);
        }
        layout.endLayout();
    }
    return out;
}

} // namespace tk
