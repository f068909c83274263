#include "mainwin/gui/Aktualisierungsfenster.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "platform/gui/Meldung.h"
#include "platform/TextLines.h"
#include "platform/gui/Modal.h"
#include "store/AppState.h"
#include "store/DbUpdate.h"
#include "store/Formats.h"

namespace tk {

Aktualisierungsfenster::Aktualisierungsfenster(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
    , st(state)
{
    setObjectName(QStringLiteral("aktualisierungsfenster"));
    setWindowTitle(QStringLiteral("Datenbank aktualisieren"));
    setFixedSize(418, 313);

    auto mk = [this](const QString& text, const char* name, int x, int y, int w, int h) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(x, y, w, h);
        return l;
    };
    m_zweck
        = mk(QStringLiteral("Mit Hilfe dieser Funktion wird die Rezeptdatenbank komplett neu eingelesen."),
            "zweck", 8, 8, 402, 16);
    m_wirkung
        = mk(QStringLiteral(
                 "Dabei werden fehlerhafte bzw. veraltete Eintrage gelöscht, repariert oder aktualisiert, "),
            "wirkung", 8, 24, 402, 16);
    m_nutzen = mk(
        QStringLiteral("dies kann die Datenbank schneller und kleiner machen."), "nutzen", 8, 40, 402, 16);

    m_starten = new QPushButton(QStringLiteral("Aktualisierung jetzt starten!"), this);
    m_starten->setObjectName(QStringLiteral("starten"));
    m_starten->setGeometry(109, 64, 200, 25);
    m_starten->setDefault(true);
    connect(m_starten, &QPushButton::clicked, this, [this] { guarded(this, [&] { starten(); }); });

    m_fortschritt = new QProgressBar(this);
    m_fortschritt->setObjectName(QStringLiteral("fortschritt"));
    m_fortschritt->setGeometry(8, 98, 402, 17);
    m_fortschritt->setRange(0, 0);
    m_fortschritt->setValue(0);
    m_fortschritt->setTextVisible(false);
    m_fortschritt->setMaximum(1);

    m_stand = mk(QStringLiteral("Eintrag 0 von 0 wird aktualisiert"), "stand", 8, 118, 402, 16);
    m_stand->setAlignment(Qt::AlignCenter);
    m_ergebnisBeschriftung = mk(QStringLiteral("Ergebnis:"), "ergebnisBeschriftung", 8, 138, 200, 16);
    QFont u = m_ergebnisBeschriftung->font();
    u.setUnderline(true);
    m_ergebnisBeschriftung->setFont(u);

    m_ergebnis = new QPlainTextEdit(this);
    m_ergebnis->setObjectName(QStringLiteral("ergebnis"));
    m_ergebnis->setAccessibleName(QStringLiteral("Ergebnis"));
    m_ergebnis->setReadOnly(true);
    m_ergebnis->setGeometry(8, 156, 402, 116);

    m_schliessen = new QPushButton(QStringLiteral("Schließen"), this);
    m_schliessen->setObjectName(QStringLiteral("schliessen"));
    m_schliessen->setGeometry(335, 280, 75, 25);
    connect(m_schliessen, &QPushButton::clicked, this, &Aktualisierungsfenster::schliessen);
}

void Aktualisierungsfenster::starten()
{
    m_fortschritt->setValue(0);
    m_fortschritt->setMaximum(std::max(0, st.sammlung.rezeptMax()));
    // Every line is converted before the file is written once, atomically: a failure leaves the old index.
    st.sammlung.wandleIndex([this](const QStringList& lines) {
        return convertIndex(
            lines,
            [this](int done, int) {
                m_stand->setText(QStringLiteral("Eintrag %1 von %2 wird aktualisiert")
                                     .arg(done)
                                     .arg(st.sammlung.rezeptMax()));
                m_fortschritt->setValue(std::min(done, m_fortschritt->maximum()));
                QCoreApplication::processEvents();
            },
            [this] { m_ergebnis->appendPlainText(QStringLiteral("Kategorien aktualisiert")); });
    });
    Meldung(QStringLiteral("Aktualisierung abgeschlossen!"), QStringLiteral("Fertig!"));
    emit aktualisiert();
}

void Aktualisierungsfenster::schliessen() { hide(); }

} // namespace tk
