#include "exchange/Unit5.h"

#include "store/AppState.h"

namespace tk {

TForm5::TForm5(AppState& state, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , st(state)
    , forms(forms)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Rezepte importieren"));
}

} // namespace tk
