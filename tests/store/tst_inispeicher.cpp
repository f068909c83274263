#include "TestSupport.h"

#include "platform/Error.h"
#include "platform/IniFile.h"
#include "store/IniSpeicher.h"

using tk::IniSpeicher;

class IniSpeicherTest : public QObject {
    Q_OBJECT
    QByteArray b(const char* s) { return QByteArray(s); }

private slots:
    // Lines given to the file (or none: no file), one write, then what is on disk after destruction.
    void writesOnDestruction_data()
    {
        QTest::addColumn<QByteArray>("before"); // empty: no file
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after"); // empty: no file

        QTest::newRow("new file, one key") << QByteArray() << "Info"
                                           << "Rezepte"
                                           << "3" << b("[Info]\r\nRezepte=3\r\n\r\n");
        QTest::newRow("same value again writes nothing") << b("[Info]\nRezepte=3") << "info"
                                                         << "Rezepte"
                                                         << "3" << b("[Info]\nRezepte=3");
        QTest::newRow("key spelled anew replaces the line") << b("[0]\r\ntitel=Suppe\r\n") << "0"
                                                            << "Titel"
                                                            << "Suppe" << b("[0]\r\nTitel=Suppe\r\n\r\n");
        QTest::newRow("new section after the others") << b("[A]\r\nx=1\r\n") << "B"
                                                      << "y"
                                                      << "2" << b("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n\r\n");
        QTest::newRow("header with a trailing blank is a line")
            << b("[A]\r\nx=1\r\n[B] \r\ny=2\r\n") << "A"
            << "z"
            << "3" << b("[A]\r\nx=1\r\n[B] \r\ny=2\r\nz=3\r\n\r\n");
        QTest::newRow("duplicate section dropped on rewrite")
            << b("[A]\r\nx=1\r\n[B]\r\ny=2\r\n[a]\r\nx=9\r\n") << "B"
            << "y"
            << "5" << b("[A]\r\nx=1\r\n\r\n[B]\r\ny=5\r\n\r\n");
        QTest::newRow("line without = is kept") << b("[A]\r\nzeile\r\n") << "A"
                                                << "zeile"
                                                << "1" << b("[A]\r\nzeile\r\nzeile=1\r\n\r\n");
        QTest::newRow("lines before the first section, Ctrl+Z and blank lines dropped")
            << b("vorne=1\r\n\r\n[A]\r\n\x1a\r\nx=1\r\n") << "A"
            << "y"
            << "2" << b("[A]\r\nx=1\r\ny=2\r\n\r\n");
        QTest::newRow("empty key drops the section") << b("[A]\r\nx=1\r\n[B]\r\ny=2\r\n") << "A"
                                                     << ""
                                                     << "" << b("[B]\r\ny=2\r\n\r\n");
        QTest::newRow("no change, no file") << QByteArray() << "A"
                                            << ""
                                            << "" << QByteArray();
    }
    void writesOnDestruction()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        tkt::Collection c;
        const QString path = c.path(QStringLiteral("x.ini"));
        if (!before.isEmpty())
            c.writeBytes(QStringLiteral("x.ini"), before);
        {
            IniSpeicher ini(path);
            ini.schreibeText(section, key, value);
        }
        QCOMPARE(c.exists(QStringLiteral("x.ini")), !after.isEmpty());
        QCOMPARE(c.bytes(QStringLiteral("x.ini")), after);
    }

    void duplicatesKeepTheFirstWithoutMarkingModified()
    {
        tkt::Collection c;
        c.writeBytes(QStringLiteral("x.ini"), "[A]\r\nx=1\r\n[B]\r\n[a]\r\nx=9\r\n");
        IniSpeicher ini(c.path(QStringLiteral("x.ini")));
        QStringList names;
        ini.abschnittsnamen(names);
        QCOMPARE(names, QStringList({ "A", "B" }));
        QCOMPARE(ini.leseText("a", "x", "-"), QStringLiteral("1"));
        QVERIFY(!ini.geaendert());
    }

    void handlerMayKeepTheLaterSection()
    {
        tk::Abschnittsliste list;
        list.zeilen(list.hinzufuegen(QStringLiteral("A"))).append(QStringLiteral("x=1"));
        list.hinzufuegen(QStringLiteral("B"));
        list.zeilen(list.hinzufuegen(QStringLiteral("a"))).append(QStringLiteral("x=9"));
        QString seen;
        QVERIFY(list.doppelteZusammenfuehren([&](const QString& n, QStringList&, QStringList&) {
            seen = n;
            return false;
        }));
        QCOMPARE(seen, QStringLiteral("A"));
        QCOMPARE(list.anzahl(), 2);
        QCOMPARE(list.name(0), QStringLiteral("B"));
        QCOMPARE(list.name(1), QStringLiteral("a"));
        QCOMPARE(list.zeilen(1), QStringList { "x=9" });
    }

    void linesAreCutTo255()
    {
        tkt::Collection c;
        const QString path = c.path(QStringLiteral("x.ini"));
        {
            IniSpeicher ini(path);
            ini.schreibeText("S", "Name", QString(300, u'a'));
            QCOMPARE(ini.leseText("S", "Name", {}).size(), 250);
        }
        const QStringList lines = c.lines(QStringLiteral("x.ini"));
        QCOMPARE(lines.at(1).size(), 255);
        // A longer line on disk is cut on loading too.
        c.write(QStringLiteral("y.ini"), { "[S]", "k=" + QString(400, u'b') });
        IniSpeicher again(c.path(QStringLiteral("y.ini")));
        QCOMPARE(again.leseText("S", "k", {}).size(), 253);
    }

    void numbersAndFlags_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << "42" << 42;
        QTest::newRow("negative") << "-7" << -7;
        QTest::newRow("hex") << "0x1F" << 31;
        QTest::newRow("hex upper X") << "0XfF" << 255;
        QTest::newRow("not a number") << "12a" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("overflow") << "99999999999" << -1;
        QTest::newRow("bare 0x") << "0x" << -1;
    }
    void numbersAndFlags()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        IniSpeicher ini(QString {});
        ini.schreibeText("S", "n", text);
        QCOMPARE(ini.leseZahl("S", "n", -1), expected);
        QCOMPARE(ini.leseSchalter("S", "n", false), expected != 0 && expected != -1);
    }

    void sectionCursorCircles()
    {
        IniSpeicher ini(QString {});
        for (int i = 0; i < 5; ++i)
            ini.schreibeZahl(QString::number(i), "k", i);
        QCOMPARE(ini.abschnittsZeiger(), 4);
        QCOMPARE(ini.leseZahl("2", "k", -1), 2);
        QCOMPARE(ini.abschnittsZeiger(), 2);
        QCOMPARE(ini.leseZahl("1", "k", -1), 1); // wraps past the end
        QCOMPARE(ini.abschnittsZeiger(), 1);
        QCOMPARE(ini.leseZahl("fehlt", "k", -1), -1);
        QCOMPARE(ini.abschnittsZeiger(), 0); // the last position examined
        ini.entferneSchluessel("neu", "k"); // creates the section empty
        QStringList names;
        ini.abschnittsnamen(names);
        QCOMPARE(names.last(), QStringLiteral("neu"));
        QStringList dump;
        ini.alleZeilen(dump);
        QVERIFY(!dump.contains(QStringLiteral("[neu]")));
    }

    void platformReaderSeesEngineValues()
    {
        tkt::Collection c;
        const QString path = c.path(QStringLiteral("index.tki"));
        {
            IniSpeicher ini(path);
            ini.schreibeText("0", "Name", "  Suppe  ");
            ini.schreibeText("0", "Koch", "\"Anna\"");
        }
        const tk::IniFile reader(path);
        QCOMPARE(reader.readString("0", "Name", "-"), QStringLiteral("Suppe"));
        QCOMPARE(reader.readString("0", "Koch", "-"), QStringLiteral("Anna"));
    }

    void unwritableFileIsReported()
    {
        tkt::Collection c;
        IniSpeicher ini(c.path(QStringLiteral("fehlt/x.ini")));
        ini.schreibeText("A", "b", "c");
        QVERIFY_THROWS_EXCEPTION(tk::Error, ini.zurueckschreiben());
        QCOMPARE(ini.leseText("A", "b", {}), QStringLiteral("c")); // memory keeps it
    }
};

TK_TEST_MAIN(IniSpeicherTest)
#include "tst_inispeicher.moc"
