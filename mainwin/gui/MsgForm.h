#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tk {

struct AppState;

// The message window: every notice and error of the program goes through Meldung.
class TForm9 : public QDialog {
    Q_OBJECT
public:
    TForm9(AppState& state, QWidget* parent = nullptr);
    ~TForm9() override;

    void Meldung(const QString& text, const QString& caption);

private:
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;

    void Button1Click();
    AppState& st;
};

} // namespace tk
