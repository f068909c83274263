#include "dialogs/infoForm.h"

#include "store/AppState.h"

namespace tk {

TForm7::TForm7(AppState& state, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , st(state)
    , forms(forms)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Über Brutzels Tellerkiste"));
}

} // namespace tk
