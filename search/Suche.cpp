#include "search/Suche.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/Cp1252.h"
#include "platform/Error.h"
#include "platform/TextLines.h"
#include "search/Wildcard.h"
#include "store/Formats.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tk {

QString suchMaske(const QString& wort) { return u'*' + wort + u'*'; }

QString suchZusammenfassung(int treffer)
{
    if (treffer == 0)
        return QStringLiteral(
            "Suche beendet, leider KEINE TREFFER!\r\rVersuchen Sie bitte ein anderes Suchwort");
    return QStringLiteral("Suche beendet: ") + QString::number(treffer) + QStringLiteral(" Treffer!");
}

namespace {

    const char kMarkerBytes[] = "###KOMMENTAR###";

    // The number of lines in a file's bytes, counted as Zeilen splits them.
    qsizetype zeilenzahl(const QByteArray& bytes)
    {
        const qsizetype enden = std::count(bytes.cbegin(), bytes.cend(), '\n');
        return enden + (!bytes.isEmpty() && !bytes.endsWith('\n') ? 1 : 0);
    }

    // The lines of a file's bytes, split as the line lists are: at "\n", one "\r" before it dropped,
    // no empty line after a final line end. Works on the bytes in place; nothing is decoded.
    class Zeilen {
    public:
        explicit Zeilen(const QByteArray& bytes)
            : m_p(bytes.constData())
            , m_end(bytes.constData() + bytes.size())
        {
        }
        bool next(const char*& line, qsizetype& len)
        {
            if (m_p >= m_end)
                return false;
            const void* hit = std::memchr(m_p, '\n', size_t(m_end - m_p));
            const char* stop = hit ? static_cast<const char*>(hit) : m_end;
            line = m_p;
            len = stop - m_p;
            if (len > 0 && line[len - 1] == '\r')
                --len;
            m_p = stop + 1;
            return true;
        }

    private:
        const char* m_p;
        const char* m_end;
    };

    // Reads a whole file into the buffer, which keeps its capacity from one recipe to the next.
    // The search reads tens of thousands of small files in a row: on Unix it goes to the system
    // directly, without a QFile per file.
    void leseDatei(const QString& path, QByteArray& buffer)
    {
#ifdef Q_OS_UNIX
        const QByteArray name = QFile::encodeName(path);
        int fd;
        do
            fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
        while (fd < 0 && errno == EINTR);
        if (fd < 0)
            throw Error(cannotOpenMessage(path));
        if (buffer.capacity() < 16384)
            buffer.reserve(16384);
        buffer.resize(buffer.capacity());
        qsizetype got = 0;
        for (;;) {
            if (got == buffer.size())
                buffer.resize(buffer.size() * 2);
            const ssize_t r = ::read(fd, buffer.data() + got, size_t(buffer.size() - got));
            if (r < 0 && errno == EINTR)
                continue;
            if (r < 0) {
                ::close(fd);
                throw Error(cannotOpenMessage(path));
            }
            if (r == 0)
                break;
            got += r;
        }
        ::close(fd);
        buffer.resize(got);
#else
        buffer = loadBytes(path);
#endif
    }

    QString kaputtMessage(const QString& path, const QString& why)
    {
        return QStringLiteral("Die Rezeptdatei \"%1\" ist beschädigt: %2")
            .arg(QDir::toNativeSeparators(path), why);
    }

} // namespace

void sucheRezepte(const std::vector<Rezepteintrag>& rezepte, int rezeptMax, const QString& programDir,
    SuchModus modus, const QString& wort, std::vector<int>& treffer, const std::function<void(int)>& progress)
{
    // The mask is compiled at the first comparison: an invalid one shows only when something is compared.
    std::optional<Wildcard> maske;
    auto passt = [&](auto&&... text) {
        if (!maske)
            maske.emplace(suchMaske(wort));
        return maske->matches(text...);
    };

    QByteArray datei; // the one work buffer, refilled for every recipe
    const int last = std::min(rezeptMax, int(rezepte.size()) - 1);
    for (int n = 0; n <= last; ++n) {
        const Rezepteintrag& r = rezepte[size_t(n)];
        if (r.geloescht)
            continue;
        if (progress)
            progress(n);

        bool hit = false;
        switch (modus) {
        case SuchModus::Titel:
            hit = passt(QStringView(r.titel));
            break;
        case SuchModus::Autor:
            hit = passt(QStringView(r.autor));
            break;
        case SuchModus::Zutaten:
        case SuchModus::Volltext: {
            const QString path = recipePath(programDir, n);
            leseDatei(path, datei);
            Zeilen zeilen(datei);
            const char* line = nullptr;
            qsizetype len = 0;
            int anzahl = 0;
            if (!zeilen.next(line, len) || !parseStoreInt(fromCp1252(line, len), anzahl))
                throw Error(kaputtMessage(path, QStringLiteral("Die erste Zeile ist keine Zahl.")));
            // A negative count announces no ingredient lines; the search goes on with the text.
            anzahl = std::max(anzahl, 0);
            int i = 0;
            if (anzahl > 0 && anzahl >= zeilenzahl(datei)) {
                // Fewer lines than the count announces: read as the view reads it, the ingredients end
                // at the first marker line; the marker and the comment are all that follows them.
                bool zutat = true;
                while (!hit && zeilen.next(line, len)) {
                    if (zutat && QByteArrayView(line, len).contains(QByteArrayView(kMarkerBytes)))
                        zutat = false;
                    if (zutat == (modus == SuchModus::Zutaten))
                        hit = passt(line, len);
                }
            } else if (modus == SuchModus::Zutaten) {
                while (i < anzahl && zeilen.next(line, len)) {
                    ++i;
                    if (passt(line, len)) {
                        hit = true;
                        break;
                    }
                }
            } else {
                while (i < anzahl && zeilen.next(line, len))
                    ++i;
                // Preparation text, marker line and comment: every line after the ingredients.
                while (zeilen.next(line, len))
                    if (passt(line, len)) {
                        hit = true;
                        break;
                    }
            }
            break;
        }
        }
        if (hit)
            treffer.push_back(n);
    }
}

} // namespace tk
