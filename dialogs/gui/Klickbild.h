#pragma once

#include <QLabel>
#include <QWidget>

namespace tk {

// A picture that reports pressing and releasing of any mouse button (the welcome window's
// arrows and background). With a name it is a button for screen readers whose press action
// emits betaetigt().
class Klickbild : public QLabel {
    Q_OBJECT
public:
    explicit Klickbild(QWidget* parent = nullptr);
    bool istGedrueckt() const { return m_gedrueckt; }

signals:
    void gedrueckt(const QPoint& pos);
    void losgelassen();
    void betaetigt();

protected:
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    bool m_gedrueckt = false;
};

} // namespace tk
