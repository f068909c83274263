#include "dialogs/Unit4.h"

#include "mainwin/Unit1.h"
#include "store/AppState.h"

namespace tk {

TForm4::TForm4(AppState& state, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , st(state)
    , forms(forms)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Willkommen"));
    // Until the welcome text is shown, its creation brings up the main window.
    if (forms.Form1) {
        forms.Form1->show();
        forms.Form1->raise();
    }
}

} // namespace tk
