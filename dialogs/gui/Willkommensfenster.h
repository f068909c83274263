#pragma once

#include <QDialog>
#include <QPointer>
#include <QPoint>
#include <functional>

class QLabel;
class QTextEdit;
class QTimer;

namespace tk {

struct AppState;
class HotLabel;
class Klickbild;
class Ankreuzfeld;
class Einstellungsfenster;

// The welcome window: the welcome text over its picture, shown at start-up (or not, as the
// settings say) and from the menu. Its creation carries the start-up reading of the settings.
class Willkommensfenster : public QDialog {
    Q_OBJECT
public:
    // The welcome window keeps the main, settings and search windows hidden while it is up, and its
    // creation loads the settings through the settings window.
    Willkommensfenster(AppState& state, QWidget* haupt, Einstellungsfenster* einstellungen, QWidget* suche,
        QWidget* parent = nullptr);

    // Every 50 ms: keeps the other windows hidden, scrolls while an arrow is held, follows a drag.
    void takt();

    // Scrolls the text by whole lines (negative: toward its beginning).
    void blaettern(int lines);
    int obersteZeile() const; // the line of the text at the top of the field

    bool hochGedrueckt = false;
    bool runterGedrueckt = false;
    bool wirdGezogen = false;
    QPoint griff; // the grab point within the picture

    // Where the pointer is on the screen; tests move it without a real mouse.
    std::function<QPoint()> zeigerPosition;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void starten(); // settings read, then this window or the main window shown
    void hochDruecken();
    void hochLoslassen();
    void runterDruecken();
    void runterLoslassen();
    void hakenUmschalten(); // the box or its tick
    void weiter(); // "OK, weiter"
    void ziehenBeginnen(const QPoint& pos); // the background: dragging starts
    void ziehenBeenden();

    Klickbild* m_hintergrund = nullptr;
    QTextEdit* m_willkommenstext = nullptr;
    Klickbild* m_pfeilHoch = nullptr;
    Klickbild* m_pfeilRunter = nullptr;
    QLabel* m_immerAnzeigen = nullptr;
    Ankreuzfeld* m_ankreuzfeld = nullptr;
    QLabel* m_haken = nullptr;
    HotLabel* m_weiter = nullptr;
    QTimer* m_takt = nullptr;

    void pfeilLaden(Klickbild* arrow, const char* file);
    QList<int> zeilenOberkanten() const;

    AppState& st;
    QPointer<QWidget> m_haupt;
    QPointer<Einstellungsfenster> m_einstellungen;
    QPointer<QWidget> m_suche;
};

} // namespace tk
