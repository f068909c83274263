#pragma once

#include <QImage>
#include <QWidget>

namespace tk {

// The bar of 360 hues in the settings window: one pixel column per degree, each in the panel
// shade of its hue. Pressing any mouse button on it picks the hue under the pointer; the arrow
// keys step it by one degree. Screen readers see a slider from 0 to 359.
class Farbtonbalken : public QWidget {
    Q_OBJECT
public:
    explicit Farbtonbalken(QWidget* parent = nullptr);

    void zeichnen(); // paints the picture of the bar
    const QImage& bild() const { return m_bild; }
    int farbton() const { return m_farbton; } // the last picked hue, -1 before any pick
    void setFarbton(int farbton)
    {
        m_farbton = farbton;
        update();
    }
    void waehle(int x); // as a press at column x

    QSize sizeHint() const override { return { 360, 25 }; }

signals:
    void gewaehlt(int farbton);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    QImage m_bild;
    int m_farbton = -1;
};

} // namespace tk
