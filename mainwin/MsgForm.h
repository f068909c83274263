#pragma once

#include <QDialog>

#include "mainwin/Forms.h"

class QLabel;
class QPushButton;

namespace tk {

struct AppState;

// The message window: every notice and error of the program goes through Meldung.
class TForm9 : public QDialog {
    Q_OBJECT
public:
    TForm9(AppState& state, Forms& forms, QWidget* parent = nullptr);

    void Meldung(const QString& text, const QString& caption);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;

private:
    void Button1Click();
    AppState& st;
    Forms& forms;
};

} // namespace tk
