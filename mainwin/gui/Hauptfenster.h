#pragma once

#include <memory>

#include <QMainWindow>
#include <QPixmap>
#include <array>
#include <vector>

#include "app/Fensterregister.h"
#include "platform/gui/RecipeList.h"
#include "store/Titelrang.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QStatusBar;
class QTextEdit;
class QTimer;

namespace tk {

struct AppState;
struct RezeptAnsicht;
struct RezeptVorgabe;
class HotLabel;
struct Farbschema;
class TabControl;
class Wochenplanfenster;

// The main window: menus, toolbar, category tabs, recipe lists and the recipe view.
// The handlers of the other subsystems are defined in the Hauptfenster_*.cpp files beside this one.
class Hauptfenster : public QMainWindow {
    Q_OBJECT
public:
    Hauptfenster(AppState& state, Fensterregister& fenster, QWidget* parent = nullptr);
    ~Hauptfenster() override;

    // Operations called across the program.
    void kategorienAufbauen();
    void zeigeRezept(int n);
    void kategorieGewaehlt();
    void kategorienhoeheAnpassen();

    // Menu handlers.
    void einstellungenZeigen(); // Programm > Einstellungen
    void beenden();
    void neuesRezept();
    void neuesRezeptAus(const RezeptVorgabe& vorgabe); // a recipe read from a web page, into the editor
    void rezeptBearbeiten();
    void rezeptLoeschen();
    void drucken(); // Drucken
    void alsTextdateiSpeichern();
    void alsRtfDateiSpeichern();
    void inZwischenablage();
    void alleAlsTextdateiSpeichern();
    void rezKonvImportieren();
    void rezKonvExportieren();
    void paketImportieren();
    void ausDemInternet(); // Import/Export > Aus dem Internet importieren...
    void webImport(const QString& adresseOderDatei); // the same window, started at once
    void paketExportieren();
    void favoritUmschalten();
    void zufallsrezept();
    void datenbankAktualisieren();
    void kategorienBearbeiten();
    void nachAlphabetOrdnen(); // sort A-Z
    void nachDatumOrdnen(); // sort by entry order
    void suchfensterZeigen(); // search window
    void suchfensterMitModus(int eintrag);
    void symbolleisteUmschalten();
    void suchergebnisseUmschalten();
    void zusatzinfoUmschalten();
    void kategorienUmschalten();
    void downloadseiteOeffnen();
    void hilfeOeffnen(); // "Hilfe" (F1)
    void willkommenZeigen(); // "Willkommen"
    void webseiteOeffnen();
    void infoZeigen();
    void wochenplanZeigen(); // Hauptfenster_Wochenplan.cpp
    void markiertesEinplanen(); // pop-up menu: the recipe under the mouse, into the week plan

    // Portions and shopping list (Hauptfenster_Menge.cpp).
    void rezeptUmrechnen(); // the recipe on show
    void markiertesUmrechnen(); // pop-up menu: the recipe under the mouse
    void einkaufslisteZeigen();
    void aufDieEinkaufsliste();
    void zutatenAufEinkaufsliste(const QStringList& zutaten, const QString& titel);
    void alsPdfDateiSpeichern();

    // Cook mode (Hauptfenster_Kochmodus.cpp).
    void kochmodusOeffnen(); // the recipe on show
    void markiertesKochen(); // pop-up menu: the recipe under the mouse

    // Lists and view.
    void rezeptGewaehlt(int number);
    void trefferGewaehlt(int number);
    void listeGedrueckt(int row, Qt::MouseButton button);
    void listeDoppelklick(int row);
    void bildZeigen();
    void kommentarZeigen();
    void schnellsucheEnter();
    void schnellsuche();

    // Export panel.
    void baueExportleiste();
    void exportEntfernen();
    void exportWeiter();
    void exportAbbrechen();
    void exportAlleHinzufuegen();

    // Toolbar picture buttons.
    void symbolBetreten(int knopf);
    void symbolVerlassen(int knopf);
    void symbolGedrueckt(int knopf);
    void symbolLosgelassen(int knopf);

    // Colours and font size, applied when the settings change.
    void farbschemaAnwenden(const Farbschema& schema); // panels, lists and texts (and nothing else)
    // Labels and lists at size, the title at size + 4, the tab rows measured anew, the value labels placed
    // after their captions.
    void schriftgroesseAnwenden(int size);
    void einstellungenAnwenden();

    // Layout file.
    void layoutLaden();
    void layoutSpeichern();

    // The loading window: before a load the tab of aktuelleKategorie (without its change handler) over an
    // empty list, then the entries read, and after a whole load the number of recipes.
    void ladenBeginnt();
    void zeigeRezepte(std::vector<RecipeListModel::Entry> eintraege);
    void zeigeRezeptanzahl(int anzahl);
    // The collection changed record n: its row in the recipe list follows, the counts too.
    void zeileNachfuehren(int n);

    // The search window puts its hits into the result list; the export window packs the export list.
    void suchfensterAnschliessen(Suchfenster& suche);
    void exportfensterAnschliessen(Paketexportfenster& exportfenster);
    // The week plan opens its recipes here and sends its week onto the shopping list.
    void wochenplanAnschliessen(Wochenplanfenster& plan);

private:
    // Controls (names as the windows know them); others find them by these object names.
    QWidget* m_symbolleiste = nullptr; // toolbar
    std::array<QLabel*, 5>
        m_symbolBilder {}; // in the toolbar's order: A-Z, by date, search, print, favourite
    std::array<HotLabel*, 5> m_symbolKnoepfe {}; // the clickable labels over the pictures
    QLineEdit* m_schnellsuche = nullptr;
    HotLabel* m_schnellsucheLink = nullptr;
    QLabel* m_rezeptzahl = nullptr;
    QSplitter* m_spalten = nullptr; // horizontal splitter holding left, centre and right
    QSplitter* m_ergebnisTeiler = nullptr; // between the result list and the tabs
    QWidget* m_linkeSpalte = nullptr;
    RecipeList* m_suchergebnisse = nullptr;
    TabControl* m_kategorien = nullptr;
    RecipeList* m_rezeptliste = nullptr;
    QLabel* m_titelvorschau = nullptr;
    QWidget* m_mittelspalte = nullptr;
    QWidget* m_rezeptbereich = nullptr;
    QLabel* m_titel = nullptr;
    QPlainTextEdit* m_zubereitung = nullptr;
    QWidget* m_rechteSpalte = nullptr;
    QLabel* m_zutatenKopf = nullptr; // " Zutaten"
    QListWidget* m_zutaten = nullptr;
    QWidget* m_zusatzinfo = nullptr;
    QLabel* m_datumBeschriftung = nullptr; // "Datum: "
    QLabel* m_autorBeschriftung = nullptr; // "Autor:"
    QLabel* m_mengeBeschriftung = nullptr; // "Menge:"
    QLabel* m_kategorieBeschriftung = nullptr; // "Kategorie:"
    QLabel* m_datum = nullptr; // date
    QLabel* m_autor = nullptr; // author
    QLabel* m_menge = nullptr; // quantity
    QLabel* m_rezeptKategorien = nullptr; // categories
    HotLabel* m_bildSymbol = nullptr; // picture icon
    HotLabel* m_kommentarSymbol = nullptr; // comment icon
    QWidget* m_exportleiste = nullptr; // export panel
    QLabel* m_exportTitel = nullptr;
    QLabel* m_exportHinweis = nullptr;
    QPushButton* m_exportEntfernen = nullptr;
    QPushButton* m_exportWeiter = nullptr;
    QPushButton* m_exportAbbrechen = nullptr;
    QPushButton* m_exportAlle = nullptr;
    RecipeList* m_exportliste = nullptr;
    QLabel* m_exportAnzahl = nullptr;
    QLabel* m_statusRezepte = nullptr;
    QLabel* m_statusKategorien = nullptr;
    QLabel* m_statusKonflikt = nullptr; // conflict copies
    QTextEdit* m_arbeitsfeld = nullptr; // hidden work area of the outputs

    // Menu items.
    QAction* m_einstellungen = nullptr;
    QAction* m_beenden = nullptr;
    QAction* m_neuesRezept = nullptr;
    QAction* m_bearbeiten = nullptr;
    QAction* m_loeschen = nullptr;
    QAction* m_drucken = nullptr;
    QAction* m_alsTextdatei = nullptr;
    QAction* m_alsRtfDatei = nullptr;
    QAction* m_inZwischenablage = nullptr;
    QAction* m_alleAlsTextdatei = nullptr;
    QMenu* m_rezKonvMenue = nullptr;
    QAction* m_rezKonvImport = nullptr;
    QAction* m_rezKonvExport = nullptr;
    QAction* m_paketImport = nullptr; // TKP import
    QAction* m_paketExport = nullptr;
    QAction* m_ausDemInternet = nullptr;
    QAction* m_favorit = nullptr;
    QAction* m_zufallsrezept = nullptr;
    QAction* m_datenbankAktualisieren = nullptr;
    QAction* m_kategorienBearbeiten = nullptr;
    QAction* m_nachAlphabet = nullptr;
    QAction* m_nachDatum = nullptr;
    std::array<QAction*, 4> m_suchen {};
    QAction* m_symbolleisteSichtbar = nullptr;
    QAction* m_suchergebnisseSichtbar = nullptr;
    QAction* m_zusatzinfoSichtbar = nullptr;
    QAction* m_kategorienSichtbar = nullptr;
    QMenu* m_updates = nullptr;
    QAction* m_herunterladen = nullptr;
    QAction* m_installieren = nullptr;
    QAction* m_hilfe = nullptr;
    QAction* m_willkommen = nullptr;
    QAction* m_webseite = nullptr;
    QAction* m_ueber = nullptr;
    QMenu* m_listenmenue = nullptr;

public:
    // Picture lists of the toolbar, in tag order.
    std::array<QPixmap, 5> bildNormal, bildUeber, bildGedrueckt;

    // Lines of the recipe file on show, as the view read them.
    QStringList rezeptZeilen;
    QStringList rezeptText; // the preparation text lines as read
    QStringList rezeptKommentar; // the comment lines as read

    void rezeptlisteFuellen(); // the records of aktuelleKategorie, in number order
    const std::vector<int>* alphabetischerRang(); // of the live titles, rebuilt after each load
    void rangVorbereiten(); // after a load: a large collection's titles are ranked on another core
    void setzeSpaltenbreiten(int links, int rechts);
    void setzeErgebnishoehe(int h);
    int linkeBreite() const;
    int rechteBreite() const;
    int ergebnishoehe() const;

signals:
    // The recipe on show changed: the comment window takes rezeptKommentar.
    void kommentarGeaendert();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override; // a web address or .html file: Hauptfenster_Web.cpp
    void dropEvent(QDropEvent* e) override;

private:
    RezeptAnsicht ansicht() const; // what the recipe view shows right now
    RezeptAnsicht druckAnsicht() const; // the same with the text's own lines
    bool rezeptLesen(int n, RezeptAnsicht& a) const; // recipe n as stored; false when none
    void kochmodus(int n);
    void sammlungAbonnieren();
    void kategorienNeu(int geloeschteNr);
    void vonAussenGeaendert(int dateien);
    void ansichtLeeren(); // nothing on show any more
    void umrechnen(int n);
    void umrechnungFolgt();
    void baueMenues();
    void baueMengenMenues(QMenu* rezeptMenu, QMenu* speichern);
    void baueWochenplanMenues(QMenu* rezeptMenu);
    void baueSymbolleiste();
    void baueBereiche();
    void zusatzinfoAnordnen();
    QAction* menuePunkt(
        QMenu* menu, const QString& text, const QKeySequence& key, void (Hauptfenster::*handler)());

    AppState& st;
    Fensterregister& m_fenster; // the other windows, made when first asked for
    bool m_gezeigt = false;
    bool m_konfliktGemeldet = false; // the message window told of a merge of conflict copies
    int m_linkeBreite = 170;
    int m_rechteBreite = 170;
    int m_ergebnishoehe = 81;
    Titelrang m_titelrang;
};

} // namespace tk
