#include "settings/gui/HueBar.h"

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
    class HueBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
    public:
        explicit HueBarAccessible(HueBar* w)
            : QAccessibleWidget(w, QAccessible::Slider)
        {
        }
        HueBar* bar() const { return static_cast<HueBar*>(widget()); }
        void* interface_cast(QAccessible::InterfaceType t) override
        {
            if (t == QAccessible::ValueInterface)
                return static_cast<QAccessibleValueInterface*>(this);
            return QAccessibleWidget::interface_cast(t);
        }
        QString text(QAccessible::Text t) const override
        {
            if (t == QAccessible::Name && !bar()->accessibleName().isEmpty())
                return bar()->accessibleName();
            if (t == QAccessible::Value)
                return bar()->hue() < 0 ? QString() : QStringLiteral("%1 Grad").arg(bar()->hue());
            return QAccessibleWidget::text(t);
        }
        QVariant currentValue() const override { return std::max(0, bar()->hue()); }
        void setCurrentValue(const QVariant& v) override { bar()->pick(v.toInt()); }
        QVariant maximumValue() const override { return 359; }
        QVariant minimumValue() const override { return 0; }
        QVariant minimumStepSize() const override { return 1; }
    };

    QAccessibleInterface* factory(const QString& cls, QObject* o)
    {
        if (cls == QLatin1String("tk::HueBar") && o && o->isWidgetType())
            return new HueBarAccessible(static_cast<HueBar*>(o));
        return nullptr;
    }
}

HueBar::HueBar(QWidget* parent)
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

void HueBar::draw()
{
    m_bar = QImage(360, 25, QImage::Format_RGB32);
    QPainter p(&m_bar);
    for (int x = 0; x < 360; ++x) {
        const Rgb c = panelfarbe(x);
        p.setPen(QColor(c.red, c.green, c.blue));
        p.drawLine(x, 0, x, 24);
    }
    update();
}

void HueBar::pick(int x)
{
    m_hue = std::clamp(x, 0, 359);
    update();
    emit picked(m_hue);
    QAccessibleValueChangeEvent ev(this, m_hue);
    QAccessible::updateAccessibility(&ev);
}

void HueBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, m_bar);
    if (m_hue >= 0 && m_hue < 360) {
        // Small notches at both edges mark the chosen hue without hiding its colour.
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 40));
        const qreal x = m_hue + 0.5;
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

void HueBar::mousePressEvent(QMouseEvent* e) { pick(int(e->position().x())); }

void HueBar::keyPressEvent(QKeyEvent* e)
{
    const int step = (e->modifiers() & Qt::ShiftModifier) ? 10 : 1;
    if (e->key() == Qt::Key_Left)
        pick(std::max(0, m_hue) - step);
    else if (e->key() == Qt::Key_Right)
        pick(std::max(0, m_hue) + step);
    else
        QWidget::keyPressEvent(e);
}

} // namespace tk
