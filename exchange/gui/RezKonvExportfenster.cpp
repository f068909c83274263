#include "exchange/gui/RezKonvExportfenster.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/TextLines.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"
#include "store/AppState.h"

namespace tk {

RezKonvExportfenster::RezKonvExportfenster(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint)
    , st(state)
{
    setObjectName(QStringLiteral("rezKonvExportfenster"));
    setWindowTitle(QStringLiteral("RezKonv-Export"));
    setSizeGripEnabled(true);

    auto* lay = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("Das gewählte Rezept wurde in das RezKonv-Format umgewandelt und kann "
                                       "jetzt weiterverwendet werden."),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    lay->addWidget(Label1);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QStringLiteral("RezKonv-Text"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    lay->addWidget(Memo1, 1);

    auto* buttons = new QHBoxLayout;
    Button1 = new QPushButton(QStringLiteral("Speichern"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("In die Zwischenablage kopieren"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button3 = new QPushButton(QStringLiteral("Schließen"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    for (QPushButton* b : { Button1, Button2, Button3 }) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    lay->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, [this] { guarded(this, [&] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { guarded(this, [&] { Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { guarded(this, [&] { Button3Click(); }); });

    resize(530, 331);
    centreOnScreen(this);
}

void RezKonvExportfenster::setzeZeilen(const QStringList& zeilen) { Memo1->setPlainText(zeilen.join(u'\n')); }

QStringList RezKonvExportfenster::zeilen() const
{
    const QString text = Memo1->toPlainText();
    if (text.isEmpty())
        return {};
    return text.split(u'\n');
}

void RezKonvExportfenster::Button1Click()
{
    const QString datei = saveFileName(this, QStringLiteral("Speichern unter"),
        QStringLiteral("Textdateien (*.txt)"), QString(), QStringLiteral("txt"));
    if (datei.isEmpty())
        return;
    saveLines(datei, zeilen());
}

void RezKonvExportfenster::Button2Click() { QGuiApplication::clipboard()->setText(Memo1->toPlainText()); }

void RezKonvExportfenster::Button3Click() { hide(); }

} // namespace tk
