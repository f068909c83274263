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
    auto* hinweis
        = new QLabel(QStringLiteral("Das gewählte Rezept wurde in das RezKonv-Format umgewandelt und kann "
                                    "jetzt weiterverwendet werden."),
            this);
    hinweis->setWordWrap(true);
    lay->addWidget(hinweis);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("text"));
    m_text->setAccessibleName(QStringLiteral("RezKonv-Text"));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    lay->addWidget(m_text, 1);

    auto* buttons = new QHBoxLayout;
    m_speichern = new QPushButton(QStringLiteral("Speichern"), this);
    m_speichern->setObjectName(QStringLiteral("speichern"));
    m_kopieren = new QPushButton(QStringLiteral("In die Zwischenablage kopieren"), this);
    m_kopieren->setObjectName(QStringLiteral("kopieren"));
    m_schliessen = new QPushButton(QStringLiteral("Schließen"), this);
    m_schliessen->setObjectName(QStringLiteral("schliessen"));
    for (QPushButton* b : { m_speichern, m_kopieren, m_schliessen }) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    lay->addLayout(buttons);

    connect(m_speichern, &QPushButton::clicked, this, [this] { guarded(this, [&] { speichern(); }); });
    connect(m_kopieren, &QPushButton::clicked, this, [this] { guarded(this, [&] { kopieren(); }); });
    connect(m_schliessen, &QPushButton::clicked, this, [this] { guarded(this, [&] { schliessen(); }); });

    resize(530, 331);
    centreOnScreen(this);
}

void RezKonvExportfenster::setzeZeilen(const QStringList& zeilen)
{
    m_text->setPlainText(zeilen.join(u'\n'));
}

QStringList RezKonvExportfenster::zeilen() const
{
    const QString text = m_text->toPlainText();
    if (text.isEmpty())
        return {};
    return text.split(u'\n');
}

void RezKonvExportfenster::speichern()
{
    const QString datei = saveFileName(this, QStringLiteral("Speichern unter"),
        QStringLiteral("Textdateien (*.txt)"), QString(), QStringLiteral("txt"));
    if (datei.isEmpty())
        return;
    saveLines(datei, zeilen());
}

void RezKonvExportfenster::kopieren() { QGuiApplication::clipboard()->setText(m_text->toPlainText()); }

void RezKonvExportfenster::schliessen() { hide(); }

} // namespace tk
