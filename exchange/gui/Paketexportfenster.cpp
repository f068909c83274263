#include "exchange/gui/Paketexportfenster.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "exchange/Paket.h"
#include "platform/gui/RecipeList.h"
#include "platform/gui/Meldung.h"
#include "platform/gui/Modal.h"
#include "store/AppState.h"

namespace tk {

Paketexportfenster::Paketexportfenster(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , st(state)
{
    setObjectName(QStringLiteral("paketexportfenster"));
    setWindowTitle(QStringLiteral("Rezepte exportieren"));
    setFixedSize(305, 204);

    auto* hinweis = new QLabel(
        QStringLiteral("Geben Sie nun bitte alle angeforderten Daten ein und klicken Sie anschließend "
                       "auf \"Speichern\"."),
        this);
    hinweis->setWordWrap(true);
    hinweis->setGeometry(8, 6, 289, 50);

    auto* paketnameLabel = new QLabel(QStringLiteral("Name des Rezeptpakets:"), this);
    paketnameLabel->setGeometry(8, 62, 289, 16);
    m_paketname = new QLineEdit(this);
    m_paketname->setObjectName(QStringLiteral("paketname"));
    m_paketname->setGeometry(8, 80, 289, 22);
    paketnameLabel->setBuddy(m_paketname);

    auto* autorLabel = new QLabel(QStringLiteral("Autor / Ersteller:"), this);
    autorLabel->setGeometry(8, 110, 289, 16);
    m_autor = new QLineEdit(this);
    m_autor->setObjectName(QStringLiteral("autor"));
    m_autor->setGeometry(8, 128, 289, 22);
    autorLabel->setBuddy(m_autor);

    m_speichern = new QPushButton(QStringLiteral("Speichern"), this);
    m_speichern->setObjectName(QStringLiteral("speichern"));
    m_speichern->setGeometry(64, 168, 81, 25);
    m_speichern->setDefault(true);
    m_abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_abbrechen->setObjectName(QStringLiteral("abbrechen"));
    m_abbrechen->setGeometry(160, 168, 81, 25);
    connect(m_speichern, &QPushButton::clicked, this, [this] { guarded(this, [&] { speichern(); }); });
    connect(m_abbrechen, &QPushButton::clicked, this, [this] { abbrechen(); });
}

void Paketexportfenster::speichern()
{
    const QString chosen = saveFileName(this, QStringLiteral("Rezeptepacket speichern"),
        QStringLiteral("Rezeptpackete (*.tkp)"), m_paketname->text(), QStringLiteral("TKP"));
    if (chosen.isEmpty())
        return;
    const QString paket = paketPfad(chosen);
    // The dialog asked about the name as typed; a different extension may hit another file.
    if (paket != chosen && QFileInfo::exists(paket)
        && askYesNo(this, QStringLiteral("Rezeptepacket speichern"),
               QStringLiteral("%1 ist bereits vorhanden.\nMöchten Sie die Datei ersetzen?")
                   .arg(QFileInfo(paket).fileName()))
            != Answer::Yes)
        return;

    QList<int> nummern;
    if (m_exportliste)
        for (const auto& e : m_exportliste->model()->entries())
            nummern.append(e.number);
    exportiereRezepte(st.programDir, st.rezepte, nummern, m_paketname->text(), m_autor->text(), paket);
    Meldung(QStringLiteral("Rezepte erfolgreich exportiert!"), QStringLiteral("Rezeptexport"));
    exportAufraeumen(st.programDir);
    hide();
}

void Paketexportfenster::abbrechen() { hide(); }

} // namespace tk
