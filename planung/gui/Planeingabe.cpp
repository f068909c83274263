#include "planung/gui/Planeingabe.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "planung/Wochenplan.h"

namespace tk {

Planeingabe::Planeingabe(const QString& titel, const QString& frage, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("planeingabe"));
    setWindowTitle(titel);
    auto* lay = new QVBoxLayout(this);
    auto* frageText = new QLabel(frage, this);
    frageText->setObjectName(QStringLiteral("frage"));
    frageText->setWordWrap(true);
    lay->addWidget(frageText);
    m_felder = new QFormLayout;
    lay->addLayout(m_felder);
    auto* knoepfe = new QDialogButtonBox(this);
    m_ok = knoepfe->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("ok"));
    knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("abbrechen"));
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    lay->addWidget(knoepfe);
    setMinimumWidth(360);
}

void Planeingabe::mitText(const QString& vorgabe)
{
    m_text = new QLineEdit(vorgabe, this);
    m_text->setObjectName(QStringLiteral("text"));
    m_text->setAccessibleName(QStringLiteral("Eintrag"));
    m_text->setMaxLength(200);
    m_text->selectAll();
    m_felder->addRow(QStringLiteral("&Eintrag:"), m_text);
    connect(m_text, &QLineEdit::textChanged, this, &Planeingabe::pruefen);
    pruefen();
}

void Planeingabe::mitTag(QDate vorgabe)
{
    m_tag = new QDateEdit(vorgabe, this);
    m_tag->setObjectName(QStringLiteral("tag"));
    m_tag->setAccessibleName(QStringLiteral("Tag"));
    // The program speaks German whatever the machine's language.
    m_tag->setLocale(QLocale(QLocale::German, QLocale::Germany));
    m_tag->setDisplayFormat(QStringLiteral("dddd, dd.MM.yyyy"));
    m_tag->setCalendarPopup(true);
    m_felder->addRow(QStringLiteral("&Tag:"), m_tag);
}

void Planeingabe::mitPortionen(int vorgabe)
{
    m_portionen = new QSpinBox(this);
    m_portionen->setObjectName(QStringLiteral("portionen"));
    m_portionen->setAccessibleName(QStringLiteral("Portionen"));
    m_portionen->setRange(1, kMaxPortionen);
    m_portionen->setValue(vorgabe);
    m_portionen->selectAll();
    m_felder->addRow(QStringLiteral("&Portionen:"), m_portionen);
}

QString Planeingabe::text() const { return m_text ? m_text->text().simplified() : QString(); }
QDate Planeingabe::tag() const { return m_tag ? m_tag->date() : QDate(); }
int Planeingabe::portionen() const { return m_portionen ? m_portionen->value() : 0; }

void Planeingabe::pruefen() { m_ok->setEnabled(!m_text || !text().isEmpty()); }

} // namespace tk
