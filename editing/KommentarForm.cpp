#include "editing/KommentarForm.h"

#include "store/AppState.h"

namespace tk {

TForm12::TForm12(AppState& state, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , st(state)
    , forms(forms)
{
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Kommentar"));
}

} // namespace tk
