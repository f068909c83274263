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

private:
    void webseiteOeffnen(); // the team's name is a link to the web site

    QLabel* m_titel = nullptr;
    QLabel* m_bild = nullptr;
    HotLabel* m_team = nullptr;
    QListWidget* m_betatester = nullptr;
    QLabel* m_gruss = nullptr;

    AppState& st;
};

} // namespace tk
