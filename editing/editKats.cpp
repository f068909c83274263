#include "editing/editKats.h"

#include "store/AppState.h"

namespace tk {

TForm15::TForm15(AppState& state, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , st(state)
    , forms(forms)
{
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Kategorien bearbeiten"));
}

} // namespace tk
