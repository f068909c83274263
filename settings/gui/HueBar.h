#pragma once

#include <QImage>
#include <QWidget>

namespace tk {

// The bar of 360 hues in the settings window: one pixel column per degree, each in the panel
// shade of its hue. Pressing any mouse button on it picks the hue under the pointer; the arrow
// keys step it by one degree. Screen readers see a slider from 0 to 359.
class HueBar : public QWidget {
    Q_OBJECT
public:
    explicit HueBar(QWidget* parent = nullptr);

    void draw(); // paints the bar picture
    const QImage& picture() const { return m_bar; }
    int hue() const { return m_hue; } // the last picked hue, -1 before any pick
    void setHue(int hue)
    {
        m_hue = hue;
        update();
    }
    void pick(int x); // as a press at column x

    QSize sizeHint() const override { return { 360, 25 }; }

signals:
    void picked(int hue);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    QImage m_bar;
    int m_hue = -1;
};

} // namespace tk
