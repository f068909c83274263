#include "platform/gui/ImageView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace tk {

namespace {
    // Screen readers see a graphic named after the control, described by the picture's size.
    class ImageViewAccessible : public QAccessibleWidget {
    public:
        explicit ImageViewAccessible(ImageView* w)
            : QAccessibleWidget(w, QAccessible::Graphic)
        {
        }
        QString text(QAccessible::Text t) const override
        {
            const auto* v = static_cast<const ImageView*>(widget());
            if (t == QAccessible::Description)
                return v->hasImage()
                    ? QStringLiteral("%1 × %2 Bildpunkte").arg(v->image().width()).arg(v->image().height())
                    : QStringLiteral("kein Bild");
            return QAccessibleWidget::text(t);
        }
    };

    QAccessibleInterface* imageViewFactory(const QString& cls, QObject* o)
    {
        if (cls == QLatin1String("tk::ImageView") && o && o->isWidgetType())
            return new ImageViewAccessible(static_cast<ImageView*>(o));
        return nullptr;
    }
}

ImageView::ImageView(QWidget* parent)
    : QWidget(parent)
{
    static const bool installed = (QAccessible::installFactory(imageViewFactory), true);
    Q_UNUSED(installed);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAccessibleName(QStringLiteral("Bild"));
}

void ImageView::setImage(const QImage& image)
{
    m_image = image;
    m_scaled = QPixmap();
    update();
}

void ImageView::clear() { setImage(QImage()); }

void ImageView::setHatched(bool on)
{
    m_hatched = on;
    update();
}

QSize ImageView::sizeHint() const { return m_image.isNull() ? QSize(145, 104) : m_image.size(); }

QRect ImageView::fitRect(const QSize& picture, const QRect& area)
{
    if (picture.isEmpty() || area.isEmpty())
        return {};
    // Compare w1/h1 with w2/h2 in integers to avoid rounding the wrong way.
    const qint64 pw = picture.width(), ph = picture.height();
    const qint64 aw = area.width(), ah = area.height();
    int w, h;
    if (pw * ah >= ph * aw) { // picture is relatively wider: width decides
        w = int(aw);
        h = int(std::max<qint64>(1, (ph * aw + pw / 2) / pw));
    } else {
        h = int(ah);
        w = int(std::max<qint64>(1, (pw * ah + ph / 2) / ph));
    }
    return QRect(area.x() + (area.width() - w) / 2, area.y() + (area.height() - h) / 2, w, h);
}

void ImageView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_hatched) {
        p.fillRect(rect(), QColor(0xE0, 0xE0, 0xE0));
        p.fillRect(rect(), QBrush(QColor(0xA0, 0xA0, 0xA0), Qt::BDiagPattern));
    }
    const QRect target = pictureRect();
    if (target.isEmpty())
        return;
    // Scale once per size; a large picture is expensive to scale on every paint.
    if (m_scaled.size() != target.size())
        m_scaled = QPixmap::fromImage(
            m_image.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    p.drawPixmap(target.topLeft(), m_scaled);
}

} // namespace tk
