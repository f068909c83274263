#pragma once

#include <QDoubleSpinBox>

namespace tk {

// The converter's number: whole numbers, or halves where a recipe makes one or two of something
// ("für ½ Blech"). Halves read and show as a cook writes them: "½", "1½"; "1,5" is taken too.
class Halbzahlfeld : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit Halbzahlfeld(QWidget* parent = nullptr);

    void setHalbe(bool halbe); // steps of ½ from ½ on, else whole numbers from 1 on
    bool halbe() const { return m_halbe; }

protected:
    QString textFromValue(double wert) const override;
    double valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;

private:
    bool m_halbe = false;
};

} // namespace tk
