#include "exchange/gui/WebLader.h"

#include <QNetworkAccessManager>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "exchange/WebRezept.h"

namespace tk {

namespace {
    int g_zeitlimit = 20000;
    int g_antwortlimit = 5000;

    // Cookies are neither kept nor sent: every download starts like a fresh browser.
    class KeineCookies : public QNetworkCookieJar {
    public:
        using QNetworkCookieJar::QNetworkCookieJar;
        bool setCookiesFromUrl(const QList<QNetworkCookie>&, const QUrl&) override { return false; }
        QList<QNetworkCookie> cookiesForUrl(const QUrl&) const override { return {}; }
    };

    // Many recipe sites answer programs that name themselves with an error page.
    const QByteArray kUserAgent = QByteArrayLiteral("Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 "
                                                    "(KHTML, like Gecko) Chrome/124.0.0.0 Safari/537.36");

    bool webSchema(const QUrl& url)
    {
        const QString s = url.scheme().toLower();
        return s == QLatin1String("http") || s == QLatin1String("https");
    }

    QString sekunden(int ms)
    {
        const int s = (ms + 999) / 1000;
        return s == 1 ? QStringLiteral("eine Sekunde") : QStringLiteral("%1 Sekunden").arg(s);
    }
}

WebLader::WebLader(QObject* parent)
    : QObject(parent)
    , m_netz(new QNetworkAccessManager(this))
{
    m_netz->setCookieJar(new KeineCookies(m_netz));
    // Downloads go through the proxy the system names (http_proxy, https_proxy, no_proxy and the
    // desktop's settings), as a browser's would.
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    m_uhr.setSingleShot(true);
    connect(&m_uhr, &QTimer::timeout, this, [this] {
        fehler(QStringLiteral("%1 konnte nicht geladen werden: Das Laden hat länger als %2 gedauert.")
                   .arg(was(), sekunden(g_zeitlimit)));
    });
    m_antwortUhr.setSingleShot(true);
    connect(&m_antwortUhr, &QTimer::timeout, this, [this] {
        fehler(QStringLiteral("%1 konnte nicht geladen werden: Der Server hat nicht innerhalb von %2 "
                              "geantwortet.")
                   .arg(was(), sekunden(g_antwortlimit)));
    });
}

WebLader::~WebLader() { abbrechen(); }

void WebLader::setZeitlimit(int ms) { g_zeitlimit = ms; }
void WebLader::setAntwortlimit(int ms) { g_antwortlimit = ms; }
int WebLader::zeitlimit() { return g_zeitlimit; }

QString WebLader::was() const
{
    return m_art == Art::Seite ? QStringLiteral("Die Seite") : QStringLiteral("Das Bild");
}

qint64 WebLader::hoechstens() const { return m_art == Art::Seite ? kMaxWebseite : kMaxWebbild; }

void WebLader::lade(const QUrl& url, Art art, const QUrl& verweisendeSeite)
{
    abbrechen();
    m_art = art;
    m_verweis = verweisendeSeite;
    m_umleitungen = 0;
    if (!webSchema(url)) {
        fehler(QStringLiteral("%1 konnte nicht geladen werden: Nur Adressen mit http:// oder https:// werden "
                              "geladen.")
                   .arg(was()));
        return;
    }
    // One time limit for the whole download, redirects included.
    m_uhr.start(g_zeitlimit);
    anfordern(url);
}

// Redirects are followed here, not by the network layer, so that every hop is checked and counted.
void WebLader::anfordern(const QUrl& url)
{
    m_daten.clear();
    QNetworkRequest anfrage(url);
    anfrage.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    anfrage.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    anfrage.setHeader(QNetworkRequest::UserAgentHeader, kUserAgent);
    anfrage.setRawHeader("Accept-Language", "de");
    anfrage.setRawHeader("Accept",
        m_art == Art::Seite
            ? QByteArrayLiteral("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8")
            : QByteArrayLiteral("image/avif,image/webp,image/png,image/jpeg,image/*;q=0.8,*/*;q=0.5"));
    // Picture servers often refuse requests that come from no page.
    if (webSchema(m_verweis))
        anfrage.setRawHeader("Referer", m_verweis.toEncoded());

    QNetworkReply* antwort = m_netz->get(anfrage);
    m_antwort = antwort;
    if (m_art == Art::Bild)
        m_antwortUhr.start(g_antwortlimit);
    connect(antwort, &QNetworkReply::metaDataChanged, this, [this, antwort] {
        if (antwort != m_antwort)
            return;
        m_antwortUhr.stop();
        lesen(); // a length above the limit is refused before a byte is read
    });
    connect(antwort, &QNetworkReply::readyRead, this, [this, antwort] {
        if (antwort == m_antwort)
            lesen();
    });
    connect(antwort, &QNetworkReply::finished, this, [this, antwort] {
        if (antwort == m_antwort)
            beendet();
    });
}

void WebLader::abbrechen()
{
    m_uhr.stop();
    m_antwortUhr.stop();
    if (QNetworkReply* a = m_antwort.data()) {
        m_antwort = nullptr;
        a->disconnect(this);
        a->abort();
        a->deleteLater();
    }
}

void WebLader::fehler(const QString& meldung)
{
    abbrechen();
    m_daten.clear();
    emit fehlgeschlagen(meldung);
}

void WebLader::lesen()
{
    QNetworkReply* a = m_antwort.data();
    if (!a)
        return;
    const QVariant laenge = a->header(QNetworkRequest::ContentLengthHeader);
    const int status = a->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool angekuendigt = status < 300 && laenge.isValid() && laenge.toLongLong() > hoechstens();
    // Reading stops at the limit: a page that never ends costs no more than that.
    if (angekuendigt || m_daten.size() + a->bytesAvailable() > hoechstens()) {
        fehler(m_art == Art::Seite
                ? QStringLiteral("Die Seite ist größer als 10 MB und wird nicht gelesen.")
                : QStringLiteral("Das Bild ist größer als 20 MB und wird nicht übernommen."));
        return;
    }
    m_daten += a->readAll();
}

void WebLader::beendet()
{
    QNetworkReply* a = m_antwort.data();
    if (!a)
        return;
    lesen();
    if (!m_antwort)
        return; // refused while reading the rest
    const QString vorn = QStringLiteral("%1 konnte nicht geladen werden: ").arg(was());
    const int status = a->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString host = a->url().host();
    const QByteArray ziel = a->rawHeader("Location").trimmed();
    if ((status == 301 || status == 302 || status == 303 || status == 307 || status == 308)
        && !ziel.isEmpty()) {
        const QUrl weiter = a->url().resolved(QUrl::fromEncoded(ziel));
        if (++m_umleitungen > 5) {
            fehler(vorn + QStringLiteral("Der Server leitet mehr als 5-mal weiter."));
            return;
        }
        if (!webSchema(weiter) || weiter.host().isEmpty()) {
            fehler(vorn
                + QStringLiteral(
                    "Der Server leitet auf eine Adresse weiter, die nicht mit http:// oder https:// "
                    "beginnt."));
            return;
        }
        m_antwort = nullptr;
        a->disconnect(this);
        a->deleteLater();
        anfordern(weiter);
        return;
    }
    if (status >= 400) {
        QString grund = a->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().trimmed();
        QString m = vorn
            + (grund.isEmpty()
                    ? QStringLiteral("Der Server meldet den Fehler %1.").arg(status)
                    : QStringLiteral("Der Server meldet den Fehler %1 (%2).").arg(status).arg(grund));
        // Sites that keep programs out still let the user's browser in.
        if (m_art == Art::Seite && (status == 401 || status == 403 || status == 429))
            m += QStringLiteral(
                "\rDie Seite lässt sich nicht automatisch laden. Speichern Sie sie im Browser "
                "(Strg+S) und öffnen Sie die Datei mit „Datei öffnen...“.");
        fehler(m);
        return;
    }
    switch (a->error()) {
    case QNetworkReply::NoError:
        break;
    case QNetworkReply::HostNotFoundError:
        fehler(vorn
            + QStringLiteral("Der Server „%1“ wurde nicht gefunden. Besteht eine Verbindung zum Internet?")
                  .arg(host));
        return;
    case QNetworkReply::ConnectionRefusedError:
        fehler(vorn + QStringLiteral("Der Server „%1“ nimmt keine Verbindung an.").arg(host));
        return;
    case QNetworkReply::RemoteHostClosedError:
        fehler(vorn + QStringLiteral("Die Verbindung wurde unterbrochen, bevor alles angekommen war."));
        return;
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        fehler(vorn + QStringLiteral("Das Laden hat länger als %1 gedauert.").arg(sekunden(g_zeitlimit)));
        return;
    case QNetworkReply::SslHandshakeFailedError:
        fehler(vorn + QStringLiteral("Die sichere Verbindung zum Server „%1“ ist fehlgeschlagen.").arg(host));
        return;
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
        fehler(vorn + QStringLiteral("Es besteht keine Verbindung zum Internet."));
        return;
    default:
        fehler(vorn + a->errorString());
        return;
    }
    if (status >= 300) {
        fehler(vorn + QStringLiteral("Der Server leitet weiter, nennt aber kein Ziel."));
        return;
    }
    const QByteArray daten = std::exchange(m_daten, {});
    const QString typ = a->header(QNetworkRequest::ContentTypeHeader).toString();
    const QUrl adresse = a->url();
    abbrechen();
    emit fertig(daten, typ, adresse);
}

} // namespace tk
