#include "platform/gui/TabControl.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOptionTab>

namespace tk {

namespace {
    constexpr int kIcon = 16;
    constexpr int kPad = 6;

    // Each tab is a page tab child with its caption; selecting one goes through its action.
    class TabAccessible : public QAccessibleInterface {
    public:
        TabAccessible(TabControl* c, int i)
            : m_c(c)
            , m_i(i)
        {
        }
        bool isValid() const override { return m_c && m_i < m_c->count(); }
        QObject* object() const override { return nullptr; }
        QWindow* window() const override { return nullptr; }
        QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_c); }
        QAccessibleInterface* child(int) const override { return nullptr; }
        int childCount() const override { return 0; }
        int indexOfChild(const QAccessibleInterface*) const override { return -1; }
        QAccessibleInterface* childAt(int, int) const override { return nullptr; }
        QString text(QAccessible::Text t) const override
        {
            return (t == QAccessible::Name) ? m_c->tabText(m_i) : QString();
        }
        void setText(QAccessible::Text, const QString&) override { }
        QRect rect() const override
        {
            const QRect r = m_c->tabRect(m_i);
            return QRect(m_c->mapToGlobal(r.topLeft()), r.size());
        }
        QAccessible::Role role() const override { return QAccessible::PageTab; }
        QAccessible::State state() const override
        {
            QAccessible::State s;
            s.selectable = true;
            s.focusable = true;
            s.selected = m_c->currentIndex() == m_i;
            s.invisible = !m_c->isVisible();
            return s;
        }
        void* interface_cast(QAccessible::InterfaceType t) override
        {
            return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(&m_actions)
                                                     : nullptr;
        }

    private:
        struct Actions : QAccessibleActionInterface {
            TabAccessible* self;
            explicit Actions(TabAccessible* s)
                : self(s)
            {
            }
            QStringList actionNames() const override { return { pressAction() }; }
            void doAction(const QString& name) override
            {
                if (name == pressAction() || name == setFocusAction())
                    self->m_c->setCurrentIndex(self->m_i);
            }
            QStringList keyBindingsForAction(const QString&) const override { return {}; }
        };
        TabControl* m_c;
        int m_i;
        Actions m_actions { this };
    };

    class TabControlAccessible : public QAccessibleWidget {
    public:
        explicit TabControlAccessible(TabControl* w)
            : QAccessibleWidget(w, QAccessible::PageTabList)
        {
        }
        ~TabControlAccessible() override
        {
            for (QAccessible::Id id : m_ids)
                QAccessible::deleteAccessibleInterface(id);
        }
        TabControl* control() const { return static_cast<TabControl*>(widget()); }
        int childCount() const override { return control()->count(); }
        QAccessibleInterface* child(int i) const override
        {
            if (i < 0 || i >= childCount())
                return nullptr;
            while (m_children.size() <= i) {
                auto* c = new TabAccessible(control(), int(m_children.size()));
                m_ids.append(QAccessible::registerAccessibleInterface(c));
                m_children.append(c);
            }
            return m_children.at(i);
        }
        int indexOfChild(const QAccessibleInterface* c) const override
        {
            return int(m_children.indexOf(const_cast<QAccessibleInterface*>(c)));
        }
        QAccessibleInterface* childAt(int x, int y) const override
        {
            const int i = control()->tabAt(control()->mapFromGlobal(QPoint(x, y)));
            return i >= 0 ? child(i) : nullptr;
        }

    private:
        mutable QList<QAccessibleInterface*> m_children;
        mutable QList<QAccessible::Id> m_ids;
    };

    QAccessibleInterface* tabControlFactory(const QString& cls, QObject* o)
    {
        if (cls == QLatin1String("tk::TabControl") && o && o->isWidgetType())
            return new TabControlAccessible(static_cast<TabControl*>(o));
        return nullptr;
    }
}

TabControl::TabControl(QWidget* parent)
    : QWidget(parent)
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(tabControlFactory);
        installed = true;
    }
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_font = font();
}

void TabControl::clear()
{
    m_tabs.clear();
    m_current = -1;
    m_dirty = true;
    updateGeometry();
    update();
}

int TabControl::addTab(const QString& text, const QIcon& icon)
{
    m_tabs.append({ text, icon });
    if (m_current < 0)
        m_current = 0;
    m_dirty = true;
    updateGeometry();
    update();
    return int(m_tabs.size()) - 1;
}

QString TabControl::tabText(int i) const { return i >= 0 && i < count() ? m_tabs.at(i).text : QString(); }

void TabControl::setCurrentIndex(int i)
{
    if (i < 0 || i >= count() || i == m_current)
        return;
    m_current = i;
    m_dirty = true;
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent ev(this, QAccessible::Selection);
        ev.setChild(i);
        QAccessible::updateAccessibility(&ev);
    }
    emit currentChanged(i);
}

void TabControl::setTabHeight(int h)
{
    m_tabHeight = std::max(1, h);
    m_dirty = true;
    updateGeometry();
    update();
}

void TabControl::setCaptionFont(const QFont& f)
{
    m_font = f;
    m_dirty = true;
    updateGeometry();
    update();
}

int TabControl::tabWidth(int i) const
{
    const QFontMetrics fm(m_font);
    int w = fm.horizontalAdvance(m_tabs.at(i).text) + 2 * kPad;
    if (!m_tabs.at(i).icon.isNull())
        w += kIcon + 3;
    return w;
}

QList<QList<int>> TabControl::rowsFor(int width) const
{
    QList<QList<int>> rows;
    QList<int> row;
    int x = 0;
    for (int i = 0; i < count(); ++i) {
        const int w = tabWidth(i);
        if (!row.isEmpty() && x + w > width) {
            rows.append(row);
            row.clear();
            x = 0;
        }
        row.append(i);
        x += w;
    }
    if (!row.isEmpty())
        rows.append(row);
    return rows;
}

void TabControl::layoutTabs() const
{
    if (!m_dirty && m_layoutWidth == width())
        return;
    m_layoutWidth = width();
    m_dirty = false;
    const QList<QList<int>> rows = rowsFor(std::max(1, width()));
    m_rows = int(rows.size());
    m_rects = QList<QRect>(count());
    // The row holding the selected tab sits at the bottom, next to the list below.
    int selRow = 0;
    for (int r = 0; r < rows.size(); ++r)
        if (rows[r].contains(m_current))
            selRow = r;
    for (int r = 0; r < rows.size(); ++r) {
        int visual = r;
        if (r == selRow)
            visual = m_rows - 1;
        else if (r > selRow)
            visual = r - 1;
        const int y = visual * m_tabHeight;
        int total = 0;
        for (int i : rows[r])
            total += tabWidth(i);
        // Full rows stretch to the width, as the tabs of a multi-line control do.
        const bool stretch = m_rows > 1;
        const double scale = stretch && total > 0 ? double(width()) / total : 1.0;
        double x = 0;
        for (int i : rows[r]) {
            const double w = tabWidth(i) * scale;
            m_rects[i] = QRect(int(x), y, int(x + w) - int(x), m_tabHeight);
            x += w;
        }
    }
}

int TabControl::rowCount() const
{
    layoutTabs();
    return m_rows;
}

QRect TabControl::tabRect(int i) const
{
    layoutTabs();
    return i >= 0 && i < m_rects.size() ? m_rects.at(i) : QRect();
}

int TabControl::tabAt(const QPoint& p) const
{
    layoutTabs();
    for (int i = 0; i < m_rects.size(); ++i)
        if (m_rects.at(i).contains(p))
            return i;
    return -1;
}

int TabControl::heightForWidth(int w) const { return int(rowsFor(std::max(1, w)).size()) * m_tabHeight; }
QSize TabControl::sizeHint() const { return QSize(170, std::max(1, rowCount()) * m_tabHeight); }
QSize TabControl::minimumSizeHint() const { return QSize(20, m_tabHeight); }

void TabControl::resizeEvent(QResizeEvent* e)
{
    m_dirty = true;
    QWidget::resizeEvent(e);
    if (m_fit && e->size().width() != e->oldSize().width())
        fitHeight();
}

void TabControl::paintEvent(QPaintEvent*)
{
    layoutTabs();
    QPainter p(this);
    p.setFont(m_font);
    for (int i = 0; i < count(); ++i) {
        QStyleOptionTab opt;
        opt.initFrom(this);
        opt.rect = m_rects.at(i);
        opt.shape = QTabBar::RoundedNorth;
        opt.text = QString();
        opt.state &= ~QStyle::State_HasFocus;
        if (i == m_current)
            opt.state |= QStyle::State_Selected;
        opt.position = QStyleOptionTab::Middle;
        style()->drawControl(QStyle::CE_TabBarTabShape, &opt, &p, this);
        QRect r = m_rects.at(i).adjusted(kPad, 0, -kPad + 2, 0);
        if (!m_tabs.at(i).icon.isNull()) {
            const QRect ir(r.left(), r.top() + (r.height() - kIcon) / 2, kIcon, kIcon);
            m_tabs.at(i).icon.paint(&p, ir);
            r.setLeft(ir.right() + 4);
        }
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(r, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, m_tabs.at(i).text);
        if (i == m_current && hasFocus()) {
            QStyleOptionFocusRect fo;
            fo.initFrom(this);
            fo.rect = m_rects.at(i).adjusted(3, 2, -3, -2);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &fo, &p, this);
        }
    }
}

void TabControl::mousePressEvent(QMouseEvent* e)
{
    const int i = tabAt(e->position().toPoint());
    if (i >= 0)
        setCurrentIndex(i);
}

void TabControl::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        setCurrentIndex(m_current - 1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        setCurrentIndex(m_current + 1);
        break;
    case Qt::Key_Home:
        setCurrentIndex(0);
        break;
    case Qt::Key_End:
        setCurrentIndex(count() - 1);
        break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
}

} // namespace tk
