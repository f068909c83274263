#include "mainwin/gui/Hauptfenster.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QStatusBar>
#include <QTextEdit>
#include <QVBoxLayout>

#include "mainwin/gui/Artwork.h"
#include "mainwin/gui/MenuKeys.h"
#include "platform/gui/Meldung.h"
#include "platform/gui/RecipeList.h"
#include "platform/Error.h"
#include "platform/ShownText.h"
#include "platform/TextLines.h"
#include "platform/gui/Application.h"
#include "platform/gui/HotLabel.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"
#include "platform/gui/TabControl.h"
#include "mainwin/gui/Meldungsfenster.h"
#include "store/AppState.h"
#include "mainwin/gui/Aktualisierungsfenster.h"
#include "store/Formats.h"
#include "store/RezeptDateien.h"
#include "mainwin/gui/Ladefenster.h"
#include "settings/gui/Einstellungsfenster.h"

namespace tk {

Hauptfenster::Hauptfenster(AppState& state, Fensterregister& fenster, QWidget* parent)
    : QMainWindow(parent)
    , st(state)
    , m_fenster(fenster)
{
    setObjectName(QStringLiteral("hauptfenster"));
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    setFont(f);
    baueMenues();
    baueBereiche();
    baueSymbolleiste();
    baueExportleiste();
    setAcceptDrops(true);
    // Disabled until the first load has filled the lists.
    setEnabled(false);
    resize(750, 500);
    setHauptfenster(this);
    sammlungAbonnieren();
    connect(this, &Hauptfenster::kommentarGeaendert, this, &Hauptfenster::umrechnungFolgt);
    layoutLaden();
}

void Hauptfenster::sammlungAbonnieren()
{
    // The main window learns of every change to the collection and brings its own lists up to date.
    Sammlung* s = &st.sammlung;
    auto neuLaden = [this] {
        if (m_fenster.ladefenster.gemacht()) // not before the first load of the start-up
            m_fenster.ladefenster->rezepteLaden();
    };
    // A saved recipe is shown; its row, the counts and the rest of the list stay where they are.
    connect(s, &Sammlung::rezeptHinzugefuegt, this, [this](int n) {
        zeileNachfuehren(n);
        zeigeRezept(n);
    });
    connect(s, &Sammlung::rezeptGeaendert, this, [this](int n) {
        zeileNachfuehren(n);
        zeigeRezept(n);
    });
    connect(s, &Sammlung::rezeptEntfernt, this, [this](int n) {
        zeileNachfuehren(n);
        ansichtLeeren();
    });
    connect(s, &Sammlung::favoritGeaendert, this, &Hauptfenster::zeileNachfuehren);
    connect(s, &Sammlung::kommentarGespeichert, this, [this](int n) {
        if (n != st.angezeigtesRezept)
            return;
        try {
            rezeptKommentar = kommentarAus(loadLines(recipePath(st.programDir, n)));
        } catch (const std::exception&) {
        }
    });
    connect(s, &Sammlung::bildGeloescht, this, [this](int n) {
        // The picture icon of the view must not offer a picture that is gone.
        if (n == st.angezeigtesRezept)
            m_bildSymbol->setVisible(false);
    });
    connect(s, &Sammlung::kategorienGeaendert, this, &Hauptfenster::kategorienNeu);
    connect(s, &Sammlung::neuEinlesen, this, neuLaden);
    connect(s, &Sammlung::altesFormat, this, &Hauptfenster::datenbankAktualisieren);
    connect(s, &Sammlung::einstellungenGeaendert, this, &Hauptfenster::einstellungenAnwenden);
    connect(s, &Sammlung::vonAussenGeaendert, this, &Hauptfenster::vonAussenGeaendert);
    connect(s, &Sammlung::konfliktkopieGefunden, this, [this](const QString& name) {
        m_statusKonflikt->setText(QStringLiteral("Konfliktkopie gefunden: ") + name);
    });
    connect(s, &Sammlung::konfliktkopienUebernommen, this, [this](const Konfliktbericht& b) {
        m_statusKonflikt->setText(b.statuszeile());
        // The first merge of a run is told in the message window, with the names; later ones in the status
        // bar only. After the start-up's windows are up, not in the middle of making them.
        if (m_konfliktGemeldet || (!b.uebernommen() && b.beschaedigt.isEmpty() && b.fehler.isEmpty()))
            return;
        m_konfliktGemeldet = true;
        QTimer::singleShot(
            0, this, [text = b.meldung()] { Meldung(text, QStringLiteral("Konfliktkopien")); });
    });
}

void Hauptfenster::vonAussenGeaendert(int dateien)
{
    // Another copy or computer wrote: catch up quietly, keeping the tab, the list position and the
    // recipe on show. Not while the list is being filled or a modal window waits.
    if (st.listeWirdGefuellt || !isEnabled() || QApplication::activeModalWidget()) {
        QTimer::singleShot(500, this, [this, dateien] { vonAussenGeaendert(dateien); });
        return;
    }
    if (dateien & Sammlung::Einstellungen)
        m_fenster.einstellungsfenster->einstellungenLaden();
    if (dateien & Sammlung::Kategorien)
        kategorienNeu(-1);
    if (!(dateien & (Sammlung::Index | Sammlung::Favoriten | Sammlung::Kategorien)))
        return;
    const int zeile = m_rezeptliste->currentRow();
    const int nummer = zeile >= 0 ? m_rezeptliste->numberAt(zeile) : -1;
    const int scroll = m_rezeptliste->verticalScrollBar()->value();
    m_fenster.ladefenster->rezepteLaden(true);
    m_rezeptliste->blockSignals(true);
    for (int r = 0; nummer >= 0 && r < m_rezeptliste->count(); ++r)
        if (m_rezeptliste->numberAt(r) == nummer) {
            m_rezeptliste->selectRow(r);
            break;
        }
    m_rezeptliste->blockSignals(false);
    m_rezeptliste->verticalScrollBar()->setValue(scroll);
    const int n = st.angezeigtesRezept;
    if (n >= 0 && (size_t(n) >= st.sammlung.rezepte().size() || st.sammlung.rezepte()[size_t(n)].geloescht))
        ansichtLeeren(); // deleted elsewhere
}

void Hauptfenster::kategorienNeu(int geloeschteNr)
{
    int tab = m_kategorien->currentIndex();
    // The tab of a deleted category goes; the list then shows "Alle".
    if (geloeschteNr >= 0 && geloeschteNr < st.kategorien.kategorieTab.size()
        && st.kategorien.kategorieTab.at(geloeschteNr) == tab)
        tab = 0;
    kategorienAufbauen(); // leaves tab 0 selected without telling anyone
    tab = std::clamp(tab, 0, st.kategorien.letzterTab);
    if (tab != 0)
        m_kategorien->setCurrentIndex(tab);
    else if (st.aktuelleKategorie != st.kategorien.tabKategorie.at(0))
        kategorieGewaehlt(); // the list showed a tab that is gone: show "Alle"
}

Hauptfenster::~Hauptfenster() = default;

// ---- Start-up, layout file and closing -------------------------------------------------------

void Hauptfenster::layoutLaden()
{
    try {
        st.aktuelleKategorie = 0;
        st.rng.seed(quint32(QDateTime::currentMSecsSinceEpoch()));
        setWindowTitle(QStringLiteral("Brutzels Tellerkiste 3.40 (01/2007)"));
        hide();

        st.layoutIni = std::make_unique<IniFile>(layoutPath(st.programDir));
        const IniFile& ini = *st.layoutIni;
        const int breite = ini.readInteger(QStringLiteral("Fenster"), QStringLiteral("Breite"), 750);
        const int hoehe = ini.readInteger(QStringLiteral("Fenster"), QStringLiteral("Hoehe"), 500);
        resize(breite, hoehe);
        const int links = ini.readInteger(QStringLiteral("Fenster"), QStringLiteral("Links"), 50);
        const int oben = ini.readInteger(QStringLiteral("Fenster"), QStringLiteral("Oben"), 50);
        move(links, oben);
        setzeSpaltenbreiten(ini.readInteger(QStringLiteral("Panel2"), QStringLiteral("Breite"), 170),
            ini.readInteger(QStringLiteral("Panel4"), QStringLiteral("Breite"), 170));
        setzeErgebnishoehe(ini.readInteger(QStringLiteral("SuchErgebnisse"), QStringLiteral("Hoehe"), 81));
        m_symbolleiste->setVisible(ini.readBool(QStringLiteral("Panel1"), QStringLiteral("Sichtbar"), true));
        m_suchergebnisse->setVisible(
            ini.readBool(QStringLiteral("Suchergebnisse"), QStringLiteral("Sichtbar"), true));
        m_zusatzinfo->setVisible(ini.readBool(QStringLiteral("Panel5"), QStringLiteral("Sichtbar"), true));
        m_kategorien->setVisible(
            ini.readBool(QStringLiteral("Kategorien"), QStringLiteral("Sichtbar"), true));
        m_symbolleisteSichtbar->setChecked(!m_symbolleiste->isHidden());
        m_suchergebnisseSichtbar->setChecked(!m_suchergebnisse->isHidden());
        m_zusatzinfoSichtbar->setChecked(!m_zusatzinfo->isHidden());
        m_kategorienSichtbar->setChecked(!m_kategorien->isHidden());

        st.sammlung.oeffneFavoriten();
        kategorienAufbauen();
    } catch (const std::exception&) {
        // The set-up ends at the failing step without a message.
    }
}

void Hauptfenster::setzeSpaltenbreiten(int links, int rechts)
{
    m_linkeBreite = std::max(50, links);
    m_rechteBreite = std::max(100, rechts);
    QList<int> sizes = m_spalten->sizes();
    const int total = std::max(m_spalten->width(), m_linkeBreite + m_rechteBreite + 100);
    m_spalten->setSizes(
        { m_linkeBreite, std::max(1, total - m_linkeBreite - m_rechteBreite), m_rechteBreite });
}

void Hauptfenster::setzeErgebnishoehe(int h)
{
    m_ergebnishoehe = std::max(1, h);
    const int total = std::max(m_ergebnisTeiler->height(), m_ergebnishoehe + 100);
    m_ergebnisTeiler->setSizes({ m_ergebnishoehe, total - m_ergebnishoehe });
}

int Hauptfenster::linkeBreite() const { return m_spalten->sizes().value(0, m_linkeBreite); }
int Hauptfenster::rechteBreite() const { return m_spalten->sizes().value(2, m_rechteBreite); }
int Hauptfenster::ergebnishoehe() const
{
    return m_suchergebnisse->isHidden() ? m_ergebnishoehe
                                        : m_ergebnisTeiler->sizes().value(0, m_ergebnishoehe);
}

void Hauptfenster::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!m_gezeigt) {
        m_gezeigt = true;
        // The window opens centred on the screen, keeping its size; the stored edges only placed
        // what was centred on it before.
        setzeSpaltenbreiten(m_linkeBreite, m_rechteBreite);
        setzeErgebnishoehe(m_ergebnishoehe);
        centreOnScreen(this);
    }
}

void Hauptfenster::layoutSpeichern()
{
    try {
        if (st.layoutIni) {
            IniFile& ini = *st.layoutIni;
            if (!m_gezeigt) {
                m_linkeBreite = linkeBreite();
            }
            ini.writeInteger(QStringLiteral("Fenster"), QStringLiteral("Breite"), width());
            ini.writeInteger(QStringLiteral("Fenster"), QStringLiteral("Links"), x());
            ini.writeInteger(QStringLiteral("Fenster"), QStringLiteral("Hoehe"), height());
            ini.writeInteger(QStringLiteral("Fenster"), QStringLiteral("Oben"), y());
            ini.writeInteger(QStringLiteral("Panel2"), QStringLiteral("Breite"),
                m_gezeigt ? linkeBreite() : m_linkeBreite);
            ini.writeInteger(QStringLiteral("Panel4"), QStringLiteral("Breite"),
                m_gezeigt ? rechteBreite() : m_rechteBreite);
            ini.writeInteger(QStringLiteral("SuchErgebnisse"), QStringLiteral("Hoehe"),
                m_gezeigt ? ergebnishoehe() : m_ergebnishoehe);
            ini.writeBool(QStringLiteral("Panel1"), QStringLiteral("Sichtbar"), !m_symbolleiste->isHidden());
            ini.writeBool(
                QStringLiteral("Suchergebnisse"), QStringLiteral("Sichtbar"), !m_suchergebnisse->isHidden());
            ini.writeBool(QStringLiteral("Panel5"), QStringLiteral("Sichtbar"), !m_zusatzinfo->isHidden());
            ini.writeBool(
                QStringLiteral("Kategorien"), QStringLiteral("Sichtbar"), !m_kategorien->isHidden());
        }
    } catch (const std::exception&) {
        // Writing the layout ends without a message; the program still closes.
    }
    st.layoutIni.reset();
}

void Hauptfenster::closeEvent(QCloseEvent* e)
{
    layoutSpeichern();
    e->accept();
    Application::endProgram();
}

void Hauptfenster::beenden() { close(); }

// ---- Ansicht -----------------------------------------------------------------------------------

void Hauptfenster::symbolleisteUmschalten()
{
    m_symbolleiste->setVisible(m_symbolleisteSichtbar->isChecked());
}
void Hauptfenster::suchergebnisseUmschalten()
{
    if (!m_suchergebnisseSichtbar->isChecked())
        m_ergebnishoehe = ergebnishoehe();
    m_suchergebnisse->setVisible(m_suchergebnisseSichtbar->isChecked());
    if (m_suchergebnisseSichtbar->isChecked())
        setzeErgebnishoehe(m_ergebnishoehe);
}
void Hauptfenster::zusatzinfoUmschalten() { m_zusatzinfo->setVisible(m_zusatzinfoSichtbar->isChecked()); }
void Hauptfenster::kategorienUmschalten() { m_kategorien->setVisible(m_kategorienSichtbar->isChecked()); }

// ---- Toolbar pictures ------------------------------------------------------------------------

void Hauptfenster::symbolBetreten(int knopf)
{
    m_symbolBilder[size_t(knopf - 1)]->setPixmap(bildUeber[size_t(knopf - 1)]);
}
void Hauptfenster::symbolVerlassen(int knopf)
{
    m_symbolBilder[size_t(knopf - 1)]->setPixmap(bildNormal[size_t(knopf - 1)]);
}
void Hauptfenster::symbolGedrueckt(int knopf)
{
    m_symbolBilder[size_t(knopf - 1)]->setPixmap(bildGedrueckt[size_t(knopf - 1)]);
}
void Hauptfenster::symbolLosgelassen(int knopf)
{
    m_symbolBilder[size_t(knopf - 1)]->setPixmap(bildNormal[size_t(knopf - 1)]);
}

// ---- Category tabs and lists -----------------------------------------------------------------

void Hauptfenster::kategorienAufbauen()
{
    m_kategorien->blockSignals(true);
    m_kategorien->setCurrentIndex(0);
    const QStringList lines = loadLines(categoryPath(st.programDir));
    buildKategorieTabellen(lines, st.kategorien);
    m_kategorien->clear();
    for (int p = 0; p <= st.kategorien.letzterTab; ++p)
        m_kategorien->addTab(st.kategorien.namen.at(st.kategorien.tabKategorie.at(p)).name,
            p < 15 ? categoryIcon(p) : QIcon());
    m_kategorien->blockSignals(false);
    m_statusKategorien->setText(QStringLiteral("Kategorien: %1").arg(st.kategorien.letzterTab + 1));
    kategorienhoeheAnpassen();
}

void Hauptfenster::kategorienhoeheAnpassen()
{
    m_kategorien->setFixedHeight(m_kategorien->rowCount() * m_kategorien->tabHeight());
}

void Hauptfenster::rezeptlisteFuellen()
{
    std::vector<RecipeListModel::Entry> entries;
    const int kat = st.aktuelleKategorie;
    for (size_t n = 0; n < st.sammlung.rezepte().size(); ++n) {
        const Rezepteintrag& r = st.sammlung.rezepte()[n];
        if (gehoertZuKategorie(r, kat))
            entries.push_back({ r.titel, int(n) });
    }
    m_rezeptliste->model()->setEntries(std::move(entries));
}

void Hauptfenster::rangVorbereiten() { m_titelrang.vorbereiten(st.sammlung.rezepte(), st.sammlung.stand()); }

const std::vector<int>* Hauptfenster::alphabetischerRang()
{
    return &m_titelrang.rang(st.sammlung.rezepte(), st.sammlung.stand());
}

void Hauptfenster::kategorieGewaehlt()
{
    const int pos = m_kategorien->currentIndex();
    if (pos < 0 || pos >= st.kategorien.tabKategorie.size())
        return;
    st.aktuelleKategorie = st.kategorien.tabKategorie.at(pos);
    st.listeWirdGefuellt = true;
    const bool sortiert = m_rezeptliste->sortedAlphabetically();
    if (sortiert && alphabetischerRang()->size() == st.sammlung.rezepte().size()) {
        // The recipes of the tab picked from all live ones in alphabetical order: one pass, no sort,
        // also for the half a million of "Alle".
        std::vector<RecipeListModel::Entry> entries;
        const int kat = st.aktuelleKategorie;
        for (int n : m_titelrang.alphabetisch())
            if (n >= 0 && size_t(n) < st.sammlung.rezepte().size()
                && gehoertZuKategorie(st.sammlung.rezepte()[size_t(n)], kat))
                entries.push_back({ st.sammlung.rezepte()[size_t(n)].titel, n });
        m_rezeptliste->model()->setEntries(std::move(entries), true);
    } else {
        rezeptlisteFuellen();
        if (sortiert)
            m_rezeptliste->model()->sortAlphabetically();
    }
    st.listeWirdGefuellt = false;
    if (m_rezeptliste->count() > 0)
        m_rezeptliste->selectRow(0);
}

void Hauptfenster::nachAlphabetOrdnen()
{
    m_rezeptliste->setSortedAlphabetically(false);
    m_rezeptliste->setSortedAlphabetically(true);
    m_rezeptliste->viewport()->update();
}

void Hauptfenster::nachDatumOrdnen()
{
    m_rezeptliste->setSortedAlphabetically(false);
    kategorieGewaehlt();
}

void Hauptfenster::rezeptGewaehlt(int number) { zeigeRezept(number); }
void Hauptfenster::trefferGewaehlt(int number) { zeigeRezept(number); }

void Hauptfenster::listeGedrueckt(int row, Qt::MouseButton)
{
    if (row < 0)
        return;
    st.aktuellesRezept = m_rezeptliste->numberAt(row);
}

void Hauptfenster::listeDoppelklick(int row)
{
    if (row < 0)
        return;
    const int selected = m_rezeptliste->currentRow() >= 0 ? m_rezeptliste->currentRow() : row;
    st.aktuellesRezept = m_rezeptliste->numberAt(selected);
    if (!m_exportleiste->isHidden()) {
        const int n = st.aktuellesRezept;
        if (n >= 0 && size_t(n) < st.sammlung.rezepte().size() && m_exportliste) {
            m_exportliste->append(st.sammlung.rezepte()[size_t(n)].titel, n);
            if (m_exportliste->sortedAlphabetically())
                m_exportliste->model()->sortAlphabetically();
            m_exportAnzahl->setText(QStringLiteral("Anzahl der Rezepte: %1").arg(m_exportliste->count()));
        }
    } else {
        rezeptBearbeiten();
    }
}

// ---- Recipe view ---------------------------------------------------------------------------

void Hauptfenster::zeigeRezept(int n)
{
    if (st.listeWirdGefuellt)
        return;
    try {
        m_rezeptKategorien->clear();
        m_zutaten->clear();
        m_zubereitung->clear();
        rezeptText.clear();
        rezeptKommentar.clear();
        st.angezeigtesRezept = -1;
        emit kommentarGeaendert();
        if (n < 0)
            return;
        st.aktuellesRezept = n;
        if (size_t(n) >= st.sammlung.rezepte().size())
            throw Error(QStringLiteral("Rezept %1 gibt es nicht.").arg(n));
        const Rezepteintrag& r = st.sammlung.rezepte()[size_t(n)];
        m_titel->setText(shownTitle(r.titel));
        m_datum->setText(r.datum);
        m_datum->setToolTip(r.datum);
        m_autor->setText(r.autor);
        m_autor->setToolTip(r.autor);
        m_menge->setText(r.menge);
        QString kats;
        const int last = std::max(14, st.kategorien.zeilenAnzahl - 1);
        for (int i = 1; i <= last && i <= 99; ++i)
            if (r.inKategorie[size_t(i)] == 1 && i < st.kategorien.namen.size()
                && !st.kategorien.namen.at(i).name.isEmpty())
                kats += st.kategorien.namen.at(i).name + u' ';
        m_rezeptKategorien->setText(kats);
        m_rezeptKategorien->setToolTip(kats);

        rezeptZeilen = loadLines(recipePath(st.programDir, n));
        m_bildSymbol->setVisible(QFileInfo::exists(picturePath(st.programDir, n)));
        Rezeptinhalt inhalt = rezeptinhalt(rezeptZeilen);
        // Huge lines would take the fields minutes to lay out: they are shown cut. Saves read the file.
        m_zutaten->addItems(shownLines(inhalt.zutaten).lines);
        rezeptText = std::move(inhalt.text);
        rezeptKommentar = std::move(inhalt.kommentar);
        m_zubereitung->setPlainText(shownLines(rezeptText).lines.join(u'\n'));
        st.angezeigtesRezept = n;
        emit kommentarGeaendert();
        // A damaged count is shown with the lines the file has, and the user learns why.
        if (!inhalt.schaden.isEmpty())
            Meldung(inhalt.schaden, QStringLiteral("Fehler bei der Rezeptanzeige!"));
    } catch (const std::exception&) {
        if (m_fenster.meldungsfenster.gemacht())
            Meldung(QStringLiteral("Ein unbekannter Fehler trat beim Anzeigen des Rezepts auf!"),
                QStringLiteral("Fehler bei der Rezeptanzeige!"));
    }
}

void Hauptfenster::ladenBeginnt()
{
    m_kategorien->blockSignals(true);
    const int tab = st.aktuelleKategorie < st.kategorien.kategorieTab.size()
        ? st.kategorien.kategorieTab.at(st.aktuelleKategorie)
        : 0;
    m_kategorien->setCurrentIndex(tab);
    m_kategorien->blockSignals(false);
    m_rezeptliste->clear();
}

void Hauptfenster::zeigeRezepte(std::vector<RecipeListModel::Entry> eintraege)
{
    m_rezeptliste->model()->setEntries(std::move(eintraege));
}

void Hauptfenster::zeileNachfuehren(int n)
{
    // The row of n as a whole load followed by the list's sort would give it; the other rows, the
    // selection and the scroll position stay.
    const Rezepteintrag* r = st.sammlung.eintrag(n);
    RecipeListModel* liste = m_rezeptliste->model();
    const bool warAktuell = m_rezeptliste->numberAt(m_rezeptliste->currentRow()) == n;
    m_rezeptliste->blockSignals(true); // a moved selection shows nothing anew
    if (r && gehoertZuKategorie(*r, st.aktuelleKategorie)) {
        liste->place(r->titel, n);
    } else if (liste->rowOf(n) >= 0) {
        liste->removeNumber(n);
        if (warAktuell) {
            m_rezeptliste->selectionModel()->clear();
        }
    }
    m_rezeptliste->blockSignals(false);
    zeigeRezeptanzahl(st.sammlung.rezeptAnzahl());
    // The kept alphabetical order takes the one changed title; otherwise a large collection ranks them
    // all again meanwhile.
    if (!m_titelrang.nachfuehren(st.sammlung.rezepte(), st.sammlung.stand(), n))
        rangVorbereiten();
}

void Hauptfenster::zeigeRezeptanzahl(int anzahl)
{
    m_rezeptzahl->setText(QStringLiteral("Rezepte in der Datenbank: %1").arg(anzahl));
    m_rezeptzahl->adjustSize(); // the count may be wider than the text it replaces
    m_statusRezepte->setText(QStringLiteral("Rezepte: %1").arg(anzahl));
}

void Hauptfenster::datenbankAktualisieren()
{
    Aktualisierungsfenster* w = m_fenster.aktualisierungsfenster;
    centreOn(w, this);
    w->show();
}

} // namespace tk
