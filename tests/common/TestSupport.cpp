#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include "app/Programmstart.h"
#include "dialogs/gui/Willkommensfenster.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/Cp1252.h"
#include "platform/TextLines.h"
#include "store/AppState.h"
#include "store/Formats.h"

namespace tkt {

ModalScript::ModalScript()
{
    tk::Modal::setScript([this](const tk::ModalRequest& r) {
        m_seen.append(r);
        if (m_queue.empty()) {
            ++unexpected;
            tk::ModalReply no;
            no.answer = (r.kind == tk::ModalKind::Question) ? tk::Answer::No
                : (r.kind == tk::ModalKind::Meldung || r.kind == tk::ModalKind::PlainMessage
                      || r.kind == tk::ModalKind::ErrorReport)
                ? tk::Answer::Ok
                : tk::Answer::Cancel;
            return no;
        }
        tk::ModalReply reply = m_queue.front();
        m_queue.pop_front();
        return reply;
    });
}

ModalScript::~ModalScript()
{
    tk::Modal::setScript({});
    // A modal window nobody expected, or an answer nobody asked for, fails the test by itself; a test
    // that means to allow one says so by clearing `unexpected` or the queue.
    if (QTest::currentTestFailed() || !QTest::currentTestFunction())
        return;
    if (unexpected > 0 && !m_angesehen) {
        QStringList was;
        for (const tk::ModalRequest& r : std::as_const(m_seen))
            was.append(r.caption + QStringLiteral(": ") + r.text.left(80));
        QTest::qFail(qPrintable(QStringLiteral("%1 unerwartete modale Fenster: %2")
                                    .arg(unexpected)
                                    .arg(was.join(QStringLiteral(" | ")))),
            __FILE__, __LINE__);
    } else if (!m_queue.empty()) {
        QTest::qFail(qPrintable(QStringLiteral("%1 Antworten blieben unbenutzt").arg(m_queue.size())),
            __FILE__, __LINE__);
    }
}

void ModalScript::clear()
{
    unexpected = 0;
    m_angesehen = true;
    m_queue.clear();
}

ModalScript& ModalScript::answer(tk::Answer a)
{
    tk::ModalReply r;
    r.answer = a;
    m_queue.push_back(r);
    return *this;
}

ModalScript& ModalScript::file(const QString& path) { return files({ path }); }

ModalScript& ModalScript::files(const QStringList& paths)
{
    tk::ModalReply r;
    r.answer = tk::Answer::Ok;
    r.files = paths;
    m_queue.push_back(r);
    return *this;
}

ModalScript& ModalScript::drive(std::function<void(QWidget*)> f)
{
    tk::ModalReply r;
    r.drive = std::move(f);
    m_queue.push_back(r);
    return *this;
}

tk::ModalRequest ModalScript::last(tk::ModalKind kind) const
{
    m_angesehen = true;
    for (qsizetype i = m_seen.size() - 1; i >= 0; --i)
        if (m_seen.at(i).kind == kind)
            return m_seen.at(i);
    return {};
}

QStringList ModalScript::texts(tk::ModalKind kind) const
{
    m_angesehen = true;
    QStringList out;
    for (const auto& r : m_seen)
        if (r.kind == kind)
            out.append(r.text);
    return out;
}

QByteArray crlf(const QStringList& lines) { return tk::joinLines(lines); }

void useGermanLocale() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

Collection::Collection()
{
    QDir(m_tmp.path()).mkpath(QStringLiteral("Data/Rezepte"));
    QDir(m_tmp.path()).mkpath(QStringLiteral("Data/Sonstiges"));
    QDir(m_tmp.path()).mkpath(QStringLiteral("Data/Grafiken"));
    // A welcome text, and a start straight into the main window as after unticking "Immer anzeigen";
    // the welcome window's own tests change these.
    writeBytes(
        QStringLiteral("Data/Sonstiges/Welcome.rtf"), QByteArrayLiteral("{\\rtf1\\ansi Willkommen!\\par}"));
    write(QStringLiteral("Data/Sonstiges/tellerkiste.dat"),
        { QStringLiteral("[Start]"), QStringLiteral("ShowWelcome=0") });
}

void Collection::write(const QString& rel, const QStringList& lines) { writeBytes(rel, crlf(lines)); }

void Collection::writeBytes(const QString& rel, const QByteArray& bytes)
{
    const QString p = path(rel);
    QDir().mkpath(QFileInfo(p).path());
    QFile f(p);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write fixture %s", qPrintable(p));
    f.write(bytes);
}

QByteArray Collection::bytes(const QString& rel) const
{
    QFile f(path(rel));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QStringList Collection::lines(const QString& rel) const { return tk::splitLines(bytes(rel)); }
bool Collection::exists(const QString& rel) const { return QFileInfo::exists(path(rel)); }

void Collection::standard(
    const QStringList& indexLines, const QStringList& own, const QStringList& favourites)
{
    write(QStringLiteral("Data/Rezepte/index.dat"), indexLines);
    QStringList kat;
    for (int i = 0; i < 15; ++i)
        kat.append(QStringLiteral("Standard %1").arg(i));
    kat += own;
    write(QStringLiteral("Data/Rezepte/kategorien.dat"), kat);
    QStringList fav { QStringLiteral("[Favoriten]") };
    for (const QString& f : favourites)
        fav.append(f + QStringLiteral("=1"));
    write(QStringLiteral("Data/Rezepte/favoriten.dat"), fav);
}

void Collection::recipe(
    int n, const QStringList& zutaten, const QStringList& text, const QStringList& kommentar)
{
    write(QStringLiteral("Data/Rezepte/") + tk::stem(n) + QStringLiteral(".dat"),
        tk::buildRecipe(zutaten, text, kommentar));
}

Program::Program(const QString& dir)
    : st(*new tk::AppState)
{
    m_state.reset(&st);
    st.programDir = dir;
    m_fenster = tk::programmStarten(st);
}

Program::~Program() = default;

tk::Hauptfenster* Program::hauptfensterZeigen()
{
    m_fenster->willkommensfenster->hide();
    tk::Hauptfenster* f1 = m_fenster->hauptfenster;
    f1->show();
    f1->activateWindow();
    return QTest::qWaitForWindowActive(f1) ? f1 : nullptr;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QVERIFY(f.write(bytes) == bytes.size());
}

} // namespace tkt
