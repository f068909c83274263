#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tk {

struct AppState;

// The message window: every notice and error of the program goes through Meldung.
class Meldungsfenster : public QDialog {
    Q_OBJECT
public:
    Meldungsfenster(AppState& state, QWidget* parent = nullptr);
    ~Meldungsfenster() override;

    void Meldung(const QString& text, const QString& caption);

private:
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;

    void Button1Click();
    AppState& st;
};

} // namespace tk
