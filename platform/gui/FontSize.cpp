#include "platform/gui/FontSize.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace tk {

namespace {
    class RelativeFont : public QObject {
    public:
        RelativeFont(QWidget* w, int delta, bool bold)
            : QObject(w)
            , m_delta(delta)
            , m_bold(bold)
        {
            apply(w);
            w->installEventFilter(this);
        }

        bool eventFilter(QObject* o, QEvent* e) override
        {
            if (e->type() == QEvent::ApplicationFontChange)
                apply(static_cast<QWidget*>(o));
            return false;
        }

    private:
        void apply(QWidget* w) const
        {
            // Only size and weight are set, so family and style still come from the window.
            QFont f;
            f.setPointSize(std::max(1, QApplication::font().pointSize() + m_delta));
            if (m_bold)
                f.setBold(true);
            w->setFont(f);
        }

        int m_delta;
        bool m_bold;
    };
}

void applyFontSize(int points)
{
    QFont f = QApplication::font();
    if (points <= 0 || f.pointSize() == points)
        return;
    f.setPointSize(points);
    QApplication::setFont(f);
    // The widgets learn of the new font through posted events; deliver them now, so a window laid out
    // right after this (a message) measures its text in the new size.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::ApplicationFontChange);
}

void relativeFontSize(QWidget* w, int delta, bool bold) { new RelativeFont(w, delta, bold); }

} // namespace tk
