#pragma once

#include <QDialog>

#include "mainwin/Forms.h"

namespace tk {

struct AppState;

class TForm13 : public QDialog {
    Q_OBJECT
public:
    TForm13(AppState& state, Forms& forms, QWidget* parent = nullptr);

private:
    AppState& st;
    Forms& forms;
};

} // namespace tk
