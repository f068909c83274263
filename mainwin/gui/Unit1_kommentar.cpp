// Comment window and picture viewer: handlers of the main window.
#include "mainwin/gui/Unit1.h"

#include "editing/gui/BildForm.h"
#include "editing/gui/KommentarForm.h"
#include "platform/gui/Jpeg.h"
#include "platform/gui/Placement.h"
#include "store/AppState.h"
#include "store/Formats.h"

namespace tk
{

void TForm1::Image6Click()
{
    // The icon belongs to the recipe on show, which a right click on another entry does not change.
    const int n = st.AngezeigtesRezept >= 0 ? st.AngezeigtesRezept : st.AktRezept;
    if (n < 0 || !forms.Form11) return;
    // A picture that cannot be loaded fails here, before the viewer changes or shows.
    const QImage bild = loadPicture(picturePath(st.programDir, n));
    forms.Form11->zeigeBild(bild, this);
}

void TForm1::Image7Click()
{
    TForm12* k = forms.Form12;
    if (!k) return;
    if (!k->isVisible()) centreOn(k, this);
    k->show();
    k->raise();
    k->activateWindow();
}

} // namespace tk
