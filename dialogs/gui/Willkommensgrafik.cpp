#include "dialogs/gui/Willkommensgrafik.h"

#include <QBitmap>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace tk {

namespace {
    const QColor kNavy(37, 46, 118);
    const QColor kField(129, 185, 220);
    const QColor kStrip(214, 227, 243);
    const QColor kKey(255, 0, 255);

    void zeichneTeller(QPainter& p, const QPointF& c, qreal r)
    {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 50));
        p.drawEllipse(c + QPointF(2, 3), r, r * 0.96);
        QRadialGradient g(c - QPointF(r / 3, r / 3), r * 1.4);
        g.setColorAt(0, Qt::white);
        g.setColorAt(1, QColor(214, 224, 238));
        p.setBrush(g);
        p.setPen(QPen(QColor(150, 170, 205), 1.2));
        p.drawEllipse(c, r, r);
        p.setPen(QPen(QColor(170, 190, 220), 1));
        p.setBrush(Qt::white);
        p.drawEllipse(c, r * 0.68, r * 0.68);
        // Fork and knife beside the plate.
        p.setPen(QPen(QColor(225, 230, 240), 2.2, Qt::SolidLine, Qt::RoundCap));
        const qreal fx = c.x() - r - 9, top = c.y() - r * 0.8, bottom = c.y() + r * 0.9;
        p.drawLine(QPointF(fx, top + 14), QPointF(fx, bottom));
        for (int i = -1; i <= 1; ++i)
            p.drawLine(QPointF(fx + i * 3, top), QPointF(fx + i * 3, top + 12));
        p.drawLine(QPointF(fx - 3, top + 12), QPointF(fx + 3, top + 12));
        const qreal kx = c.x() + r + 9;
        QPainterPath blade;
        blade.moveTo(kx - 2, top);
        blade.cubicTo(kx + 5, top + 6, kx + 4, top + 16, kx + 1, top + 22);
        blade.lineTo(kx - 2, top + 22);
        blade.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(225, 230, 240));
        p.drawPath(blade);
        p.setPen(QPen(QColor(225, 230, 240), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(kx - 0.5, top + 24), QPointF(kx - 0.5, bottom));
        p.restore();
    }

    void zeichneDampf(QPainter& p, qreal x, qreal y, const QColor& c)
    {
        p.save();
        p.setPen(QPen(c, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 3; ++i) {
            QPainterPath s;
            const qreal sx = x + i * 12;
            s.moveTo(sx, y);
            s.cubicTo(sx - 7, y - 8, sx + 7, y - 14, sx, y - 24);
            p.drawPath(s);
        }
        p.restore();
    }
}

QPixmap durchsichtig(const QImage& image)
{
    QPixmap pm = QPixmap::fromImage(image);
    if (image.isNull())
        return pm;
    const QColor key = image.pixelColor(0, image.height() - 1);
    pm.setMask(QBitmap::fromImage(image.createMaskFromColor(key.rgb(), Qt::MaskInColor)));
    return pm;
}

QPixmap willkommensHintergrund()
{
    QPixmap pm(499, 399);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient body(0, 0, 0, 399);
    body.setColorAt(0, QColor(236, 242, 250));
    body.setColorAt(1, QColor(196, 214, 238));
    p.fillRect(pm.rect(), body);

    // Header band with the title.
    QLinearGradient head(0, 0, 0, 62);
    head.setColorAt(0, QColor(52, 66, 150));
    head.setColorAt(1, kNavy);
    p.fillRect(QRect(0, 0, 499, 62), head);
    p.fillRect(QRect(0, 62, 499, 3), QColor(232, 150, 62));
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(26);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(104, 4, 390, 32), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Willkommen!"));
    QFont sub(QStringLiteral("Arial"));
    sub.setPixelSize(14);
    sub.setItalic(true);
    p.setFont(sub);
    p.setPen(QColor(200, 215, 245));
    p.drawText(QRect(106, 34, 390, 22), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("zu Brutzels Tellerkiste 3.40 \u2013 Ihr Kochbuch am Rechner"));

    zeichneTeller(p, QPointF(52, 33), 25);

    // Frame of the text field.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 30, 80, 45));
    p.drawRoundedRect(QRectF(101, 72, 302, 252), 8, 8);
    p.setBrush(QColor(246, 249, 253));
    p.setPen(QPen(QColor(120, 150, 200), 1.5));
    p.drawRoundedRect(QRectF(97.5, 66.5, 306, 256), 8, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(kField);
    p.drawRect(QRect(100, 69, 301, 252));

    // Rail between the two arrows.
    p.setPen(QPen(QColor(120, 150, 200), 2, Qt::DotLine, Qt::RoundCap));
    p.drawLine(QPointF(447, 182), QPointF(447, 218));
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(11);
    p.setFont(small);
    p.setPen(kNavy);
    p.drawText(QRect(406, 300, 90, 30), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("blättern"));

    // Strip at the bottom with the check box and the way on.
    p.fillRect(QRect(0, 360, 499, 39), kStrip);
    p.fillRect(QRect(0, 360, 499, 1), QColor(150, 175, 215));
    QFont hint(QStringLiteral("Arial"));
    hint.setPixelSize(12);
    hint.setItalic(true);
    p.setFont(hint);
    p.setPen(QColor(64, 79, 102));
    p.drawText(QRect(14, 366, 230, 26), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Guten Appetit!"));

    p.setPen(QColor(120, 150, 200));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(0, 0, 498, 398));
    return pm;
}

QImage pfeilBild(bool hoch, bool gedrueckt)
{
    const QSize size = hoch ? QSize(75, 83) : QSize(81, 74);
    QImage shape(size, QImage::Format_ARGB32);
    shape.fill(Qt::transparent);
    {
        QPainter p(&shape);
        p.setRenderHint(QPainter::Antialiasing);
        const QPointF c(size.width() / 2.0, size.height() / 2.0);
        const qreal r = std::min(size.width(), size.height()) / 2.0 - 5;
        const QPointF shift = gedrueckt ? QPointF(1.5, 1.5) : QPointF(0, 0);
        if (!gedrueckt) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(20, 30, 80, 70));
            p.drawEllipse(c + QPointF(2, 3), r, r);
        }
        QRadialGradient g(c + shift - QPointF(r / 3, r / 3), r * 1.6);
        g.setColorAt(0, gedrueckt ? QColor(120, 135, 200) : QColor(196, 204, 236));
        g.setColorAt(1, gedrueckt ? QColor(60, 74, 150) : QColor(120, 136, 204));
        p.setBrush(g);
        p.setPen(QPen(kNavy, 2));
        p.drawEllipse(c + shift, r, r);
        QPainterPath arrow;
        const qreal s = r * 0.55;
        const QPointF m = c + shift;
        const qreal dir = hoch ? -1 : 1;
        arrow.moveTo(m.x(), m.y() + dir * s);
        arrow.lineTo(m.x() + s * 0.9, m.y() + dir * s * 0.05);
        arrow.lineTo(m.x() + s * 0.35, m.y() + dir * s * 0.05);
        arrow.lineTo(m.x() + s * 0.35, m.y() - dir * s * 0.85);
        arrow.lineTo(m.x() - s * 0.35, m.y() - dir * s * 0.85);
        arrow.lineTo(m.x() - s * 0.35, m.y() + dir * s * 0.05);
        arrow.lineTo(m.x() - s * 0.9, m.y() + dir * s * 0.05);
        arrow.closeSubpath();
        p.setBrush(gedrueckt ? QColor(230, 236, 250) : Qt::white);
        p.setPen(QPen(kNavy, 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawPath(arrow);
    }
    // Edge pixels are blended with the window colour behind the arrows, the rest is the key colour.
    const QColor behind(222, 232, 246);
    QImage out(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QColor px = shape.pixelColor(x, y);
            if (px.alpha() < 24) {
                out.setPixelColor(x, y, kKey);
                continue;
            }
            const qreal a = px.alphaF();
            out.setPixelColor(x, y,
                QColor(int(px.red() * a + behind.red() * (1 - a)),
                    int(px.green() * a + behind.green() * (1 - a)),
                    int(px.blue() * a + behind.blue() * (1 - a))));
        }
    return out;
}

QPixmap infoBild()
{
    QPixmap pm(313, 209);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    QRadialGradient halo(QPointF(190, 100), 120);
    halo.setColorAt(0, QColor(226, 236, 250));
    halo.setColorAt(1, Qt::white);
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(QPointF(190, 100), 130, 100);

    // The still life sits on the right; the window's texts run over the left part.
    p.translate(98, -6);
    p.scale(0.72, 0.72);
    // A recipe card behind the pot.
    p.save();
    p.translate(200, 60);
    p.rotate(9);
    p.setBrush(QColor(20, 30, 80, 40));
    p.drawRoundedRect(QRectF(3, 4, 92, 118), 4, 4);
    p.setBrush(QColor(255, 252, 240));
    p.setPen(QPen(QColor(200, 190, 160), 1));
    p.drawRoundedRect(QRectF(0, 0, 92, 118), 4, 4);
    QFont card(QStringLiteral("Arial"));
    card.setPixelSize(12);
    card.setBold(true);
    p.setFont(card);
    p.setPen(QColor(64, 79, 102));
    p.drawText(QRectF(8, 6, 80, 16), Qt::AlignLeft, QStringLiteral("Rezept"));
    p.setPen(QPen(QColor(150, 170, 205), 1.4));
    for (int i = 0; i < 7; ++i)
        p.drawLine(QPointF(8, 32 + i * 11), QPointF(i % 3 == 2 ? 56 : 82, 32 + i * 11));
    p.restore();

    // The pot.
    const QRectF body(60, 96, 130, 78);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 30, 80, 40));
    p.drawEllipse(QRectF(52, 164, 150, 20));
    QLinearGradient metal(body.left(), 0, body.right(), 0);
    metal.setColorAt(0, QColor(150, 40, 30));
    metal.setColorAt(0.35, QColor(226, 92, 60));
    metal.setColorAt(1, QColor(140, 36, 28));
    p.setBrush(metal);
    p.setPen(QPen(QColor(110, 30, 24), 1.5));
    QPainterPath pot;
    pot.moveTo(body.left(), body.top());
    pot.lineTo(body.right(), body.top());
    pot.lineTo(body.right() - 4, body.bottom() - 12);
    pot.quadTo(body.right() - 6, body.bottom(), body.right() - 20, body.bottom());
    pot.lineTo(body.left() + 20, body.bottom());
    pot.quadTo(body.left() + 6, body.bottom(), body.left() + 4, body.bottom() - 12);
    pot.closeSubpath();
    p.drawPath(pot);
    p.setBrush(QColor(90, 90, 100));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(body.left() - 18, body.top() + 10, 22, 9), 4, 4);
    p.drawRoundedRect(QRectF(body.right() - 4, body.top() + 10, 22, 9), 4, 4);
    // Lid.
    QLinearGradient lid(0, 80, 0, 98);
    lid.setColorAt(0, QColor(235, 120, 80));
    lid.setColorAt(1, QColor(170, 50, 36));
    p.setBrush(lid);
    p.setPen(QPen(QColor(110, 30, 24), 1.5));
    p.drawEllipse(QRectF(body.left() - 6, 84, body.width() + 12, 22));
    p.setBrush(QColor(60, 60, 70));
    p.drawRoundedRect(QRectF(body.center().x() - 12, 76, 24, 10), 4, 4);
    p.setBrush(QColor(255, 255, 255, 90));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(body.left() + 12, body.top() + 12, 10, 48), 5, 5);

    zeichneDampf(p, 112, 70, QColor(140, 160, 200, 200));

    // A wooden spoon leaning on the pot.
    p.save();
    p.translate(40, 150);
    p.rotate(-58);
    p.setBrush(QColor(196, 150, 96));
    p.setPen(QPen(QColor(150, 105, 60), 1));
    p.drawRoundedRect(QRectF(0, -3, 96, 6), 3, 3);
    p.drawEllipse(QRectF(92, -10, 30, 20));
    p.restore();
    return pm;
}

} // namespace tk
