// Recipes from the web: the menu item, dropped addresses and files, and the hand-off to the editor.
#include "mainwin/gui/Hauptfenster.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "exchange/WebRezept.h"
#include "exchange/gui/WebRezeptfenster.h"
#include "platform/gui/Modal.h"

namespace tk {

namespace {
    // What a drop brings that the web import can read: a web address or a saved .html page.
    QString webZiel(const QMimeData* daten)
    {
        if (!daten)
            return {};
        QList<QUrl> urls = daten->urls();
        if (urls.isEmpty() && daten->hasText())
            urls.append(QUrl(daten->text().trimmed()));
        for (const QUrl& url : std::as_const(urls)) {
            if (url.isLocalFile()) {
                const QString pfad = url.toLocalFile();
                if (pfad.endsWith(QLatin1String(".html"), Qt::CaseInsensitive)
                    || pfad.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive))
                    return pfad;
                continue;
            }
            if (webAdresse(url.toString()).isValid() && url.toString().contains(QLatin1String("://")))
                return url.toString();
        }
        return {};
    }
}

void Hauptfenster::ausDemInternet() { m_fenster.webRezeptfenster->oeffnen(); }

void Hauptfenster::webImport(const QString& adresseOderDatei)
{
    m_fenster.webRezeptfenster->starte(adresseOderDatei);
}

void Hauptfenster::dragEnterEvent(QDragEnterEvent* e)
{
    if (!webZiel(e->mimeData()).isEmpty())
        e->acceptProposedAction();
    else
        QMainWindow::dragEnterEvent(e);
}

void Hauptfenster::dropEvent(QDropEvent* e)
{
    const QString ziel = webZiel(e->mimeData());
    if (ziel.isEmpty()) {
        QMainWindow::dropEvent(e);
        return;
    }
    e->acceptProposedAction();
    guarded(this, [&] { webImport(ziel); });
}

} // namespace tk
