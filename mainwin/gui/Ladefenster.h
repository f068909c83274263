#pragma once

#include <QDialog>
#include <QElapsedTimer>

#include "app/Fensterregister.h"

class QFrame;
class QLabel;
class QPushButton;

namespace tk {

struct AppState;

// The loading window; rezepteLaden reads the index into the recipe table and the recipe list.
class Ladefenster : public QDialog {
    Q_OBJECT
public:
    Ladefenster(AppState& state, Fensterregister& forms, QWidget* parent = nullptr);

    // leise: the quiet reload after another copy's change, without the window and without taking the focus.
    void rezepteLaden(bool leise = false);

    bool abgebrochen() const { return m_cancel; }
    static int balkenbreite(int n, int max) { return int(qint64(n) * 258 / (qint64(max) + 1)); }

    void reject() override;

private:
    QLabel* m_hinweis = nullptr;
    QFrame* m_rahmen = nullptr;
    QFrame* m_balken = nullptr;
    QLabel* m_stand = nullptr;
    QPushButton* m_abbrechen = nullptr;

    void abbrechen();
    void fortschritt(int n, int max, bool force);

    AppState& st;
    Fensterregister& forms;
    bool m_cancel = false;
    bool m_leise = false;
    QElapsedTimer m_paint;
};

} // namespace tk
