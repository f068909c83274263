#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QWidget>
#include <functional>

#include "exchange/Ausgabe.h"
#include "exchange/Mengen.h"
#include "kochen/Kochschritte.h"
#include "kochen/gui/Signalton.h"
#include "platform/IniFile.h"
#include "settings/gui/Farbschema.h"

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;
class QTimer;
class QVBoxLayout;

namespace tk {

class Halbzahlfeld;
class Wachhalter;

// "Kochmodus": one recipe at the stove, full screen and in large type: its steps one at a time, the
// ingredients for the chosen portions with those the step mentions in bold, and timers for the
// times the step names. The screen stays on while it is open. It changes no file of the collection.
class Kochmodusfenster : public QWidget {
    Q_OBJECT
public:
    explicit Kochmodusfenster(const QString& programDir, QWidget* parent = nullptr);
    ~Kochmodusfenster() override;

    // The program's font size (its type grows with it) and colour scheme (the light shade behind).
    void setDarstellung(int schriftgroesse, const Farbschema& farben);

    // Shows a recipe as stored, from its first step, at `portionen` counted as its quantity counts
    // (0: its own quantity), full screen on the screen of the window that opened it.
    void zeige(const RezeptAnsicht& rezept, double portionen = 0);

    // The clock the timers count down by, in milliseconds; tests run their own.
    void setUhr(std::function<qint64()> millisekunden);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    struct Laufuhr {
        QString name;
        qint64 ende = 0;
        int bisSekunden = 0; // the upper end of a range, named beside the countdown; 0 when none
        bool fertig = false;
        QFrame* zeile = nullptr;
        QLabel* anzeige = nullptr;
    };

    void zeigeSchritt(int i);
    void blaettern(int um);
    void neuBerechnen();
    void hervorheben();
    void groesser(int prozent);
    void anwenden();
    void einpassen();
    double rahmen() const;
    double inhalt() const;
    void starteTimer(const Dauer& dauer, const QString& name);
    void stoppeTimer(QFrame* zeile);
    void ticken();
    void ablaufen(Laufuhr& uhr);
    void zeigeLaufuhr(const Laufuhr& uhr, qint64 jetzt);
    bool laufenTimer() const;

    IniFile m_einstellungen;
    int m_schriftgroesse = 10;
    Farbschema m_farben;
    int m_prozent = 100;

    RezeptAnsicht m_rezept;
    double m_basis = 1; // the portions the recipe is written for
    QList<Kochschritt> m_schritte;
    int m_schritt = 0;

    QList<Laufuhr> m_uhren;
    std::function<qint64()> m_uhr;
    QElapsedTimer m_seitStart;
    QTimer* m_takt = nullptr;
    int m_blinken = 0; // ticks of flashing left

    Signalton m_ton;
    Wachhalter* m_wach = nullptr;

    QLabel* m_titel = nullptr;
    Halbzahlfeld* m_portionen = nullptr;
    QLabel* m_einheit = nullptr;
    QPushButton* m_schliessen = nullptr;
    QListWidget* m_zutaten = nullptr;
    QLabel* m_ueberschrift = nullptr;
    QScrollArea* m_schrittBereich = nullptr;
    QLabel* m_text = nullptr;
    QLabel* m_keineZeit = nullptr;
    QWidget* m_timerKnoepfe = nullptr;
    QPushButton* m_zurueck = nullptr;
    QLabel* m_stand = nullptr;
    QPushButton* m_weiter = nullptr;
    QWidget* m_timerSpalte = nullptr;
    QVBoxLayout* m_timerListe = nullptr;
};

} // namespace tk
