#pragma once

#include <QLabel>
#include <QWidget>

namespace tk {

// A picture that reports pressing and releasing of any mouse button (the welcome window's
// arrows and background). With a name it is a button for screen readers whose press action
// emits stepped().
class PressPicture : public QLabel {
    Q_OBJECT
public:
    explicit PressPicture(QWidget* parent = nullptr);
    bool isDown() const { return m_down; }

signals:
    void pressed(const QPoint& pos);
    void released();
    void stepped();

protected:
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    bool m_down = false;
};

// The welcome window's check box: a framed rectangle with the tick label on it. Pressing either
// toggles; screen readers see a check box named after its caption.
class TickBox : public QWidget {
    Q_OBJECT
public:
    TickBox(const QColor& fill, const QColor& border, QWidget* parent = nullptr);
    QLabel* tick() const { return m_tick; }
    bool isTicked() const;

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    QColor m_fill, m_border;
    QLabel* m_tick;
};

} // namespace tk
