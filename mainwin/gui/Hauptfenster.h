#pragma once

#include <memory>

#include <QMainWindow>
#include <QPixmap>
#include <array>
#include <vector>

#include "app/Fensterregister.h"
#include "platform/gui/RecipeList.h"

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
class HotLabel;
struct Farbschema;
class TabControl;

// The main window: menus, toolbar, category tabs, recipe lists and the recipe view.
// The handlers of the other subsystems are defined in the Hauptfenster_*.cpp files beside this one.
class Hauptfenster : public QMainWindow {
    Q_OBJECT
public:
    Hauptfenster(AppState& state, Fensterregister& forms, QWidget* parent = nullptr);
    ~Hauptfenster() override;

    // Operations called across the program.
    void SetKats();
    void ZeigeRezept(int n);
    void kategorienChange();
    void Splitter1Moved();

    // Menu handlers.
    void Image5Click(); // Programm > Einstellungen
    void Beenden1Click();
    void Neueserstellen1Click();
    void Bearbeiten1Click();
    void Lschen1Click();
    void Image4Click(); // Drucken
    void alsTextdatei1Click();
    void AlsRTFDatei1Click();
    void indieZwischenablage1Click();
    void Sicherung1Click();
    void Rezeptimportieren2Click();
    void Rezeptexportieren2Click();
    void Installieren2Click();
    void AusdemInternet1Click(); // Import/Export > Aus dem Internet importieren...
    void WebImport(const QString& adresseOderDatei); // the same window, started at once
    void Rezeptexportieren1Click();
    void ZudenFavoriten1Click();
    void Zufallsrezept1Click();
    void Datenbankaktualisieren1Click();
    void Bearbeiten3Click();
    void Image1Click(); // sort A-Z
    void Image2Click(); // sort by entry order
    void Image3Click(); // search window
    void indenWochenthemen1Click(int tag);
    void Symbolleiste1Click();
    void Suchergebnisse2Click();
    void Zusatzinformationen1Click();
    void Kategorien1Click();
    void Installieren1Click();
    void Willkommen1Click(); // "Hilfe" (F1)
    void Hilfe1Click(); // "Willkommen"
    void Webseite1Click();
    void ber1Click();

    // Portions and shopping list (Hauptfenster_Menge.cpp).
    void Umrechnen1Click(); // the recipe on show
    void Umrechnen2Click(); // pop-up menu: the recipe under the mouse
    void Einkaufsliste1Click();
    void AufdieEinkaufsliste1Click();
    void AlsPDFDatei1Click();

    // Lists and view.
    void treeview1Change(int number);
    void suchergebnisseChange(int number);
    void treeview1MouseDown(int row, Qt::MouseButton button);
    void treeview1DblClick(int row);
    void Image6Click();
    void Image7Click();
    void Edit1KeyDown();
    void Label11Click();

    // Export panel.
    void buildPanel7();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();

    // Toolbar picture buttons.
    void Buttons_enter(int tag);
    void Buttons_leave(int tag);
    void Buttons_down(int tag);
    void Buttons_up(int tag);

    // Colours and font size, applied when the settings change.
    void applySchema(const Farbschema& schema); // panels, lists and texts (and nothing else)
    // Labels and lists at size, the title at size + 4, the tab rows measured anew, the value labels placed
    // after their captions.
    void applySchriftgroesse(int size);
    void einstellungenAnwenden();

    // Layout file.
    void FormCreate();
    void FormClose();

    // The loading window: before a load the tab of AktKategorie (without its change handler) over an
    // empty list, then the entries read, and after a whole load the number of recipes.
    void ladenBeginnt();
    void zeigeRezepte(std::vector<RecipeListModel::Entry> eintraege);
    void zeigeRezeptanzahl(int anzahl);

    // The search window puts its hits into the result list; the export window packs the export list.
    void suchfensterAnschliessen(Suchfenster& suche);
    void exportfensterAnschliessen(Paketexportfenster& exportfenster);

private:
    // Controls (names as the windows know them); others find them by these object names.
    QWidget* Panel1 = nullptr; // toolbar
    std::array<QLabel*, 5> Image {}; // Image1..Image5
    std::array<HotLabel*, 5> HotLabels {}; // Label13..Label17
    QLineEdit* Edit1 = nullptr;
    HotLabel* Label11 = nullptr;
    QLabel* Label9 = nullptr;
    QSplitter* Splitter1 = nullptr; // horizontal splitter holding left, centre and right
    QSplitter* Splitter2 = nullptr; // between the result list and the tabs
    QWidget* Panel2 = nullptr;
    RecipeList* suchergebnisse = nullptr;
    TabControl* kategorien = nullptr;
    RecipeList* treeview1 = nullptr;
    QLabel* Label12 = nullptr;
    QWidget* Panel3 = nullptr;
    QWidget* Panel6 = nullptr;
    QLabel* rezeptname = nullptr;
    QPlainTextEdit* rezept = nullptr;
    QWidget* Panel4 = nullptr;
    QLabel* label8 = nullptr; // " Zutaten"
    QListWidget* zutaten = nullptr;
    QWidget* Panel5 = nullptr;
    QLabel* Label2 = nullptr; // "Datum: "
    QLabel* Label3 = nullptr; // "Autor:"
    QLabel* Label10 = nullptr; // "Menge:"
    QLabel* Label5 = nullptr; // "Kategorie:"
    QLabel* Label1 = nullptr; // date
    QLabel* Label6 = nullptr; // author
    QLabel* Label20 = nullptr; // quantity
    QLabel* Label7 = nullptr; // categories
    HotLabel* Image6 = nullptr; // picture icon
    HotLabel* Image7 = nullptr; // comment icon
    QWidget* Panel7 = nullptr; // export panel
    QLabel* Label4 = nullptr;
    QLabel* Label18 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    RecipeList* TreeView2 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QLabel* StatusPanel2 = nullptr; // conflict copies
    QTextEdit* RichEdit1 = nullptr; // hidden work area of the outputs

    // Menu items.
    QAction* Einstellungen1 = nullptr;
    QAction* Beenden1 = nullptr;
    QAction* Neueserstellen1 = nullptr;
    QAction* Bearbeiten1 = nullptr;
    QAction* Lschen1 = nullptr;
    QAction* Drucken1 = nullptr;
    QAction* alsTextdatei1 = nullptr;
    QAction* AlsRTFDatei1 = nullptr;
    QAction* indieZwischenablage1 = nullptr;
    QAction* Sicherung1 = nullptr;
    QMenu* RezKonvFormat1 = nullptr;
    QAction* Rezeptimportieren2 = nullptr;
    QAction* Rezeptexportieren2 = nullptr;
    QAction* Rezeptimportieren1 = nullptr; // TKP import
    QAction* Rezeptexportieren1 = nullptr;
    QAction* AusdemInternet1 = nullptr;
    QAction* ZudenFavoriten1 = nullptr;
    QAction* Zufallsrezept1 = nullptr;
    QAction* Datenbankaktualisieren1 = nullptr;
    QAction* Bearbeiten3 = nullptr;
    QAction* nachdemAlphabet1 = nullptr;
    QAction* nachdemDatum1 = nullptr;
    std::array<QAction*, 4> Suchen {};
    QAction* Symbolleiste1 = nullptr;
    QAction* Suchergebnisse2 = nullptr;
    QAction* Zusatzinformationen1 = nullptr;
    QAction* Kategorien1 = nullptr;
    QMenu* Updates1 = nullptr;
    QAction* Herunterladen1 = nullptr;
    QAction* Installieren1 = nullptr;
    QAction* Hilfe1 = nullptr;
    QAction* Willkommen1 = nullptr;
    QAction* Webseite1 = nullptr;
    QAction* ber1 = nullptr;
    QMenu* PopupMenu1 = nullptr;

public:
    // Picture lists of the toolbar, in tag order.
    std::array<QPixmap, 5> img_normal, img_over, img_down;

    // Lines of the recipe file on show, as the view read them.
    QStringList RezeptZeilen;
    QStringList RezeptText; // the preparation text lines as read
    QStringList RezeptKommentar; // the comment lines as read

    void fillRecipeList(); // the records of AktKategorie, in number order
    const std::vector<int>* alphabeticalRank(); // of the live titles, rebuilt after each load
    void rangVorbereiten(); // after a load: a large collection's titles are ranked on another core
    void setPanelWidths(int panel2, int panel4);
    void setResultHeight(int h);
    int panel2Width() const;
    int panel4Width() const;
    int resultHeight() const;

signals:
    // The recipe on show changed: the comment window takes RezeptKommentar.
    void kommentarChanged();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override; // a web address or .html file: Hauptfenster_Web.cpp
    void dropEvent(QDropEvent* e) override;

private:
    RezeptAnsicht ansicht() const; // what the recipe view shows right now
    void sammlungAbonnieren();
    void kategorienNeu(int geloeschteNr);
    void vonAussenGeaendert(int dateien);
    void ansichtLeeren(); // nothing on show any more
    void buildMenus();
    void buildMengeMenus(QMenu* rezeptMenu, QMenu* speichern);
    void buildToolbar();
    void buildPanes();
    void placeInfoLabels();
    void applyLayoutDefaults();
    QAction* addItem(
        QMenu* menu, const QString& text, const QKeySequence& key, void (Hauptfenster::*handler)());

    AppState& st;
    Fensterregister& forms;
    bool m_shownOnce = false;
    int m_panel2 = 170;
    int m_panel4 = 170;
    int m_resultHeight = 81;
    std::vector<int> m_rank;
    std::vector<int> m_alphabetisch; // the live numbers in the order of m_rank
    quint64 m_rankGeneration = ~quint64(0);
    struct RangImVoraus;
    std::shared_ptr<RangImVoraus> m_rankVoraus;
    bool m_closing = false;
};

} // namespace tk
