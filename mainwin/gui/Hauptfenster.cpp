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
    buildMenus();
    buildPanes();
    buildToolbar();
    buildPanel7();
    setAcceptDrops(true);
    // Disabled until the first load has filled the lists.
    setEnabled(false);
    resize(750, 500);
    setHauptfenster(this);
    sammlungAbonnieren();
    FormCreate();
}

void Hauptfenster::sammlungAbonnieren()
{
    // The main window learns of every change to the collection and brings its own lists up to date.
    Sammlung* s = &st.sammlung;
    auto neuLaden = [this] {
        if (forms.ladefenster)
            forms.ladefenster->UpdateRezepte();
    };
    connect(s, &Sammlung::rezeptGespeichert, this, [this, neuLaden](int n) {
        neuLaden();
        ZeigeRezept(n);
    });
    connect(s, &Sammlung::rezeptGeloescht, this, [this, neuLaden](int) {
        neuLaden();
        ansichtLeeren();
    });
    connect(s, &Sammlung::kommentarGespeichert, this, [this](int n) {
        if (n != st.AngezeigtesRezept)
            return;
        try {
            RezeptKommentar = kommentarAus(loadLines(recipePath(st.programDir, n)));
        } catch (const std::exception&) {
        }
    });
    connect(s, &Sammlung::bildGeloescht, this, [this](int n) {
        // The picture icon of the view must not offer a picture that is gone.
        if (n == st.AngezeigtesRezept)
            Image6->setVisible(false);
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
        StatusPanel2->setText(QStringLiteral("Konfliktkopie gefunden: ") + name);
    });
}

void Hauptfenster::vonAussenGeaendert(int dateien)
{
    // Another copy or computer wrote: catch up quietly, keeping the tab, the list position and the
    // recipe on show. Not while the list is being filled or a modal window waits.
    if (st.ListeWirdGefuellt || !isEnabled() || QApplication::activeModalWidget()) {
        QTimer::singleShot(500, this, [this, dateien] { vonAussenGeaendert(dateien); });
        return;
    }
    if ((dateien & Sammlung::Einstellungen) && forms.einstellungsfenster)
        forms.einstellungsfenster->einstellungenLaden();
    if (dateien & Sammlung::Kategorien)
        kategorienNeu(-1);
    if (!(dateien & (Sammlung::Index | Sammlung::Favoriten | Sammlung::Kategorien)) || !forms.ladefenster)
        return;
    const int zeile = treeview1->currentRow();
    const int nummer = zeile >= 0 ? treeview1->numberAt(zeile) : -1;
    const int scroll = treeview1->verticalScrollBar()->value();
    forms.ladefenster->UpdateRezepte(true);
    treeview1->blockSignals(true);
    for (int r = 0; nummer >= 0 && r < treeview1->count(); ++r)
        if (treeview1->numberAt(r) == nummer) {
            treeview1->selectRow(r);
            break;
        }
    treeview1->blockSignals(false);
    treeview1->verticalScrollBar()->setValue(scroll);
    const int n = st.AngezeigtesRezept;
    if (n >= 0 && (size_t(n) >= st.Rezepte.size() || st.Rezepte[size_t(n)].Geloescht))
        ansichtLeeren(); // deleted elsewhere
}

void Hauptfenster::kategorienNeu(int geloeschteNr)
{
    int tab = kategorien->currentIndex();
    // The tab of a deleted category goes; the list then shows "Alle".
    if (geloeschteNr >= 0 && geloeschteNr < st.kat.KategorieTab.size()
        && st.kat.KategorieTab.at(geloeschteNr) == tab)
        tab = 0;
    SetKats(); // leaves tab 0 selected without telling anyone
    tab = std::clamp(tab, 0, st.kat.LetzterTab);
    if (tab != 0)
        kategorien->setCurrentIndex(tab);
    else if (st.AktKategorie != st.kat.TabKategorie.at(0))
        kategorienChange(); // the list showed a tab that is gone: show "Alle"
}

Hauptfenster::~Hauptfenster() = default;

QAction* Hauptfenster::addItem(
    QMenu* menu, const QString& text, const QKeySequence& key, void (Hauptfenster::*handler)())
{
    QAction* a = menu->addAction(text);
    if (!key.isEmpty())
        a->setShortcut(key);
    connect(a, &QAction::triggered, this, [this, handler] { guarded(this, [&] { (this->*handler)(); }); });
    return a;
}

void Hauptfenster::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* programm = bar->addMenu(QStringLiteral("Programm"));
    Einstellungen1 = addItem(programm, QStringLiteral("Einstellungen"),
        QKeySequence(QStringLiteral("Ctrl+O")), &Hauptfenster::Image5Click);
    programm->addSeparator();
    Beenden1 = addItem(programm, QStringLiteral("Beenden"), QKeySequence(QStringLiteral("Ctrl+B")),
        &Hauptfenster::Beenden1Click);

    QMenu* rezeptMenu = bar->addMenu(QStringLiteral("Rezept"));
    Neueserstellen1 = addItem(rezeptMenu, QStringLiteral("Neues erstellen"),
        QKeySequence(QStringLiteral("Ctrl+N")), &Hauptfenster::Neueserstellen1Click);
    Bearbeiten1 = addItem(rezeptMenu, QStringLiteral("Bearbeiten"), QKeySequence(QStringLiteral("Ctrl+E")),
        &Hauptfenster::Bearbeiten1Click);
    Lschen1 = addItem(rezeptMenu, QStringLiteral("Löschen"), QKeySequence(QStringLiteral("Ctrl+L")),
        &Hauptfenster::Lschen1Click);
    rezeptMenu->addSeparator();
    Drucken1 = addItem(rezeptMenu, QStringLiteral("Drucken"), QKeySequence(QStringLiteral("Ctrl+P")),
        &Hauptfenster::Image4Click);
    QMenu* speichern = rezeptMenu->addMenu(QStringLiteral("Speichern"));
    alsTextdatei1
        = addItem(speichern, QStringLiteral("als Textdatei"), {}, &Hauptfenster::alsTextdatei1Click);
    AlsRTFDatei1 = addItem(speichern, QStringLiteral("Als RTF-Datei"), {}, &Hauptfenster::AlsRTFDatei1Click);
    indieZwischenablage1 = addItem(
        speichern, QStringLiteral("in die Zwischenablage"), {}, &Hauptfenster::indieZwischenablage1Click);
    speichern->addSeparator();
    Sicherung1 = addItem(
        speichern, QStringLiteral("Alle speichern als Textdatei"), {}, &Hauptfenster::Sicherung1Click);
    QMenu* impexp = rezeptMenu->addMenu(QStringLiteral("Import/Export"));
    RezKonvFormat1 = impexp->addMenu(QStringLiteral("RezKonv-Format"));
    Rezeptimportieren2 = addItem(
        RezKonvFormat1, QStringLiteral("Rezept importieren"), {}, &Hauptfenster::Rezeptimportieren2Click);
    Rezeptexportieren2 = addItem(
        RezKonvFormat1, QStringLiteral("Rezept exportieren"), {}, &Hauptfenster::Rezeptexportieren2Click);
    RezKonvFormat1->menuAction()->setEnabled(true);
    Rezeptimportieren2->setEnabled(true);
    QMenu* tkp = impexp->addMenu(QStringLiteral("TKP-Format"));
    Rezeptimportieren1
        = addItem(tkp, QStringLiteral("Rezept importieren"), {}, &Hauptfenster::Installieren2Click);
    Rezeptexportieren1
        = addItem(tkp, QStringLiteral("Rezept exportieren"), {}, &Hauptfenster::Rezeptexportieren1Click);
    impexp->addSeparator();
    AusdemInternet1 = addItem(impexp, QStringLiteral("Aus dem Internet importieren..."),
        QKeySequence(QStringLiteral("Ctrl+Shift+I")), &Hauptfenster::AusdemInternet1Click);
    rezeptMenu->addSeparator();
    ZudenFavoriten1 = addItem(rezeptMenu, QStringLiteral("Zu den Favoriten hinzufügen"),
        QKeySequence(QStringLiteral("Ctrl+F")), &Hauptfenster::ZudenFavoriten1Click);
    Zufallsrezept1 = addItem(rezeptMenu, QStringLiteral("Zufallsrezept"),
        QKeySequence(QStringLiteral("Ctrl+R")), &Hauptfenster::Zufallsrezept1Click);
    Datenbankaktualisieren1 = addItem(rezeptMenu, QStringLiteral("Datenbank aktualisieren"), {},
        &Hauptfenster::Datenbankaktualisieren1Click);
    Datenbankaktualisieren1->setVisible(false);

    QMenu* kat = bar->addMenu(QStringLiteral("Kategorien"));
    Bearbeiten3 = addItem(kat, QStringLiteral("Bearbeiten"), QKeySequence(QStringLiteral("Ctrl+K")),
        &Hauptfenster::Bearbeiten3Click);

    QMenu* sort = bar->addMenu(QStringLiteral("Sortieren"));
    nachdemAlphabet1 = addItem(sort, QStringLiteral("nach dem Alphabet"),
        QKeySequence(QStringLiteral("Ctrl+A")), &Hauptfenster::Image1Click);
    // Ctrl+D: the key this item shared with "Beenden" could never reach it.
    nachdemDatum1 = addItem(sort, QStringLiteral("nach dem Datum"), QKeySequence(QStringLiteral("Ctrl+D")),
        &Hauptfenster::Image2Click);

    QMenu* suchen = bar->addMenu(QStringLiteral("Suchen"));
    const QString suchTexte[4] = { QStringLiteral("im Rezept&titel"), QStringLiteral("im Rezeptte&xt"),
        QStringLiteral("in den &Zutaten"), QStringLiteral("nach &Autor") };
    const char* suchKeys[4] = { "Ctrl+Alt+T", "Ctrl+Alt+V", "Ctrl+Alt+Z", "Ctrl+Alt+A" };
    for (int i = 0; i < 4; ++i) {
        QAction* a = suchen->addAction(suchTexte[i]);
        a->setShortcut(QKeySequence(QLatin1String(suchKeys[i])));
        a->setData(i + 1); // the item's Tag
        connect(a, &QAction::triggered, this,
            [this, i] { guarded(this, [&] { indenWochenthemen1Click(i + 1); }); });
        a->setObjectName(QStringLiteral("Suchen%1").arg(i + 1));
        Suchen[size_t(i)] = a;
    }

    QMenu* ansicht = bar->addMenu(QStringLiteral("Ansicht"));
    Symbolleiste1 = addItem(
        ansicht, QStringLiteral("Symbolleiste"), QKeySequence(Qt::Key_F9), &Hauptfenster::Symbolleiste1Click);
    Suchergebnisse2 = addItem(ansicht, QStringLiteral("Suchergebnisse"), QKeySequence(Qt::Key_F10),
        &Hauptfenster::Suchergebnisse2Click);
    Zusatzinformationen1 = addItem(ansicht, QStringLiteral("Zusatzinformationen"), QKeySequence(Qt::Key_F11),
        &Hauptfenster::Zusatzinformationen1Click);
    Kategorien1 = addItem(
        ansicht, QStringLiteral("Kategorien"), QKeySequence(Qt::Key_F12), &Hauptfenster::Kategorien1Click);
    for (QAction* a : { Symbolleiste1, Suchergebnisse2, Zusatzinformationen1, Kategorien1 }) {
        a->setCheckable(true);
        a->setChecked(true);
    }

    Updates1 = bar->addMenu(QStringLiteral("Updates"));
    Herunterladen1 = addItem(Updates1, QStringLiteral("Herunterladen"),
        QKeySequence(QStringLiteral("Ctrl+H")), &Hauptfenster::Installieren1Click);
    Installieren1 = addItem(Updates1, QStringLiteral("Installieren"), QKeySequence(QStringLiteral("Ctrl+I")),
        &Hauptfenster::Installieren2Click);
    Updates1->menuAction()->setVisible(false);
    // The menu is hidden but its shortcuts still work.
    addAction(Herunterladen1);
    addAction(Installieren1);

    QMenu* info = bar->addMenu(QStringLiteral("Info"));
    Hilfe1
        = addItem(info, QStringLiteral("Hilfe"), QKeySequence(Qt::Key_F1), &Hauptfenster::Willkommen1Click);
    Willkommen1 = addItem(info, QStringLiteral("Willkommen"), QKeySequence(QStringLiteral("Ctrl+Alt+W")),
        &Hauptfenster::Hilfe1Click);
    Webseite1 = addItem(info, QStringLiteral("Webseite"), QKeySequence(QStringLiteral("Ctrl+W")),
        &Hauptfenster::Webseite1Click);
    info->addSeparator();
    ber1 = addItem(
        info, QStringLiteral("Über...."), QKeySequence(QStringLiteral("Ctrl+U")), &Hauptfenster::ber1Click);

    // Menu items are found by name (automation, tests) like every other control.
    const std::pair<QObject*, const char*> namen[] = { { Einstellungen1, "Einstellungen1" },
        { Beenden1, "Beenden1" }, { Neueserstellen1, "Neueserstellen1" }, { Bearbeiten1, "Bearbeiten1" },
        { Lschen1, "Lschen1" }, { Drucken1, "Drucken1" }, { alsTextdatei1, "alsTextdatei1" },
        { AlsRTFDatei1, "AlsRTFDatei1" }, { indieZwischenablage1, "indieZwischenablage1" },
        { Sicherung1, "Sicherung1" }, { RezKonvFormat1, "RezKonvFormat1" },
        { Rezeptimportieren2, "Rezeptimportieren2" }, { Rezeptexportieren2, "Rezeptexportieren2" },
        { Rezeptimportieren1, "Rezeptimportieren1" }, { Rezeptexportieren1, "Rezeptexportieren1" },
        { AusdemInternet1, "AusdemInternet1" }, { ZudenFavoriten1, "ZudenFavoriten1" },
        { Zufallsrezept1, "Zufallsrezept1" }, { Datenbankaktualisieren1, "Datenbankaktualisieren1" },
        { Bearbeiten3, "Bearbeiten3" }, { nachdemAlphabet1, "nachdemAlphabet1" },
        { nachdemDatum1, "nachdemDatum1" }, { Symbolleiste1, "Symbolleiste1" },
        { Suchergebnisse2, "Suchergebnisse2" }, { Zusatzinformationen1, "Zusatzinformationen1" },
        { Kategorien1, "Kategorien1" }, { Updates1, "Updates1" }, { Herunterladen1, "Herunterladen1" },
        { Installieren1, "Installieren1" }, { Hilfe1, "Hilfe1" }, { Willkommen1, "Willkommen1" },
        { Webseite1, "Webseite1" }, { ber1, "ber1" } };
    for (const auto& [item, name] : namen)
        item->setObjectName(QLatin1String(name));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    addItem(PopupMenu1, QStringLiteral("Neu"), {}, &Hauptfenster::Neueserstellen1Click);
    addItem(PopupMenu1, QStringLiteral("Bearbeiten"), {}, &Hauptfenster::Bearbeiten1Click);
    addItem(PopupMenu1, QStringLiteral("Löschen"), {}, &Hauptfenster::Lschen1Click);
    addItem(PopupMenu1, QStringLiteral("Drucken"), {}, &Hauptfenster::Image4Click);
    addItem(
        PopupMenu1, QStringLiteral("Zu den Favoriten hinzufügen"), {}, &Hauptfenster::ZudenFavoriten1Click);
    QMenu* popSpeichern = PopupMenu1->addMenu(QStringLiteral("Speichern"));
    addItem(popSpeichern, QStringLiteral("als RTF-Datei"), {}, &Hauptfenster::AlsRTFDatei1Click);
    addItem(popSpeichern, QStringLiteral("als Text-Datei"), {}, &Hauptfenster::alsTextdatei1Click);
    addItem(
        popSpeichern, QStringLiteral("in die Zwischenablage"), {}, &Hauptfenster::indieZwischenablage1Click);
    buildMengeMenus(rezeptMenu, speichern);
}

void Hauptfenster::buildToolbar()
{
    const QString hints[5] = {
        QStringLiteral("Rezepteliste nach dem Alphabet ordnen"),
        QStringLiteral("Rezepteliste nach dem Datum ordnen"),
        QStringLiteral("Rezepte durchsuchen"),
        QStringLiteral("Rezept ausdrucken"),
        QStringLiteral("Rezept zu den Favoriten hinzufügen/löschen"),
    };
    const int lefts[5] = { 6, 48, 108, 150, 190 };
    for (int t = 0; t < 5; ++t) {
        img_normal[size_t(t)] = toolbarPicture(t + 1, ToolbarState::Normal);
        img_over[size_t(t)] = toolbarPicture(t + 1, ToolbarState::Over);
        img_down[size_t(t)] = toolbarPicture(t + 1, ToolbarState::Down);
        auto* img = new QLabel(Panel1);
        img->setObjectName(QStringLiteral("Image%1").arg(t + 1));
        img->setGeometry(lefts[t], 6, 30, 30);
        img->setPixmap(img_normal[size_t(t)]);
        Image[size_t(t)] = img;
        auto* hot = new HotLabel(Panel1);
        hot->setObjectName(QStringLiteral("Label%1").arg(13 + t));
        hot->setGeometry(lefts[t], 6, 30, 30);
        hot->setToolTip(hints[t]);
        hot->setAccessibleName(hints[t]);
        hot->raise();
        HotLabels[size_t(t)] = hot;
        const int tag = t + 1;
        connect(hot, &HotLabel::entered, this, [this, tag] { Buttons_enter(tag); });
        connect(hot, &HotLabel::left, this, [this, tag] { Buttons_leave(tag); });
        connect(hot, &HotLabel::pressed, this, [this, tag] { Buttons_down(tag); });
        connect(hot, &HotLabel::released, this, [this, tag] { Buttons_up(tag); });
    }
    Image[2]->setToolTip(QStringLiteral("die Rezepte durchsuchen"));
    auto on = [this](int i, void (Hauptfenster::*h)()) {
        connect(HotLabels[size_t(i)], &HotLabel::clicked, this,
            [this, h] { guarded(this, [&] { (this->*h)(); }); });
    };
    on(0, &Hauptfenster::Image1Click);
    on(1, &Hauptfenster::Image2Click);
    on(2, &Hauptfenster::Image3Click);
    on(3, &Hauptfenster::Image4Click);
    on(4, &Hauptfenster::ZudenFavoriten1Click);

    Edit1 = new QLineEdit(QStringLiteral("Suchbegriff"), Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setToolTip(QStringLiteral("Suchbegriff"));
    Edit1->setAccessibleName(QStringLiteral("Suchbegriff"));
    Edit1->setGeometry(240, 11, 140, 21);
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { guarded(this, [&] { Edit1KeyDown(); }); });
    menuKeysFirst(Edit1, this);
    Label11 = new HotLabel(QStringLiteral("<u>Suchen (im Titel)</u>"), Panel1);
    Label11->setObjectName(QStringLiteral("Label11"));
    Label11->setToolTip(QStringLiteral("Schnellsuche in den Rezepttiteln"));
    Label11->setAccessibleName(QStringLiteral("Suchen (im Titel)"));
    Label11->setGeometry(386, 13, 110, 17);
    QPalette lp = Label11->palette();
    lp.setColor(QPalette::WindowText, QColor(0, 0, 160));
    Label11->setPalette(lp);
    connect(Label11, &HotLabel::clicked, this, [this] { guarded(this, [&] { Label11Click(); }); });
    Label9 = label(QStringLiteral("Rezepte in der Datenbank: 0"), "Label9", Panel1);
    Label9->setGeometry(510, 13, 230, 17);
}

void Hauptfenster::buildPanes()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    Panel1 = panel("Panel1", central);
    Panel1->setFixedHeight(43);
    outer->addWidget(Panel1);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    outer->addLayout(body, 1);

    Splitter1 = new QSplitter(Qt::Horizontal, central);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(5);
    Splitter1->setChildrenCollapsible(false);
    body->addWidget(Splitter1, 1);

    // Left pane.
    Panel2 = panel("Panel2", Splitter1);
    Panel2->setMinimumWidth(50);
    auto* left = new QVBoxLayout(Panel2);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    Splitter2 = new QSplitter(Qt::Vertical, Panel2);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setHandleWidth(5);
    Splitter2->setChildrenCollapsible(false);
    suchergebnisse = new RecipeList(Splitter2);
    suchergebnisse->setObjectName(QStringLiteral("suchergebnisse"));
    suchergebnisse->setAccessibleName(QStringLiteral("Suchergebnisse"));
    suchergebnisse->setSortedAlphabetically(false);
    auto* lower = new QWidget(Splitter2);
    auto* lowerLay = new QVBoxLayout(lower);
    lowerLay->setContentsMargins(0, 0, 0, 0);
    lowerLay->setSpacing(0);
    kategorien = new TabControl(lower);
    kategorien->setObjectName(QStringLiteral("kategorien"));
    kategorien->setAccessibleName(QStringLiteral("Kategorien"));
    lowerLay->addWidget(kategorien);
    // Whenever the left pane changes its width the tabs rewrap; the control stays exactly as high as its
    // rows.
    kategorien->setFitHeightToRows(true);
    treeview1 = new RecipeList(lower);
    treeview1->setObjectName(QStringLiteral("treeview1"));
    treeview1->setAccessibleName(QStringLiteral("Rezepte"));
    treeview1->setContextMenuPolicy(Qt::CustomContextMenu);
    treeview1->model()->setRankProvider([this] { return alphabeticalRank(); });
    lowerLay->addWidget(treeview1, 1);
    Splitter2->addWidget(suchergebnisse);
    Splitter2->addWidget(lower);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);
    left->addWidget(Splitter2, 1);
    Label12 = label(QStringLiteral("Titel"), "Label12", Panel2);
    Label12->setFixedHeight(40);
    Label12->setWordWrap(true);
    Label12->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label12->setContentsMargins(3, 2, 3, 2);
    left->addWidget(Label12);

    // Centre.
    Panel3 = panel("Panel3", Splitter1);
    auto* centreLay = new QVBoxLayout(Panel3);
    centreLay->setContentsMargins(0, 0, 0, 0);
    Panel6 = panel("Panel6", Panel3);
    centreLay->addWidget(Panel6);
    auto* c = new QVBoxLayout(Panel6);
    c->setContentsMargins(0, 0, 0, 0);
    c->setSpacing(2);
    rezeptname = label(QStringLiteral("Rezeptname"), "rezeptname", Panel6);
    QFont bold = rezeptname->font();
    bold.setBold(true);
    rezeptname->setFont(bold);
    rezeptname->setMinimumHeight(16);
    // A long title is cut at the panel's edge; it never widens the panel or the window.
    rezeptname->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    rezeptname->setContentsMargins(3, 0, 3, 0);
    c->addWidget(rezeptname);
    rezept = new QPlainTextEdit(Panel6);
    rezept->setObjectName(QStringLiteral("rezept"));
    rezept->setAccessibleName(QStringLiteral("Zubereitung"));
    rezept->setReadOnly(true);
    rezept->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    rezept->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    c->addWidget(rezept, 1);

    // Ingredient column.
    Panel4 = panel("Panel4", Splitter1);
    Panel4->setMinimumWidth(100);
    auto* r = new QVBoxLayout(Panel4);
    r->setContentsMargins(0, 0, 0, 0);
    r->setSpacing(0);
    label8 = label(QStringLiteral(" Zutaten"), "label8", Panel4);
    label8->setAutoFillBackground(true);
    label8->setFont(bold);
    label8->setFixedHeight(18);
    r->addWidget(label8);
    zutaten = new QListWidget(Panel4);
    zutaten->setObjectName(QStringLiteral("zutaten"));
    zutaten->setAccessibleName(QStringLiteral("Zutaten"));
    r->addWidget(zutaten, 1);
    Panel5 = panel("Panel5", Panel4);
    Panel5->setFixedHeight(135);
    r->addWidget(Panel5);
    Label2 = label(QStringLiteral("Datum: "), "Label2", Panel5);
    Label3 = label(QStringLiteral("Autor:"), "Label3", Panel5);
    Label10 = label(QStringLiteral("Menge:"), "Label10", Panel5);
    Label5 = label(QStringLiteral("Kategorie:"), "Label5", Panel5);
    for (QLabel* cap : { Label2, Label3, Label10, Label5 })
        cap->setFont(bold);
    Label1 = label(QString(), "Label1", Panel5);
    Label6 = label(QString(), "Label6", Panel5);
    Label20 = label(QString(), "Label20", Panel5);
    Label7 = label(QString(), "Label7", Panel5);
    Label7->setWordWrap(true);
    Label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image6 = new HotLabel(Panel5);
    Image6->setObjectName(QStringLiteral("Image6"));
    Image6->setPixmap(pictureIcon());
    Image6->setToolTip(QStringLiteral("Das Bild für dieses Rezept betrachten"));
    Image6->setVisible(false);
    connect(Image6, &HotLabel::clicked, this, [this] { guarded(this, [&] { Image6Click(); }); });
    Image7 = new HotLabel(Panel5);
    Image7->setObjectName(QStringLiteral("Image7"));
    Image7->setPixmap(commentIcon());
    Image7->setToolTip(QStringLiteral("Einen Kommentar zu diesem Rezept verfassen oder betrachten"));
    connect(Image7, &HotLabel::clicked, this, [this] { guarded(this, [&] { Image7Click(); }); });
    placeInfoLabels();
    Panel5->installEventFilter(this);

    Splitter1->addWidget(Panel2);
    Splitter1->addWidget(Panel3);
    Splitter1->addWidget(Panel4);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setStretchFactor(2, 0);
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] { Splitter1Moved(); });

    Panel7 = panel("Panel7", central);
    Panel7->setFixedWidth(150);
    Panel7->setVisible(false);
    body->addWidget(Panel7);

    RichEdit1 = new QTextEdit(central);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
    RichEdit1->setVisible(false);

    setCentralWidget(central);
    // The window takes the size stored or dragged; the panes make do with it rather than enlarge it.
    central->setMinimumSize(1, 1);

    auto* sb = new QStatusBar(this);
    sb->setObjectName(QStringLiteral("StatusBar1"));
    sb->setSizeGripEnabled(true);
    StatusPanel0 = label(QStringLiteral("Rezepte: "), "StatusPanel0", sb);
    StatusPanel0->setFixedWidth(250);
    StatusPanel1 = label(QStringLiteral("Kategorien: "), "StatusPanel1", sb);
    StatusPanel1->setMinimumWidth(50);
    sb->addWidget(StatusPanel0);
    sb->addWidget(StatusPanel1);
    // Conflict copies of synchronisation tools are named here; empty otherwise.
    StatusPanel2 = label(QString(), "StatusPanel2", sb);
    sb->addWidget(StatusPanel2, 1);
    setStatusBar(sb);

    // Lists.
    connect(treeview1, &RecipeList::currentNumberChanged, this,
        [this](int n) { guarded(this, [&] { treeview1Change(n); }); });
    connect(suchergebnisse, &RecipeList::currentNumberChanged, this,
        [this](int n) { guarded(this, [&] { suchergebnisseChange(n); }); });
    connect(treeview1, &RecipeList::pressedAt, this,
        [this](int row, Qt::MouseButton b) { treeview1MouseDown(row, b); });
    connect(treeview1, &RecipeList::doubleClickedAt, this,
        [this](int row) { guarded(this, [&] { treeview1DblClick(row); }); });
    connect(treeview1, &RecipeList::hoveredText, Label12, &QLabel::setText);
    connect(suchergebnisse, &RecipeList::hoveredText, Label12, &QLabel::setText);
    connect(treeview1, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& p) { PopupMenu1->popup(treeview1->viewport()->mapToGlobal(p)); });
    connect(kategorien, &TabControl::currentChanged, this,
        [this] { guarded(this, [&] { kategorienChange(); }); });
}

void Hauptfenster::placeInfoLabels()
{
    // Value labels sit five pixels after their captions.
    // The rows grow with the font size chosen in the settings.
    const int step = std::max(16, Label2->sizeHint().height() + 1);
    const int rows[4] = { 6, 6 + step, 6 + 2 * step, 6 + 3 * step };
    QLabel* caps[4] = { Label2, Label3, Label10, Label5 };
    QLabel* vals[4] = { Label1, Label6, Label20, Label7 };
    for (int i = 0; i < 4; ++i) {
        caps[i]->adjustSize();
        caps[i]->move(5, rows[i]);
        const int x = caps[i]->x() + caps[i]->width() + 5;
        vals[i]->setGeometry(
            x, rows[i], std::max(40, Panel5->width() - x - 4), i == 3 ? 45 : caps[i]->height());
    }
    Image6->setGeometry(8, 104, 24, 24);
    Image7->setGeometry(40, 104, 24, 24);
}

bool Hauptfenster::eventFilter(QObject* o, QEvent* e)
{
    if (o == Panel5 && e->type() == QEvent::Resize)
        placeInfoLabels();

    return QMainWindow::eventFilter(o, e);
}

// ---- Start-up, layout file and closing -------------------------------------------------------

void Hauptfenster::FormCreate()
{
    try {
        st.AktKategorie = 0;
        st.rng.seed(quint32(QDateTime::currentMSecsSinceEpoch()));
        setWindowTitle(QStringLiteral("Brutzels Tellerkiste 3.40 (01/2007)"));
        hide();

        st.LayoutIni = std::make_unique<IniFile>(layoutPath(st.programDir));
        const IniFile& ini = *st.LayoutIni;
        const int breite = ini.readInteger(QStringLiteral("Fenster"), QStringLiteral("Breite"), 750);
        const int hoehe = ini.readInteger(QStringLiteral("Fenster"), QStringLiteral("Hoehe"), 500);
        resize(breite, hoehe);
        const int links = ini.readInteger(QStringLiteral("Fenster"), QStringLiteral("Links"), 50);
        const int oben = ini.readInteger(QStringLiteral("Fenster"), QStringLiteral("Oben"), 50);
        move(links, oben);
        setPanelWidths(ini.readInteger(QStringLiteral("Panel2"), QStringLiteral("Breite"), 170),
            ini.readInteger(QStringLiteral("Panel4"), QStringLiteral("Breite"), 170));
        setResultHeight(ini.readInteger(QStringLiteral("SuchErgebnisse"), QStringLiteral("Hoehe"), 81));
        Panel1->setVisible(ini.readBool(QStringLiteral("Panel1"), QStringLiteral("Sichtbar"), true));
        suchergebnisse->setVisible(
            ini.readBool(QStringLiteral("Suchergebnisse"), QStringLiteral("Sichtbar"), true));
        Panel5->setVisible(ini.readBool(QStringLiteral("Panel5"), QStringLiteral("Sichtbar"), true));
        kategorien->setVisible(ini.readBool(QStringLiteral("Kategorien"), QStringLiteral("Sichtbar"), true));
        Symbolleiste1->setChecked(!Panel1->isHidden());
        Suchergebnisse2->setChecked(!suchergebnisse->isHidden());
        Zusatzinformationen1->setChecked(!Panel5->isHidden());
        Kategorien1->setChecked(!kategorien->isHidden());

        st.FavoritenIni = std::make_unique<IniFile>(favouritesPath(st.programDir));
        SetKats();
    } catch (const std::exception&) {
        // The set-up ends at the failing step without a message.
    }
}

void Hauptfenster::setPanelWidths(int panel2, int panel4)
{
    m_panel2 = std::max(50, panel2);
    m_panel4 = std::max(100, panel4);
    QList<int> sizes = Splitter1->sizes();
    const int total = std::max(Splitter1->width(), m_panel2 + m_panel4 + 100);
    Splitter1->setSizes({ m_panel2, std::max(1, total - m_panel2 - m_panel4), m_panel4 });
}

void Hauptfenster::setResultHeight(int h)
{
    m_resultHeight = std::max(1, h);
    const int total = std::max(Splitter2->height(), m_resultHeight + 100);
    Splitter2->setSizes({ m_resultHeight, total - m_resultHeight });
}

int Hauptfenster::panel2Width() const { return Splitter1->sizes().value(0, m_panel2); }
int Hauptfenster::panel4Width() const { return Splitter1->sizes().value(2, m_panel4); }
int Hauptfenster::resultHeight() const
{
    return suchergebnisse->isHidden() ? m_resultHeight : Splitter2->sizes().value(0, m_resultHeight);
}

void Hauptfenster::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!m_shownOnce) {
        m_shownOnce = true;
        // The window opens centred on the screen, keeping its size; the stored edges only placed
        // what was centred on it before.
        setPanelWidths(m_panel2, m_panel4);
        setResultHeight(m_resultHeight);
        centreOnScreen(this);
    }
}

void Hauptfenster::FormClose()
{
    try {
        if (st.LayoutIni) {
            IniFile& ini = *st.LayoutIni;
            if (!m_shownOnce) {
                m_panel2 = panel2Width();
            }
            ini.writeInteger(QStringLiteral("Fenster"), QStringLiteral("Breite"), width());
            ini.writeInteger(QStringLiteral("Fenster"), QStringLiteral("Links"), x());
            ini.writeInteger(QStringLiteral("Fenster"), QStringLiteral("Hoehe"), height());
            ini.writeInteger(QStringLiteral("Fenster"), QStringLiteral("Oben"), y());
            ini.writeInteger(
                QStringLiteral("Panel2"), QStringLiteral("Breite"), m_shownOnce ? panel2Width() : m_panel2);
            ini.writeInteger(
                QStringLiteral("Panel4"), QStringLiteral("Breite"), m_shownOnce ? panel4Width() : m_panel4);
            ini.writeInteger(QStringLiteral("SuchErgebnisse"), QStringLiteral("Hoehe"),
                m_shownOnce ? resultHeight() : m_resultHeight);
            ini.writeBool(QStringLiteral("Panel1"), QStringLiteral("Sichtbar"), !Panel1->isHidden());
            ini.writeBool(
                QStringLiteral("Suchergebnisse"), QStringLiteral("Sichtbar"), !suchergebnisse->isHidden());
            ini.writeBool(QStringLiteral("Panel5"), QStringLiteral("Sichtbar"), !Panel5->isHidden());
            ini.writeBool(QStringLiteral("Kategorien"), QStringLiteral("Sichtbar"), !kategorien->isHidden());
        }
    } catch (const std::exception&) {
        // Writing the layout ends without a message; the program still closes.
    }
    st.LayoutIni.reset();
}

void Hauptfenster::closeEvent(QCloseEvent* e)
{
    FormClose();
    e->accept();
    Application::endProgram();
}

void Hauptfenster::Beenden1Click() { close(); }

// ---- Ansicht -----------------------------------------------------------------------------------

void Hauptfenster::Symbolleiste1Click() { Panel1->setVisible(Symbolleiste1->isChecked()); }
void Hauptfenster::Suchergebnisse2Click()
{
    if (!Suchergebnisse2->isChecked())
        m_resultHeight = resultHeight();
    suchergebnisse->setVisible(Suchergebnisse2->isChecked());
    if (Suchergebnisse2->isChecked())
        setResultHeight(m_resultHeight);
}
void Hauptfenster::Zusatzinformationen1Click() { Panel5->setVisible(Zusatzinformationen1->isChecked()); }
void Hauptfenster::Kategorien1Click() { kategorien->setVisible(Kategorien1->isChecked()); }

// ---- Toolbar pictures ------------------------------------------------------------------------

void Hauptfenster::Buttons_enter(int tag) { Image[size_t(tag - 1)]->setPixmap(img_over[size_t(tag - 1)]); }
void Hauptfenster::Buttons_leave(int tag) { Image[size_t(tag - 1)]->setPixmap(img_normal[size_t(tag - 1)]); }
void Hauptfenster::Buttons_down(int tag) { Image[size_t(tag - 1)]->setPixmap(img_down[size_t(tag - 1)]); }
void Hauptfenster::Buttons_up(int tag) { Image[size_t(tag - 1)]->setPixmap(img_normal[size_t(tag - 1)]); }

// ---- Category tabs and lists -----------------------------------------------------------------

void Hauptfenster::SetKats()
{
    kategorien->blockSignals(true);
    kategorien->setCurrentIndex(0);
    const QStringList lines = loadLines(categoryPath(st.programDir));
    buildKategorieTabellen(lines, st.kat);
    kategorien->clear();
    for (int p = 0; p <= st.kat.LetzterTab; ++p)
        kategorien->addTab(
            st.kat.KatNamen.at(st.kat.TabKategorie.at(p)).Bezeichnung, p < 15 ? categoryIcon(p) : QIcon());
    kategorien->blockSignals(false);
    StatusPanel1->setText(QStringLiteral("Kategorien: %1").arg(st.kat.LetzterTab + 1));
    Splitter1Moved();
}

void Hauptfenster::Splitter1Moved()
{
    kategorien->setFixedHeight(kategorien->rowCount() * kategorien->tabHeight());
}

void Hauptfenster::fillRecipeList()
{
    std::vector<RecipeListModel::Entry> entries;
    const int kat = st.AktKategorie;
    for (size_t n = 0; n < st.Rezepte.size(); ++n) {
        const Rezepteintrag& r = st.Rezepte[n];
        if (gehoertZuKategorie(r, kat))
            entries.push_back({ r.Titel, int(n) });
    }
    treeview1->model()->setEntries(std::move(entries));
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
    if (st.Rezepte.size() < kAbHier || m_rankGeneration == st.Generation)
        return;
    std::vector<QString> titel(st.Rezepte.size());
    std::vector<char> lebt(st.Rezepte.size(), 0);
    for (size_t n = 0; n < st.Rezepte.size(); ++n)
        if (!st.Rezepte[n].Geloescht) {
            titel[n] = st.Rezepte[n].Titel;
            lebt[n] = 1;
        }
    auto v = std::make_shared<RangImVoraus>();
    v->generation = st.Generation;
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
    if (m_rankGeneration == st.Generation)
        return &m_rank;
    if (m_rankVoraus && m_rankVoraus->generation == st.Generation && !m_rankVoraus->abgeholt) {
        m_rank = m_rankVoraus->rang.get();
        m_rankVoraus->abgeholt = true;
    } else {
        std::vector<const QString*> titles(st.Rezepte.size(), nullptr);
        for (size_t n = 0; n < st.Rezepte.size(); ++n)
            if (!st.Rezepte[n].Geloescht)
                titles[n] = &st.Rezepte[n].Titel;
        m_rank = tk::alphabeticalRank(titles);
    }
    m_rankGeneration = st.Generation;
    m_alphabetisch.clear();
    for (size_t n = 0; n < m_rank.size(); ++n)
        if (m_rank[n] != std::numeric_limits<int>::max()) {
            if (m_alphabetisch.size() <= size_t(m_rank[n]))
                m_alphabetisch.resize(size_t(m_rank[n]) + 1, -1);
            m_alphabetisch[size_t(m_rank[n])] = int(n);
        }
    return &m_rank;
}

void Hauptfenster::kategorienChange()
{
    const int pos = kategorien->currentIndex();
    if (pos < 0 || pos >= st.kat.TabKategorie.size())
        return;
    st.AktKategorie = st.kat.TabKategorie.at(pos);
    st.ListeWirdGefuellt = true;
    const bool sortiert = treeview1->sortedAlphabetically();
    if (sortiert && alphabeticalRank()->size() == st.Rezepte.size()) {
        // The recipes of the tab picked from all live ones in alphabetical order: one pass, no sort,
        // also for the half a million of "Alle".
        std::vector<RecipeListModel::Entry> entries;
        const int kat = st.AktKategorie;
        for (int n : m_alphabetisch)
            if (n >= 0 && size_t(n) < st.Rezepte.size() && gehoertZuKategorie(st.Rezepte[size_t(n)], kat))
                entries.push_back({ st.Rezepte[size_t(n)].Titel, n });
        treeview1->model()->setEntries(std::move(entries));
    } else {
        fillRecipeList();
        if (sortiert)
            treeview1->model()->sortAlphabetically();
    }
    st.ListeWirdGefuellt = false;
    if (treeview1->count() > 0)
        treeview1->selectRow(0);
}

void Hauptfenster::Image1Click()
{
    treeview1->setSortedAlphabetically(false);
    treeview1->setSortedAlphabetically(true);
    treeview1->viewport()->update();
}

void Hauptfenster::Image2Click()
{
    treeview1->setSortedAlphabetically(false);
    kategorienChange();
}

void Hauptfenster::treeview1Change(int number) { ZeigeRezept(number); }
void Hauptfenster::suchergebnisseChange(int number) { ZeigeRezept(number); }

void Hauptfenster::treeview1MouseDown(int row, Qt::MouseButton)
{
    if (row < 0)
        return;
    st.AktRezept = treeview1->numberAt(row);
}

void Hauptfenster::treeview1DblClick(int row)
{
    if (row < 0)
        return;
    const int selected = treeview1->currentRow() >= 0 ? treeview1->currentRow() : row;
    st.AktRezept = treeview1->numberAt(selected);
    if (!Panel7->isHidden()) {
        const int n = st.AktRezept;
        if (n >= 0 && size_t(n) < st.Rezepte.size() && TreeView2) {
            TreeView2->append(st.Rezepte[size_t(n)].Titel, n);
            if (TreeView2->sortedAlphabetically())
                TreeView2->model()->sortAlphabetically();
            Label19->setText(QStringLiteral("Anzahl der Rezepte: %1").arg(TreeView2->count()));
        }
    } else {
        Bearbeiten1Click();
    }
}

// ---- Recipe view ---------------------------------------------------------------------------

void Hauptfenster::ZeigeRezept(int n)
{
    if (st.ListeWirdGefuellt)
        return;
    try {
        Label7->clear();
        zutaten->clear();
        rezept->clear();
        RezeptText.clear();
        RezeptKommentar.clear();
        st.AngezeigtesRezept = -1;
        emit kommentarChanged();
        if (n < 0)
            return;
        st.AktRezept = n;
        if (size_t(n) >= st.Rezepte.size())
            throw Error(QStringLiteral("Rezept %1 gibt es nicht.").arg(n));
        const Rezepteintrag& r = st.Rezepte[size_t(n)];
        rezeptname->setText(r.Titel);
        Label1->setText(r.Datum);
        Label1->setToolTip(r.Datum);
        Label6->setText(r.Autor);
        Label6->setToolTip(r.Autor);
        Label20->setText(r.Menge);
        QString kats;
        const int last = std::max(14, st.kat.lineCount - 1);
        for (int i = 1; i <= last && i <= 99; ++i)
            if (r.InKategorie[size_t(i)] == 1 && i < st.kat.KatNamen.size()
                && !st.kat.KatNamen.at(i).Bezeichnung.isEmpty())
                kats += st.kat.KatNamen.at(i).Bezeichnung + u' ';
        Label7->setText(kats);
        Label7->setToolTip(kats);

        RezeptZeilen = loadLines(recipePath(st.programDir, n));
        Image6->setVisible(QFileInfo::exists(picturePath(st.programDir, n)));
        Rezeptinhalt inhalt = rezeptinhalt(RezeptZeilen);
        // Huge lines would take the fields minutes to lay out: they are shown cut. Saves read the file.
        zutaten->addItems(shownLines(inhalt.zutaten).lines);
        RezeptText = std::move(inhalt.text);
        RezeptKommentar = std::move(inhalt.kommentar);
        rezept->setPlainText(shownLines(RezeptText).lines.join(u'\n'));
        st.AngezeigtesRezept = n;
        emit kommentarChanged();
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
    kategorien->blockSignals(true);
    const int tab
        = st.AktKategorie < st.kat.KategorieTab.size() ? st.kat.KategorieTab.at(st.AktKategorie) : 0;
    kategorien->setCurrentIndex(tab);
    kategorien->blockSignals(false);
    treeview1->clear();
}

void Hauptfenster::zeigeRezepte(std::vector<RecipeListModel::Entry> eintraege)
{
    treeview1->model()->setEntries(std::move(eintraege));
}

void Hauptfenster::zeigeRezeptanzahl(int anzahl)
{
    Label9->setText(QStringLiteral("Rezepte in der Datenbank: %1").arg(anzahl));
    Label9->adjustSize(); // the count may be wider than the text it replaces
    StatusPanel0->setText(QStringLiteral("Rezepte: %1").arg(anzahl));
}

void Hauptfenster::Datenbankaktualisieren1Click()
{
    if (forms.aktualisierungsfenster) {
        centreOn(forms.aktualisierungsfenster, this);
        forms.aktualisierungsfenster->show();
    }
}

} // namespace tk
