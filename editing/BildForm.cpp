#include "editing/BildForm.h"

#include "store/AppState.h"

namespace tk {

TForm11::TForm11(AppState& state, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , st(state)
    , forms(forms)
{
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Bildanzeiger"));
}

} // namespace tk
