// Tellerkiste: the program entry.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "app/Einzelstart.h"
#include "app/Paketoeffnen.h"
#include "app/Programmstart.h"
#include "exchange/WebRezept.h"
#include "mainwin/gui/Hauptfenster.h"
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
    // A second start on the same collection hands its arguments to the running copy and ends.
    tk::Einzelstart einzelstart(state.programDir);
    if (!einzelstart.uebernehmen(QCoreApplication::arguments().mid(1), QDir::currentPath()))
        return 0;
    auto fenster = tk::programmStarten(state);
    if (tk::Application::quitRequested())
        return 0;
    // Another copy on another computer may write into a synchronised folder meanwhile.
    state.sammlung.beobachten();
    // The desktop opens a recipe package by starting the program with its path.
    tk::oeffnePakete(*fenster, QCoreApplication::arguments().mid(1), QDir::currentPath());
    QObject::connect(&einzelstart, &tk::Einzelstart::argumenteErhalten,
        [&fenster](const QStringList& argumente, const QString& arbeitsordner) {
            tk::nachVorn(*fenster);
            tk::oeffnePakete(*fenster, argumente, arbeitsordner);
            const QUrl web = tk::webArgument(argumente);
            if (web.isValid())
                fenster->hauptfenster->webImport(web.toString());
        });
    einzelstart.bereit();
    // `tellerkiste https://…` opens the web import with that address loading.
    const QUrl web = tk::webArgument(QCoreApplication::arguments().mid(1));
    if (web.isValid())
        fenster->hauptfenster->webImport(web.toString());
    return app.exec();
}
