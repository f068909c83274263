#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tk {

// Pictures of recipes. JPEG is decoded with libjpeg; other formats the toolkit reads (BMP, PNG, ...)
// go through QImageReader. Every failure throws tk::Error with a German message; nothing here
// allocates more than the pixel limit allows, whatever a file's header claims.
constexpr qint64 kMaxPicturePixels = 50'000'000;
constexpr qint64 kMaxPictureFileBytes = 256ll * 1024 * 1024;

bool looksLikeJpeg(const QByteArray& data); // starts with the SOI marker

// name is only used in messages.
QImage decodeJpeg(const QByteArray& data, const QString& name, qint64 maxPixels = kMaxPicturePixels);
QImage decodePicture(const QByteArray& data, const QString& name, qint64 maxPixels = kMaxPicturePixels);
QImage loadPicture(const QString& path, qint64 maxPixels = kMaxPicturePixels);

// Baseline JPEG through libjpeg; transparent parts are put on white.
QByteArray encodeJpeg(const QImage& image, int quality = 90);

// Stores a chosen picture under a recipe's picture name: a JPEG byte for byte, any other
// readable picture converted to JPEG, so that the stored ".jpg" is always a JPEG. Atomic.
void storePicture(const QString& source, const QString& target);

} // namespace tk
