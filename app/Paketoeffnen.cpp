#include "app/Paketoeffnen.h"

#include "exchange/Paketstart.h"
#include "dialogs/gui/Willkommensfenster.h"
#include "exchange/gui/Paketimportfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/Modal.h"

namespace tk {

void oeffnePakete(Fensterregister& forms, const QStringList& argumente, const QString& arbeitsordner)
{
    const QStringList pakete = paketArgumente(argumente, arbeitsordner);
    if (pakete.isEmpty() || !forms.hauptfenster || !forms.paketimportfenster)
        return;
    // The same window the menu opens: emptied, centred and on top.
    forms.hauptfenster->paketImportieren();
    guarded(forms.paketimportfenster, [&] { forms.paketimportfenster->paketeLaden(pakete); });
}

void nachVorn(Fensterregister& forms)
{
    QWidget* w = forms.willkommensfenster && forms.willkommensfenster->isVisible()
        ? static_cast<QWidget*>(forms.willkommensfenster)
        : forms.hauptfenster;
    if (!w)
        return;
    if (w->isMinimized())
        w->showNormal();
    w->raise();
    w->activateWindow();
}

} // namespace tk
