#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;
class QDialog;
class QPrinter;

namespace tk {

// The one seam every modal interaction passes through: the message window, question boxes, the
// plain message box, the error report, file and printer dialogs and the modal windows of the program.
// Normally it shows the real thing. A test installs a script that sees each request and answers it.
enum class ModalKind {
    Meldung,
    Question,
    PlainMessage,
    ErrorReport,
    OpenFile,
    OpenFiles,
    SaveFile,
    Print,
    Dialog
};
enum class Answer { Ok, Cancel, Yes, No };

struct ModalRequest {
    ModalKind kind = ModalKind::Meldung;
    QString caption;
    QString text;
    QString filter; // file dialogs
    QString fileName; // preset name of a save dialog
    QWidget* window = nullptr; // the window that is shown (message window, modal program windows)
};

struct ModalReply {
    Answer answer = Answer::Ok;
    QStringList files;
    // When set, the real window is shown modally and this runs on it once it is up
    // (it must close the window). Lets a test drive a modal window with clicks and keys.
    std::function<void(QWidget*)> drive;
};

class Modal {
public:
    using Script = std::function<ModalReply(const ModalRequest&)>;
    static void setScript(Script script); // an empty script restores the real windows
    static bool scripted();

    // Runs a request: the script answers it, or real() shows the real thing.
    static ModalReply run(const ModalRequest& request, const std::function<ModalReply()>& real);

    // Shows a program window modally (exec) through the seam.
    static int exec(QDialog* dialog, const QString& caption = {}, ModalKind kind = ModalKind::Dialog,
        const QString& text = {});
};

// The platform's boxes, all through the seam.
Answer askYesNo(QWidget* parent, const QString& caption, const QString& text); // Ja/Nein, no icon
void plainMessage(QWidget* parent, const QString& text); // caption: application title
void errorReport(QWidget* parent, const QString& text); // the standard error report
QString openFileName(QWidget* parent, const QString& title, const QString& filter, const QString& dir = {});
QStringList openFileNames(
    QWidget* parent, const QString& title, const QString& filter, const QString& dir = {});
QString saveFileName(QWidget* parent, const QString& title, const QString& filter, const QString& presetName,
    const QString& defaultSuffix);
bool printDialog(QWidget* parent, QPrinter* printer);

// Runs a handler body; a failure it does not catch is shown by the standard error report.
void guarded(QWidget* parent, const std::function<void()>& body);

} // namespace tk
