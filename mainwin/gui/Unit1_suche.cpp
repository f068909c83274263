// Search entry points: handlers of the main window.
#include "mainwin/gui/Unit1.h"

#include <QLineEdit>
#include <QRadioButton>

#include "search/gui/Unit2.h"
#include "store/AppState.h"

namespace tk {

void TForm1::Image3Click() { forms.Form2->zeigen(); }

void TForm1::Edit1KeyDown()
{
    // While the export panel is up, its default button "Weiter" takes the Enter key.
    if (Panel7 && !Panel7->isHidden()) {
        Button2Click();
        return;
    }
    forms.Form2->Schnellsuche(Edit1->text());
}

void TForm1::Label11Click() { forms.Form2->Schnellsuche(Edit1->text()); }

// One handler for the four items of the "Suchen" menu; the item's Tag picks the mode.
void TForm1::indenWochenthemen1Click(int tag)
{
    TForm2* f = forms.Form2;
    switch (tag) {
    case 1:
        f->RadioButton2->setChecked(true);
        break;
    case 2:
        f->RadioButton1->setChecked(true);
        break;
    case 3:
        f->RadioButton3->setChecked(true);
        break;
    case 4:
        f->RadioButton4->setChecked(true);
        break;
    default:
        break;
    }
    f->zeigen();
}

} // namespace tk
