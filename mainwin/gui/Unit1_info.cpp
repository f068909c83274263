// Settings, welcome, help and about: handlers of the main window.
#include "mainwin/gui/Unit1.h"

#include <QUrl>

#include "dialogs/gui/Unit4.h"
#include "dialogs/gui/infoForm.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/Placement.h"
#include "settings/gui/Unit3.h"
#include "store/Webadressen.h"
#include "store/AppState.h"
#include "store/Formats.h"
#include "mainwin/gui/Unit6.h"

namespace tk {

void TForm1::Image5Click()
{
    if (forms.Form3)
        forms.Form3->zeigen(this);
}

// "Hilfe" (F1): the help page from the program folder, whatever the working folder is.
void TForm1::Willkommen1Click() { openFileWithDesktop(st.path(QStringLiteral("Data/Sonstiges/Hilfe.htm"))); }

// "Willkommen": the welcome window again, with its text and tick as they were.
void TForm1::Hilfe1Click()
{
    if (!forms.Form4)
        return;
    forms.Form4->show();
    forms.Form4->raise();
    forms.Form4->activateWindow();
}

void TForm1::Webseite1Click() { openWithDesktop(QUrl(QLatin1String(kWebseite))); }

void TForm1::ber1Click()
{
    if (!forms.Form7)
        return;
    if (!forms.Form7->isVisible())
        centreOn(forms.Form7, this);
    forms.Form7->show();
    forms.Form7->raise();
    forms.Form7->activateWindow();
}

void TForm1::Installieren1Click() { openWithDesktop(QUrl(QLatin1String(kDownloadSeite))); }

} // namespace tk
