#pragma once

#include <QDialog>

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
    explicit Aktualisierungsfenster(AppState& state, QWidget* parent = nullptr);

    void starten(); // "Aktualisierung jetzt starten!"
    void schliessen(); // "Schließen"

signals:
    // The index was rewritten and the user told so: the collection must be read again.
    void aktualisiert();

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
};

} // namespace tk
