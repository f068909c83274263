#include "exchange/RezeptImport.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "platform/Error.h"
#include "platform/TextLines.h"
#include "store/AppState.h"

namespace tk {

namespace {
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

int installiereRezepte(Sammlung& sammlung, const QString& programDir, const QList<NeuesRezept>& rezepte,
    const std::function<void(int)>& schritt)
{
    if (rezepte.isEmpty())
        return 0;
    sammlung.fuegeHinzu(int(rezepte.size()), [&](int i, int nr) {
        if (schritt)
            schritt(i);
        const NeuesRezept& r = rezepte.at(i);
        const QString dat = recipePath(programDir, nr);
        const QByteArray bytes
            = joinLines(buildRecipe(ohneMarker(r.zutaten), ohneMarker(r.text), ohneMarker(r.kommentar)));
        bool gabEs = false;
        if (!schreibeNeu(dat, bytes, gabEs))
            throw Error(cannotWriteMessage(dat));
        return buildEntry(r.felder);
    });
    return int(rezepte.size());
}

int installiereRezepte(const QString& programDir, const QList<NeuesRezept>& rezepte, int& rezeptMax)
{
    AppState st;
    st.programDir = programDir;
    st.rezeptMax = rezeptMax;
    const int n = installiereRezepte(st.sammlung, programDir, rezepte);
    rezeptMax = st.rezeptMax;
    return n;
}

} // namespace tk
