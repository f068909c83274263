#include "app/Paketoeffnen.h"

#include "exchange/Paketstart.h"
#include "dialogs/gui/Unit4.h"
#include "exchange/gui/Unit5.h"
#include "mainwin/gui/Unit1.h"
#include "platform/gui/Modal.h"

namespace tk {

void oeffnePakete(Forms& forms, const QStringList& argumente, const QString& arbeitsordner)
{
    const QStringList pakete = paketArgumente(argumente, arbeitsordner);
    if (pakete.isEmpty() || !forms.Form1 || !forms.Form5)
        return;
    // The same window the menu opens: emptied, centred and on top.
    forms.Form1->Installieren2Click();
    guarded(forms.Form5, [&] { forms.Form5->Laden(pakete); });
}

void nachVorn(Forms& forms)
{
    QWidget* w = forms.Form4 && forms.Form4->isVisible() ? static_cast<QWidget*>(forms.Form4) : forms.Form1;
    if (!w)
        return;
    if (w->isMinimized())
        w->showNormal();
    w->raise();
    w->activateWindow();
}

} // namespace tk
