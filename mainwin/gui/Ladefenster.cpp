#include "mainwin/gui/Ladefenster.h"

#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "mainwin/gui/Meldungsfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/RecipeList.h"
#include "platform/gui/Meldung.h"
#include "platform/Error.h"
#include "platform/TextLines.h"
#include "platform/gui/Application.h"
#include "platform/gui/Placement.h"
#include "store/AppState.h"
#include "mainwin/gui/Aktualisierungsfenster.h"
#include "store/Formats.h"
#include "store/Webadressen.h"

namespace tk {

Ladefenster::Ladefenster(AppState& state, Fensterregister& forms, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , st(state)
    , forms(forms)
{
    setObjectName(QStringLiteral("ladefenster"));
    setWindowTitle(QStringLiteral("Brutzels Tellerkiste"));
    setFixedSize(271, 83);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    setFont(f);

    Label1 = new QLabel(QStringLiteral("Bitte warten, die Rezepte werden geladen..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(6, 6, 259, 16);
    // The sentence keeps its last dot also where the font runs wider than Arial.
    for (QFont lf = Label1->font(); Label1->sizeHint().width() > Label1->width() && lf.pointSizeF() > 6;) {
        lf.setPointSizeF(lf.pointSizeF() - 0.5);
        Label1->setFont(lf);
    }

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(6, 26, 259, 20);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setAutoFillBackground(true);
    QPalette pal = Shape1->palette();
    pal.setColor(
        QPalette::Window, QColor::fromRgb(8534528 & 0xFF, (8534528 >> 8) & 0xFF, (8534528 >> 16) & 0xFF));
    Shape1->setPalette(pal);
    Shape1->setGeometry(7, 26, 0, 19);

    Label2 = new QLabel(QStringLiteral("0 von 0"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setGeometry(6, 28, 259, 16);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    QPalette red = Label2->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label2->setPalette(red);
    Label2->setAttribute(Qt::WA_TransparentForMouseEvents);

    Button1 = new QPushButton(QStringLiteral("Abbrechen"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(98, 52, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &Ladefenster::Button1Click);
}

void Ladefenster::reject()
{
    // Escape and the window manager do not hide the loading window: after a failed load it is the
    // one way out ("Abbrechen") of a disabled main window.
}

void Ladefenster::Button1Click()
{
    m_cancel = true;
    Application::requestQuit();
}

void Ladefenster::progress(int n, int max, bool force)
{
    if (m_leise)
        return; // a reload for another copy's change runs without the window
    // The bar, its text and pending events ("Abbrechen") are brought up to date as often as a screen can
    // show them, about every 30 ms. A repaint, or even a pass of the event loop, per record would cost
    // more than the load itself: at half a million records it took seconds. The clock is read every 64
    // records only.
    if (!force && (n & 63) != 0)
        return;
    if (!force && m_paint.isValid() && m_paint.elapsed() < 30)
        return;
    Shape1->setFixedWidth(barWidth(n, max));
    Label2->setText(QStringLiteral("%1 von %2").arg(n).arg(max));
    Shape1->repaint();
    Label2->repaint();
    m_paint.restart();
    QCoreApplication::processEvents();
    if (m_cancel)
        Application::requestQuit();
}

void Ladefenster::UpdateRezepte(bool leise)
{
    Hauptfenster* main = forms.hauptfenster;
    m_cancel = false;
    m_leise = leise;
    if (!leise) {
        centreOn(this, main);
        show();
        raise();
        QCoreApplication::processEvents();
        if (main)
            main->setEnabled(false);
        repaint();
    }

    const QString index = indexPath(st.programDir);
    if (!QFileInfo::exists(index)) {
        Meldung(QStringLiteral(
                    "Die Datenbank kann nicht gelesen werden.\rBitte laden Sie die Tellerkiste neu von ")
                + QLatin1String(kWebseite) + QStringLiteral(" herunter!"),
            QStringLiteral("Schwerer Fehler"));
        return;
    }

    LoadOutcome out;
    QString damage;
    try {
        if (main)
            main->ladenBeginnt();
        std::vector<RecipeListModel::Entry> entries;
        m_paint.invalidate();
        int max = 0;
        int erreicht = 0;
        out = st.sammlung.lade(
            [&](int n) {
                if (n == 0) {
                    max = std::max(0, st.RezeptMax);
                    entries.reserve(size_t(max) + 1);
                }
                erreicht = n;
                progress(n, max, n == max);
            },
            [&](int n) {
                entries.push_back({ st.Rezepte[size_t(n)].Titel, n });
            });
        if (main)
            main->zeigeRezepte(std::move(entries));
        if (out.failed) {
            // The bar and its text show where the load stopped, not where they were last painted.
            Shape1->setFixedWidth(barWidth(erreicht, max));
            Label2->setText(QStringLiteral("%1 von %2").arg(erreicht).arg(max));
        }
        if (out.failed)
            damage = QStringLiteral(
                "Das Rezeptverzeichnis (index.dat) ist beschädigt: Zeile %1 fehlt oder ist keine Zahl.\r"
                "Die Rezepte bis dahin wurden geladen.")
                         .arg(out.failedLine);
    } catch (const std::exception& e) {
        out.failed = true;
        damage = messageOf(e);
    }

    if (out.failed) {
        // The load ended early: the window stays and the main window stays disabled, but the user
        // learns why.
        st.RezeptAnzahl = out.liveCount;
        Meldung(damage, QStringLiteral("Schwerer Fehler"));
    } else {
        hide();
        if (main) {
            main->setEnabled(true);
            if (!leise) {
                main->raise();
                main->activateWindow();
            }
            main->zeigeRezeptanzahl(out.liveCount);
        }
        st.ListeWirdGefuellt = false;
        st.RezeptAnzahl = out.liveCount;
        if (main)
            main->rangVorbereiten();
    }
    if (out.oldFormat) {
        if (forms.aktualisierungsfenster) {
            centreOn(forms.aktualisierungsfenster, main);
            forms.aktualisierungsfenster->show();
        }
        Meldung(QStringLiteral("Die Rezepte sind (teilweise) noch im alten Format. Dies führt zu Fehlern bei "
                               "ihrer Darstellung. Bitte führen Sie die Datenbankaktualisierung durch!"),
            QStringLiteral("Achtung!"));
    }
}

} // namespace tk
