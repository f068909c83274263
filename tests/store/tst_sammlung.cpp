// The collection layer: two writers on one folder never hand out a number twice nor lose a recipe, a save
// is whole or not at all, and a save cut off half-way is finished or discarded at the next start.
#include <QtTest>

#include "TestSupport.h"
#include "exchange/RezeptImport.h"
#include "platform/Error.h"
#include "platform/TextLines.h"
#include "store/AppState.h"
#include "store/Formats.h"
#include "store/Sammlung.h"

namespace {

// One copy of the program on the folder: its own table, loaded once at its start.
struct Kopie {
    explicit Kopie(const QString& dir)
    {
        st.programDir = dir;
        st.sammlung.lade(0, {}, {});
    }
    int neu(const QString& titel)
    {
        tk::RezeptEingabe e;
        e.titel = titel;
        e.angekreuzt = { 1 };
        e.gelistet = { 1 };
        e.zutaten = { titel + QStringLiteral(" Zutat") };
        return st.sammlung.speichereRezept(e).nummer;
    }
    tk::AppState st;
};

QStringList titel(const tkt::Collection& c)
{
    const QStringList index = c.lines(QStringLiteral("Data/Rezepte/index.dat"));
    QStringList out;
    for (int n = 0; n + 1 < index.size(); ++n)
        if (!tk::isDeletedEntry(index.at(n + 1)))
            out.append(tk::splitEntry(index.at(n + 1)).titel);
    return out;
}

} // namespace

class SammlungTest : public QObject {
    Q_OBJECT
private slots:
    // Two copies opened on one collection, each acting on what it loaded at its start.
    void zweiKopienVerlierenNichts_data()
    {
        QTest::addColumn<QString>("ablauf");
        QTest::addColumn<QStringList>("erwartet");
        QTest::newRow("new recipe in each copy")
            << "A neu Erstes;B neu Zweites" << QStringList { "Alt", "Erstes", "Zweites" };
        QTest::newRow("import in one copy, new recipe in the other")
            << "A import 3;B neu Zweites" << QStringList { "Alt", "I0", "I1", "I2", "Zweites" };
        QTest::newRow("deletion in one copy, new recipe in the other")
            << "A loesche 0;B neu Zweites" << QStringList { "Zweites" };
        QTest::newRow("edit of a recipe the other copy deleted is refused")
            << "A loesche 0;B aendere 0" << QStringList {};
    }
    void zweiKopienVerlierenNichts()
    {
        QFETCH(QString, ablauf);
        QFETCH(QStringList, erwartet);
        tkt::Collection c;
        c.standard({ "0", "Alt|K|01,|d|m|" });
        c.recipe(0, { "a" }, { "b" }, { "Notiz" });
        Kopie a(c.dir()), b(c.dir());
        for (const QString& schritt : ablauf.split(u';')) {
            const QStringList w = schritt.split(u' ');
            Kopie& k = w.at(0) == QLatin1String("A") ? a : b;
            if (w.at(1) == QLatin1String("neu")) {
                k.neu(w.at(2));
            } else if (w.at(1) == QLatin1String("import")) {
                QList<tk::NeuesRezept> neu(w.at(2).toInt());
                for (int i = 0; i < neu.size(); ++i)
                    neu[i].felder = { QStringLiteral("I%1").arg(i), "K", "01,", "d", "m" };
                tk::installiereRezepte(k.st.sammlung, c.dir(), neu);
            } else if (w.at(1) == QLatin1String("loesche")) {
                k.st.sammlung.loescheRezept(w.at(2).toInt());
            } else if (w.at(1) == QLatin1String("aendere")) {
                tk::RezeptEingabe e;
                e.nummer = w.at(2).toInt();
                e.titel = QStringLiteral("Wiederbelebt");
                QVERIFY_THROWS_EXCEPTION(tk::InzwischenGeloescht, k.st.sammlung.speichereRezept(e));
                QVERIFY_THROWS_EXCEPTION(
                    tk::InzwischenGeloescht, k.st.sammlung.speichereKommentar(e.nummer, {}));
            }
        }
        QCOMPARE(titel(c), erwartet);
        // Every live entry has its own file, and line 0 names the last entry.
        const QStringList index = c.lines(QStringLiteral("Data/Rezepte/index.dat"));
        QCOMPARE(index.at(0).toInt(), index.size() - 2);
        for (int n = 0; n + 1 < index.size(); ++n)
            if (!tk::isDeletedEntry(index.at(n + 1))) {
                const QString t = tk::splitEntry(index.at(n + 1)).titel;
                if (t.startsWith(u'I') || t == QLatin1String("Alt"))
                    continue;
                QCOMPARE(
                    c.lines(QStringLiteral("Data/Rezepte/%1.dat").arg(tk::stem(n))).value(1), t + " Zutat");
            }
    }

    // A save whose index cannot be written leaves the old text, and no file of the new number.
    void gescheiterteSpeicherungLaesstAllesAlt_data()
    {
        QTest::addColumn<int>("nummer");
        QTest::newRow("existing recipe") << 0;
        QTest::newRow("new recipe") << -1;
    }
    void gescheiterteSpeicherungLaesstAllesAlt()
    {
        QFETCH(int, nummer);
        tkt::Collection c;
        c.standard({ "0", "Alt|K|01,|d|m|" });
        c.recipe(0, { "a" }, { "b" }, { "Notiz" });
        const QByteArray datVorher = c.bytes("Data/Rezepte/0000.dat");
        const QByteArray indexVorher = c.bytes("Data/Rezepte/index.dat");
        Kopie k(c.dir());
        QFile::setPermissions(c.path("Data/Rezepte/index.dat"), QFileDevice::ReadOwner);
        tk::RezeptEingabe e;
        e.nummer = nummer;
        e.titel = QStringLiteral("Neu");
        e.zutaten = { QStringLiteral("x") };
        QVERIFY_THROWS_EXCEPTION(tk::Error, k.st.sammlung.speichereRezept(e));
        QCOMPARE(c.bytes("Data/Rezepte/index.dat"), indexVorher);
        QCOMPARE(c.bytes("Data/Rezepte/0000.dat"), datVorher);
        QVERIFY(!c.exists("Data/Rezepte/0001.dat"));
        QVERIFY(!c.exists("Data/Rezepte/0000.dat.neu"));
        QVERIFY(!c.exists("temp/sammlung/journal.txt"));
    }

    // A save killed between its steps: the next start finishes it when the index already names the new
    // text, and discards it otherwise; a package unpacked for an import that never ended goes too.
    void abgebrocheneSpeicherungWirdAufgeraeumt_data()
    {
        QTest::addColumn<QString>("indexZeile1");
        QTest::addColumn<QByteArray>("erwartet");
        QTest::newRow("index written: finished")
            << "Neu|K|01,|d|m|" << QByteArray("1\r\nneu\r\n###KOMMENTAR###\r\n");
        QTest::newRow("index not written: discarded")
            << "Alt|K|01,|d|m|" << QByteArray("1\r\na\r\nb\r\n###KOMMENTAR###\r\n");
    }
    void abgebrocheneSpeicherungWirdAufgeraeumt()
    {
        QFETCH(QString, indexZeile1);
        QFETCH(QByteArray, erwartet);
        tkt::Collection c;
        c.standard({ "1", indexZeile1, "||||" });
        c.recipe(0, { "a" }, { "b" });
        c.writeBytes("Data/Rezepte/0000.dat.neu", "1\r\nneu\r\n###KOMMENTAR###\r\n");
        c.writeBytes("Data/Rezepte/0001.dat", "Rest eines neuen Rezepts");
        c.writeBytes("temp/sammlung/journal.txt", "ersetze 0 0000.dat.neu\neintrag Neu|K|01,|d|m|\nneu 1 1");
        c.writeBytes("temp/paket-abc123/index.tki", "[Info]");
        tk::AppState st;
        st.programDir = c.dir();
        st.sammlung.aufraeumen();
        QCOMPARE(c.bytes("Data/Rezepte/0000.dat"), erwartet);
        QVERIFY(!c.exists("Data/Rezepte/0000.dat.neu"));
        QVERIFY(!c.exists("Data/Rezepte/0001.dat"));
        QVERIFY(!c.exists("temp/sammlung/journal.txt"));
        QVERIFY(!c.exists("temp/paket-abc123"));
    }

    // The copy's own edits are no news from outside for its watcher (news would reload the whole
    // collection): an outside change of the categories, written after the edit, comes alone.
    void eigeneAenderungIstKeineNachricht_data()
    {
        QTest::addColumn<QString>("aenderung");
        for (const char* a : { "neu", "aendere", "loesche", "favorit" })
            QTest::newRow(a) << QString::fromLatin1(a);
    }
    void eigeneAenderungIstKeineNachricht()
    {
        QFETCH(QString, aenderung);
        tkt::Collection c;
        c.standard({ "0", "Alt|K|01,|d|m|" });
        c.recipe(0, { "a" }, { "b" }, {});
        Kopie k(c.dir());
        k.st.sammlung.oeffneFavoriten();
        k.st.sammlung.beobachten(10);
        QSignalSpy nachricht(&k.st.sammlung, &tk::Sammlung::vonAussenGeaendert);
        if (aenderung == QLatin1String("neu")) {
            k.neu(QStringLiteral("Neu"));
        } else if (aenderung == QLatin1String("aendere")) {
            tk::RezeptEingabe e;
            e.nummer = 0;
            e.titel = QStringLiteral("Anders");
            e.angekreuzt = e.gelistet = { 1 };
            k.st.sammlung.speichereRezept(e);
        } else if (aenderung == QLatin1String("loesche")) {
            k.st.sammlung.loescheRezept(0);
        } else {
            k.st.sammlung.setzeFavorit(0, true);
        }
        c.write(
            "Data/Rezepte/kategorien.dat", c.lines("Data/Rezepte/kategorien.dat") + QStringList { "Neu" });
        QTRY_COMPARE(nachricht.count(), 1);
        QCOMPARE(nachricht.at(0).at(0).toInt(), int(tk::Sammlung::Kategorien));
    }

    // A damaged line 0 is a damaged index for the loader and for every writer.
    void negativeZeileNullIstBeschaedigt()
    {
        tkt::Collection c;
        c.standard({ "-5", "A|K|01,|d|m|" });
        Kopie k(c.dir());
        const tk::Ladeergebnis out = k.st.sammlung.lade(0, {}, {});
        QVERIFY(out.abgebrochen);
        QCOMPARE(out.abbruchZeile, 0);
        QVERIFY_THROWS_EXCEPTION(tk::Error, k.neu(QStringLiteral("X")));
        QCOMPARE(c.lines("Data/Rezepte/index.dat"), QStringList({ "-5", "A|K|01,|d|m|" }));
    }
};

TK_TEST_MAIN(SammlungTest)
#include "tst_sammlung.moc"
