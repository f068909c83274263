#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/Error.h"
#include "platform/TextLines.h"

class TextLinesTest : public QObject {
    Q_OBJECT
private slots:
    void splitsLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty file has no line") << QByteArray() << QStringList();
        QTest::newRow("final CR LF adds no empty line") << QByteArray("a\r\n") << QStringList { "a" };
        QTest::newRow("no final line end") << QByteArray("a\r\nb") << QStringList { "a", "b" };
        QTest::newRow("bare LF") << QByteArray("a\nb\n") << QStringList { "a", "b" };
        QTest::newRow("mixed line ends") << QByteArray("a\nb\r\nc") << QStringList { "a", "b", "c" };
        QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList { "" };
        QTest::newRow("empty last line kept") << QByteArray("a\r\n\r\n") << QStringList { "a", "" };
        QTest::newRow("blank lines inside")
            << QByteArray("a\r\n\r\n\r\nb\r\n") << QStringList { "a", "", "", "b" };
        QTest::newRow("Windows-1252") << QByteArray("M\xF6hre \x96 \x80\r\n") << QStringList { "Möhre – €" };
        QTest::newRow("blanks kept") << QByteArray("  a \r\n") << QStringList { "  a " };
    }
    void splitsLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(tk::splitLines(bytes), lines);
    }

    void joinsLinesByteExact_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no line, no byte") << QStringList() << QByteArray();
        QTest::newRow("CR LF after every line") << QStringList { "a", "b" } << QByteArray("a\r\nb\r\n");
        QTest::newRow("empty line") << QStringList { "" } << QByteArray("\r\n");
        QTest::newRow("umlauts as single bytes") << QStringList { "Käse", "Grüße" }
                                                 << QByteArray("K\xE4se\r\nGr\xFC\xDF"
                                                               "e\r\n");
        QTest::newRow("unrepresentable as ?") << QStringList { "Ćevapčići" } << QByteArray("?evap?i?i\r\n");
    }
    void joinsLinesByteExact()
    {
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, bytes);
        QCOMPARE(tk::joinLines(lines), bytes);
    }

    void savesAndLoadsThroughDisk()
    {
        QTemporaryDir dir;
        const QString p = dir.filePath(QStringLiteral("index.dat"));
        tkt::writeFile(p, QByteArray(5000, 'x')); // a longer old file is replaced whole
        const QStringList lines { "1", "Apfelkuchen|Oma|01,13,|12.03.2006|für 4 Personen|", "||||" };
        tk::saveLines(p, lines);
        QCOMPARE(tkt::readFile(p),
            QByteArray("1\r\nApfelkuchen|Oma|01,13,|12.03.2006|f\xFCr 4 Personen|\r\n||||\r\n"));
        QCOMPARE(tk::loadLines(p), lines);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "index.dat" });
    }

    void saveKeepsPermissions()
    {
        QTemporaryDir dir;
        const QString p = dir.filePath(QStringLiteral("a.dat"));
        tkt::writeFile(p, "old\r\n");
        const auto perms = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(p, perms));
        tk::saveLines(p, { "new" });
        QCOMPARE(tkt::readFile(p), QByteArray("new\r\n"));
        QCOMPARE(QFile::permissions(p) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), perms);
    }

    void loadOfMissingFileFailsInGerman()
    {
        QTemporaryDir dir;
        const QString p = dir.filePath(QStringLiteral("fehlt.dat"));
        try {
            tk::loadLines(p);
            QFAIL("no error");
        } catch (const tk::Error& e) {
            QVERIFY(e.message().contains(QStringLiteral("kann nicht geöffnet werden")));
            QVERIFY(e.message().contains(QStringLiteral("fehlt.dat")));
        }
    }

    // A failed save reports the error and leaves what was there as it was.
    void failedSaveKeepsOldFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("read-only file") << QStringLiteral("readonly");
        QTest::newRow("folder is a regular file") << QStringLiteral("notafolder");
        QTest::newRow("missing folder") << QStringLiteral("missing");
        QTest::newRow("unwritable folder") << QStringLiteral("lockedfolder");
    }
    void failedSaveKeepsOldFile()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QByteArray old("alt\r\n");
        QString target; // what we try to write
        QString guard; // the file that must stay untouched
        if (kind == u"readonly") {
            target = guard = dir.filePath(QStringLiteral("index.dat"));
            tkt::writeFile(guard, old);
            QVERIFY(QFile::setPermissions(guard, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        } else if (kind == u"notafolder") {
            guard = dir.filePath(QStringLiteral("Rezepte"));
            tkt::writeFile(guard, old);
            target = guard + QStringLiteral("/index.dat");
        } else if (kind == u"missing") {
            target = dir.filePath(QStringLiteral("gibtsnicht/index.dat"));
        } else {
            const QString folder = dir.filePath(QStringLiteral("Rezepte"));
            QVERIFY(QDir().mkpath(folder));
            target = guard = folder + QStringLiteral("/index.dat");
            tkt::writeFile(guard, old);
            QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            if (::access(QFile::encodeName(folder).constData(), W_OK) == 0) {
                QFile::setPermissions(
                    folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
                QSKIP("the folder permission does not bind this user (root)");
            }
        }
        bool thrown = false;
        try {
            tk::saveLines(target, { "neu" });
        } catch (const tk::Error& e) {
            thrown = true;
            QVERIFY2(e.message().contains(QStringLiteral("kann nicht geschrieben werden")),
                qPrintable(e.message()));
            QVERIFY(e.message().contains(QStringLiteral("index.dat")));
        }
        QVERIFY(thrown);
        if (!guard.isEmpty())
            QCOMPARE(tkt::readFile(guard), old);
        if (kind == u"readonly")
            QVERIFY(tk::isReadOnly(guard));
        if (kind == u"lockedfolder")
            QFile::setPermissions(QFileInfo(guard).path(),
                QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void readOnlyIsTheOwnerWriteBit_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("rw-r--r--") << 0644 << false;
        QTest::newRow("r--r--r--") << 0444 << true;
        QTest::newRow("r--rw-rw-") << 0466 << true;
        QTest::newRow("r-xr-x---") << 0550 << true;
    }
    void readOnlyIsTheOwnerWriteBit()
    {
        QFETCH(int, mode);
        QFETCH(bool, readOnly);
        QTemporaryDir dir;
        const QString p = dir.filePath(QStringLiteral("index.dat"));
        tkt::writeFile(p, "x");
        const QByteArray name = QFile::encodeName(p);
        QCOMPARE(::chmod(name.constData(), mode_t(mode)), 0);
        QCOMPARE(tk::isReadOnly(p), readOnly);
        tk::clearReadOnly(p);
        QVERIFY(!tk::isReadOnly(p));
        struct stat st;
        QCOMPARE(::stat(name.constData(), &st), 0);
        // Only the owner's write bit changes.
        QCOMPARE(int(st.st_mode & 07777), mode | 0200);
    }
};

TK_TEST_MAIN(TextLinesTest)
#include "tst_textlines.moc"
