// Saving onto a full disk and into a read-only Data folder: a German message that says why, and every
// file as it was. The Data folder is a small tmpfs mounted for the test (filled up, or remounted
// read-only, which stops root too); where the machine allows no mounts the test is skipped.
#include <QDirIterator>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <sys/mount.h>

#include "TestSupport.h"
#include "editing/gui/Rezepteditor.h"
#include "exchange/Paketformat.h"
#include "platform/Error.h"
#include "mainwin/gui/Hauptfenster.h"
#include "store/AppState.h"

namespace {

void copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(
        from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        const QString target = to + u'/' + QDir(from).relativeFilePath(f);
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else
            QFile::copy(f, target);
    }
}

QHash<QString, QByteArray> snapshot(const QString& dir)
{
    QHash<QString, QByteArray> out;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        if (f.endsWith(QLatin1String("/ballast")))
            continue;
        QFile file(f);
        file.open(QIODevice::ReadOnly);
        out.insert(QDir(dir).relativeFilePath(f), file.readAll());
    }
    return out;
}

// The collection's Data folder moved onto a tmpfs of its own for the lifetime of the object.
struct DataOnTmpfs {
    QString data;
    bool mounted = false;
    explicit DataOnTmpfs(const tkt::Collection& c)
        : data(c.path(QStringLiteral("Data")))
    {
        const QString saved = c.path(QStringLiteral("Data.vorher"));
        QDir().rename(data, saved);
        QDir().mkpath(data);
        mounted = ::mount("tmpfs", QFile::encodeName(data).constData(), "tmpfs", 0, "size=2m") == 0;
        copyTree(saved, data);
    }
    ~DataOnTmpfs()
    {
        if (mounted)
            ::umount2(QFile::encodeName(data).constData(), MNT_DETACH);
    }
    bool fill() // until nothing more fits
    {
        QFile b(data + QStringLiteral("/ballast"));
        if (!b.open(QIODevice::WriteOnly))
            return false;
        const QByteArray block(4096, 'x');
        while (b.write(block) == block.size() && b.flush()) { }
        b.close();
        return QStorageInfo(data).bytesAvailable() < 4096;
    }
    bool readOnly()
    {
        return ::mount(nullptr, QFile::encodeName(data).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr)
            == 0;
    }
};

} // namespace

class SchreibfehlerTest : public QObject {
    Q_OBJECT

private slots:
    void saveFails_data();
    void saveFails();
    void packageOnFullDisk();
};

void SchreibfehlerTest::saveFails_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("full");
    QTest::addColumn<QString>("reason");
    const QString voll = QStringLiteral("Auf dem Datenträger ist kein Platz mehr frei.");
    const QString ro = QStringLiteral("Der Datenträger ist schreibgeschützt.");
    for (const char* a : { "editor", "delete", "favourite" }) {
        QTest::addRow("%s, disk full", a) << QString::fromLatin1(a) << true << voll;
        QTest::addRow("%s, read-only", a) << QString::fromLatin1(a) << false << ro;
    }
}

void SchreibfehlerTest::saveFails()
{
    QFETCH(QString, action);
    QFETCH(bool, full);
    QFETCH(QString, reason);
    tkt::Collection c;
    c.standard({ QStringLiteral("2"), QStringLiteral("Suppe|Oma|07,|01.01.2006|für 4|"),
        QStringLiteral("Kuchen|Opa|13,|02.01.2006|1 Blech|"),
        QStringLiteral("Salat|Else|01,|03.01.2006|für 2|") });
    for (int n = 0; n < 3; ++n)
        c.recipe(n, { QStringLiteral("Zutat %1").arg(n) }, { QStringLiteral("Text %1").arg(n) });
    c.write(QStringLiteral("Data/Sonstiges/Welcome.rtf"), { QStringLiteral("{\\rtf1 Willkommen}") });
    c.write(QStringLiteral("Data/Sonstiges/tellerkiste.dat"),
        { QStringLiteral("[Start]"), QStringLiteral("ShowWelcome=0") });
    DataOnTmpfs disk(c);
    if (!disk.mounted)
        QSKIP("Dieser Rechner erlaubt dem Test kein tmpfs (mount verweigert).");

    tkt::ModalScript script;
    tkt::Program p(c.dir());
    QCOMPARE(p.st.rezeptAnzahl, 3);
    tk::Hauptfenster* f1 = p.forms().hauptfenster;
    f1->zeigeRezept(1);
    if (action == QLatin1String("editor")) {
        f1->rezeptBearbeiten();
        tkt::kind<QLineEdit>(p.forms().rezepteditor, "titel")->setText(QStringLiteral("Neuer Titel"));
    }
    QVERIFY(full ? disk.fill() : disk.readOnly());
    const QHash<QString, QByteArray> before = snapshot(disk.data);
    script.seen().clear();

    if (action == QLatin1String("editor")) {
        tkt::kind<QPushButton>(p.forms().rezepteditor, "speichern")->click();
    } else if (action == QLatin1String("delete")) {
        script.answer(tk::Answer::Yes);
        tkt::kind<QAction>(f1, "loeschen")->trigger();
    } else {
        script.answer(tk::Answer::Yes);
        tkt::kind<QAction>(f1, "favorit")->trigger();
    }

    const tk::ModalRequest report = script.last(tk::ModalKind::ErrorReport);
    QVERIFY2(report.text.contains(QStringLiteral("kann nicht geschrieben werden.")), qPrintable(report.text));
    QVERIFY2(report.text.contains(reason), qPrintable(report.text));
    QCOMPARE(snapshot(disk.data), before);
    // The program's picture of the collection is still that of the files.
    QCOMPARE(p.st.rezeptAnzahl, 3);
    QCOMPARE(p.st.rezepte[1].titel, QStringLiteral("Kuchen"));
    QCOMPARE(p.st.rezepte[1].geloescht, 0);
    QCOMPARE(p.st.rezepte[1].favorit, 0);
}

// A package written onto a full disk: refused, and an older package of that name stays whole.
void SchreibfehlerTest::packageOnFullDisk()
{
    tkt::Collection c;
    c.recipe(0, { QStringLiteral("Zutat") }, { QString(3000, u'x') });
    const QString rezept = c.path(QStringLiteral("Data/Rezepte/0000.dat"));
    c.write(QStringLiteral("Data/alt.tkp"), { QStringLiteral("altes Paket") });
    DataOnTmpfs disk(c);
    if (!disk.mounted)
        QSKIP("Dieser Rechner erlaubt dem Test kein tmpfs (mount verweigert).");
    const QString paket = disk.data + QStringLiteral("/alt.tkp");
    const QByteArray vorher = c.bytes(QStringLiteral("Data/alt.tkp"));
    QVERIFY(disk.fill());
    try {
        tk::dateienPacken({ rezept }, paket);
        QFAIL("Packen auf eine volle Platte wurde als Erfolg gemeldet");
    } catch (const tk::Error& e) {
        QVERIFY2(e.message().contains(QStringLiteral("kein Platz mehr frei")), qPrintable(e.message()));
    }
    QCOMPARE(c.bytes(QStringLiteral("Data/alt.tkp")), vorher);
}

TK_TEST_MAIN(SchreibfehlerTest)
#include "tst_schreibfehler.moc"
