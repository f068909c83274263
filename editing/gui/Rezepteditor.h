#pragma once

#include <QDialog>
#include <QList>
#include <QPair>

#include "editing/RezeptVorgabe.h"

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tk {

struct AppState;
class ImageView;

// The recipe editor: writes a new recipe or changes an existing one.
class Rezepteditor : public QDialog {
    Q_OBJECT
public:
    Rezepteditor(AppState& state, QWidget* parent = nullptr);

    // Puts the editor into the state of rezeptNr (-1: a new recipe). Reads everything it needs first,
    // so a failure (thrown) leaves the fields as they were.
    void rezeptLaden();

    // A new recipe filled in from v, for the user to check and save with "Rezept speichern". Throws
    // tk::Error, leaving the editor as it was, when the picture cannot be read; false when the user
    // keeps the unsaved recipe the editor holds.
    bool neuesRezept(const RezeptVorgabe& v);

    // True when the open editor holds nothing unsaved, or the user agrees to throw it away.
    bool aenderungenVerwerfen();

    // Rebuilds the check list when the category tabs changed, keeping each tick with its number.
    void kategorienAktualisieren();

    int rezeptNr = -1;

    // The category numbers of the check list entries, in list order, and those ticked.
    QList<int> listenKategorien() const;
    QList<int> angekreuzteKategorien() const;

protected:
    void reject() override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QLineEdit* m_titel = nullptr;
    QPlainTextEdit* m_zutaten = nullptr;
    QPlainTextEdit* m_rezepttext = nullptr;
    QLineEdit* m_autor = nullptr;
    QLineEdit* m_datum = nullptr;
    QLineEdit* m_menge = nullptr;
    QListWidget* m_kategorien = nullptr;
    ImageView* m_bild = nullptr;
    QPushButton* m_bildLaden = nullptr;
    QPushButton* m_bildLoeschen = nullptr;
    QPushButton* m_speichern = nullptr;
    QPushButton* m_verwerfen = nullptr;

    void speichern(); // "Rezept speichern"
    void verwerfen(); // "Verwerfen" / "Abbrechen"
    void bildLaden(); // "Bild laden"
    void bildLoeschen(); // "Bild löschen"

    void feldgroessenSetzen();
    QList<QPair<int, QString>> aktuelleKategorien() const;
    void kategorienlisteFuellen(const QList<int>& ticked);
    void schreiben();

    // What the fields hold, to tell whether anything is unsaved.
    struct Stand {
        QStringList felder;
        QList<int> kategorien;
        bool operator==(const Stand&) const = default;
    };
    Stand stand() const;
    bool ungespeichert() const;

    AppState& st;
    Stand m_geladen; // as loaded (a recipe from the web counts as not saved)
    QList<QPair<int, QString>> m_gelistet; // what the check list was built from
    QStringList m_kommentarNeu; // the comment a new recipe is saved with
};

} // namespace tk
