#include "exchange/Paket.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

#include "exchange/Paketformat.h"
#include "platform/Error.h"
#include "platform/IniFile.h"
#include "platform/TextLines.h"
#include "store/AppState.h"
#include "store/IniSpeicher.h"
#include "store/Formats.h"

namespace tk {

namespace {
    const QString kInfo = QStringLiteral("Info");

    // Whether path lies strictly inside folder (both made absolute and clean).
    bool liegtIn(const QString& path, const QString& folder)
    {
        const QString p = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        const QString f = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
        return p.startsWith(f + u'/');
    }

    // Copies a file without ever replacing one. Inside the program folder a hard link does it at once
    // (every writer of the program replaces files whole, so the two names never see each other's
    // changes); across file systems the bytes are copied. A partly written copy is removed.
    bool kopiere(const QString& from, const QString& to)
    {
        const QByteArray src = QFile::encodeName(from), dst = QFile::encodeName(to);
        if (::linkat(AT_FDCWD, src.constData(), AT_FDCWD, dst.constData(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno == EEXIST || errno == ENOENT || errno == ENOTDIR)
            return false;
        std::error_code ec;
        if (std::filesystem::exists(dst.constData(), ec))
            return false;
        if (std::filesystem::copy_file(
                src.constData(), dst.constData(), std::filesystem::copy_options::none, ec))
            return true;
        std::filesystem::remove(dst.constData(), ec);
        return false;
    }
}

PaketInfo paketInfo(const QString& indexTki)
{
    const IniFile ini(indexTki);
    PaketInfo info;
    info.name
        = ini.readString(kInfo, QStringLiteral("Name"), QStringLiteral("keine näheren Informationen..."));
    info.rezepte = ini.readInteger(kInfo, QStringLiteral("Rezepte"), 0);
    info.autor = ini.readString(kInfo, QStringLiteral("Autor"), QString());
    return info;
}

QString paketZeile(const PaketInfo& info)
{
    return info.name + QStringLiteral(" (") + QString::number(info.rezepte) + QStringLiteral(" Rezepte) von ")
        + info.autor;
}

QString standardKategorien(const Rezepteintrag& r)
{
    QList<int> nummern;
    for (int i = 1; i <= 13; ++i)
        if (r.inKategorie[size_t(i)] == 1)
            nummern.append(i);
    return categoryList(nummern);
}

QString paketPfad(const QString& chosen)
{
    const qsizetype slash = std::max(chosen.lastIndexOf(u'/'), chosen.lastIndexOf(u'\\'));
    const qsizetype dot = chosen.lastIndexOf(u'.');
    const QString base = dot > slash ? chosen.left(dot) : chosen;
    return base + QStringLiteral(".tkp");
}

void exportiereRezepte(const QString& programDir, const std::vector<Rezepteintrag>& rezepte,
    const QList<int>& nummern, const QString& paketName, const QString& autor, const QString& paket)
{
    const QString temp = tempDir(programDir);
    // The work folder is removed after the export; a package saved inside it would go with it.
    if (liegtIn(paket, temp))
        throw Error(QStringLiteral("Das Rezeptpaket kann nicht im Arbeitsordner %1 gespeichert werden. "
                                   "Bitte wählen Sie einen anderen Ordner.")
                        .arg(QDir::toNativeSeparators(temp)));
    if (!QDir().mkpath(temp))
        throw Error(cannotWriteMessage(temp));

    const QString indexTki = temp + QStringLiteral("/index.tki");
    QStringList dateien { indexTki };
    IniSpeicher ini(indexTki);
    ini.schreibeText(kInfo, QStringLiteral("Rezepte"), QString::number(nummern.size()));
    ini.schreibeText(kInfo, QStringLiteral("Name"), paketName.left(255));
    ini.schreibeText(kInfo, QStringLiteral("Autor"), autor.left(255));
    static const Rezepteintrag leer;
    for (qsizetype p = 0; p < nummern.size(); ++p) {
        const int r = nummern.at(p);
        const Rezepteintrag& rec = r >= 0 && size_t(r) < rezepte.size() ? rezepte[size_t(r)] : leer;
        const QString section = QString::number(p);
        ini.schreibeText(section, QStringLiteral("Name"), rec.titel.left(255));
        ini.schreibeText(section, QStringLiteral("Koch"), rec.autor.left(255));
        ini.schreibeText(section, QStringLiteral("Datum"), rec.datum.left(255));
        ini.schreibeText(section, QStringLiteral("Menge"), rec.menge.left(255));
        ini.schreibeText(section, QStringLiteral("Kategorie"), standardKategorien(rec));

        // A copy that fails leaves no file, so the packing reports the missing recipe.
        const QString dat = temp + u'/' + stem(int(p)) + QStringLiteral(".dat");
        QFile::remove(dat);
        kopiere(recipePath(programDir, r), dat);
        dateien.append(dat);
        const QString bild = picturePath(programDir, r);
        if (QFileInfo::exists(bild)) {
            const QString jpg = temp + u'/' + stem(int(p)) + QStringLiteral(".jpg");
            QFile::remove(jpg);
            kopiere(bild, jpg);
            dateien.append(jpg);
        }
    }
    ini.zurueckschreiben();
    dateienPacken(dateien, paket);
}

void exportAufraeumen(const QString& programDir)
{
    const QDir temp(tempDir(programDir));
    if (!temp.exists())
        return;
    for (const QString& f : temp.entryList(QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(temp.filePath(f));
    QDir().rmdir(temp.path());
}

QString entpackeInArbeitsordner(const QString& programDir, const QString& paket)
{
    const QString temp = tempDir(programDir);
    if (!QDir().mkpath(temp))
        throw Error(cannotWriteMessage(temp));
    QTemporaryDir ordner(temp + QStringLiteral("/paket-XXXXXX"));
    if (!ordner.isValid())
        throw Error(cannotWriteMessage(temp));
    dateienEntpacken(paket, ordner.path()); // on failure the folder goes with `ordner`
    ordner.setAutoRemove(false);
    return ordner.path() + QStringLiteral("/index.tki");
}

void entpacktesVerwerfen(const QString& programDir, const QString& indexTki)
{
    const QString ordner = QFileInfo(indexTki).path();
    if (liegtIn(ordner, tempDir(programDir)))
        ordnerLoeschen(ordner);
}

InstallErgebnis installierePaket(
    Sammlung& sammlung, const QString& programDir, const QString& indexTki, const QList<bool>& auslassen)
{
    InstallErgebnis out;
    const IniFile ini(indexTki);
    const IniFile::Batch batch(ini);
    const QString ordner = QFileInfo(indexTki).path();
    // A package folder that has gone since it was listed cannot be installed; saying nothing would
    // report success.
    if (!QFileInfo(ordner).isDir()) {
        out.ok = false;
        return out;
    }
    struct KopieFehlt { };
    const int n = ini.readInteger(kInfo, QStringLiteral("Rezepte"), 0);
    // The package positions to install. auslassen covers the recipes that could be read; one more
    // position stays, so a package short of a file still fails as a whole.
    QList<int> positionen;
    if (!auslassen.isEmpty())
        for (int p = 0; p < std::min<qsizetype>(n, auslassen.size() + 1); ++p)
            if (p >= auslassen.size() || !auslassen.at(p))
                positionen.append(p);
    try {
        // New numbers come from the collection as it is on disk; a failed copy takes back the whole package.
        const int anzahl = auslassen.isEmpty() ? n : int(positionen.size());
        sammlung.fuegeHinzu(anzahl, [&](int i, int nr) {
            const int p = auslassen.isEmpty() ? i : positionen.at(i);
            if (!kopiere(ordner + u'/' + stem(p) + QStringLiteral(".dat"), recipePath(programDir, nr)))
                throw KopieFehlt {};
            kopiere(ordner + u'/' + stem(p) + QStringLiteral(".jpg"), picturePath(programDir, nr));
            const QString section = QString::number(p);
            const QString strich = QStringLiteral("-");
            IndexFields f;
            f.titel = ini.readString(section, QStringLiteral("Name"), strich);
            f.autor = ini.readString(section, QStringLiteral("Koch"), strich);
            f.kategorien = ini.readString(section, QStringLiteral("Kategorie"), strich);
            f.datum = ini.readString(section, QStringLiteral("Datum"), strich);
            f.menge = ini.readString(section, QStringLiteral("Menge"), strich);
            if (!ini.readString(section, QStringLiteral("Kategorie"), QStringLiteral(",")).contains(u','))
                out.altesFormat = true;
            ++out.installiert;
            return buildEntry(f);
        });
    } catch (const KopieFehlt&) {
        return InstallErgebnis { false, 0, false };
    }
    // Only a folder the import made below temp/ is ever removed.
    if (liegtIn(ordner, tempDir(programDir)))
        ordnerLoeschen(ordner);
    return out;
}

InstallErgebnis installierePaket(const QString& programDir, const QString& indexTki, int& rezeptMax)
{
    AppState st;
    st.programDir = programDir;
    st.rezeptMax = rezeptMax;
    const InstallErgebnis out = installierePaket(st.sammlung, programDir, indexTki);
    rezeptMax = st.rezeptMax;
    return out;
}

} // namespace tk
