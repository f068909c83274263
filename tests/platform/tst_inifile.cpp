#include "TestSupport.h"

#include <QFile>

#include "platform/Error.h"
#include "platform/IniFile.h"
#include "platform/TextLines.h"

class IniFileTest : public QObject {
    Q_OBJECT
private slots:
    // One table for the reading rules. A null file means "no file on disk".
    // kind: s = readString, i = readInteger, b = readBool; def and expected are given as text.
    void reads_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("def");
        QTest::addColumn<QString>("expected");

        const QByteArray fav("[Favoriten]\r\n12=1\r\nAutor=  Oma Hilde  \r\n");
        QTest::newRow("plain") << fav << "s"
                               << "Favoriten"
                               << "12"
                               << "-"
                               << "1";
        QTest::newRow("section name case-blind") << fav << "s"
                                                 << "FAVORITEN"
                                                 << "12"
                                                 << "-"
                                                 << "1";
        QTest::newRow("key name case-blind") << fav << "s"
                                             << "favoriten"
                                             << "AUTOR"
                                             << "-"
                                             << "Oma Hilde";
        QTest::newRow("blanks around key and value") << QByteArray("[S]\r\n   k  =  a b  \r\n") << "s"
                                                     << "S"
                                                     << "k"
                                                     << "-"
                                                     << "a b";
        QTest::newRow("bare LF file") << QByteArray("[S]\nk=v\n") << "s"
                                      << "S"
                                      << "k"
                                      << "-"
                                      << "v";
        QTest::newRow("double quotes") << QByteArray("[S]\r\nk=\"  a b  \"\r\n") << "s"
                                       << "S"
                                       << "k"
                                       << "-"
                                       << "  a b  ";
        QTest::newRow("single quotes") << QByteArray("[S]\r\nk= 'x' \r\n") << "s"
                                       << "S"
                                       << "k"
                                       << "-"
                                       << "x";
        QTest::newRow("one pair only") << QByteArray("[S]\r\nk=\"\"x\"\"\r\n") << "s"
                                       << "S"
                                       << "k"
                                       << "-"
                                       << "\"x\"";
        QTest::newRow("unmatched quotes kept") << QByteArray("[S]\r\nk=\"x'\r\n") << "s"
                                               << "S"
                                               << "k"
                                               << "-"
                                               << "\"x'";
        QTest::newRow("lone quote kept") << QByteArray("[S]\r\nk=\"\r\n") << "s"
                                         << "S"
                                         << "k"
                                         << "-"
                                         << "\"";
        QTest::newRow("empty value is not the default") << QByteArray("[S]\r\nk=\r\n") << "s"
                                                        << "S"
                                                        << "k"
                                                        << "-"
                                                        << "";
        QTest::newRow("value holding =") << QByteArray("[S]\r\nk=a=b\r\n") << "s"
                                         << "S"
                                         << "k"
                                         << "-"
                                         << "a=b";
        QTest::newRow("Windows-1252 value") << QByteArray("[S]\r\nk=Gr\xFC\xDF"
                                                          "e\r\n")
                                            << "s"
                                            << "S"
                                            << "k"
                                            << "-"
                                            << "Grüße";
        QTest::newRow("cut at 2047 characters") << QByteArray("[S]\r\nk=") + QByteArray(3000, 'a') + "\r\n"
                                                << "s"
                                                << "S"
                                                << "k"
                                                << "-" << QString(2047, u'a');
        QTest::newRow("cut after the quotes go")
            << QByteArray("[S]\r\nk=\"") + QByteArray(2047, 'a') + "\"\r\n"
            << "s"
            << "S"
            << "k"
            << "-" << QString(2047, u'a');
        QTest::newRow("missing file") << QByteArray() << "s"
                                      << "S"
                                      << "k"
                                      << "def"
                                      << "def";
        QTest::newRow("empty file") << QByteArray("") << "s"
                                    << "S"
                                    << "k"
                                    << "def"
                                    << "def";
        QTest::newRow("missing section") << fav << "s"
                                         << "Andere"
                                         << "12"
                                         << "def"
                                         << "def";
        QTest::newRow("missing key") << fav << "s"
                                     << "Favoriten"
                                     << "13"
                                     << "def"
                                     << "def";
        QTest::newRow("key of another section") << QByteArray("[A]\r\nk=1\r\n[B]\r\nj=2\r\n") << "s"
                                                << "B"
                                                << "k"
                                                << "def"
                                                << "def";
        QTest::newRow("key before any section") << QByteArray("k=1\r\n[S]\r\n") << "s"
                                                << "S"
                                                << "k"
                                                << "def"
                                                << "def";
        QTest::newRow("first of two equal keys") << QByteArray("[S]\r\nk=1\r\nK=2\r\n") << "s"
                                                 << "S"
                                                 << "k"
                                                 << "-"
                                                 << "1";
        QTest::newRow("other lines ignored") << QByteArray("; Notiz\r\n[S]\r\nMuell\r\n\r\nk=5\r\n") << "s"
                                             << "S"
                                             << "k"
                                             << "-"
                                             << "5";

        QTest::newRow("integer") << QByteArray("[S]\r\nk=42\r\n") << "i"
                                 << "S"
                                 << "k"
                                 << "7"
                                 << "42";
        QTest::newRow("negative integer") << QByteArray("[S]\r\nk=-12\r\n") << "i"
                                          << "S"
                                          << "k"
                                          << "7"
                                          << "-12";
        QTest::newRow("integer with blanks") << QByteArray("[S]\r\nk=  42 \r\n") << "i"
                                             << "S"
                                             << "k"
                                             << "7"
                                             << "42";
        QTest::newRow("quoted integer") << QByteArray("[S]\r\nk=\"17\"\r\n") << "i"
                                        << "S"
                                        << "k"
                                        << "7"
                                        << "17";
        QTest::newRow("hex 0x") << QByteArray("[S]\r\nk=0x1F\r\n") << "i"
                                << "S"
                                << "k"
                                << "7"
                                << "31";
        QTest::newRow("hex 0X upper") << QByteArray("[S]\r\nk=0XfF\r\n") << "i"
                                      << "S"
                                      << "k"
                                      << "7"
                                      << "255";
        QTest::newRow("hex colour") << QByteArray("[S]\r\nk=0x00FF8000\r\n") << "i"
                                    << "S"
                                    << "k"
                                    << "7"
                                    << "16744448";
        QTest::newRow("0x alone") << QByteArray("[S]\r\nk=0x\r\n") << "i"
                                  << "S"
                                  << "k"
                                  << "7"
                                  << "7";
        QTest::newRow("bad hex digit") << QByteArray("[S]\r\nk=0x1G\r\n") << "i"
                                       << "S"
                                       << "k"
                                       << "7"
                                       << "7";
        QTest::newRow("trailing text") << QByteArray("[S]\r\nk=12abc\r\n") << "i"
                                       << "S"
                                       << "k"
                                       << "7"
                                       << "7";
        QTest::newRow("word") << QByteArray("[S]\r\nk=zwölf\r\n") << "i"
                              << "S"
                              << "k"
                              << "7"
                              << "7";
        QTest::newRow("decimal fraction") << QByteArray("[S]\r\nk=1.5\r\n") << "i"
                                          << "S"
                                          << "k"
                                          << "7"
                                          << "7";
        QTest::newRow("empty number") << QByteArray("[S]\r\nk=\r\n") << "i"
                                      << "S"
                                      << "k"
                                      << "7"
                                      << "7";
        QTest::newRow("too big for int") << QByteArray("[S]\r\nk=99999999999\r\n") << "i"
                                         << "S"
                                         << "k"
                                         << "7"
                                         << "7";
        QTest::newRow("missing integer") << QByteArray("[S]\r\n") << "i"
                                         << "S"
                                         << "k"
                                         << "7"
                                         << "7";

        QTest::newRow("bool 1") << QByteArray("[S]\r\nk=1\r\n") << "b"
                                << "S"
                                << "k"
                                << "0"
                                << "1";
        QTest::newRow("bool 0") << QByteArray("[S]\r\nk=0\r\n") << "b"
                                << "S"
                                << "k"
                                << "1"
                                << "0";
        QTest::newRow("bool any non-zero") << QByteArray("[S]\r\nk=-3\r\n") << "b"
                                           << "S"
                                           << "k"
                                           << "0"
                                           << "1";
        QTest::newRow("bool hex zero") << QByteArray("[S]\r\nk=0x0\r\n") << "b"
                                       << "S"
                                       << "k"
                                       << "1"
                                       << "0";
        QTest::newRow("bool word gives default true") << QByteArray("[S]\r\nk=ja\r\n") << "b"
                                                      << "S"
                                                      << "k"
                                                      << "1"
                                                      << "1";
        QTest::newRow("bool word gives default false") << QByteArray("[S]\r\nk=true\r\n") << "b"
                                                       << "S"
                                                       << "k"
                                                       << "0"
                                                       << "0";
        QTest::newRow("bool missing") << QByteArray() << "b"
                                      << "S"
                                      << "k"
                                      << "1"
                                      << "1";
    }
    void reads()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, kind);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, def);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString p = dir.filePath(QStringLiteral("test.ini"));
        if (!file.isNull())
            tkt::writeFile(p, file);
        const tk::IniFile ini(p);
        QString got;
        if (kind == u"s")
            got = ini.readString(section, key, def);
        else if (kind == u"i")
            got = QString::number(ini.readInteger(section, key, def.toInt()));
        else
            got = ini.readBool(section, key, def == u"1") ? QStringLiteral("1") : QStringLiteral("0");
        QCOMPARE(got, expected);
    }

    // Writes change one line in place or add what is missing; every other byte stays.
    void writes_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        const QByteArray file("; Einstellungen\r\n[Fenster]\r\nLinks=10\r\nBreite = 640\r\nOben=5\r\n\r\n"
                              "[Farbe]\r\nTon=3\r\n");
        QTest::newRow("in place, case-blind, key spelling kept")
            << file << "s"
            << "FENSTER"
            << "breite"
            << "800"
            << QByteArray("; Einstellungen\r\n[Fenster]\r\nLinks=10\r\nBreite "
                          "=800\r\nOben=5\r\n\r\n[Farbe]\r\nTon=3\r\n");
        QTest::newRow("new key at the end of its section")
            << file << "i"
            << "Fenster"
            << "Hoehe"
            << "480"
            << QByteArray(
                   "; Einstellungen\r\n[Fenster]\r\nLinks=10\r\nBreite = 640\r\nOben=5\r\nHoehe=480\r\n\r\n"
                   "[Farbe]\r\nTon=3\r\n");
        QTest::newRow("new key in the last section") << file << "s"
                                                     << "Farbe"
                                                     << "Normal"
                                                     << "1" << file + "Normal=1\r\n";
        QTest::newRow("new section at the end") << file << "b"
                                                << "Favoriten"
                                                << "12"
                                                << "1" << file + "[Favoriten]\r\n12=1\r\n";
        QTest::newRow("missing file created") << QByteArray() << "b"
                                              << "Favoriten"
                                              << "7"
                                              << "0" << QByteArray("[Favoriten]\r\n7=0\r\n");
        QTest::newRow("negative integer") << QByteArray("[S]\r\nk=1\r\n") << "i"
                                          << "S"
                                          << "k"
                                          << "-5" << QByteArray("[S]\r\nk=-5\r\n");
        QTest::newRow("Windows-1252 value") << QByteArray("[S]\r\n") << "s"
                                            << "S"
                                            << "Autor"
                                            << "Jörg" << QByteArray("[S]\r\nAutor=J\xF6rg\r\n");
        QTest::newRow("bare LF file comes back CR LF") << QByteArray("[S]\nk=1\nj=2\n") << "s"
                                                       << "S"
                                                       << "k"
                                                       << "9" << QByteArray("[S]\r\nk=9\r\nj=2\r\n");
    }
    void writes()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, kind);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString p = dir.filePath(QStringLiteral("test.ini"));
        if (!before.isNull())
            tkt::writeFile(p, before);
        tk::IniFile ini(p);
        if (kind == u"s")
            ini.writeString(section, key, value);
        else if (kind == u"i")
            ini.writeInteger(section, key, value.toInt());
        else
            ini.writeBool(section, key, value == u"1");
        QCOMPARE(tkt::readFile(p), after);
        // On disk at once: a second reader sees it.
        const tk::IniFile other(p);
        QCOMPARE(other.readString(section, key, QStringLiteral("-")), value);
        QCOMPARE(ini.readString(section, key, QStringLiteral("-")), value);
    }

    void readsSeeTheFileOnDisk()
    {
        QTemporaryDir dir;
        const QString p = dir.filePath(QStringLiteral("favoriten.dat"));
        tkt::writeFile(p, "[Favoriten]\r\n1=1\r\n");
        const tk::IniFile ini(p);
        QCOMPARE(ini.readBool(QStringLiteral("Favoriten"), QStringLiteral("1"), false), true);
        // Same size, same second: another program's write must still show.
        tk::saveLines(p, { "[Favoriten]", "1=0" });
        QCOMPARE(ini.readBool(QStringLiteral("Favoriten"), QStringLiteral("1"), true), false);
        QFile::remove(p);
        QCOMPARE(ini.readString(QStringLiteral("Favoriten"), QStringLiteral("1"), QStringLiteral("weg")),
            QStringLiteral("weg"));
    }

    void failedWriteReportsAndKeepsFile()
    {
        QTemporaryDir dir;
        const QString p = dir.filePath(QStringLiteral("favoriten.dat"));
        const QByteArray old("[Favoriten]\r\n1=1\r\n");
        tkt::writeFile(p, old);
        QVERIFY(QFile::setPermissions(p, QFileDevice::ReadOwner));
        tk::IniFile ini(p);
        QVERIFY_THROWS_EXCEPTION(
            tk::Error, ini.writeBool(QStringLiteral("Favoriten"), QStringLiteral("2"), true));
        QCOMPARE(tkt::readFile(p), old);
        QCOMPARE(ini.readString(QStringLiteral("Favoriten"), QStringLiteral("2"), QStringLiteral("-")),
            QStringLiteral("-"));
    }

    void unreadableFileIsNotOverwritten()
    {
        QTemporaryDir dir;
        const QString p = dir.filePath(QStringLiteral("favoriten.dat"));
        const QByteArray old("[Favoriten]\r\n1=1\r\n2=1\r\n");
        tkt::writeFile(p, old);
        QVERIFY(QFile::setPermissions(p, QFileDevice::WriteOwner));
        QFile probe(p);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("the permission does not bind this user (root)");
        tk::IniFile ini(p);
        QCOMPARE(ini.readBool(QStringLiteral("Favoriten"), QStringLiteral("1"), false), false);
        QVERIFY_THROWS_EXCEPTION(
            tk::Error, ini.writeBool(QStringLiteral("Favoriten"), QStringLiteral("3"), true));
        QFile::setPermissions(p, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(tkt::readFile(p), old);
    }

    void sectionKeysInFileOrder()
    {
        QTemporaryDir dir;
        const QString p = dir.filePath(QStringLiteral("x.ini"));
        tkt::writeFile(p, "[A]\r\nb=1\r\na=2\r\nB=3\r\n[C]\r\nc=1\r\n");
        const tk::IniFile ini(p);
        QCOMPARE(ini.readSection(QStringLiteral("a")), (QStringList { "b", "a" }));
        QVERIFY(ini.sectionExists(QStringLiteral("c")));
        QVERIFY(!ini.sectionExists(QStringLiteral("D")));
    }
};

TK_TEST_MAIN(IniFileTest)
#include "tst_inifile.moc"
