#include "platform/gui/Meldung.h"

#include <QPointer>
#include <QWidget>

#include "platform/gui/Modal.h"

namespace tk {

namespace {
    std::function<void(const QString&, const QString&)>& fenster()
    {
        static std::function<void(const QString&, const QString&)> f;
        return f;
    }
    QPointer<QWidget>& haupt()
    {
        static QPointer<QWidget> w;
        return w;
    }
}

void Meldung(const QString& text, const QString& caption)
{
    if (fenster()) {
        fenster()(text, caption);
        return;
    }
    ModalRequest r;
    r.kind = ModalKind::Meldung;
    r.caption = caption;
    r.text = text;
    Modal::run(r, [] { return ModalReply {}; });
}

void setMeldungsfenster(std::function<void(const QString&, const QString&)> zeige)
{
    fenster() = std::move(zeige);
}

QWidget* hauptfenster() { return haupt().data(); }
void setHauptfenster(QWidget* w) { haupt() = w; }

} // namespace tk
