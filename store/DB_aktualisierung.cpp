#include "store/DB_aktualisierung.h"

#include "store/AppState.h"

namespace tk {

TForm13::TForm13(AppState& state, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , st(state)
    , forms(forms)
{
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(QStringLiteral("Datenbank aktualisieren"));
}

} // namespace tk
