#include "TestSupport.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "editing/gui/Kategorieneditor.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/RecipeList.h"
#include "platform/gui/TabControl.h"
#include "store/AppState.h"

namespace {

const QString kKat = u"Data/Rezepte/kategorien.dat"_qs;
const QString kIndex = u"Data/Rezepte/index.dat"_qs;
const QString kStandard = u"Die Standartkategorien können nicht bearbeitet werden"_qs;

void sammlung(tkt::Collection& c, const QStringList& own)
{
    c.standard(
        { u"2"_qs, u"Gulasch|Oma|03,16,|01.01.2006|für 4|"_qs, u"Apfelkuchen|Opa|13,|02.01.2006|1 Blech|"_qs,
            u"Grillspieß|Opa|15,17,|03.01.2006|8 Stück|"_qs },
        own);
    for (int n = 0; n < 3; ++n)
        c.recipe(n, { u"Salz"_qs }, { u"Kochen"_qs });
    c.write(u"Data/Sonstiges/Welcome.rtf"_qs, { u"{\\rtf1 Willkommen}"_qs });
    c.write(u"Data/Sonstiges/tellerkiste.dat"_qs, { u"[Start]"_qs, u"ShowWelcome=0"_qs });
}

// Opens the editor through its menu item and drives the real modal window; "OK" closes it unless the
// script did. Further answers are for the boxes the script causes, in order.
void bearbeiten(tkt::Program& p, tkt::ModalScript& s, const std::function<void(tk::Kategorieneditor*)>& fn,
    const QList<tk::Answer>& answers = {})
{
    s.drive([fn](QWidget* w) {
        auto* f = static_cast<tk::Kategorieneditor*>(w);
        fn(f);
        if (f->isVisible())
            QTest::mouseClick(tkt::kind<QPushButton>(f, "ok"), Qt::LeftButton);
    });
    for (tk::Answer a : answers)
        s.answer(a);
    tkt::kind<QAction>(p.forms().hauptfenster, "kategorienBearbeiten")->trigger();
}

QStringList tabs(tkt::Program& p)
{
    QStringList out;
    const tk::TabControl* t = tkt::kind<tk::TabControl>(p.forms().hauptfenster, "kategorien");
    for (int i = 0; i < t->count(); ++i)
        out.append(t->tabText(i));
    return out;
}

QStringList items(const QListWidget* l)
{
    QStringList out;
    for (int i = 0; i < l->count(); ++i)
        out.append(l->item(i)->text());
    return out;
}

QStringList own(const QStringList& lines) { return lines.mid(15); }

} // namespace

class KategorieneditorTest : public QObject {
    Q_OBJECT
private slots:
    void windowAndSelecting()
    {
        tkt::Collection c;
        sammlung(c, { u"1Grillen"_qs, u"0Weg"_qs, u"1Vegan"_qs });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        script.seen().clear();
        QStringList listed;
        QList<QPair<QString, bool>> states; // status line and "Ändern"/"Löschen" per row
        QString edit2At17;
        int current = -2;
        bool editsOff = false;
        QString caption;
        bearbeiten(p, script, [&](tk::Kategorieneditor* f) {
            caption = f->windowTitle();
            listed = items(tkt::kind<QListWidget>(f, "kategorien"));
            current = tkt::kind<QListWidget>(f, "kategorien")->currentRow();
            editsOff = !tkt::kind<QLineEdit>(f, "neuerName")->isEnabled()
                && !tkt::kind<QPushButton>(f, "aendern")->isEnabled()
                && !tkt::kind<QPushButton>(f, "loeschen")->isEnabled();
            for (int row : { 16, 0, 7, 14, 15, 16 }) {
                tkt::kind<QListWidget>(f, "kategorien")->setCurrentRow(row);
                states.append({ tkt::kind<QLabel>(f, "hinweis")->text(),
                    tkt::kind<QPushButton>(f, "aendern")->isEnabled()
                        && tkt::kind<QPushButton>(f, "loeschen")->isEnabled()
                        && tkt::kind<QLineEdit>(f, "neuerName")->isEnabled() });
                if (row == 16)
                    edit2At17 = tkt::kind<QLineEdit>(f, "neuerName")->text();
            }
        });
        QCOMPARE(caption, u"Kategorien bearbeiten"_qs);
        QCOMPARE(listed, tabs(p)); // list entry p is tab position p
        QCOMPARE(listed.size(), 17);
        QCOMPARE(current, 0);
        QVERIFY(editsOff);
        const QList<QPair<QString, bool>> expected { { u"Vegan"_qs, true }, { kStandard, false },
            { kStandard, false }, { kStandard, false }, { u"Grillen"_qs, true }, { u"Vegan"_qs, true } };
        QCOMPARE(states, expected);
        QCOMPARE(edit2At17, u"Vegan"_qs);
        QCOMPARE(script.unexpected, 0);
    }

    void adding_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("viaEnter");
        QTest::addColumn<QString>("line"); // the new line 17; empty when refused
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("meldung"); // refusal text, if any
        QTest::addColumn<QString>("status");
        const QString dup = u"Kategorie schon vorhanden!"_qs;
        const QString initial = u"Bitte einen Eintrag wählen, um ihn zu löschen oder zu editieren"_qs;
        QTest::newRow("Alle refused") << u"Alle"_qs << false << QString() << QString() << dup << initial;
        QTest::newRow("Favoriten refused")
            << u"Favoriten"_qs << true << QString() << QString() << dup << initial;
        QTest::newRow("standard name refused")
            << u"Suppen"_qs << false << QString() << QString() << dup << initial;
        QTest::newRow("own name refused")
            << u"Grillen"_qs << false << QString() << QString() << dup << initial;
        QTest::newRow("alle accepted: case counts")
            << u"alle"_qs << false << u"1alle"_qs << u"alle"_qs << QString() << initial;
        QTest::newRow("bar becomes slash") << u"Grill | Barbecue"_qs << true << u"1Grill / Barbecue"_qs
                                           << u"Grill / Barbecue"_qs << QString() << initial;
        const QString lang = u"Schwäbische Spezialitäten aus dem Ländle"_qs;
        QTest::newRow("long name stored whole")
            << lang << false << (u'1' + lang) << lang.left(30) << QString() << initial;
        QTest::newRow("empty name") << QString() << false << QString() << QString() << QString()
                                    << u"Bitte einen Kategorie-Namen angeben!"_qs;
    }

    void adding()
    {
        QFETCH(QString, name);
        QFETCH(bool, viaEnter);
        QFETCH(QString, line);
        QFETCH(QString, tab);
        QFETCH(QString, meldung);
        QFETCH(QString, status);
        tkt::Collection c;
        sammlung(c, { u"1Grillen"_qs, u"1Vegan"_qs });
        const QByteArray before = c.bytes(kKat);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        script.seen().clear();
        tkt::kind<tk::TabControl>(p.forms().hauptfenster, "kategorien")->setCurrentIndex(16);
        QString edit1After, statusAfter;
        QStringList listed;
        bearbeiten(
            p, script,
            [&](tk::Kategorieneditor* f) {
                tkt::kind<QLineEdit>(f, "neueKategorie")->setText(name);
                if (viaEnter)
                    QTest::keyClick(tkt::kind<QLineEdit>(f, "neueKategorie"), Qt::Key_Return);
                else
                    QTest::mouseClick(tkt::kind<QPushButton>(f, "hinzufuegen"), Qt::LeftButton);
                edit1After = tkt::kind<QLineEdit>(f, "neueKategorie")->text();
                statusAfter = tkt::kind<QLabel>(f, "hinweis")->text();
                listed = items(tkt::kind<QListWidget>(f, "kategorien"));
            },
            meldung.isEmpty() ? QList<tk::Answer> {} : QList<tk::Answer> { tk::Answer::Ok });

        QCOMPARE(statusAfter, status);
        if (line.isEmpty()) {
            QCOMPARE(c.bytes(kKat), before);
            QCOMPARE(tabs(p).size(), 17);
            if (!meldung.isEmpty()) {
                QCOMPARE(script.last(tk::ModalKind::Meldung).text, meldung);
                QCOMPARE(script.last(tk::ModalKind::Meldung).caption, u"Nicht möglich"_qs);
            }
        } else {
            QCOMPARE(own(c.lines(kKat)), (QStringList { u"1Grillen"_qs, u"1Vegan"_qs, line }));
            QCOMPARE(tabs(p).value(17), tab);
            QCOMPARE(listed.size(), 18);
            QCOMPARE(edit1After, QString());
        }
        // The main window stays on its tab.
        QCOMPARE(tkt::kind<tk::TabControl>(p.forms().hauptfenster, "kategorien")->currentIndex(), 16);
        QCOMPARE(p.st.aktuelleKategorie, 16);
        QCOMPARE(script.unexpected, 0);
    }

    void numbersAreNeverReused()
    {
        tkt::Collection c;
        sammlung(c, { u"1Grillen"_qs, u"1Vegan"_qs });
        const QByteArray index = c.bytes(kIndex);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        script.seen().clear();
        bearbeiten(p, script,
            [&](tk::Kategorieneditor* f) {
                tkt::kind<QLineEdit>(f, "neueKategorie")->setText(u"Neu"_qs);
                QTest::mouseClick(tkt::kind<QPushButton>(f, "hinzufuegen"), Qt::LeftButton); // number 17
                tkt::kind<QListWidget>(f, "kategorien")->setCurrentRow(16); // "Vegan", number 16
                QTest::mouseClick(tkt::kind<QPushButton>(f, "loeschen"), Qt::LeftButton);
                tkt::kind<QLineEdit>(f, "neueKategorie")->setText(u"Noch"_qs);
                QTest::mouseClick(tkt::kind<QPushButton>(f, "hinzufuegen"), Qt::LeftButton); // number 18
            },
            { tk::Answer::Yes });
        QCOMPARE(own(c.lines(kKat)), (QStringList { u"1Grillen"_qs, u"0"_qs, u"1Neu"_qs, u"1Noch"_qs }));
        QCOMPARE(tabs(p).mid(15), (QStringList { u"Grillen"_qs, u"Neu"_qs, u"Noch"_qs }));
        QCOMPARE(p.st.kategorien.tabKategorie.mid(15), (QList<int> { 15, 17, 18 }));
        // Recipes keep their lists.
        QCOMPARE(c.bytes(kIndex), index);
        QCOMPARE(int(p.st.rezepte[0].inKategorie[16]), 1);
        const tk::ModalRequest q = script.last(tk::ModalKind::Question);
        QCOMPARE(q.caption, u"Achtung!"_qs);
        QCOMPARE(q.text, u"Wollen Sie die Kategorie wirklich löschen?"_qs);
        QCOMPARE(script.unexpected, 0);
    }

    void renaming_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("viaEnter");
        QTest::addColumn<QStringList>("expected"); // own lines afterwards
        QTest::addColumn<QString>("status"); // the status line afterwards
        QTest::newRow("to the name of another")
            << u"Vegan"_qs << true << QStringList { u"1Vegan"_qs, u"1Vegan"_qs } << u"Grillen"_qs;
        QTest::newRow("bar becomes slash")
            << u"Grill|Feuer"_qs << false << QStringList { u"1Grill/Feuer"_qs, u"1Vegan"_qs }
            << u"Grillen"_qs;
        QTest::newRow("empty name") << QString() << false << QStringList { u"1Grillen"_qs, u"1Vegan"_qs }
                                    << u"Bitte einen neuen Kategorie-Namen angeben!"_qs;
    }

    void renaming()
    {
        QFETCH(QString, name);
        QFETCH(bool, viaEnter);
        QFETCH(QStringList, expected);
        QFETCH(QString, status);
        tkt::Collection c;
        sammlung(c, { u"1Grillen"_qs, u"1Vegan"_qs });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tkt::kind<tk::TabControl>(p.forms().hauptfenster, "kategorien")->setCurrentIndex(15);
        QString statusAfter, entry15;
        bool locked = false;
        bearbeiten(p, script, [&](tk::Kategorieneditor* f) {
            tkt::kind<QListWidget>(f, "kategorien")->setCurrentRow(15);
            tkt::kind<QLineEdit>(f, "neuerName")->setText(name);
            if (viaEnter)
                QTest::keyClick(tkt::kind<QLineEdit>(f, "neuerName"), Qt::Key_Return);
            else
                QTest::mouseClick(tkt::kind<QPushButton>(f, "aendern"), Qt::LeftButton);
            statusAfter = tkt::kind<QLabel>(f, "hinweis")->text();
            entry15 = tkt::kind<QListWidget>(f, "kategorien")->item(15)->text();
            locked = !tkt::kind<QPushButton>(f, "aendern")->isEnabled()
                && tkt::kind<QListWidget>(f, "kategorien")->currentRow() == 0;
        });
        QCOMPARE(own(c.lines(kKat)), expected);
        QCOMPARE(statusAfter, status);
        if (!name.isEmpty()) {
            QVERIFY(locked);
            QCOMPARE(entry15, expected.at(0).mid(1));
            QCOMPARE(tabs(p).mid(15), (QStringList { expected.at(0).mid(1), expected.at(1).mid(1) }));
            QCOMPARE(tkt::kind<tk::TabControl>(p.forms().hauptfenster, "kategorien")->currentIndex(), 15);
        }
        QCOMPARE(script.unexpected, 0);
    }

    void deleting_data()
    {
        QTest::addColumn<int>("mainTab");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("delKey");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("tabAfter");
        QTest::addColumn<int>("katAfter");
        QTest::addColumn<QString>("status"); // after selecting entry row-1
        QTest::newRow("selected tab: main window goes to Alle")
            << 16 << 16 << false << true << 0 << 0 << u"A"_qs;
        QTest::newRow("tab behind: same index, next category")
            << 17 << 15 << false << true << 17 << 18 << kStandard;
        QTest::newRow("tab before stays") << 3 << 18 << true << true << 3 << 3 << u"C"_qs;
        QTest::newRow("last tab behind the deleted one") << 18 << 16 << false << true << 17 << 18 << u"A"_qs;
        QTest::newRow("Nein changes nothing") << 16 << 16 << true << false << 16 << 16 << u"B"_qs;
    }

    void deleting()
    {
        QFETCH(int, mainTab);
        QFETCH(int, row);
        QFETCH(bool, delKey);
        QFETCH(bool, yes);
        QFETCH(int, tabAfter);
        QFETCH(int, katAfter);
        QFETCH(QString, status);
        tkt::Collection c;
        const QStringList lines { u"1A"_qs, u"1B"_qs, u"1C"_qs, u"1D"_qs };
        sammlung(c, lines);
        const QByteArray before = c.bytes(kKat);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        tkt::kind<tk::TabControl>(f1, "kategorien")->setCurrentIndex(mainTab);
        QString statusAfter;
        int selected = -1;
        int count = 0;
        bearbeiten(p, script,
            [&](tk::Kategorieneditor* f) {
                tkt::kind<QListWidget>(f, "kategorien")->setCurrentRow(row);
                if (delKey)
                    QTest::keyClick(tkt::kind<QListWidget>(f, "kategorien"), Qt::Key_Delete);
                else
                    QTest::mouseClick(tkt::kind<QPushButton>(f, "loeschen"), Qt::LeftButton);
                statusAfter = tkt::kind<QLabel>(f, "hinweis")->text();
                selected = tkt::kind<QListWidget>(f, "kategorien")->currentRow();
                count = tkt::kind<QListWidget>(f, "kategorien")->count();
            },
            { yes ? tk::Answer::Yes : tk::Answer::No });
        QCOMPARE(script.texts(tk::ModalKind::Question).size(), 1);
        QCOMPARE(tkt::kind<tk::TabControl>(f1, "kategorien")->currentIndex(), tabAfter);
        QCOMPARE(p.st.aktuelleKategorie, katAfter);
        QCOMPARE(statusAfter, status);
        if (yes) {
            QStringList expected = lines;
            expected[row - 15] = u"0"_qs;
            QCOMPARE(own(c.lines(kKat)), expected);
            QCOMPARE(selected, row - 1);
            QCOMPARE(count, 18);
        } else {
            QCOMPARE(c.bytes(kKat), before);
            QCOMPARE(selected, row);
            QCOMPARE(count, 19);
        }
        if (katAfter == 0)
            // the list shows "Alle", not the deleted category
            QCOMPARE(tkt::kind<tk::RecipeList>(f1, "rezeptliste")->count(), 3);
        QCOMPARE(script.unexpected, 0);
    }

    void refusedAt100Lines_data()
    {
        QTest::addColumn<int>("ownLines");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("99 lines: number 99 is given") << 84 << true;
        QTest::newRow("100 lines: refused") << 85 << false;
    }

    void refusedAt100Lines()
    {
        QFETCH(int, ownLines);
        QFETCH(bool, accepted);
        tkt::Collection c;
        QStringList lines;
        for (int i = 0; i < ownLines; ++i)
            lines.append(u"1K"_qs + QString::number(15 + i));
        sammlung(c, lines);
        const QByteArray before = c.bytes(kKat);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        script.seen().clear();
        bearbeiten(
            p, script,
            [&](tk::Kategorieneditor* f) {
                tkt::kind<QLineEdit>(f, "neueKategorie")->setText(u"Neu"_qs);
                QTest::mouseClick(tkt::kind<QPushButton>(f, "hinzufuegen"), Qt::LeftButton);
            },
            accepted ? QList<tk::Answer> {} : QList<tk::Answer> { tk::Answer::Ok });
        if (accepted) {
            QCOMPARE(c.lines(kKat).size(), 100);
            QCOMPARE(c.lines(kKat).at(99), u"1Neu"_qs);
            QCOMPARE(tabs(p).last(), u"Neu"_qs);
        } else {
            QCOMPARE(c.bytes(kKat), before);
            const tk::ModalRequest m = script.last(tk::ModalKind::Meldung);
            QCOMPARE(m.caption, u"Nicht möglich"_qs);
            QVERIFY2(m.text.contains(u"keine weiteren Kategorien"_qs), qPrintable(m.text));
        }
        QCOMPARE(script.unexpected, 0);
    }

    void unwritableFileIsReported()
    {
        tkt::Collection c;
        sammlung(c, { u"1Grillen"_qs });
        QFile::setPermissions(c.path(kKat), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        const QByteArray before = c.bytes(kKat);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        script.seen().clear();
        int listed = 0;
        bearbeiten(p, script,
            [&](tk::Kategorieneditor* f) {
                tkt::kind<QLineEdit>(f, "neueKategorie")->setText(u"Neu"_qs);
                QTest::mouseClick(tkt::kind<QPushButton>(f, "hinzufuegen"), Qt::LeftButton);
                listed = tkt::kind<QListWidget>(f, "kategorien")->count();
            },
            { tk::Answer::Ok });
        QCOMPARE(
            script.last(tk::ModalKind::ErrorReport).text.contains(u"kann nicht geschrieben werden"_qs), true);
        QCOMPARE(c.bytes(kKat), before);
        QCOMPARE(listed, 16);
        QCOMPARE(tabs(p).size(), 16);
        QCOMPARE(script.unexpected, 0);
    }

    void keyboard()
    {
        tkt::Collection c;
        sammlung(c, { u"1Grillen"_qs });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        bool openAfterButtonEnter = false;
        bool closedByListEnter = false;
        bearbeiten(p, script, [&](tk::Kategorieneditor* f) {
            tkt::kind<QLineEdit>(f, "neueKategorie")->setText(u"Per Taste"_qs);
            tkt::kind<QPushButton>(f, "hinzufuegen")->setFocus();
            QTest::keyClick(
                tkt::kind<QPushButton>(f, "hinzufuegen"), Qt::Key_Return); // a focused button takes Enter
            openAfterButtonEnter = f->isVisible();
            tkt::kind<QListWidget>(f, "kategorien")->setFocus();
            QTest::keyClick(
                tkt::kind<QListWidget>(f, "kategorien"), Qt::Key_Return); // elsewhere Enter is "OK"
            closedByListEnter = !f->isVisible();
        });
        QVERIFY(openAfterButtonEnter);
        QVERIFY(closedByListEnter);
        QCOMPARE(own(c.lines(kKat)), (QStringList { u"1Grillen"_qs, u"1Per Taste"_qs }));
        QCOMPARE(script.unexpected, 0);
    }
};

TK_TEST_MAIN(KategorieneditorTest)
#include "tst_kategorieneditor.moc"
