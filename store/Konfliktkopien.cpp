#include "store/Konfliktkopien.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <unistd.h>

#include "platform/Error.h"
#include "platform/IniFile.h"
#include "platform/TextLines.h"
#include "store/Formats.h"
#include "store/Kategorien.h"
#include "store/RezeptDateien.h"
#include "store/Sammlung.h"

namespace tk {

namespace {
    const QString kZweite = QStringLiteral(" (zweite Fassung)");
    const QString kFavoritenAbschnitt = QStringLiteral("Favoriten");

    // One layer of a conflict copy's name taken off ("index.sync-conflict-….dat" -> "index.dat"); empty
    // when the name follows no tool's pattern.
    QString ohneEineKopie(const QString& name, QString& kennung)
    {
        constexpr auto ci = QRegularExpression::CaseInsensitiveOption;
        // Syncthing: NAME.sync-conflict-DATE-TIME-DEVICE.EXT
        static const QRegularExpression syncthing(
            QStringLiteral("^(.+)\\.sync-conflict-([^.]*)(\\.[^.]*)?$"), ci);
        // Nextcloud, ownCloud and Dropbox: NAME (conflicted copy DATE TIME).EXT, NAME (Anna's conflicted copy
        // DATE).EXT, and the German forms with "Konflikt".
        static const QRegularExpression klammer(
            QStringLiteral(
                "^(.+?) \\(([^()]*(?:conflicted copy|conflict copy|konflikt)[^()]*)\\)(\\.[^.]*)?$"),
            ci);
        // Nextcloud and ownCloud: NAME_conflict-DATE-TIME.EXT, NAME_conflict-TIMESTAMP.EXT
        static const QRegularExpression strich(
            QStringLiteral("^(.+)_conflict-([0-9][0-9-]*)(\\.[^.]*)?$"), ci);
        static const QRegularExpression keinName(
            QStringLiteral("conflicted copy|conflict copy|konflikt\\w*|'s\\b|\\bvon\\b|[0-9][0-9 :._-]*"),
            ci);
        QRegularExpressionMatch m = syncthing.match(name);
        if (m.hasMatch()) {
            const QStringList teile = m.captured(2).split(u'-');
            kennung = teile.size() >= 3 ? teile.last() : QString();
            return m.captured(1) + m.captured(3);
        }
        m = klammer.match(name);
        if (m.hasMatch()) {
            kennung = m.captured(2).remove(keinName).simplified();
            return m.captured(1) + m.captured(3);
        }
        m = strich.match(name);
        if (m.hasMatch()) {
            kennung.clear();
            return m.captured(1) + m.captured(3);
        }
        return {};
    }

    // The recipe number of a recipe file or picture name ("0020.dat" -> 20), -1 for other names.
    int nummerVon(const QString& name, QStringView endung)
    {
        if (!name.endsWith(endung))
            return -1;
        const QString ziffern = name.left(name.size() - endung.size());
        if (ziffern.size() < 4 || ziffern.size() > 9)
            return -1;
        for (QChar c : ziffern)
            if (c < u'0' || c > u'9')
                return -1;
        const int n = ziffern.toInt();
        return stem(n) == ziffern ? n : -1;
    }

    QString name(const Konfliktkopie& k) { return QFileInfo(k.pfad).fileName(); }
}

QString Konfliktkopien::original(const QString& dateiname, QString* kennung)
{
    QString n = dateiname;
    bool kopie = false;
    for (;;) {
        QString k;
        const QString ohne = ohneEineKopie(n, k);
        if (ohne.isEmpty())
            break;
        // The outermost layer names the computer that set this file aside.
        if (!kopie && kennung)
            *kennung = k;
        kopie = true;
        n = ohne;
    }
    return kopie ? n : QString();
}

QString Konfliktkopien::ablage(const QString& programDir)
{
    return programDir + QStringLiteral("/Data/Konfliktkopien");
}

QList<Konfliktkopie> Konfliktkopien::finden(
    const QString& programDir, QStringList* andere, int* hoechsteDatei)
{
    // "Data/Rezepte/…" sorts before "Data/Sonstiges/…".
    QList<Konfliktkopie> out = findenIn(rezepteDir(programDir), andere, hoechsteDatei);
    out.append(findenIn(QFileInfo(settingsPath(programDir)).path(), andere, nullptr));
    return out;
}

QList<Konfliktkopie> Konfliktkopien::findenIn(const QString& ordner, QStringList* andere, int* hoechsteDatei)
{
    QList<Konfliktkopie> out;
    DIR* d = ::opendir(QFile::encodeName(ordner).constData());
    if (!d)
        return out;
    int hoechste = -1;
    while (const dirent* e = ::readdir(d)) {
        // Half a million recipe files: decided on the bytes, without a QString each. Every tool writes
        // "conflict" in lower case or puts a blank before its note.
        const char* n = e->d_name;
        if (hoechsteDatei)
            hoechste = std::max(hoechste, dateinummer(n));
        if (*n >= '0' && *n <= '9' && !std::strchr(n, ' ') && !std::strstr(n, "conflict"))
            continue;
        if (!::strcasestr(n, "conflict") && !::strcasestr(n, "konflikt"))
            continue;
        const QString dateiname = QFile::decodeName(e->d_name);
        Konfliktkopie k;
        k.original = original(dateiname, &k.kennung);
        k.pfad = ordner + u'/' + dateiname;
        if (!QFileInfo(k.pfad).isFile())
            continue;
        if (!k.original.isEmpty())
            out.append(k);
        else if (andere)
            andere->append(dateiname);
    }
    ::closedir(d);
    if (hoechsteDatei)
        *hoechsteDatei = hoechste;
    std::sort(out.begin(), out.end(),
        [](const Konfliktkopie& a, const Konfliktkopie& b) { return a.pfad < b.pfad; });
    return out;
}

Konfliktkopien::Konfliktkopien(
    const QString& programDir, const QStringList& index, const QList<Konfliktkopie>& kopien)
    : m_programDir(programDir)
    , m_index(index)
{
    m_hoechste = hoechsteNummer(m_index);
    const QString rezepte = rezepteDir(programDir);
    QList<Konfliktkopie> kategorieKopien, planKopien;
    for (const Konfliktkopie& k : kopien) {
        if (QFileInfo(k.pfad).path() != rezepte) {
            // Data/Sonstiges: the settings and the shipped documents as kept win; the week plan is the
            // user's and is merged.
            if (k.original == QFileInfo(weekPlanPath(programDir)).fileName())
                planKopien.append(k);
            else
                verschieben.append(k.pfad);
            continue;
        }
        if (k.original == QLatin1String("index.dat")) {
            m_indexKopien.append(k);
        } else if (k.original == QLatin1String("favoriten.dat")) {
            m_favoritenKopien.append(k);
        } else if (k.original == QLatin1String("kategorien.dat")) {
            kategorieKopien.append(k);
        } else if (const int n = nummerVon(k.original, u".dat"); n >= 0) {
            m_texte[n].append(k);
            try {
                const QByteArray b = loadBytes(k.pfad);
                int zutaten = 0;
                if (b.contains('\0'))
                    kaputt(k, QStringLiteral("Die Datei enthält Nullbytes."));
                else if (const QStringList z = splitLines(b); z.isEmpty() || !parseStoreInt(z.at(0), zutaten))
                    kaputt(k, QStringLiteral("Die erste Zeile ist keine Zahl."));
            } catch (const std::exception& x) {
                kaputt(k, messageOf(x));
            }
        } else if (const int n = nummerVon(k.original, u".jpg"); n >= 0) {
            m_bilder[n].append(k);
            try {
                if (!loadBytes(k.pfad).startsWith("\xFF\xD8"))
                    kaputt(k, QStringLiteral("Die Datei ist kein JPEG-Bild."));
            } catch (const std::exception& x) {
                kaputt(k, messageOf(x));
            }
        } else {
            bericht.offen.append(name(k));
        }
    }
    kategorienPlanen(kategorieKopien);
    for (const Konfliktkopie& k : std::as_const(m_indexKopien))
        indexPlanen(k);
    reste();
    for (const Konfliktkopie& k : std::as_const(m_favoritenKopien))
        favoritenPlanen(k);
    for (const Konfliktkopie& k : std::as_const(planKopien))
        wochenplanPlanen(k);
    QStringList benutzt(m_benutzt.begin(), m_benutzt.end());
    benutzt.sort();
    verschieben += benutzt;
}

void Konfliktkopien::kaputt(const Konfliktkopie& kopie, const QString& warum)
{
    m_kaputt.insert(kopie.pfad);
    bericht.beschaedigt.append(name(kopie));
    bericht.gruende.append(warum);
}

bool Konfliktkopien::lebt(int n) const
{
    return n >= 0 && n <= m_hoechste && n + 1 < m_index.size() && m_index.at(n + 1).contains(u'|')
        && !isDeletedEntry(m_index.at(n + 1));
}

bool Konfliktkopien::geloescht(int n) const
{
    return n >= 0 && n <= m_hoechste && n + 1 < m_index.size() && isDeletedEntry(m_index.at(n + 1));
}

std::optional<QByteArray> Konfliktkopien::datei(const QString& pfad) const
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

std::optional<QByteArray> Konfliktkopien::textVon(int nummer) const
{
    auto it = m_texteCache.find(nummer);
    if (it == m_texteCache.end())
        it = m_texteCache.insert(nummer, datei(recipePath(m_programDir, nummer)));
    return it.value();
}

QString Konfliktkopien::schluessel(
    const QString& titel, const QString& autor, const QString& datum, const QString& menge)
{
    return titel + u'\x1f' + autor + u'\x1f' + datum + u'\x1f' + menge;
}

void Konfliktkopien::felder()
{
    if (m_felder)
        return;
    m_felder = true;
    for (int n = 0; n <= m_hoechste; ++n)
        if (lebt(n))
            merke(m_index.at(n + 1), n);
}

void Konfliktkopien::merke(const QString& eintrag, int nummer)
{
    felder();
    const IndexFields f = splitEntry(eintrag);
    m_nachFeldern[schluessel(f.titel, f.autor, f.datum, f.menge)].append(nummer);
}

std::optional<int> Konfliktkopien::vorhanden(
    const QString& eintrag, const std::optional<QByteArray>& text, std::optional<int> ausser)
{
    felder();
    const IndexFields f = splitEntry(eintrag);
    for (const QString& titel : { f.titel, f.titel + kZweite })
        for (int nr : m_nachFeldern.value(schluessel(titel, f.autor, f.datum, f.menge))) {
            if (nr == ausser)
                continue;
            if ((nr >= 0 ? textVon(nr) : m_neu.at(-1 - nr).text) == text)
                return nr;
        }
    return std::nullopt;
}

int Konfliktkopien::neuesRezept(
    const QString& eintrag, const std::optional<QByteArray>& text, const QString& bild)
{
    m_neu.append({ eintrag, text, bild });
    const int nr = -int(m_neu.size());
    merke(eintrag, nr);
    bericht.rezepte.append(splitEntry(eintrag).titel);
    return nr;
}

const Konfliktkopie* Konfliktkopien::waehle(const QList<Konfliktkopie>& kopien, const QString& kennung) const
{
    const Konfliktkopie* erste = nullptr;
    for (const Konfliktkopie& k : kopien) {
        if (m_benutzt.contains(k.pfad) || m_kaputt.contains(k.pfad))
            continue;
        if (!kennung.isEmpty() && k.kennung == kennung)
            return &k;
        if (!erste)
            erste = &k;
    }
    return erste;
}

// The picture of recipe n for a recipe taken over: the set-aside picture where there is one, else the
// numbered picture.
QString Konfliktkopien::bildFuer(int n, const QString& kennung)
{
    const QList<Konfliktkopie> bilder = m_bilder.value(n);
    if (const Konfliktkopie* b = waehle(bilder, kennung)) {
        m_benutzt.insert(b->pfad);
        return b->pfad;
    }
    const QString bild = picturePath(m_programDir, n);
    return QFileInfo::exists(bild) ? bild : QString();
}

QString Konfliktkopien::mitKategorien(const QString& eintrag, const QString& kennung) const
{
    // The own categories of the computer that set the entry aside, by the numbers they have here now.
    const QHash<int, int>* nummern = nullptr;
    if (m_kategorieNummern.contains(kennung))
        nummern = &m_kategorieNummern.find(kennung).value();
    else if (m_kategorieNummern.size() == 1)
        nummern = &m_kategorieNummern.begin().value();
    if (!nummern || nummern->isEmpty())
        return eintrag;
    IndexFields f = splitEntry(eintrag);
    if (isOldCategoryFormat(f.kategorien))
        return eintrag;
    unsigned char flags[100];
    categoryFlags(f.kategorien, flags);
    QList<int> liste;
    bool anders = false;
    for (int i = 1; i < 100; ++i)
        if (flags[i]) {
            const int j = nummern->value(i, i);
            anders = anders || j != i;
            liste.append(j);
        }
    if (!anders)
        return eintrag;
    std::sort(liste.begin(), liste.end());
    liste.erase(std::unique(liste.begin(), liste.end()), liste.end());
    f.kategorien = categoryList(liste);
    return buildEntry(f);
}

void Konfliktkopien::kategorienPlanen(const QList<Konfliktkopie>& kopien)
{
    if (kopien.isEmpty())
        return;
    QStringList hier;
    try {
        hier = loadLines(categoryPath(m_programDir));
    } catch (const std::exception&) {
        for (const Konfliktkopie& k : kopien)
            bericht.offen.append(name(k));
        return;
    }
    bool geaendert = false;
    for (const Konfliktkopie& k : kopien) {
        QStringList zeilen;
        try {
            const QByteArray b = loadBytes(k.pfad);
            if (b.contains('\0')) {
                kaputt(k, QStringLiteral("Die Datei enthält Nullbytes."));
                continue;
            }
            zeilen = splitLines(b);
        } catch (const std::exception& x) {
            kaputt(k, messageOf(x));
            continue;
        }
        QHash<int, int>& nummern = m_kategorieNummern[k.kennung];
        bool fertig = true, etwas = false;
        for (int i = kFavoriten + 1; i < zeilen.size(); ++i) {
            if (!zeilen.at(i).startsWith(u'1'))
                continue;
            const QString kategorie = zeilen.at(i).mid(1);
            auto nummerVon = [&hier](const QString& name) {
                for (int j = kFavoriten + 1; j < hier.size(); ++j)
                    if (hier.at(j).startsWith(u'1') && hier.at(j).mid(1) == name)
                        return j;
                return -1;
            };
            // A name that reads like a tab there is already gets " (2)" (or the next number free), the
            // same name at every merge.
            QStringList namen = standardKategorien();
            for (int j = kFavoriten + 1; j < hier.size(); ++j)
                if (hier.at(j).startsWith(u'1'))
                    namen.append(hier.at(j).mid(1));
            QString neu = kategorie;
            int gleich = nummerVon(neu);
            for (int z = 2; gleich < 0 && namen.contains(neu, Qt::CaseInsensitive); ++z) {
                neu = kategorie + QStringLiteral(" (%1)").arg(z);
                gleich = nummerVon(neu);
            }
            if (gleich >= 0) { // both have it: one category
                if (gleich != i)
                    nummern.insert(i, gleich);
                continue;
            }
            if (i < hier.size() && !hier.at(i).startsWith(u'1'))
                continue; // deleted here: stays deleted
            if (hier.size() > kMaxKategorie) {
                fertig = false; // no number left for it
                continue;
            }
            while (hier.size() < kFavoriten + 1)
                hier.append(QString());
            hier.append(u'1' + neu);
            nummern.insert(i, int(hier.size()) - 1);
            bericht.kategorien.append(neu);
            etwas = geaendert = true;
        }
        if (fertig)
            verschieben.append(k.pfad);
        else
            bericht.offen.append(name(k));
        if (etwas)
            ++bericht.quellen;
    }
    if (geaendert)
        kategorien = hier;
}

void Konfliktkopien::indexPlanen(const Konfliktkopie& kopie)
{
    QStringList zeilen;
    int hc = -1;
    QString warum;
    try {
        const QByteArray b = loadBytes(kopie.pfad);
        if (b.contains('\0'))
            throw Error(QStringLiteral("Die Datei enthält Nullbytes."));
        zeilen = splitLines(b);
        if (zeilen.isEmpty())
            throw Error(QStringLiteral("Die Datei ist leer."));
        hc = hoechsteNummer(zeilen);
        if (zeilen.size() < qsizetype(hc) + 2)
            throw Error(QStringLiteral("Die Datei ist kürzer, als ihre erste Zeile sagt."));
        for (int i = 1; i <= hc + 1; ++i)
            if (!zeilen.at(i).contains(u'|'))
                throw Error(QStringLiteral("Zeile %1 ist kein Rezepteintrag.").arg(i));
    } catch (const std::exception& x) {
        kaputt(kopie, messageOf(x));
        return;
    }
    const qint64 kopieZeit = QFileInfo(kopie.pfad).lastModified().toMSecsSinceEpoch();
    QHash<int, int>& nummern = m_rezeptNummern[kopie.kennung];
    bool fertig = true, etwas = false;
    for (int n = 0; n <= hc; ++n) {
        const QString& zeile = zeilen.at(n + 1);
        if (isDeletedEntry(zeile))
            continue;
        const QList<Konfliktkopie> texte = m_texte.value(n);
        bool nurKaputt = false;
        for (const Konfliktkopie& t : texte)
            nurKaputt = nurKaputt || m_kaputt.contains(t.pfad);
        const Konfliktkopie* textKopie = waehle(texte, kopie.kennung);
        if (!textKopie && nurKaputt) {
            fertig = false; // its text lies only in a damaged copy
            continue;
        }
        // The common case: the same entry at the same number, with the same file.
        if (!textKopie && n <= m_hoechste && n + 1 < m_index.size() && m_index.at(n + 1) == zeile)
            continue;
        const std::optional<QByteArray> text = textKopie ? datei(textKopie->pfad) : textVon(n);
        // Present already: with this text, or with one another copy of the index took for this number.
        std::optional<int> da = vorhanden(zeile, text);
        if (da && textKopie)
            m_benutzt.insert(textKopie->pfad);
        for (const Konfliktkopie& t : texte)
            if (!da && m_benutzt.contains(t.pfad))
                da = vorhanden(zeile, datei(t.pfad));
        if (da) {
            if (*da != n)
                nummern.insert(n, *da);
            // Its picture set aside is the one that recipe has.
            const QString bild = *da >= 0 ? picturePath(m_programDir, *da) : m_neu.at(-1 - *da).bild;
            for (const Konfliktkopie& p : m_bilder.value(n))
                if (!m_benutzt.contains(p.pfad) && datei(p.pfad) == datei(bild))
                    m_benutzt.insert(p.pfad);
            continue;
        }
        const bool aktuell = lebt(n);
        if (!textKopie && aktuell) {
            // The recipe file was written after this copy of the index: the recipe was changed since, and
            // the entry here is an older state of it.
            const QFileInfo f(recipePath(m_programDir, n));
            if (f.exists() && f.lastModified().toMSecsSinceEpoch() > kopieZeit + 2000)
                continue;
        }
        // A deletion takes the recipe file along; a number a save skipped keeps the other computer's file.
        if (geloescht(n) && !QFileInfo::exists(recipePath(m_programDir, n))) {
            if (textKopie)
                m_benutzt.insert(textKopie->pfad);
            continue;
        }
        etwas = true;
        QString eintrag = mitKategorien(zeile, kopie.kennung);
        if (!textKopie && (n > m_hoechste || geloescht(n))) {
            // A number not in use here: the other computer's recipe at its own number, with its files.
            m_index = indexMitEintrag(m_index, n, eintrag, n > m_hoechste);
            m_hoechste = std::max(m_hoechste, n);
            m_indexGeaendert = true;
            merke(eintrag, n);
            bericht.rezepte.append(splitEntry(eintrag).titel);
            continue;
        }
        if (aktuell) {
            // The same recipe changed on both computers: the version set aside becomes a recipe of its own.
            IndexFields f = splitEntry(eintrag);
            if (f.titel == splitEntry(m_index.at(n + 1)).titel || !textKopie) {
                f.titel += kZweite;
                eintrag = buildEntry(f);
            }
        }
        if (textKopie)
            m_benutzt.insert(textKopie->pfad);
        nummern.insert(n, neuesRezept(eintrag, text, bildFuer(n, kopie.kennung)));
    }
    if (fertig)
        verschieben.append(kopie.pfad);
    else
        bericht.offen.append(name(kopie));
    if (etwas)
        ++bericht.quellen;
}

// Whether the copy k of number n needs nothing more: taken or damaged already, or n has no live entry
// here (deleted here: it stays deleted; no entry at all: named, as nothing says what recipe it is).
bool Konfliktkopien::erledigtOhneEintrag(int n, const Konfliktkopie& k)
{
    if (m_benutzt.contains(k.pfad) || m_kaputt.contains(k.pfad))
        return true;
    if (lebt(n))
        return false;
    if (geloescht(n) && !QFileInfo::exists(recipePath(m_programDir, n)))
        m_benutzt.insert(k.pfad);
    else
        bericht.offen.append(name(k));
    return true;
}

// Copies of recipe files and pictures no index copy took: the same recipe changed on both computers.
void Konfliktkopien::reste()
{
    for (auto it = m_texte.cbegin(); it != m_texte.cend(); ++it) {
        const int n = it.key();
        for (const Konfliktkopie& k : it.value()) {
            if (erledigtOhneEintrag(n, k))
                continue;
            const std::optional<QByteArray> text = datei(k.pfad);
            m_benutzt.insert(k.pfad);
            if (text == textVon(n) || vorhanden(m_index.at(n + 1), text, n))
                continue;
            IndexFields f = splitEntry(m_index.at(n + 1));
            f.titel += kZweite;
            neuesRezept(buildEntry(f), text, bildFuer(n, k.kennung));
            ++bericht.quellen;
        }
    }
    for (auto it = m_bilder.cbegin(); it != m_bilder.cend(); ++it) {
        const int n = it.key();
        for (const Konfliktkopie& k : it.value()) {
            if (erledigtOhneEintrag(n, k))
                continue;
            m_benutzt.insert(k.pfad);
            if (datei(k.pfad) == datei(picturePath(m_programDir, n))
                || vorhanden(m_index.at(n + 1), textVon(n), n))
                continue;
            IndexFields f = splitEntry(m_index.at(n + 1));
            f.titel += kZweite;
            neuesRezept(buildEntry(f), textVon(n), k.pfad);
            ++bericht.quellen;
        }
    }
}

void Konfliktkopien::favoritenPlanen(const Konfliktkopie& kopie)
{
    try {
        if (loadBytes(kopie.pfad).contains('\0')) {
            kaputt(kopie, QStringLiteral("Die Datei enthält Nullbytes."));
            return;
        }
    } catch (const std::exception& x) {
        kaputt(kopie, messageOf(x));
        return;
    }
    const QHash<int, int>* nummern = nummernVon(kopie);
    const IniFile dort(kopie.pfad);
    const IniFile hier(favouritesPath(m_programDir));
    bool etwas = false;
    for (const QString& schl : dort.readSection(kFavoritenAbschnitt)) {
        int n = -1;
        if (!parseStoreInt(schl, n) || n < 0 || !dort.readBool(kFavoritenAbschnitt, schl, false))
            continue;
        const int m = nummern ? nummern->value(n, n) : n;
        if (m < 0) {
            if (!favoritenNeu.contains(-1 - m)) {
                favoritenNeu.append(-1 - m);
                ++bericht.favoriten;
                etwas = true;
            }
            continue;
        }
        if (!lebt(m) || favoritenAlt.contains(m)
            || hier.readBool(kFavoritenAbschnitt, QString::number(m), false))
            continue;
        favoritenAlt.append(m);
        ++bericht.favoriten;
        etwas = true;
    }
    verschieben.append(kopie.pfad);
    if (etwas)
        ++bericht.quellen;
}

// The numbers of the computer that set the copy aside, as the merge of its index placed them; none when
// no index copy of that computer was merged.
const QHash<int, int>* Konfliktkopien::nummernVon(const Konfliktkopie& kopie) const
{
    if (m_rezeptNummern.contains(kopie.kennung))
        return &m_rezeptNummern.find(kopie.kennung).value();
    if (m_rezeptNummern.size() == 1)
        return &m_rezeptNummern.begin().value();
    return nullptr;
}

// The union of both plans: every line of the copy this plan lacks is added (the plan file is read in day
// order whatever the order of its lines). Its recipe numbers follow the recipes the merge placed anew.
// An entry removed here and kept there comes back: without a common ancestor that is the safe side.
void Konfliktkopien::wochenplanPlanen(const Konfliktkopie& kopie)
{
    QStringList dort, hier;
    try {
        if (loadBytes(kopie.pfad).contains('\0')) {
            kaputt(kopie, QStringLiteral("Die Datei enthält Nullbytes."));
            return;
        }
        dort = loadLines(kopie.pfad);
        if (QFileInfo::exists(weekPlanPath(m_programDir)))
            hier = loadLines(weekPlanPath(m_programDir));
    } catch (const std::exception& x) {
        kaputt(kopie, messageOf(x));
        return;
    }
    // An entry of a recipe is the day, the recipe and the portions (its title follows the recipe's when it
    // is renamed); a free text or a line damaged by hand is its whole line.
    const auto schluessel = [](const QString& zeile) {
        const QStringList f = zeile.split(u'|');
        int n = -1;
        return f.size() >= 4 && parseStoreInt(f.at(1), n) && n >= 0 ? zeile.section(u'|', 0, 2) : zeile;
    };
    QSet<QString> da;
    for (const QString& z : std::as_const(hier))
        da.insert(schluessel(z));
    const QHash<int, int>* nummern = nummernVon(kopie);
    const int vorher = bericht.planeintraege;
    for (const QString& z : std::as_const(dort)) {
        if (z.trimmed().isEmpty())
            continue;
        Planzeile p { z, {}, -1 };
        const QStringList felder = z.split(u'|');
        int n = -1;
        if (felder.size() >= 4 && parseStoreInt(felder.at(1), n) && n >= 0) {
            const int m = nummern ? nummern->value(n, n) : n;
            if (m < 0)
                p = { felder.at(0), z.section(u'|', 2), -1 - m };
            else
                p.vorn = felder.at(0) + u'|' + QString::number(m) + u'|' + z.section(u'|', 2);
        }
        // A recipe placed anew cannot be in this plan yet; its key keeps two copies from adding it twice.
        const QString k = p.neu < 0
            ? schluessel(p.vorn)
            : p.vorn + QStringLiteral("|#") + QString::number(p.neu) + u'|' + p.hinten.section(u'|', 0, 0);
        if (da.contains(k))
            continue;
        da.insert(k);
        wochenplan.append(p);
        ++bericht.planeintraege;
    }
    verschieben.append(kopie.pfad);
    if (bericht.planeintraege > vorher)
        ++bericht.quellen;
}

QString beiseitelegen(const QString& pfad, const QString& ordner)
{
    if (!QDir().mkpath(ordner))
        return {};
    const QString dateiname = QFileInfo(pfad).fileName();
    const qsizetype punkt = dateiname.lastIndexOf(u'.');
    const QString stamm = punkt > 0 ? dateiname.left(punkt) : dateiname;
    const QString endung = punkt > 0 ? dateiname.mid(punkt) : QString();
    const QByteArray von = QFile::encodeName(pfad);
    for (int z = 1; z < 1000; ++z) {
        const QString ziel
            = ordner + u'/' + (z == 1 ? dateiname : stamm + QStringLiteral(" (%1)").arg(z) + endung);
        const QByteArray nach = QFile::encodeName(ziel);
        // A hard link never replaces a file of that name; where the file system has none, a rename after
        // looking.
        if (::link(von.constData(), nach.constData()) == 0) {
            ::unlink(von.constData());
            return ziel;
        }
        if (errno == EEXIST)
            continue;
        if (QFileInfo::exists(ziel))
            continue;
        if (::rename(von.constData(), nach.constData()) == 0)
            return ziel;
        return {};
    }
    return {};
}

QString Konfliktbericht::statuszeile() const
{
    if (!fehler.isEmpty())
        return fehler;
    QStringList teile;
    if (!rezepte.isEmpty())
        teile.append(rezepte.size() == 1 ? QStringLiteral("1 Rezept")
                                         : QStringLiteral("%1 Rezepte").arg(rezepte.size()));
    if (favoriten > 0)
        teile.append(
            favoriten == 1 ? QStringLiteral("1 Favorit") : QStringLiteral("%1 Favoriten").arg(favoriten));
    if (!kategorien.isEmpty())
        teile.append(kategorien.size() == 1 ? QStringLiteral("1 Kategorie")
                                            : QStringLiteral("%1 Kategorien").arg(kategorien.size()));
    if (planeintraege > 0)
        teile.append(planeintraege == 1 ? QStringLiteral("1 Eintrag im Wochenplan")
                                        : QStringLiteral("%1 Einträge im Wochenplan").arg(planeintraege));
    QString s;
    if (!teile.isEmpty()) {
        const QString letztes = teile.takeLast();
        s = teile.isEmpty() ? letztes : teile.join(QStringLiteral(", ")) + QStringLiteral(" und ") + letztes;
        s += quellen <= 1 ? QStringLiteral(" aus einer Konfliktkopie übernommen")
                          : QStringLiteral(" aus %1 Konfliktkopien übernommen").arg(quellen);
    } else if (!beiseitegelegt.isEmpty()) {
        s = beiseitegelegt.size() == 1
            ? QStringLiteral("Eine Konfliktkopie ohne Neues liegt jetzt in Data/Konfliktkopien")
            : QStringLiteral("%1 Konfliktkopien ohne Neues liegen jetzt in Data/Konfliktkopien")
                  .arg(beiseitegelegt.size());
    }
    if (!beschaedigt.isEmpty())
        s += (s.isEmpty() ? QString() : QStringLiteral("; "))
            + QStringLiteral("Konfliktkopie beschädigt, nicht übernommen: ")
            + beschaedigt.join(QStringLiteral(", "));
    else if (s.isEmpty() && !offen.isEmpty())
        s = QStringLiteral("Konfliktkopie gefunden: ") + offen.join(QStringLiteral(", "));
    return s;
}

QString Konfliktbericht::meldung() const
{
    QStringList z;
    if (!fehler.isEmpty())
        z << fehler << QString();
    if (uebernommen()) {
        z << QStringLiteral(
            "Beide Computer hatten zur selben Zeit gespeichert, und das Synchronisationsprogramm "
            "hat eine Fassung beiseitegelegt. Daraus wurde übernommen:");
        if (!rezepte.isEmpty()) {
            z << QString() << (rezepte.size() == 1 ? QStringLiteral("Rezept:") : QStringLiteral("Rezepte:"));
            for (const QString& t : rezepte)
                z << QStringLiteral("   ") + t;
        }
        if (!kategorien.isEmpty())
            z << QString() << QStringLiteral("Kategorien: ") + kategorien.join(QStringLiteral(", "));
        if (favoriten > 0)
            z << QString() << QStringLiteral("Favoriten: %1").arg(favoriten);
        if (planeintraege > 0)
            z << QString() << QStringLiteral("Einträge im Wochenplan: %1").arg(planeintraege);
    }
    if (!beiseitegelegt.isEmpty())
        z << QString()
          << QStringLiteral(
                 "Die Konfliktkopien liegen jetzt im Ordner Data/Konfliktkopien; gelöscht wurde nichts.");
    if (!beschaedigt.isEmpty()) {
        z << QString() << QStringLiteral("Nicht übernommen, weil beschädigt (sie bleiben, wo sie sind):");
        for (qsizetype i = 0; i < beschaedigt.size(); ++i)
            z << QStringLiteral("   ") + beschaedigt.at(i) + QStringLiteral(": ") + gruende.value(i);
    }
    if (!offen.isEmpty()) {
        z << QString() << QStringLiteral("Bitte von Hand vergleichen (sie bleiben, wo sie sind):");
        for (const QString& o : offen)
            z << QStringLiteral("   ") + o;
    }
    while (!z.isEmpty() && z.first().isEmpty())
        z.removeFirst();
    return z.join(u'\r');
}

} // namespace tk
