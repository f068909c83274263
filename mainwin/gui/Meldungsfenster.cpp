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

    m_symbol = new QLabel(this);
    m_symbol->setObjectName(QStringLiteral("symbol"));
    m_symbol->setGeometry(14, 14, 25, 53);
    m_symbol->setPixmap(messageIcon());
    m_symbol->setAlignment(Qt::AlignCenter);

    m_text = new QLabel(QStringLiteral("Meldung"), this);
    m_text->setObjectName(QStringLiteral("text"));
    m_text->setGeometry(56, 8, 240, 75);
    m_text->setFixedSize(240, 75);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_text->setTextFormat(Qt::PlainText);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setGeometry(95, 93, 113, 25);
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    setMeldungsfenster([this](const QString& text, const QString& caption) { melde(text, caption); });
}

Meldungsfenster::~Meldungsfenster() { setMeldungsfenster({}); }

void Meldungsfenster::melde(const QString& text, const QString& caption)
{
    setWindowTitle(caption);
    // "\r" starts a new line; text beyond the fixed label is cut off by the label itself.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    m_text->setText(shown);
    adjustSize();
    centreOn(this, hauptfenster());
    m_ok->setFocus();
    Modal::exec(this, caption, ModalKind::Meldung, text);
}

} // namespace tk
