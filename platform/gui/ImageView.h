#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace tk {

// An image control: the picture is centred and scaled proportionally to fit the control, larger or
// smaller, optionally drawn over a hatched grey background.
class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent = nullptr);

    void setImage(const QImage& image);
    void clear();
    const QImage& image() const { return m_image; }
    bool hasImage() const { return !m_image.isNull(); }

    void setHatched(bool on);
    bool hatched() const { return m_hatched; }

    // Where the picture is drawn inside the control.
    QRect pictureRect() const { return fitRect(m_image.size(), rect()); }
    // The largest rectangle of the picture's proportions inside area, centred.
    static QRect fitRect(const QSize& picture, const QRect& area);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage m_image;
    QPixmap m_scaled; // the picture at the size last drawn
    bool m_hatched = false;
};

} // namespace tk
