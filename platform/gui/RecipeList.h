#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <functional>
#include <vector>

namespace tk {

// A recipe dragged out of a recipe list: its number in decimal (the title goes along as plain text).
inline const QString kRecipeNumberMime = QStringLiteral("application/x-tellerkiste-rezeptnummer");

// A list of recipe titles, each entry carrying its recipe number. Used for the recipe list, the
// search results and the export list. Sorting is by the locale's collation (keys computed once per
// sort, not per comparison) and stable, so equal titles keep their number order.
class RecipeListModel : public QAbstractListModel {
    Q_OBJECT
public:
    struct Entry {
        QString title;
        int number = -1;
    };

    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

    void clear();
    void append(const QString& title, int number);
    // alphabetical: the entries come in the order sortAlphabetically gives.
    void setEntries(std::vector<Entry> entries, bool alphabetical = false);
    void removeRowAt(int row);
    void sortAlphabetically();
    // Whether the entries are in alphabetical order (else in the order they were given, for the
    // recipe list the number order).
    bool alphabetical() const { return m_alphabetical; }
    int rowOf(int number) const; // -1 when no entry carries it
    // The entry of `number` with this title, at the place the present order gives it: inserted, changed
    // in place or moved (a move keeps the selection on it). Equal titles keep their number order.
    void place(const QString& title, int number);
    void removeNumber(int number);
    // Alphabetical rank of every recipe number (ties in number order), shared by the lists so a sort
    // is an integer sort; without one the titles are collated directly.
    void setRankProvider(std::function<const std::vector<int>*()> provider) { m_rank = std::move(provider); }
    const std::vector<Entry>& entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
    std::function<const std::vector<int>*()> m_rank;
    bool m_alphabetical = false;
};

class RecipeList : public QListView {
    Q_OBJECT
public:
    explicit RecipeList(QWidget* parent = nullptr);

    RecipeListModel* model() const { return m_model; }
    int count() const;
    int numberAt(int row) const;
    QString textAt(int row) const;
    int rowAt(const QPoint& pos) const; // -1 on empty space
    int currentRow() const;
    void selectRow(int row); // -1 clears the selection
    void clear();
    void append(const QString& title, int number);

    // Sort mode of the main recipe list: alphabetical sorts at once and after every refill.
    bool sortedAlphabetically() const { return m_sorted; }
    void setSortedAlphabetically(bool on);

    // Entries can be dragged out (to a day of the week plan, say); never into the list.
    void allowDragOut(bool on);

signals:
    void currentNumberChanged(int number); // the entry selected by the user or the program
    void pressedAt(int row, Qt::MouseButton button); // -1 on empty space
    void doubleClickedAt(int row);
    void hoveredText(const QString& text);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    RecipeListModel* m_model;
    bool m_sorted = true;
    bool m_quiet = false; // selection restored after a sort: not a choice of the user
};

} // namespace tk
