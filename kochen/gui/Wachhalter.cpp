#include "kochen/gui/Wachhalter.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace tk {

namespace {
    QDBusMessage aufruf(const QString& methode)
    {
        return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
            QStringLiteral("/org/freedesktop/ScreenSaver"), QStringLiteral("org.freedesktop.ScreenSaver"),
            methode);
    }

    void freigeben(uint cookie)
    {
        QDBusMessage m = aufruf(QStringLiteral("UnInhibit"));
        m << cookie;
        QDBusConnection::sessionBus().send(m);
    }
}

Wachhalter::Wachhalter(QObject* parent)
    : QObject(parent)
{
}

Wachhalter::~Wachhalter() { aus(); }

void Wachhalter::an(const QString& grund)
{
    if (m_an)
        return;
    m_an = true;
    const quint64 runde = ++m_runde;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage m = aufruf(QStringLiteral("Inhibit"));
    m << QCoreApplication::applicationName() << grund;
    auto* warten = new QDBusPendingCallWatcher(bus.asyncCall(m), this);
    connect(warten, &QDBusPendingCallWatcher::finished, this, [this, runde](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<uint> antwort = *w;
        if (antwort.isError())
            return;
        // Switched off (or on again) while the answer was under way: give this one back.
        if (!m_an || runde != m_runde)
            freigeben(antwort.value());
        else
            m_cookie = antwort.value();
    });
}

void Wachhalter::aus()
{
    m_an = false;
    if (m_cookie)
        freigeben(*m_cookie);
    m_cookie.reset();
}

} // namespace tk
