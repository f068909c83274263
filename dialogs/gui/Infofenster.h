#pragma once

#include <QDialog>

class QLabel;
class QListWidget;

namespace tk {

struct AppState;
class HotLabel;

// The about window: product, version, credits and a short notice.
class Infofenster : public QDialog {
    Q_OBJECT
public:
    Infofenster(AppState& state, QWidget* parent = nullptr);

    void FormCreate();
    void Label3Click();

private:
    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label2 = nullptr;
    HotLabel* Label3 = nullptr;
    QLabel* Label12 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;

    AppState& st;
};

} // namespace tk
