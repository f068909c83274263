#include "kochen/gui/Benachrichtigung.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace tk {

void benachrichtige(const QString& titel, const QString& text)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // The name the desktop entry and the icon are installed under.
    const QString kennung = QStringLiteral("org.example.tellerkiste");
    QVariantMap hinweise;
    hinweise.insert(QStringLiteral("desktop-entry"), kennung);
    hinweise.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(2))); // stays until seen
    QDBusMessage m = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"), QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("Notify"));
    m << QCoreApplication::applicationName() << uint(0) << kennung << titel << text << QStringList()
      << hinweise << int(-1);
    bus.send(m);
}

} // namespace tk
