#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace tk {

struct AppState;
class HotLabel;
class Farbtonbalken;

// The settings window: programme colour, font size of the main window and default author.
class Einstellungsfenster : public QDialog {
    Q_OBJECT
public:
    Einstellungsfenster(AppState& state, QWidget* parent = nullptr);

    // OK: applies and stores colour, size and author; the main window follows the signal.
    void uebernehmen();
    // A hue of the bar picked (also by a click on it).
    void farbtonGewaehlt(int farbton);

    // Start-up: reads the settings file, applies it through OK and reads the size back.
    void einstellungenLaden(); // read anew (another copy changed them), then applied as below
    // The settings read into the state applied through OK: fonts and colours of the windows, and the
    // keys written back (a clamped size is stored clamped).
    void einstellungenAnwenden();
    // "Einstellungen": the stored settings in the controls, the window centred on `ueber`.
    void zeigen(QWidget* ueber);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void normaleFarbeWaehlen(); // "Auf die normale Farbe zurücksetzen"
    void schriftgroesseGeaendert();
    void abbrechen();

    Farbtonbalken* m_farbbalken = nullptr;
    HotLabel* m_normaleFarbe = nullptr;
    QSlider* m_schriftgroesse = nullptr;
    QLabel* m_beispiel = nullptr;
    QLineEdit* m_autor = nullptr;
    QPushButton* m_uebernehmen = nullptr;
    QPushButton* m_abbrechen = nullptr;

    void vorschau(const QColor& background, const QColor& buttonText);

    AppState& st;
};

} // namespace tk
