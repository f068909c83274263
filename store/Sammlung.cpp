#include "store/Sammlung.h"

#include <QDateTime>
#include <QDir>
#include <QFileSystemWatcher>
#include <QTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <limits>
#include <random>
#include <sys/stat.h>

#include "store/RezeptDateien.h"
#include "platform/Error.h"
#include "platform/IniFile.h"
#include "platform/TextLines.h"
#include "store/Formats.h"
#include "store/Indexdatei.h"
#include "store/IndexZeilen.h"
#include "store/Kategorien.h"

namespace tk {

namespace {
    const QString kGeloeschtEintrag = QStringLiteral("||||");

    QString journalPfad(const QString& programDir)
    {
        return tempDir(programDir) + QStringLiteral("/sammlung/journal.txt");
    }

    bool istEintrag(const QStringList& index, qsizetype i) { return index.at(i).contains(u'|'); }
    bool istEintrag(const Indexdatei& index, qsizetype i) { return index.enthaelt(i, '|'); }

    // Line 0 of the index; -1 when it is missing or no number.
    template <class Index> int kopfVon(const Index& index)
    {
        int kopf = -1;
        if (!index.isEmpty())
            parseStoreInt(index.at(0), kopf);
        return kopf;
    }

    // Whether recipe n is a live entry of the index lines (kopf: their line 0).
    template <class Index> bool lebtIn(const Index& index, int kopf, int n)
    {
        return n >= 0 && n <= kopf && n + 1 < index.size() && istEintrag(index, n + 1)
            && !isDeletedEntry(index.at(n + 1));
    }

    // The index of the folder as a whole file, read for an edit of a line or two.
    Indexdatei indexZumAendern(const QString& programDir)
    {
        return Indexdatei(loadBytes(indexPath(programDir)));
    }

    QString beschaedigt()
    {
        return QStringLiteral(
            "Das Rezeptverzeichnis (index.dat) ist beschädigt: Zeile 0 fehlt oder ist keine "
            "Zahl.");
    }

    // The highest number any file of the folder carries. One pass with plain calls: at half a million
    // recipes a QDir listing would cost more than the save itself.
    int hoechsteDatei(const QString& dir)
    {
        int hoechste = -1;
        DIR* d = ::opendir(QFile::encodeName(dir).constData());
        if (!d)
            return hoechste;
        while (const dirent* e = ::readdir(d))
            hoechste = std::max(hoechste, dateinummer(e->d_name));
        ::closedir(d);
        return hoechste;
    }

    // Whether a recipe file, a picture or the temporary file of a save under way carries number n.
    bool nummerBelegt(const QString& programDir, int n)
    {
        struct stat st;
        const QByteArray datei = QFile::encodeName(recipePath(programDir, n));
        return ::stat(datei.constData(), &st) == 0 || ::stat((datei + ".neu").constData(), &st) == 0
            || ::stat(QFile::encodeName(picturePath(programDir, n)).constData(), &st) == 0;
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

// The number a name of the recipe folder carries ("0042.dat", "0042.jpg", and the temporary names of a
// save under way such as "0042.dat.neu"); -1 for any other name.
int dateinummer(const char* p)
{
    if (*p < '0' || *p > '9')
        return -1;
    long long v = 0;
    int digits = 0;
    while (*p >= '0' && *p <= '9' && digits < 10) {
        v = v * 10 + (*p - '0');
        ++p;
        ++digits;
    }
    if (digits < 4 || digits >= 10 || *p != '.')
        return -1;
    if (qstrncmp(p, ".dat", 4) != 0 && qstrncmp(p, ".jpg", 4) != 0)
        return -1;
    return int(v);
}

template <class Index> int hoechsteNummer(const Index& index)
{
    int kopf = -1;
    if (index.isEmpty())
        return -1;
    if (!parseStoreInt(index.at(0), kopf) || kopf < -1)
        throw Error(beschaedigt());
    int letzte = -1;
    for (qsizetype i = index.size() - 1; i >= 1; --i)
        if (istEintrag(index, i)) {
            letzte = int(i) - 1;
            break;
        }
    return std::max(kopf, letzte);
}

template <class Index> Index indexMitNeuen(Index index, int erste, const QStringList& eintraege)
{
    const int hoechste = hoechsteNummer(index);
    if (index.isEmpty())
        index.append(QStringLiteral("-1"));
    // Lines behind the last entry are no entries: they stay behind the new ones.
    qsizetype hier = std::min(qsizetype(hoechste) + 2, index.size());
    while (hier < qsizetype(erste) + 1)
        index.insert(hier++, kGeloeschtEintrag);
    for (const QString& e : eintraege)
        index.insert(hier++, e);
    index.replace(0, QString::number(erste + int(eintraege.size()) - 1));
    return index;
}

template int hoechsteNummer(const QStringList&);
template int hoechsteNummer(const Indexdatei&);
template QStringList indexMitNeuen(QStringList, int, const QStringList&);
template Indexdatei indexMitNeuen(Indexdatei, int, const QStringList&);

Sammlung::Sammlung(const QString& programDir, int rezeptMax)
    : m_programDir(programDir)
    , m_rezeptMax(rezeptMax)
{
}

void Sammlung::oeffneFavoriten() { m_favoriten = std::make_unique<IniFile>(favouritesPath(m_programDir)); }

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
    for (const QString& pfad : { indexPath(m_programDir), favouritesPath(m_programDir),
             categoryPath(m_programDir), settingsPath(m_programDir), weekPlanPath(m_programDir) })
        m_bekannt.insert(pfad, stempel(pfad));
    // The folders, not the files: every writer replaces a file by a new one, which a watch on the file
    // would lose.
    m_watcher->addPaths({ rezepteDir(m_programDir), QFileInfo(settingsPath(m_programDir)).path() });
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_ruhe, qOverload<>(&QTimer::start));
    pruefen();
}

void Sammlung::pruefen()
{
    int geaendert = 0;
    const std::pair<QString, int> dateien[] = { { indexPath(m_programDir), Index },
        { favouritesPath(m_programDir), Favoriten }, { categoryPath(m_programDir), Kategorien },
        { settingsPath(m_programDir), Einstellungen }, { weekPlanPath(m_programDir), Wochenplan } };
    for (const auto& [pfad, bit] : dateien) {
        const Stempel jetzt = stempel(pfad);
        auto it = m_bekannt.find(pfad);
        if (it != m_bekannt.end() && !(it.value() == jetzt)) {
            it.value() = jetzt;
            geaendert |= bit;
        }
    }
    // What synchronisation tools set aside is merged as it appears; names that only speak of a conflict
    // are named. The same pass notes the highest number a file of the recipe folder carries.
    QStringList andere;
    const QList<Konfliktkopie> kopien = kopienFinden(&andere);
    if (std::any_of(kopien.begin(), kopien.end(),
            [this](const Konfliktkopie& k) { return !m_gemeldet.contains(k.pfad); })
        && uebernimmKonfliktkopien().uebernommen())
        geaendert |= Index | Favoriten | Wochenplan;
    for (const QString& name : std::as_const(andere))
        if (!m_gemeldet.contains(name)) {
            m_gemeldet.insert(name);
            emit konfliktkopieGefunden(name);
        }
    if (geaendert)
        emit vonAussenGeaendert(geaendert);
}

// Half a million names are listed once for all who ask while the recipe folder does not change: at
// start-up the merge of conflict copies and the watcher's first pass would each list them (0.3 s).
// A listing of a folder changed in the last two seconds is not kept, as a change in the same tick of the
// clock would leave its time stamp as it was. Data/Sonstiges, a dozen files, is listed each time.
QList<Konfliktkopie> Sammlung::kopienFinden(QStringList* andere)
{
    const QString ordner = rezepteDir(m_programDir);
    const Stempel jetzt = stempel(ordner);
    if (!m_liste || !m_liste->bleibt || !(m_liste->stempel == jetzt)) {
        const qint64 ruhigSeit = QDateTime::currentMSecsSinceEpoch() * 1000000 - qint64(2000000000);
        Ordnerliste neu { jetzt, {}, {}, -1, jetzt.zeit >= 0 && jetzt.zeit <= ruhigSeit };
        neu.kopien = Konfliktkopien::findenIn(ordner, &neu.andere, &neu.hoechste);
        m_liste = std::move(neu);
    }
    m_hoechsteDatei = m_liste->hoechste;
    QList<Konfliktkopie> kopien = m_liste->kopien;
    if (andere)
        *andere = m_liste->andere;
    kopien.append(Konfliktkopien::findenIn(QFileInfo(settingsPath(m_programDir)).path(), andere, nullptr));
    return kopien;
}

int Sammlung::naechsteNummer(int hoechsteImIndex, int anzahl) const
{
    // Above every number the index, this table and the files of the folder carry: a save of another copy
    // under way, files a synchronisation brought before their index, files of entries an older index no
    // longer names. Such files are never written over. Listing half a million names costs more than a
    // save, so a watched collection lists once and then learns of new files from the watcher's pass; the
    // files that came since are stepped over one look-up at a time.
    const bool liste = !m_watcher || m_hoechsteDatei < -1 || anzahl > 1;
    if (liste)
        m_hoechsteDatei = hoechsteDatei(rezepteDir(m_programDir));
    int n = std::max({ hoechsteImIndex, m_rezeptMax, m_hoechsteDatei }) + 1;
    while (!liste && nummerBelegt(m_programDir, n))
        ++n;
    return n;
}

int Sammlung::naechsteNummer() const
{
    return naechsteNummer(hoechsteNummer(indexZumAendern(m_programDir)), 1);
}

bool Sammlung::lebtAufPlatte(int n) const
{
    if (n < 0)
        return false;
    const Indexdatei index = indexZumAendern(m_programDir);
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
    journalAbschliessen(m_programDir);
    // Packages unpacked by a copy that never finished its import.
    const QDir temp(tempDir(m_programDir));
    for (const QString& ordner :
        temp.entryList({ QStringLiteral("paket-*") }, QDir::Dirs | QDir::NoDotAndDotDot))
        QDir(temp.filePath(ordner)).removeRecursively();
}

Konfliktbericht Sammlung::uebernimmKonfliktkopien()
{
    Konfliktbericht out;
    const QList<Konfliktkopie> kopien = kopienFinden(nullptr);
    if (kopien.isEmpty())
        return out;
    journalAbschliessen(m_programDir);
    const QString indexDatei = indexPath(m_programDir);
    std::optional<QStringList> index;
    try {
        index = loadLines(indexDatei);
        hoechsteNummer(*index);
    } catch (const std::exception&) {
        // Nothing to merge into: the load tells what is wrong with the index; the copies stay.
        index.reset();
        for (const Konfliktkopie& k : kopien)
            out.offen.append(QFileInfo(k.pfad).fileName());
    }
    if (index)
        try {
            uebernimm(Konfliktkopien(m_programDir, *index, kopien), out);
        } catch (const std::exception& x) {
            out = {};
            out.fehler
                = QStringLiteral("Die Konfliktkopien konnten nicht übernommen werden: ") + messageOf(x);
        }
    // What stays where it was is not taken up again until something new appears.
    for (const Konfliktkopie& k : kopienFinden(nullptr))
        m_gemeldet.insert(k.pfad);
    ++m_stand;
    emit konfliktkopienUebernommen(out);
    return out;
}

void Sammlung::uebernimm(const Konfliktkopien& plan, Konfliktbericht& out)
{
    const QString indexDatei = indexPath(m_programDir);
    out = plan.bericht;
    if (plan.kategorien) {
        saveLines(categoryPath(m_programDir), *plan.kategorien);
        merkeEigene(categoryPath(m_programDir));
    }
    // The recipes: new files first, the index last, as a save of new recipes.
    const QList<Konfliktkopien::Neu>& neu = plan.neu();
    int erste = -1;
    if (!neu.isEmpty() || plan.indexGeaendert()) {
        Journal journal;
        QStringList eintraege;
        if (!neu.isEmpty()) {
            erste = naechsteNummer(hoechsteNummer(plan.index()), int(neu.size()));
            schreibeJournal(
                m_programDir, { QStringLiteral("neu %1 %2").arg(erste).arg(erste + int(neu.size()) - 1) });
            journal.pfad = journalPfad(m_programDir);
        }
        try {
            for (const Konfliktkopien::Neu& r : neu) {
                const int nr = erste + int(eintraege.size());
                if (r.text)
                    schreibeNeu(recipePath(m_programDir, nr), *r.text);
                if (!r.bild.isEmpty() && !QFile::copy(r.bild, picturePath(m_programDir, nr)))
                    throw Error(cannotWriteMessage(picturePath(m_programDir, nr)));
                eintraege.append(r.eintrag);
            }
            saveLines(
                indexDatei, neu.isEmpty() ? plan.index() : indexMitNeuen(plan.index(), erste, eintraege));
            merkeEigene(indexDatei);
        } catch (...) {
            for (int k = 0; erste >= 0 && k <= int(eintraege.size()); ++k) {
                QFile::remove(recipePath(m_programDir, erste + k));
                QFile::remove(picturePath(m_programDir, erste + k));
            }
            throw;
        }
    }
    // Favourites: each write is on disk at once; should one fail, the copies stay and the next merge
    // finds the recipes present and writes the rest.
    if (!plan.favoritenAlt.isEmpty() || !plan.favoritenNeu.isEmpty()) {
        IniFile eigene(favouritesPath(m_programDir));
        IniFile& fav = m_favoriten ? *m_favoriten : eigene;
        for (int n : plan.favoritenAlt)
            fav.writeString(QStringLiteral("Favoriten"), QString::number(n), QStringLiteral("1"));
        for (int i : plan.favoritenNeu)
            fav.writeString(QStringLiteral("Favoriten"), QString::number(erste + i), QStringLiteral("1"));
        merkeEigene(favouritesPath(m_programDir));
    }
    // The week plan's lines: the file is read in day order, so they go at its end.
    if (!plan.wochenplan.isEmpty()) {
        const QString pfad = weekPlanPath(m_programDir);
        QStringList zeilen = QFileInfo::exists(pfad) ? loadLines(pfad) : QStringList();
        for (const Konfliktkopien::Planzeile& z : plan.wochenplan)
            zeilen.append(z.zeile(erste));
        saveLines(pfad, zeilen);
        merkeEigene(pfad);
    }
    // All is written: only now the copies go, kept in a folder of their own.
    for (const QString& pfad : plan.verschieben) {
        const QString name = QFileInfo(pfad).fileName();
        if (!beiseitelegen(pfad, Konfliktkopien::ablage(m_programDir)).isEmpty())
            out.beiseitegelegt.append(name);
        else
            out.offen.append(name);
    }
    if (plan.kategorien)
        emit kategorienGeaendert(-1);
}

Ladeergebnis Sammlung::lade(
    int aktKategorie, const std::function<void(int)>& progress, const std::function<void(int)>& listed)
{
    const QString index = indexPath(m_programDir);
    ++m_stand;
    m_rezeptAnzahl = 0;
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
        out = ladeTabelle(lines, m_rezepte, m_rezeptMax, m_favoriten.get(), aktKategorie, progress, listed);
    }
    m_rezeptAnzahl = out.lebend;
    emit geladen();
    return out;
}

Rezepteintrag Sammlung::eintragAus(const RezeptEingabe& e) const
{
    // The record as the editor leaves it; every flag the editor did not offer (a deleted category, one
    // another copy added meanwhile) stays, in the table and in the index entry alike.
    Rezepteintrag r;
    if (e.nummer >= 0 && size_t(e.nummer) < m_rezepte.size())
        r = m_rezepte[size_t(e.nummer)];
    for (int nr : e.gelistet)
        if (nr >= 1 && nr < int(r.inKategorie.size()))
            r.inKategorie[size_t(nr)] = e.angekreuzt.contains(nr);
    for (int nr : e.angekreuzt)
        if (nr >= 1 && nr < int(r.inKategorie.size()))
            r.inKategorie[size_t(nr)] = true;
    r.inKategorie[0] = false;
    r.titel = e.titel;
    r.autor = e.autor;
    r.datum = e.datum;
    r.menge = e.menge;
    r.geloescht = 0;
    return r;
}

namespace {
    QString eintragZeile(const Rezepteintrag& r)
    {
        QList<int> nummern;
        for (int nr = 1; nr < int(r.inKategorie.size()); ++nr)
            if (r.inKategorie[size_t(nr)])
                nummern.append(nr);
        return buildEntry({ r.titel, r.autor, categoryList(nummern), r.datum, r.menge });
    }
}

void Sammlung::bildUebernehmen(const RezeptEingabe& e, SpeicherErgebnis& out) const
{
    if (!e.bildSchreiben)
        return;
    try {
        e.bildSchreiben(picturePath(m_programDir, out.nummer));
    } catch (const std::exception& x) {
        out.bildFehler = messageOf(x);
    }
}

SpeicherErgebnis Sammlung::speichereRezept(const RezeptEingabe& e)
{
    journalAbschliessen(m_programDir);
    Indexdatei index = indexZumAendern(m_programDir);
    return e.nummer < 0 ? speichereNeues(e, std::move(index)) : ersetze(e, std::move(index));
}

// A new recipe: its file first, the index last; until the index names the number, nothing refers to it.
SpeicherErgebnis Sammlung::speichereNeues(const RezeptEingabe& e, Indexdatei index)
{
    const QString indexDatei = indexPath(m_programDir);
    // Entries this table does not know yet (another copy added them): the quiet reload catches up.
    const bool unbekannt
        = hoechsteNummer(index) > m_rezeptMax || stempel(indexDatei) != m_bekannt.value(indexDatei);
    const int n = naechsteNummer(hoechsteNummer(index), 1);
    Rezepteintrag r = eintragAus(e);
    const QString datei = recipePath(m_programDir, n);
    const QByteArray inhalt = joinLines(buildRecipe(e.zutaten, e.text, e.kommentar.value_or(QStringList())));

    schreibeJournal(m_programDir, { QStringLiteral("neu %1 %1").arg(n) });
    Journal journal { journalPfad(m_programDir) };
    schreibeNeu(datei, inhalt);
    try {
        indexMitNeuen(std::move(index), n, { eintragZeile(r) }).speichern(indexDatei);
    } catch (...) {
        QFile::remove(datei);
        throw;
    }
    if (!unbekannt || !m_watcher)
        merkeEigene(indexDatei);

    // The numbers skipped up to n are deleted entries of the index now, as a load would read them.
    const size_t alt = m_rezepte.size();
    m_rezepte.resize(std::max(alt, size_t(n) + 1));
    for (size_t k = alt; k < size_t(n); ++k)
        m_rezepte[k].geloescht = 1;
    r.favorit = m_favoriten && m_favoriten->readBool(QStringLiteral("Favoriten"), QString::number(n), false);
    m_rezepte[size_t(n)] = std::move(r);
    m_rezeptMax = std::max(m_rezeptMax, n);
    ++m_rezeptAnzahl;
    ++m_stand;

    SpeicherErgebnis out;
    out.nummer = n;
    bildUebernehmen(e, out);
    emit rezeptHinzugefuegt(n);
    return out;
}

// A recipe rewritten: the new text under a temporary name, then the index, then the rename. A failure or a
// crash in between leaves the old text with the old entry, or the new text with the new entry.
SpeicherErgebnis Sammlung::ersetze(const RezeptEingabe& e, Indexdatei index)
{
    const int n = e.nummer;
    if (!lebtIn(index, kopfVon(index), n))
        throw InzwischenGeloescht();
    const QString indexDatei = indexPath(m_programDir);
    const bool unbekannt
        = hoechsteNummer(index) > m_rezeptMax || stempel(indexDatei) != m_bekannt.value(indexDatei);
    Rezepteintrag r = eintragAus(e);
    const QString datei = recipePath(m_programDir, n);
    QStringList kommentar;
    if (e.kommentar)
        kommentar = *e.kommentar;
    else if (QFileInfo::exists(datei))
        kommentar = kommentarAus(loadLines(datei));
    const QByteArray inhalt = joinLines(buildRecipe(e.zutaten, e.text, kommentar));
    const QString eintrag = eintragZeile(r);

    const QString temp = datei + QStringLiteral(".neu");
    QFile::remove(temp);
    schreibeJournal(m_programDir,
        { QStringLiteral("ersetze %1 %2").arg(n).arg(QFileInfo(temp).fileName()),
            QStringLiteral("eintrag ") + eintrag });
    Journal journal { journalPfad(m_programDir) };
    schreibeNeu(temp, inhalt);
    try {
        indexMitEintrag(std::move(index), n, eintrag, false).speichern(indexDatei);
    } catch (...) {
        QFile::remove(temp);
        throw;
    }
    if (!unbekannt || !m_watcher)
        merkeEigene(indexDatei);
    if (QFileInfo::exists(datei) && isReadOnly(datei))
        clearReadOnly(datei);
    const bool umbenannt
        = ::rename(QFile::encodeName(temp).constData(), QFile::encodeName(datei).constData()) == 0;
    if (!umbenannt)
        journal.pfad.clear(); // the index is written; the journal finishes the rename at the next start

    // The index holds the new entry either way: so does the table.
    if (size_t(n) >= m_rezepte.size()) {
        m_rezepte.resize(size_t(n) + 1);
        ++m_rezeptAnzahl;
    }
    const bool titelNeu = m_rezepte[size_t(n)].titel != r.titel;
    m_rezepte[size_t(n)] = std::move(r);
    if (titelNeu)
        ++m_stand;
    if (!umbenannt) {
        emit rezeptGeaendert(n);
        throw Error(cannotWriteMessage(datei));
    }

    SpeicherErgebnis out;
    out.nummer = n;
    bildUebernehmen(e, out);
    emit rezeptGeaendert(n);
    return out;
}

void Sammlung::speichereKommentar(int n, const QStringList& kommentar)
{
    if (!lebtAufPlatte(n))
        throw InzwischenGeloescht();
    const QString datei = recipePath(m_programDir, n);
    const QStringList zeilen = loadLines(datei);
    const EditorInhalt inhalt = editorInhalt(zeilen);
    saveLines(datei, buildRecipe(inhalt.zutaten, inhalt.text, kommentar));
    emit kommentarGespeichert(n);
}

void Sammlung::loescheRezept(int n)
{
    const QString index = indexPath(m_programDir);
    const bool fremd = stempel(index) != m_bekannt.value(index);
    indexOhneEintrag(indexZumAendern(m_programDir), n).speichern(index);
    if (!fremd || !m_watcher)
        merkeEigene(index);
    // The entry is marked; files that cannot be removed are no longer reachable from any list.
    QFile::remove(recipePath(m_programDir, n));
    QFile::remove(picturePath(m_programDir, n));
    // As a load reads a deleted entry: only the mark changes.
    if (size_t(n) < m_rezepte.size() && !m_rezepte[size_t(n)].geloescht) {
        m_rezepte[size_t(n)].geloescht = 1;
        --m_rezeptAnzahl;
        ++m_stand;
    }
    emit rezeptEntfernt(n);
}

void Sammlung::loescheBild(int n)
{
    const QString bild = picturePath(m_programDir, n);
    if (QFileInfo::exists(bild) && !QFile::remove(bild))
        throw Error(QStringLiteral("Das Bild \"%1\" kann nicht gelöscht werden.").arg(bild));
    emit bildGeloescht(n);
}

void Sammlung::setzeFavorit(int n, bool favorit)
{
    if (!m_favoriten || n < 0 || size_t(n) >= m_rezepte.size())
        return;
    // The file first: a failed write leaves the mark as the file has it.
    const QString datei = favouritesPath(m_programDir);
    const bool fremd = stempel(datei) != m_bekannt.value(datei);
    m_favoriten->writeString(
        QStringLiteral("Favoriten"), QString::number(n), favorit ? QStringLiteral("1") : QStringLiteral("0"));
    // Our own write is no news for the watcher; another copy's write before it still is.
    if (!fremd || !m_watcher)
        merkeEigene(datei);
    m_rezepte[size_t(n)].favorit = favorit ? 1 : 0;
    emit favoritGeaendert(n);
}

int Sammlung::zufallsRezept(std::mt19937& rng)
{
    if (m_rezeptAnzahl == 0)
        return -1;
    // A uniform draw among the live records: the same as drawing from 0..rezeptMax again until a
    // live one comes up, without looping long when most records are deleted.
    std::vector<int> lebend;
    const size_t ende = std::min(m_rezepte.size(), size_t(std::max(m_rezeptMax + 1, 0)));
    for (size_t n = 0; n < ende; ++n)
        if (!m_rezepte[n].geloescht)
            lebend.push_back(int(n));
    if (lebend.empty())
        return -1;
    std::uniform_int_distribution<size_t> wahl(0, lebend.size() - 1);
    return lebend[wahl(rng)];
}

KategorieFehler Sammlung::neueKategorie(const QString& name)
{
    const QString path = categoryPath(m_programDir);
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
    const QString path = categoryPath(m_programDir);
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
    const QString path = categoryPath(m_programDir);
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
    journalAbschliessen(m_programDir);
    const QString indexDatei = indexPath(m_programDir);
    const QStringList index = loadLines(indexDatei);
    const int erste = naechsteNummer(hoechsteNummer(index), anzahl);
    if (anzahl > std::numeric_limits<int>::max() - erste) // a damaged package's count
        throw Error(QStringLiteral("So viele Rezepte kann die Sammlung nicht aufnehmen."));
    schreibeJournal(m_programDir, { QStringLiteral("neu %1 %2").arg(erste).arg(erste + anzahl - 1) });
    Journal journal { journalPfad(m_programDir) };
    QStringList eintraege;
    eintraege.reserve(std::min(anzahl, 1 << 16)); // a damaged package may claim billions
    auto zurueck = [&] {
        for (int k = 0; k < eintraege.size(); ++k) {
            QFile::remove(recipePath(m_programDir, erste + k));
            QFile::remove(picturePath(m_programDir, erste + k));
        }
        // The recipe whose files failed half-way.
        QFile::remove(recipePath(m_programDir, erste + int(eintraege.size())));
        QFile::remove(picturePath(m_programDir, erste + int(eintraege.size())));
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
    m_rezeptMax = std::max(m_rezeptMax, erste + anzahl - 1);
    // Empty records until the whole load that follows an import fills them.
    if (m_rezepte.size() < size_t(m_rezeptMax) + 1)
        m_rezepte.resize(size_t(m_rezeptMax) + 1);
    return erste;
}

void Sammlung::wandleIndex(const std::function<QStringList(const QStringList&)>& umwandeln)
{
    const QString index = indexPath(m_programDir);
    saveLines(index, umwandeln(loadLines(index)));
    merkeEigene(index);
}

} // namespace tk
