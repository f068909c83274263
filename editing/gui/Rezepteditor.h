#pragma once

#include <QDialog>
#include <QList>
#include <QPair>

#include "editing/RezeptVorgabe.h"

class QLabel;
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

    // Puts the editor into the state of RezeptNr (-1: a new recipe). Reads everything it needs first,
    // so a failure (thrown) leaves the fields as they were.
    void Fill();

    // A new recipe filled in from v, for the user to check and save with "Rezept speichern". Throws
    // tk::Error, leaving the editor as it was, when the picture cannot be read.
    void NeuesRezept(const RezeptVorgabe& v);

    // Rebuilds the check list when the category tabs changed, keeping each tick with its number.
    void KategorienAktualisieren();

    void Button1Click(); // "Rezept speichern"
    void Button2Click(); // "Verwerfen" / "Abbrechen"
    void Button3Click(); // "Bild laden"
    void Button4Click(); // "Bild löschen"

    int RezeptNr = -1;

    static constexpr const char* kBildFilter = "JPEG-Dateien|*.jpg";

    // The category numbers of the check list entries, in list order, and those ticked.
    QList<int> listenKategorien() const;
    QList<int> angekreuzteKategorien() const;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QLabel* Label1 = nullptr; // "Rezepttitel:"
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr; // "Zutaten:"
    QPlainTextEdit* Memo2 = nullptr;
    QLabel* Label3 = nullptr; // "Rezepttext:"
    QPlainTextEdit* Memo1 = nullptr;
    QLabel* Label4 = nullptr; // "Autor:"
    QLineEdit* Edit2 = nullptr;
    QLabel* Label5 = nullptr; // "Datum:"
    QLineEdit* Edit3 = nullptr;
    QLabel* Label6 = nullptr; // "Menge:"
    QLineEdit* Edit4 = nullptr;
    QLabel* Label7 = nullptr; // "Kategorien:"
    QListWidget* CheckListBox1 = nullptr;
    QLabel* Label8 = nullptr; // "Bild:"
    ImageView* Image1 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    struct Anchored {
        QWidget* w;
        QRect rect;
        int anchors;
    };
    void place(QWidget* w, const QRect& r, int anchors);
    QList<QPair<int, QString>> aktuelleKategorien() const;
    void fillCheckList(const QList<int>& ticked);
    void speichern();

    AppState& st;
    QList<Anchored> m_anchored;
    QList<QPair<int, QString>> m_kategorien; // what the check list was built from
    bool m_watching = false;
    QStringList m_kommentarNeu; // the comment a new recipe is saved with
};

// "Text|*.ext|Other|*.a;*.b" -> "Text (*.ext);;Other (*.a *.b)"
QString qtFilter(const QString& filter);

} // namespace tk
