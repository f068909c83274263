#pragma once

#include <QLabel>

namespace tk {

// A transparent label lying on a picture: it receives the mouse for the picture underneath and
// reports enter, leave, press, release and click. Screen readers see a push button named after the
// hint (or its text), which can be pressed through its action.
class HotLabel : public QLabel {
    Q_OBJECT
public:
    explicit HotLabel(QWidget* parent = nullptr);
    explicit HotLabel(const QString& text, QWidget* parent = nullptr);

    void press(); // what a click does: pressed, released, clicked

signals:
    void entered();
    void left();
    void pressed();
    void released();
    void clicked();

protected:
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    bool m_down = false;
};

} // namespace tk
