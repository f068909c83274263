// RTF reader: never fails, whatever the bytes.
#include "platform/gui/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QTextDocument doc;
    tk::readRtf(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), doc);
    doc.toPlainText();
    return 0;
}
