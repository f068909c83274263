#pragma once

#include <QListWidget>

namespace tk {

// The entries of one day of the week plan. Takes recipes dragged from the recipe lists and entries dragged
// from a day list (this one or another); what is dropped is announced, the window changes the plan.
class Tagesliste : public QListWidget {
    Q_OBJECT
public:
    Tagesliste(int tag, QWidget* parent = nullptr); // tag: 0 Monday … 6 Sunday
    int tag() const { return m_tag; }

signals:
    void rezeptAbgelegt(int nummer, int stelle);
    void eintragAbgelegt(int vonTag, int vonZeile, int stelle);
    void gewaehlt(); // clicked or entered: the day new entries go to

protected:
    void startDrag(Qt::DropActions actions) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    QStringList mimeTypes() const override;

private:
    Qt::DropAction aktion(const QMimeData* daten) const; // IgnoreAction for what a day cannot take
    int stelleBei(const QPoint& pos) const;

    int m_tag;
};

} // namespace tk
