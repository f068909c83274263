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

    void Button1Click(); // Speichern
    void Button2Click(); // In die Zwischenablage kopieren
    void Button3Click(); // Schließen

private:
    QLabel* Label1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

    AppState& st;
};

} // namespace tk
