#include "platform/gui/Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tk {

void centreOnScreen(QWidget* w)
{
    QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect area = s->availableGeometry();
    const QSize frame = w->frameGeometry().size();
    w->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

void centreOn(QWidget* w, const QWidget* over)
{
    if (!over) {
        centreOnScreen(w);
        return;
    }
    const QRect g = over->frameGeometry();
    const QSize frame = w->frameGeometry().size();
    w->move(g.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

} // namespace tk
