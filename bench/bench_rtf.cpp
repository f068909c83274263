// Reading rich text: the shipped welcome text, the same text repeated to about 2 MB, and a file of
// deeply nested groups (damaged input must stay linear).
// Usage: bench_rtf [data folder]  (default: the source tree's data folder, for a build folder in it)
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextDocument>
#include <cstdio>

#include "platform/gui/RtfReader.h"

namespace {
double readMs(const QByteArray& rtf, int rounds)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rounds; ++i) {
        QTextDocument doc;
        tk::readRtf(rtf, doc);
    }
    return double(t.nsecsElapsed()) / 1e6 / rounds;
}
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The program sits in <build>/bench; the source tree's data folder is two levels up.
    const QString data = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QCoreApplication::applicationDirPath() + QStringLiteral("/../../data");
    QFile f(data + QStringLiteral("/Sonstiges/Welcome.rtf"));
    if (!f.open(QIODevice::ReadOnly)) {
        std::printf("Welcome.rtf not found\n");
        return 1;
    }
    const QByteArray welcome = f.readAll();
    const int open = int(welcome.indexOf("\\pard"));
    QByteArray big = welcome.left(open);
    const QByteArray body = welcome.mid(open, welcome.lastIndexOf('}') - open);
    while (big.size() < 2'000'000)
        big += body;
    big += '}';
    QByteArray deep = "{\\rtf1 ";
    deep += QByteArray(1'000'000, '{') + "x" + QByteArray(1'000'000, '}') + '}';

    std::printf(
        "welcome text (%lld bytes): %.2f ms per read\n", qlonglong(welcome.size()), readMs(welcome, 50));
    std::printf("repeated text (%lld bytes): %.1f ms per read\n", qlonglong(big.size()), readMs(big, 3));
    std::printf("nested groups (%lld bytes): %.1f ms per read\n", qlonglong(deep.size()), readMs(deep, 3));
    return 0;
}
