#pragma once

#include <QIcon>
#include <QList>
#include <QRect>
#include <QWidget>

namespace tk {

// A tab control whose tabs wrap into as many rows as the width needs (the toolkit's tab bar
// scrolls instead). Every tab has the same height; the selected tab's row is drawn next to the
// content edge, as tab controls with several rows do.
class TabControl : public QWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent = nullptr);

    void clear();
    int addTab(const QString& text, const QIcon& icon = {});
    int count() const { return int(m_tabs.size()); }
    QString tabText(int i) const;
    int currentIndex() const { return m_current; }
    void setCurrentIndex(int i); // emits currentChanged when it changes
    int rowCount() const;
    int tabHeight() const { return m_tabHeight; }
    void setTabHeight(int h);
    QRect tabRect(int i) const;
    int tabAt(const QPoint& p) const;
    void setCaptionFont(const QFont& f); // the font the captions are measured and drawn with
    // Keeps the height at rows x tab height whenever the width changes.
    void setFitHeightToRows(bool on) { m_fit = on; }
    void fitHeight() { setFixedHeight(std::max(1, rowCount()) * m_tabHeight); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int w) const override;

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    struct Tab {
        QString text;
        QIcon icon;
    };
    void layoutTabs() const;
    int tabWidth(int i) const;
    QList<QList<int>> rowsFor(int width) const;

    QList<Tab> m_tabs;
    int m_current = -1;
    int m_tabHeight = 18;
    QFont m_font;
    mutable bool m_dirty = true;
    mutable int m_layoutWidth = -1;
    mutable QList<QRect> m_rects;
    mutable int m_rows = 0;
    bool m_fit = false;
};

} // namespace tk
