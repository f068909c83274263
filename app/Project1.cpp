// Tellerkiste: the program entry.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "exchange/gui/Paketoeffnen.h"
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
    // Portable, the collection lies beside the program; installed, the launcher names a folder of the user's.
    const QString home = qEnvironmentVariable("TELLERKISTE_HOME");
    state.programDir
        = home.isEmpty() ? QCoreApplication::applicationDirPath() : QFileInfo(home).absoluteFilePath();
    auto windows = tk::createWindows(state);
    if (tk::Application::quitRequested())
        return 0;
    // The desktop opens a recipe package by starting the program with its path.
    tk::oeffnePakete(windows->forms, QCoreApplication::arguments().mid(1), QDir::currentPath());
    return app.exec();
}
