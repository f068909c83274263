#pragma once

#include <QDialog>
#include <QStringList>

#include "exchange/Ausgabe.h"
#include "exchange/Mengen.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace tk {

class Halbzahlfeld;

// "Rezept umrechnen": the recipe's ingredients for another number of portions, scaled as the
// spin box moves. The recipe itself is not changed.
class Umrechnungsfenster : public QDialog {
    Q_OBJECT
public:
    explicit Umrechnungsfenster(QWidget* parent = nullptr);

    // Shows a recipe as stored; the number starts at its quantity and takes the focus.
    void zeige(const RezeptAnsicht& rezept);
    // The recipe on show changed: shows it like zeige() but leaves the focus; the same recipe again
    // changes nothing, so the number the user set stays.
    void folge(const RezeptAnsicht& rezept);
    RezeptAnsicht umgerechnet() const; // quantity and ingredients at the spin box's value

signals:
    void aufEinkaufsliste(const QStringList& zutaten, const QString& rezept);

private:
    void uebernehmen(const RezeptAnsicht& rezept);
    void neuBerechnen();
    void drucken();
    void kopieren();

    RezeptAnsicht m_rezept;
    Portionen m_portionen;
    QLabel* m_titel = nullptr;
    QLabel* m_menge = nullptr;
    Halbzahlfeld* m_umrechnenAuf = nullptr;
    QLabel* m_einheit = nullptr;
    QListWidget* m_zutaten = nullptr;
};

} // namespace tk
