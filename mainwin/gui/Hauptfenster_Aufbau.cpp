// Building the main window: menus, toolbar, panes and status bar, and where the info labels sit.
#include "mainwin/gui/Hauptfenster.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTextEdit>
#include <QVBoxLayout>

#include "mainwin/gui/Artwork.h"
#include "mainwin/gui/MenuKeys.h"
#include "platform/gui/HotLabel.h"
#include "platform/gui/Modal.h"
#include "platform/gui/RecipeList.h"
#include "platform/gui/TabControl.h"

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
    m_rezeptliste->model()->setRankProvider([this] { return alphabetischerRang(); });
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

} // namespace tk
