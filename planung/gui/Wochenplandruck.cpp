#include "planung/gui/Wochenplandruck.h"

#include <QFont>
#include <QFontMetrics>
#include <QPrinter>
#include <QTextLayout>
#include <QTextOption>

#include "exchange/gui/Druckausgabe.h"
#include "planung/Wochenplan.h"

namespace tk {

namespace {
    QStringList umbrechen(const QString& text, const QFont& font, QPrinter& printer, int breite)
    {
        QStringList out;
        QTextLayout layout(text, font, &printer);
        // A word longer than the column is broken, not printed into the next day.
        QTextOption umbruch;
        umbruch.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(umbruch);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(breite);
            out.append(text.mid(line.textStart(), line.textLength()).trimmed());
        }
        layout.endLayout();
        return out;
    }

    struct Spalte {
        QList<QStringList> eintraege; // each entry's lines
        int hoehe = 0;
    };
}

QList<DruckText> wochenplanDruck(QPrinter& printer, QDate montag, const QList<QStringList>& tage)
{
    const QSize bereich = druckbereich(printer);
    const int u = druckEinheit(bereich.width());
    const int rand = 20 * u;
    const int spaltenBreite = (bereich.width() - 2 * rand) / 7;
    const int luecke = 6 * u; // between the columns

    QList<DruckText> out;
    const QString kopf = QStringLiteral("Wochenplan – ") + wochenText(montag);
    out.append({ kopf, 16, true, false, rand, rand, 0 });
    const int kopfHoehe = QFontMetrics(QFont(kDruckSchrift, 16), &printer).lineSpacing();
    const int tagY = rand + kopfHoehe + 10 * u;

    // The largest type at which the fullest day fits the page, at least 6 points.
    int groesse = 14;
    QList<Spalte> spalten;
    int zeilenHoehe = 0;
    int tagHoehe = 0;
    int kopfzeile = 0;
    for (; groesse >= 6; --groesse) {
        const QFont font(kDruckSchrift, groesse);
        const QFontMetrics fm(font, &printer);
        zeilenHoehe = fm.lineSpacing();
        kopfzeile = QFontMetrics(QFont(kDruckSchrift, groesse + 1), &printer).lineSpacing();
        tagHoehe = 2 * kopfzeile + zeilenHoehe / 2;
        spalten.clear();
        int hoechste = 0;
        for (int t = 0; t < 7; ++t) {
            Spalte s;
            for (const QString& e : tage.value(t)) {
                s.eintraege.append(umbrechen(e, font, printer, spaltenBreite - luecke));
                s.hoehe += int(s.eintraege.last().size()) * zeilenHoehe + zeilenHoehe / 2;
            }
            hoechste = std::max(hoechste, s.hoehe);
            spalten.append(s);
        }
        if (tagY + tagHoehe + hoechste <= bereich.height())
            break;
    }
    groesse = std::max(groesse, 6);

    for (int t = 0; t < 7; ++t) {
        const int x = rand + t * spaltenBreite;
        const QDate tag = montag.addDays(t);
        out.append({ wochentag(t), groesse + 1, true, true, x, tagY, 0 });
        out.append({ tag.toString(QStringLiteral("dd.MM.yyyy")), groesse + 1, false, false, x,
            tagY + kopfzeile, 0 });
        int y = tagY + tagHoehe;
        bool voll = false;
        for (const QStringList& zeilen : spalten.value(t).eintraege) {
            for (const QString& zeile : zeilen) {
                if (y + zeilenHoehe > bereich.height()) {
                    out.last().text += QStringLiteral(" …");
                    voll = true;
                    break;
                }
                out.append({ zeile, groesse, false, false, x, y, 0 });
                y += zeilenHoehe;
            }
            if (voll)
                break;
            y += zeilenHoehe / 2;
        }
    }
    return out;
}

} // namespace tk
