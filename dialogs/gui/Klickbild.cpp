#include "dialogs/gui/Klickbild.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>

namespace tk {

namespace {
    class KlickbildZugang : public QAccessibleWidget {
    public:
        explicit KlickbildZugang(Klickbild* w)
            : QAccessibleWidget(w, w->accessibleName().isEmpty() ? QAccessible::Graphic : QAccessible::Button)
        {
        }
        Klickbild* bild() const { return static_cast<Klickbild*>(widget()); }
        QString text(QAccessible::Text t) const override
        {
            if (t == QAccessible::Name)
                return bild()->accessibleName().isEmpty() ? bild()->toolTip() : bild()->accessibleName();
            return QAccessibleWidget::text(t);
        }
        QAccessible::State state() const override
        {
            QAccessible::State s = QAccessibleWidget::state();
            s.pressed = bild()->istGedrueckt();
            return s;
        }
        QStringList actionNames() const override
        {
            return role() == QAccessible::Button ? QStringList { pressAction() } : QStringList {};
        }
        void doAction(const QString& name) override
        {
            if (name == pressAction())
                emit bild()->betaetigt();
        }
    };

    QAccessibleInterface* zugang(const QString& cls, QObject* o)
    {
        if (cls == QLatin1String("tk::Klickbild") && o && o->isWidgetType())
            return new KlickbildZugang(static_cast<Klickbild*>(o));
        return nullptr;
    }
}

Klickbild::Klickbild(QWidget* parent)
    : QLabel(parent)
{
    static const bool eingerichtet = [] {
        QAccessible::installFactory(zugang);
        return true;
    }();
    Q_UNUSED(eingerichtet);
}

void Klickbild::mousePressEvent(QMouseEvent* e)
{
    m_gedrueckt = true;
    emit gedrueckt(e->position().toPoint());
}

void Klickbild::mouseReleaseEvent(QMouseEvent*)
{
    m_gedrueckt = false;
    emit losgelassen();
}

} // namespace tk
