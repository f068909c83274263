#include "mainwin/gui/Meldungsfenster.h"

#include <QLabel>
#include <QPushButton>

#include "platform/gui/Meldung.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"
#include "mainwin/gui/Artwork.h"
#include "store/AppState.h"

namespace tk {

Meldungsfenster::Meldungsfenster(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , st(state)
{
    setObjectName(QStringLiteral("meldungsfenster"));
    setWindowTitle(QStringLiteral("Tellerkiste"));
    setModal(true);
    setFixedSize(303, 126);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(14, 14, 25, 53);
    Image1->setPixmap(messageIcon());
    Image1->setAlignment(Qt::AlignCenter);

    Label1 = new QLabel(QStringLiteral("Meldung"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(56, 8, 240, 75);
    Label1->setFixedSize(240, 75);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label1->setTextFormat(Qt::PlainText);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(95, 93, 113, 25);
    Button1->setDefault(true);
    Button1->setAutoDefault(true);
    connect(Button1, &QPushButton::clicked, this, &Meldungsfenster::Button1Click);
    setMeldungsfenster([this](const QString& text, const QString& caption) { Meldung(text, caption); });
}

Meldungsfenster::~Meldungsfenster() { setMeldungsfenster({}); }

void Meldungsfenster::Button1Click() { accept(); }

void Meldungsfenster::Meldung(const QString& text, const QString& caption)
{
    setWindowTitle(caption);
    // "\r" starts a new line; text beyond the fixed label is cut off by the label itself.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    Label1->setText(shown);
    adjustSize();
    centreOn(this, hauptfenster());
    Button1->setFocus();
    Modal::exec(this, caption, ModalKind::Meldung, text);
}

} // namespace tk
