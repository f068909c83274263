#include "mainwin/gui/MenuKeys.h"

#include <QAction>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace tk {

namespace {

    class MenuKeysFilter : public QObject {
    public:
        MenuKeysFilter(QWidget* window, QObject* parent)
            : QObject(parent)
            , m_window(window)
        {
        }

    protected:
        bool eventFilter(QObject* o, QEvent* e) override
        {
            if (e->type() != QEvent::ShortcutOverride || !m_window)
                return QObject::eventFilter(o, e);
            const QKeySequence key(static_cast<QKeyEvent*>(e)->keyCombination());
            const QList<QAction*> actions = m_window->findChildren<QAction*>();
            for (const QAction* a : actions)
                if (a->isEnabled() && a->shortcuts().contains(key)) {
                    // Not claimed by the field, so the shortcut goes to the menu.
                    e->ignore();
                    return true;
                }
            return QObject::eventFilter(o, e);
        }

    private:
        QPointer<QWidget> m_window;
    };

} // namespace

void menuKeysFirst(QWidget* field, QWidget* window)
{
    field->installEventFilter(new MenuKeysFilter(window, field));
}

} // namespace tk
