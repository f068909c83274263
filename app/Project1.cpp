// Tellerkiste: the program entry.
#include <QCoreApplication>
#include <QDir>

#include "mainwin/gui/Startup.h"
#include "platform/gui/Application.h"
#include "store/AppState.h"

int main(int argc, char** argv)
{
    tk::Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tellerkiste"));
    // The main window is shown by the welcome window, not by itself; hidden windows must not end the run.
    app.setQuitOnLastWindowClosed(false);
    tk::Application::installGerman();

    tk::AppState state;
    state.programDir = QCoreApplication::applicationDirPath();
    auto windows = tk::createWindows(state);
    if (tk::Application::quitRequested())
        return 0;
    return app.exec();
}
