#include "exchange/ExpRez.h"

#include "store/AppState.h"

namespace tk {

TForm10::TForm10(AppState& state, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , st(state)
    , forms(forms)
{
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Rezepte exportieren"));
}

} // namespace tk
