#include "platform/gui/Jpeg.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jerror.h>
#include <jpeglib.h>

#include "platform/Error.h"
#include "platform/TextLines.h"

namespace tk {

namespace {

    QString shown(const QString& name) { return QDir::toNativeSeparators(name); }

    QString damagedMessage(const QString& name)
    {
        return QStringLiteral(
            "Das Bild \"%1\" ist beschädigt oder unvollständig und kann nicht geladen werden.")
            .arg(shown(name));
    }

    QString tooLargeMessage(const QString& name, qint64 w, qint64 h)
    {
        return QStringLiteral("Das Bild \"%1\" ist mit %2 × %3 Bildpunkten zu groß, um geladen zu werden.")
            .arg(shown(name))
            .arg(w)
            .arg(h);
    }

    QString noPictureMessage(const QString& name)
    {
        return QStringLiteral("Die Datei \"%1\" ist kein Bild im Format JPEG, Bitmap oder PNG.")
            .arg(shown(name));
    }

    // libjpeg reports fatal errors through error_exit, which must not return: jump back to the
    // decoder. Nothing with a destructor lives between setjmp and the libjpeg calls.
    struct ErrorManager {
        jpeg_error_mgr pub;
        std::jmp_buf jump;
        bool truncated;
    };

    extern "C" void onJpegError(j_common_ptr c)
    {
        auto* e = reinterpret_cast<ErrorManager*>(c->err);
        std::longjmp(e->jump, 1);
    }

    extern "C" void onJpegMessage(j_common_ptr c, int level)
    {
        // Warnings only; libjpeg goes on after them. A file that ends early is decoded as grey to
        // the bottom, which is no picture worth showing.
        if (level < 0) {
            auto* e = reinterpret_cast<ErrorManager*>(c->err);
            if (c->err->msg_code == JWRN_JPEG_EOF)
                e->truncated = true;
            c->err->num_warnings++;
        }
    }

    enum class Decoded { Ok, Failed, TooLarge };

    struct Header {
        qint64 width = 0;
        qint64 height = 0;
    };

    Decoded decodeInto(
        const unsigned char* data, unsigned long size, qint64 maxPixels, QImage& out, Header& header)
    {
        jpeg_decompress_struct cinfo;
        ErrorManager err;
        cinfo.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = onJpegError;
        err.pub.emit_message = onJpegMessage;
        err.truncated = false;
        if (setjmp(err.jump)) {
            jpeg_destroy_decompress(&cinfo);
            return Decoded::Failed;
        }
        jpeg_create_decompress(&cinfo);
        // A progressive file keeps all its coefficients in memory; bound that as well.
        cinfo.mem->max_memory_to_use = 512L * 1024 * 1024;
        jpeg_mem_src(&cinfo, data, size);
        jpeg_read_header(&cinfo, TRUE);
        header.width = cinfo.image_width;
        header.height = cinfo.image_height;
        if (header.width <= 0 || header.height <= 0 || header.width * header.height > maxPixels) {
            jpeg_destroy_decompress(&cinfo);
            return header.width * header.height > maxPixels ? Decoded::TooLarge : Decoded::Failed;
        }

        const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
        if (cmyk) {
            cinfo.out_color_space = JCS_CMYK;
        } else {
#ifdef JCS_EXTENSIONS
            cinfo.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
#else
            cinfo.out_color_space = JCS_RGB;
#endif
        }
        jpeg_start_decompress(&cinfo);
        const int w = int(cinfo.output_width);
        const int h = int(cinfo.output_height);
#ifdef JCS_EXTENSIONS
        out = QImage(w, h, QImage::Format_RGB32);
#else
        out = QImage(w, h, cmyk ? QImage::Format_RGB32 : QImage::Format_RGB888);
#endif
        if (out.isNull()) {
            jpeg_destroy_decompress(&cinfo);
            return Decoded::Failed;
        }
        JSAMPARRAY cmykRow = nullptr;
        if (cmyk)
            cmykRow = (*cinfo.mem->alloc_sarray)(
                reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, JDIMENSION(w) * 4, 1);
        // Photoshop writes CMYK inverted and marks it with an Adobe segment.
        const bool inverted = cinfo.saw_Adobe_marker;
        while (cinfo.output_scanline < cinfo.output_height) {
            const int y = int(cinfo.output_scanline);
            if (cmyk) {
                jpeg_read_scanlines(&cinfo, cmykRow, 1);
                const unsigned char* p = cmykRow[0];
                auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
                for (int x = 0; x < w; ++x, p += 4) {
                    int c = p[0], m = p[1], yy = p[2], k = p[3];
                    if (!inverted) {
                        c = 255 - c;
                        m = 255 - m;
                        yy = 255 - yy;
                        k = 255 - k;
                    }
                    line[x] = qRgb(c * k / 255, m * k / 255, yy * k / 255);
                }
            } else {
                JSAMPROW row = out.scanLine(y);
                jpeg_read_scanlines(&cinfo, &row, 1);
            }
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        return err.truncated ? Decoded::Failed : Decoded::Ok;
    }

    struct Destination {
        unsigned char* buffer = nullptr;
        unsigned long size = 0;
    };

    bool encodeInto(const QImage& rgb, int quality, Destination& dest)
    {
        jpeg_compress_struct cinfo;
        ErrorManager err;
        cinfo.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = onJpegError;
        err.pub.emit_message = onJpegMessage;
        err.truncated = false;
        if (setjmp(err.jump)) {
            jpeg_destroy_compress(&cinfo);
            return false;
        }
        jpeg_create_compress(&cinfo);
        jpeg_mem_dest(&cinfo, &dest.buffer, &dest.size);
        cinfo.image_width = JDIMENSION(rgb.width());
        cinfo.image_height = JDIMENSION(rgb.height());
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, quality, TRUE);
        jpeg_start_compress(&cinfo, TRUE);
        while (cinfo.next_scanline < cinfo.image_height) {
            JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(cinfo.next_scanline)));
            jpeg_write_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_compress(&cinfo);
        jpeg_destroy_compress(&cinfo);
        return true;
    }

} // namespace

bool looksLikeJpeg(const QByteArray& data)
{
    return data.size() >= 3 && uchar(data[0]) == 0xFF && uchar(data[1]) == 0xD8 && uchar(data[2]) == 0xFF;
}

QImage decodeJpeg(const QByteArray& data, const QString& name, qint64 maxPixels)
{
    QImage image;
    Header header;
    const Decoded d = decodeInto(reinterpret_cast<const unsigned char*>(data.constData()),
        static_cast<unsigned long>(data.size()), maxPixels, image, header);
    if (d == Decoded::TooLarge)
        throw Error(tooLargeMessage(name, header.width, header.height));
    if (d != Decoded::Ok)
        throw Error(damagedMessage(name));
    return image;
}

QImage decodePicture(const QByteArray& data, const QString& name, qint64 maxPixels)
{
    if (looksLikeJpeg(data))
        return decodeJpeg(data, name, maxPixels);

    QByteArray copy = data; // QBuffer wants a non-const array
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead())
        throw Error(noPictureMessage(name));
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > maxPixels)
        throw Error(tooLargeMessage(name, size.width(), size.height()));
    // The reader checks its own limit (in MB) before it allocates, also for formats whose size it
    // learns only while reading.
    const int previous = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(int(std::max<qint64>(1, maxPixels * 4 / (1024 * 1024) + 1)));
    QImage image = reader.read();
    QImageReader::setAllocationLimit(previous);
    if (image.isNull())
        throw Error(damagedMessage(name));
    if (qint64(image.width()) * image.height() > maxPixels)
        throw Error(tooLargeMessage(name, image.width(), image.height()));
    return image;
}

QImage loadPicture(const QString& path, qint64 maxPixels)
{
    const QFileInfo info(path);
    if (!info.isFile())
        throw Error(cannotOpenMessage(path));
    if (info.size() > kMaxPictureFileBytes)
        throw Error(QStringLiteral("Die Datei \"%1\" ist zu groß für ein Bild.").arg(shown(path)));
    return decodePicture(loadBytes(path), path, maxPixels);
}

QByteArray encodeJpeg(const QImage& image, int quality)
{
    if (image.isNull())
        throw Error(QStringLiteral("Ein leeres Bild kann nicht gespeichert werden."));
    QImage rgb;
    if (image.hasAlphaChannel()) {
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter p(&flat);
        p.drawImage(0, 0, image);
        p.end();
        rgb = flat.convertToFormat(QImage::Format_RGB888);
    } else {
        rgb = image.convertToFormat(QImage::Format_RGB888);
    }
    Destination dest;
    const bool ok = encodeInto(rgb, quality, dest);
    QByteArray out;
    if (ok && dest.buffer)
        out = QByteArray(reinterpret_cast<const char*>(dest.buffer), qsizetype(dest.size));
    std::free(dest.buffer);
    if (!ok || out.isEmpty())
        throw Error(QStringLiteral("Das Bild kann nicht als JPEG gespeichert werden."));
    return out;
}

void storePicture(const QString& source, const QString& target)
{
    const QFileInfo info(source);
    if (!info.isFile())
        throw Error(cannotOpenMessage(source));
    if (info.size() > kMaxPictureFileBytes)
        throw Error(QStringLiteral("Die Datei \"%1\" ist zu groß für ein Bild.").arg(shown(source)));
    const QByteArray bytes = loadBytes(source);
    if (looksLikeJpeg(bytes)) {
        saveBytes(target, bytes);
        return;
    }
    saveBytes(target, encodeJpeg(decodePicture(bytes, source)));
}

} // namespace tk
