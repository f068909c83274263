#include "planung/gui/Eintragsmaler.h"

#include <QApplication>
#include <QListView>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace tk {

namespace {
    QStyle* stilVon(const QStyleOptionViewItem& opt)
    {
        return opt.widget ? opt.widget->style() : QApplication::style();
    }

    // The blank the style leaves left and right of an item's text.
    int textRand(const QStyleOptionViewItem& opt)
    {
        return stilVon(opt)->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
    }

    // Lays the text out in lines of the given width, breaking inside a word only where it does not fit;
    // returns the height of all lines.
    qreal umbrechen(QTextLayout& layout, qreal breite)
    {
        QTextOption umbruch;
        umbruch.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(umbruch);
        qreal hoehe = 0;
        layout.beginLayout();
        for (QTextLine zeile = layout.createLine(); zeile.isValid(); zeile = layout.createLine()) {
            zeile.setLineWidth(breite);
            zeile.setPosition(QPointF(0, hoehe));
            hoehe += zeile.height();
        }
        layout.endLayout();
        return hoehe;
    }
}

void Eintragsmaler::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    // Background, selection and focus as the style draws them; the text on top.
    stilVon(opt)->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    const QRect feld = opt.rect.adjusted(textRand(opt), 0, -textRand(opt), 0);
    QTextLayout layout(text, opt.font);
    const qreal hoehe = umbrechen(layout, feld.width());
    const QPalette::ColorGroup gruppe = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
        : (opt.state & QStyle::State_Active)                                 ? QPalette::Active
                                                                             : QPalette::Inactive;
    painter->save();
    painter->setPen(opt.palette.color(
        gruppe, (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
    painter->setClipRect(opt.rect);
    layout.draw(painter, QPointF(feld.left(), feld.top() + std::max(0.0, (feld.height() - hoehe) / 2)));
    painter->restore();
}

QSize Eintragsmaler::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    // The width the list gives its items; the option's rect is not always that width when asked.
    const auto* liste = qobject_cast<const QListView*>(opt.widget);
    const int zeilenbreite = liste ? liste->viewport()->width() - 2 * liste->spacing() : opt.rect.width();
    const int breite = zeilenbreite - 2 * textRand(opt);
    if (breite <= 0)
        return QStyledItemDelegate::sizeHint(option, index);
    QTextLayout layout(opt.text, opt.font);
    return { zeilenbreite, int(std::ceil(umbrechen(layout, breite))) };
}

} // namespace tk
