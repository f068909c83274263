#pragma once

#include <QDialog>
#include <QStringList>

#include "exchange/Ausgabe.h"
#include "exchange/Mengen.h"

class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace tk {

// "Rezept umrechnen": the recipe's ingredients for another number of portions, scaled as the
// spin box moves. The recipe itself is not changed.
class Umrechnungsfenster : public QDialog {
    Q_OBJECT
public:
    explicit Umrechnungsfenster(QWidget* parent = nullptr);

    // Shows a recipe as stored; the spin box starts at its quantity.
    void zeige(const RezeptAnsicht& rezept);
    RezeptAnsicht umgerechnet() const; // quantity and ingredients at the spin box's value

signals:
    void aufEinkaufsliste(const QStringList& zutaten, const QString& rezept);

private:
    void neuBerechnen();
    void drucken();
    void kopieren();

    RezeptAnsicht m_rezept;
    Portionen m_portionen;
    QLabel* m_titel = nullptr;
    QLabel* m_menge = nullptr;
    QSpinBox* m_umrechnenAuf = nullptr;
    QLabel* m_einheit = nullptr;
    QListWidget* m_zutaten = nullptr;
};

} // namespace tk
