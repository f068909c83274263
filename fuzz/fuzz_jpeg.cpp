// Picture decoder: a picture or tk::Error, never more pixels than allowed.
#include "platform/Error.h"
#include "platform/gui/Jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    constexpr qint64 limit = 4'000'000;
    try {
        const QImage img
            = tk::decodePicture(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)),
                QStringLiteral("x.jpg"), limit);
        if (qint64(img.width()) * img.height() > limit)
            abort();
    } catch (const tk::Error&) {
    }
    return 0;
}
