#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace tk {

struct AppState;
class HotLabel;
class HueBar;

// The settings window: programme colour, font size of the main window and default author.
class Einstellungsfenster : public QDialog {
    Q_OBJECT
public:
    Einstellungsfenster(AppState& state, QWidget* parent = nullptr);

    void FormCreate();
    void Image1MouseDown(int x); // picks the hue under the pointer
    void Label1Click(); // normal colours
    void TrackBar1Change();
    void Panel1Click(); // OK
    void Panel2Click(); // Abbrechen

    // Start-up: reads the settings file, applies it through OK and reads the size back.
    void EinstellungenLaden();
    // "Einstellungen": the stored settings in the controls, the window centred on `ueber`.
    void zeigen(QWidget* ueber);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    QLabel* Label2 = nullptr;
    HueBar* Image1 = nullptr;
    HotLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    void preview(const QColor& background, const QColor& buttonText);

    AppState& st;
};

} // namespace tk
