#include "TestSupport.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamReader>

// The installed layout, checked on a real `cmake --install` into a temporary prefix, and the launcher
// run against a stub program that records what it was given.
namespace {

const QString kId = QStringLiteral("org.example.tellerkiste");

struct Lauf {
    int code = -1;
    QString ausgabe;
};

Lauf starte(const QString& programm, const QStringList& argumente, const QProcessEnvironment& env = {},
    int ms = 120000)
{
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programm, argumente);
    if (!p.waitForFinished(ms))
        return { -1, QStringLiteral("läuft nicht zu Ende: ") + programm };
    return { p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAll()) };
}

// Every file below a folder, relative, with its bytes.
QMap<QString, QByteArray> inhalt(const QString& dir)
{
    QMap<QString, QByteArray> m;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        QFile file(f);
        file.open(QIODevice::ReadOnly);
        m.insert(QDir(dir).relativeFilePath(f), file.readAll());
    }
    return m;
}

}

class InstallTest : public QObject {
    Q_OBJECT

    QString build;
    QTemporaryDir prefix;
    QTemporaryDir benutzer; // HOME and XDG_DATA_HOME of the launcher runs
    QString stubAusgabe;
    int fall = 0;

    QString ziel(const QString& rel) const { return prefix.path() + u'/' + rel; }

    // Runs the installed launcher with the given XDG_DATA_HOME (unset when null); returns the lines the
    // stub program wrote: its TELLERKISTE_HOME, then its arguments.
    QStringList launcher(const QString& xdgDataHome, const QString& home, const QStringList& args = {},
        const QString& programm = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("XDG_DATA_HOME"));
        env.remove(QStringLiteral("TELLERKISTE_HOME"));
        if (!xdgDataHome.isNull())
            env.insert(QStringLiteral("XDG_DATA_HOME"), xdgDataHome);
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("TK_STUB_OUT"), stubAusgabe);
        QFile::remove(stubAusgabe);
        const Lauf r
            = starte(programm.isEmpty() ? ziel(QStringLiteral("bin/tellerkiste")) : programm, args, env);
        if (r.code != 0) {
            qWarning().noquote() << r.ausgabe;
            return { QStringLiteral("Fehler %1").arg(r.code) };
        }
        return QString::fromUtf8(tkt::readFile(stubAusgabe)).split(u'\n', Qt::SkipEmptyParts);
    }

    QString frisch() { return benutzer.path() + QStringLiteral("/fall%1").arg(++fall); }

private slots:
    void initTestCase()
    {
        // The test executables lie in <build>/tests.
        build = QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).canonicalPath();
        QVERIFY2(QFile::exists(build + QStringLiteral("/CMakeCache.txt")), qPrintable(build));
        QVERIFY2(QFile::exists(build + QStringLiteral("/tellerkiste")), "the program is not built");
        const Lauf r = starte(QStringLiteral("cmake"), { "--install", build, "--prefix", prefix.path() });
        QVERIFY2(r.code == 0, qPrintable(r.ausgabe));
        stubAusgabe = benutzer.path() + QStringLiteral("/stub.txt");
    }

    void installedFiles_data()
    {
        QTest::addColumn<QString>("pfad");
        QTest::addColumn<bool>("ausfuehrbar");
        QTest::newRow("launcher") << "bin/tellerkiste" << true;
        QTest::newRow("program") << "lib/tellerkiste/tellerkiste" << true;
        QTest::newRow("seed index") << "share/tellerkiste/Data/Rezepte/index.dat" << false;
        QTest::newRow("seed help") << "share/tellerkiste/Data/Sonstiges/Hilfe.htm" << false;
        QTest::newRow("desktop entry") << "share/applications/" + kId + ".desktop" << false;
        QTest::newRow("metainfo") << "share/metainfo/" + kId + ".metainfo.xml" << false;
        QTest::newRow("file type") << "share/mime/packages/" + kId + ".xml" << false;
        QTest::newRow("icon svg") << "share/icons/hicolor/scalable/apps/" + kId + ".svg" << false;
        QTest::newRow("manual page") << "share/man/man1/tellerkiste.1.gz" << false;
        QTest::newRow("copyright") << "share/doc/tellerkiste/copyright" << false;
        QTest::newRow("Debian changelog") << "share/doc/tellerkiste/changelog.Debian.gz" << false;
        for (int size : { 16, 32, 48, 64, 128, 256 })
            QTest::addRow("icon %d", size)
                << QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kId) << false;
    }
    void installedFiles()
    {
        QFETCH(QString, pfad);
        QFETCH(bool, ausfuehrbar);
        const QFileInfo fi(ziel(pfad));
        QVERIFY2(fi.isFile() && fi.size() > 0, qPrintable(pfad));
        QCOMPARE(fi.isExecutable(), ausfuehrbar);
        const QRegularExpression groesse(QStringLiteral("/(\\d+)x\\1/"));
        if (const auto m = groesse.match(pfad); m.hasMatch()) {
            const QByteArray png = tkt::readFile(fi.filePath());
            QVERIFY(png.startsWith("\x89PNG"));
            // IHDR width and height, big-endian.
            QCOMPARE(qFromBigEndian<quint32>(png.constData() + 16), m.captured(1).toUInt());
            QCOMPARE(qFromBigEndian<quint32>(png.constData() + 20), m.captured(1).toUInt());
        }
    }

    void seedIsTheShippedCollection()
    {
        QCOMPARE(inhalt(ziel(QStringLiteral("share/tellerkiste/Data"))),
            inhalt(QStringLiteral(TK_SOURCE_DIR "/data")));
    }

    void desktopAndMetainfoValidate_data()
    {
        QTest::addColumn<QString>("werkzeug");
        QTest::addColumn<QStringList>("argumente");
        QTest::newRow("desktop-file-validate")
            << "desktop-file-validate" << QStringList { ziel("share/applications/" + kId + ".desktop") };
        QTest::newRow("appstreamcli")
            << "appstreamcli"
            << QStringList { "validate", "--no-net", ziel("share/metainfo/" + kId + ".metainfo.xml") };
    }
    void desktopAndMetainfoValidate()
    {
        QFETCH(QString, werkzeug);
        QFETCH(QStringList, argumente);
        const QString pfad = QStandardPaths::findExecutable(werkzeug);
        QVERIFY2(!pfad.isEmpty(),
            qPrintable(werkzeug + QStringLiteral(" fehlt: scripts/install-deps.sh installiert es")));
        const Lauf r = starte(pfad, argumente);
        QVERIFY2(r.code == 0, qPrintable(r.ausgabe));
    }

    // The Debian package `make package` builds: no lintian error or warning.
    void debianPackagePassesLintian()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("The package is built from the normal build, not from a sanitizer build.");
#endif
        const QString lintian = QStandardPaths::findExecutable(QStringLiteral("lintian"));
        QVERIFY2(!lintian.isEmpty(), "lintian fehlt: scripts/install-deps.sh installiert es");
        QTemporaryDir aus;
        const Lauf pack = starte(QStringLiteral("cpack"),
            { "-G", "DEB", "--config", build + QStringLiteral("/CPackConfig.cmake"), "-B", aus.path() }, {},
            480000); // packing the program with its debug information takes long on a busy machine
        QVERIFY2(pack.code == 0, qPrintable(pack.ausgabe));
        const QStringList debs = QDir(aus.path()).entryList({ QStringLiteral("*.deb") });
        QCOMPARE(debs.size(), 1);
        const Lauf r = starte(lintian, { "--fail-on", "error,warning", aus.filePath(debs.first()) });
        QVERIFY2(r.code == 0, qPrintable(r.ausgabe));
        QVERIFY2(!QRegularExpression(QStringLiteral("^[EW]: "), QRegularExpression::MultilineOption)
                      .match(r.ausgabe)
                      .hasMatch(),
            qPrintable(r.ausgabe));
    }

    // The desktop entry offers the program for exactly the type the file type definition declares.
    void packageTypeMatchesTheDesktopEntry()
    {
        QXmlStreamReader xml(tkt::readFile(ziel("share/mime/packages/" + kId + ".xml")));
        QString typ;
        QStringList globs;
        bool magic = false;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"mime-type")
                typ = xml.attributes().value(QLatin1String("type")).toString();
            if (xml.name() == u"glob")
                globs.append(xml.attributes().value(QLatin1String("pattern")).toString());
            if (xml.name() == u"magic")
                magic = true;
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(globs, QStringList { "*.tkp" });
        QVERIFY(!magic);
        const QString desktop
            = QString::fromUtf8(tkt::readFile(ziel("share/applications/" + kId + ".desktop")));
        QVERIFY(desktop.contains(QStringLiteral("\nMimeType=") + typ + u';'));
        QVERIFY(desktop.contains(QStringLiteral("\nExec=tellerkiste %U\n")));
        QVERIFY(desktop.contains(QStringLiteral("\nIcon=") + kId + u'\n'));
    }

    void stubProgram()
    {
        // From here on the launcher starts a stub that records its folder and arguments.
        const QString programm = ziel(QStringLiteral("lib/tellerkiste/tellerkiste"));
        QFile::remove(programm);
        tkt::writeFile(
            programm, "#!/bin/sh\nprintf '%s\\n' \"$TELLERKISTE_HOME\" \"$@\" > \"$TK_STUB_OUT\"\n");
        QVERIFY(QFile::setPermissions(programm, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    void launcherSeedsAFreshFolderOnce()
    {
        const QString xdg = frisch();
        const QString home = xdg + QStringLiteral("/tellerkiste");
        const QStringList args { "/pakete/Omas Kuchen.tkp", "zweites paket.tkp" };
        QCOMPARE(launcher(xdg, frisch(), args), QStringList { home } + args);
        const auto seed = inhalt(ziel(QStringLiteral("share/tellerkiste/Data")));
        QCOMPARE(inhalt(home + QStringLiteral("/Data")), seed);
        // The copy is the user's: writable, whatever the shipped files' modes.
        QVERIFY(
            QFileInfo(home + QStringLiteral("/Data/Rezepte/index.dat")).permissions() & QFile::WriteOwner);
        QCOMPARE(QDir(home).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList { "Data" });

        // What the user changed, added or deleted stays so on every later start.
        tkt::writeFile(home + QStringLiteral("/Data/Rezepte/index.dat"), "meins\r\n");
        tkt::writeFile(home + QStringLiteral("/Data/Rezepte/0099.dat"), "neu\r\n");
        QVERIFY(QFile::remove(home + QStringLiteral("/Data/Rezepte/0001.dat")));
        tkt::writeFile(home + QStringLiteral("/config.ini"), "[Layout]\r\n");
        const auto vorher = inhalt(home);
        QCOMPARE(launcher(xdg, frisch()), QStringList { home });
        QCOMPARE(inhalt(home), vorher);
    }

    void launcherFindsTheUsersFolder_data()
    {
        QTest::addColumn<bool>("xdgGesetzt");
        QTest::addColumn<bool>("xdgRelativ");
        QTest::newRow("XDG_DATA_HOME") << true << false;
        QTest::newRow("unset: ~/.local/share") << false << false;
        QTest::newRow("relative XDG_DATA_HOME is ignored") << true << true;
    }
    void launcherFindsTheUsersFolder()
    {
        QFETCH(bool, xdgGesetzt);
        QFETCH(bool, xdgRelativ);
        const QString home = frisch();
        const QString xdg = xdgRelativ ? QStringLiteral("relativ/daten") : frisch();
        const QString erwartet = (xdgGesetzt && !xdgRelativ ? xdg : home + QStringLiteral("/.local/share"))
            + QStringLiteral("/tellerkiste");
        QCOMPARE(launcher(xdgGesetzt ? xdg : QString(), home), QStringList { erwartet });
        QVERIFY(QFile::exists(erwartet + QStringLiteral("/Data/Rezepte/index.dat")));
    }

    void launcherSeedsOnlyAMissingData()
    {
        // A folder with a layout file but no collection (or a copy cut short) gets the collection,
        // and the layout stays.
        const QString xdg = frisch();
        const QString home = xdg + QStringLiteral("/tellerkiste");
        tkt::writeFile(home + QStringLiteral("/config.ini"), "[Layout]\r\nLinks=7\r\n");
        tkt::writeFile(home + QStringLiteral("/.Data.abc123/Rezepte/index.dat"), "halb");
        QCOMPARE(launcher(xdg, frisch()), QStringList { home });
        QCOMPARE(tkt::readFile(home + QStringLiteral("/config.ini")), QByteArray("[Layout]\r\nLinks=7\r\n"));
        QCOMPARE(
            inhalt(home + QStringLiteral("/Data")), inhalt(ziel(QStringLiteral("share/tellerkiste/Data"))));
    }

    void launcherThroughALinkFindsItsPrefix()
    {
        const QString link = benutzer.path() + QStringLiteral("/link-tellerkiste");
        QVERIFY(QFile::link(ziel(QStringLiteral("bin/tellerkiste")), link));
        const QString xdg = frisch();
        QCOMPARE(launcher(xdg, frisch(), {}, link), QStringList { xdg + QStringLiteral("/tellerkiste") });
        QVERIFY(QFile::exists(xdg + QStringLiteral("/tellerkiste/Data/Rezepte/index.dat")));
    }
};

TK_TEST_MAIN(InstallTest)
#include "tst_install.moc"
