#include "app/Paketoeffnen.h"

#include "dialogs/gui/Willkommensfenster.h"
#include "exchange/Paketstart.h"
#include "exchange/gui/Paketimportfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/Modal.h"

namespace tk {

void oeffnePakete(Fensterregister& fenster, const QStringList& argumente, const QString& arbeitsordner)
{
    const QStringList pakete = paketArgumente(argumente, arbeitsordner);
    if (pakete.isEmpty())
        return;
    // The same window the menu opens: emptied, centred and on top.
    fenster.hauptfenster->paketImportieren();
    Paketimportfenster* importfenster = fenster.paketimportfenster;
    guarded(importfenster, [&] { importfenster->paketeLaden(pakete); });
}

void nachVorn(Fensterregister& fenster)
{
    Willkommensfenster* willkommen = fenster.willkommensfenster;
    QWidget* w = willkommen->isVisible() ? static_cast<QWidget*>(willkommen) : fenster.hauptfenster;
    if (w->isMinimized())
        w->showNormal();
    w->raise();
    w->activateWindow();
}

} // namespace tk
