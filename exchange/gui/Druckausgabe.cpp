#include "exchange/gui/Druckausgabe.h"

#include <QFont>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>

#include "platform/Error.h"
#include "platform/gui/Jpeg.h"

namespace tk {

QSize druckbereich(const QPrinter& printer)
{
    return printer.pageLayout().paintRectPixels(printer.resolution()).size();
}

Zeilenumbruch druckUmbruch(QPrinter& printer)
{
    return [&printer](const QString& text, int pointSize, bool bold, int breite) {
        if (text.trimmed().isEmpty())
            return QStringList { text };
        QFont font(kDruckSchrift);
        font.setPointSize(pointSize);
        font.setBold(bold);
        QTextLayout layout(text, font, &printer);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        QStringList out;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(breite);
            QString teil = text.mid(line.textStart(), line.textLength());
            while (teil.endsWith(u' '))
                teil.chop(1);
            out.append(teil);
        }
        layout.endLayout();
        return out;
    };
}

Drucksatz rezeptDrucksatz(QPrinter& printer, const RezeptAnsicht& a, const QString& bild)
{
    const QSize bereich = druckbereich(printer);
    QSize groesse;
    if (!bild.isEmpty()) {
        // Only the size is needed here; the picture is decoded when it is painted.
        QImageReader leser(bild);
        groesse = leser.size();
        if (!groesse.isValid()) {
            try {
                groesse = loadPicture(bild).size();
            } catch (const std::exception&) {
                groesse = {};
            }
        }
    }
    QFont text(kDruckSchrift);
    text.setPointSize(10);
    return drucksatz(a, bereich.width(), bereich.height(), druckUmbruch(printer),
        QFontMetrics(text, &printer).lineSpacing(), groesse.isValid() ? bild : QString(), groesse);
}

namespace {
    void maleBild(QPainter& p, const QPrinter& printer, const DruckBild& b)
    {
        QImage bild;
        try {
            bild = loadPicture(b.datei);
        } catch (const std::exception&) {
            return; // a picture that cannot be read leaves its place empty; the recipe is printed
        }
        // 300 dots per inch are plenty for a photo; more only makes the file big.
        const QSize genug = b.ziel.size() * 300 / std::max(1, printer.resolution());
        if (bild.width() > genug.width() && genug.width() > 0)
            bild = bild.scaled(genug, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        p.drawImage(b.ziel, bild);
    }
}

void druckeSatz(QPrinter& printer, const Drucksatz& satz)
{
    QPainter p;
    if (!p.begin(&printer))
        throw Error(QStringLiteral("Der Druck konnte nicht begonnen werden."));
    // The texts come page by page; each sheet gets its pictures first.
    int seite = 0;
    auto bilderDerSeite = [&] {
        for (const DruckBild& b : satz.bilder)
            if (b.seite == seite)
                maleBild(p, printer, b);
    };
    bilderDerSeite();
    for (const DruckText& t : satz.texte) {
        while (seite < t.seite) {
            printer.newPage();
            ++seite;
            bilderDerSeite();
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

void druckeLayout(QPrinter& printer, const QList<DruckText>& layout) { druckeSatz(printer, { layout, {} }); }

} // namespace tk
