#include "TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "editing/gui/Kommentarfenster.h"
#include "editing/gui/Rezepteditor.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/TextLines.h"
#include "platform/gui/HotLabel.h"
#include "platform/gui/ImageView.h"
#include "platform/gui/Jpeg.h"
#include "platform/gui/TabControl.h"
#include "store/AppState.h"
#include "store/Formats.h"

using tk::Answer;
using tk::ModalKind;

namespace {

const QString kIndex = QStringLiteral("Data/Rezepte/index.dat");
QString dat(int n) { return QStringLiteral("Data/Rezepte/") + tk::stem(n) + QStringLiteral(".dat"); }
QString jpg(int n) { return QStringLiteral("Data/Rezepte/") + tk::stem(n) + QStringLiteral(".jpg"); }

void sammlung(tkt::Collection& c)
{
    c.standard({ QStringLiteral("1"), QStringLiteral("Apfelkuchen|Oma|01,13,|12.03.2006|für 4 Personen|"),
                   QStringLiteral("Gulasch|-|03,|-|-|") },
        { QStringLiteral("1Aufläufe") });
    c.recipe(0, { QStringLiteral("500 g Äpfel"), QStringLiteral("200 g Mehl") },
        { QStringLiteral("Äpfel schälen."), QString(), QStringLiteral("Backen.") },
        { QStringLiteral("Omas Bester") });
    c.recipe(
        1, { QStringLiteral("1 kg Rind") }, { QStringLiteral("Schmoren.") }, { QStringLiteral("Scharf!") });
}

QByteArray bild(int w, int h, const char* format)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray out;
    QBuffer b(&out);
    b.open(QIODevice::WriteOnly);
    img.save(&b, format);
    return out;
}

void tick(tk::Rezepteditor* e, int nr)
{
    const QList<int> nrs = e->listenKategorien();
    const int row = int(nrs.indexOf(nr));
    QVERIFY2(row >= 0, "category not in the list");
    tkt::kind<QListWidget>(e, "kategorien")->item(row)->setCheckState(Qt::Checked);
}

} // namespace

class EditorTest : public QObject {
    Q_OBJECT
private slots:
    void newRecipeStartsWithDefaults()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        p.st.autorVorgabe = QStringLiteral("Brutzel");
        p.forms().hauptfenster->neuesRezept();
        tk::Rezepteditor* e = p.forms().rezepteditor;
        QVERIFY(e->isVisible());
        QVERIFY(!e->isModal());
        QCOMPARE(e->windowTitle(), QStringLiteral("Neues Rezept erstellen"));
        QCOMPARE(tkt::kind<QPushButton>(e, "verwerfen")->text(), QStringLiteral("Verwerfen"));
        QCOMPARE(tkt::kind<QLineEdit>(e, "titel")->text(), QString());
        QCOMPARE(tkt::kind<QLineEdit>(e, "autor")->text(), QStringLiteral("Brutzel"));
        QCOMPARE(tkt::kind<QLineEdit>(e, "datum")->text(),
            QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        QCOMPARE(tkt::kind<QLineEdit>(e, "menge")->text(), QStringLiteral("für 4 Personen"));
        QVERIFY(!tkt::kind<QPushButton>(e, "bildLoeschen")->isEnabled());
        QVERIFY(e->angekreuzteKategorien().isEmpty());
        // One entry per tab after "Alle", in tab order, "Favoriten" and own categories included.
        QStringList tabs;
        for (int i = 1; i < tkt::kind<tk::TabControl>(p.forms().hauptfenster, "kategorien")->count(); ++i)
            tabs.append(tkt::kind<tk::TabControl>(p.forms().hauptfenster, "kategorien")->tabText(i));
        QStringList entries;
        for (int i = 0; i < tkt::kind<QListWidget>(e, "kategorien")->count(); ++i)
            entries.append(tkt::kind<QListWidget>(e, "kategorien")->item(i)->text());
        QCOMPARE(entries, tabs);
        QCOMPARE(entries.at(13), QStringLiteral("Favoriten"));
        QCOMPARE(entries.last(), QStringLiteral("Aufläufe"));
        QCOMPARE(script.unexpected, 0);
    }

    void newRecipeGetsNextNumber()
    {
        // 41 in line 0: the new recipe is 42 with 0042.dat and 0042.jpg, appended as line 43.
        tkt::Collection c;
        QStringList index { QStringLiteral("41") };
        for (int i = 0; i <= 41; ++i)
            index.append(i == 5 ? QStringLiteral("Brot|-|13,|-|-|") : QStringLiteral("||||"));
        c.standard(index);
        c.recipe(5, {}, { QStringLiteral("Backen") });
        c.writeBytes(QStringLiteral("bild.jpg"), bild(40, 30, "JPG"));
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Rezepteditor* e = p.forms().rezepteditor;
        p.forms().hauptfenster->neuesRezept();
        tkt::kind<QLineEdit>(e, "titel")->setText(QStringLiteral("Neu"));
        tick(e, 2);
        script.file(c.path(QStringLiteral("bild.jpg")));
        tkt::kind<QPushButton>(e, "bildLaden")->click();
        QVERIFY(tkt::kind<QPushButton>(e, "bildLoeschen")->isEnabled());
        tkt::kind<QPushButton>(e, "speichern")->click();
        const QStringList lines = c.lines(kIndex);
        QCOMPARE(lines.size(), 44);
        QCOMPARE(lines.at(0), QStringLiteral("42"));
        QVERIFY(lines.at(43).startsWith(QStringLiteral("Neu|")));
        QVERIFY(c.exists(dat(42)));
        QCOMPARE(c.bytes(jpg(42)), c.bytes(QStringLiteral("bild.jpg")));
        QCOMPARE(e->rezeptNr, 42);
        QCOMPARE(p.st.sammlung.rezeptMax(), 42);
        QCOMPARE(p.st.sammlung.rezeptAnzahl(), 2);
        QVERIFY(!e->isVisible());
        QVERIFY(e->isEnabled());
        QCOMPARE(tkt::kind<QLabel>(p.forms().hauptfenster, "titel")->text(), QStringLiteral("Neu"));
        QCOMPARE(p.st.aktuellesRezept, 42);
        QCOMPARE(script.unexpected, 0);
    }

    void indexEntry_data()
    {
        QTest::addColumn<QStringList>("fields"); // title, author, date, quantity
        QTest::addColumn<QList<int>>("ticks");
        QTest::addColumn<QString>("entry");
        QTest::newRow("bars in all four fields")
            << QStringList { QStringLiteral("Salat | Dressing"), QStringLiteral("A|B"), QStringLiteral("1|2"),
                   QStringLiteral("x|y") }
            << QList<int> { 8 } << QStringLiteral("Salat / Dressing|A/B|08,|1/2|x/y|");
        QTest::newRow("empty date and quantity stay live")
            << QStringList { QStringLiteral("Tee"), QStringLiteral("Ich"), QString(), QString() }
            << QList<int> { 9 } << QStringLiteral("Tee|Ich|09,|-|-|");
        QTest::newRow("single blank title") << QStringList { QStringLiteral(" "), QStringLiteral("a"),
            QStringLiteral("d"), QStringLiteral("m") }
                                            << QList<int> { 1 } << QStringLiteral(" |a|01,|d|m|");
        QTest::newRow("only Favoriten") << QStringList { QStringLiteral("F"), QStringLiteral("a"),
            QStringLiteral("d"), QStringLiteral("m") }
                                        << QList<int> { 14 } << QStringLiteral("F|a|14,|d|m|");
        QTest::newRow("ascending, own category last") << QStringList {
            QStringLiteral("K"), QStringLiteral("a"), QStringLiteral("d"), QStringLiteral("m")
        } << QList<int> { 15, 13, 1 } << QStringLiteral("K|a|01,13,15,|d|m|");
    }
    void indexEntry()
    {
        QFETCH(QStringList, fields);
        QFETCH(QList<int>, ticks);
        QFETCH(QString, entry);
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Rezepteditor* e = p.forms().rezepteditor;
        p.forms().hauptfenster->neuesRezept();
        tkt::kind<QLineEdit>(e, "titel")->setText(fields.at(0));
        tkt::kind<QLineEdit>(e, "autor")->setText(fields.at(1));
        tkt::kind<QLineEdit>(e, "datum")->setText(fields.at(2));
        tkt::kind<QLineEdit>(e, "menge")->setText(fields.at(3));
        for (int t : ticks)
            tick(e, t);
        tkt::kind<QPushButton>(e, "speichern")->click();
        QCOMPARE(c.lines(kIndex).at(3), entry);
        QCOMPARE(tkt::kind<QLineEdit>(e, "titel")->text(), entry.section(u'|', 0, 0));
        // Still a live recipe after the reload.
        QCOMPARE(p.st.sammlung.rezeptAnzahl(), 3);
        QVERIFY(!p.st.sammlung.rezepte()[2].geloescht);
        QCOMPARE(script.unexpected, 0);
    }

    void inputChecks_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::newRow("no title") << QString() << QStringLiteral("Bitte einen Rezeptnamen angeben!");
        QTest::newRow("no category") << QStringLiteral("Salat | Dressing")
                                     << QStringLiteral("Bitte min. eine Kategorie wählen!");
    }
    void inputChecks()
    {
        QFETCH(QString, title);
        QFETCH(QString, message);
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Rezepteditor* e = p.forms().rezepteditor;
        p.forms().hauptfenster->neuesRezept();
        tkt::kind<QLineEdit>(e, "titel")->setText(title);
        tkt::kind<QLineEdit>(e, "autor")->setText(QStringLiteral("A | B"));
        const QByteArray index = c.bytes(kIndex);
        script.answer(Answer::Ok);
        tkt::kind<QPushButton>(e, "speichern")->click();
        QCOMPARE(script.last(ModalKind::Meldung).text, message);
        QCOMPARE(script.last(ModalKind::Meldung).caption, QStringLiteral("Fehler bei der Eingabe"));
        QCOMPARE(c.bytes(kIndex), index);
        QVERIFY(!c.exists(dat(2)));
        QVERIFY(e->isVisible());
        QVERIFY(e->isEnabled());
        QCOMPARE(p.st.sammlung.rezeptMax(), 1);
        if (!title.isEmpty()) {
            // The replacement is visible although the save was refused.
            QCOMPARE(tkt::kind<QLineEdit>(e, "titel")->text(), QStringLiteral("Salat / Dressing"));
            QCOMPARE(tkt::kind<QLineEdit>(e, "autor")->text(), QStringLiteral("A / B"));
        }
    }

    void recipeFile_data()
    {
        QTest::addColumn<QString>("zutaten");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("file");
        const QString m = QStringLiteral("###KOMMENTAR###");
        QTest::newRow("no ingredients") << QString() << QStringLiteral("Rühren")
                                        << QStringList { QStringLiteral("0"), QStringLiteral("Rühren"), m };
        QTest::newRow("final empty lines dropped") << QStringLiteral("a\nb\n") << QStringLiteral("t\n")
                                                   << QStringList { QStringLiteral("2"), QStringLiteral("a"),
                                                          QStringLiteral("b"), QStringLiteral("t"), m };
        QTest::newRow("inner empty lines kept")
            << QStringLiteral("a\n\nb") << QStringLiteral("x\n\ny")
            << QStringList { QStringLiteral("3"), QStringLiteral("a"), QString(), QStringLiteral("b"),
                   QStringLiteral("x"), QString(), QStringLiteral("y"), m };
        QTest::newRow("marker in the text is written as typed")
            << QStringLiteral("a") << QStringLiteral("x\nvor ###KOMMENTAR### nach\ny")
            << QStringList { QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("x"),
                   QStringLiteral("vor ###KOMMENTAR### nach"), QStringLiteral("y"), m };
    }
    void recipeFile()
    {
        QFETCH(QString, zutaten);
        QFETCH(QString, text);
        QFETCH(QStringList, file);
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Rezepteditor* e = p.forms().rezepteditor;
        p.forms().hauptfenster->zeigeRezept(0); // a recipe with a comment on show
        p.forms().hauptfenster->neuesRezept();
        tkt::kind<QLineEdit>(e, "titel")->setText(QStringLiteral("T"));
        tkt::kind<QPlainTextEdit>(e, "zutaten")->setPlainText(zutaten);
        tkt::kind<QPlainTextEdit>(e, "rezepttext")->setPlainText(text);
        tick(e, 1);
        tkt::kind<QPushButton>(e, "speichern")->click();
        QCOMPARE(c.lines(dat(2)), file);
        QCOMPARE(script.unexpected, 0);
    }

    void editExistingFillsFields()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        p.st.aktuellesRezept = 0;
        p.forms().hauptfenster->rezeptBearbeiten();
        tk::Rezepteditor* e = p.forms().rezepteditor;
        QVERIFY(e->isVisible());
        QCOMPARE(e->windowTitle(), QStringLiteral("Rezept bearbeiten"));
        QCOMPARE(tkt::kind<QPushButton>(e, "verwerfen")->text(), QStringLiteral("Abbrechen"));
        QCOMPARE(e->rezeptNr, 0);
        QCOMPARE(tkt::kind<QLineEdit>(e, "titel")->text(), QStringLiteral("Apfelkuchen"));
        QCOMPARE(tkt::kind<QLineEdit>(e, "autor")->text(), QStringLiteral("Oma"));
        QCOMPARE(tkt::kind<QLineEdit>(e, "datum")->text(), QStringLiteral("12.03.2006"));
        QCOMPARE(tkt::kind<QLineEdit>(e, "menge")->text(), QStringLiteral("für 4 Personen"));
        QCOMPARE(e->angekreuzteKategorien(), (QList<int> { 1, 13 }));
        QCOMPARE(tkt::kind<QPlainTextEdit>(e, "zutaten")->toPlainText(),
            QStringLiteral("500 g Äpfel\n200 g Mehl"));
        // An empty line inside the text survives the round trip; the comment is not shown.
        QCOMPARE(tkt::kind<QPlainTextEdit>(e, "rezepttext")->toPlainText(),
            QStringLiteral("Äpfel schälen.\n\nBacken."));
        QVERIFY(!tkt::kind<QPushButton>(e, "bildLoeschen")->isEnabled());

        // Saving unchanged writes the same recipe file back.
        const QByteArray before = c.bytes(dat(0));
        p.forms().hauptfenster->zeigeRezept(0);
        tkt::kind<QPushButton>(e, "speichern")->click();
        QCOMPARE(c.bytes(dat(0)), before);
        QCOMPARE(c.lines(kIndex).at(1), QStringLiteral("Apfelkuchen|Oma|01,13,|12.03.2006|für 4 Personen|"));
        QCOMPARE(script.unexpected, 0);
    }

    void brokenFileKeepsEditorAsItWas()
    {
        tkt::Collection c;
        sammlung(c);
        c.write(dat(1), { QStringLiteral("x"), QStringLiteral("y") });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Rezepteditor* e = p.forms().rezepteditor;
        p.st.aktuellesRezept = 0;
        p.forms().hauptfenster->rezeptBearbeiten();
        tkt::kind<QLineEdit>(e, "titel")->setText(QStringLiteral("getippt"));
        p.st.aktuellesRezept = 1;
        script.answer(Answer::Yes).answer(Answer::Ok); // the typed title may go; the broken file
        tkt::kind<QAction>(p.forms().hauptfenster, "bearbeiten")->trigger();
        QCOMPARE(script.texts(ModalKind::ErrorReport).size(), 1);
        QCOMPARE(e->rezeptNr, 0);
        QCOMPARE(tkt::kind<QLineEdit>(e, "titel")->text(), QStringLiteral("getippt"));
    }

    void commentKeptWithItsRecipe_data()
    {
        QTest::addColumn<int>("edited");
        QTest::addColumn<int>("onShow");
        QTest::addColumn<bool>("discard");
        QTest::addColumn<QStringList>("comment");
        QTest::newRow("recipe on show takes the window's text")
            << 0 << 0 << false << QStringList { QStringLiteral("getippt") };
        QTest::newRow("other recipe keeps its own comment")
            << 1 << 0 << false << QStringList { QStringLiteral("Scharf!") };
        QTest::newRow("after Verwerfen no comment lines") << 0 << 0 << true << QStringList {};
        QTest::newRow("nothing on show reads the file")
            << 1 << -1 << false << QStringList { QStringLiteral("Scharf!") };
    }
    void commentKeptWithItsRecipe()
    {
        QFETCH(int, edited);
        QFETCH(int, onShow);
        QFETCH(bool, discard);
        QFETCH(QStringList, comment);
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        tk::Kommentarfenster* k = p.forms().kommentarfenster;
        f1->zeigeRezept(0);
        tkt::kind<QPlainTextEdit>(k, "kommentar")->setPlainText(QStringLiteral("getippt"));
        if (discard)
            tkt::kind<QPushButton>(k, "verwerfen")->click();
        p.st.aktuellesRezept = edited; // a right click on another entry
        f1->rezeptBearbeiten();
        if (onShow < 0)
            f1->zeigeRezept(-1);
        tkt::kind<QPushButton>(p.forms().rezepteditor, "speichern")->click();
        const QStringList lines = c.lines(dat(edited));
        QCOMPARE(lines.mid(lines.indexOf(QStringLiteral("###KOMMENTAR###")) + 1), comment);
        if (edited != 0)
            QCOMPARE(c.lines(dat(0)).last(), QStringLiteral("Omas Bester"));
    }

    // What the user did not change comes back byte for byte from both saves (editor, comment window);
    // a damaged ingredient count opens with the lines the file has, a note, and comment lines that stay
    // comment lines.
    void unchangedSavesKeepTheLines_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QByteArray>("saved");
        const QByteArray nbsp("2\r\n1\xA0kg Mehl\r\n500\xA0g Zucker\r\nBei 180\xA0\xB0"
                              "C backen.\r\n"
                              "###KOMMENTAR###\r\nSehr\xA0gut\r\n");
        QTest::newRow("non-breaking spaces stay") << nbsp << QString() << nbsp;
        QTest::newRow("count beyond the lines")
            << QByteArray("2000000000\r\n1 Ei\r\nText\r\n###KOMMENTAR###\r\nKommentar\r\n")
            << QStringLiteral("ihre erste Zeile nennt 2000000000 Zutaten, es folgen aber nur 4 Zeilen.")
            << QByteArray("2\r\n1 Ei\r\nText\r\n###KOMMENTAR###\r\nKommentar\r\n");
        QTest::newRow("count beyond the lines, no marker")
            << QByteArray("9\r\na\r\nb\r\n") << QStringLiteral("nennt 9 Zutaten")
            << QByteArray("2\r\na\r\nb\r\n###KOMMENTAR###\r\n");
        QTest::newRow("negative count") << QByteArray("-5\r\nText\r\n###KOMMENTAR###\r\nKommentar\r\n")
                                        << QStringLiteral("ihre erste Zeile nennt -5 Zutaten.")
                                        << QByteArray("0\r\nText\r\n###KOMMENTAR###\r\nKommentar\r\n");
    }
    void unchangedSavesKeepTheLines()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, note);
        QFETCH(QByteArray, saved);
        tkt::Collection c;
        c.standard({ QStringLiteral("0"), QStringLiteral("Brot|a|01,|d|m|") });
        c.writeBytes(dat(0), file);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Hauptfenster* f1 = p.forms().hauptfenster;
        const int notes = note.isEmpty() ? 0 : 1;
        for (int i = 0; i < 2; ++i) {
            c.writeBytes(dat(0), file);
            if (notes)
                script.answer(Answer::Ok);
            f1->zeigeRezept(0);
            QCOMPARE(p.st.angezeigtesRezept, 0);
            if (i == 0) {
                // "Speichern" in the comment window
                tkt::kind<QPushButton>(p.forms().kommentarfenster, "speichern")->click();
            } else {
                if (notes)
                    script.answer(Answer::Ok);
                f1->rezeptBearbeiten();
                QVERIFY(p.forms().rezepteditor->isVisible());
                tkt::kind<QPushButton>(p.forms().rezepteditor, "speichern")->click();
            }
            QCOMPARE(c.bytes(dat(0)), saved);
        }
        const QStringList texts = script.texts(ModalKind::Meldung);
        QCOMPARE(texts.size(), 3 * notes); // view, view, editor
        for (const QString& t : texts)
            QVERIFY2(t.startsWith(QStringLiteral("Die Rezeptdatei ist beschädigt: ")) && t.contains(note),
                qPrintable(t));
        if (notes)
            QCOMPARE(script.last(ModalKind::Meldung).caption, QStringLiteral("Achtung!"));
        QCOMPARE(script.unexpected, 0);
    }

    void pictures()
    {
        tkt::Collection c;
        sammlung(c);
        c.writeBytes(QStringLiteral("bild.png"), bild(30, 20, "PNG"));
        c.writeBytes(QStringLiteral("flach.bmp"), bild(30, 1, "BMP"));
        c.writeBytes(QStringLiteral("text.jpg"), "kein Bild");
        c.writeBytes(jpg(1), bild(10, 10, "JPG"));
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Rezepteditor* e = p.forms().rezepteditor;
        p.st.aktuellesRezept = 0;
        p.forms().hauptfenster->rezeptBearbeiten();

        script.file(c.path(QStringLiteral("text.jpg"))).answer(Answer::Ok);
        tkt::kind<QPushButton>(e, "bildLaden")->click();
        QCOMPARE(script.last(ModalKind::OpenFile).filter, QStringLiteral("JPEG-Dateien (*.jpg)"));
        QCOMPARE(script.last(ModalKind::Meldung).text,
            QStringLiteral("Bilder müssen vom Format JPEG oder Bitmap sein und höher als 1 Pixel sein!"));
        QCOMPARE(script.last(ModalKind::Meldung).caption, QStringLiteral("Achtung!"));
        QVERIFY(p.forms().rezepteditor->bildDatei().isEmpty());

        script.file(c.path(QStringLiteral("flach.bmp"))).answer(Answer::Ok);
        tkt::kind<QPushButton>(e, "bildLaden")->click();
        QCOMPARE(script.last(ModalKind::Meldung).text,
            QStringLiteral("Bilder müssen vom Format JPEG oder Bitmap und höher als 1 Pixel sein!"));
        QVERIFY(p.forms().rezepteditor->bildDatei().isEmpty());
        QVERIFY(!tkt::kind<tk::ImageView>(e, "bild")->hasImage());

        // A PNG is stored as JPEG under the recipe's picture name.
        script.file(c.path(QStringLiteral("bild.png")));
        tkt::kind<QPushButton>(e, "bildLaden")->click();
        QVERIFY(tkt::kind<tk::ImageView>(e, "bild")->hasImage());
        QCOMPARE(p.forms().rezepteditor->bildDatei(), c.path(QStringLiteral("bild.png")));
        tkt::kind<QPushButton>(e, "speichern")->click();
        QVERIFY(tk::looksLikeJpeg(c.bytes(jpg(0))));
        QCOMPARE(tk::loadPicture(c.path(jpg(0))).size(), QSize(30, 20));
        QVERIFY(!tkt::kind<tk::HotLabel>(p.forms().hauptfenster, "bildSymbol")->isHidden());

        // Removing the picture of an existing recipe asks, deletes at once; "Abbrechen" does not bring it
        // back.
        p.st.aktuellesRezept = 1;
        p.forms().hauptfenster->rezeptBearbeiten();
        QVERIFY(tkt::kind<QPushButton>(e, "bildLoeschen")->isEnabled());
        QVERIFY(tkt::kind<tk::ImageView>(e, "bild")->hasImage());
        script.answer(Answer::No);
        tkt::kind<QPushButton>(e, "bildLoeschen")->click();
        QVERIFY(c.exists(jpg(1)));
        script.answer(Answer::Yes);
        tkt::kind<QPushButton>(e, "bildLoeschen")->click();
        QCOMPARE(script.last(ModalKind::Question).caption, QStringLiteral("Wirklich löschen?"));
        QCOMPARE(script.last(ModalKind::Question).text,
            QStringLiteral("Wollen Sie dieses Bild wirklich löschen?"));
        QVERIFY(!c.exists(jpg(1)));
        QVERIFY(!tkt::kind<QPushButton>(e, "bildLoeschen")->isEnabled());
        tkt::kind<QPushButton>(e, "verwerfen")->click();
        QVERIFY(!e->isVisible());
        QVERIFY(!c.exists(jpg(1)));

        // New recipe: chosen, removed without a question, saved: nothing copied.
        p.forms().hauptfenster->neuesRezept();
        tkt::kind<QLineEdit>(e, "titel")->setText(QStringLiteral("Ohne"));
        tick(e, 3);
        script.file(c.path(QStringLiteral("bild.png")));
        const int questions = int(script.texts(ModalKind::Question).size());
        tkt::kind<QPushButton>(e, "bildLaden")->click();
        tkt::kind<QPushButton>(e, "bildLoeschen")->click();
        QCOMPARE(int(script.texts(ModalKind::Question).size()), questions);
        tkt::kind<QPushButton>(e, "speichern")->click();
        QVERIFY(c.exists(dat(2)));
        QVERIFY(!c.exists(jpg(2)));
        QCOMPARE(script.unexpected, 0);
    }

    void failedWriteEnablesEditorAgain()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Rezepteditor* e = p.forms().rezepteditor;
        QFile::setPermissions(c.path(kIndex), QFileDevice::ReadOwner);
        const QByteArray index = c.bytes(kIndex);

        p.forms().hauptfenster->neuesRezept();
        tkt::kind<QLineEdit>(e, "titel")->setText(QStringLiteral("Neu"));
        tick(e, 1);
        script.answer(Answer::Ok);
        tkt::kind<QPushButton>(e, "speichern")->click();
        QCOMPARE(script.texts(ModalKind::ErrorReport).size(), 1);
        QVERIFY(e->isVisible());
        QVERIFY(e->isEnabled());
        QCOMPARE(c.bytes(kIndex), index);
        // The next number is still the one the file gives.
        QCOMPARE(p.st.sammlung.rezeptMax(), 1);
        QCOMPARE(int(p.st.sammlung.rezepte().size()), 2);

        p.st.aktuellesRezept = 1;
        script.answer(Answer::Yes); // the unsaved new recipe may go
        p.forms().hauptfenster->rezeptBearbeiten();
        tkt::kind<QLineEdit>(e, "titel")->setText(QStringLiteral("Anders"));
        script.answer(Answer::Ok);
        tkt::kind<QPushButton>(e, "speichern")->click();
        QCOMPARE(script.texts(ModalKind::ErrorReport).size(), 2);
        QVERIFY(e->isEnabled());
        QCOMPARE(p.st.sammlung.rezepte()[1].titel, QStringLiteral("Gulasch"));

        // Once the file can be written, the same window saves.
        QFile::setPermissions(c.path(kIndex), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        tkt::kind<QPushButton>(e, "speichern")->click();
        QCOMPARE(c.lines(kIndex).at(2), QStringLiteral("Anders|-|03,|-|-|"));
        QCOMPARE(c.lines(kIndex).size(), 3);
    }

    void readOnlyRecipeFileIsCleared()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        QFile::setPermissions(c.path(dat(1)), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        p.st.aktuellesRezept = 1;
        p.forms().hauptfenster->rezeptBearbeiten();
        tkt::kind<QPlainTextEdit>(p.forms().rezepteditor, "zutaten")
            ->setPlainText(QStringLiteral("2 kg Rind"));
        tkt::kind<QPushButton>(p.forms().rezepteditor, "speichern")->click();
        QCOMPARE(c.lines(dat(1)).at(1), QStringLiteral("2 kg Rind"));
        QVERIFY(!tk::isReadOnly(c.path(dat(1))));
        QVERIFY(QFileInfo(c.path(dat(1))).permissions() & QFileDevice::ReadGroup);
        QCOMPARE(script.unexpected, 0);
    }

    void checkListFollowsCategoryChanges()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Rezepteditor* e = p.forms().rezepteditor;
        p.st.aktuellesRezept = 0;
        p.forms().hauptfenster->rezeptBearbeiten();
        tick(e, 15);
        // An own category is added and 15 renamed while the editor is open.
        QStringList kat;
        for (int i = 0; i < 15; ++i)
            kat.append(QStringLiteral("x"));
        c.write(QStringLiteral("Data/Rezepte/kategorien.dat"),
            kat + QStringList { QStringLiteral("1Gratins"), QStringLiteral("1Brote") });
        p.forms().hauptfenster->kategorienAufbauen();
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(p.forms().hauptfenster, &activate);
        QCOMPARE(tkt::kind<QListWidget>(e, "kategorien")->count(), 16);
        QCOMPARE(tkt::kind<QListWidget>(e, "kategorien")->item(14)->text(), QStringLiteral("Gratins"));
        QCOMPARE(tkt::kind<QListWidget>(e, "kategorien")->item(15)->text(), QStringLiteral("Brote"));
        QCOMPARE(e->angekreuzteKategorien(), (QList<int> { 1, 13, 15 }));
        tkt::kind<QPushButton>(e, "speichern")->click();
        QCOMPARE(c.lines(kIndex).at(1).section(u'|', 2, 2), QStringLiteral("01,13,15,"));
    }

    void layoutFollowsWindowSize()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Rezepteditor* e = p.forms().rezepteditor;
        p.forms().hauptfenster->neuesRezept();
        QCOMPARE(e->size(), QSize(628, 428));
        const QRect title = tkt::kind<QLineEdit>(e, "titel")->geometry(),
                    text = tkt::kind<QPlainTextEdit>(e, "rezepttext")->geometry(),
                    list = tkt::kind<QListWidget>(e, "kategorien")->geometry();
        const QRect image = tkt::kind<tk::ImageView>(e, "bild")->geometry(),
                    author = tkt::kind<QLineEdit>(e, "autor")->geometry(),
                    save = tkt::kind<QPushButton>(e, "speichern")->geometry();
        QCOMPARE(image.size(), QSize(145, 104));
        e->resize(728, 528);
        QCOMPARE(tkt::kind<QLineEdit>(e, "titel")->geometry(), title.adjusted(0, 0, 100, 0));
        QCOMPARE(tkt::kind<QPlainTextEdit>(e, "rezepttext")->geometry(), text.adjusted(0, 0, 100, 100));
        QCOMPARE(tkt::kind<QListWidget>(e, "kategorien")->geometry(), list.adjusted(100, 0, 100, 100));
        QCOMPARE(tkt::kind<tk::ImageView>(e, "bild")->geometry(), image.translated(100, 0));
        QCOMPARE(tkt::kind<QLineEdit>(e, "autor")->geometry(), author.translated(0, 100));
        QCOMPARE(tkt::kind<QPushButton>(e, "speichern")->geometry(), save.translated(100, 100));
        e->resize(100, 100);
        QVERIFY(e->width() >= 592 && e->height() >= 418);
        QVERIFY(tkt::kind<QPushButton>(e, "speichern")->isDefault());
    }

    void tabOrder()
    {
        tkt::Collection c;
        sammlung(c);
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        tk::Rezepteditor* e = p.forms().rezepteditor;
        QList<QWidget*> expected { tkt::kind<QLineEdit>(e, "titel"), tkt::kind<QPlainTextEdit>(e, "zutaten"),
            tkt::kind<QPlainTextEdit>(e, "rezepttext"), tkt::kind<QLineEdit>(e, "autor"),
            tkt::kind<QLineEdit>(e, "datum"), tkt::kind<QLineEdit>(e, "menge"),
            tkt::kind<QListWidget>(e, "kategorien"), tkt::kind<QPushButton>(e, "bildLaden"),
            tkt::kind<QPushButton>(e, "bildLoeschen"), tkt::kind<QPushButton>(e, "speichern"),
            tkt::kind<QPushButton>(e, "verwerfen") };
        tkt::kind<QPushButton>(e, "bildLoeschen")->setEnabled(true);
        QList<QWidget*> seen;
        QWidget* w = tkt::kind<QLineEdit>(e, "titel");
        for (int guard = 0; guard < 200 && seen.size() < expected.size(); ++guard) {
            if (expected.contains(w) && !seen.contains(w))
                seen.append(w);
            w = w->nextInFocusChain();
        }
        QCOMPARE(seen, expected);
    }
};

TK_TEST_MAIN(EditorTest)
#include "tst_editor.moc"
