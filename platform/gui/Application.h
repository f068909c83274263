#pragma once

#include <QApplication>

namespace tk {

// The application object: a failure that escapes an event handler is shown by the standard error
// report and the program goes on.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Qt's German translations for the standard dialogs, and the locale the lists sort by.
    static void installGerman();

    // Asks the program to end: takes effect when control is back in the event loop, or, during
    // start-up, before the event loop would run.
    static void requestQuit();
    static bool quitRequested();
    static void clearQuitRequest(); // for a fresh start in tests

    // Closing the main window ends the program; tests that close many main windows turn this off.
    static void endProgram();
    static void setEndsProgram(bool on);
};

} // namespace tk
