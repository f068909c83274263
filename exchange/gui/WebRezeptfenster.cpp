#include "exchange/gui/WebRezeptfenster.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "exchange/Kategoriezuordnung.h"
#include "exchange/gui/WebLader.h"
#include "platform/Error.h"
#include "platform/TextLines.h"
#include "platform/gui/Jpeg.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"
#include "store/AppState.h"

namespace tk {

namespace {
    const QString kCaption = QStringLiteral("Rezept aus dem Internet");
    const QString kBereit = QStringLiteral(
        "Geben Sie die Adresse einer Rezeptseite ein, oder öffnen Sie eine im Browser gespeicherte Seite.");
    constexpr int kBildVersuche = 3; // picture addresses tried before the recipe comes without one

    bool htmlDatei(const QString& pfad)
    {
        return pfad.endsWith(QLatin1String(".html"), Qt::CaseInsensitive)
            || pfad.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive);
    }

    // What the user should check in the editor. The notes run to several sentences, more than the
    // fixed message window shows, so a box that grows with its text says them.
    void zeigeHinweise(QWidget* parent, const QString& text)
    {
        ModalRequest req { ModalKind::PlainMessage, kCaption, text };
        Modal::run(req, [&] {
            QMessageBox box(QMessageBox::Information, kCaption, text, QMessageBox::Ok, parent);
            box.setTextFormat(Qt::PlainText);
            box.exec();
            return ModalReply {};
        });
    }
}

WebRezeptfenster::WebRezeptfenster(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , st(state)
    , m_lader(new WebLader(this))
{
    setObjectName(QStringLiteral("webRezeptfenster"));
    setWindowTitle(kCaption);

    m_adresse = new QLineEdit(this);
    m_adresse->setObjectName(QStringLiteral("adresse"));
    m_adresse->setAccessibleName(QStringLiteral("Adresse"));
    m_adresse->setPlaceholderText(QStringLiteral("https://"));
    m_adresse->setClearButtonEnabled(true);
    m_adresseLabel = new QLabel(QStringLiteral("&Adresse:"), this);
    m_adresseLabel->setBuddy(m_adresse);

    m_laden = new QPushButton(QStringLiteral("Laden"), this);
    m_laden->setObjectName(QStringLiteral("laden"));
    m_dateiOeffnen = new QPushButton(QStringLiteral("Datei öffnen..."), this);
    m_dateiOeffnen->setObjectName(QStringLiteral("dateiOeffnen"));
    m_abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_abbrechen->setObjectName(QStringLiteral("abbrechen"));
    // Return presses the button that has the focus, "Laden" when none has.
    m_laden->setDefault(true);

    m_status = new QLabel(kBereit, this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status->setMinimumHeight(m_status->fontMetrics().lineSpacing() * 4);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_fortschritt = new QProgressBar(this);
    m_fortschritt->setObjectName(QStringLiteral("fortschritt"));
    m_fortschritt->setAccessibleName(QStringLiteral("Wird geladen"));
    m_fortschritt->setRange(0, 0); // busy: how long it takes is not known
    m_fortschritt->setTextVisible(false);
    m_fortschritt->setVisible(false);

    auto* gitter = new QGridLayout(this);
    gitter->addWidget(m_adresseLabel, 0, 0);
    gitter->addWidget(m_adresse, 0, 1);
    gitter->addWidget(m_laden, 0, 2);
    gitter->addWidget(m_dateiOeffnen, 1, 2);
    gitter->addWidget(m_status, 1, 0, 2, 2);
    gitter->addWidget(m_fortschritt, 3, 0, 1, 2);
    gitter->addWidget(m_abbrechen, 3, 2);
    gitter->setColumnStretch(1, 1);
    gitter->setRowStretch(2, 1);
    setTabOrder(m_adresse, m_laden);
    setTabOrder(m_laden, m_dateiOeffnen);
    setTabOrder(m_dateiOeffnen, m_abbrechen);

    connect(m_laden, &QPushButton::clicked, this, [this] { guarded(this, [&] { laden(); }); });
    connect(m_dateiOeffnen, &QPushButton::clicked, this, [this] { guarded(this, [&] { dateiOeffnen(); }); });
    connect(m_abbrechen, &QPushButton::clicked, this, [this] { abbrechen(); });
    connect(m_lader, &WebLader::fertig, this,
        [this](const QByteArray& daten, const QString& typ, const QUrl& url) {
            guarded(this, [&] {
                if (m_bildIndex < 0)
                    seiteDa(daten, typ, url, url.toString(QUrl::FullyEncoded));
                else
                    bildDa(daten, url.fileName());
            });
        });
    connect(m_lader, &WebLader::fehlgeschlagen, this, [this](const QString& meldung) {
        guarded(this, [&] {
            if (m_bildIndex < 0) {
                fehler(meldung);
                return;
            }
            // Without its picture the recipe still comes through.
            m_bildFehler = meldung;
            ++m_bildIndex;
            naechstesBild();
        });
    });
    resize(560, 190);
}

bool WebRezeptfenster::laedt() const { return m_lader->laeuft(); }

void WebRezeptfenster::beschaeftigt(const QString& status)
{
    m_status->setText(status);
    m_fortschritt->setVisible(true);
    for (QWidget* w : { static_cast<QWidget*>(m_adresse), static_cast<QWidget*>(m_laden),
             static_cast<QWidget*>(m_dateiOeffnen) })
        w->setEnabled(false);
}

void WebRezeptfenster::bereit(const QString& status)
{
    m_fortschritt->setVisible(false);
    for (QWidget* w : { static_cast<QWidget*>(m_adresse), static_cast<QWidget*>(m_laden),
             static_cast<QWidget*>(m_dateiOeffnen) })
        w->setEnabled(true);
    m_status->setText(status);
}

// A failure leaves the window open with the reason in the status line, so the user can correct the
// address or turn to a saved page; nothing has been written.
void WebRezeptfenster::fehler(const QString& text)
{
    m_lader->abbrechen();
    QString s = text;
    s.replace(u'\r', u'\n');
    bereit(s);
    if (isVisible())
        m_adresse->setFocus();
}

void WebRezeptfenster::oeffnen()
{
    if (!laedt()) {
        const QString ablage = QApplication::clipboard()->text().trimmed();
        if (ablage.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
            || ablage.startsWith(QLatin1String("https://"), Qt::CaseInsensitive)
            || ablage.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
            const QUrl url = webAdresse(ablage);
            if (url.isValid())
                m_adresse->setText(url.toString());
        }
        bereit(kBereit);
    }
    if (!isVisible())
        centreOn(this, parentWidget());
    show();
    raise();
    activateWindow();
    m_adresse->setFocus();
    m_adresse->selectAll();
}

void WebRezeptfenster::starte(const QString& adresseOderDatei)
{
    m_lader->abbrechen();
    if (!isVisible())
        centreOn(this, parentWidget());
    show();
    raise();
    activateWindow();
    const QUrl url(adresseOderDatei);
    if (url.isLocalFile()) {
        ladeDatei(url.toLocalFile());
        return;
    }
    if (!adresseOderDatei.contains(QLatin1String("://")) && QFileInfo(adresseOderDatei).isFile()) {
        ladeDatei(adresseOderDatei);
        return;
    }
    m_adresse->setText(adresseOderDatei.trimmed());
    laden();
}

void WebRezeptfenster::laden()
{
    const QString text = m_adresse->text().trimmed();
    // A saved page's path typed or pasted into the field is opened like "Datei öffnen...".
    if (text.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)
        || (text.startsWith(u'/') && htmlDatei(text))) {
        ladeDatei(text.startsWith(u'/') ? text : QUrl(text).toLocalFile());
        return;
    }
    const QUrl url = webAdresse(text);
    if (!url.isValid()) {
        fehler(text.isEmpty()
                ? QStringLiteral("Bitte geben Sie die Adresse der Rezeptseite ein.")
                : QStringLiteral(
                    "„%1“ ist keine Internetadresse. Adressen beginnen mit http:// oder https://.")
                      .arg(text.left(200)));
        return;
    }
    m_adresse->setText(url.toString());
    ladeSeite(url);
}

void WebRezeptfenster::ladeSeite(const QUrl& url)
{
    m_bildIndex = -1;
    beschaeftigt(QStringLiteral("Die Seite %1 wird geladen...").arg(url.host()));
    m_lader->lade(url, WebLader::Art::Seite);
}

void WebRezeptfenster::dateiOeffnen()
{
    const QString datei = openFileName(
        this, QStringLiteral("Datei öffnen"), QStringLiteral("HTML-Seiten (*.html *.htm);;Alle Dateien (*)"));
    if (!datei.isEmpty())
        ladeDatei(datei);
}

void WebRezeptfenster::ladeDatei(const QString& pfad)
{
    m_lader->abbrechen();
    m_bildIndex = -1;
    const QFileInfo info(pfad);
    if (!info.isFile()) {
        fehler(cannotOpenMessage(pfad));
        return;
    }
    if (info.size() > kMaxWebseite) {
        fehler(QStringLiteral("Die Datei „%1“ ist größer als 10 MB und wird nicht gelesen.")
                   .arg(info.fileName()));
        return;
    }
    QByteArray html;
    try {
        html = loadBytes(info.absoluteFilePath());
    } catch (const Error& e) {
        fehler(e.message());
        return;
    }
    seiteDa(html, {}, QUrl::fromLocalFile(info.absoluteFilePath()), info.absoluteFilePath());
}

void WebRezeptfenster::abbrechen()
{
    if (laedt()) {
        m_lader->abbrechen();
        bereit(QStringLiteral("Das Laden wurde abgebrochen."));
        return;
    }
    hide();
}

void WebRezeptfenster::reject() { abbrechen(); }

void WebRezeptfenster::hideEvent(QHideEvent* e)
{
    if (laedt()) {
        m_lader->abbrechen();
        bereit(kBereit);
    }
    QDialog::hideEvent(e);
}

void WebRezeptfenster::seiteDa(
    const QByteArray& html, const QString& contentType, const QUrl& basis, const QString& quelle)
{
    const WebErgebnis e = leseWebseite(html, contentType, basis);
    if (e.rezepte.isEmpty()) {
        fehler(QStringLiteral("Auf dieser Seite wurde kein Rezept gefunden."));
        return;
    }
    int wahl = 0;
    if (e.rezepte.size() > 1) {
        bereit(QStringLiteral("Auf der Seite stehen %1 Rezepte.").arg(e.rezepte.size()));
        wahl = waehleRezept(this, e.rezepte);
        if (wahl < 0 || wahl >= e.rezepte.size()) {
            bereit(QStringLiteral("Es wurde kein Rezept übernommen."));
            return;
        }
    }
    m_rezept = e.rezepte.at(wahl);
    m_hinweise = e.hinweise;
    // What was read from the page's text, not its recipe data, the user is asked to check first.
    if (!m_rezept.hinweis.isEmpty())
        m_hinweise.prepend(m_rezept.hinweis);
    // A saved page names its web address where it can; the file's path is the source otherwise.
    m_quelle = basis.isLocalFile() && e.adresse.isValid() ? e.adresse.toString(QUrl::FullyEncoded) : quelle;
    m_seite = basis.isLocalFile() ? e.adresse : basis;
    m_bildIndex = 0;
    m_bildDatei.clear();
    m_bildFehler.clear();
    naechstesBild();
}

void WebRezeptfenster::naechstesBild()
{
    while (m_bildIndex >= 0 && m_bildIndex < std::min<qsizetype>(kBildVersuche, m_rezept.bilder.size())) {
        const QUrl url = m_rezept.bilder.at(m_bildIndex);
        if (!url.isLocalFile()) {
            beschaeftigt(QStringLiteral("Das Bild wird geladen..."));
            m_lader->lade(url, WebLader::Art::Bild, m_seite);
            return;
        }
        const QFileInfo info(url.toLocalFile());
        if (info.isFile() && info.size() <= kMaxWebbild) {
            try {
                bildDa(loadBytes(info.absoluteFilePath()), info.fileName());
                return;
            } catch (const Error& e) {
                m_bildFehler = e.message();
            }
        } else if (info.isFile()) {
            m_bildFehler = QStringLiteral("Das Bild ist größer als 20 MB und wird nicht übernommen.");
        }
        ++m_bildIndex;
    }
    uebergeben();
}

// Pictures reach the editor as JPEG, converted as the editor converts any other picture.
void WebRezeptfenster::bildDa(const QByteArray& daten, const QString& name)
{
    try {
        const QImage bild = decodePicture(daten, name.isEmpty() ? QStringLiteral("Bild") : name);
        if (bild.height() <= 1)
            throw Error(QStringLiteral("Das Bild ist nicht höher als 1 Pixel."));
        if (!m_bilder.isValid())
            throw Error(QStringLiteral("Für das Bild gibt es keinen Platz im temporären Ordner."));
        const QString datei = m_bilder.filePath(QStringLiteral("bild%1.jpg").arg(++m_bildZaehler));
        saveBytes(datei, looksLikeJpeg(daten) ? daten : encodeJpeg(bild));
        m_bildDatei = datei;
    } catch (const std::exception& e) {
        m_bildFehler = QStringLiteral("Das Bild wurde nicht übernommen: ") + messageOf(e);
        ++m_bildIndex;
        naechstesBild();
        return;
    }
    uebergeben();
}

void WebRezeptfenster::uebergeben()
{
    m_bildIndex = -1;
    RezeptVorgabe v;
    v.titel = m_rezept.titel;
    v.autor = m_rezept.autor;
    v.datum = m_rezept.datum;
    v.menge = m_rezept.menge;
    v.zutaten = m_rezept.zutaten;
    v.text = m_rezept.text;
    v.bild = m_bildDatei;
    v.kommentar = { QStringLiteral("Quelle: ") + m_quelle };

    QList<QPair<int, QString>> eigene;
    for (int p = 15; p <= st.kategorien.letzterTab && p < st.kategorien.tabKategorie.size(); ++p) {
        const int n = st.kategorien.tabKategorie.at(p);
        if (n >= 0 && n < st.kategorien.namen.size())
            eigene.append({ n, st.kategorien.namen.at(n).name });
    }
    v.kategorien = webKategorien(m_rezept.kategorien, Kategoriezuordnung(eigene), m_rezept.titel);

    QStringList hinweise = m_hinweise;
    if (m_bildDatei.isEmpty() && !m_bildFehler.isEmpty())
        hinweise.append(m_bildFehler + QStringLiteral(" Das Rezept wird ohne Bild übernommen."));
    bereit(kBereit);
    hide();
    if (!hinweise.isEmpty())
        zeigeHinweise(parentWidget(), hinweise.join(u'\n'));
    emit rezeptGelesen(v);
}

int waehleRezept(QWidget* parent, const QList<WebRezept>& rezepte)
{
    QDialog d(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    d.setObjectName(QStringLiteral("webAuswahl"));
    d.setWindowTitle(QStringLiteral("Rezept auswählen"));
    auto* lay = new QVBoxLayout(&d);
    auto* text
        = new QLabel(QStringLiteral("Auf dieser Seite stehen %1 Rezepte. Welches soll übernommen werden?")
                         .arg(rezepte.size()),
            &d);
    text->setWordWrap(true);
    lay->addWidget(text);
    auto* liste = new QListWidget(&d);
    liste->setObjectName(QStringLiteral("rezepte"));
    liste->setAccessibleName(QStringLiteral("Rezepte"));
    text->setBuddy(liste);
    for (const WebRezept& r : rezepte) {
        const QString titel = r.titel.isEmpty() ? QStringLiteral("(ohne Titel)") : r.titel;
        auto* item = new QListWidgetItem(r.zutaten.size() == 1
                ? QStringLiteral("%1 (1 Zutat)").arg(titel)
                : QStringLiteral("%1 (%2 Zutaten)").arg(titel).arg(r.zutaten.size()),
            liste);
        item->setToolTip(r.zutaten.mid(0, 8).join(u'\n'));
    }
    liste->setCurrentRow(0);
    lay->addWidget(liste, 1);
    auto* knoepfe = new QDialogButtonBox(&d);
    QPushButton* ok = knoepfe->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    knoepfe->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("abbrechen"));
    lay->addWidget(knoepfe);
    QObject::connect(knoepfe, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(knoepfe, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    QObject::connect(liste, &QListWidget::itemDoubleClicked, &d, &QDialog::accept);
    d.resize(420, 280);
    if (parent)
        centreOn(&d, parent);
    if (Modal::exec(&d, d.windowTitle()) != QDialog::Accepted)
        return -1;
    return liste->currentRow();
}

} // namespace tk
