#include "exchange/Webfelder.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace tk::web {

namespace {
    constexpr Qt::CaseSensitivity ci = Qt::CaseInsensitive;
}

QUrl bildAdresse(QString verweis, const QUrl& basis, Lesestand& stand)
{
    verweis = verweis.trimmed();
    if (verweis.isEmpty() || verweis.size() > 8192)
        return {};
    if (verweis.startsWith(QLatin1String("//")))
        verweis.prepend(
            basis.scheme() == QLatin1String("http") ? QStringLiteral("http:") : QStringLiteral("https:"));
    const QUrl roh(verweis);
    if (!roh.isValid())
        return {};
    if (!roh.scheme().isEmpty()) {
        const QString schema = roh.scheme().toLower();
        if ((schema == QLatin1String("http") || schema == QLatin1String("https")) && !roh.host().isEmpty())
            return roh;
        // data: pictures are placeholders of lazy loading, not worth a word
        if (schema != QLatin1String("data"))
            stand.bildVerweis = true;
        return {};
    }
    if (!basis.isValid())
        return {};
    const QUrl url = basis.resolved(roh);
    const QString schema = url.scheme().toLower();
    if (schema == QLatin1String("http") || schema == QLatin1String("https"))
        return url.host().isEmpty() ? QUrl() : url;
    if (!basis.isLocalFile() || !url.isLocalFile()) {
        stand.bildVerweis = true;
        return {};
    }
    // Beside the saved page or in a folder below it, nowhere else.
    const QString ordner = QDir::cleanPath(QFileInfo(basis.toLocalFile()).absolutePath());
    const QString pfad = QDir::cleanPath(url.toLocalFile());
    if (!pfad.startsWith(ordner + u'/')) {
        stand.bildVerweis = true;
        return {};
    }
    return QUrl::fromLocalFile(pfad);
}

void bildDazu(QList<QUrl>& bilder, const QUrl& url)
{
    if (url.isValid() && !bilder.contains(url) && bilder.size() < 10)
        bilder.append(url);
}

QString datumAus(const QString& roh)
{
    const QString s = roh.trimmed().left(10);
    QDate d = QDate::fromString(s, Qt::ISODate);
    if (!d.isValid())
        d = QDate::fromString(s, QStringLiteral("dd.MM.yyyy"));
    return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QString mengeAus(const QString& w)
{
    bool zahl = false;
    const int n = w.trimmed().toInt(&zahl);
    if (!zahl)
        return w;
    return n == 1 ? QStringLiteral("1 Portion") : QStringLiteral("%1 Portionen").arg(n);
}

void namenDazu(QStringList& out, const QString& s, bool kommaListe)
{
    const QStringList teile
        = kommaListe ? s.split(QRegularExpression(QStringLiteral("[,;]"))) : QStringList { s };
    for (const QString& t : teile) {
        const QString n = t.simplified();
        if (!n.isEmpty() && !out.contains(n, ci) && out.size() < kMaxNamen)
            out.append(n);
    }
}

} // namespace tk::web
