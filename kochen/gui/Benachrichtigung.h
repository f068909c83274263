#pragma once

#include <QString>

namespace tk {

// A desktop notification (org.freedesktop.Notifications on the session bus), sent without waiting for
// an answer. Without a session bus or a notification service nothing happens.
void benachrichtige(const QString& titel, const QString& text = {});

} // namespace tk
