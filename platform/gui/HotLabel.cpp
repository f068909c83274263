#include "platform/gui/HotLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tk {

namespace {
    class HotLabelAccessible : public QAccessibleWidget {
    public:
        explicit HotLabelAccessible(HotLabel* w)
            : QAccessibleWidget(w, QAccessible::Button)
        {
            addControllingSignal(QStringLiteral("clicked()"));
        }
        HotLabel* label() const { return static_cast<HotLabel*>(widget()); }
        QString text(QAccessible::Text t) const override
        {
            if (t == QAccessible::Name) {
                if (!label()->accessibleName().isEmpty())
                    return label()->accessibleName();
                if (!label()->toolTip().isEmpty())
                    return label()->toolTip();
                return label()->text();
            }
            if (t == QAccessible::Description)
                return label()->toolTip();
            return QAccessibleWidget::text(t);
        }
        QStringList actionNames() const override { return { pressAction() }; }
        void doAction(const QString& name) override
        {
            if (name == pressAction())
                label()->press();
        }
    };

    QAccessibleInterface* hotLabelFactory(const QString& cls, QObject* o)
    {
        if (cls == QLatin1String("tk::HotLabel") && o && o->isWidgetType())
            return new HotLabelAccessible(static_cast<HotLabel*>(o));
        return nullptr;
    }

    void installOnce()
    {
        static bool done = false;
        if (!done) {
            QAccessible::installFactory(hotLabelFactory);
            done = true;
        }
    }
}

HotLabel::HotLabel(QWidget* parent)
    : HotLabel(QString(), parent)
{
}

HotLabel::HotLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    installOnce();
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void HotLabel::press()
{
    emit pressed();
    emit released();
    emit clicked();
}

void HotLabel::enterEvent(QEnterEvent* e)
{
    QLabel::enterEvent(e);
    emit entered();
}

void HotLabel::leaveEvent(QEvent* e)
{
    QLabel::leaveEvent(e);
    emit left();
}

void HotLabel::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        m_down = true;
        emit pressed();
    }
}

void HotLabel::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !m_down)
        return;
    m_down = false;
    emit released();
    if (rect().contains(e->position().toPoint()))
        emit clicked();
}

void HotLabel::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        press();
        return;
    }
    QLabel::keyPressEvent(e);
}

} // namespace tk
