#pragma once

#include <QDialog>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace tk {

class RecipeList;

struct AppState;

// The search window: a word, one of four modes, and the progress of the running search.
class Suchfenster : public QDialog {
    Q_OBJECT
public:
    Suchfenster(AppState& state, QWidget* parent = nullptr);

    void FormCreate();
    void Panel1Click(); // "Suchen!"
    void Panel2Click(); // "Abbrechen"
    void Edit1KeyDown(); // Enter in the search word field

    // Shows the window centred on the main window (or raises it when it is up); word and mode stay.
    void zeigen();
    // The quick search of the main window: the word into the field, title mode, show and search.
    void Schnellsuche(const QString& wort);
    // Ticks a mode (1 full text, 2 title, 3 ingredients, 4 author); word and window stay as they are.
    void waehleModus(int modus);

    // The list the hits go into (the main window's result list).
    void setErgebnisliste(RecipeList* liste) { m_ergebnisliste = liste; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QLineEdit* Edit1 = nullptr;
    QLabel* Label1 = nullptr;
    QRadioButton* RadioButton1 = nullptr; // full text
    QRadioButton* RadioButton2 = nullptr; // title
    QRadioButton* RadioButton3 = nullptr; // ingredients
    QRadioButton* RadioButton4 = nullptr; // author
    QButtonGroup* Modi = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    RecipeList* m_ergebnisliste = nullptr;
    AppState& st;
};

} // namespace tk
