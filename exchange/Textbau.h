#pragma once

#include <QStringList>

#include "exchange/Lesestand.h"

namespace tk::web {

// The preparation text: blank lines between the steps, a part's name as a heading line above its own.
class Textbau {
public:
    explicit Textbau(Lesestand& stand)
        : stand(stand)
    {
    }

    bool voll();
    void absatz(const QString& zeile);
    void ueberschrift(const QString& name);

    QStringList zeilen;

private:
    Lesestand& stand;
    bool nachUeberschrift = false;
};

} // namespace tk::web
