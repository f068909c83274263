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

    void Button1Click(); // "OK": install every listed package
    void Button2Click(); // "Abbrechen"
    void Button3Click(); // "Dateien laden"
    void Laden(const QStringList& dateien); // lists the packages as "Dateien laden" does
    void Leeren(); // empties the package list

    // The unpacked index of each row, in row order.
    QStringList IndexPfade;

private:
    QLabel* Label1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* Button3 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    // Installs one unpacked package through the collection.
    void InstallUpdate(const QString& indexTki);
    AppState& st;
};

} // namespace tk
