#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tk {

class RecipeList;

struct AppState;

// The export window: names the package and saves the export list as a recipe package.
class Paketexportfenster : public QDialog {
    Q_OBJECT
public:
    Paketexportfenster(AppState& state, QWidget* parent = nullptr);

    void speichern(); // "Speichern"

    // The list whose recipes go into the package (the main window's export list).
    void setExportliste(RecipeList* liste) { m_exportliste = liste; }

private:
    void abbrechen(); // "Abbrechen"

    QLineEdit* m_paketname = nullptr; // package name
    QLineEdit* m_autor = nullptr; // author
    QPushButton* m_speichern = nullptr;
    QPushButton* m_abbrechen = nullptr;

    RecipeList* m_exportliste = nullptr;
    AppState& st;
};

} // namespace tk
