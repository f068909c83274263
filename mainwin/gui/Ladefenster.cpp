#include "mainwin/gui/Ladefenster.h"

#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/RecipeList.h"
#include "platform/gui/Meldung.h"
#include "platform/BrokenLink.h"
#include "platform/Error.h"
#include "platform/TextLines.h"
#include "platform/gui/Application.h"
#include "platform/gui/Placement.h"
#include "store/AppState.h"
#include "store/Formats.h"
#include "store/Webadressen.h"

namespace tk {

Ladefenster::Ladefenster(AppState& state, Hauptfenster* haupt, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , st(state)
    , m_haupt(haupt)
{
    setObjectName(QStringLiteral("ladefenster"));
    setWindowTitle(QStringLiteral("Brutzels Tellerkiste"));
    setFixedSize(271, 83);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    setFont(f);

    m_hinweis = new QLabel(QStringLiteral("Bitte warten, die Rezepte werden geladen..."), this);
    m_hinweis->setObjectName(QStringLiteral("hinweis"));
    m_hinweis->setGeometry(6, 6, 259, 16);
    // The sentence keeps its last dot also where the font runs wider than Arial.
    for (QFont lf = m_hinweis->font();
         m_hinweis->sizeHint().width() > m_hinweis->width() && lf.pointSizeF() > 6;) {
        lf.setPointSizeF(lf.pointSizeF() - 0.5);
        m_hinweis->setFont(lf);
    }

    m_rahmen = new QFrame(this);
    m_rahmen->setObjectName(QStringLiteral("rahmen"));
    m_rahmen->setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_rahmen->setGeometry(6, 26, 259, 20);

    m_balken = new QFrame(this);
    m_balken->setObjectName(QStringLiteral("balken"));
    m_balken->setAutoFillBackground(true);
    QPalette pal = m_balken->palette();
    pal.setColor(
        QPalette::Window, QColor::fromRgb(8534528 & 0xFF, (8534528 >> 8) & 0xFF, (8534528 >> 16) & 0xFF));
    m_balken->setPalette(pal);
    m_balken->setGeometry(7, 26, 0, 19);

    m_stand = new QLabel(QStringLiteral("0 von 0"), this);
    m_stand->setObjectName(QStringLiteral("stand"));
    m_stand->setAlignment(Qt::AlignCenter);
    m_stand->setGeometry(6, 28, 259, 16);
    QFont bold = m_stand->font();
    bold.setBold(true);
    m_stand->setFont(bold);
    QPalette red = m_stand->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    m_stand->setPalette(red);
    m_stand->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_abbrechen->setObjectName(QStringLiteral("abbrechen"));
    m_abbrechen->setGeometry(98, 52, 75, 25);
    connect(m_abbrechen, &QPushButton::clicked, this, &Ladefenster::abbrechen);
}

void Ladefenster::reject()
{
    // Escape and the window manager do not hide the loading window: after a failed load it is the
    // one way out ("Abbrechen") of a disabled main window.
}

void Ladefenster::abbrechen()
{
    m_cancel = true;
    Application::requestQuit();
}

void Ladefenster::zeigen()
{
    centreOn(this, m_hauptfenster);
    show();
    raise();
    QCoreApplication::processEvents();
    repaint();
}

void Ladefenster::fortschritt(int n, int max, bool force)
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
    // A load done within half a second shows no window: it would only flash.
    if (!isVisible() && m_uhr.isValid() && m_uhr.elapsed() >= 500)
        zeigen();
    m_balken->setFixedWidth(balkenbreite(n, max));
    m_stand->setText(QStringLiteral("%1 von %2").arg(n).arg(max));
    if (isVisible()) {
        m_balken->repaint();
        m_stand->repaint();
    }
    m_paint.restart();
    QCoreApplication::processEvents();
    if (m_cancel)
        Application::requestQuit();
}

void Ladefenster::rezepteLaden(bool leise)
{
    Hauptfenster* main = m_haupt;
    m_cancel = false;
    m_leise = leise;
    m_hauptfenster = main;
    m_uhr.invalidate();
    if (!leise) {
        m_uhr.start();
        if (main)
            main->setEnabled(false);
    }

    const QString index = indexPath(st.programDir);
    if (!QFileInfo::exists(index)) {
        zeigen(); // it stays: its "Abbrechen" is the way out
        // A link that leads nowhere is for the user to mend; a new copy of the program would not help.
        const QString link = brokenLinkMessage(index);
        if (!link.isEmpty()) {
            Meldung(QStringLiteral("Die Datenbank kann nicht gelesen werden.\r") + link,
                QStringLiteral("Schwerer Fehler"));
            return;
        }
        Meldung(QStringLiteral(
                    "Die Datenbank kann nicht gelesen werden.\rBitte laden Sie die Tellerkiste neu von ")
                + QLatin1String(kWebseite) + QStringLiteral(" herunter!"),
            QStringLiteral("Schwerer Fehler"));
        return;
    }

    Ladeergebnis out;
    QString damage;
    try {
        if (main)
            main->ladenBeginnt();
        std::vector<RecipeListModel::Entry> entries;
        m_paint.invalidate();
        int max = 0;
        int erreicht = 0;
        out = st.sammlung.lade(
            st.aktuelleKategorie,
            [&](int n) {
                if (n == 0) {
                    max = std::max(0, st.sammlung.rezeptMax());
                    // The table, not line 0: a damaged line 0 may claim two billion recipes.
                    entries.reserve(st.sammlung.rezepte().size());
                }
                erreicht = n;
                fortschritt(n, max, n == max);
            },
            [&](int n) {
                entries.push_back({ st.sammlung.rezepte()[size_t(n)].titel, n });
            });
        if (main)
            main->zeigeRezepte(std::move(entries));
        if (out.abgebrochen) {
            // The bar and its text show where the load stopped, not where they were last painted.
            m_balken->setFixedWidth(balkenbreite(erreicht, max));
            m_stand->setText(QStringLiteral("%1 von %2").arg(erreicht).arg(max));
        }
        if (out.abgebrochen)
            damage = QStringLiteral(
                "Das Rezeptverzeichnis (index.dat) ist beschädigt: Zeile %1 fehlt oder ist keine Zahl.\r"
                "Die Rezepte bis dahin wurden geladen.")
                         .arg(out.abbruchZeile);
    } catch (const std::exception& e) {
        out.abgebrochen = true;
        damage = messageOf(e);
    }

    if (out.abgebrochen) {
        // The load ended early: the window stays and the main window stays disabled, but the user
        // learns why.
        if (!leise && !isVisible())
            zeigen();
        Meldung(damage, QStringLiteral("Schwerer Fehler"));
    } else {
        hide();
        if (main) {
            main->setEnabled(true);
            if (!leise) {
                main->raise();
                main->activateWindow();
            }
            main->zeigeRezeptanzahl(out.lebend);
        }
        st.listeWirdGefuellt = false;
        if (main)
            main->rangVorbereiten();
    }
    if (out.altesFormat) {
        emit altesFormat();
        Meldung(QStringLiteral("Die Rezepte sind (teilweise) noch im alten Format. Dies führt zu Fehlern bei "
                               "ihrer Darstellung. Bitte führen Sie die Datenbankaktualisierung durch!"),
            QStringLiteral("Achtung!"));
    }
}

} // namespace tk
