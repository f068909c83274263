#include "exchange/RezeptImport.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "platform/Error.h"
#include "platform/TextLines.h"

namespace tk {

namespace {
    void entferne(const QStringList& files)
    {
        for (const QString& f : files)
            QFile::remove(f);
    }

    // Foreign text must not hold the comment marker: the reader would start the comment there.
    QStringList ohneMarker(QStringList lines)
    {
        for (QString& l : lines)
            if (l.contains(kMarker))
                l.replace(kMarker, QStringLiteral("KOMMENTAR"));
        return lines;
    }

    // A new file only: an existing one belongs to a recipe number the index does not know of.
    // Plain POSIX calls: thousands of recipes are written at once and QFile costs several stats each.
    bool schreibeNeu(const QString& path, const QByteArray& bytes, bool& gabEs)
    {
        const QByteArray name = QFile::encodeName(path);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            gabEs = errno == EEXIST;
            return false;
        }
        const char* p = bytes.constData();
        qsizetype rest = bytes.size();
        while (rest > 0) {
            const ssize_t n = ::write(fd, p, size_t(rest));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            p += n;
            rest -= n;
        }
        const bool ok = ::close(fd) == 0 && rest == 0;
        if (!ok)
            ::unlink(name.constData());
        return ok;
    }
}

NeuesRezept neuesRezept(const ImportRezept& r, const Kategoriezuordnung& kategorien, QStringList* unbekannt)
{
    NeuesRezept n;
    // Index fields are kept as short as the package export keeps them.
    n.felder.titel = r.titel.left(255);
    n.felder.autor = r.autor.left(255);
    n.felder.datum = r.datum.left(255);
    n.felder.menge = r.menge.left(255);
    n.felder.kategorien = kategorien.liste(r.kategorien, unbekannt);
    n.zutaten = r.zutaten;
    n.text = r.text;
    n.kommentar = r.kommentar;
    return n;
}

int installiereRezepte(const QString& programDir, const QList<NeuesRezept>& rezepte, int& rezeptMax)
{
    if (rezepte.isEmpty())
        return 0;
    const QString index = indexPath(programDir);
    QStringList lines = loadLines(index);
    // New entries must land on the line of their number.
    while (lines.size() > qsizetype(rezeptMax) + 2 && lines.constLast().trimmed().isEmpty())
        lines.removeLast();
    if (lines.size() != qsizetype(rezeptMax) + 2)
        throw Error(
            QStringLiteral("Das Rezeptverzeichnis (index.dat) passt nicht zu den geladenen Rezepten. "
                           "Bitte starten Sie die Tellerkiste neu und versuchen Sie es noch einmal."));

    lines.reserve(lines.size() + rezepte.size());
    QStringList geschrieben;
    int max = rezeptMax;
    try {
        for (const NeuesRezept& r : rezepte) {
            const int nr = max + 1;
            const QString dat = recipePath(programDir, nr);
            const QByteArray bytes
                = joinLines(buildRecipe(ohneMarker(r.zutaten), ohneMarker(r.text), ohneMarker(r.kommentar)));
            bool gabEs = false;
            if (!schreibeNeu(dat, bytes, gabEs)) {
                if (gabEs)
                    throw Error(
                        QStringLiteral("Die Rezeptdatei %1 gibt es schon, obwohl das Rezeptverzeichnis "
                                       "sie nicht kennt. Es wurde nichts importiert.")
                            .arg(QDir::toNativeSeparators(dat)));
                throw Error(cannotWriteMessage(dat));
            }
            geschrieben.append(dat);
            max = nr;
            lines.append(buildEntry(r.felder));
        }
        lines[0] = QString::number(max);
        saveLines(index, lines);
    } catch (...) {
        entferne(geschrieben);
        throw;
    }
    rezeptMax = max;
    return int(rezepte.size());
}

} // namespace tk
