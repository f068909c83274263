#include "TestSupport.h"

#include <QPlainTextEdit>

#include "exchange/RezKonvExport.h"
#include "platform/gui/DisplayedLines.h"

namespace {
const QString kKopf = QStringLiteral("=====REZKONV-Rzpt, Brutzels Tellerkiste=====");
}

class RezKonvTest : public QObject {
    Q_OBJECT
private slots:
    void lines_data()
    {
        QTest::addColumn<QString>("titel");
        QTest::addColumn<QString>("autor");
        QTest::addColumn<QString>("datum");
        QTest::addColumn<QString>("menge");
        QTest::addColumn<QStringList>("text");
        QTest::addColumn<QStringList>("zutaten");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("example") << "Apfelkuchen"
                                 << "Anna"
                                 << "12.03.2006"
                                 << "1 Blech" << QStringList { "Alles verrühren und backen." }
                                 << QStringList { "500 g Mehl", "4 Äpfel" }
                                 << QStringList { kKopf, "", "", "Titel: Apfelkuchen", "Menge: 1 Blech", "",
                                        "500 g Mehl", "4 Äpfel", "",
                                        "=====Quelle=====", "--Erfasst *RK* 12.03.2006 von", "--Anna", "",
                                        "Alles verrühren und backen.", "=====" };
        QTest::newRow("no ingredients: two empty lines after Menge")
            << "Brot"
            << "Bert"
            << "01.01.2007"
            << "1 Laib" << QStringList { "Backen." } << QStringList {}
            << QStringList { kKopf, "", "", "Titel: Brot", "Menge: 1 Laib", "", "",
                   "=====Quelle=====", "--Erfasst *RK* 01.01.2007 von", "--Bert", "", "Backen.", "=====" };
        QTest::newRow("empty text: empty line then closing line")
            << "Tee"
            << "Cleo"
            << "02.02.2002"
            << "1 Tasse" << QStringList {} << QStringList { "1 Beutel" }
            << QStringList { kKopf, "", "", "Titel: Tee", "Menge: 1 Tasse", "", "1 Beutel", "",
                   "=====Quelle=====", "--Erfasst *RK* 02.02.2002 von", "--Cleo", "", "=====" };
        QTest::newRow("empty fields and blanks kept as they are")
            << ""
            << ""
            << ""
            << "" << QStringList { "  eingerückt ", "" } << QStringList { " 1 Ei " }
            << QStringList { kKopf, "", "", "Titel: ", "Menge: ", "", " 1 Ei ", "",
                   "=====Quelle=====", "--Erfasst *RK*  von", "--", "", "  eingerückt ", "", "=====" };
    }
    void lines()
    {
        QFETCH(QString, titel);
        QFETCH(QString, autor);
        QFETCH(QString, datum);
        QFETCH(QString, menge);
        QFETCH(QStringList, text);
        QFETCH(QStringList, zutaten);
        QFETCH(QStringList, expected);
        QCOMPARE(tk::rezKonvErzeugen(titel, autor, datum, menge, text, zutaten), expected);
    }

    // A paragraph the field wraps onto three lines arrives as those three lines.
    void wrappedParagraphArrivesAsDisplayedLines()
    {
        QPlainTextEdit edit;
        edit.setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        const QString absatz = QStringLiteral("Mehl Zucker Eier Butter Milch Salz Hefe");
        edit.setPlainText(QStringLiteral("Kurz.\n") + absatz);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        // Find a width at which the paragraph takes exactly three lines.
        QStringList shown;
        for (int w = 400; w >= 60; w -= 4) {
            edit.resize(w, 200);
            shown = tk::displayedLines(&edit);
            if (shown.size() == 4)
                break;
        }
        QCOMPARE(shown.size(), 4);
        QCOMPARE(shown.first(), QStringLiteral("Kurz."));
        QCOMPARE(shown.mid(1).join(QString()), absatz); // the pieces, unchanged, in order
        const QStringList rk = tk::rezKonvErzeugen("T", "A", "D", "M", shown, {});
        QCOMPARE(rk.mid(rk.size() - 5, 4), shown);

        edit.resize(2000, 200);
        QCOMPARE(tk::displayedLines(&edit), (QStringList { QStringLiteral("Kurz."), absatz }));
    }

    // Paragraphs scrolled out of view are wrapped at the current width too, also after a resize.
    void displayedLinesBelowTheVisibleArea()
    {
        QPlainTextEdit edit;
        QStringList absaetze;
        for (int i = 0; i < 300; ++i)
            absaetze.append(QStringLiteral("Absatz %1 mit etwas mehr Text darin, damit er umbricht").arg(i));
        edit.setPlainText(absaetze.join(u'\n'));
        edit.resize(800, 100);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QCOMPARE(tk::displayedLines(&edit), absaetze);
        edit.resize(150, 100);
        const QStringList schmal = tk::displayedLines(&edit);
        QVERIFY(schmal.size() >= 2 * absaetze.size());
        QCOMPARE(schmal.join(QString()), absaetze.join(QString()));
    }

    void displayedLinesOfEmptyAndHiddenFields()
    {
        QPlainTextEdit edit;
        QCOMPARE(tk::displayedLines(&edit), QStringList());
        edit.setPlainText(QStringLiteral("eins\n\ndrei"));
        // Not on screen: the paragraphs as they are.
        QCOMPARE(tk::displayedLines(&edit), (QStringList { "eins", "", "drei" }));
    }
};

TK_TEST_MAIN(RezKonvTest)
#include "tst_rezkonv.moc"
