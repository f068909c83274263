#pragma once

#include <QString>
#include <functional>

class QUrl;

namespace tk {

// Hands a document or a web address to the desktop's default handler. The result is not looked
// at: a missing file or a missing handler is not reported.
void openWithDesktop(const QUrl& url);
void openFileWithDesktop(const QString& path);

// Tests see the requests instead of the desktop; an empty function restores the desktop.
void setDesktopOpener(std::function<void(const QUrl&)> opener);

} // namespace tk
