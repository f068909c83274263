#include "platform/gui/RecipeList.h"

#include <QCollator>
#include <QMimeData>
#include <QMouseEvent>
#include <algorithm>
#include <limits>
#include <numeric>

#include "platform/ShownText.h"

namespace tk {

int RecipeListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant RecipeListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_entries.size()))
        return {};
    const Entry& e = m_entries[size_t(index.row())];
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return shownTitle(e.title);
    if (role == Qt::UserRole)
        return e.number;
    return {};
}

Qt::ItemFlags RecipeListModel::flags(const QModelIndex& index) const
{
    return QAbstractListModel::flags(index) | (index.isValid() ? Qt::ItemIsDragEnabled : Qt::NoItemFlags);
}

QStringList RecipeListModel::mimeTypes() const { return { kRecipeNumberMime }; }

QMimeData* RecipeListModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty() || !indexes.first().isValid() || indexes.first().row() >= int(m_entries.size()))
        return nullptr;
    const Entry& e = m_entries[size_t(indexes.first().row())];
    auto* daten = new QMimeData;
    daten->setData(kRecipeNumberMime, QByteArray::number(e.number));
    daten->setText(e.title);
    return daten;
}

void RecipeListModel::clear()
{
    beginResetModel();
    m_entries.clear();
    m_alphabetical = false;
    endResetModel();
}

void RecipeListModel::append(const QString& title, int number)
{
    const int row = int(m_entries.size());
    beginInsertRows({}, row, row);
    m_entries.push_back({ title, number });
    m_alphabetical = false;
    endInsertRows();
}

void RecipeListModel::setEntries(std::vector<Entry> entries, bool alphabetical)
{
    beginResetModel();
    m_entries = std::move(entries);
    m_alphabetical = alphabetical;
    endResetModel();
}

int RecipeListModel::rowOf(int number) const
{
    for (size_t row = 0; row < m_entries.size(); ++row)
        if (m_entries[row].number == number)
            return int(row);
    return -1;
}

void RecipeListModel::place(const QString& title, int number)
{
    const int alt = rowOf(number);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseSensitive);
    const auto vor = [&](const Entry& e) {
        if (!m_alphabetical)
            return e.number < number;
        const int c = collator.compare(e.title, title);
        return c < 0 || (c == 0 && e.number < number);
    };
    // The place among the other entries: a binary search, the entry itself left out.
    size_t lo = 0, hi = m_entries.size() - (alt >= 0 ? 1 : 0);
    while (lo < hi) {
        const size_t mitte = lo + (hi - lo) / 2;
        const size_t row = alt >= 0 && mitte >= size_t(alt) ? mitte + 1 : mitte;
        if (vor(m_entries[row]))
            lo = mitte + 1;
        else
            hi = mitte;
    }
    const int ziel = int(lo);
    if (alt < 0) {
        beginInsertRows({}, ziel, ziel);
        m_entries.insert(m_entries.begin() + ziel, Entry { title, number });
        endInsertRows();
        return;
    }
    if (ziel != alt) {
        beginMoveRows({}, alt, alt, {}, ziel > alt ? ziel + 1 : ziel);
        Entry e = std::move(m_entries[size_t(alt)]);
        m_entries.erase(m_entries.begin() + alt);
        m_entries.insert(m_entries.begin() + ziel, std::move(e));
        endMoveRows();
    }
    m_entries[size_t(ziel)].title = title;
    emit dataChanged(index(ziel), index(ziel));
}

void RecipeListModel::removeNumber(int number) { removeRowAt(rowOf(number)); }

void RecipeListModel::removeRowAt(int row)
{
    if (row < 0 || row >= int(m_entries.size()))
        return;
    beginRemoveRows({}, row, row);
    m_entries.erase(m_entries.begin() + row);
    endRemoveRows();
}

void RecipeListModel::sortAlphabetically()
{
    if (m_entries.size() < 2) {
        m_alphabetical = true;
        return;
    }
    if (const std::vector<int>* rank = m_rank ? m_rank() : nullptr) {
        const bool covered = std::all_of(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
            return e.number >= 0 && size_t(e.number) < rank->size()
                && (*rank)[size_t(e.number)] != std::numeric_limits<int>::max();
        });
        if (covered) {
            std::vector<Entry> sorted = m_entries;
            std::stable_sort(sorted.begin(), sorted.end(), [&](const Entry& a, const Entry& b) {
                return (*rank)[size_t(a.number)] < (*rank)[size_t(b.number)];
            });
            setEntries(std::move(sorted), true);
            return;
        }
    }
    QCollator collator; // default locale: letters first, case only between otherwise equal titles
    collator.setCaseSensitivity(Qt::CaseSensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(m_entries.size());
    for (const Entry& e : m_entries)
        keys.push_back(collator.sortKey(e.title));
    std::vector<size_t> order(m_entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(
        order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a].compare(keys[b]) < 0; });
    std::vector<Entry> sorted;
    sorted.reserve(m_entries.size());
    for (size_t i : order)
        sorted.push_back(std::move(m_entries[i]));
    setEntries(std::move(sorted), true);
}

RecipeList::RecipeList(QWidget* parent)
    : QListView(parent)
    , m_model(new RecipeListModel(this))
{
    setModel(m_model);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setUniformItemSizes(true);
    // Long titles are cut at the edge; the label below the list shows them in full.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    setMouseTracking(true);
    setLayoutMode(Batched);
    setBatchSize(2000);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& cur) {
        if (cur.isValid() && !m_quiet)
            emit currentNumberChanged(m_model->entries()[size_t(cur.row())].number);
    });
}

void RecipeList::allowDragOut(bool on)
{
    setDragEnabled(on);
    setDragDropMode(on ? DragOnly : NoDragDrop);
    setDefaultDropAction(Qt::CopyAction);
}

int RecipeList::count() const { return int(m_model->entries().size()); }
int RecipeList::numberAt(int row) const
{
    return row >= 0 && row < count() ? m_model->entries()[size_t(row)].number : -1;
}
QString RecipeList::textAt(int row) const
{
    return row >= 0 && row < count() ? m_model->entries()[size_t(row)].title : QString();
}
int RecipeList::rowAt(const QPoint& pos) const
{
    const QModelIndex i = indexAt(pos);
    return i.isValid() ? i.row() : -1;
}
int RecipeList::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}
void RecipeList::selectRow(int row)
{
    if (row < 0 || row >= count()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex i = m_model->index(row);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i);
}
void RecipeList::clear() { m_model->clear(); }
void RecipeList::append(const QString& title, int number) { m_model->append(title, number); }

void RecipeList::setSortedAlphabetically(bool on)
{
    m_sorted = on;
    if (!on)
        return;
    // Sorting moves the entries, not the choice: the highlighted recipe stays highlighted, and
    // nothing is shown anew (that would replace unsaved comment text).
    const int number = numberAt(currentRow());
    m_model->sortAlphabetically();
    if (number < 0)
        return;
    const auto& entries = m_model->entries();
    for (size_t row = 0; row < entries.size(); ++row)
        if (entries[row].number == number) {
            m_quiet = true;
            selectRow(int(row));
            m_quiet = false;
            break;
        }
}

void RecipeList::mousePressEvent(QMouseEvent* e)
{
    const int row = rowAt(e->position().toPoint());
    emit pressedAt(row, e->button());
    // A press on empty space changes nothing; a right press only picks the entry for the pop-up
    // menu, while the view keeps showing the recipe it shows.
    if (row < 0 || e->button() == Qt::RightButton) {
        e->accept();
        return;
    }
    QListView::mousePressEvent(e);
}

void RecipeList::mouseDoubleClickEvent(QMouseEvent* e)
{
    QListView::mouseDoubleClickEvent(e);
    const int row = rowAt(e->position().toPoint());
    if (row >= 0)
        emit doubleClickedAt(row);
}

void RecipeList::mouseMoveEvent(QMouseEvent* e)
{
    QListView::mouseMoveEvent(e);
    const int row = rowAt(e->position().toPoint());
    if (row >= 0)
        emit hoveredText(shownTitle(textAt(row)));
}

} // namespace tk
