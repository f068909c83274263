#pragma once

#include <QColor>
#include <QLabel>
#include <QWidget>

namespace tk {

// The welcome window's check box: a framed rectangle with the tick label on it. Pressing either
// toggles; screen readers see a check box named after its caption.
class Ankreuzfeld : public QWidget {
    Q_OBJECT
public:
    Ankreuzfeld(const QColor& fuellung, const QColor& rand, QWidget* parent = nullptr);
    QLabel* haken() const { return m_haken; }
    bool istAngekreuzt() const;

signals:
    void gedrueckt();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    QColor m_fuellung, m_rand;
    QLabel* m_haken;
};

} // namespace tk
