#include "settings/Unit3.h"

#include "store/AppState.h"

namespace tk {

TForm3::TForm3(AppState& state, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , st(state)
    , forms(forms)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Einstellungen"));
}

} // namespace tk
