// Decoding recipe pictures: libjpeg straight into a QImage against Qt's own JPEG reader, for a
// camera-sized picture, and how fast and cheaply a header claiming 60000 x 60000 is refused.
//   bench_jpeg
#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

#include "platform/Error.h"
#include "platform/gui/Jpeg.h"

namespace {

double bestOf(int runs, const std::function<void()>& f)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        best = std::min(best, double(t.nsecsElapsed()) / 1e6);
    }
    return best;
}

long maxRssMb()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QImage img(4000, 3000, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 4000, 3000);
    g.setColorAt(0, Qt::darkRed);
    g.setColorAt(1, Qt::yellow);
    p.fillRect(img.rect(), g);
    p.end();
    const QByteArray jpeg = tk::encodeJpeg(img, 90);

    const double ours = bestOf(5, [&] { (void)tk::decodeJpeg(jpeg, QStringLiteral("x")); });
    const double qt = bestOf(5, [&] {
        QByteArray copy = jpeg;
        QBuffer b(&copy);
        b.open(QIODevice::ReadOnly);
        QImageReader r(&b, "jpg");
        (void)r.read();
    });
    std::printf("decode 4000x3000 JPEG (%lld KB): libjpeg %.1f ms, Qt reader %.1f ms\n",
        static_cast<long long>(jpeg.size() / 1024), ours, qt);

    QByteArray huge = jpeg;
    for (qsizetype i = 2; i + 9 < huge.size(); ++i)
        if (uchar(huge[i]) == 0xFF && uchar(huge[i + 1]) == 0xC0) {
            huge[i + 5] = char(0xEA), huge[i + 6] = char(0x60), huge[i + 7] = char(0xEA),
                     huge[i + 8] = char(0x60);
            break;
        }
    const long before = maxRssMb();
    const double refuse = bestOf(5, [&] {
        try {
            (void)tk::decodeJpeg(huge, QStringLiteral("x"));
        } catch (const tk::Error&) {
        }
    });
    std::printf(
        "refuse 60000x60000 header: %.3f ms, peak memory grew by %ld MB\n", refuse, maxRssMb() - before);
    return 0;
}
