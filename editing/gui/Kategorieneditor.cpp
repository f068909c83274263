#include "editing/gui/Kategorieneditor.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "platform/gui/Meldung.h"
#include "platform/Error.h"
#include "platform/TextLines.h"
#include "platform/gui/Modal.h"
#include "store/AppState.h"
#include "store/Formats.h"

namespace tk {

namespace {
    const QString kHinweis
        = QStringLiteral("Bitte einen Eintrag wählen, um ihn zu löschen oder zu editieren");
    const QString kStandard = QStringLiteral("Die Standartkategorien können nicht bearbeitet werden");
    constexpr int kErsteEigene = 15;
}

Kategorieneditor::Kategorieneditor(AppState& state, QWidget* parent)
    : QDialog(parent)
    , st(state)
{
    setObjectName(QStringLiteral("kategorieneditor"));
    setWindowTitle(QStringLiteral("Kategorien bearbeiten"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(481, 264);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    setFont(f);

    m_kategorien = new QListWidget(this);
    m_kategorien->setObjectName(QStringLiteral("kategorien"));
    m_kategorien->setAccessibleName(QStringLiteral("Kategorien"));
    m_kategorien->setGeometry(8, 8, 209, 209);
    m_kategorien->installEventFilter(this);

    m_hinweis = new QLabel(kHinweis, this);
    m_hinweis->setObjectName(QStringLiteral("hinweis"));
    m_hinweis->setGeometry(8, 222, 370, 34);
    m_hinweis->setWordWrap(true);
    m_hinweis->setTextFormat(Qt::PlainText);

    auto group = [this](const QString& title, int top, int height) {
        auto* g = new QGroupBox(title, this);
        g->setGeometry(226, top, 247, height);
        return g;
    };
    auto button = [](const char* name, const QString& text, QWidget* parent, int x, int y) {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(x, y, 75, 25);
        return b;
    };
    auto* neuGruppe = group(QStringLiteral("Neue Kategorie erstellen"), 8, 60);
    m_neueKategorie = new QLineEdit(neuGruppe);
    m_neueKategorie->setObjectName(QStringLiteral("neueKategorie"));
    m_neueKategorie->setAccessibleName(QStringLiteral("Name der neuen Kategorie"));
    m_neueKategorie->setGeometry(8, 24, 150, 23);
    m_neueKategorie->installEventFilter(this);
    m_hinzufuegen = button("hinzufuegen", QStringLiteral("Hinzufügen"), neuGruppe, 164, 23);

    auto* bearbeitenGruppe = group(QStringLiteral("Kategorie bearbeiten"), 76, 60);
    m_neuerName = new QLineEdit(bearbeitenGruppe);
    m_neuerName->setObjectName(QStringLiteral("neuerName"));
    m_neuerName->setAccessibleName(QStringLiteral("Neuer Name der Kategorie"));
    m_neuerName->setGeometry(8, 24, 150, 23);
    m_neuerName->installEventFilter(this);
    m_aendern = button("aendern", QStringLiteral("Ändern"), bearbeitenGruppe, 164, 23);

    auto* loeschenGruppe = group(QStringLiteral("Kategorie löschen"), 144, 56);
    m_loeschen = button("loeschen", QStringLiteral("Löschen"), loeschenGruppe, 164, 22);

    m_ok = button("ok", QStringLiteral("OK"), this, 398, 226);
    m_ok->setDefault(true);

    connect(m_kategorien, &QListWidget::currentRowChanged, this,
        [this] { guarded(this, [&] { kategorieGewaehlt(); }); });
    connect(m_kategorien, &QListWidget::itemClicked, this,
        [this] { guarded(this, [&] { kategorieGewaehlt(); }); });
    connect(m_hinzufuegen, &QPushButton::clicked, this, [this] { guarded(this, [&] { hinzufuegen(); }); });
    connect(m_aendern, &QPushButton::clicked, this, [this] { guarded(this, [&] { aendern(); }); });
    connect(m_loeschen, &QPushButton::clicked, this, [this] { guarded(this, [&] { loeschen(); }); });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auswahlSperren();
    hide();
}

bool Kategorieneditor::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        // Taken here: otherwise the field would pass Enter on to "OK" and close the window.
        if (o == m_neueKategorie && enter) {
            guarded(this, [&] { hinzufuegen(); });
            return true;
        }
        if (o == m_neuerName && enter) {
            guarded(this, [&] { aendern(); });
            return true;
        }
        if (o == m_kategorien && key == Qt::Key_Delete) {
            if (m_loeschen->isEnabled())
                guarded(this, [&] { loeschen(); });
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void Kategorieneditor::fuellen()
{
    m_kategorien->blockSignals(true);
    m_kategorien->clear();
    for (int p = 0; p <= st.kategorien.letzterTab; ++p)
        m_kategorien->addItem(st.kategorien.namen.at(st.kategorien.tabKategorie.at(p)).name);
    m_kategorien->blockSignals(false);
    m_hinweis->setText(kHinweis);
    waehleEintrag(0);
    auswahlSperren();
}

void Kategorieneditor::auswahlSperren()
{
    m_neuerName->setEnabled(false);
    m_aendern->setEnabled(false);
    m_loeschen->setEnabled(false);
}

void Kategorieneditor::waehleEintrag(int row)
{
    m_kategorien->blockSignals(true);
    m_kategorien->setCurrentRow(row);
    m_kategorien->blockSignals(false);
}

void Kategorieneditor::kategorieGewaehlt()
{
    const int p = m_kategorien->currentRow();
    if (p < kErsteEigene) {
        m_hinweis->setText(kStandard);
        auswahlSperren();
        return;
    }
    const QString text = m_kategorien->item(p)->text();
    m_hinweis->setText(text);
    m_neuerName->setText(text);
    m_neuerName->setEnabled(true);
    m_aendern->setEnabled(true);
    m_loeschen->setEnabled(true);
}

void Kategorieneditor::hinzufuegen()
{
    QString name = m_neueKategorie->text();
    name.replace(u'|', u'/');
    m_neueKategorie->setText(name);
    if (name.isEmpty()) {
        m_hinweis->setText(QStringLiteral("Bitte einen Kategorie-Namen angeben!"));
        return;
    }
    // The main window rebuilds its tabs when the collection tells it.
    switch (st.sammlung.neueKategorie(name)) {
    case KategorieFehler::Vorhanden:
        Meldung(QStringLiteral("Kategorie schon vorhanden!"), QStringLiteral("Nicht möglich"));
        return;
    case KategorieFehler::Voll:
        Meldung(QStringLiteral("Es können keine weiteren Kategorien erstellt werden: Alle "
                               "Kategorie-Nummern bis 99 sind vergeben."),
            QStringLiteral("Nicht möglich"));
        return;
    case KategorieFehler::Keiner:
        break;
    }
    m_kategorien->addItem(name);
    auswahlSperren();
    waehleEintrag(0);
    m_neueKategorie->clear();
}

void Kategorieneditor::aendern()
{
    const int p = m_kategorien->currentRow();
    if (p < kErsteEigene || p > st.kategorien.letzterTab)
        return;
    QString name = m_neuerName->text();
    name.replace(u'|', u'/');
    m_neuerName->setText(name);
    if (name.isEmpty()) {
        m_hinweis->setText(QStringLiteral("Bitte einen neuen Kategorie-Namen angeben!"));
        return;
    }
    st.sammlung.benenneKategorie(st.kategorien.tabKategorie.at(p), name);
    m_kategorien->item(p)->setText(name);
    auswahlSperren();
    waehleEintrag(0);
    m_neuerName->clear();
}

void Kategorieneditor::loeschen()
{
    if (askYesNo(
            this, QStringLiteral("Achtung!"), QStringLiteral("Wollen Sie die Kategorie wirklich löschen?"))
        == Answer::Yes)
        gewaehlteLoeschen();
}

void Kategorieneditor::gewaehlteLoeschen()
{
    const int p = m_kategorien->currentRow();
    if (p < kErsteEigene || p > st.kategorien.letzterTab)
        return;
    st.sammlung.loescheKategorie(st.kategorien.tabKategorie.at(p));
    m_kategorien->blockSignals(true);
    delete m_kategorien->takeItem(p);
    m_kategorien->blockSignals(false);
    auswahlSperren();
    waehleEintrag(p - 1);
    kategorieGewaehlt();
    m_kategorien->setFocus();
}

} // namespace tk
