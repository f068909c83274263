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
class PressPicture;
class TickBox;
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

    void FormCreate();
    void Image4MouseDown();
    void Image4MouseUp();
    void Image5MouseDown();
    void Image5MouseUp();
    void Label3MouseDown(); // the box or its tick
    void Shape1MouseDown(); // "OK, weiter"
    void Image1MouseDown(const QPoint& pos); // the background: dragging starts
    void Image1MouseUp();
    void Timer1Timer();

    // Scrolls the text by whole lines (negative: toward its beginning).
    void scrollLines(int lines);
    int topLine() const; // the line of the text at the top of the field

    bool PfeilHoch = false;
    bool PfeilRunter = false;
    bool Ziehen = false;
    QPoint Griff; // the grab point within the picture

    // Where the pointer is on the screen; tests move it without a real mouse.
    std::function<QPoint()> pointerPos;

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    PressPicture* Image6 = nullptr;
    QTextEdit* RichEdit1 = nullptr;
    PressPicture* Image4 = nullptr;
    PressPicture* Image5 = nullptr;
    QLabel* Label4 = nullptr;
    TickBox* Shape2 = nullptr;
    QLabel* Label3 = nullptr;
    HotLabel* Label2 = nullptr;
    QTimer* Timer1 = nullptr;

    void loadArrow(PressPicture* arrow, const char* file);
    QList<int> lineTops() const;

    AppState& st;
    QPointer<QWidget> m_haupt;
    QPointer<Einstellungsfenster> m_einstellungen;
    QPointer<QWidget> m_suche;
};

} // namespace tk
