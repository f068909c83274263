#pragma once

#include <QStyledItemDelegate>

namespace tk {

// Draws a day's entries wrapped to the column's width. A word wider than the column
// ("Schweinefiletmedaillons" in a narrow window or at a large font) is broken instead of cut off, as in the
// printout.
class Eintragsmaler : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(
        QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace tk
