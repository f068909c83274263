#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tk {

struct AppState;

// "RezKonv-Export": shows the RezKonv text of a recipe so the user can change, save or copy it.
class RezKonvExportfenster : public QDialog {
    Q_OBJECT
public:
    RezKonvExportfenster(AppState& state, QWidget* parent = nullptr);

    // Replaces the memo's text with these lines.
    void setzeZeilen(const QStringList& zeilen);
    QStringList zeilen() const; // the memo's lines as the user left them

private:
    void speichern(); // Speichern
    void kopieren(); // In die Zwischenablage kopieren
    void schliessen(); // Schließen

    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_speichern = nullptr;
    QPushButton* m_kopieren = nullptr;
    QPushButton* m_schliessen = nullptr;

    AppState& st;
};

} // namespace tk
