#include "settings/gui/Farbschema.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QTextEdit>

#include "settings/Farbton.h"

namespace tk {

namespace {
    QColor alsFarbe(const Rgb& c) { return QColor(c.red, c.green, c.blue); }

    void setzeRolle(QWidget* w, QPalette::ColorRole role, const QColor& c)
    {
        QPalette p = w->palette();
        p.setColor(QPalette::Active, role, c);
        p.setColor(QPalette::Inactive, role, c);
        p.setColor(QPalette::Disabled, role, c);
        w->setPalette(p);
    }

    // Lists and fields paint their background in Base on their viewport.
}

void setzeFeldhintergrund(QWidget* w, const QColor& c)
{
    setzeRolle(w, QPalette::Base, c);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w))
        setzeRolle(area->viewport(), QPalette::Base, c);
}

void faerbeTeiler(QSplitter* s, const QColor& c)
{
    for (int i = 1; i < s->count(); ++i)
        if (QWidget* h = s->handle(i))
            setzeHintergrund(h, c);
}

void setzeHintergrund(QWidget* w, const QColor& c)
{
    if (!w)
        return;
    w->setAutoFillBackground(true);
    setzeRolle(w, QPalette::Window, c);
}

void setzeTextfarbe(QWidget* w, const QColor& c)
{
    if (!w)
        return;
    QPalette p = w->palette();
    for (auto group : { QPalette::Active, QPalette::Inactive }) {
        p.setColor(group, QPalette::WindowText, c);
        p.setColor(group, QPalette::Text, c);
        p.setColor(group, QPalette::ButtonText, c);
    }
    w->setPalette(p);
}

void setzeSchriftgroesse(QWidget* w, int size)
{
    if (!w)
        return;
    QFont f = w->font();
    f.setPointSize(size);
    w->setFont(f);
}

Farbschema farbtonSchema(int farbton)
{
    return { alsFarbe(panelfarbe(farbton)), alsFarbe(feldfarbe(farbton)), alsFarbe(textfarbe(farbton)) };
}

Farbschema normalesSchema()
{
    const QPalette p = QApplication::palette();
    return { p.color(QPalette::Active, QPalette::Button), p.color(QPalette::Active, QPalette::Base),
        p.color(QPalette::Active, QPalette::Text) };
}

} // namespace tk
