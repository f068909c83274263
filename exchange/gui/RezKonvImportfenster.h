#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

#include "exchange/RezKonvImport.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace tk {

struct AppState;

// "RezKonv-Import": reads RezKonv and MealMaster files, lists their recipes with a tick each and
// brings the ticked ones into the collection. Made when first needed, owned by the main window.
class RezKonvImportfenster : public QDialog {
    Q_OBJECT
public:
    RezKonvImportfenster(AppState& state, QWidget* parent = nullptr);

    void importieren(); // "Importieren": the ticked recipes into the collection
    void leeren(); // empties the list

    // Reads the files into the list; returns the messages about files that gave nothing or failed.
    QStringList ladeDateien(const QStringList& dateien);

private:
    QPushButton* m_dateienLaden = nullptr;
    QTreeWidget* m_liste = nullptr; // title, categories, author; one tick per recipe
    QLabel* m_stand = nullptr; // what was found
    QPushButton* m_alle = nullptr;
    QPushButton* m_keine = nullptr;
    QPushButton* m_importieren = nullptr;
    QPushButton* m_abbrechen = nullptr; // closes the window; while an import runs, cancels it
    QProgressBar* m_fortschritt = nullptr; // shown while an import runs

protected:
    void reject() override;
    void closeEvent(QCloseEvent* e) override;

private:
    void dateienLaden(); // "Dateien laden"
    void alleAnhaken(); // "Alle"
    void keineAnhaken(); // "Keine"
    void abbrechen(); // "Abbrechen"
    void zeigeStand();
    Kategoriezuordnung zuordnung() const;

    AppState& st;
    QList<ImportRezept> m_rezepte; // in list order
    QStringList m_uebersprungen; // "datei: Zeile 12 (kein Titel gefunden)"
    bool m_laeuft = false; // an import is being written
    bool m_abbruch = false; // the user asked to cancel it
};

} // namespace tk
