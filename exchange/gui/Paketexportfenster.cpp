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

    Label1 = new QLabel(
        QStringLiteral("Geben Sie nun bitte alle angeforderten Daten ein und klicken Sie anschließend "
                       "auf \"Speichern\"."),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setGeometry(8, 6, 289, 50);

    Label2 = new QLabel(QStringLiteral("Name des Rezeptpakets:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(8, 62, 289, 16);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(8, 80, 289, 22);
    Label2->setBuddy(Edit1);

    Label3 = new QLabel(QStringLiteral("Autor / Ersteller:"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(8, 110, 289, 16);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(8, 128, 289, 22);
    Label3->setBuddy(Edit2);

    Button1 = new QPushButton(QStringLiteral("Speichern"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(64, 168, 81, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(160, 168, 81, 25);
    connect(Button1, &QPushButton::clicked, this, [this] { guarded(this, [&] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void Paketexportfenster::Button1Click()
{
    const QString chosen = saveFileName(this, QStringLiteral("Rezeptepacket speichern"),
        QStringLiteral("Rezeptpackete (*.tkp)"), Edit1->text(), QStringLiteral("TKP"));
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
    exportiereRezepte(st.programDir, st.rezepte, nummern, Edit1->text(), Edit2->text(), paket);
    Meldung(QStringLiteral("Rezepte erfolgreich exportiert!"), QStringLiteral("Rezeptexport"));
    exportAufraeumen(st.programDir);
    hide();
}

void Paketexportfenster::Button2Click() { hide(); }

} // namespace tk
