#include "exchange/RezKonvExport.h"

#include "store/AppState.h"

namespace tk {

TForm14::TForm14(AppState& state, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , st(state)
    , forms(forms)
{
    setObjectName(QStringLiteral("Form14"));
    setWindowTitle(QStringLiteral("RezKonv-Export"));
}

} // namespace tk
