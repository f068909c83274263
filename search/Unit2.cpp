#include "search/Unit2.h"

#include "store/AppState.h"

namespace tk {

TForm2::TForm2(AppState& state, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , st(state)
    , forms(forms)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Rezepte durchsuchen"));
}

} // namespace tk
