#include "platform/gui/Application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/Error.h"
#include "platform/gui/Modal.h"

namespace tk {

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        errorReport(activeWindow(), messageOf(e));
    }
    return false;
}

namespace {
    bool g_quit = false;
    bool g_endsProgram = true;
}

void Application::requestQuit()
{
    g_quit = true;
    if (g_endsProgram)
        QCoreApplication::exit(0);
}

bool Application::quitRequested() { return g_quit; }
void Application::clearQuitRequest() { g_quit = false; }

void Application::setEndsProgram(bool on) { g_endsProgram = on; }

void Application::endProgram()
{
    if (g_endsProgram)
        QCoreApplication::exit(0);
}

void Application::installGerman()
{
    // On a C/POSIX system locale the lists sort and dates read as in German.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto* qt = new QTranslator(qApp);
    if (qt->load(QLocale(QLocale::German), QStringLiteral("qt"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    auto* base = new QTranslator(qApp);
    if (base->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(base);
}

} // namespace tk
