#pragma once

#include <QDate>
#include <QDialog>

class QDateEdit;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tk {

// The small questions of the week plan: a free text, the portions of an entry, the day to plan a recipe
// for. Each field is there only when asked for.
class Planeingabe : public QDialog {
    Q_OBJECT
public:
    Planeingabe(const QString& titel, const QString& frage, QWidget* parent = nullptr);

    void mitText(const QString& vorgabe);
    void mitTag(QDate vorgabe);
    void mitPortionen(int vorgabe);

    QString text() const;
    QDate tag() const;
    int portionen() const;

private:
    void pruefen();

    QFormLayout* m_felder = nullptr;
    QLineEdit* m_text = nullptr;
    QDateEdit* m_tag = nullptr;
    QSpinBox* m_portionen = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace tk
