// Category editor: handlers of the main window.
#include "mainwin/gui/Unit1.h"

#include "editing/gui/editKats.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"
#include "store/AppState.h"

namespace tk {

void TForm1::Bearbeiten3Click()
{
    TForm15* f = forms.Form15;
    f->fuellen();
    centreOn(f, this);
    Modal::exec(f);
}

} // namespace tk
