#include "mainwin/gui/Aktualisierungsfenster.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "mainwin/gui/Meldungsfenster.h"
#include "platform/gui/Meldung.h"
#include "platform/TextLines.h"
#include "platform/gui/Modal.h"
#include "store/AppState.h"
#include "store/DbUpdate.h"
#include "store/Formats.h"
#include "mainwin/gui/Ladefenster.h"

namespace tk {

Aktualisierungsfenster::Aktualisierungsfenster(AppState& state, Fensterregister& forms, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
    , st(state)
    , forms(forms)
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
    Label1 = mk(QStringLiteral("Mit Hilfe dieser Funktion wird die Rezeptdatenbank komplett neu eingelesen."),
        "Label1", 8, 8, 402, 16);
    Label2
        = mk(QStringLiteral(
                 "Dabei werden fehlerhafte bzw. veraltete Eintrage gelöscht, repariert oder aktualisiert, "),
            "Label2", 8, 24, 402, 16);
    Label3 = mk(
        QStringLiteral("dies kann die Datenbank schneller und kleiner machen."), "Label3", 8, 40, 402, 16);

    Button1 = new QPushButton(QStringLiteral("Aktualisierung jetzt starten!"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(109, 64, 200, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { guarded(this, [&] { Button1Click(); }); });

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(8, 98, 402, 17);
    ProgressBar1->setRange(0, 0);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMaximum(1);

    Label4 = mk(QStringLiteral("Eintrag 0 von 0 wird aktualisiert"), "Label4", 8, 118, 402, 16);
    Label4->setAlignment(Qt::AlignCenter);
    Label5 = mk(QStringLiteral("Ergebnis:"), "Label5", 8, 138, 200, 16);
    QFont u = Label5->font();
    u.setUnderline(true);
    Label5->setFont(u);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QStringLiteral("Ergebnis"));
    Memo1->setReadOnly(true);
    Memo1->setGeometry(8, 156, 402, 116);

    Button2 = new QPushButton(QStringLiteral("Schließen"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(335, 280, 75, 25);
    connect(Button2, &QPushButton::clicked, this, &Aktualisierungsfenster::Button2Click);
}

void Aktualisierungsfenster::Button1Click()
{
    ProgressBar1->setValue(0);
    ProgressBar1->setMaximum(std::max(0, st.RezeptMax));
    // Every line is converted before the file is written once, atomically: a failure leaves the old index.
    st.sammlung.wandleIndex([this](const QStringList& lines) {
        return convertIndex(
            lines,
            [this](int done, int) {
                Label4->setText(
                    QStringLiteral("Eintrag %1 von %2 wird aktualisiert").arg(done).arg(st.RezeptMax));
                ProgressBar1->setValue(std::min(done, ProgressBar1->maximum()));
                QCoreApplication::processEvents();
            },
            [this] { Memo1->appendPlainText(QStringLiteral("Kategorien aktualisiert")); });
    });
    Meldung(QStringLiteral("Aktualisierung abgeschlossen!"), QStringLiteral("Fertig!"));
    forms.ladefenster->UpdateRezepte();
}

void Aktualisierungsfenster::Button2Click() { hide(); }

} // namespace tk
