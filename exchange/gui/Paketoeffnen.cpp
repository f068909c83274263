#include "exchange/gui/Paketoeffnen.h"

#include "exchange/Paketstart.h"
#include "exchange/Unit5.h"
#include "mainwin/Unit1.h"
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

} // namespace tk
