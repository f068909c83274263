#include "platform/gui/Placement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tk {

namespace {
    QMargins bekannterRahmen(const QWidget* w)
    {
        const QRect innen = w->geometry(), aussen = w->frameGeometry();
        return QMargins(innen.left() - aussen.left(), innen.top() - aussen.top(),
            aussen.right() - innen.right(), aussen.bottom() - innen.bottom());
    }

    // The frame the window manager puts around w. Before a window is first mapped Qt does not know it
    // yet; then the frame of another window on screen stands in for it, or a usual title bar.
    QMargins rahmen(const QWidget* w)
    {
        const QMargins m = bekannterRahmen(w);
        if (!m.isNull() || w->testAttribute(Qt::WA_Mapped)
            || w->windowFlags().testFlag(Qt::FramelessWindowHint)
            || QGuiApplication::platformName() == u"offscreen"
            || QGuiApplication::platformName() == u"minimal")
            return m;
        for (const QWidget* andere : QApplication::topLevelWidgets())
            if (andere != w && andere->isVisible() && !bekannterRahmen(andere).isNull())
                return bekannterRahmen(andere);
        return QMargins(4, 30, 4, 4);
    }

    QRect bereich(const QWidget* w, QPoint mitte)
    {
        const QScreen* s = QGuiApplication::screenAt(mitte);
        if (!s)
            s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
        return s ? s->availableGeometry() : QRect();
    }

    // Puts w's frame with its centre at mitte, within the available area of the screen there; a window
    // larger than the area is made smaller first, as far as its least size allows.
    void platziere(QWidget* w, QPoint mitte)
    {
        const QRect area = bereich(w, mitte);
        if (area.isEmpty())
            return;
        const QMargins m = rahmen(w);
        const QSize passt(area.width() - m.left() - m.right(), area.height() - m.top() - m.bottom());
        if (w->width() > passt.width() || w->height() > passt.height()) {
            const QSize neu = w->size().boundedTo(passt).expandedTo(w->minimumSize());
            if (neu != w->size())
                w->resize(neu);
        }
        const QSize aussen = w->size().grownBy(m);
        QPoint links(mitte.x() - aussen.width() / 2, mitte.y() - aussen.height() / 2);
        links.setX(std::max(area.left(), std::min(links.x(), area.right() + 1 - aussen.width())));
        links.setY(std::max(area.top(), std::min(links.y(), area.bottom() + 1 - aussen.height())));
        // Until Qt knows the frame it places the window's inside at the point given.
        if (bekannterRahmen(w).isNull())
            links += QPoint(m.left(), m.top());
        w->move(links);
    }
}

void centreOnScreen(QWidget* w)
{
    const QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    platziere(w, s->availableGeometry().center());
}

void centreOn(QWidget* w, const QWidget* over)
{
    if (!over) {
        centreOnScreen(w);
        return;
    }
    platziere(w, over->frameGeometry().center());
}

void bringToFront(QWidget* w, const QWidget* over)
{
    if (!w->isVisible())
        centreOn(w, over);
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace tk
