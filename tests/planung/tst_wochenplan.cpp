#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "planung/Wochenplan.h"
#include "platform/TextLines.h"

// The plan file as it is read and written again.
class WochenplanTest : public QObject {
    Q_OBJECT

private slots:
    void datei_data()
    {
        QTest::addColumn<QByteArray>("datei");
        QTest::addColumn<QString>("neu"); // a free text planned on heute before writing, or none
        QTest::addColumn<QStringList>("gelesen"); // day and text of every entry read
        QTest::addColumn<QString>("hinweis");
        QTest::addColumn<QByteArray>("geschrieben");

        QTest::newRow("recipes and free texts, Windows-1252, back byte for byte")
            << QByteArray("07.12.2026|2|4|K\xe4sesp\xe4tzle\r\n07.12.2026|-1|0|Reste\r\n"
                          "09.12.2026|0|1|Apfelkuchen vom Blech\r\n")
            << QString()
            << QStringList { "07.12.2026 Käsespätzle (4 Portionen)", "07.12.2026 Reste",
                   "09.12.2026 Apfelkuchen vom Blech (1 Portion)" }
            << QString()
            << QByteArray("07.12.2026|2|4|K\xe4sesp\xe4tzle\r\n07.12.2026|-1|0|Reste\r\n"
                          "09.12.2026|0|1|Apfelkuchen vom Blech\r\n");
        QTest::newRow("a | in a title is part of the title")
            << QByteArray("08.12.2026|-1|0|Pizza | Salat\r\n08.12.2026|5|2|Suppe|scharf\r\n") << QString()
            << QStringList { "08.12.2026 Pizza | Salat", "08.12.2026 Suppe|scharf (2 Portionen)" }
            << QString() << QByteArray("08.12.2026|-1|0|Pizza | Salat\r\n08.12.2026|5|2|Suppe|scharf\r\n");
        QTest::newRow("damaged lines skipped with a note, kept at the end of the file")
            << QByteArray("32.12.2026|1|4|Kuchen\r\n08.12.2026|1|4|Kuchen\r\n08.12.2026|3\r\n"
                          "08.12.2026|x|4|Brot\r\n\r\n08.12.2026|7|0|Suppe\r\n08.12.2026|-2|0|Reste\r\n"
                          "08.12.2026|-1|0| \r\n09.12.2026|-1|0|Essen gehen\r\n")
            << QString() << QStringList { "08.12.2026 Kuchen (4 Portionen)", "09.12.2026 Essen gehen" }
            << QString("Die Zeilen 1, 3, 4, 6, 7, 8 der Datei wochenplan.dat sind beschädigt und werden "
                       "übergangen; sie bleiben in der Datei stehen.")
            << QByteArray("08.12.2026|1|4|Kuchen\r\n09.12.2026|-1|0|Essen gehen\r\n32.12.2026|1|4|Kuchen\r\n"
                          "08.12.2026|3\r\n08.12.2026|x|4|Brot\r\n08.12.2026|7|0|Suppe\r\n"
                          "08.12.2026|-2|0|Reste\r\n08.12.2026|-1|0| \r\n");
        QTest::newRow("written by hand: bare LF, short date, days out of order; a day keeps its order")
            << QByteArray("10.12.2026|-1|0|B\n7.12.2026|-1|0|A\n10.12.2026|-1|0|C") << QString()
            << QStringList { "07.12.2026 A", "10.12.2026 B", "10.12.2026 C" } << QString()
            << QByteArray("07.12.2026|-1|0|A\r\n10.12.2026|-1|0|B\r\n10.12.2026|-1|0|C\r\n");
        QTest::newRow("weeks that ended more than a year ago are dropped")
            << QByteArray("30.11.2025|-1|0|alt\r\n07.12.2025|-1|0|Sonntag davor\r\n08.12.2025|-1|0|Montag\r\n"
                          "14.12.2025|-1|0|Sonntag\r\n")
            << QString()
            << QStringList { "30.11.2025 alt", "07.12.2025 Sonntag davor", "08.12.2025 Montag",
                   "14.12.2025 Sonntag" }
            << QString() << QByteArray("08.12.2025|-1|0|Montag\r\n14.12.2025|-1|0|Sonntag\r\n");
        QTest::newRow("characters outside Windows-1252 and line breaks in a new text")
            << QByteArray("09.12.2026|-1|0|Reste\r\n") << QString::fromUtf8("⅓ Pizza ☺\nund ½ Salat")
            << QStringList { "09.12.2026 Reste" } << QString()
            << QByteArray("08.12.2026|-1|0|1/3 Pizza ? und \xbd Salat\r\n09.12.2026|-1|0|Reste\r\n");
    }

    void datei()
    {
        QFETCH(QByteArray, datei);
        QFETCH(QString, neu);
        QFETCH(QStringList, gelesen);
        QFETCH(QString, hinweis);
        QFETCH(QByteArray, geschrieben);
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QDate heute(2026, 12, 8);

        QCOMPARE(tk::ladeWochenplan(tmp.path()).eintraege.size(), 0); // no file yet: an empty plan
        QVERIFY(QDir().mkpath(tmp.filePath(QStringLiteral("Data/Sonstiges"))));
        tk::saveBytes(tk::wochenplanPfad(tmp.path()), datei);

        tk::Wochenplan plan = tk::ladeWochenplan(tmp.path());
        QStringList ist;
        for (const tk::Planeintrag& e : plan.eintraege)
            ist.append(e.tag.toString(QStringLiteral("dd.MM.yyyy ")) + e.text());
        QCOMPARE(ist, gelesen);
        QCOMPARE(plan.hinweis(), hinweis);

        if (!neu.isEmpty())
            plan.einfuegen({ heute, -1, 0, neu });
        tk::speichereWochenplan(tmp.path(), plan, heute);
        QCOMPARE(tk::loadBytes(tk::wochenplanPfad(tmp.path())), geschrieben);
    }
};

QTEST_GUILESS_MAIN(WochenplanTest)
#include "tst_wochenplan.moc"
