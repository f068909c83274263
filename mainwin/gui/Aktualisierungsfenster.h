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

    void starten(); // "Aktualisierung jetzt starten!"
    void schliessen(); // "Schließen"

private:
    QLabel* m_zweck = nullptr;
    QLabel* m_wirkung = nullptr;
    QLabel* m_nutzen = nullptr;
    QPushButton* m_starten = nullptr;
    QProgressBar* m_fortschritt = nullptr;
    QLabel* m_stand = nullptr;
    QLabel* m_ergebnisBeschriftung = nullptr;
    QPlainTextEdit* m_ergebnis = nullptr;
    QPushButton* m_schliessen = nullptr;

    AppState& st;
    Fensterregister& forms;
};

} // namespace tk
