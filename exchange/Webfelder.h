#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include "exchange/Lesestand.h"

// Fields of a web recipe as both readers take them from the page.
namespace tk::web {

// Only web addresses, or a file the browser saved beside the page (relative link of a saved page).
QUrl bildAdresse(QString verweis, const QUrl& basis, Lesestand& stand);

void bildDazu(QList<QUrl>& bilder, const QUrl& url);

// A date as the collection shows it (dd.MM.yyyy), from an ISO date or time or that form already.
QString datumAus(const QString& roh);

// A quantity; a bare number counts servings.
QString mengeAus(const QString& w);

// Category names, each once; keywords come as one text separated by commas.
void namenDazu(QStringList& out, const QString& s, bool kommaListe);

} // namespace tk::web
