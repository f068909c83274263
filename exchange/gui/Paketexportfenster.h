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

    void Button1Click(); // "Speichern"
    void Button2Click(); // "Abbrechen"

    // The list whose recipes go into the package (the main window's export list).
    void setExportliste(RecipeList* liste) { m_exportliste = liste; }

private:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr; // package name
    QLabel* Label3 = nullptr;
    QLineEdit* Edit2 = nullptr; // author
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    RecipeList* m_exportliste = nullptr;
    AppState& st;
};

} // namespace tk
