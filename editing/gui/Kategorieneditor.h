#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tk {

struct AppState;

// The category editor: own categories are added, renamed and deleted; every change goes to the
// category file at once and the main window's tabs are rebuilt.
class Kategorieneditor : public QDialog {
    Q_OBJECT
public:
    Kategorieneditor(AppState& state, QWidget* parent = nullptr);

    // Fills the list in tab order, selects entry 0 and disables the editing of a selection.
    void fuellen();

    static constexpr int kMaxZeilen = 100; // numbers 0..99; a further line could not be listed

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QListWidget* m_kategorien = nullptr;
    QLabel* m_hinweis = nullptr;
    QLineEdit* m_neueKategorie = nullptr;
    QPushButton* m_hinzufuegen = nullptr;
    QLineEdit* m_neuerName = nullptr;
    QPushButton* m_aendern = nullptr;
    QPushButton* m_loeschen = nullptr;
    QPushButton* m_ok = nullptr;

    void kategorieGewaehlt();
    void hinzufuegen(); // "Hinzufügen"
    void aendern(); // "Ändern"
    void loeschen(); // "Löschen": asks first
    void gewaehlteLoeschen(); // deletes the selected category without asking

    void auswahlSperren();
    void waehleEintrag(int row); // selects without the click handler

    AppState& st;
};

} // namespace tk
