#pragma once

#include <QDate>
#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "planung/Wochenplan.h"

class QLabel;
class QListWidgetItem;
class QPushButton;

namespace tk {

struct AppState;
class Tagesliste;

// "Wochenplan": what we cook this week, one list per day from Monday to Sunday, recipes at a number of
// portions and free texts. Every change is written at once to the plan file, read from disk just before,
// so what another computer planned meanwhile stays.
class Wochenplanfenster : public QDialog {
    Q_OBJECT
public:
    Wochenplanfenster(AppState& state, QWidget* parent = nullptr);

    // Shows the window at the current week, the plan read from its file.
    void oeffnen();
    // Plans recipe n: asks for the day and the portions.
    void einplanen(int nummer);
    // The plan file was changed by someone else: read and show it again.
    void neuLesen();

signals:
    void rezeptOeffnen(int nummer);
    // The planned recipes of the shown week, scaled, for the shopping list.
    void aufEinkaufsliste(const QList<tk::Einkaufsrezept>& rezepte);

protected:
    void changeEvent(QEvent* e) override;

private:
    // The collection as far as the plan needs it.
    std::optional<QString> titelVon(int nummer) const;
    std::optional<std::pair<QString, QStringList>> rezeptVon(int nummer) const;

    // Reads the plan from disk, applies the change and writes it; then shows it.
    void aendern(const std::function<void(Wochenplan&)>& aenderung);
    void zeigen();
    void schriftAnwenden();
    void zeigeWoche(QDate montag);
    int aktiverTag() const; // 0 … 6
    void waehleTag(int tag);
    // Chooses entry zeile of a day (-1: the last) and puts the focus on its list.
    void zeigeEintrag(int tag, int zeile);
    std::optional<Planeintrag> gewaehlterEintrag() const;
    void auswahlGeaendert();

    void rezeptHinzufuegen();
    void eintragHinzufuegen();
    void portionenAendern();
    void entfernen();
    void eintragAktiviert(int tag, QListWidgetItem* item);
    void rezeptAbgelegt(int tag, int nummer, int stelle);
    void eintragAbgelegt(int nachTag, int vonTag, int vonZeile, int stelle);
    void aufDieEinkaufsliste();
    void drucken();
    void alsPdf();
    QList<QStringList> tagesTexte() const;

    AppState& st;
    Wochenplan m_plan;
    QDate m_montag;
    quint64 m_generation = 0; // the load of the table the titles on show come from
    int m_gewaehlterTag = -1; // the day list last clicked in the shown week; -1: today
    QLabel* m_woche = nullptr;
    QLabel* m_hinweis = nullptr;
    std::array<QLabel*, 7> m_koepfe {};
    std::array<Tagesliste*, 7> m_tage {};
    QPushButton* m_portionen = nullptr;
    QPushButton* m_entfernen = nullptr;
};

} // namespace tk
