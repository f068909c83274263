// Week plan: menu items and handlers of the main window.
#include "mainwin/gui/Hauptfenster.h"

#include <QAction>
#include <QMenu>

#include "exchange/gui/Einkaufslistenfenster.h"
#include "planung/gui/Wochenplanfenster.h"
#include "platform/gui/Modal.h"
#include "store/AppState.h"

namespace tk {

namespace {
    // Puts the action right behind the one named `nach` in its menu.
    void dahinter(QMenu* menu, QAction* a, const char* nach)
    {
        const QList<QAction*> alle = menu->actions();
        for (qsizetype i = 0; i + 1 < alle.size(); ++i)
            if (alle.at(i)->objectName() == QLatin1String(nach) && alle.at(i + 1) != a) {
                menu->removeAction(a);
                menu->insertAction(alle.at(i + 1), a);
                return;
            }
    }
}

void Hauptfenster::baueWochenplanMenues(QMenu* rezeptMenu)
{
    QAction* plan = menuePunkt(rezeptMenu, QStringLiteral("Wochenplan"),
        QKeySequence(QStringLiteral("Ctrl+Shift+W")), &Hauptfenster::wochenplanZeigen);
    plan->setObjectName(QStringLiteral("wochenplan"));
    dahinter(rezeptMenu, plan, "einkaufsliste");
    QAction* einplanen = menuePunkt(
        m_listenmenue, QStringLiteral("In den Wochenplan..."), {}, &Hauptfenster::markiertesEinplanen);
    einplanen->setObjectName(QStringLiteral("markiertesEinplanen"));
    dahinter(m_listenmenue, einplanen, "aufDieEinkaufsliste");
}

void Hauptfenster::wochenplanAnschliessen(Wochenplanfenster& plan)
{
    connect(&plan, &Wochenplanfenster::rezeptOeffnen, this, [this](int n) {
        zeigeRezept(n);
        raise();
        activateWindow();
    });
    connect(&plan, &Wochenplanfenster::aufEinkaufsliste, this, [this](const QList<Einkaufsrezept>& rezepte) {
        guarded(this, [&] {
            einkaufslisteZeigen();
            Einkaufslistenfenster* liste = m_fenster.einkaufslistenfenster;
            for (const Einkaufsrezept& r : rezepte)
                liste->hinzufuegen(r.zutaten, r.titel);
            liste->raise();
            liste->activateWindow();
        });
    });
}

void Hauptfenster::wochenplanZeigen() { m_fenster.wochenplanfenster->oeffnen(); }

void Hauptfenster::markiertesEinplanen() { m_fenster.wochenplanfenster->einplanen(st.aktuellesRezept); }

} // namespace tk
