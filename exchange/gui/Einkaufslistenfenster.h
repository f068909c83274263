#pragma once

#include <QDialog>

#include "exchange/Einkaufsliste.h"

class QTableWidget;
class QTableWidgetItem;

namespace tk {

// "Einkaufsliste": what to buy for the recipes put on it, one line per item with a tick box; the
// amounts can be changed in place. Every change is saved at once.
class Einkaufslistenfenster : public QDialog {
    Q_OBJECT
public:
    Einkaufslistenfenster(const QString& programDir, QWidget* parent = nullptr);

    // Reads the list from its file. A list that cannot be read is not written over.
    void laden();
    // Adds a recipe's ingredient lines (read first, saved after).
    void hinzufuegen(const QStringList& zutaten, const QString& rezept);
    const Einkaufsliste& liste() const { return m_liste; }

private:
    void speichern();
    void fuellen();
    void zeileGeaendert(QTableWidgetItem* item);
    void entfernenAusgewaehlte();
    void drucken();
    void kopieren();
    void alsPdf();
    void alsText();
    void erledigteEntfernen();
    void leeren();
    QString dateiWaehlen(const QString& filter, const QString& name);

    QString m_dir;
    QString m_ordner; // where files were saved last
    Einkaufsliste m_liste;
    bool m_geladen = false;
    bool m_fuellt = false;
    QTableWidget* m_tabelle = nullptr;
};

} // namespace tk
