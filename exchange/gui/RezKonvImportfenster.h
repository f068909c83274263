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

    void DateienLadenClick(); // "Dateien laden"
    void AlleClick();
    void KeineClick();
    void ImportierenClick();
    void AbbrechenClick();
    void Leeren(); // empties the list

    // Reads the files into the list; returns the messages about files that gave nothing or failed.
    QStringList ladeDateien(const QStringList& dateien);

private:
    QLabel* Label1 = nullptr;
    QPushButton* DateienLaden = nullptr;
    QTreeWidget* Liste = nullptr; // title, categories, author; one tick per recipe
    QLabel* Label2 = nullptr; // what was found
    QPushButton* Alle = nullptr;
    QPushButton* Keine = nullptr;
    QPushButton* Importieren = nullptr;
    QPushButton* Abbrechen = nullptr; // closes the window; while an import runs, cancels it
    QProgressBar* Fortschritt = nullptr; // shown while an import runs

protected:
    void reject() override;
    void closeEvent(QCloseEvent* e) override;

private:
    void zeigeStand();
    Kategoriezuordnung zuordnung() const;

    AppState& st;
    QList<ImportRezept> m_rezepte; // in list order
    QStringList m_uebersprungen; // "datei: Zeile 12 (kein Titel gefunden)"
    bool m_laeuft = false; // an import is being written
    bool m_abbruch = false; // the user asked to cancel it
};

} // namespace tk
