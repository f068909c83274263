#include "platform/gui/Desktop.h"

#include <QDesktopServices>
#include <QUrl>

namespace tk {

namespace {
    std::function<void(const QUrl&)>& opener()
    {
        static std::function<void(const QUrl&)> f;
        return f;
    }
}

void setDesktopOpener(std::function<void(const QUrl&)> f) { opener() = std::move(f); }

void openWithDesktop(const QUrl& url)
{
    if (opener()) {
        opener()(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

void openFileWithDesktop(const QString& path) { openWithDesktop(QUrl::fromLocalFile(path)); }

} // namespace tk
