#pragma once

#include <QDialog>

#include "mainwin/Forms.h"

namespace tk {

struct AppState;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    TForm3(AppState& state, Forms& forms, QWidget* parent = nullptr);

private:
    AppState& st;
    Forms& forms;
};

} // namespace tk
