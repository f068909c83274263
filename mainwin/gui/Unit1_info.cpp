// Settings, welcome, help and about: handlers of the main window.
#include "mainwin/gui/Unit1.h"

#include <QLineEdit>
#include <QSlider>
#include <QUrl>

#include "dialogs/gui/Unit4.h"
#include "dialogs/gui/infoForm.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/Placement.h"
#include "settings/Einstellungen.h"
#include "settings/gui/Unit3.h"
#include "settings/gui/HueBar.h"
#include "store/Webadressen.h"
#include "store/AppState.h"
#include "store/Formats.h"
#include "mainwin/gui/Unit6.h"

namespace tk {

void TForm1::Image5Click()
{
    TForm3* f = forms.Form3;
    if (!f)
        return;
    if (!st.EinstellungenIni)
        st.EinstellungenIni = std::make_unique<IniFile>(settingsPath(st.programDir));
    const IniFile& ini = *st.EinstellungenIni;
    f->Edit2->setText(st.AutorVorgabe);
    st.NormaleFarbe = !Einstellungen::skin(ini);
    st.Farbton = Einstellungen::farbe(ini);
    f->Image1->setHue(st.NormaleFarbe ? -1 : st.Farbton);
    // The track bar clamps an out-of-range size to its nearer end.
    f->TrackBar1->setValue(Einstellungen::klemmeGroesse(Einstellungen::size(ini)));
    centreOn(f, this);
    f->show();
    f->raise();
    f->activateWindow();
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
