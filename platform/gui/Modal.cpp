#include "platform/gui/Modal.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include "platform/Error.h"

namespace tk {

namespace {
    Modal::Script& script()
    {
        static Modal::Script s;
        return s;
    }

    // A box opens over the window it belongs to. A hidden window (the settings window after OK, any
    // window before the first is shown) has no place on screen yet: then the active window, the
    // program's main window, or else the middle of the screen, where the main window will open.
    QWidget* owner(QWidget* parent)
    {
        if (parent && parent->window()->isVisible())
            return parent->window();
        if (QWidget* active = QApplication::activeWindow())
            return active;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->inherits("QMainWindow"))
                return top;
        return nullptr;
    }
}

void Modal::setScript(Script s) { script() = std::move(s); }
bool Modal::scripted() { return bool(script()); }

ModalReply Modal::run(const ModalRequest& request, const std::function<ModalReply()>& real)
{
    if (!script())
        return real();
    ModalReply reply = script()(request);
    if (reply.drive && request.window) {
        QWidget* w = request.window;
        auto drive = reply.drive;
        QTimer::singleShot(0, w, [w, drive] { drive(w); });
        const ModalReply shown = real();
        if (reply.files.isEmpty())
            reply.files = shown.files;
        reply.answer = shown.answer;
    }
    return reply;
}

int Modal::exec(QDialog* dialog, const QString& caption, ModalKind kind, const QString& text)
{
    ModalRequest req { kind, caption.isEmpty() ? dialog->windowTitle() : caption, text, {}, {}, dialog };
    const ModalReply reply = run(req, [dialog] {
        ModalReply r;
        r.answer = dialog->exec() == QDialog::Accepted ? Answer::Ok : Answer::Cancel;
        return r;
    });
    return reply.answer == Answer::Ok || reply.answer == Answer::Yes ? QDialog::Accepted : QDialog::Rejected;
}

Answer askYesNo(QWidget* parent, const QString& caption, const QString& text)
{
    ModalRequest req { ModalKind::Question, caption, text };
    return Modal::run(req, [&] {
        QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::NoButton, owner(parent));
        QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        ModalReply r;
        r.answer = box.clickedButton() == yes ? Answer::Yes : Answer::No;
        return r;
    }).answer;
}

void plainMessage(QWidget* parent, const QString& text)
{
    const QString caption = QApplication::applicationName();
    ModalRequest req { ModalKind::PlainMessage, caption, text };
    Modal::run(req, [&] {
        QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner(parent));
        box.exec();
        return ModalReply {};
    });
}

void errorReport(QWidget* parent, const QString& text)
{
    const QString caption = QApplication::applicationName();
    ModalRequest req { ModalKind::ErrorReport, caption, text };
    Modal::run(req, [&] {
        QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner(parent));
        box.exec();
        return ModalReply {};
    });
}

QString openFileName(QWidget* parent, const QString& title, const QString& filter, const QString& dir)
{
    ModalRequest req { ModalKind::OpenFile, title, {}, filter };
    const ModalReply r = Modal::run(req, [&] {
        ModalReply rr;
        const QString f = QFileDialog::getOpenFileName(parent, title, dir, filter);
        rr.answer = f.isEmpty() ? Answer::Cancel : Answer::Ok;
        if (!f.isEmpty())
            rr.files = { f };
        return rr;
    });
    return r.answer == Answer::Ok && !r.files.isEmpty() ? r.files.first() : QString();
}

QStringList openFileNames(QWidget* parent, const QString& title, const QString& filter, const QString& dir)
{
    ModalRequest req { ModalKind::OpenFiles, title, {}, filter };
    const ModalReply r = Modal::run(req, [&] {
        ModalReply rr;
        rr.files = QFileDialog::getOpenFileNames(parent, title, dir, filter);
        rr.answer = rr.files.isEmpty() ? Answer::Cancel : Answer::Ok;
        return rr;
    });
    return r.answer == Answer::Ok ? r.files : QStringList();
}

QString saveFileName(QWidget* parent, const QString& title, const QString& filter, const QString& presetName,
    const QString& defaultSuffix)
{
    ModalRequest req { ModalKind::SaveFile, title, {}, filter, presetName };
    const ModalReply r = Modal::run(req, [&] {
        ModalReply rr;
        QFileDialog dlg(parent, title, QString(), filter);
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setDefaultSuffix(defaultSuffix);
        if (!presetName.isEmpty())
            dlg.selectFile(presetName);
        if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()) {
            rr.files = { dlg.selectedFiles().first() };
            rr.answer = Answer::Ok;
        } else {
            rr.answer = Answer::Cancel;
        }
        return rr;
    });
    return r.answer == Answer::Ok && !r.files.isEmpty() ? r.files.first() : QString();
}

bool printDialog(QWidget* parent, QPrinter* printer)
{
    ModalRequest req { ModalKind::Print, QStringLiteral("Drucken") };
    const ModalReply r = Modal::run(req, [&] {
        QPrintDialog dlg(printer, parent);
        ModalReply rr;
        rr.answer = dlg.exec() == QDialog::Accepted ? Answer::Ok : Answer::Cancel;
        return rr;
    });
    return r.answer == Answer::Ok;
}

void guarded(QWidget* parent, const std::function<void()>& body)
{
    try {
        body();
    } catch (const std::exception& e) {
        errorReport(parent, messageOf(e));
    }
}

} // namespace tk
