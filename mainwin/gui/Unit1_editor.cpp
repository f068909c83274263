// Entry points of the recipe editor: handlers of the main window.
#include "mainwin/gui/Unit1.h"

#include "editing/gui/editRezForm.h"
#include "platform/gui/Placement.h"
#include "store/AppState.h"

namespace tk
{

namespace
{
    void oeffnen(TForm8* editor, int nr, const QString& titel, QWidget* over)
    {
        // On a failed Fill the editor keeps the recipe it had, so its fields and number still match.
        const int alt = editor->RezeptNr;
        editor->RezeptNr = nr;
        try {
            editor->Fill();
        } catch (...) {
            editor->RezeptNr = alt;
            throw;
        }
        editor->setWindowTitle(titel);
        if (!editor->isVisible()) centreOn(editor, over);
        editor->show();
        editor->raise();
        editor->activateWindow();
    }
}

void TForm1::Neueserstellen1Click()
{
    if (forms.Form8) oeffnen(forms.Form8, -1, QStringLiteral("Neues Rezept erstellen"), this);
}

void TForm1::Bearbeiten1Click()
{
    if (st.RezeptAnzahl == 0 || !forms.Form8) return;
    const int n = st.AktRezept;
    if (n < 0 || size_t(n) >= st.Rezepte.size() || st.Rezepte[size_t(n)].Geloescht) return;
    oeffnen(forms.Form8, n, QStringLiteral("Rezept bearbeiten"), this);
}

} // namespace tk
