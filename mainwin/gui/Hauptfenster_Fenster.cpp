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
        bringToFront(editor, over);
    }
}

void Hauptfenster::neuesRezept()
{
    oeffnen(m_fenster.rezepteditor, -1, QStringLiteral("Neues Rezept erstellen"), this);
}

void Hauptfenster::neuesRezeptAus(const RezeptVorgabe& vorgabe)
{
    Rezepteditor* editor = m_fenster.rezepteditor;
    editor->neuesRezept(vorgabe);
    bringToFront(editor, this);
}

void Hauptfenster::rezeptBearbeiten()
{
    if (st.sammlung.rezeptAnzahl() == 0)
        return;
    const int n = st.aktuellesRezept;
    if (n < 0 || size_t(n) >= st.sammlung.rezepte().size() || st.sammlung.rezepte()[size_t(n)].geloescht)
        return;
    oeffnen(m_fenster.rezepteditor, n, QStringLiteral("Rezept bearbeiten"), this);
}

void Hauptfenster::kategorienBearbeiten()
{
    Kategorieneditor* f = m_fenster.kategorieneditor;
    f->fuellen();
    centreOn(f, this);
    Modal::exec(f);
}

void Hauptfenster::bildZeigen()
{
    // The icon belongs to the recipe on show, which a right click on another entry does not change.
    const int n = st.angezeigtesRezept >= 0 ? st.angezeigtesRezept : st.aktuellesRezept;
    if (n < 0)
        return;
    // A picture that cannot be loaded fails here, before the viewer changes or shows.
    const QImage bild = loadPicture(picturePath(st.programDir, n));
    m_fenster.bildfenster->zeigeBild(bild, this);
}

void Hauptfenster::kommentarZeigen() { bringToFront(m_fenster.kommentarfenster, this); }

void Hauptfenster::einstellungenZeigen() { m_fenster.einstellungsfenster->zeigen(this); }

void Hauptfenster::hilfeOeffnen()
{
    openFileWithDesktop(st.path(QStringLiteral("Data/Sonstiges/Hilfe.htm")));
}

void Hauptfenster::willkommenZeigen()
{
    Willkommensfenster* w = m_fenster.willkommensfenster;
    w->show();
    w->raise();
    w->activateWindow();
}

void Hauptfenster::webseiteOeffnen() { openWithDesktop(QUrl(QLatin1String(kWebseite))); }

void Hauptfenster::infoZeigen() { bringToFront(m_fenster.infofenster, this); }

void Hauptfenster::downloadseiteOeffnen() { openWithDesktop(QUrl(QLatin1String(kDownloadSeite))); }

} // namespace tk
