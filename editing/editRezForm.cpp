#include "editing/editRezForm.h"

#include "store/AppState.h"

namespace tk {

TForm8::TForm8(AppState& state, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , st(state)
    , forms(forms)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Rezept bearbeiten"));
}

} // namespace tk
