#pragma once

#include <QDialog>
#include <QElapsedTimer>

#include "app/Fensterregister.h"

class QFrame;
class QLabel;
class QPushButton;

namespace tk {

struct AppState;

// The loading window; UpdateRezepte reads the index into the recipe table and the recipe list.
class Ladefenster : public QDialog {
    Q_OBJECT
public:
    Ladefenster(AppState& state, Fensterregister& forms, QWidget* parent = nullptr);

    // leise: the quiet reload after another copy's change, without the window and without taking the focus.
    void UpdateRezepte(bool leise = false);

    bool cancelled() const { return m_cancel; }
    static int barWidth(int n, int max) { return int(qint64(n) * 258 / (qint64(max) + 1)); }

    void reject() override;

private:
    QLabel* Label1 = nullptr;
    QFrame* Bevel1 = nullptr;
    QFrame* Shape1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Button1 = nullptr;

    void Button1Click();
    void progress(int n, int max, bool force);

    AppState& st;
    Fensterregister& forms;
    bool m_cancel = false;
    bool m_leise = false;
    QElapsedTimer m_paint;
};

} // namespace tk
