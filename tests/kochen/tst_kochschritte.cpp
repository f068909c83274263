#include <QtTest>

#include "kochen/Kochschritte.h"

// Cook mode's reading of a recipe text: the steps and the times written in them.
class KochschritteTest : public QObject {
    Q_OBJECT

private slots:
    // Each duration as "text as written=seconds" or "…=from-to".
    void dauern_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("erwartet");
        auto row = [](const char* name, const char* t, QStringList e) {
            QTest::newRow(name) << QString::fromUtf8(t) << e;
        };
        row("minutes in a sentence", "Den Teig 20 Minuten ruhen lassen.", { "20 Minuten=1200" });
        row("Min. with its dot", "20 Min. backen", { "20 Min.=1200" });
        row("glued lower case", "30min garen", { "30min=1800" });
        row("one minute", "noch 1 Minute köcheln", { "1 Minute=60" });
        row("Std.", "1 Std. gehen lassen", { "1 Std.=3600" });
        row("h", "2 h marinieren", { "2 h=7200" });
        row("mixed number with blank", "1 ½ Stunden schmoren", { "1 ½ Stunden=5400" });
        row("mixed number glued", "etwa 1½ Stunden schmoren", { "1½ Stunden=5400" });
        row("slash fraction", "1 1/2 Std. kochen", { "1 1/2 Std.=5400" });
        row("decimal comma", "1,5 Stunden", { "1,5 Stunden=5400" });
        row("half an hour", "½ Stunde ziehen lassen", { "½ Stunde=1800" });
        row("number word", "eine Stunde kühlen", { "eine Stunde=3600" });
        row("half in words", "nach einer halben Stunde wenden", { "einer halben Stunde=1800" });
        row("ten in words", "zehn Minuten quellen lassen", { "zehn Minuten=600" });
        row("quarter hour", "eine Viertelstunde ruhen", { "Viertelstunde=900" });
        row("range, lower end runs", "10-15 Minuten backen", { "10-15 Minuten=600-900" });
        row("range with dash and blanks", "10 – 15 Min. backen", { "10 – 15 Min.=600-900" });
        row("range in words", "zwei bis drei Stunden", { "zwei bis drei Stunden=7200-10800" });
        row("seconds", "45 Sekunden pürieren, 30 Sek. ruhen", { "45 Sekunden=45", "30 Sek.=30" });
        row("hours and minutes are one time", "1 Std. 30 Min. backen", { "1 Std. 30 Min.=5400" });
        row("joined by und", "1 Stunde und 20 Minuten", { "1 Stunde und 20 Minuten=4800" });
        row("two times apart", "5 Min. anbraten, dann 20 Minuten köcheln",
            { "5 Min.=300", "20 Minuten=1200" });
        row("whole number, not its tail", "120 Minuten", { "120 Minuten=7200" });
        row("overnight is no timer", "über Nacht im Kühlschrank ziehen lassen", {});
        row("no number, no timer", "einige Minuten rühren, ein paar Minuten ruhen", {});
        row("word inside a word", "keine Minute länger", {});
        row("not a unit", "2 Hähnchenbrüste bei 180 Grad, 2 Handvoll Minze", {});
        row("Minze is no Min", "20 Minze", {});
        row("zero", "0 Minuten", {});
    }
    void dauern()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, erwartet);
        QStringList gefunden;
        for (const tk::Dauer& d : tk::findeDauern(text)) {
            QString e = text.mid(d.anfang, d.laenge) + u'=' + QString::number(d.sekunden);
            if (d.bisSekunden != d.sekunden)
                e += u'-' + QString::number(d.bisSekunden);
            gefunden.append(e);
        }
        QCOMPARE(gefunden, erwartet);
    }

    // Steps as "heading|text", lines of a step joined by "/".
    void schritte_data()
    {
        QTest::addColumn<QStringList>("zeilen");
        QTest::addColumn<QStringList>("erwartet");
        QTest::newRow("paragraphs at blank lines") << QStringList { "Mehl und Eier verrühren.", "Salz dazu.",
            "", "Ruhen lassen." } << QStringList { "|Mehl und Eier verrühren./Salz dazu.", "|Ruhen lassen." };
        QTest::newRow("no blank line: one step per line") << QStringList { "Mehl sieben.", "Eier trennen.",
            "Backen." } << QStringList { "|Mehl sieben.", "|Eier trennen.", "|Backen." };
        QTest::newRow("heading belongs to the step after it")
            << QStringList { "Teig kneten.", "=== Backen ===", "Bei 180 Grad backen." }
            << QStringList { "|Teig kneten.", "Backen|Bei 180 Grad backen." };
        QTest::newRow("heading across a blank line")
            << QStringList { "Teig kneten.", "", "== Backen ==", "", "Backen.", "Auskühlen lassen." }
            << QStringList { "|Teig kneten.", "Backen|Backen./Auskühlen lassen." };
        QTest::newRow("heading inside a paragraph starts a step")
            << QStringList { "Teig kneten.", "=== Füllung ===", "Quark rühren.", "", "Füllen." }
            << QStringList { "|Teig kneten.", "Füllung|Quark rühren.", "|Füllen." };
        QTest::newRow("heading without a step after it is kept")
            << QStringList { "=== Teig ===", "=== Füllung ===", "Quark rühren.", "=== Servieren ===" }
            << QStringList { "Teig|", "Füllung|Quark rühren.", "Servieren|" };
        QTest::newRow("blank lines around and doubled; blanks count as blank") << QStringList { "", "  ",
            "Eins.", "", " \t", "", "Zwei.  ", "" } << QStringList { "|Eins.", "|Zwei." };
        QTest::newRow("a ruler is a break, not a heading")
            << QStringList { "Eins.", "====", "Zwei." } << QStringList { "|Eins.", "|Zwei." };
        QTest::newRow("empty text, no steps") << QStringList { "", " " } << QStringList {};
    }
    void schritte()
    {
        QFETCH(QStringList, zeilen);
        QFETCH(QStringList, erwartet);
        QStringList gefunden;
        for (const tk::Kochschritt& s : tk::teileSchritte(zeilen))
            gefunden.append(s.ueberschrift + u'|' + QString(s.text).replace(u'\n', u'/'));
        QCOMPARE(gefunden, erwartet);
    }
};

QTEST_GUILESS_MAIN(KochschritteTest)
#include "tst_kochschritte.moc"
