#include "store/Sammlung.h"

#include <QDir>
#include <QFileSystemWatcher>
#include <QTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <cerrno>
#include <dirent.h>
#include <random>
#include <sys/stat.h>

#include "store/RezeptDateien.h"
#include "platform/Error.h"
#include "platform/IniFile.h"
#include "platform/TextLines.h"
#include "store/AppState.h"
#include "store/Formats.h"
#include "store/IndexZeilen.h"
#include "store/Kategorien.h"

namespace tk {

namespace {
    const QString kGeloeschtEintrag = QStringLiteral("||||");

    QString journalPfad(const QString& programDir)
    {
        return tempDir(programDir) + QStringLiteral("/sammlung/journal.txt");
    }

    bool istEintrag(const QString& line) { return line.contains(u'|'); }

    // Line 0 of the index; -1 when it is missing or no number.
    int kopfVon(const QStringList& index)
    {
        int kopf = -1;
        if (!index.isEmpty())
            parseStoreInt(index.at(0), kopf);
        return kopf;
    }

    // Whether recipe n is a live entry of the index lines (kopf: their line 0).
    bool lebtIn(const QStringList& index, int kopf, int n)
    {
        return n >= 0 && n <= kopf && n + 1 < index.size() && istEintrag(index.at(n + 1))
            && !isDeletedEntry(index.at(n + 1));
    }

    QString beschaedigt()
    {
        return QStringLiteral(
            "Das Rezeptverzeichnis (index.dat) ist beschädigt: Zeile 0 fehlt oder ist keine "
            "Zahl.");
    }

    // The highest number any recipe file or picture in the folder carries ("0042.dat", "0042.jpg", and
    // the temporary names of a save under way). One pass over the folder with plain calls: at half a
    // million recipes a QDir listing would cost more than the save itself.
    int hoechsteDatei(const QString& dir)
    {
        int hoechste = -1;
        DIR* d = ::opendir(QFile::encodeName(dir).constData());
        if (!d)
            return hoechste;
        while (const dirent* e = ::readdir(d)) {
            const char* p = e->d_name;
            if (*p < '0' || *p > '9')
                continue;
            long long v = 0;
            int digits = 0;
            while (*p >= '0' && *p <= '9' && digits < 10) {
                v = v * 10 + (*p - '0');
                ++p;
                ++digits;
            }
            if (digits < 4 || digits >= 10 || *p != '.')
                continue;
            if (qstrncmp(p, ".dat", 4) != 0 && qstrncmp(p, ".jpg", 4) != 0)
                continue;
            hoechste = std::max(hoechste, int(v));
        }
        ::closedir(d);
        return hoechste;
    }

    // The journal names what a transaction is about to create or replace, so that a crash in the
    // middle can be cleared up: "neu A B" (files of numbers A..B created by it), "ersetze N TEMP" with
    // "eintrag LINE" (recipe N rewritten through the temporary file TEMP, done once the index holds LINE).
    void schreibeJournal(const QString& programDir, const QStringList& zeilen)
    {
        const QString pfad = journalPfad(programDir);
        if (!QDir().mkpath(QFileInfo(pfad).path()))
            throw Error(cannotWriteMessage(pfad));
        saveBytes(pfad, zeilen.join(u'\n').toUtf8());
    }

    // Removes the journal when the transaction is over, and its folder when nothing else is in it.
    struct Journal {
        QString pfad;
        ~Journal()
        {
            if (pfad.isEmpty())
                return;
            QFile::remove(pfad);
            QDir().rmdir(QFileInfo(pfad).path());
        }
    };

    // Creates a new file with the bytes; never replaces one.
    void schreibeNeu(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(path))
                throw Error(
                    QStringLiteral("Die Datei %1 gibt es schon.").arg(QDir::toNativeSeparators(path)));
            throw Error(cannotWriteMessage(path));
        }
        if (f.write(bytes) != bytes.size() || !f.flush()) {
            f.close();
            f.remove();
            throw Error(cannotWriteMessage(path));
        }
        f.close();
    }
}

int hoechsteNummer(const QStringList& index)
{
    int kopf = -1;
    if (index.isEmpty())
        return -1;
    if (!parseStoreInt(index.at(0), kopf) || kopf < -1)
        throw Error(beschaedigt());
    int letzte = -1;
    for (qsizetype i = index.size() - 1; i >= 1; --i)
        if (istEintrag(index.at(i))) {
            letzte = int(i) - 1;
            break;
        }
    return std::max(kopf, letzte);
}

QStringList indexMitNeuen(const QStringList& index, int erste, const QStringList& eintraege)
{
    const int hoechste = hoechsteNummer(index);
    QStringList out = index.mid(0, qsizetype(hoechste) + 2);
    if (out.isEmpty())
        out.append(QStringLiteral("-1"));
    const QStringList rest = index.mid(qsizetype(hoechste) + 2); // no entries: kept behind the new ones
    while (out.size() < qsizetype(erste) + 1)
        out.append(kGeloeschtEintrag);
    out.reserve(out.size() + eintraege.size() + rest.size());
    out += eintraege;
    out[0] = QString::number(erste + int(eintraege.size()) - 1);
    out += rest;
    return out;
}

Sammlung::Sammlung(AppState& state)
    : st(state)
{
}

Sammlung::~Sammlung() = default;

Sammlung::Stempel Sammlung::stempel(const QString& pfad)
{
    struct stat s { };
    if (::stat(QFile::encodeName(pfad).constData(), &s) != 0)
        return {};
    return { qint64(s.st_size), qint64(s.st_mtim.tv_sec) * 1000000000 + s.st_mtim.tv_nsec,
        quint64(s.st_ino) };
}

void Sammlung::merkeEigene(const QString& pfad)
{
    if (m_watcher)
        m_bekannt.insert(pfad, stempel(pfad));
}

void Sammlung::beobachten(int ruheMs)
{
    if (m_watcher)
        return;
    m_watcher = new QFileSystemWatcher(this);
    m_ruhe = new QTimer(this);
    m_ruhe->setSingleShot(true);
    m_ruhe->setInterval(ruheMs);
    connect(m_ruhe, &QTimer::timeout, this, &Sammlung::pruefen);
    for (const QString& pfad : { indexPath(st.programDir), favouritesPath(st.programDir),
             categoryPath(st.programDir), settingsPath(st.programDir), weekPlanPath(st.programDir) })
        m_bekannt.insert(pfad, stempel(pfad));
    // The folders, not the files: every writer replaces a file by a new one, which a watch on the file
    // would lose.
    m_watcher->addPaths({ rezepteDir(st.programDir), QFileInfo(settingsPath(st.programDir)).path() });
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_ruhe, qOverload<>(&QTimer::start));
    pruefen();
}

void Sammlung::pruefen()
{
    int geaendert = 0;
    const std::pair<QString, int> dateien[] = { { indexPath(st.programDir), Index },
        { favouritesPath(st.programDir), Favoriten }, { categoryPath(st.programDir), Kategorien },
        { settingsPath(st.programDir), Einstellungen }, { weekPlanPath(st.programDir), Wochenplan } };
    for (const auto& [pfad, bit] : dateien) {
        const Stempel jetzt = stempel(pfad);
        auto it = m_bekannt.find(pfad);
        if (it != m_bekannt.end() && !(it.value() == jetzt)) {
            it.value() = jetzt;
            geaendert |= bit;
        }
    }
    // Copies such as "index (Konflikt …).dat", "index.sync-conflict-….dat", "index (conflicted copy …).dat".
    for (const QString& ordner :
        { rezepteDir(st.programDir), QFileInfo(settingsPath(st.programDir)).path() }) {
        DIR* d = ::opendir(QFile::encodeName(ordner).constData());
        if (!d)
            continue;
        while (const dirent* e = ::readdir(d)) {
            const char* n = e->d_name;
            if (*n >= '0' && *n <= '9' && !std::strchr(n, ' ') && !std::strstr(n, "conflict"))
                continue; // the recipe files: the common case, decided without a QString
            const QString name = QFile::decodeName(n);
            if ((name.contains(QLatin1String("konflikt"), Qt::CaseInsensitive)
                    || name.contains(QLatin1String("conflict"), Qt::CaseInsensitive))
                && !m_gemeldet.contains(name)) {
                m_gemeldet.insert(name);
                emit konfliktkopieGefunden(name);
            }
        }
        ::closedir(d);
    }
    if (geaendert)
        emit vonAussenGeaendert(geaendert);
}

int Sammlung::naechsteNummer(const QStringList& index) const
{
    int h = std::max(hoechsteNummer(index), st.rezeptMax);
    h = std::max(h, hoechsteDatei(rezepteDir(st.programDir)));
    return h + 1;
}

int Sammlung::naechsteNummer() const { return naechsteNummer(loadLines(indexPath(st.programDir))); }

bool Sammlung::lebtAufPlatte(int n) const
{
    if (n < 0)
        return false;
    const QStringList index = loadLines(indexPath(st.programDir));
    return lebtIn(index, kopfVon(index), n);
}

// What the journal names, finished or discarded.
static void journalAbschliessen(const QString& programDir)
{
    const QString pfad = journalPfad(programDir);
    if (QFileInfo::exists(pfad)) {
        QFile f(pfad);
        QStringList zeilen;
        if (f.open(QIODevice::ReadOnly))
            zeilen = QString::fromUtf8(f.readAll()).split(u'\n');
        QStringList index;
        try {
            index = loadLines(indexPath(programDir));
        } catch (const std::exception&) {
            return; // without the index nothing can be decided; the journal waits for the next start
        }
        const int kopf = kopfVon(index);
        for (qsizetype i = 0; i < zeilen.size(); ++i) {
            const QStringList w = zeilen.at(i).split(u' ');
            if (w.size() == 3 && w.at(0) == QLatin1String("neu")) {
                const int a = w.at(1).toInt(), b = w.at(2).toInt();
                for (int n = a; n <= b && n >= 0; ++n)
                    if (!lebtIn(index, kopf, n)) {
                        QFile::remove(recipePath(programDir, n));
                        QFile::remove(picturePath(programDir, n));
                    }
            } else if (w.size() == 3 && w.at(0) == QLatin1String("ersetze") && i + 1 < zeilen.size()
                && zeilen.at(i + 1).startsWith(QLatin1String("eintrag "))) {
                const int n = w.at(1).toInt();
                const QString temp = rezepteDir(programDir) + u'/' + QFileInfo(w.at(2)).fileName();
                const QString eintrag = zeilen.at(i + 1).mid(8);
                ++i;
                if (!QFileInfo::exists(temp))
                    continue;
                // The index was written: the new text belongs to it. Otherwise the old text stays.
                if (n >= 0 && n + 1 < index.size() && index.at(n + 1) == eintrag) {
                    const QString ziel = recipePath(programDir, n);
                    if (::rename(QFile::encodeName(temp).constData(), QFile::encodeName(ziel).constData())
                        != 0)
                        continue;
                } else {
                    QFile::remove(temp);
                }
            }
        }
        QFile::remove(pfad);
        QDir().rmdir(QFileInfo(pfad).path());
    }
}

void Sammlung::aufraeumen()
{
    journalAbschliessen(st.programDir);
    // Packages unpacked by a copy that never finished its import.
    const QDir temp(tempDir(st.programDir));
    for (const QString& ordner :
        temp.entryList({ QStringLiteral("paket-*") }, QDir::Dirs | QDir::NoDotAndDotDot))
        QDir(temp.filePath(ordner)).removeRecursively();
}

Ladeergebnis Sammlung::lade(const std::function<void(int)>& progress, const std::function<void(int)>& listed)
{
    const QString index = indexPath(st.programDir);
    if (isReadOnly(index))
        clearReadOnly(index);
    const IndexZeilen lines(loadBytes(index));
    Ladeergebnis out;
    int kopf = 0;
    if (lines.size() > 0 && parseStoreInt(lines.at(0), kopf) && kopf < -1) {
        // A negative count other than the empty collection's -1 claims nothing the loader can read.
        out.abgebrochen = true;
        out.abbruchZeile = 0;
    } else {
        out = ladeTabelle(
            lines, st.rezepte, st.rezeptMax, st.favoritenIni.get(), st.aktuelleKategorie, progress, listed);
    }
    ++st.generation;
    st.rezeptAnzahl = out.lebend;
    return out;
}

SpeicherErgebnis Sammlung::speichereRezept(const RezeptEingabe& e)
{
    journalAbschliessen(st.programDir);
    const bool neu = e.nummer < 0;
    const QString indexDatei = indexPath(st.programDir);
    const QStringList index = loadLines(indexDatei);
    int n = e.nummer;
    if (neu) {
        n = naechsteNummer(index);
    } else if (!lebtIn(index, kopfVon(index), n)) {
        throw InzwischenGeloescht();
    }

    // The record as the editor leaves it; every flag the editor did not offer stays.
    Rezepteintrag r;
    if (!neu && size_t(n) < st.rezepte.size())
        r = st.rezepte[size_t(n)];
    QList<int> ticked = e.angekreuzt;
    std::sort(ticked.begin(), ticked.end());
    for (int nr : e.gelistet)
        if (nr >= 0 && nr < int(r.inKategorie.size()))
            r.inKategorie[size_t(nr)] = ticked.contains(nr) ? 1 : 0;
    r.titel = e.titel;
    r.autor = e.autor;
    r.datum = e.datum;
    r.menge = e.menge;
    r.geloescht = 0;

    const QString datei = recipePath(st.programDir, n);
    QStringList kommentar;
    if (e.kommentar)
        kommentar = *e.kommentar;
    else if (!neu && QFileInfo::exists(datei))
        kommentar = kommentarAus(loadLines(datei));
    const QByteArray inhalt = joinLines(buildRecipe(e.zutaten, e.text, kommentar));
    const QString eintrag = buildEntry({ r.titel, r.autor, categoryList(ticked), r.datum, r.menge });

    if (neu) {
        // The files first, the index last: until the index names the number, nothing refers to it.
        schreibeJournal(st.programDir, { QStringLiteral("neu %1 %1").arg(n) });
        Journal journal { journalPfad(st.programDir) };
        schreibeNeu(datei, inhalt);
        try {
            saveLines(indexDatei, indexMitNeuen(index, n, { eintrag }));
        } catch (...) {
            QFile::remove(datei);
            throw;
        }
        merkeEigene(indexDatei);
        st.rezeptMax = std::max(st.rezeptMax, n);
    } else {
        // The new text under a temporary name, then the index, then the rename: a failure or a crash in
        // between leaves the old text with the old entry, or the new text with the new entry.
        const QString temp = datei + QStringLiteral(".neu");
        QFile::remove(temp);
        schreibeJournal(st.programDir,
            { QStringLiteral("ersetze %1 %2").arg(n).arg(QFileInfo(temp).fileName()),
                QStringLiteral("eintrag ") + eintrag });
        Journal journal { journalPfad(st.programDir) };
        schreibeNeu(temp, inhalt);
        try {
            saveLines(indexDatei, indexMitEintrag(index, n, eintrag, false));
        } catch (...) {
            QFile::remove(temp);
            throw;
        }
        merkeEigene(indexDatei);
        if (QFileInfo::exists(datei) && isReadOnly(datei))
            clearReadOnly(datei);
        if (::rename(QFile::encodeName(temp).constData(), QFile::encodeName(datei).constData()) != 0) {
            // The index is written; the journal finishes the rename at the next start.
            journal.pfad.clear();
            throw Error(cannotWriteMessage(datei));
        }
    }
    if (size_t(n) >= st.rezepte.size())
        st.rezepte.resize(size_t(n) + 1);
    st.rezepte[size_t(n)] = r;

    SpeicherErgebnis out;
    out.nummer = n;
    if (e.bildSchreiben) {
        try {
            e.bildSchreiben(picturePath(st.programDir, n));
        } catch (const std::exception& x) {
            out.bildFehler = messageOf(x);
        }
    }
    emit rezeptGespeichert(n);
    return out;
}

void Sammlung::speichereKommentar(int n, const QStringList& kommentar)
{
    if (!lebtAufPlatte(n))
        throw InzwischenGeloescht();
    const QString datei = recipePath(st.programDir, n);
    const QStringList zeilen = loadLines(datei);
    const EditorInhalt inhalt = editorInhalt(zeilen);
    saveLines(datei, buildRecipe(inhalt.zutaten, inhalt.text, kommentar));
    emit kommentarGespeichert(n);
}

void Sammlung::loescheRezept(int n)
{
    const QString index = indexPath(st.programDir);
    saveLines(index, indexOhneEintrag(loadLines(index), n));
    merkeEigene(index);
    // The entry is marked; files that cannot be removed are no longer reachable from any list.
    QFile::remove(recipePath(st.programDir, n));
    QFile::remove(picturePath(st.programDir, n));
    emit rezeptGeloescht(n);
}

void Sammlung::loescheBild(int n)
{
    const QString bild = picturePath(st.programDir, n);
    if (QFileInfo::exists(bild) && !QFile::remove(bild))
        throw Error(QStringLiteral("Das Bild \"%1\" kann nicht gelöscht werden.").arg(bild));
    emit bildGeloescht(n);
}

void Sammlung::setzeFavorit(int n, bool favorit)
{
    if (!st.favoritenIni || n < 0 || size_t(n) >= st.rezepte.size())
        return;
    // The file first: a failed write leaves the mark as the file has it.
    st.favoritenIni->writeString(
        QStringLiteral("Favoriten"), QString::number(n), favorit ? QStringLiteral("1") : QStringLiteral("0"));
    st.rezepte[size_t(n)].favorit = favorit ? 1 : 0;
    emit favoritGeaendert(n);
}

int Sammlung::zufallsRezept()
{
    if (st.rezeptAnzahl == 0)
        return -1;
    // A uniform draw among the live records: the same as drawing from 0..rezeptMax again until a
    // live one comes up, without looping long when most records are deleted.
    std::vector<int> lebend;
    const size_t ende = std::min(st.rezepte.size(), size_t(std::max(st.rezeptMax + 1, 0)));
    for (size_t n = 0; n < ende; ++n)
        if (!st.rezepte[n].geloescht)
            lebend.push_back(int(n));
    if (lebend.empty())
        return -1;
    std::uniform_int_distribution<size_t> wahl(0, lebend.size() - 1);
    return lebend[wahl(st.rng)];
}

KategorieFehler Sammlung::neueKategorie(const QString& name)
{
    const QString path = categoryPath(st.programDir);
    QStringList lines = loadLines(path);
    // Against the names as the file has them now, not as some window shows them.
    KategorieTabellen t;
    buildKategorieTabellen(lines, t);
    if (tabCaptions(t).contains(name))
        return KategorieFehler::Vorhanden;
    // A number above 99 fits neither the category lists of the index nor the recipe table.
    if (lines.size() > kMaxKategorie)
        return KategorieFehler::Voll;
    // Lines 0 to 14 belong to the standard categories; a new one must come after them to be listed.
    while (lines.size() < kFavoriten + 1)
        lines.append(QString());
    lines.append(u'1' + name);
    saveLines(path, lines);
    merkeEigene(path);
    emit kategorienGeaendert(-1);
    return KategorieFehler::Keiner;
}

void Sammlung::benenneKategorie(int nr, const QString& name)
{
    const QString path = categoryPath(st.programDir);
    QStringList lines = loadLines(path);
    if (nr < 0 || nr >= lines.size())
        throw Error(
            QStringLiteral("Die Kategorie %1 fehlt in der Datei \"%2\".").arg(QString::number(nr), path));
    lines[nr] = u'1' + name;
    saveLines(path, lines);
    merkeEigene(path);
    emit kategorienGeaendert(-1);
}

void Sammlung::loescheKategorie(int nr)
{
    const QString path = categoryPath(st.programDir);
    QStringList lines = loadLines(path);
    if (nr < 0 || nr >= lines.size())
        throw Error(
            QStringLiteral("Die Kategorie %1 fehlt in der Datei \"%2\".").arg(QString::number(nr), path));
    // The number stays taken: recipes keep it in their lists.
    lines[nr] = QStringLiteral("0");
    saveLines(path, lines);
    merkeEigene(path);
    emit kategorienGeaendert(nr);
}

int Sammlung::fuegeHinzu(int anzahl, const std::function<QString(int i, int nummer)>& schreibe)
{
    if (anzahl <= 0)
        return -1;
    journalAbschliessen(st.programDir);
    const QString indexDatei = indexPath(st.programDir);
    const QStringList index = loadLines(indexDatei);
    const int erste = naechsteNummer(index);
    schreibeJournal(st.programDir, { QStringLiteral("neu %1 %2").arg(erste).arg(erste + anzahl - 1) });
    Journal journal { journalPfad(st.programDir) };
    QStringList eintraege;
    eintraege.reserve(anzahl);
    auto zurueck = [&] {
        for (int k = 0; k < eintraege.size(); ++k) {
            QFile::remove(recipePath(st.programDir, erste + k));
            QFile::remove(picturePath(st.programDir, erste + k));
        }
        // The recipe whose files failed half-way.
        QFile::remove(recipePath(st.programDir, erste + int(eintraege.size())));
        QFile::remove(picturePath(st.programDir, erste + int(eintraege.size())));
    };
    try {
        for (int i = 0; i < anzahl; ++i)
            eintraege.append(schreibe(i, erste + i));
        saveLines(indexDatei, indexMitNeuen(index, erste, eintraege));
        merkeEigene(indexDatei);
    } catch (...) {
        zurueck();
        throw;
    }
    st.rezeptMax = std::max(st.rezeptMax, erste + anzahl - 1);
    emit rezepteHinzugefuegt(erste, anzahl);
    return erste;
}

void Sammlung::wandleIndex(const std::function<QStringList(const QStringList&)>& umwandeln)
{
    const QString index = indexPath(st.programDir);
    saveLines(index, umwandeln(loadLines(index)));
    merkeEigene(index);
    emit indexUmgewandelt();
}

} // namespace tk
