#include "exchange/gui/Druckausgabe.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include "platform/Error.h"

namespace tk {

QSize druckbereich(const QPrinter& printer)
{
    return printer.pageLayout().paintRectPixels(printer.resolution()).size();
}

void druckeLayout(QPrinter& printer, const QList<DruckText>& layout)
{
    QPainter p;
    if (!p.begin(&printer))
        throw Error(QStringLiteral("Der Druck konnte nicht begonnen werden."));
    int seite = 0;
    for (const DruckText& t : layout) {
        while (seite < t.seite) {
            printer.newPage();
            ++seite;
        }
        QFont font(kDruckSchrift);
        font.setPointSize(t.pointSize);
        font.setBold(t.bold);
        font.setUnderline(t.underline);
        p.setFont(font);
        // The layout gives the text's top-left corner; drawText wants the baseline.
        const QFontMetrics fm(font, &printer);
        p.drawText(t.x, t.y + fm.ascent(), t.text);
    }
    if (!p.end())
        throw Error(QStringLiteral("Der Druck konnte nicht abgeschlossen werden."));
}

} // namespace tk
