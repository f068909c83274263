#include "exchange/gui/Umrechnungsfenster.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "exchange/Kuechenwoerter.h"
#include "platform/ShownText.h"
#include "exchange/gui/Druckausgabe.h"
#include "exchange/gui/Halbzahlfeld.h"
#include "exchange/gui/PdfAusgabe.h"
#include "platform/gui/FontSize.h"
#include "platform/gui/Modal.h"

namespace tk {

Umrechnungsfenster::Umrechnungsfenster(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("umrechnungsfenster"));
    setWindowTitle(QStringLiteral("Rezept umrechnen"));
    setSizeGripEnabled(true);

    auto* lay = new QVBoxLayout(this);
    m_titel = new QLabel(this);
    m_titel->setObjectName(QStringLiteral("titel"));
    m_titel->setWordWrap(true);
    relativeFontSize(m_titel, 2, true);
    lay->addWidget(m_titel);

    auto* raster = new QGridLayout;
    auto* mengeText = new QLabel(QStringLiteral("Menge:"), this);
    m_menge = new QLabel(this);
    m_menge->setObjectName(QStringLiteral("menge"));
    m_menge->setWordWrap(true);
    raster->addWidget(mengeText, 0, 0);
    raster->addWidget(m_menge, 0, 1, 1, 2);
    auto* aufText = new QLabel(QStringLiteral("Umrechnen &auf"), this);
    m_umrechnenAuf = new Halbzahlfeld(this);
    m_umrechnenAuf->setObjectName(QStringLiteral("umrechnenAuf"));
    m_umrechnenAuf->setAccessibleName(QStringLiteral("Umrechnen auf"));
    aufText->setBuddy(m_umrechnenAuf);
    m_einheit = new QLabel(this);
    m_einheit->setObjectName(QStringLiteral("einheit"));
    raster->addWidget(aufText, 1, 0);
    raster->addWidget(m_umrechnenAuf, 1, 1);
    raster->addWidget(m_einheit, 1, 2);
    raster->setColumnStretch(2, 1);
    lay->addLayout(raster);

    m_zutaten = new QListWidget(this);
    m_zutaten->setObjectName(QStringLiteral("zutaten"));
    m_zutaten->setAccessibleName(QStringLiteral("Zutaten"));
    m_zutaten->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_zutaten->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lay->addWidget(m_zutaten, 1);

    auto* knoepfe = new QHBoxLayout;
    auto knopf = [&](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        // Return presses the button that has the focus; none is the default, so Return in a field
        // presses nothing.
        b->setAutoDefault(true);
        knoepfe->addWidget(b);
        return b;
    };
    QPushButton* bDrucken = knopf(QStringLiteral("&Drucken"), "drucken");
    QPushButton* bKopieren = knopf(QStringLiteral("&Kopieren"), "kopieren");
    QPushButton* bEinkauf = knopf(QStringLiteral("Auf die &Einkaufsliste"), "aufEinkaufsliste");
    knoepfe->addStretch(1);
    QPushButton* bSchliessen = knopf(QStringLiteral("&Schließen"), "schliessen");
    lay->addLayout(knoepfe);

    connect(m_umrechnenAuf, &QDoubleSpinBox::valueChanged, this, [this] { neuBerechnen(); });
    connect(bDrucken, &QPushButton::clicked, this, [this] { guarded(this, [&] { drucken(); }); });
    connect(bKopieren, &QPushButton::clicked, this, [this] { kopieren(); });
    connect(bEinkauf, &QPushButton::clicked, this, [this] {
        const RezeptAnsicht a = umgerechnet();
        emit aufEinkaufsliste(a.zutaten, a.titel);
    });
    connect(bSchliessen, &QPushButton::clicked, this, &QWidget::hide);

    resize(420, 440);
}

void Umrechnungsfenster::zeige(const RezeptAnsicht& rezept)
{
    uebernehmen(rezept);
    m_umrechnenAuf->setFocus();
    m_umrechnenAuf->selectAll();
}

void Umrechnungsfenster::folge(const RezeptAnsicht& rezept)
{
    if (rezept.titel == m_rezept.titel && rezept.menge == m_rezept.menge && rezept.zutaten == m_rezept.zutaten
        && rezept.zeilen == m_rezept.zeilen)
        return;
    uebernehmen(rezept);
}

void Umrechnungsfenster::uebernehmen(const RezeptAnsicht& rezept)
{
    m_rezept = rezept;
    m_portionen = lesePortionen(rezept.menge);
    m_titel->setText(shownTitle(rezept.titel));
    m_menge->setText(rezept.menge);
    m_einheit->setText(m_portionen.einheit);
    const QSignalBlocker still(m_umrechnenAuf);
    // "für 1 Blech" goes down to ½ Blech; 4 Personen count in whole persons.
    m_umrechnenAuf->setHalbe(m_portionen.anzahl <= 2);
    m_umrechnenAuf->setValue(m_portionen.anzahl);
    neuBerechnen();
}

RezeptAnsicht Umrechnungsfenster::umgerechnet() const
{
    RezeptAnsicht a = m_rezept;
    const double auf = m_umrechnenAuf->value();
    const double faktor = auf / m_portionen.anzahl;
    a.menge = skalierePortionen(m_rezept.menge, auf);
    for (QString& z : a.zutaten)
        z = skaliereZeile(z, faktor);
    return a;
}

void Umrechnungsfenster::neuBerechnen()
{
    const double faktor = m_umrechnenAuf->value() / m_portionen.anzahl;
    // "1 Person", "2 Bleche": the word beside the number follows it.
    const Kuechenwoerter::Treffer wort = Kuechenwoerter::tabelle().finde(m_portionen.einheit);
    m_einheit->setText(wort && wort.form(false) != wort.form(true)
            ? wort.form(m_umrechnenAuf->value() > 1, true)
            : m_portionen.einheit);
    m_zutaten->clear();
    for (const QString& z : m_rezept.zutaten) {
        const Skaliert s = skaliere(z, faktor);
        // A rounded count says so: "≈ 1 Ei", the exact amount beside it.
        auto* item = new QListWidgetItem(s.gerundet ? QStringLiteral("≈ ") + s.text : s.text, m_zutaten);
        if (s.gerundet) {
            item->setToolTip(QStringLiteral("Gerundet, genau: ") + s.genau);
            item->setData(Qt::AccessibleDescriptionRole, item->toolTip());
        }
    }
}

void Umrechnungsfenster::drucken()
{
    const RezeptAnsicht a = umgerechnet();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(a.titel);
    if (!printDialog(this, &printer))
        return;
    const QSize bereich = druckbereich(printer);
    RezeptAnsicht seite = a;
    seite.zeilen = umbrochen(a.zeilen, printer, bereich.width() - 100 * druckEinheit(bereich.width()));
    druckeLayout(printer, druckLayout(seite, bereich.width(), bereich.height()));
}

void Umrechnungsfenster::kopieren()
{
    QGuiApplication::clipboard()->setText(zwischenablageText(umgerechnet()));
}

} // namespace tk
