#pragma once

#include <QDialog>

class QGroupBox;
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

    void ListBox1Click();
    void Button1Click(); // "Hinzufügen"
    void Button2Click(); // "Ändern"
    void Button3Click(); // "Löschen": asks first
    void Button4Click(); // deletes the selected category
    void Button5Click(); // "OK"

    // Fills the list in tab order, selects entry 0 and disables the editing of a selection.
    void fuellen();

    static constexpr int kMaxZeilen = 100; // numbers 0..99; a further line could not be listed

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QListWidget* ListBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* Button2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button5 = nullptr;

    void auswahlSperren();
    void waehleEintrag(int row); // selects without the click handler

    AppState& st;
};

} // namespace tk
