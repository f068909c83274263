#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QFrame;
class QLabel;
class QPushButton;

namespace tk {

struct AppState;
class Hauptfenster;

// The loading window; rezepteLaden reads the index into the recipe table and the recipe list.
class Ladefenster : public QDialog {
    Q_OBJECT
public:
    // The window fills the lists of `haupt` and keeps it disabled while a load runs.
    Ladefenster(AppState& state, Hauptfenster* haupt, QWidget* parent = nullptr);

    // leise: the quiet reload after another copy's change, without the window and without taking the focus.
    void rezepteLaden(bool leise = false);

    bool abgebrochen() const { return m_cancel; }
    static int balkenbreite(int n, int max) { return int(qint64(n) * 258 / (qint64(max) + 1)); }

    void reject() override;

signals:
    // The index holds entries of the old format: the database update is due.
    void altesFormat();

private:
    QLabel* m_hinweis = nullptr;
    QFrame* m_rahmen = nullptr;
    QFrame* m_balken = nullptr;
    QLabel* m_stand = nullptr;
    QPushButton* m_abbrechen = nullptr;

    void abbrechen();
    void fortschritt(int n, int max, bool force);
    void zeigen();

    AppState& st;
    Hauptfenster* m_haupt;
    bool m_cancel = false;
    bool m_leise = false;
    QElapsedTimer m_paint;
    QElapsedTimer m_uhr; // since the load began
    QWidget* m_hauptfenster = nullptr;
};

} // namespace tk
