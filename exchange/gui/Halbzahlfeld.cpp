#include "exchange/gui/Halbzahlfeld.h"

#include <cmath>

#include "exchange/Mengen.h"

namespace tk {

Halbzahlfeld::Halbzahlfeld(QWidget* parent)
    : QDoubleSpinBox(parent)
{
    setDecimals(1);
    setHalbe(false);
}

void Halbzahlfeld::setHalbe(bool halbe)
{
    m_halbe = halbe;
    setSingleStep(halbe ? 0.5 : 1);
    setRange(halbe ? 0.5 : 1, 999);
}

QString Halbzahlfeld::textFromValue(double wert) const { return schreibeZahl(wert, true); }

double Halbzahlfeld::valueFromText(const QString& text) const
{
    const Mengenzeile m = leseMenge(text.trimmed());
    if (!m.hatMenge)
        return value();
    const double stufe = m_halbe ? 2 : 1;
    return std::round(m.von * stufe) / stufe;
}

QValidator::State Halbzahlfeld::validate(QString& text, int& pos) const
{
    Q_UNUSED(pos)
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QValidator::Intermediate;
    for (const QChar c : t)
        if (!(c.isDigit() || c == u',' || c == u'.' || c == u'½' || c == u' ' || c == u'/'))
            return QValidator::Invalid;
    const Mengenzeile m = leseMenge(t);
    if (!m.hatMenge || m.bereich || m.zahl.trimmed() != t)
        return QValidator::Intermediate;
    return m.von >= minimum() && m.von <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

} // namespace tk
