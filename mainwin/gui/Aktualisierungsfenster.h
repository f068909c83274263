#pragma once

#include <QDialog>

#include "app/Fensterregister.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace tk {

struct AppState;

// The database update window: rewrites every live index entry in the current format.
class Aktualisierungsfenster : public QDialog {
    Q_OBJECT
public:
    Aktualisierungsfenster(AppState& state, Fensterregister& forms, QWidget* parent = nullptr);

    void Button1Click(); // "Aktualisierung jetzt starten!"
    void Button2Click(); // "Schließen"

private:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* Button1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button2 = nullptr;

    AppState& st;
    Fensterregister& forms;
};

} // namespace tk
