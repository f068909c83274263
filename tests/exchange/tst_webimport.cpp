#include "TestSupport.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>

#include "editing/gui/Rezepteditor.h"
#include "exchange/gui/WebRezeptfenster.h"
#include "exchange/gui/WebLader.h"
#include "mainwin/gui/Hauptfenster.h"
#include "platform/gui/ImageView.h"
#include "platform/gui/Jpeg.h"
#include "store/AppState.h"

class WebImportTest : public QObject {
    Q_OBJECT
private slots:
    void rezeptLandetImEditor_data();
    void rezeptLandetImEditor();
    void fehlerAendernNichts_data();
    void fehlerAendernNichts();
};

namespace {

// A small web server on the loopback interface: each path has one canned answer.
class Server : public QObject {
public:
    enum class Art { Normal, Stumm, Abgebrochen, Endlos };
    struct Antwort {
        QByteArray status = "200 OK";
        QByteArray kopf; // extra header lines, each ending in CR LF
        QByteArray rumpf;
        Art art = Art::Normal;
    };

    Server()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = m_server.nextPendingConnection()) {
                s->setParent(this);
                connect(s, &QTcpSocket::readyRead, this, [this, s] { lesen(s); });
            }
        });
    }

    QString url(const QByteArray& weg) const
    {
        return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()) + QString::fromLatin1(weg);
    }

    void seite(const QByteArray& weg, const QByteArray& html, const QByteArray& kopf = {})
    {
        wege.insert(weg, { "200 OK", "Content-Type: text/html; charset=utf-8\r\n" + kopf, html });
    }
    void weiter(const QByteArray& weg, const QByteArray& ziel)
    {
        wege.insert(weg, { "302 Found", "Location: " + ziel + "\r\n", {} });
    }

    QHash<QByteArray, Antwort> wege;
    QList<QByteArray> anfragen; // request heads, in order

private:
    // Keep-alive as browsers expect it: several requests on one connection, each answered in turn.
    void lesen(QTcpSocket* s)
    {
        QByteArray puffer = s->property("puffer").toByteArray() + s->readAll();
        for (qsizetype ende; (ende = puffer.indexOf("\r\n\r\n")) >= 0;) {
            const QByteArray kopf = puffer.left(ende);
            puffer.remove(0, ende + 4);
            anfragen.append(kopf);
            const QByteArray weg = kopf.split(' ').value(1);
            const Antwort a = wege.value(weg, { "404 Not Found", {}, "weg" });
            if (a.art == Art::Stumm)
                continue;
            const QByteArray antwort = "HTTP/1.1 " + a.status + "\r\n" + a.kopf;
            if (a.art == Art::Endlos) {
                s->write(antwort + "Connection: close\r\n\r\n" + QByteArray(11 * 1024 * 1024, 'x'));
                s->disconnectFromHost();
                return;
            }
            // A truncated body announces more than it sends.
            const qsizetype laenge = a.art == Art::Abgebrochen ? a.rumpf.size() * 10 : a.rumpf.size();
            s->write(antwort + "Content-Length: " + QByteArray::number(laenge) + "\r\n\r\n" + a.rumpf);
            if (a.art == Art::Abgebrochen) {
                s->disconnectFromHost();
                return;
            }
        }
        s->setProperty("puffer", puffer);
    }

    QTcpServer m_server;
};

QByteArray bildDaten(int w, int h, const char* format)
{
    QImage b(w, h, QImage::Format_RGB32);
    b.fill(Qt::darkGreen);
    QByteArray out;
    QBuffer puffer(&out);
    puffer.open(QIODevice::WriteOnly);
    b.save(&puffer, format);
    return out;
}

QByteArray rezeptSeite(const QByteArray& json, const QByteArray& kopf = {})
{
    return "<html><head>" + kopf + "<script type=\"application/ld+json\">" + json
        + "</script></head><body><p>Werbung</p></body></html>";
}

const QByteArray kSuppe
    = "{\"@context\":\"https://schema.org\",\"@type\":\"Recipe\",\"name\":\"Gemüsesuppe mit "
      "Graupen\",\"author\":{\"@type\":\"Person\",\"name\":\"Clara Koch\"},"
      "\"datePublished\":\"2024-03-09\",\"recipeYield\":\"6 Portionen\","
      "\"recipeIngredient\":[\"1 Stange Lauch\",\"100 g Graupen\"],"
      "\"recipeInstructions\":[{\"@type\":\"HowToStep\",\"text\":\"Gemüse putzen.\"},"
      "{\"@type\":\"HowToStep\",\"text\":\"Graupen zugeben.\"}],"
      "\"recipeCategory\":\"Suppe\",\"keywords\":\"Gemüse, Winter\",\"image\":\"";

QStringList angehakt(QWidget* editor)
{
    QStringList out;
    auto* liste = tkt::kind<QListWidget>(editor, "kategorien");
    for (int i = 0; liste && i < liste->count(); ++i)
        if (liste->item(i)->checkState() == Qt::Checked)
            out.append(liste->item(i)->text());
    return out;
}

void lasseFallen(QWidget* ziel, const QUrl& url)
{
    QMimeData daten;
    daten.setUrls({ url });
    QDragEnterEvent rein(QPoint(10, 10), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ziel, &rein);
    QVERIFY(rein.isAccepted());
    QDropEvent fallen(QPointF(10, 10), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ziel, &fallen);
}

}

void WebImportTest::rezeptLandetImEditor_data()
{
    QTest::addColumn<QString>("start"); // how the user begins: menu, datei, drop (ohne: a page without data)
    QTest::addColumn<int>("wahl"); // the recipe chosen from the list; -1 when there is one
    QTest::addColumn<QStringList>("felder"); // title, author, date ("" = today), quantity
    QTest::addColumn<QStringList>("zutaten");
    QTest::addColumn<QStringList>("text");
    QTest::addColumn<QStringList>("kategorien");
    QTest::addColumn<QString>("liste"); // category list of the index entry
    QTest::addColumn<bool>("bild");
    QTest::addColumn<QString>("quelle"); // %1: the server
    QTest::addColumn<QString>("hinweis");

    const QStringList suppe { "Gemüsesuppe mit Graupen", "Clara Koch", "09.03.2024", "6 Portionen" };
    const QStringList zutaten { "1 Stange Lauch", "100 g Graupen" };
    const QStringList text { "Gemüse putzen.", "", "Graupen zugeben." };
    QTest::newRow("address from the clipboard, five redirects, WebP picture")
        << "menu" << -1 << suppe << zutaten << text << QStringList { "Gemüse", "Suppen" } << "02,07," << true
        << "Quelle: %1/rezept"
        << "";
    QTest::newRow("saved page with its picture beside it")
        << "datei" << -1 << suppe << zutaten << text << QStringList { "Gemüse", "Suppen" } << "02,07," << true
        << "Quelle: https://koch.example/graupensuppe"
        << "";
    QTest::newRow("dropped address, two recipes, the picture refused")
        << "drop" << 1 << QStringList { "Zweites", "", "", "für 4 Personen" } << QStringList { "Tomaten" }
        << QStringList {} << QStringList { "Grillen" } << "15," << false << "Quelle: %1/zwei"
        << "Das Bild konnte nicht geladen werden: Der Server meldet den Fehler 403 (Forbidden). Das Rezept "
           "wird ohne Bild übernommen.";
    QTest::newRow("page without recipe data, its picture's server silent")
        << "ohne" << -1 << QStringList { "Fenchel-Möhren-Gemüse", "", "", "2 Personen" }
        << QStringList { "1 Fenchel", "3 Möhren" } << QStringList { "Gemüse putzen.", "", "Dünsten." }
        << QStringList { "Gemüse" } << "02," << false << "Quelle: %1/ohne"
        << "Die Seite enthält keine Rezeptdaten; Titel, Zutaten und Zubereitung wurden aus dem Text der "
           "Seite "
           "gelesen. Bitte prüfen.\nDas Bild konnte nicht geladen werden: Der Server hat nicht innerhalb von "
           "2 Sekunden geantwortet. Das Rezept wird ohne Bild übernommen.";
}

void WebImportTest::rezeptLandetImEditor()
{
    QFETCH(QString, start);
    QFETCH(int, wahl);
    QFETCH(QStringList, felder);
    QFETCH(QStringList, zutaten);
    QFETCH(QStringList, text);
    QFETCH(QStringList, kategorien);
    QFETCH(QString, liste);
    QFETCH(bool, bild);
    QFETCH(QString, quelle);
    QFETCH(QString, hinweis);

    Server server;
    server.seite("/rezept", rezeptSeite(kSuppe + "/bild.webp\"}"), "Set-Cookie: sitzung=geheim; Path=/\r\n");
    server.wege.insert("/bild.webp", { "200 OK", "Content-Type: image/webp\r\n", bildDaten(40, 30, "WEBP") });
    for (int i = 1; i <= 5; ++i)
        server.weiter("/weiter/" + QByteArray::number(i),
            i < 5 ? "/weiter/" + QByteArray::number(i + 1) : server.url("/rezept").toLatin1());
    server.seite("/zwei",
        rezeptSeite("[{\"@type\":\"Recipe\",\"name\":\"Erstes\",\"recipeIngredient\":[\"Mehl\"]},"
                    "{\"@type\":\"Recipe\",\"name\":\"Zweites\",\"recipeIngredient\":[\"Tomaten\"],"
                    "\"keywords\":\"grillen\",\"image\":\"/gesperrt.jpg\"}]"));
    server.wege.insert("/gesperrt.jpg", { "403 Forbidden", {}, "nein" });
    server.seite("/ohne",
        "<html><head><title>Fenchel-Möhren-Gemüse | Kochseite</title><meta property=\"og:image\" "
        "content=\"/still.jpg\"></head><body><nav><ul><li>Start</li><li>Rezepte</li></ul></nav>"
        "<h1>Fenchel-Möhren-Gemüse</h1><p>Leicht und schnell.</p><h2>Zutaten für 2 Personen</h2><ul><li>1 "
        "Fenchel</li><li>3 Möhren</li></ul><h2>Zubereitung</h2><p>Gemüse putzen.</p><p>Dünsten.</p>"
        "<h2>Kommentare</h2><p>Lecker!</p></body></html>");
    server.wege.insert("/still.jpg", { "200 OK", {}, {}, Server::Art::Stumm });
    // Without a connection a picture is given up after a short time, not after the page's time limit.
    tk::WebLader::setAntwortlimit(2000);

    tkt::Collection c;
    c.standard({ "0", "Alt|A|01,|d|m|" }, { "1Grillen" });
    c.recipe(0, {}, { "alt" });
    const QString seite = c.path("Gespeichert/Graupensuppe.html");
    c.writeBytes("Gespeichert/Graupensuppe.html",
        rezeptSeite(kSuppe + "Graupensuppe-Dateien/bild.png\"}",
            "<link rel=\"canonical\" href=\"https://koch.example/graupensuppe\">"));
    c.writeBytes("Gespeichert/Graupensuppe-Dateien/bild.png", bildDaten(40, 30, "PNG"));

    tkt::ModalScript script;
    tkt::Program p(c.dir());
    tk::Hauptfenster* f1 = p.forms().hauptfenster;
    QWidget* editor = p.forms().rezepteditor;
    QVERIFY(!editor->isVisible());

    if (wahl >= 0)
        script.drive([wahl](QWidget* d) {
            auto* rezepte = tkt::kind<QListWidget>(d, "rezepte");
            if (rezepte && rezepte->count() == 2)
                rezepte->setCurrentRow(wahl);
            QTest::mouseClick(tkt::kind<QPushButton>(d, "ok"), Qt::LeftButton);
        });
    if (!hinweis.isEmpty())
        script.answer(tk::Answer::Ok);

    tk::WebRezeptfenster* w = nullptr;
    if (start == "menu") {
        QApplication::clipboard()->setText(server.url("/weiter/1"));
        tkt::kind<QAction>(f1, "ausDemInternet")->trigger();
        w = f1->findChild<tk::WebRezeptfenster*>();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Rezept aus dem Internet"));
        QCOMPARE(tkt::kind<QLineEdit>(w, "adresse")->text(), server.url("/weiter/1"));
        QTest::mouseClick(tkt::kind<QPushButton>(w, "laden"), Qt::LeftButton);
    } else if (start == "datei") {
        tkt::kind<QAction>(f1, "ausDemInternet")->trigger();
        w = f1->findChild<tk::WebRezeptfenster*>();
        script.file(seite);
        QTest::mouseClick(tkt::kind<QPushButton>(w, "dateiOeffnen"), Qt::LeftButton);
    } else {
        lasseFallen(f1, QUrl(server.url(start == "drop" ? "/zwei" : "/ohne")));
        w = f1->findChild<tk::WebRezeptfenster*>();
    }
    QVERIFY(w);
    QTRY_VERIFY(editor->isVisible());
    tk::WebLader::setAntwortlimit(5000);
    QCOMPARE(script.unexpected, 0);
    QCOMPARE(script.pending(), 0);
    QVERIFY(!w->isVisible());
    if (!hinweis.isEmpty())
        QCOMPARE(script.last(tk::ModalKind::PlainMessage).text, hinweis);

    const QString heute = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    QCOMPARE(editor->windowTitle(), QStringLiteral("Neues Rezept erstellen"));
    QCOMPARE(tkt::kind<QLineEdit>(editor, "titel")->text(), felder[0]);
    QCOMPARE(tkt::kind<QLineEdit>(editor, "autor")->text(), felder[1]);
    QCOMPARE(tkt::kind<QLineEdit>(editor, "datum")->text(), felder[2].isEmpty() ? heute : felder[2]);
    QCOMPARE(tkt::kind<QLineEdit>(editor, "menge")->text(), felder[3]);
    QCOMPARE(tkt::kind<QPlainTextEdit>(editor, "zutaten")->toPlainText(), zutaten.join(u'\n'));
    QCOMPARE(tkt::kind<QPlainTextEdit>(editor, "rezepttext")->toPlainText(), text.join(u'\n'));
    QCOMPARE(angehakt(editor), kategorien);
    QCOMPARE(tkt::kind<tk::ImageView>(editor, "bild")->hasImage(), bild);

    // The server saw a browser-like request and never got its cookie back.
    for (const QByteArray& a : std::as_const(server.anfragen)) {
        QVERIFY2(a.contains("\r\nAccept-Language: de\r\n") && a.contains("User-Agent: Mozilla/5.0"), a);
        QVERIFY2(!a.contains("Cookie:"), a);
    }

    // Saving as always adds the recipe, its source in the comment and the picture as JPEG.
    QTest::mouseClick(tkt::kind<QPushButton>(editor, "speichern"), Qt::LeftButton);
    QTRY_VERIFY(!editor->isVisible());
    const QString datum = felder[2].isEmpty() ? heute : felder[2];
    QCOMPARE(c.lines("Data/Rezepte/index.dat"),
        QStringList({ "1", "Alt|A|01,|d|m|",
            felder[0] + u'|' + felder[1] + u'|' + liste + u'|' + datum + u'|' + felder[3] + u'|' }));
    const QStringList datei = QStringList { QString::number(zutaten.size()) } + zutaten + text
        + QStringList { "###KOMMENTAR###", quelle.arg(server.url({})) };
    QCOMPARE(c.lines("Data/Rezepte/0001.dat"), datei);
    QCOMPARE(c.exists("Data/Rezepte/0001.jpg"), bild);
    if (bild)
        QVERIFY(tk::looksLikeJpeg(c.bytes("Data/Rezepte/0001.jpg")));
    QCOMPARE(p.st.rezepte[1].titel, felder[0]);
}

void WebImportTest::fehlerAendernNichts_data()
{
    QTest::addColumn<QString>("eingabe"); // a path on the server, or what the user typed
    QTest::addColumn<int>("zeitlimit");
    QTest::addColumn<bool>("abbrechen");
    QTest::addColumn<QString>("meldung");

    const QString vorn = QStringLiteral("Die Seite konnte nicht geladen werden: ");
    QTest::newRow("403 and the way round it") << "/verboten" << 0 << false
                                              << vorn
            + "Der Server meldet den Fehler 403 (Forbidden).\nDie Seite lässt sich nicht automatisch laden. "
              "Speichern Sie sie im Browser (Strg+S) und öffnen Sie die Datei mit „Datei öffnen...“.";
    QTest::newRow("404") << "/fehlt" << 0 << false << vorn + "Der Server meldet den Fehler 404 (Not Found).";
    QTest::newRow("slow server") << "/langsam" << 300 << false
                                 << vorn + "Das Laden hat länger als eine Sekunde gedauert.";
    QTest::newRow("truncated body") << "/abgeschnitten" << 0 << false
                                    << vorn
            + "Die Verbindung wurde unterbrochen, bevor alles angekommen war.";
    QTest::newRow("page that never ends")
        << "/endlos" << 0 << false << "Die Seite ist größer als 10 MB und wird nicht gelesen.";
    QTest::newRow("redirect loop") << "/kreis" << 0 << false
                                   << vorn + "Der Server leitet mehr als 5-mal weiter.";
    QTest::newRow("redirect to a file")
        << "/zudatei" << 0 << false
        << vorn + "Der Server leitet auf eine Adresse weiter, die nicht mit http:// oder https:// beginnt.";
    QTest::newRow("no recipe") << "/leer" << 0 << false << "Auf dieser Seite wurde kein Rezept gefunden.";
    QTest::newRow("no web address")
        << "ftp://koch.example/x" << 0 << false
        << "„ftp://koch.example/x“ ist keine Internetadresse. Adressen beginnen mit http:// oder https://.";
    QTest::newRow("nobody listening")
        << "geschlossen" << 0 << false << vorn + "Der Server „127.0.0.1“ nimmt keine Verbindung an.";
    QTest::newRow("cancelled by the user") << "/langsam" << 0 << true << "Das Laden wurde abgebrochen.";
}

void WebImportTest::fehlerAendernNichts()
{
    QFETCH(QString, eingabe);
    QFETCH(int, zeitlimit);
    QFETCH(bool, abbrechen);
    QFETCH(QString, meldung);

    Server server;
    server.wege.insert("/verboten", { "403 Forbidden", "Content-Type: text/html\r\n", "<p>Bot?</p>" });
    server.wege.insert("/langsam", { "200 OK", {}, {}, Server::Art::Stumm });
    server.wege.insert("/abgeschnitten",
        { "200 OK", "Content-Type: text/html\r\n", rezeptSeite(kSuppe + "/bild.png\"}"),
            Server::Art::Abgebrochen });
    server.wege.insert("/endlos", { "200 OK", "Content-Type: text/html\r\n", {}, Server::Art::Endlos });
    server.weiter("/kreis", "/kreis");
    server.weiter("/zudatei", "file:///etc/passwd");
    server.seite("/leer", "<html><body><h1>Rezepte</h1><p>Bald mehr.</p></body></html>");
    QString adresse = eingabe.startsWith(u'/') ? server.url(eingabe.toLatin1()) : eingabe;
    if (eingabe == "geschlossen") {
        QTcpServer weg;
        weg.listen(QHostAddress::LocalHost);
        adresse = QStringLiteral("http://127.0.0.1:%1/").arg(weg.serverPort());
    }

    tkt::Collection c;
    c.standard({ "0", "Alt|A|01,|d|m|" });
    c.recipe(0, {}, { "alt" });
    const QByteArray vorher = c.bytes("Data/Rezepte/index.dat");
    const QStringList dateien = QDir(c.path("Data/Rezepte")).entryList(QDir::Files);

    tkt::ModalScript script;
    tkt::Program p(c.dir());
    tk::Hauptfenster* f1 = p.forms().hauptfenster;
    if (zeitlimit)
        tk::WebLader::setZeitlimit(zeitlimit);
    tkt::kind<QAction>(f1, "ausDemInternet")->trigger();
    auto* w = f1->findChild<tk::WebRezeptfenster*>();
    QVERIFY(w);
    tkt::kind<QLineEdit>(w, "adresse")->setText(adresse);
    QTest::mouseClick(tkt::kind<QPushButton>(w, "laden"), Qt::LeftButton);
    if (abbrechen) {
        QTRY_COMPARE(server.anfragen.size(), 1);
        QVERIFY(w->laedt());
        QVERIFY(!tkt::kind<QPushButton>(w, "laden")->isEnabled());
        QTest::mouseClick(tkt::kind<QPushButton>(w, "abbrechen"), Qt::LeftButton);
    }
    QTRY_COMPARE(tkt::kind<QLabel>(w, "status")->text(), meldung);
    tk::WebLader::setZeitlimit(20000);

    QVERIFY(!w->laedt());
    QVERIFY(w->isVisible());
    QVERIFY(tkt::kind<QPushButton>(w, "laden")->isEnabled());
    QVERIFY(!p.forms().rezepteditor->isVisible());
    QCOMPARE(script.unexpected, 0);
    QCOMPARE(c.bytes("Data/Rezepte/index.dat"), vorher);
    QCOMPARE(QDir(c.path("Data/Rezepte")).entryList(QDir::Files), dateien);

    // "Abbrechen" with nothing loading closes the window.
    QTest::mouseClick(tkt::kind<QPushButton>(w, "abbrechen"), Qt::LeftButton);
    QVERIFY(!w->isVisible());
}

TK_TEST_MAIN(WebImportTest)
#include "tst_webimport.moc"
