#pragma once

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <memory>

#include "Kontrollen.h"
#include "app/Fensterregister.h"
#include "platform/gui/Modal.h"

namespace tk {
struct AppState;
class Hauptfenster;
}

namespace tkt {

// Answers the modal windows of a test in order, and records each request.
// Unexpected requests (none queued) are recorded and answered with Cancel / No / OK. When the script
// ends, an answer left unused fails the test, and so does an unanswered request the test never looked
// at (through seen(), last() or texts()); clear() accepts both.
class ModalScript {
public:
    ModalScript();
    ~ModalScript();

    ModalScript& answer(tk::Answer a);
    ModalScript& file(const QString& path); // a file dialog's answer
    ModalScript& files(const QStringList& paths);
    ModalScript& drive(std::function<void(QWidget*)> f); // drive the real window
    void clear(); // forget unexpected requests and unused answers

    // Every request so far; looking at them (here, last() or texts()) counts as expecting them.
    QList<tk::ModalRequest>& seen()
    {
        m_angesehen = true;
        return m_seen;
    }
    int unexpected = 0;
    int pending() const { return int(m_queue.size()); }

    // The last request of a kind, or an empty one.
    tk::ModalRequest last(tk::ModalKind kind) const;
    QStringList texts(tk::ModalKind kind) const;

private:
    std::deque<tk::ModalReply> m_queue;
    QList<tk::ModalRequest> m_seen;
    mutable bool m_angesehen = false;
};

// A program folder in a temporary directory with a collection built from lines.
class Collection {
public:
    Collection();
    QString dir() const { return m_tmp.path(); }
    QString path(const QString& rel) const { return m_tmp.path() + u'/' + rel; }

    // Writes a text file as Windows-1252 with CR LF after every line.
    void write(const QString& rel, const QStringList& lines);
    void writeBytes(const QString& rel, const QByteArray& bytes);
    QByteArray bytes(const QString& rel) const;
    QStringList lines(const QString& rel) const;
    bool exists(const QString& rel) const;

    // A small standard collection: index, category file (15 lines + extra), favourites.
    void standard(const QStringList& indexLines, const QStringList& ownCategories = {},
        const QStringList& favourites = {});
    void recipe(
        int n, const QStringList& zutaten, const QStringList& text, const QStringList& kommentar = {});

private:
    QTemporaryDir m_tmp;
};

// The program on a collection, as after start-up: the windows of the start-up are made; every other
// window is made when a test first asks forms() for it.
class Program {
public:
    explicit Program(const QString& dir);
    ~Program();
    tk::AppState& st;
    tk::Fensterregister& forms() { return *m_fenster; }
    // The main window on screen and active (the welcome window hidden), so its shortcuts reach it;
    // null when it does not become active.
    tk::Hauptfenster* hauptfensterZeigen();

private:
    std::unique_ptr<tk::AppState> m_state;
    std::unique_ptr<tk::Fensterregister> m_fenster;
};

QByteArray crlf(const QStringList& lines); // Windows-1252 + CR LF
QByteArray readFile(const QString& path); // empty when it cannot be read
void writeFile(const QString& path, const QByteArray& bytes); // its folder made; a failure fails the test
void useGermanLocale();

} // namespace tkt

// Test main with the program's application object and a fixed German locale.
#define TK_TEST_MAIN(TestObject)                                                                             \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        tk::Application app(argc, argv);                                                                     \
        QCoreApplication::setApplicationName(QStringLiteral("Tellerkiste"));                                 \
        app.setQuitOnLastWindowClosed(false);                                                                \
        tk::Application::setEndsProgram(false);                                                              \
        tkt::useGermanLocale();                                                                              \
        TestObject tc;                                                                                       \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&tc, argc, argv);                                                                \
    }

#include "platform/gui/Application.h"
