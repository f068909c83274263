// Recipe packages: export of 10 000 recipes with 3 000 pictures and the import of that package, against
// `gzip -9` and `gzip -dc` over the same bytes, timed in the same run.
// Usage: bench_package [work folder]
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>

#include "exchange/Paket.h"
#include "exchange/Paketformat.h"
#include "platform/Error.h"
#include "platform/TextLines.h"
#include "store/Formats.h"
#include "store/Rezepte.h"
#include "support/Generator.h"

namespace {

double timeMs(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

// A photo-like JPEG: smooth colour fields with noise, as a camera picture scaled down for a recipe.
QByteArray picture(std::mt19937& rng, int i)
{
    QImage img(480, 360, QImage::Format_RGB32);
    img.fill(QColor::fromHsv(int(rng() % 360), 120, 200));
    QPainter p(&img);
    for (int k = 0; k < 40; ++k) {
        p.setBrush(QColor::fromHsv(int(rng() % 360), int(rng() % 256), int(rng() % 256)));
        p.setPen(Qt::NoPen);
        p.drawEllipse(
            int(rng() % 480) - 60, int(rng() % 360) - 60, 40 + int(rng() % 160), 40 + int(rng() % 160));
    }
    p.end();
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int n = int(rng() % 25) - 12;
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                std::clamp(qBlue(c) + n, 0, 255));
        }
    }
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    if (!img.save(&buf, "JPG", 80)) {
        // No JPEG writer: random bytes compress as badly as JPEG data does.
        out = QByteArray("\xff\xd8\xff\xe0", 4);
        for (int k = 0; k < 30000 + i; ++k)
            out.append(char(rng()));
    }
    return out;
}

double gzip(const QStringList& args, const QString& input)
{
    QProcess p;
    p.setStandardInputFile(input);
    p.setStandardOutputFile(QProcess::nullDevice());
    return timeMs([&] {
        p.start(QStringLiteral("gzip"), args);
        p.waitForFinished(-1);
    });
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QString root
        = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath() + u"/tk-bench-package"_qs;
    try {
        QDir(root).removeRecursively();
        const QString quelle = root + u"/quelle"_qs;
        tkb::GeneratorOptions o;
        o.count = 10000;
        o.favourites = 0;
        o.deletedPercent = 0;
        tkb::generateCollection(quelle, o);
        std::mt19937 rng(4711);
        qint64 bildBytes = 0;
        // 300 different photos, each given to ten recipes far apart: a repeat lies far outside the
        // window of deflate and of gzip, so it costs both sides as much as a new photo would.
        std::vector<QByteArray> fotos;
        for (int i = 0; i < 300; ++i)
            fotos.push_back(picture(rng, i));
        const int bilder = 3000;
        for (int i = 0; i < bilder; ++i) {
            const QByteArray& jpg = fotos[size_t(i % 300)];
            bildBytes += jpg.size();
            tk::saveBytes(tk::picturePath(quelle, int(qint64(i) * o.count / bilder)), jpg);
        }
        std::vector<tk::Rezepteintrag> rezepte;
        int rezeptMax = -1;
        tk::ladeTabelle(tk::loadLines(tk::indexPath(quelle)), rezepte, rezeptMax, nullptr, 0, {}, {});
        QList<int> nummern;
        for (int n = 0; n <= rezeptMax; ++n)
            nummern.append(n);

        // The bytes that go into the package, as one file for gzip.
        const QString paket = root + u"/rezepte.tkp"_qs;
        tk::exportiereRezepte(quelle, rezepte, nummern, u"Bench"_qs, u"bench"_qs, paket);
        const QString roh = root + u"/roh.bin"_qs;
        {
            QFile out(roh);
            out.open(QIODevice::WriteOnly);
            const QDir temp(tk::tempDir(quelle));
            for (const QString& f : temp.entryList(QDir::Files, QDir::Name))
                out.write(tk::loadBytes(temp.filePath(f)));
        }
        const qint64 rohBytes = QFileInfo(roh).size();
        const QStringList kopien = QDir(tk::tempDir(quelle)).entryList(QDir::Files);
        std::printf("package input: %lld bytes in %lld files (%d recipes, 3000 pictures with %lld bytes); "
                    "package %lld bytes\n",
            rohBytes, qlonglong(kopien.size()), rezeptMax + 1, bildBytes, QFileInfo(paket).size());

        const QString gz = root + u"/roh.bin.gz"_qs;
        QProcess::execute(u"sh"_qs, { u"-c"_qs, u"gzip -9 -c '%1' > '%2'"_qs.arg(roh, gz) });

        double packen = 1e300, gzip9 = 1e300;
        for (int r = 0; r < 3; ++r) {
            tk::ordnerLoeschen(tk::tempDir(quelle));
            packen = std::min(packen, timeMs([&] {
                tk::exportiereRezepte(quelle, rezepte, nummern, u"Bench"_qs, u"bench"_qs, paket);
                tk::ordnerLoeschen(tk::tempDir(quelle));
            }));
            gzip9 = std::min(gzip9, gzip({ u"-9"_qs, u"-c"_qs }, roh));
        }
        // dateienPacken alone, over the work folder of one export.
        tk::exportiereRezepte(quelle, rezepte, nummern, u"Bench"_qs, u"bench"_qs, paket);
        QStringList liste;
        const QDir temp(tk::tempDir(quelle));
        for (const QString& f : temp.entryList(QDir::Files, QDir::Name))
            liste.append(temp.filePath(f));
        double nurPacken = 1e300;
        for (int r = 0; r < 3; ++r)
            nurPacken = std::min(nurPacken, timeMs([&] { tk::dateienPacken(liste, paket); }));
        tk::ordnerLoeschen(tk::tempDir(quelle));
        std::printf("DateienPacken: %.1f ms; gzip -9: %.1f ms; ratio %.2f (goal <= 1.2)\n", nurPacken, gzip9,
            nurPacken / gzip9);
        std::printf("whole export (index, copies, pack): %.1f ms; ratio to gzip -9 %.2f (goal <= 1.0)\n",
            packen, packen / gzip9);

        // Import into a collection of its own, rebuilt before every round.
        const QString ziel = root + u"/ziel"_qs;
        double importieren = 1e300, gunzip = 1e300, kopieren = 1e300;
        for (int r = 0; r < 3; ++r) {
            QDir(ziel).removeRecursively();
            QDir().mkpath(tk::rezepteDir(ziel));
            QFile::copy(tk::indexPath(quelle), tk::indexPath(ziel));
            int max = rezeptMax;
            tk::InstallErgebnis e;
            importieren = std::min(importieren, timeMs([&] {
                const QString index = tk::entpackeInArbeitsordner(ziel, paket);
                e = tk::installierePaket(ziel, index, max);
            }));
            if (!e.ok || e.installiert != rezeptMax + 1)
                throw tk::Error(u"Import unvollständig"_qs);
            gunzip = std::min(gunzip, gzip({ u"-dc"_qs }, gz));
            // The copies an install makes anyway: each unpacked file once into the recipe folder.
            const QString von = root + u"/kopie-von"_qs, nach = root + u"/kopie-nach"_qs;
            QDir(von).removeRecursively();
            QDir(nach).removeRecursively();
            tk::exportiereRezepte(quelle, rezepte, nummern, u"Bench"_qs, u"bench"_qs, paket);
            QDir().rename(tk::tempDir(quelle), von);
            QDir().mkpath(nach);
            kopieren = std::min(kopieren, timeMs([&] {
                for (const QString& f : kopien)
                    std::filesystem::copy_file(QFile::encodeName(von + u'/' + f).toStdString(),
                        QFile::encodeName(nach + u'/' + f).toStdString());
            }));
        }
        std::printf(
            "import (unpack, install %d recipes): %.1f ms; gzip -dc: %.1f ms + copies %.1f ms = %.1f ms; "
            "ratio %.2f (goal <= 1.5)\n",
            rezeptMax + 1, importieren, gunzip, kopieren, gunzip + kopieren,
            importieren / (gunzip + kopieren));
        QDir(root).removeRecursively();
    } catch (const tk::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
