#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace tk {

struct AppState;

// The import window: lists the chosen packages and installs them.
class Paketimportfenster : public QDialog {
    Q_OBJECT
public:
    Paketimportfenster(AppState& state, QWidget* parent = nullptr);

    void paketeLaden(const QStringList& dateien); // lists the packages as "Dateien laden" does
    void leeren(); // empties the package list

    // The unpacked index of each row, in row order.
    QStringList indexPfade;

private:
    void installieren(); // "OK": install every listed package
    void abbrechen(); // "Abbrechen"
    void dateienLaden(); // "Dateien laden"

    QListWidget* m_pakete = nullptr;
    QPushButton* m_dateienLaden = nullptr;
    QProgressBar* m_fortschritt = nullptr;
    QPushButton* m_installieren = nullptr;
    QPushButton* m_abbrechen = nullptr;

    // Installs one unpacked package through the collection.
    void paketInstallieren(const QString& indexTki, const QList<bool>& auslassen);
    AppState& st;
};

} // namespace tk
