#pragma once

#include <QHash>
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

    // A step with its name as a heading, where the name says more than the step's number or the
    // start of its own text.
    void schritt(const QString& name, const QStringList& text);

    QStringList zeilen;

private:
    Lesestand& stand;
    bool nachUeberschrift = false;
    QHash<QString, qsizetype> schrittNamen; // the heading line of each step name, -1 once it repeats
};

// "3", "Schritt 3", "Step 2:": a step's number, not a step.
bool istNummer(const QString& text);

} // namespace tk::web
