#include "planung/gui/Tagesliste.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>

#include "planung/gui/Eintragsmaler.h"
#include "platform/gui/RecipeList.h"

namespace tk {

namespace {
    // An entry dragged from a day list: "tag zeile".
    const QString kEintragMime = QStringLiteral("application/x-tellerkiste-planeintrag");
}

Tagesliste::Tagesliste(int tag, QWidget* parent)
    : QListWidget(parent)
    , m_tag(tag)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setResizeMode(QListView::Adjust);
    // Entries of several lines stay apart.
    setAlternatingRowColors(true);
    setSpacing(1);
    setItemDelegate(new Eintragsmaler(this));
}

QStringList Tagesliste::mimeTypes() const { return { kRecipeNumberMime, kEintragMime }; }

Qt::DropAction Tagesliste::aktion(const QMimeData* daten) const
{
    if (!daten)
        return Qt::IgnoreAction;
    if (daten->hasFormat(kEintragMime))
        return Qt::MoveAction;
    if (daten->hasFormat(kRecipeNumberMime))
        return Qt::CopyAction;
    return Qt::IgnoreAction;
}

int Tagesliste::stelleBei(const QPoint& pos) const
{
    const QListWidgetItem* it = itemAt(pos);
    if (!it)
        return count();
    return row(it) + (pos.y() > visualItemRect(it).center().y() ? 1 : 0);
}

void Tagesliste::startDrag(Qt::DropActions)
{
    // The plan is changed by the drop; the list is filled anew from it, so nothing is removed here.
    const QListWidgetItem* it = currentItem();
    if (!it)
        return;
    auto* daten = new QMimeData;
    daten->setData(kEintragMime, QByteArray::number(m_tag) + ' ' + QByteArray::number(row(it)));
    daten->setText(it->text());
    auto* drag = new QDrag(this);
    drag->setMimeData(daten);
    drag->exec(Qt::MoveAction);
}

void Tagesliste::dragEnterEvent(QDragEnterEvent* e)
{
    const Qt::DropAction a = aktion(e->mimeData());
    if (a == Qt::IgnoreAction) {
        e->ignore();
        return;
    }
    QListWidget::dragEnterEvent(e);
    e->setDropAction(a);
    e->accept();
}

void Tagesliste::dragMoveEvent(QDragMoveEvent* e)
{
    const Qt::DropAction a = aktion(e->mimeData());
    if (a == Qt::IgnoreAction) {
        e->ignore();
        return;
    }
    QListWidget::dragMoveEvent(e); // the drop indicator
    e->setDropAction(a);
    e->accept();
}

void Tagesliste::dropEvent(QDropEvent* e)
{
    const Qt::DropAction a = aktion(e->mimeData());
    setState(NoState);
    viewport()->update();
    if (a == Qt::IgnoreAction) {
        e->ignore();
        return;
    }
    const int stelle = stelleBei(e->position().toPoint());
    e->setDropAction(a);
    e->accept();
    bool ok = false;
    if (a == Qt::MoveAction) {
        const QList<QByteArray> teile = e->mimeData()->data(kEintragMime).split(' ');
        bool ok2 = false;
        const int vonTag = teile.value(0).toInt(&ok);
        const int vonZeile = teile.value(1).toInt(&ok2);
        if (ok && ok2)
            emit eintragAbgelegt(vonTag, vonZeile, stelle);
    } else {
        const int nummer = e->mimeData()->data(kRecipeNumberMime).trimmed().toInt(&ok);
        if (ok && nummer >= 0)
            emit rezeptAbgelegt(nummer, stelle);
    }
}

void Tagesliste::focusInEvent(QFocusEvent* e)
{
    QListWidget::focusInEvent(e);
    emit gewaehlt();
}

void Tagesliste::mousePressEvent(QMouseEvent* e)
{
    QListWidget::mousePressEvent(e);
    emit gewaehlt();
}

} // namespace tk
