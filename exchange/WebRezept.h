#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace tk {

// A recipe read from a web page, already cut to what the collection can hold: one line per field
// and per ingredient, Windows-1252 characters only, no "|" in title, author, date and quantity.
struct WebRezept {
    QString titel;
    QString autor; // empty when the page names none
    QString datum; // dd.MM.yyyy, empty when the page gives none
    QString menge; // empty when the page gives none
    QStringList zutaten;
    QStringList text; // blank lines between the steps, "=== Name ===" above a named part
    QStringList kategorien; // category, cuisine and keywords of the page, as the page writes them
    QList<QUrl> bilder; // picture addresses, best first: http(s), or a file beside a saved page
    QString hinweis; // for the editor where parts were read from the page's text, not its recipe data
};

struct WebErgebnis {
    QList<WebRezept> rezepte;
    QStringList hinweise; // what was cut or left out, in words for the user
    QUrl adresse; // the page's own address (canonical link or og:url), where it names one
};

constexpr qint64 kMaxWebseite = qint64(10) * 1024 * 1024;
constexpr qint64 kMaxWebbild = qint64(20) * 1024 * 1024;

// Reads the recipes of an HTML page: JSON-LD blocks first, the page's microdata when they hold no
// recipe. contentType is the HTTP header ("text/html; charset=…"), empty for a file; basis is the
// page's address or the saved file's file URL, for relative picture links. Never throws for any bytes.
WebErgebnis leseWebseite(const QByteArray& html, const QString& contentType = {}, const QUrl& basis = {});

// The text of the page: byte order mark, header charset, <meta charset>, else UTF-8 with
// Windows-1252 where the bytes are no UTF-8.
QString webseitenText(const QByteArray& html, const QString& contentType = {});

// A web address as the user types or drops it: "www.example.de/x" gets https://; anything but
// http and https gives an invalid QUrl.
QUrl webAdresse(const QString& text);

// The first web address among the program's start arguments (invalid when there is none).
QUrl webArgument(const QStringList& argumente);

} // namespace tk
