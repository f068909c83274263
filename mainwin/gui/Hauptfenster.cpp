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
#include <chrono>
#include <future>
#include <limits>

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

namespace {
    QWidget* panel(const char* name, QWidget* parent)
    {
        auto* w = new QWidget(parent);
        w->setObjectName(QLatin1String(name));
        w->setAutoFillBackground(true);
        return w;
    }

    QLabel* label(const QString& text, const char* name, QWidget* parent)
    {
        auto* l = new QLabel(text, parent);
        l->setObjectName(QLatin1String(name));
        return l;
    }
}

Hauptfenster::Hauptfenster(AppState& state, Fensterregister& forms, QWidget* parent)
    : QMainWindow(parent)
    , st(state)
    , forms(forms)
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
    layoutLaden();
}

void Hauptfenster::sammlungAbonnieren()
{
    // The main window learns of every change to the collection and brings its own lists up to date.
    Sammlung* s = &st.sammlung;
    auto neuLaden = [this] {
        if (forms.ladefenster)
            forms.ladefenster->rezepteLaden();
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
    connect(s, &Sammlung::altesFormat, this, [this] {
        if (forms.aktualisierungsfenster) {
            centreOn(forms.aktualisierungsfenster, this);
            forms.aktualisierungsfenster->show();
        }
    });
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
    if ((dateien & Sammlung::Einstellungen) && forms.einstellungsfenster)
        forms.einstellungsfenster->einstellungenLaden();
    if (dateien & Sammlung::Kategorien)
        kategorienNeu(-1);
    if (!(dateien & (Sammlung::Index | Sammlung::Favoriten | Sammlung::Kategorien)) || !forms.ladefenster)
        return;
    const int zeile = m_rezeptliste->currentRow();
    const int nummer = zeile >= 0 ? m_rezeptliste->numberAt(zeile) : -1;
    const int scroll = m_rezeptliste->verticalScrollBar()->value();
    forms.ladefenster->rezepteLaden(true);
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

QAction* Hauptfenster::menuePunkt(
    QMenu* menu, const QString& text, const QKeySequence& key, void (Hauptfenster::*handler)())
{
    QAction* a = menu->addAction(text);
    if (!key.isEmpty())
        a->setShortcut(key);
    connect(a, &QAction::triggered, this, [this, handler] { guarded(this, [&] { (this->*handler)(); }); });
    return a;
}

void Hauptfenster::baueMenues()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("hauptmenue"));

    QMenu* programm = bar->addMenu(QStringLiteral("Programm"));
    m_einstellungen = menuePunkt(programm, QStringLiteral("Einstellungen"),
        QKeySequence(QStringLiteral("Ctrl+O")), &Hauptfenster::einstellungenZeigen);
    programm->addSeparator();
    m_beenden = menuePunkt(
        programm, QStringLiteral("Beenden"), QKeySequence(QStringLiteral("Ctrl+B")), &Hauptfenster::beenden);

    QMenu* rezeptMenu = bar->addMenu(QStringLiteral("Rezept"));
    m_neuesRezept = menuePunkt(rezeptMenu, QStringLiteral("Neues erstellen"),
        QKeySequence(QStringLiteral("Ctrl+N")), &Hauptfenster::neuesRezept);
    m_bearbeiten = menuePunkt(rezeptMenu, QStringLiteral("Bearbeiten"),
        QKeySequence(QStringLiteral("Ctrl+E")), &Hauptfenster::rezeptBearbeiten);
    m_loeschen = menuePunkt(rezeptMenu, QStringLiteral("Löschen"), QKeySequence(QStringLiteral("Ctrl+L")),
        &Hauptfenster::rezeptLoeschen);
    rezeptMenu->addSeparator();
    m_drucken = menuePunkt(rezeptMenu, QStringLiteral("Drucken"), QKeySequence(QStringLiteral("Ctrl+P")),
        &Hauptfenster::drucken);
    QMenu* speichern = rezeptMenu->addMenu(QStringLiteral("Speichern"));
    m_alsTextdatei
        = menuePunkt(speichern, QStringLiteral("als Textdatei"), {}, &Hauptfenster::alsTextdateiSpeichern);
    m_alsRtfDatei
        = menuePunkt(speichern, QStringLiteral("Als RTF-Datei"), {}, &Hauptfenster::alsRtfDateiSpeichern);
    m_inZwischenablage
        = menuePunkt(speichern, QStringLiteral("in die Zwischenablage"), {}, &Hauptfenster::inZwischenablage);
    speichern->addSeparator();
    m_alleAlsTextdatei = menuePunkt(speichern, QStringLiteral("Alle speichern als Textdatei"), {},
        &Hauptfenster::alleAlsTextdateiSpeichern);
    QMenu* impexp = rezeptMenu->addMenu(QStringLiteral("Import/Export"));
    m_rezKonvMenue = impexp->addMenu(QStringLiteral("RezKonv-Format"));
    m_rezKonvImport = menuePunkt(
        m_rezKonvMenue, QStringLiteral("Rezept importieren"), {}, &Hauptfenster::rezKonvImportieren);
    m_rezKonvExport = menuePunkt(
        m_rezKonvMenue, QStringLiteral("Rezept exportieren"), {}, &Hauptfenster::rezKonvExportieren);
    m_rezKonvMenue->menuAction()->setEnabled(true);
    m_rezKonvImport->setEnabled(true);
    QMenu* tkp = impexp->addMenu(QStringLiteral("TKP-Format"));
    m_paketImport
        = menuePunkt(tkp, QStringLiteral("Rezept importieren"), {}, &Hauptfenster::paketImportieren);
    m_paketExport
        = menuePunkt(tkp, QStringLiteral("Rezept exportieren"), {}, &Hauptfenster::paketExportieren);
    impexp->addSeparator();
    m_ausDemInternet = menuePunkt(impexp, QStringLiteral("Aus dem Internet importieren..."),
        QKeySequence(QStringLiteral("Ctrl+Shift+I")), &Hauptfenster::ausDemInternet);
    rezeptMenu->addSeparator();
    m_favorit = menuePunkt(rezeptMenu, QStringLiteral("Zu den Favoriten hinzufügen"),
        QKeySequence(QStringLiteral("Ctrl+F")), &Hauptfenster::favoritUmschalten);
    m_zufallsrezept = menuePunkt(rezeptMenu, QStringLiteral("Zufallsrezept"),
        QKeySequence(QStringLiteral("Ctrl+R")), &Hauptfenster::zufallsrezept);
    m_datenbankAktualisieren = menuePunkt(
        rezeptMenu, QStringLiteral("Datenbank aktualisieren"), {}, &Hauptfenster::datenbankAktualisieren);
    m_datenbankAktualisieren->setVisible(false);

    QMenu* kat = bar->addMenu(QStringLiteral("Kategorien"));
    m_kategorienBearbeiten = menuePunkt(kat, QStringLiteral("Bearbeiten"),
        QKeySequence(QStringLiteral("Ctrl+K")), &Hauptfenster::kategorienBearbeiten);

    QMenu* sort = bar->addMenu(QStringLiteral("Sortieren"));
    m_nachAlphabet = menuePunkt(sort, QStringLiteral("nach dem Alphabet"),
        QKeySequence(QStringLiteral("Ctrl+A")), &Hauptfenster::nachAlphabetOrdnen);
    // Ctrl+D: the key this item shared with "Beenden" could never reach it.
    m_nachDatum = menuePunkt(sort, QStringLiteral("nach dem Datum"), QKeySequence(QStringLiteral("Ctrl+D")),
        &Hauptfenster::nachDatumOrdnen);

    QMenu* suchen = bar->addMenu(QStringLiteral("Suchen"));
    const QString suchTexte[4] = { QStringLiteral("im Rezept&titel"), QStringLiteral("im Rezeptte&xt"),
        QStringLiteral("in den &Zutaten"), QStringLiteral("nach &Autor") };
    const char* suchKeys[4] = { "Ctrl+Alt+T", "Ctrl+Alt+V", "Ctrl+Alt+Z", "Ctrl+Alt+A" };
    const char* suchNamen[4] = { "suchenTitel", "suchenText", "suchenZutaten", "suchenAutor" };
    for (int i = 0; i < 4; ++i) {
        QAction* a = suchen->addAction(suchTexte[i]);
        a->setShortcut(QKeySequence(QLatin1String(suchKeys[i])));
        a->setData(i + 1); // the item's Tag
        connect(
            a, &QAction::triggered, this, [this, i] { guarded(this, [&] { suchfensterMitModus(i + 1); }); });
        a->setObjectName(QLatin1String(suchNamen[i]));
        m_suchen[size_t(i)] = a;
    }

    QMenu* ansicht = bar->addMenu(QStringLiteral("Ansicht"));
    m_symbolleisteSichtbar = menuePunkt(ansicht, QStringLiteral("Symbolleiste"), QKeySequence(Qt::Key_F9),
        &Hauptfenster::symbolleisteUmschalten);
    m_suchergebnisseSichtbar = menuePunkt(ansicht, QStringLiteral("Suchergebnisse"),
        QKeySequence(Qt::Key_F10), &Hauptfenster::suchergebnisseUmschalten);
    m_zusatzinfoSichtbar = menuePunkt(ansicht, QStringLiteral("Zusatzinformationen"),
        QKeySequence(Qt::Key_F11), &Hauptfenster::zusatzinfoUmschalten);
    m_kategorienSichtbar = menuePunkt(ansicht, QStringLiteral("Kategorien"), QKeySequence(Qt::Key_F12),
        &Hauptfenster::kategorienUmschalten);
    for (QAction* a :
        { m_symbolleisteSichtbar, m_suchergebnisseSichtbar, m_zusatzinfoSichtbar, m_kategorienSichtbar }) {
        a->setCheckable(true);
        a->setChecked(true);
    }

    m_updates = bar->addMenu(QStringLiteral("Updates"));
    m_herunterladen = menuePunkt(m_updates, QStringLiteral("Herunterladen"),
        QKeySequence(QStringLiteral("Ctrl+H")), &Hauptfenster::downloadseiteOeffnen);
    m_installieren = menuePunkt(m_updates, QStringLiteral("Installieren"),
        QKeySequence(QStringLiteral("Ctrl+I")), &Hauptfenster::paketImportieren);
    m_updates->menuAction()->setVisible(false);
    // The menu is hidden but its shortcuts still work.
    addAction(m_herunterladen);
    addAction(m_installieren);

    QMenu* info = bar->addMenu(QStringLiteral("Info"));
    m_hilfe
        = menuePunkt(info, QStringLiteral("Hilfe"), QKeySequence(Qt::Key_F1), &Hauptfenster::hilfeOeffnen);
    m_willkommen = menuePunkt(info, QStringLiteral("Willkommen"), QKeySequence(QStringLiteral("Ctrl+Alt+W")),
        &Hauptfenster::willkommenZeigen);
    m_webseite = menuePunkt(info, QStringLiteral("Webseite"), QKeySequence(QStringLiteral("Ctrl+W")),
        &Hauptfenster::webseiteOeffnen);
    info->addSeparator();
    m_ueber = menuePunkt(
        info, QStringLiteral("Über...."), QKeySequence(QStringLiteral("Ctrl+U")), &Hauptfenster::infoZeigen);

    // Menu items are found by name (automation, tests) like every other control.
    const std::pair<QObject*, const char*> namen[] = { { m_einstellungen, "einstellungen" },
        { m_beenden, "beenden" }, { m_neuesRezept, "neuesRezept" }, { m_bearbeiten, "bearbeiten" },
        { m_loeschen, "loeschen" }, { m_drucken, "drucken" }, { m_alsTextdatei, "alsTextdatei" },
        { m_alsRtfDatei, "alsRtfDatei" }, { m_inZwischenablage, "inZwischenablage" },
        { m_alleAlsTextdatei, "alleAlsTextdatei" }, { m_rezKonvMenue, "rezKonvMenue" },
        { m_rezKonvImport, "rezKonvImport" }, { m_rezKonvExport, "rezKonvExport" },
        { m_paketImport, "paketImport" }, { m_paketExport, "paketExport" },
        { m_ausDemInternet, "ausDemInternet" }, { m_favorit, "favorit" },
        { m_zufallsrezept, "zufallsrezept" }, { m_datenbankAktualisieren, "datenbankAktualisieren" },
        { m_kategorienBearbeiten, "kategorienBearbeiten" }, { m_nachAlphabet, "nachAlphabet" },
        { m_nachDatum, "nachDatum" }, { m_symbolleisteSichtbar, "symbolleisteSichtbar" },
        { m_suchergebnisseSichtbar, "suchergebnisseSichtbar" },
        { m_zusatzinfoSichtbar, "zusatzinfoSichtbar" }, { m_kategorienSichtbar, "kategorienSichtbar" },
        { m_updates, "updates" }, { m_herunterladen, "herunterladen" }, { m_installieren, "installieren" },
        { m_hilfe, "hilfe" }, { m_willkommen, "willkommen" }, { m_webseite, "webseite" },
        { m_ueber, "ueber" } };
    for (const auto& [item, name] : namen)
        item->setObjectName(QLatin1String(name));

    m_listenmenue = new QMenu(this);
    m_listenmenue->setObjectName(QStringLiteral("listenmenue"));
    menuePunkt(m_listenmenue, QStringLiteral("Neu"), {}, &Hauptfenster::neuesRezept);
    menuePunkt(m_listenmenue, QStringLiteral("Bearbeiten"), {}, &Hauptfenster::rezeptBearbeiten);
    menuePunkt(m_listenmenue, QStringLiteral("Löschen"), {}, &Hauptfenster::rezeptLoeschen);
    menuePunkt(m_listenmenue, QStringLiteral("Drucken"), {}, &Hauptfenster::drucken);
    menuePunkt(
        m_listenmenue, QStringLiteral("Zu den Favoriten hinzufügen"), {}, &Hauptfenster::favoritUmschalten);
    QMenu* popSpeichern = m_listenmenue->addMenu(QStringLiteral("Speichern"));
    menuePunkt(popSpeichern, QStringLiteral("als RTF-Datei"), {}, &Hauptfenster::alsRtfDateiSpeichern);
    menuePunkt(popSpeichern, QStringLiteral("als Text-Datei"), {}, &Hauptfenster::alsTextdateiSpeichern);
    menuePunkt(popSpeichern, QStringLiteral("in die Zwischenablage"), {}, &Hauptfenster::inZwischenablage);
    baueMengenMenues(rezeptMenu, speichern);
    baueWochenplanMenues(rezeptMenu);
}

void Hauptfenster::baueSymbolleiste()
{
    const QString hints[5] = {
        QStringLiteral("Rezepteliste nach dem Alphabet ordnen"),
        QStringLiteral("Rezepteliste nach dem Datum ordnen"),
        QStringLiteral("Rezepte durchsuchen"),
        QStringLiteral("Rezept ausdrucken"),
        QStringLiteral("Rezept zu den Favoriten hinzufügen/löschen"),
    };
    // Each button is a picture (normal, under the pointer, pressed) with a clickable label over it.
    const char* bilder[5] = { "bildAlphabet", "bildDatum", "bildSuchen", "bildDrucken", "bildFavorit" };
    const char* knoepfe[5] = { "knopfAlphabet", "knopfDatum", "knopfSuchen", "knopfDrucken", "knopfFavorit" };
    const int lefts[5] = { 6, 48, 108, 150, 190 };
    for (int t = 0; t < 5; ++t) {
        bildNormal[size_t(t)] = toolbarPicture(t + 1, ToolbarState::Normal);
        bildUeber[size_t(t)] = toolbarPicture(t + 1, ToolbarState::Over);
        bildGedrueckt[size_t(t)] = toolbarPicture(t + 1, ToolbarState::Down);
        auto* img = new QLabel(m_symbolleiste);
        img->setObjectName(QLatin1String(bilder[t]));
        img->setGeometry(lefts[t], 6, 30, 30);
        img->setPixmap(bildNormal[size_t(t)]);
        m_symbolBilder[size_t(t)] = img;
        auto* hot = new HotLabel(m_symbolleiste);
        hot->setObjectName(QLatin1String(knoepfe[t]));
        hot->setGeometry(lefts[t], 6, 30, 30);
        hot->setToolTip(hints[t]);
        hot->setAccessibleName(hints[t]);
        hot->raise();
        m_symbolKnoepfe[size_t(t)] = hot;
        const int tag = t + 1;
        connect(hot, &HotLabel::entered, this, [this, tag] { symbolBetreten(tag); });
        connect(hot, &HotLabel::left, this, [this, tag] { symbolVerlassen(tag); });
        connect(hot, &HotLabel::pressed, this, [this, tag] { symbolGedrueckt(tag); });
        connect(hot, &HotLabel::released, this, [this, tag] { symbolLosgelassen(tag); });
    }
    m_symbolBilder[2]->setToolTip(QStringLiteral("die Rezepte durchsuchen"));
    auto on = [this](int i, void (Hauptfenster::*h)()) {
        connect(m_symbolKnoepfe[size_t(i)], &HotLabel::clicked, this,
            [this, h] { guarded(this, [&] { (this->*h)(); }); });
    };
    on(0, &Hauptfenster::nachAlphabetOrdnen);
    on(1, &Hauptfenster::nachDatumOrdnen);
    on(2, &Hauptfenster::suchfensterZeigen);
    on(3, &Hauptfenster::drucken);
    on(4, &Hauptfenster::favoritUmschalten);

    m_schnellsuche = new QLineEdit(QStringLiteral("Suchbegriff"), m_symbolleiste);
    m_schnellsuche->setObjectName(QStringLiteral("schnellsuche"));
    m_schnellsuche->setToolTip(QStringLiteral("Suchbegriff"));
    m_schnellsuche->setAccessibleName(QStringLiteral("Suchbegriff"));
    m_schnellsuche->setGeometry(240, 11, 140, 21);
    connect(m_schnellsuche, &QLineEdit::returnPressed, this,
        [this] { guarded(this, [&] { schnellsucheEnter(); }); });
    menuKeysFirst(m_schnellsuche, this);
    m_schnellsucheLink = new HotLabel(QStringLiteral("<u>Suchen (im Titel)</u>"), m_symbolleiste);
    m_schnellsucheLink->setObjectName(QStringLiteral("schnellsucheLink"));
    m_schnellsucheLink->setToolTip(QStringLiteral("Schnellsuche in den Rezepttiteln"));
    m_schnellsucheLink->setAccessibleName(QStringLiteral("Suchen (im Titel)"));
    m_schnellsucheLink->setGeometry(386, 13, 110, 17);
    QPalette lp = m_schnellsucheLink->palette();
    lp.setColor(QPalette::WindowText, QColor(0, 0, 160));
    m_schnellsucheLink->setPalette(lp);
    connect(m_schnellsucheLink, &HotLabel::clicked, this, [this] { guarded(this, [&] { schnellsuche(); }); });
    m_rezeptzahl = label(QStringLiteral("Rezepte in der Datenbank: 0"), "rezeptzahl", m_symbolleiste);
    m_rezeptzahl->setGeometry(510, 13, 230, 17);
}

void Hauptfenster::baueBereiche()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("inhalt"));
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    m_symbolleiste = panel("symbolleiste", central);
    m_symbolleiste->setFixedHeight(43);
    outer->addWidget(m_symbolleiste);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    outer->addLayout(body, 1);

    m_spalten = new QSplitter(Qt::Horizontal, central);
    m_spalten->setObjectName(QStringLiteral("spalten"));
    m_spalten->setHandleWidth(5);
    m_spalten->setChildrenCollapsible(false);
    body->addWidget(m_spalten, 1);

    // Left pane.
    m_linkeSpalte = panel("linkeSpalte", m_spalten);
    m_linkeSpalte->setMinimumWidth(50);
    auto* left = new QVBoxLayout(m_linkeSpalte);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    m_ergebnisTeiler = new QSplitter(Qt::Vertical, m_linkeSpalte);
    m_ergebnisTeiler->setObjectName(QStringLiteral("ergebnisTeiler"));
    m_ergebnisTeiler->setHandleWidth(5);
    m_ergebnisTeiler->setChildrenCollapsible(false);
    m_suchergebnisse = new RecipeList(m_ergebnisTeiler);
    m_suchergebnisse->setObjectName(QStringLiteral("suchergebnisse"));
    m_suchergebnisse->setAccessibleName(QStringLiteral("Suchergebnisse"));
    m_suchergebnisse->setSortedAlphabetically(false);
    m_suchergebnisse->allowDragOut(true); // onto the week plan
    auto* lower = new QWidget(m_ergebnisTeiler);
    auto* lowerLay = new QVBoxLayout(lower);
    lowerLay->setContentsMargins(0, 0, 0, 0);
    lowerLay->setSpacing(0);
    m_kategorien = new TabControl(lower);
    m_kategorien->setObjectName(QStringLiteral("kategorien"));
    m_kategorien->setAccessibleName(QStringLiteral("Kategorien"));
    lowerLay->addWidget(m_kategorien);
    // Whenever the left pane changes its width the tabs rewrap; the control stays exactly as high as its
    // rows.
    m_kategorien->setFitHeightToRows(true);
    m_rezeptliste = new RecipeList(lower);
    m_rezeptliste->setObjectName(QStringLiteral("rezeptliste"));
    m_rezeptliste->setAccessibleName(QStringLiteral("Rezepte"));
    m_rezeptliste->setContextMenuPolicy(Qt::CustomContextMenu);
    m_rezeptliste->allowDragOut(true);
    m_rezeptliste->model()->setRankProvider([this] { return alphabeticalRank(); });
    lowerLay->addWidget(m_rezeptliste, 1);
    m_ergebnisTeiler->addWidget(m_suchergebnisse);
    m_ergebnisTeiler->addWidget(lower);
    m_ergebnisTeiler->setStretchFactor(0, 0);
    m_ergebnisTeiler->setStretchFactor(1, 1);
    left->addWidget(m_ergebnisTeiler, 1);
    m_titelvorschau = label(QStringLiteral("Titel"), "titelvorschau", m_linkeSpalte);
    m_titelvorschau->setFixedHeight(40);
    m_titelvorschau->setWordWrap(true);
    m_titelvorschau->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_titelvorschau->setContentsMargins(3, 2, 3, 2);
    left->addWidget(m_titelvorschau);

    // Centre.
    m_mittelspalte = panel("mittelspalte", m_spalten);
    auto* centreLay = new QVBoxLayout(m_mittelspalte);
    centreLay->setContentsMargins(0, 0, 0, 0);
    m_rezeptbereich = panel("rezeptbereich", m_mittelspalte);
    centreLay->addWidget(m_rezeptbereich);
    auto* c = new QVBoxLayout(m_rezeptbereich);
    c->setContentsMargins(0, 0, 0, 0);
    c->setSpacing(2);
    m_titel = label(QStringLiteral("Rezeptname"), "titel", m_rezeptbereich);
    QFont bold = m_titel->font();
    bold.setBold(true);
    m_titel->setFont(bold);
    m_titel->setMinimumHeight(16);
    // A long title is cut at the panel's edge; it never widens the panel or the window.
    m_titel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_titel->setContentsMargins(3, 0, 3, 0);
    c->addWidget(m_titel);
    m_zubereitung = new QPlainTextEdit(m_rezeptbereich);
    m_zubereitung->setObjectName(QStringLiteral("zubereitung"));
    m_zubereitung->setAccessibleName(QStringLiteral("Zubereitung"));
    m_zubereitung->setReadOnly(true);
    m_zubereitung->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_zubereitung->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    c->addWidget(m_zubereitung, 1);

    // Ingredient column.
    m_rechteSpalte = panel("rechteSpalte", m_spalten);
    m_rechteSpalte->setMinimumWidth(100);
    auto* r = new QVBoxLayout(m_rechteSpalte);
    r->setContentsMargins(0, 0, 0, 0);
    r->setSpacing(0);
    m_zutatenKopf = label(QStringLiteral(" Zutaten"), "zutatenKopf", m_rechteSpalte);
    m_zutatenKopf->setAutoFillBackground(true);
    m_zutatenKopf->setFont(bold);
    m_zutatenKopf->setFixedHeight(18);
    r->addWidget(m_zutatenKopf);
    m_zutaten = new QListWidget(m_rechteSpalte);
    m_zutaten->setObjectName(QStringLiteral("zutaten"));
    m_zutaten->setAccessibleName(QStringLiteral("Zutaten"));
    r->addWidget(m_zutaten, 1);
    m_zusatzinfo = panel("zusatzinfo", m_rechteSpalte);
    m_zusatzinfo->setFixedHeight(135);
    r->addWidget(m_zusatzinfo);
    m_datumBeschriftung = label(QStringLiteral("Datum: "), "datumBeschriftung", m_zusatzinfo);
    m_autorBeschriftung = label(QStringLiteral("Autor:"), "autorBeschriftung", m_zusatzinfo);
    m_mengeBeschriftung = label(QStringLiteral("Menge:"), "mengeBeschriftung", m_zusatzinfo);
    m_kategorieBeschriftung = label(QStringLiteral("Kategorie:"), "kategorieBeschriftung", m_zusatzinfo);
    for (QLabel* cap :
        { m_datumBeschriftung, m_autorBeschriftung, m_mengeBeschriftung, m_kategorieBeschriftung })
        cap->setFont(bold);
    m_datum = label(QString(), "datum", m_zusatzinfo);
    m_autor = label(QString(), "autor", m_zusatzinfo);
    m_menge = label(QString(), "menge", m_zusatzinfo);
    m_rezeptKategorien = label(QString(), "rezeptKategorien", m_zusatzinfo);
    m_rezeptKategorien->setWordWrap(true);
    m_rezeptKategorien->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_bildSymbol = new HotLabel(m_zusatzinfo);
    m_bildSymbol->setObjectName(QStringLiteral("bildSymbol"));
    m_bildSymbol->setPixmap(pictureIcon());
    m_bildSymbol->setToolTip(QStringLiteral("Das Bild für dieses Rezept betrachten"));
    m_bildSymbol->setVisible(false);
    connect(m_bildSymbol, &HotLabel::clicked, this, [this] { guarded(this, [&] { bildZeigen(); }); });
    m_kommentarSymbol = new HotLabel(m_zusatzinfo);
    m_kommentarSymbol->setObjectName(QStringLiteral("kommentarSymbol"));
    m_kommentarSymbol->setPixmap(commentIcon());
    m_kommentarSymbol->setToolTip(
        QStringLiteral("Einen Kommentar zu diesem Rezept verfassen oder betrachten"));
    connect(
        m_kommentarSymbol, &HotLabel::clicked, this, [this] { guarded(this, [&] { kommentarZeigen(); }); });
    zusatzinfoAnordnen();
    m_zusatzinfo->installEventFilter(this);

    m_spalten->addWidget(m_linkeSpalte);
    m_spalten->addWidget(m_mittelspalte);
    m_spalten->addWidget(m_rechteSpalte);
    m_spalten->setStretchFactor(0, 0);
    m_spalten->setStretchFactor(1, 1);
    m_spalten->setStretchFactor(2, 0);
    connect(m_spalten, &QSplitter::splitterMoved, this, [this] { kategorienhoeheAnpassen(); });

    m_exportleiste = panel("exportleiste", central);
    m_exportleiste->setFixedWidth(150);
    m_exportleiste->setVisible(false);
    body->addWidget(m_exportleiste);

    m_arbeitsfeld = new QTextEdit(central);
    m_arbeitsfeld->setObjectName(QStringLiteral("arbeitsfeld"));
    m_arbeitsfeld->setLineWrapMode(QTextEdit::NoWrap);
    m_arbeitsfeld->setVisible(false);

    setCentralWidget(central);
    // The window takes the size stored or dragged; the panes make do with it rather than enlarge it.
    central->setMinimumSize(1, 1);

    auto* sb = new QStatusBar(this);
    sb->setObjectName(QStringLiteral("statusleiste"));
    sb->setSizeGripEnabled(true);
    m_statusRezepte = label(QStringLiteral("Rezepte: "), "statusRezepte", sb);
    m_statusRezepte->setFixedWidth(250);
    m_statusKategorien = label(QStringLiteral("Kategorien: "), "statusKategorien", sb);
    m_statusKategorien->setMinimumWidth(50);
    sb->addWidget(m_statusRezepte);
    sb->addWidget(m_statusKategorien);
    // Conflict copies of synchronisation tools are named here; empty otherwise.
    m_statusKonflikt = label(QString(), "statusKonflikt", sb);
    sb->addWidget(m_statusKonflikt, 1);
    setStatusBar(sb);

    // Lists.
    connect(m_rezeptliste, &RecipeList::currentNumberChanged, this,
        [this](int n) { guarded(this, [&] { rezeptGewaehlt(n); }); });
    connect(m_suchergebnisse, &RecipeList::currentNumberChanged, this,
        [this](int n) { guarded(this, [&] { trefferGewaehlt(n); }); });
    connect(m_rezeptliste, &RecipeList::pressedAt, this,
        [this](int row, Qt::MouseButton b) { listeGedrueckt(row, b); });
    connect(m_rezeptliste, &RecipeList::doubleClickedAt, this,
        [this](int row) { guarded(this, [&] { listeDoppelklick(row); }); });
    connect(m_rezeptliste, &RecipeList::hoveredText, m_titelvorschau, &QLabel::setText);
    connect(m_suchergebnisse, &RecipeList::hoveredText, m_titelvorschau, &QLabel::setText);
    connect(m_rezeptliste, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& p) { m_listenmenue->popup(m_rezeptliste->viewport()->mapToGlobal(p)); });
    connect(m_kategorien, &TabControl::currentChanged, this,
        [this] { guarded(this, [&] { kategorieGewaehlt(); }); });
}

void Hauptfenster::zusatzinfoAnordnen()
{
    // Value labels sit five pixels after their captions.
    // The rows grow with the font size chosen in the settings.
    const int step = std::max(16, m_datumBeschriftung->sizeHint().height() + 1);
    const int rows[4] = { 6, 6 + step, 6 + 2 * step, 6 + 3 * step };
    QLabel* caps[4]
        = { m_datumBeschriftung, m_autorBeschriftung, m_mengeBeschriftung, m_kategorieBeschriftung };
    QLabel* vals[4] = { m_datum, m_autor, m_menge, m_rezeptKategorien };
    for (int i = 0; i < 4; ++i) {
        caps[i]->adjustSize();
        caps[i]->move(5, rows[i]);
        const int x = caps[i]->x() + caps[i]->width() + 5;
        vals[i]->setGeometry(
            x, rows[i], std::max(40, m_zusatzinfo->width() - x - 4), i == 3 ? 45 : caps[i]->height());
    }
    m_bildSymbol->setGeometry(8, 104, 24, 24);
    m_kommentarSymbol->setGeometry(40, 104, 24, 24);
}

bool Hauptfenster::eventFilter(QObject* o, QEvent* e)
{
    if (o == m_zusatzinfo && e->type() == QEvent::Resize)
        zusatzinfoAnordnen();

    return QMainWindow::eventFilter(o, e);
}

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

struct Hauptfenster::RangImVoraus {
    quint64 generation = 0;
    std::future<std::vector<int>> rang; // its destructor waits for the work to end
    bool abgeholt = false;
    // Rankings of earlier loads still at work. Nobody waits for them: a reload right after a reload
    // does not stand still until the titles of the one before are sorted.
    std::vector<std::shared_ptr<RangImVoraus>> frueher;

    bool fertig() const
    {
        return abgeholt || !rang.valid()
            || rang.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }
};

void Hauptfenster::rangVorbereiten()
{
    // Ranking half a million titles takes a second; the first alphabetical list after a load would
    // make the user wait for it. The second core does it meanwhile, on copies of the titles (they share
    // their text with the table and are only read). Small collections rank in a blink when first asked.
    constexpr size_t kAbHier = 20000;
    if (st.sammlung.rezepte().size() < kAbHier || m_rankGeneration == st.sammlung.stand()
        || (m_rankVoraus && m_rankVoraus->generation == st.sammlung.stand()))
        return;
    std::vector<QString> titel(st.sammlung.rezepte().size());
    std::vector<char> lebt(st.sammlung.rezepte().size(), 0);
    for (size_t n = 0; n < st.sammlung.rezepte().size(); ++n)
        if (!st.sammlung.rezepte()[n].geloescht) {
            titel[n] = st.sammlung.rezepte()[n].titel;
            lebt[n] = 1;
        }
    auto v = std::make_shared<RangImVoraus>();
    v->generation = st.sammlung.stand();
    if (m_rankVoraus) {
        for (const auto& f : m_rankVoraus->frueher)
            if (!f->fertig())
                v->frueher.push_back(f);
        if (!m_rankVoraus->fertig())
            v->frueher.push_back(m_rankVoraus);
    }
    v->rang = std::async(std::launch::async, [titel = std::move(titel), lebt = std::move(lebt)]() mutable {
        std::vector<const QString*> zeiger(titel.size(), nullptr);
        for (size_t n = 0; n < titel.size(); ++n)
            if (lebt[n])
                zeiger[n] = &titel[n];
        std::vector<int> rang = tk::alphabeticalRank(zeiger);
        // The copies would keep the titles of this load alive as long as the result is kept.
        std::vector<QString>().swap(titel);
        return rang;
    });
    m_rankVoraus = std::move(v);
}

const std::vector<int>* Hauptfenster::alphabeticalRank()
{
    if (m_rankGeneration == st.sammlung.stand())
        return &m_rank;
    if (m_rankVoraus && m_rankVoraus->generation == st.sammlung.stand() && !m_rankVoraus->abgeholt) {
        m_rank = m_rankVoraus->rang.get();
        m_rankVoraus->abgeholt = true;
    } else {
        std::vector<const QString*> titles(st.sammlung.rezepte().size(), nullptr);
        for (size_t n = 0; n < st.sammlung.rezepte().size(); ++n)
            if (!st.sammlung.rezepte()[n].geloescht)
                titles[n] = &st.sammlung.rezepte()[n].titel;
        m_rank = tk::alphabeticalRank(titles);
    }
    m_rankGeneration = st.sammlung.stand();
    m_alphabetisch.clear();
    for (size_t n = 0; n < m_rank.size(); ++n)
        if (m_rank[n] != std::numeric_limits<int>::max()) {
            if (m_alphabetisch.size() <= size_t(m_rank[n]))
                m_alphabetisch.resize(size_t(m_rank[n]) + 1, -1);
            m_alphabetisch[size_t(m_rank[n])] = int(n);
        }
    return &m_rank;
}

void Hauptfenster::kategorieGewaehlt()
{
    const int pos = m_kategorien->currentIndex();
    if (pos < 0 || pos >= st.kategorien.tabKategorie.size())
        return;
    st.aktuelleKategorie = st.kategorien.tabKategorie.at(pos);
    st.listeWirdGefuellt = true;
    const bool sortiert = m_rezeptliste->sortedAlphabetically();
    if (sortiert && alphabeticalRank()->size() == st.sammlung.rezepte().size()) {
        // The recipes of the tab picked from all live ones in alphabetical order: one pass, no sort,
        // also for the half a million of "Alle".
        std::vector<RecipeListModel::Entry> entries;
        const int kat = st.aktuelleKategorie;
        for (int n : m_alphabetisch)
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
        if (forms.meldungsfenster)
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
    rangVorbereiten(); // titles changed: a large collection ranks them again meanwhile
}

void Hauptfenster::zeigeRezeptanzahl(int anzahl)
{
    m_rezeptzahl->setText(QStringLiteral("Rezepte in der Datenbank: %1").arg(anzahl));
    m_rezeptzahl->adjustSize(); // the count may be wider than the text it replaces
    m_statusRezepte->setText(QStringLiteral("Rezepte: %1").arg(anzahl));
}

void Hauptfenster::datenbankAktualisieren()
{
    if (forms.aktualisierungsfenster) {
        centreOn(forms.aktualisierungsfenster, this);
        forms.aktualisierungsfenster->show();
    }
}

} // namespace tk
