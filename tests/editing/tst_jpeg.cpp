#include "TestSupport.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>
#include <sys/resource.h>
#include <zlib.h>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

#include "platform/Error.h"
#include "platform/gui/ImageView.h"
#include "platform/gui/Jpeg.h"

namespace {

QImage testbild(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(200, 30, 40));
    for (int x = 0; x < w / 2; ++x)
        for (int y = 0; y < h; ++y)
            img.setPixel(x, y, qRgb(20, 60, 220));
    return img;
}

QByteArray qtBytes(const QImage& img, const char* format)
{
    QByteArray out;
    QBuffer b(&out);
    b.open(QIODevice::WriteOnly);
    img.save(&b, format);
    return out;
}

// A JPEG whose frame header claims another size.
QByteArray mitJpegGroesse(QByteArray jpeg, int w, int h)
{
    for (qsizetype i = 2; i + 9 < jpeg.size(); ++i) {
        if (uchar(jpeg[i]) == 0xFF && (uchar(jpeg[i + 1]) == 0xC0 || uchar(jpeg[i + 1]) == 0xC2)) {
            qToBigEndian<quint16>(quint16(h), jpeg.data() + i + 5);
            qToBigEndian<quint16>(quint16(w), jpeg.data() + i + 7);
            return jpeg;
        }
    }
    qFatal("no frame header");
}

QByteArray mitPngGroesse(QByteArray png, quint32 w, quint32 h)
{
    qToBigEndian<quint32>(w, png.data() + 16);
    qToBigEndian<quint32>(h, png.data() + 20);
    const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(png.constData() + 12), 17));
    qToBigEndian<quint32>(crc, png.data() + 29);
    return png;
}

long maxRssKb()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

} // namespace

class JpegTest : public QObject {
    Q_OBJECT
private slots:
    void decodesPictures_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::newRow("JPEG from Qt") << qtBytes(testbild(64, 48), "JPG") << QSize(64, 48);
        QTest::newRow("JPEG from libjpeg") << tk::encodeJpeg(testbild(33, 17)) << QSize(33, 17);
        QTest::newRow("grey JPEG") << qtBytes(testbild(40, 30).convertToFormat(QImage::Format_Grayscale8),
            "JPG") << QSize(40, 30);
        QByteArray progressive;
        {
            QBuffer b(&progressive);
            b.open(QIODevice::WriteOnly);
            QImageWriter w(&b, "jpg");
            w.setProgressiveScanWrite(true);
            w.write(testbild(50, 40));
        }
        QTest::newRow("progressive JPEG") << progressive << QSize(50, 40);
        QTest::newRow("BMP") << qtBytes(testbild(20, 10), "BMP") << QSize(20, 10);
        QTest::newRow("PNG") << qtBytes(testbild(21, 11), "PNG") << QSize(21, 11);
    }
    void decodesPictures()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        const QImage img = tk::decodePicture(bytes, QStringLiteral("x"));
        QCOMPARE(img.size(), size);
        // Left half blue, right half red, whatever the format (grey has no colour to compare).
        const QColor right = img.pixelColor(size.width() - 2, size.height() / 2);
        const QColor left = img.pixelColor(1, size.height() / 2);
        if (img.isGrayscale() || qGray(right.rgb()) == right.red())
            return;
        QVERIFY2(right.red() > 150 && right.blue() < 100, qPrintable(right.name()));
        QVERIFY2(left.blue() > 150 && left.red() < 100, qPrintable(left.name()));
    }

    void refusesBadInput_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray jpeg = qtBytes(testbild(200, 150), "JPG");
        QTest::newRow("truncated JPEG") << jpeg.left(jpeg.size() / 2) << QStringLiteral("beschädigt");
        QTest::newRow("header only") << jpeg.left(120) << QStringLiteral("beschädigt");
        QTest::newRow("garbage after SOI")
            << QByteArray("\xFF\xD8\xFF\xE0garbage garbage garbage") << QStringLiteral("beschädigt");
        QTest::newRow("60000 x 60000 JPEG")
            << mitJpegGroesse(jpeg, 60000, 60000) << QStringLiteral("60000 × 60000");
        QTest::newRow("zero width JPEG") << mitJpegGroesse(jpeg, 0, 100) << QStringLiteral("beschädigt");
        QTest::newRow("60000 x 60000 PNG")
            << mitPngGroesse(qtBytes(testbild(8, 8), "PNG"), 60000, 60000) << QStringLiteral("zu groß");
        QTest::newRow("text file") << QByteArray("2\r\nZucker\r\nMehl\r\n") << QStringLiteral("kein Bild");
        QTest::newRow("empty file") << QByteArray() << QStringLiteral("kein Bild");
    }
    void refusesBadInput()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const long before = maxRssKb();
        try {
            tk::decodePicture(bytes, QStringLiteral("bild.jpg"));
            QFAIL("no error");
        } catch (const tk::Error& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
            QVERIFY2(e.message().contains(QStringLiteral("bild.jpg")), qPrintable(e.message()));
        }
        QVERIFY2(maxRssKb() - before < 100 * 1024, "a bad header must not allocate its claimed size");
    }

    void missingFileIsAnError()
    {
        QVERIFY_THROWS_EXCEPTION(tk::Error, tk::loadPicture(QStringLiteral("/nonexistent/0001.jpg")));
    }

    void cmykJpegBecomesRgb()
    {
        // Photoshop's inverted CMYK with the Adobe marker, as libjpeg writes it for CMYK input.
        const int w = 16, h = 8;
        std::vector<unsigned char> row(size_t(w) * 4);
        for (int x = 0; x < w; ++x) {
            row[size_t(x) * 4 + 0] = 255; // C = 0
            row[size_t(x) * 4 + 1] = 0; // M = 100 %
            row[size_t(x) * 4 + 2] = 0; // Y = 100 %
            row[size_t(x) * 4 + 3] = 255; // K = 0
        }
        jpeg_compress_struct c;
        jpeg_error_mgr err;
        c.err = jpeg_std_error(&err);
        jpeg_create_compress(&c);
        unsigned char* buf = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&c, &buf, &size);
        c.image_width = w;
        c.image_height = h;
        c.input_components = 4;
        c.in_color_space = JCS_CMYK;
        jpeg_set_defaults(&c);
        jpeg_start_compress(&c, TRUE);
        while (c.next_scanline < c.image_height) {
            JSAMPROW r = row.data();
            jpeg_write_scanlines(&c, &r, 1);
        }
        jpeg_finish_compress(&c);
        jpeg_destroy_compress(&c);
        const QByteArray bytes(reinterpret_cast<const char*>(buf), qsizetype(size));
        free(buf);
        const QImage img = tk::decodePicture(bytes, QStringLiteral("cmyk.jpg"));
        QCOMPARE(img.size(), QSize(w, h));
        const QColor px = img.pixelColor(3, 3);
        QVERIFY2(px.red() > 200 && px.green() < 60 && px.blue() < 60, qPrintable(px.name()));
    }

    void storesJpegByteForByteAndConvertsOthers()
    {
        QTemporaryDir dir;
        const QString jpg = dir.filePath(QStringLiteral("a.jpg"));
        const QString png = dir.filePath(QStringLiteral("b.png"));
        const QByteArray jpegBytes = qtBytes(testbild(30, 20), "JPG");
        const QByteArray pngBytes = qtBytes(testbild(31, 21), "PNG");
        QFile f(jpg);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(jpegBytes);
        f.close();
        QFile g(png);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write(pngBytes);
        g.close();

        const QString t1 = dir.filePath(QStringLiteral("0001.jpg"));
        const QString t2 = dir.filePath(QStringLiteral("0002.jpg"));
        tk::storePicture(jpg, t1);
        tk::storePicture(png, t2);
        QFile r1(t1);
        QVERIFY(r1.open(QIODevice::ReadOnly));
        QCOMPARE(r1.readAll(), jpegBytes);
        QFile r2(t2);
        QVERIFY(r2.open(QIODevice::ReadOnly));
        const QByteArray stored = r2.readAll();
        QVERIFY(tk::looksLikeJpeg(stored));
        QCOMPARE(tk::decodeJpeg(stored, t2).size(), QSize(31, 21));
    }

    void fitRect_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("smaller is enlarged") << QSize(20, 10) << QRect(0, 0, 50, 35) << QRect(0, 5, 50, 25);
        QTest::newRow("larger is reduced")
            << QSize(3000, 2000) << QRect(0, 0, 974, 683) << QRect(0, 17, 974, 649);
        QTest::newRow("tall picture centred")
            << QSize(100, 400) << QRect(0, 0, 145, 104) << QRect(59, 0, 26, 104);
        QTest::newRow("exact fit") << QSize(400, 300) << QRect(0, 0, 400, 300) << QRect(0, 0, 400, 300);
        QTest::newRow("offset area") << QSize(10, 10) << QRect(5, 7, 20, 40) << QRect(5, 17, 20, 20);
        QTest::newRow("no picture") << QSize() << QRect(0, 0, 20, 20) << QRect();
    }
    void fitRect()
    {
        QFETCH(QSize, picture);
        QFETCH(QRect, area);
        QFETCH(QRect, expected);
        QCOMPARE(tk::ImageView::fitRect(picture, area), expected);
    }
};

TK_TEST_MAIN(JpegTest)
#include "tst_jpeg.moc"
