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

void Hauptfenster::baueExportleiste()
{
    auto* box = new QVBoxLayout(m_exportleiste);
    box->setContentsMargins(4, 4, 4, 4);
    box->setSpacing(4);

    m_exportTitel = new QLabel(QStringLiteral("Rezepte exportieren"), m_exportleiste);
    m_exportTitel->setObjectName(QStringLiteral("exportTitel"));
    QFont bold(QStringLiteral("Arial"));
    bold.setBold(true);
    m_exportTitel->setFont(bold);
    // The panel keeps its width; at large font sizes heading and count wrap instead of being cut.
    m_exportTitel->setWordWrap(true);

    m_exportHinweis = new QLabel(
        QStringLiteral("Wählen Sie per  Doppel- klick aus der Rezepteliste die Rezepte aus oder fügen "
                       "Sie über \"Alle hinzufügen\" alle Rezepte der Kategorie der Exportliste hinzu. "
                       "Klicken Sie anschließend auf \"Weiter\" um mit dem Export fortzufahren."),
        m_exportleiste);
    m_exportHinweis->setObjectName(QStringLiteral("exportHinweis"));
    m_exportHinweis->setWordWrap(true);

    auto button = [this](const QString& text, const QString& hint, const char* name,
                      void (Hauptfenster::*handler)()) {
        auto* b = new QPushButton(text, m_exportleiste);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        connect(
            b, &QPushButton::clicked, this, [this, handler] { guarded(this, [&] { (this->*handler)(); }); });
        return b;
    };
    m_exportEntfernen = button(QStringLiteral("Löschen"),
        QStringLiteral("Das ausgewählte Rezept aus der Export-Liste entfernen"), "exportEntfernen",
        &Hauptfenster::exportEntfernen);
    m_exportAlle = button(QStringLiteral("Alle hinzufügen"),
        QStringLiteral("Alle Rezepte der Rezeptliste links hinzufügen"), "exportAlle",
        &Hauptfenster::exportAlleHinzufuegen);

    m_exportliste = new RecipeList(m_exportleiste);
    m_exportliste->setObjectName(QStringLiteral("exportliste"));
    m_exportliste->setAccessibleName(QStringLiteral("Export-Liste"));

    m_exportAnzahl = new QLabel(QStringLiteral("Anzahl der Rezepte: 0"), m_exportleiste);
    m_exportAnzahl->setObjectName(QStringLiteral("exportAnzahl"));
    m_exportAnzahl->setWordWrap(true);

    m_exportWeiter = button(QStringLiteral("Weiter"), QStringLiteral("Zum nächsten Schritt"), "exportWeiter",
        &Hauptfenster::exportWeiter);
    m_exportWeiter->setDefault(true);
    m_exportAbbrechen = button(QStringLiteral("Abbrechen"), QStringLiteral("Export abbrechen"),
        "exportAbbrechen", &Hauptfenster::exportAbbrechen);

    box->addWidget(m_exportTitel);
    box->addWidget(m_exportHinweis);
    box->addWidget(m_exportEntfernen);
    box->addWidget(m_exportAlle);
    box->addWidget(m_exportliste, 1);
    box->addWidget(m_exportAnzahl);
    box->addWidget(m_exportWeiter);
    box->addWidget(m_exportAbbrechen);
}

namespace {
    void zeigeAnzahl(QLabel* label, const RecipeList* liste)
    {
        label->setText(QStringLiteral("Anzahl der Rezepte: %1").arg(liste->count()));
    }
}

// "Löschen": the first entry of the current recipe leaves the export list.
void Hauptfenster::exportEntfernen()
{
    const auto& entries = m_exportliste->model()->entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].number == st.aktuellesRezept) {
            m_exportliste->model()->removeRowAt(int(i));
            break;
        }
    }
    zeigeAnzahl(m_exportAnzahl, m_exportliste);
}

// "Weiter"
void Hauptfenster::exportWeiter()
{
    Paketexportfenster* w = m_fenster.paketexportfenster;
    centreOn(w, this);
    w->show();
    w->raise();
}

// "Abbrechen"
void Hauptfenster::exportAbbrechen() { m_exportleiste->setVisible(false); }

// "Alle hinzufügen": every entry of the recipe list, duplicates allowed.
void Hauptfenster::exportAlleHinzufuegen()
{
    std::vector<RecipeListModel::Entry> all = m_exportliste->model()->entries();
    const auto& links = m_rezeptliste->model()->entries();
    all.insert(all.end(), links.begin(), links.end());
    m_exportliste->model()->setEntries(std::move(all));
    if (m_exportliste->sortedAlphabetically())
        m_exportliste->model()->sortAlphabetically();
    zeigeAnzahl(m_exportAnzahl, m_exportliste);
}

void Hauptfenster::exportfensterAnschliessen(Paketexportfenster& exportfenster)
{
    exportfenster.setExportliste(m_exportliste);
}

void Hauptfenster::paketExportieren()
{
    m_exportliste->clear();
    zeigeAnzahl(m_exportAnzahl, m_exportliste);
    m_exportleiste->setVisible(true);
}

void Hauptfenster::paketImportieren()
{
    Paketimportfenster* f = m_fenster.paketimportfenster;
    f->leeren();
    centreOnScreen(f);
    f->show();
    f->raise();
}

} // namespace tk
