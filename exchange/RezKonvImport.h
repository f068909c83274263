#pragma once

#include <functional>

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include "exchange/Kategoriezuordnung.h"

namespace tk {

// One recipe read from a RezKonv or MealMaster text.
struct ImportRezept {
    QString titel;
    QString autor; // "-" when the text names none
    QString datum; // "-" when the text names none
    QString menge; // "-" when the text names none
    QStringList kategorien; // the names as the text gives them
    QStringList zutaten;
    QStringList text;
    QStringList kommentar; // source lines that are neither date nor author
    int zeile = 0; // line of the recipe's header, counted from 1
};

// A recipe the reader could not understand.
struct UebersprungenesRezept {
    int zeile = 0; // line of its header, counted from 1
    QString grund;
};

struct ImportErgebnis {
    QList<ImportRezept> rezepte;
    QList<UebersprungenesRezept> uebersprungen;
};

// Text of a foreign file: UTF-8 when the bytes are valid UTF-8 (a byte order mark is dropped),
// UTF-16 after its byte order mark, Windows-1252 otherwise.
QString importText(const QByteArray& bytes);

// Reads every RezKonv and MealMaster recipe of a text. Anything before the first recipe is ignored;
// a recipe that cannot be read is listed with its line and the rest still come through.
// schritt(k, n) runs before the k-th of n recipes is read; what it throws (a cancel) ends the reading.
ImportErgebnis leseRezepte(const QByteArray& bytes);
ImportErgebnis leseRezepte(QString text, const std::function<void(int, int)>& schritt = {});

// Reads a file; throws tk::Error when it cannot be read or is far too large for a recipe file.
ImportErgebnis leseRezeptdatei(const QString& path, const std::function<void(int, int)>& schritt = {});

} // namespace tk
