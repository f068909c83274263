#include "dialogs/gui/Ankreuzfeld.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>

namespace tk {

namespace {
    class AnkreuzfeldZugang : public QAccessibleWidget {
    public:
        explicit AnkreuzfeldZugang(Ankreuzfeld* w)
            : QAccessibleWidget(w, QAccessible::CheckBox)
        {
        }
        Ankreuzfeld* feld() const { return static_cast<Ankreuzfeld*>(widget()); }
        QString text(QAccessible::Text t) const override
        {
            if (t == QAccessible::Name)
                return feld()->accessibleName();
            return QAccessibleWidget::text(t);
        }
        QAccessible::State state() const override
        {
            QAccessible::State s = QAccessibleWidget::state();
            s.checkable = true;
            s.checked = feld()->istAngekreuzt();
            return s;
        }
        QStringList actionNames() const override { return { toggleAction(), pressAction() }; }
        void doAction(const QString& name) override
        {
            if (name == toggleAction() || name == pressAction())
                emit feld()->gedrueckt();
        }
    };

    QAccessibleInterface* zugang(const QString& cls, QObject* o)
    {
        if (cls == QLatin1String("tk::Ankreuzfeld") && o && o->isWidgetType())
            return new AnkreuzfeldZugang(static_cast<Ankreuzfeld*>(o));
        return nullptr;
    }
}

Ankreuzfeld::Ankreuzfeld(const QColor& fuellung, const QColor& rand, QWidget* parent)
    : QWidget(parent)
    , m_fuellung(fuellung)
    , m_rand(rand)
    , m_haken(new QLabel(this))
{
    static const bool eingerichtet = [] {
        QAccessible::installFactory(zugang);
        return true;
    }();
    Q_UNUSED(eingerichtet);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    // The tick lies on the box; a press on it is a press on the box.
    m_haken->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_haken->setAlignment(Qt::AlignCenter);
}

bool Ankreuzfeld::istAngekreuzt() const { return m_haken->text() == QLatin1String("X"); }

void Ankreuzfeld::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_fuellung);
    p.setPen(m_rand);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        p.setPen(QPen(m_rand, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void Ankreuzfeld::mousePressEvent(QMouseEvent*) { emit gedrueckt(); }

void Ankreuzfeld::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space)
        emit gedrueckt();
    else
        QWidget::keyPressEvent(e);
}

} // namespace tk
