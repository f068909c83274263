// Recipes from the web: the menu item, dropped addresses and files, and the hand-off to the editor.
#include "mainwin/gui/Hauptfenster.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "editing/gui/Rezepteditor.h"
#include "exchange/WebRezept.h"
#include "exchange/gui/WebRezeptfenster.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"

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

// The window is made the first time it is needed; the main window owns it, the editor takes its result.
static WebRezeptfenster* webFenster(Hauptfenster* f1, AppState& st, Fensterregister& forms)
{
    auto* w
        = f1->findChild<WebRezeptfenster*>(QStringLiteral("webRezeptfenster"), Qt::FindDirectChildrenOnly);
    if (w)
        return w;
    w = new WebRezeptfenster(st, f1);
    QObject::connect(w, &WebRezeptfenster::rezeptGelesen, f1, [f1, &forms](const RezeptVorgabe& v) {
        guarded(f1, [&] {
            Rezepteditor* editor = forms.rezepteditor;
            if (!editor)
                return;
            editor->neuesRezept(v);
            if (!editor->isVisible())
                centreOn(editor, f1);
            editor->show();
            editor->raise();
            editor->activateWindow();
        });
    });
    return w;
}

void Hauptfenster::ausDemInternet() { webFenster(this, st, forms)->oeffnen(); }

void Hauptfenster::webImport(const QString& adresseOderDatei)
{
    webFenster(this, st, forms)->starte(adresseOderDatei);
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
