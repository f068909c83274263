// Export panel and package import: handlers of the main window.
#include "mainwin/gui/Hauptfenster.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "exchange/gui/Paketexportfenster.h"
#include "exchange/Paket.h"
#include "exchange/gui/Paketimportfenster.h"
#include "mainwin/gui/Meldungsfenster.h"
#include "platform/gui/RecipeList.h"
#include "platform/gui/Meldung.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"
#include "store/AppState.h"
#include "mainwin/gui/Aktualisierungsfenster.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>

namespace tk {

void Hauptfenster::buildPanel7()
{
    auto* box = new QVBoxLayout(Panel7);
    box->setContentsMargins(4, 4, 4, 4);
    box->setSpacing(4);

    Label4 = new QLabel(QStringLiteral("Rezepte exportieren"), Panel7);
    Label4->setObjectName(QStringLiteral("Label4"));
    QFont bold(QStringLiteral("Arial"));
    bold.setBold(true);
    Label4->setFont(bold);

    Label18 = new QLabel(
        QStringLiteral("Wählen Sie per  Doppel- klick aus der Rezepteliste die Rezepte aus oder fügen "
                       "Sie über \"Alle hinzufügen\" alle Rezepte der Kategorie der Exportliste hinzu. "
                       "Klicken Sie anschließend auf \"Weiter\" um mit dem Export fortzufahren."),
        Panel7);
    Label18->setObjectName(QStringLiteral("Label18"));
    Label18->setWordWrap(true);

    auto button = [this](const QString& text, const QString& hint, const char* name,
                      void (Hauptfenster::*handler)()) {
        auto* b = new QPushButton(text, Panel7);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        connect(
            b, &QPushButton::clicked, this, [this, handler] { guarded(this, [&] { (this->*handler)(); }); });
        return b;
    };
    Button1 = button(QStringLiteral("Löschen"),
        QStringLiteral("Das ausgewählte Rezept aus der Export-Liste entfernen"), "Button1",
        &Hauptfenster::Button1Click);
    Button4 = button(QStringLiteral("Alle hinzufügen"),
        QStringLiteral("Alle Rezepte der Rezeptliste links hinzufügen"), "Button4",
        &Hauptfenster::Button4Click);

    TreeView2 = new RecipeList(Panel7);
    TreeView2->setObjectName(QStringLiteral("TreeView2"));
    TreeView2->setAccessibleName(QStringLiteral("Export-Liste"));

    Label19 = new QLabel(QStringLiteral("Anzahl der Rezepte: 0"), Panel7);
    Label19->setObjectName(QStringLiteral("Label19"));

    Button2 = button(QStringLiteral("Weiter"), QStringLiteral("Zum nächsten Schritt"), "Button2",
        &Hauptfenster::Button2Click);
    Button2->setDefault(true);
    Button3 = button(QStringLiteral("Abbrechen"), QStringLiteral("Export abbrechen"), "Button3",
        &Hauptfenster::Button3Click);

    box->addWidget(Label4);
    box->addWidget(Label18);
    box->addWidget(Button1);
    box->addWidget(Button4);
    box->addWidget(TreeView2, 1);
    box->addWidget(Label19);
    box->addWidget(Button2);
    box->addWidget(Button3);
}

namespace {
    void zeigeAnzahl(QLabel* label, const RecipeList* liste)
    {
        label->setText(QStringLiteral("Anzahl der Rezepte: %1").arg(liste->count()));
    }
}

// "Löschen": the first entry of the current recipe leaves the export list.
void Hauptfenster::Button1Click()
{
    const auto& entries = TreeView2->model()->entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].number == st.AktRezept) {
            TreeView2->model()->removeRowAt(int(i));
            break;
        }
    }
    zeigeAnzahl(Label19, TreeView2);
}

// "Weiter"
void Hauptfenster::Button2Click()
{
    if (!forms.paketexportfenster)
        return;
    centreOn(forms.paketexportfenster, this);
    forms.paketexportfenster->show();
    forms.paketexportfenster->raise();
}

// "Abbrechen"
void Hauptfenster::Button3Click() { Panel7->setVisible(false); }

// "Alle hinzufügen": every entry of the recipe list, duplicates allowed.
void Hauptfenster::Button4Click()
{
    std::vector<RecipeListModel::Entry> all = TreeView2->model()->entries();
    const auto& links = treeview1->model()->entries();
    all.insert(all.end(), links.begin(), links.end());
    TreeView2->model()->setEntries(std::move(all));
    if (TreeView2->sortedAlphabetically())
        TreeView2->model()->sortAlphabetically();
    zeigeAnzahl(Label19, TreeView2);
}

void Hauptfenster::exportfensterAnschliessen(Paketexportfenster& exportfenster)
{
    exportfenster.setExportliste(TreeView2);
}

void Hauptfenster::Rezeptexportieren1Click()
{
    TreeView2->clear();
    zeigeAnzahl(Label19, TreeView2);
    Panel7->setVisible(true);
}

void Hauptfenster::Installieren2Click()
{
    Paketimportfenster* f = forms.paketimportfenster;
    if (!f)
        return;
    f->leeren();
    centreOnScreen(f);
    f->show();
    f->raise();
}

} // namespace tk
