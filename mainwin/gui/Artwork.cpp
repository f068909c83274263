#include "mainwin/gui/Artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace tk {

namespace {
    QPixmap canvas(int w, int h)
    {
        QPixmap pm(w, h);
        pm.fill(Qt::transparent);
        return pm;
    }

    // A five-pointed star around centre c.
    QPainterPath star(QPointF c, double outer, double inner)
    {
        QPainterPath path;
        for (int i = 0; i < 10; ++i) {
            const double r = (i % 2 == 0) ? outer : inner;
            const double a = -M_PI / 2 + i * M_PI / 5;
            const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
            if (i == 0)
                path.moveTo(pt);
            else
                path.lineTo(pt);
        }
        path.closeSubpath();
        return path;
    }
}

QPixmap toolbarPicture(int tag, ToolbarState state)
{
    QPixmap pm = canvas(30, 30);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const int shift = state == ToolbarState::Down ? 1 : 0;
    p.translate(shift, shift);
    if (state != ToolbarState::Normal) {
        p.setPen(QPen(QColor(120, 120, 160), 1));
        p.setBrush(state == ToolbarState::Over ? QColor(255, 244, 200) : QColor(235, 220, 170));
        p.drawRoundedRect(QRectF(1.5, 1.5, 26, 26), 4, 4);
    }
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(10);
    p.setFont(f);
    const QColor ink(40, 60, 110);
    switch (tag) {
    case 1: // A-Z with arrow
        p.setPen(ink);
        p.drawText(QRectF(3, 2, 16, 12), Qt::AlignCenter, QStringLiteral("A"));
        p.drawText(QRectF(3, 15, 16, 12), Qt::AlignCenter, QStringLiteral("Z"));
        p.setPen(QPen(QColor(200, 60, 40), 2));
        p.drawLine(QPointF(22, 5), QPointF(22, 24));
        p.drawLine(QPointF(18, 20), QPointF(22, 25));
        p.drawLine(QPointF(26, 20), QPointF(22, 25));
        break;
    case 2: { // list in entry order: 1 2 3
        f.setPixelSize(8);
        p.setFont(f);
        for (int i = 0; i < 3; ++i) {
            p.setPen(ink);
            p.drawText(QRectF(3, 4 + i * 8, 8, 8), Qt::AlignCenter, QString::number(i + 1));
            p.setPen(QPen(QColor(90, 110, 150), 2));
            p.drawLine(QPointF(13, 8.5 + i * 8), QPointF(26, 8.5 + i * 8));
        }
        break;
    }
    case 3: // magnifier
        p.setPen(QPen(ink, 2.5));
        p.setBrush(QColor(200, 225, 250, 180));
        p.drawEllipse(QPointF(12.5, 12.5), 7, 7);
        p.setPen(QPen(QColor(120, 80, 40), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(18, 18), QPointF(25, 25));
        break;
    case 4: // printer
        p.setPen(QPen(ink, 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 4, 12, 8));
        p.setBrush(QColor(150, 160, 180));
        p.drawRoundedRect(QRectF(4, 11, 22, 10), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, 17, 14, 9));
        p.setPen(QPen(QColor(120, 120, 120), 1));
        p.drawLine(QPointF(10, 21), QPointF(20, 21));
        p.drawLine(QPointF(10, 23.5), QPointF(18, 23.5));
        break;
    default: // favourite star
        p.setPen(QPen(QColor(170, 110, 0), 1.2));
        p.setBrush(state == ToolbarState::Normal ? QColor(250, 200, 40) : QColor(255, 220, 80));
        p.drawPath(star(QPointF(15, 15.5), 12, 5));
        break;
    }
    return pm;
}

QIcon categoryIcon(int category)
{
    static const QColor colours[15] = {
        QColor(90, 90, 90),
        QColor(230, 120, 170),
        QColor(70, 160, 60),
        QColor(180, 50, 40),
        QColor(50, 110, 200),
        QColor(120, 80, 40),
        QColor(230, 170, 60),
        QColor(220, 130, 30),
        QColor(100, 190, 80),
        QColor(130, 130, 170),
        QColor(230, 230, 200),
        QColor(230, 200, 90),
        QColor(60, 140, 160),
        QColor(190, 140, 70),
        QColor(250, 200, 40),
    };
    QPixmap pm = canvas(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = colours[std::clamp(category, 0, 14)];
    p.setPen(QPen(c.darker(160), 1));
    p.setBrush(c);
    switch (category) {
    case 0: // all: stacked cards
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 2.5, 9, 11));
        p.drawRect(QRectF(2.5, 4.5, 9, 11));
        break;
    case 1: // dessert: bowl with cherry
        p.drawChord(QRectF(2, 3, 12, 12), 180 * 16, 180 * 16);
        p.setBrush(QColor(200, 20, 40));
        p.drawEllipse(QPointF(8, 5), 2.2, 2.2);
        break;
    case 2: // vegetable: carrot
        p.setBrush(QColor(240, 130, 30));
        p.drawPolygon(QPolygonF({ QPointF(4, 5), QPointF(10, 5), QPointF(7, 15) }));
        p.setBrush(c);
        p.drawEllipse(QPointF(7, 3), 3, 2);
        break;
    case 3: // meat: steak
        p.drawEllipse(QRectF(2, 4, 12, 9));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(10, 8), 1.8, 1.8);
        break;
    case 4: // fish
        p.drawEllipse(QRectF(2, 5, 10, 6));
        p.drawPolygon(QPolygonF({ QPointF(11, 8), QPointF(15, 4), QPointF(15, 12) }));
        break;
    case 5: // game: antler
        p.setPen(QPen(c, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 15), QPointF(8, 3));
        p.drawLine(QPointF(8, 8), QPointF(3, 4));
        p.drawLine(QPointF(8, 6), QPointF(13, 2));
        p.drawLine(QPointF(8, 11), QPointF(13, 8));
        break;
    case 6: // poultry: drumstick
        p.drawEllipse(QRectF(2, 2, 9, 9));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 9, 5, 2.5));
        break;
    case 7: // soup: pot with steam
        p.drawRect(QRectF(2, 7, 12, 7));
        p.setPen(QPen(QColor(150, 150, 150), 1));
        p.drawLine(QPointF(5, 5), QPointF(5, 2));
        p.drawLine(QPointF(8, 5), QPointF(8, 1));
        p.drawLine(QPointF(11, 5), QPointF(11, 2));
        break;
    case 8: // salad: leaf
        p.drawEllipse(QRectF(2, 3, 12, 10));
        p.setPen(QPen(c.darker(200), 1));
        p.drawLine(QPointF(3, 12), QPointF(13, 4));
        break;
    case 9: // misc: three dots
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF(3.5 + i * 4.5, 8), 1.8, 1.8);
        break;
    case 10: // rice: bowl of grains
        p.setBrush(QColor(110, 140, 200));
        p.drawChord(QRectF(2, 3, 12, 12), 180 * 16, 180 * 16);
        p.setBrush(c);
        p.drawEllipse(QRectF(3, 5, 10, 5));
        break;
    case 11: // pasta: wavy lines
        p.setPen(QPen(c.darker(130), 1.6));
        for (int i = 0; i < 3; ++i) {
            QPainterPath w;
            w.moveTo(2, 4 + i * 4);
            w.cubicTo(5, 1 + i * 4, 8, 7 + i * 4, 14, 4 + i * 4);
            p.drawPath(w);
        }
        break;
    case 12: // own: pencil
        p.drawPolygon(
            QPolygonF({ QPointF(3, 13), QPointF(4, 10), QPointF(12, 2), QPointF(14, 4), QPointF(6, 12) }));
        break;
    case 13: // baking: loaf
        p.drawChord(QRectF(1, 4, 14, 12), 0, 180 * 16);
        p.drawRect(QRectF(1, 9.5, 14, 4));
        break;
    default: // favourites: star
        p.drawPath(star(QPointF(8, 8.5), 7, 3));
        break;
    }
    return QIcon(pm);
}

QPixmap pictureIcon()
{
    QPixmap pm = canvas(24, 24);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(200, 230, 250));
    p.drawRect(QRectF(2.5, 4.5, 19, 15));
    p.setBrush(QColor(90, 160, 70));
    p.drawPolygon(
        QPolygonF({ QPointF(3, 19), QPointF(9, 11), QPointF(13, 16), QPointF(16, 13), QPointF(21, 19) }));
    p.setBrush(QColor(250, 200, 40));
    p.drawEllipse(QPointF(16.5, 8.5), 2, 2);
    return pm;
}

QPixmap commentIcon()
{
    QPixmap pm = canvas(24, 24);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(2.5, 3.5, 19, 13), 3, 3);
    bubble.moveTo(7, 16.5);
    bubble.lineTo(6, 21);
    bubble.lineTo(11, 16.5);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(255, 250, 210));
    p.drawPath(bubble.simplified());
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(6, 7.5 + i * 3), QPointF(18, 7.5 + i * 3));
    return pm;
}

QPixmap messageIcon()
{
    QPixmap pm = canvas(25, 53);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A chef's hat over an exclamation mark.
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(1, 2, 10, 10));
    p.drawEllipse(QRectF(7, 0, 11, 11));
    p.drawEllipse(QRectF(14, 2, 10, 10));
    p.drawRect(QRectF(5, 8, 15, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 60, 40));
    p.drawRoundedRect(QRectF(10, 21, 5, 20), 2, 2);
    p.drawEllipse(QRectF(10, 44, 5, 5));
    return pm;
}

} // namespace tk
