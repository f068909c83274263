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

    void suchen(); // "Suchen!"; Enter in the search word field does the same

    // Shows the window centred on the main window (or raises it when it is up); word and mode stay.
    void zeigen();
    // The quick search of the main window: the word into the field, title mode, show and search.
    void schnellsuche(const QString& wort);
    // Ticks a mode (1 full text, 2 title, 3 ingredients, 4 author); word and window stay as they are.
    void waehleModus(int modus);

    // The list the hits go into (the main window's result list).
    void setErgebnisliste(RecipeList* liste) { m_ergebnisliste = liste; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void abbrechen(); // "Abbrechen"

    QLineEdit* m_suchwort = nullptr;
    QLabel* m_jokerHinweis = nullptr;
    QRadioButton* m_volltext = nullptr; // full text
    QRadioButton* m_titel = nullptr; // title
    QRadioButton* m_zutaten = nullptr; // ingredients
    QRadioButton* m_autor = nullptr; // author
    QButtonGroup* m_modi = nullptr;
    QProgressBar* m_fortschritt = nullptr;
    QPushButton* m_suchen = nullptr;
    QPushButton* m_abbrechen = nullptr;

    RecipeList* m_ergebnisliste = nullptr;
    AppState& st;
};

} // namespace tk
