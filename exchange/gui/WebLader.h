#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace tk {

// Downloads one page or picture at a time, as a browser would ask for it: http and https only, at
// most 5 redirects, a time limit, no more than a given number of bytes, no cookies kept.
class WebLader : public QObject {
    Q_OBJECT
public:
    enum class Art { Seite, Bild };

    explicit WebLader(QObject* parent = nullptr);
    ~WebLader() override;

    // Starts a download; one that is still running is stopped first, without a signal.
    void lade(const QUrl& url, Art art, const QUrl& verweisendeSeite = {});
    void abbrechen(); // stops without a signal
    bool laeuft() const { return !m_antwort.isNull(); }

    // The whole download must be done in this time (20 s; tests shorten it).
    static void setZeitlimit(int ms);
    static int zeitlimit();

    // A picture's server must answer within this time (5 s; tests shorten it): without a connection
    // the recipe comes without its picture instead of after the whole time limit.
    static void setAntwortlimit(int ms);

signals:
    void fertig(const QByteArray& daten, const QString& contentType, const QUrl& adresse);
    void fehlgeschlagen(const QString& meldung);

private:
    void anfordern(const QUrl& url);
    void lesen();
    void beendet();
    void fehler(const QString& meldung);
    QString was() const; // "Die Seite" / "Das Bild"
    qint64 hoechstens() const;

    QNetworkAccessManager* m_netz;
    QPointer<QNetworkReply> m_antwort;
    QByteArray m_daten;
    QTimer m_uhr;
    QTimer m_antwortUhr; // until a picture's server answers
    Art m_art = Art::Seite;
    QUrl m_verweis;
    int m_umleitungen = 0;
};

} // namespace tk
