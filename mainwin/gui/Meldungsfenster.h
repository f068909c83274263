#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;

namespace tk {

struct AppState;

// The message window: every notice and error of the program goes through the free function Meldung, which
// calls melde().
class Meldungsfenster : public QDialog {
    Q_OBJECT
public:
    Meldungsfenster(AppState& state, QWidget* parent = nullptr);
    ~Meldungsfenster() override;

    void melde(const QString& text, const QString& caption);

private:
    void auslegen();

    QLabel* m_symbol = nullptr;
    QScrollArea* m_flaeche = nullptr;
    QLabel* m_text = nullptr;
    QPushButton* m_ok = nullptr;

    AppState& st;
};

} // namespace tk
