#include "settings/gui/Farbtonbalken.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

#include "settings/Farbton.h"

namespace tk {

namespace {
    class FarbtonbalkenZugang : public QAccessibleWidget, public QAccessibleValueInterface {
    public:
        explicit FarbtonbalkenZugang(Farbtonbalken* w)
            : QAccessibleWidget(w, QAccessible::Slider)
        {
        }
        Farbtonbalken* balken() const { return static_cast<Farbtonbalken*>(widget()); }
        void* interface_cast(QAccessible::InterfaceType t) override
        {
            if (t == QAccessible::ValueInterface)
                return static_cast<QAccessibleValueInterface*>(this);
            return QAccessibleWidget::interface_cast(t);
        }
        QString text(QAccessible::Text t) const override
        {
            if (t == QAccessible::Name && !balken()->accessibleName().isEmpty())
                return balken()->accessibleName();
            if (t == QAccessible::Value)
                return balken()->farbton() < 0 ? QString()
                                               : QStringLiteral("%1 Grad").arg(balken()->farbton());
            return QAccessibleWidget::text(t);
        }
        QVariant currentValue() const override { return std::max(0, balken()->farbton()); }
        void setCurrentValue(const QVariant& v) override { balken()->waehle(v.toInt()); }
        QVariant maximumValue() const override { return 359; }
        QVariant minimumValue() const override { return 0; }
        QVariant minimumStepSize() const override { return 1; }
    };

    QAccessibleInterface* factory(const QString& cls, QObject* o)
    {
        if (cls == QLatin1String("tk::Farbtonbalken") && o && o->isWidgetType())
            return new FarbtonbalkenZugang(static_cast<Farbtonbalken*>(o));
        return nullptr;
    }
}

Farbtonbalken::Farbtonbalken(QWidget* parent)
    : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
    setFixedSize(360, 25);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void Farbtonbalken::zeichnen()
{
    m_bild = QImage(360, 25, QImage::Format_RGB32);
    QPainter p(&m_bild);
    for (int x = 0; x < 360; ++x) {
        const Rgb c = panelfarbe(x);
        p.setPen(QColor(c.red, c.green, c.blue));
        p.drawLine(x, 0, x, 24);
    }
    update();
}

void Farbtonbalken::waehle(int x)
{
    m_farbton = std::clamp(x, 0, 359);
    update();
    emit gewaehlt(m_farbton);
    QAccessibleValueChangeEvent ev(this, m_farbton);
    QAccessible::updateAccessibility(&ev);
}

void Farbtonbalken::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, m_bild);
    if (m_farbton >= 0 && m_farbton < 360) {
        // Small notches at both edges mark the chosen hue without hiding its colour.
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 40));
        const qreal x = m_farbton + 0.5;
        p.drawPolygon(QPolygonF({ QPointF(x - 4, 0), QPointF(x + 4, 0), QPointF(x, 5) }));
        p.drawPolygon(QPolygonF({ QPointF(x - 4, 25), QPointF(x + 4, 25), QPointF(x, 20) }));
        p.setRenderHint(QPainter::Antialiasing, false);
    }
    if (hasFocus()) {
        // Keyboard users need to see where the arrow keys act.
        p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void Farbtonbalken::mousePressEvent(QMouseEvent* e) { waehle(int(e->position().x())); }

void Farbtonbalken::keyPressEvent(QKeyEvent* e)
{
    const int step = (e->modifiers() & Qt::ShiftModifier) ? 10 : 1;
    if (e->key() == Qt::Key_Left)
        waehle(std::max(0, m_farbton) - step);
    else if (e->key() == Qt::Key_Right)
        waehle(std::max(0, m_farbton) + step);
    else
        QWidget::keyPressEvent(e);
}

} // namespace tk
