#include "dialogs/gui/WelcomeParts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tk {

namespace {
    class PressPictureAccessible : public QAccessibleWidget {
    public:
        explicit PressPictureAccessible(PressPicture* w)
            : QAccessibleWidget(w, w->accessibleName().isEmpty() ? QAccessible::Graphic : QAccessible::Button)
        {
        }
        PressPicture* picture() const { return static_cast<PressPicture*>(widget()); }
        QString text(QAccessible::Text t) const override
        {
            if (t == QAccessible::Name)
                return picture()->accessibleName().isEmpty() ? picture()->toolTip()
                                                             : picture()->accessibleName();
            return QAccessibleWidget::text(t);
        }
        QAccessible::State state() const override
        {
            QAccessible::State s = QAccessibleWidget::state();
            s.pressed = picture()->isDown();
            return s;
        }
        QStringList actionNames() const override
        {
            return role() == QAccessible::Button ? QStringList { pressAction() } : QStringList {};
        }
        void doAction(const QString& name) override
        {
            if (name == pressAction())
                emit picture()->stepped();
        }
    };

    class TickBoxAccessible : public QAccessibleWidget {
    public:
        explicit TickBoxAccessible(TickBox* w)
            : QAccessibleWidget(w, QAccessible::CheckBox)
        {
        }
        TickBox* box() const { return static_cast<TickBox*>(widget()); }
        QString text(QAccessible::Text t) const override
        {
            if (t == QAccessible::Name)
                return box()->accessibleName();
            return QAccessibleWidget::text(t);
        }
        QAccessible::State state() const override
        {
            QAccessible::State s = QAccessibleWidget::state();
            s.checkable = true;
            s.checked = box()->isTicked();
            return s;
        }
        QStringList actionNames() const override { return { toggleAction(), pressAction() }; }
        void doAction(const QString& name) override
        {
            if (name == toggleAction() || name == pressAction())
                emit box()->pressed();
        }
    };

    QAccessibleInterface* factory(const QString& cls, QObject* o)
    {
        if (!o || !o->isWidgetType())
            return nullptr;
        if (cls == QLatin1String("tk::PressPicture"))
            return new PressPictureAccessible(static_cast<PressPicture*>(o));
        if (cls == QLatin1String("tk::TickBox"))
            return new TickBoxAccessible(static_cast<TickBox*>(o));
        return nullptr;
    }

    void installOnce()
    {
        static const bool done = [] {
            QAccessible::installFactory(factory);
            return true;
        }();
        Q_UNUSED(done);
    }
}

PressPicture::PressPicture(QWidget* parent)
    : QLabel(parent)
{
    installOnce();
}

void PressPicture::mousePressEvent(QMouseEvent* e)
{
    m_down = true;
    emit pressed(e->position().toPoint());
}

void PressPicture::mouseReleaseEvent(QMouseEvent*)
{
    m_down = false;
    emit released();
}

TickBox::TickBox(const QColor& fill, const QColor& border, QWidget* parent)
    : QWidget(parent)
    , m_fill(fill)
    , m_border(border)
    , m_tick(new QLabel(this))
{
    installOnce();
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    // The tick lies on the box; a press on it is a press on the box.
    m_tick->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_tick->setAlignment(Qt::AlignCenter);
}

bool TickBox::isTicked() const { return m_tick->text() == QLatin1String("X"); }

void TickBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_fill);
    p.setPen(m_border);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        p.setPen(QPen(m_border, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void TickBox::mousePressEvent(QMouseEvent*) { emit pressed(); }

void TickBox::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space)
        emit pressed();
    else
        QWidget::keyPressEvent(e);
}

} // namespace tk
