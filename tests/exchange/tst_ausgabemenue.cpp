#include "TestSupport.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>

#include "dialogs/gui/Willkommensfenster.h"
#include "exchange/Ausgabe.h"
#include "exchange/gui/RezKonvExportfenster.h"
#include "exchange/gui/Druckausgabe.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/Cp1252.h"
#include "platform/TextLines.h"
#include "platform/gui/DisplayedLines.h"
#include "platform/gui/Jpeg.h"
#include "platform/gui/RtfReader.h"
#include "store/AppState.h"

using tk::ModalKind;

namespace {
// Two live recipes and a deleted one between them.
void sammlung(tkt::Collection& c)
{
    c.standard({ "2", "Käsespätzle|Anna|01,|12.03.2006|für 4 Personen|", "||||",
        "Brot|Bert|13,|01.01.2007|1 Laib|" });
    c.recipe(0, { "500 g Mehl", "200 g Käse" }, { "Teig schlagen.", "Im Ofen überbacken." }, { "lecker" });
    c.recipe(2, {}, { "Backen." });
}

const QStringList kBlockKaese { "", "Käsespätzle", "", "Brutzels  Tellerkiste 3.30",
    "Rezept vom 12.03.2006 gekocht von Anna", "für 4 Personen", "", "Zutaten", "500 g Mehl", "200 g Käse", "",
    "", "Teig schlagen.", "Im Ofen überbacken." };
}

class AusgabeMenueTest : public QObject {
    Q_OBJECT

    struct Fixture {
        tkt::Collection c;
        tkt::ModalScript script;
        std::unique_ptr<tkt::Program> p;
        tk::Hauptfenster* f1 = nullptr;
        Fixture(bool zeigen = true)
        {
            sammlung(c);
            p = std::make_unique<tkt::Program>(c.dir());
            f1 = p->forms().hauptfenster;
            // Only what the outputs ask counts.
            script.seen().clear();
            script.unexpected = 0;
            if (zeigen)
                f1->zeigeRezept(0);
        }
        QString out(const QString& name) const { return c.path(name); }
    };

private slots:
    void menuStates()
    {
        Fixture x;
        QVERIFY(tkt::kind<QMenu>(x.f1, "rezKonvMenue")->menuAction()->isEnabled());
        QVERIFY(tkt::kind<QAction>(x.f1, "rezKonvExport")->isEnabled());
        QVERIFY(tkt::kind<QAction>(x.f1, "rezKonvImport")->isEnabled());
    }

    void textFile()
    {
        Fixture x;
        const QString ziel = x.out("rezept.txt");
        x.script.file(ziel);
        tkt::kind<QAction>(x.f1, "alsTextdatei")->trigger();
        QCOMPARE(x.script.last(ModalKind::SaveFile).filter, QStringLiteral("Textdateien (*.txt)"));
        const QByteArray bytes = tkt::readFile(ziel);
        QCOMPARE(bytes, tkt::crlf(kBlockKaese));
        QVERIFY(bytes.contains("K\xe4sesp\xe4tzle\r\n")); // Windows-1252, CR LF
        QCOMPARE(x.script.unexpected, 0);
    }

    // A paragraph the view wraps goes out as the lines the view shows.
    void wrappedTextGoesOutAsShown()
    {
        Fixture x(false);
        QStringList lang;
        for (int i = 0; i < 40; ++i)
            lang.append(QStringLiteral("Wort%1").arg(i));
        x.c.recipe(0, { "1 Ei" }, { lang.join(u' ') });
        // The welcome window keeps the main window hidden while it is up.
        x.p->forms().willkommensfenster->hide();
        x.f1->show();
        x.f1->resize(700, 500);
        QVERIFY(QTest::qWaitForWindowExposed(x.f1));
        x.f1->zeigeRezept(0);
        QTRY_VERIFY(tkt::kind<QPlainTextEdit>(x.f1, "zubereitung")->isVisible());
        const QStringList gezeigt = tk::displayedLines(tkt::kind<QPlainTextEdit>(x.f1, "zubereitung"));
        QVERIFY(gezeigt.size() > 1);
        QCOMPARE(gezeigt.join(QString()), lang.join(u' '));
        x.script.file(x.out("lang.txt"));
        tkt::kind<QAction>(x.f1, "alsTextdatei")->trigger();
        const QStringList datei = tk::splitLines(tkt::readFile(x.out("lang.txt")));
        QCOMPARE(datei.mid(datei.size() - gezeigt.size()), gezeigt);
        QCOMPARE(datei.at(datei.size() - gezeigt.size() - 1), QString());
    }

    void cancelWritesNothing()
    {
        Fixture x;
        x.script.answer(tk::Answer::Cancel).answer(tk::Answer::Cancel).answer(tk::Answer::Cancel);
        tkt::kind<QAction>(x.f1, "alsTextdatei")->trigger();
        tkt::kind<QAction>(x.f1, "alsRtfDatei")->trigger();
        tkt::kind<QAction>(x.f1, "alleAlsTextdatei")->trigger();
        QCOMPARE(x.script.seen().size(), 3);
        for (const auto& r : x.script.seen())
            QCOMPARE(r.kind, ModalKind::SaveFile);
        QCOMPARE(x.script.unexpected, 0);
    }

    void clipboardPlainText()
    {
        Fixture x;
        tkt::kind<QAction>(x.f1, "inZwischenablage")->trigger();
        QStringList expected = kBlockKaese;
        expected[3] = QStringLiteral("Brutzels Tellerkiste 3.30");
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime);
        QCOMPARE(mime->text(), expected.join(u'\n') + u'\n');
        QVERIFY(!mime->hasHtml());
        QCOMPARE(x.script.seen().size(), 0);
    }

    void rtfFile()
    {
        Fixture x;
        x.p->st.schriftgroesse = 12;
        const QString ziel = x.out("rezept.rtf");
        x.script.file(ziel);
        tkt::kind<QAction>(x.f1, "alsRtfDatei")->trigger();
        QCOMPARE(x.script.last(ModalKind::SaveFile).filter, QStringLiteral("RTF-Datei (*.rtf)"));
        const QByteArray rtf = tkt::readFile(ziel);
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QVERIFY(rtf.contains("\\fs32 K\\'e4sesp\\'e4tzle\\par"));
        QTextDocument doc;
        tk::readRtf(rtf, doc);
        QStringList expected = kBlockKaese;
        expected[3] = QStringLiteral("Brutzels Tellerkiste 3.30");
        QCOMPARE(doc.toPlainText().split(u'\n'), expected);
        QCOMPARE(doc.findBlockByNumber(1).begin().fragment().charFormat().fontPointSize(), 16.0);
        const QTextCharFormat zutaten = doc.findBlockByNumber(7).begin().fragment().charFormat();
        QVERIFY(zutaten.fontWeight() >= QFont::Bold && zutaten.fontUnderline());
        const QTextCharFormat mehl = doc.findBlockByNumber(8).begin().fragment().charFormat();
        QVERIFY(mehl.fontWeight() < QFont::Bold && !mehl.fontUnderline());
        QCOMPARE(mehl.fontPointSize(), 12.0);
    }

    void allRecipes()
    {
        Fixture x;
        const QString ziel = x.out("alle.txt");
        x.script.file(ziel);
        tkt::kind<QAction>(x.f1, "alleAlsTextdatei")->trigger();
        QCOMPARE(x.script.last(ModalKind::SaveFile).filter, QStringLiteral("Textdatei (*.txt)"));
        const QStringList expected { "### Käsespätzle ###", "Koch: Anna, Datum: 12.03.2006", "für 4 Personen",
            "", "Zutaten:", "500 g Mehl", "200 g Käse", "", "Rezept:", "Teig schlagen.",
            "Im Ofen überbacken.", "", "-------------------", "", "", "### Brot ###",
            "Koch: Bert, Datum: 01.01.2007", "1 Laib", "", "Zutaten:", "", "Rezept:", "Backen.", "",
            "-------------------", "", "" };
        QCOMPARE(tkt::readFile(ziel), tkt::crlf(expected));
        QCOMPARE(x.script.unexpected, 0);
    }

    void allRecipesMissingFileWritesNothing()
    {
        Fixture x;
        QVERIFY(QFile::remove(x.c.path("Data/Rezepte/0002.dat")));
        const QString ziel = x.out("alle.txt");
        x.script.file(ziel).answer(tk::Answer::Ok);
        tkt::kind<QAction>(x.f1, "alleAlsTextdatei")->trigger();
        QCOMPARE(x.script.last(ModalKind::ErrorReport).kind, ModalKind::ErrorReport);
        QVERIFY(x.script.last(ModalKind::ErrorReport).text.contains("0002.dat"));
        QVERIFY(!QFile::exists(ziel));
    }

    void rezKonvWindow()
    {
        Fixture x;
        tkt::kind<QAction>(x.f1, "rezKonvExport")->trigger();
        tk::RezKonvExportfenster* rkExport = x.p->forms().rezKonvExportfenster;
        QVERIFY(rkExport->isVisible());
        QCOMPARE(rkExport->windowTitle(), QStringLiteral("RezKonv-Export"));
        const QStringList expected { "=====REZKONV-Rzpt, Brutzels Tellerkiste=====", "", "",
            "Titel: Käsespätzle", "Menge: für 4 Personen", "", "500 g Mehl", "200 g Käse", "",
            "=====Quelle=====", "--Erfasst *RK* 12.03.2006 von", "--Anna", "", "Teig schlagen.",
            "Im Ofen überbacken.", "=====" };
        QCOMPARE(tkt::kind<QPlainTextEdit>(rkExport, "text")->toPlainText(), expected.join(u'\n'));

        // The user edits the text; the buttons take it as it stands.
        tkt::kind<QPlainTextEdit>(rkExport, "text")->appendPlainText(QStringLiteral("Ergänzt"));
        const QString ziel = x.out("rezkonv.txt");
        x.script.file(ziel);
        QTest::mouseClick(tkt::kind<QPushButton>(rkExport, "speichern"), Qt::LeftButton);
        QCOMPARE(tkt::readFile(ziel), tkt::crlf(expected + QStringList { "Ergänzt" }));
        QTest::mouseClick(tkt::kind<QPushButton>(rkExport, "kopieren"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), (expected + QStringList { "Ergänzt" }).join(u'\n'));
        QTest::mouseClick(tkt::kind<QPushButton>(rkExport, "schliessen"), Qt::LeftButton);
        QVERIFY(!rkExport->isVisible());

        // The next export replaces the text.
        x.f1->zeigeRezept(2);
        tkt::kind<QAction>(x.f1, "rezKonvExport")->trigger();
        QVERIFY(rkExport->isVisible());
        QVERIFY(tkt::kind<QPlainTextEdit>(rkExport, "text")
                    ->toPlainText()
                    .contains("Titel: Brot\nMenge: 1 Laib\n\n\n=====Quelle====="));
        QVERIFY(!tkt::kind<QPlainTextEdit>(rkExport, "text")->toPlainText().contains("Ergänzt"));
        QCOMPARE(x.script.unexpected, 0);
    }

    void printNothingWithEmptyCollection()
    {
        tkt::Collection c;
        c.standard({ "0", "||||" });
        tkt::ModalScript script;
        tkt::Program p(c.dir());
        QCOMPARE(p.st.sammlung.rezeptAnzahl(), 0);
        const int vorher = script.seen().size();
        tkt::kind<QAction>(p.forms().hauptfenster, "drucken")->trigger();
        QCOMPARE(script.seen().size(), vorher); // not even the printer dialog
    }

    void printCancelled()
    {
        Fixture x;
        x.script.answer(tk::Answer::Cancel);
        tkt::kind<QAction>(x.f1, "drucken")->trigger();
        QCOMPARE(x.script.seen().size(), 1);
        QCOMPARE(x.script.seen().first().kind, ModalKind::Print);
        QCOMPARE(x.script.unexpected, 0);
    }

    // The layout painted on a PDF printer: a real document, one sheet per layout page.
    void printToPdf_data()
    {
        QTest::addColumn<int>("zeilen");
        QTest::newRow("short") << 3;
        QTest::newRow("long recipe continues") << 150;
    }
    void printToPdf()
    {
        QFETCH(int, zeilen);
        tkt::Collection c;
        const QString pdf = c.path("rezept.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        tk::RezeptAnsicht a;
        a.titel = QStringLiteral("Käsespätzle");
        a.zutaten = QStringList { "500 g Mehl", "200 g Käse" };
        for (int j = 0; j < zeilen; ++j)
            a.zeilen.append(QStringLiteral("Zeile %1").arg(j));
        const QSize bereich = tk::druckbereich(printer);
        QVERIFY(bereich.width() > 8000); // A4 at 1200 dpi
        const QList<tk::DruckText> layout = tk::druckLayout(a, bereich.width(), bereich.height());
        tk::druckeLayout(printer, layout);
        const QByteArray bytes = tkt::readFile(pdf);
        QVERIFY(bytes.startsWith("%PDF"));
        const int seiten = int(bytes.count("/Type /Page\n")) + int(bytes.count("/Type /Page\r"))
            + int(bytes.count("/Type /Page ")) + int(bytes.count("/Type /Page/"));
        QCOMPARE(seiten, layout.last().seite + 1);
        QCOMPARE(layout.last().seite > 0, zeilen > 100);
    }

    // Printout and PDF break the lines at the paper, not where the screen broke them: on any page
    // every line ends before the right margin (and before the photo beside it), nothing of the recipe
    // is lost, and a full page goes on on the next, headed by the title.
    void printFitsThePaper_data()
    {
        QTest::addColumn<QString>("titel");
        QTest::addColumn<QStringList>("zutaten");
        QTest::addColumn<QStringList>("zeilen");
        QTest::addColumn<bool>("foto");
        const auto woerter = [](const QString& wort, int n) {
            QStringList l;
            for (int i = 0; i < n; ++i)
                l.append(wort + QString::number(i));
            return l.join(u' ');
        };
        const QStringList kurz { "250 g Butter", "4 Eier" };
        QTest::newRow("long text line on a narrow page")
            << "Apfelkuchen vom Blech" << kurz << QStringList { woerter("meatballs", 40), "Backen." }
            << false;
        QTest::newRow("word longer than a line")
            << "Brot" << kurz << QStringList { "https://example.org/" + QString(300, u'x') } << false;
        QTest::newRow("long title and ingredient")
            << woerter("Blechkuchen", 14) << QStringList { woerter("Zucker", 30), "Salz" }
            << QStringList { "Gut." } << false;
        QTest::newRow("full pages go on") << "Suppe" << kurz << QStringList(60, woerter("Wort", 12)) << false;
        QTest::newRow("photo beside the ingredients")
            << "Apfelkuchen vom Blech" << QStringList(6, woerter("Mehl", 9))
            << QStringList { woerter("Teig", 30) } << true;
    }
    void printFitsThePaper()
    {
        QFETCH(QString, titel);
        QFETCH(QStringList, zutaten);
        QFETCH(QStringList, zeilen);
        QFETCH(bool, foto);
        tkt::Collection c;
        QString bild;
        if (foto) {
            QImage i(400, 300, QImage::Format_RGB32);
            i.fill(Qt::darkGreen);
            bild = c.path("foto.jpg");
            c.writeBytes("foto.jpg", tk::encodeJpeg(i));
        }
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(c.path("rezept.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A6));
        tk::RezeptAnsicht a { titel, "12.03.2006", "Anna", "für 4 Personen", zutaten, zeilen };
        const tk::Drucksatz satz = tk::rezeptDrucksatz(printer, a, bild);
        const QSize bereich = tk::druckbereich(printer);
        const int u = tk::druckEinheit(bereich.width());
        QCOMPARE(satz.bilder.size(), foto ? 1 : 0);
        const QRect fotoRahmen = foto ? satz.bilder.first().ziel : QRect();
        if (foto) {
            QVERIFY(fotoRahmen.width() <= bereich.width() / 3);
            QCOMPARE(fotoRahmen.right() + 1, bereich.width() - 50 * u);
        }

        QString gedruckt;
        QList<int> kopfSeiten;
        for (const tk::DruckText& t : satz.texte) {
            QFont font(tk::kDruckSchrift);
            font.setPointSize(t.pointSize);
            font.setBold(t.bold);
            const int rechts = t.x + QFontMetrics(font, &printer).horizontalAdvance(t.text);
            QVERIFY2(rechts <= bereich.width() - 50 * u, qPrintable(t.text));
            if (t.seite == 0 && t.y >= fotoRahmen.top() && t.y < fotoRahmen.bottom())
                QVERIFY2(rechts < fotoRahmen.left(), qPrintable(t.text));
            QVERIFY2(t.y + 10 * u <= bereich.height(), qPrintable(t.text));
            if (t.kopfzeile) {
                kopfSeiten.append(t.seite);
                QVERIFY(titel.startsWith(QString(t.text).remove(QStringLiteral(" …"))));
            } else {
                gedruckt += t.text;
            }
        }
        // No line runs into the one above it, however narrow the paper.
        QList<tk::DruckText> zeilen2 = satz.texte;
        std::stable_sort(zeilen2.begin(), zeilen2.end(), [](const tk::DruckText& x, const tk::DruckText& y) {
            return std::pair(x.seite, x.y) < std::pair(y.seite, y.y);
        });
        for (qsizetype i = 1; i < zeilen2.size(); ++i) {
            const tk::DruckText& oben = zeilen2.at(i - 1);
            const tk::DruckText& unten = zeilen2.at(i);
            if (oben.seite != unten.seite)
                continue;
            QFont font(tk::kDruckSchrift);
            font.setPointSize(oben.pointSize);
            font.setBold(oben.bold);
            const QFontMetrics fm(font, &printer);
            if (oben.y == unten.y) // "Zutaten:" and the first ingredient beside it
                QVERIFY2(oben.x + fm.horizontalAdvance(oben.text) < unten.x, qPrintable(unten.text));
            else
                QVERIFY2(unten.y - oben.y >= fm.height(), qPrintable(unten.text));
        }
        const QString alles = QStringList { titel, tk::kProduktDruck,
            "Rezept vom 12.03.2006 gekocht von Anna", "für 4 Personen", "Zutaten:" }
                                  .join(QString())
            + zutaten.join(QString()) + zeilen.join(QString());
        QCOMPARE(gedruckt.remove(u' '), QString(alles).remove(u' '));
        const int seiten = satz.texte.last().seite + 1;
        QCOMPARE(kopfSeiten.size(), seiten - 1);
        for (int s = 1; s < seiten; ++s)
            QCOMPARE(kopfSeiten.at(s - 1), s);

        tk::druckeSatz(printer, satz);
        QVERIFY(printer.printerState() != QPrinter::Error);
        QCOMPARE(tkt::readFile(c.path("rezept.pdf")).contains("/Subtype /Image"), foto);
    }
};

TK_TEST_MAIN(AusgabeMenueTest)
#include "tst_ausgabemenue.moc"
