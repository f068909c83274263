// Handlers of the main window that open the other windows: editor, category editor, comment window,
// picture viewer, settings, welcome, help and about.
#include "mainwin/gui/Hauptfenster.h"

#include <QUrl>

#include "dialogs/gui/Infofenster.h"
#include "dialogs/gui/Willkommensfenster.h"
#include "editing/gui/Bildfenster.h"
#include "editing/gui/Kategorieneditor.h"
#include "editing/gui/Kommentarfenster.h"
#include "editing/gui/Rezepteditor.h"
#include "mainwin/gui/Ladefenster.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/Jpeg.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"
#include "settings/gui/Einstellungsfenster.h"
#include "store/AppState.h"
#include "store/Formats.h"
#include "store/Webadressen.h"

namespace tk {

namespace {
    void oeffnen(Rezepteditor* editor, int nr, const QString& titel, QWidget* over)
    {
        // Unsaved text in the open editor is not replaced without asking.
        if (!editor->aenderungenVerwerfen()) {
            editor->raise();
            editor->activateWindow();
            return;
        }
        // On a failed Fill the editor keeps the recipe it had, so its fields and number still match.
        const int alt = editor->rezeptNr;
        editor->rezeptNr = nr;
        try {
            editor->rezeptLaden();
        } catch (...) {
            editor->rezeptNr = alt;
            throw;
        }
        editor->setWindowTitle(titel);
        if (!editor->isVisible())
            centreOn(editor, over);
        editor->show();
        editor->raise();
        editor->activateWindow();
    }
}

void Hauptfenster::neuesRezept()
{
    if (forms.rezepteditor)
        oeffnen(forms.rezepteditor, -1, QStringLiteral("Neues Rezept erstellen"), this);
}

void Hauptfenster::rezeptBearbeiten()
{
    if (st.rezeptAnzahl == 0 || !forms.rezepteditor)
        return;
    const int n = st.aktuellesRezept;
    if (n < 0 || size_t(n) >= st.rezepte.size() || st.rezepte[size_t(n)].geloescht)
        return;
    oeffnen(forms.rezepteditor, n, QStringLiteral("Rezept bearbeiten"), this);
}

void Hauptfenster::kategorienBearbeiten()
{
    Kategorieneditor* f = forms.kategorieneditor;
    f->fuellen();
    centreOn(f, this);
    Modal::exec(f);
}

void Hauptfenster::bildZeigen()
{
    // The icon belongs to the recipe on show, which a right click on another entry does not change.
    const int n = st.angezeigtesRezept >= 0 ? st.angezeigtesRezept : st.aktuellesRezept;
    if (n < 0 || !forms.bildfenster)
        return;
    // A picture that cannot be loaded fails here, before the viewer changes or shows.
    const QImage bild = loadPicture(picturePath(st.programDir, n));
    forms.bildfenster->zeigeBild(bild, this);
}

void Hauptfenster::kommentarZeigen()
{
    Kommentarfenster* k = forms.kommentarfenster;
    if (!k)
        return;
    if (!k->isVisible())
        centreOn(k, this);
    k->show();
    k->raise();
    k->activateWindow();
}

void Hauptfenster::einstellungenZeigen()
{
    if (forms.einstellungsfenster)
        forms.einstellungsfenster->zeigen(this);
}

void Hauptfenster::hilfeOeffnen()
{
    openFileWithDesktop(st.path(QStringLiteral("Data/Sonstiges/Hilfe.htm")));
}

void Hauptfenster::willkommenZeigen()
{
    if (!forms.willkommensfenster)
        return;
    forms.willkommensfenster->show();
    forms.willkommensfenster->raise();
    forms.willkommensfenster->activateWindow();
}

void Hauptfenster::webseiteOeffnen() { openWithDesktop(QUrl(QLatin1String(kWebseite))); }

void Hauptfenster::infoZeigen()
{
    if (!forms.infofenster)
        return;
    if (!forms.infofenster->isVisible())
        centreOn(forms.infofenster, this);
    forms.infofenster->show();
    forms.infofenster->raise();
    forms.infofenster->activateWindow();
}

void Hauptfenster::downloadseiteOeffnen() { openWithDesktop(QUrl(QLatin1String(kDownloadSeite))); }

} // namespace tk
