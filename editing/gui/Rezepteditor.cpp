#include "editing/gui/Rezepteditor.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "editing/gui/Kommentarfenster.h"
#include "editing/gui/RohText.h"
#include "platform/gui/Meldung.h"
#include "store/RezeptDateien.h"
#include "platform/Error.h"
#include "platform/TextLines.h"
#include "platform/gui/HotLabel.h"
#include "platform/gui/ImageView.h"
#include "platform/gui/Jpeg.h"
#include "platform/gui/Modal.h"
#include "store/AppState.h"
#include "store/Formats.h"

namespace tk {

namespace {
    enum Anker { L = 1, T = 2, R = 4, B = 8 };
    constexpr int kBreite = 628;
    constexpr int kHoehe = 428;
    const QString kEingabefehler = QStringLiteral("Fehler bei der Eingabe");
    const QString kBildFilter = QStringLiteral("JPEG-Dateien (*.jpg)");
}

Rezepteditor::Rezepteditor(AppState& state, QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)
    , st(state)
{
    setObjectName(QStringLiteral("rezepteditor"));
    setWindowTitle(QStringLiteral("Rezept bearbeiten"));
    setModal(false);
    resize(kBreite, kHoehe);
    // 600 × 445 for the whole window, frame and title bar included.
    setMinimumSize(592, 418);

    auto label = [this](const QString& text, QWidget* buddy, const QRect& r, int a) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        verankern(l, r, a);
    };
    auto memo = [this](const QString& name, const QString& accessible) {
        auto* m = new QPlainTextEdit(this);
        m->setObjectName(name);
        m->setAccessibleName(accessible);
        m->setLineWrapMode(QPlainTextEdit::NoWrap);
        m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        m->setTabChangesFocus(true);
        return m;
    };
    auto edit = [this](const QString& name, const QString& accessible) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setAccessibleName(accessible);
        return e;
    };

    m_titel = edit(QStringLiteral("titel"), QStringLiteral("Rezepttitel"));
    m_zutaten = memo(QStringLiteral("zutaten"), QStringLiteral("Zutaten"));
    m_rezepttext = memo(QStringLiteral("rezepttext"), QStringLiteral("Rezepttext"));
    m_autor = edit(QStringLiteral("autor"), QStringLiteral("Autor"));
    m_datum = edit(QStringLiteral("datum"), QStringLiteral("Datum"));
    m_menge = edit(QStringLiteral("menge"), QStringLiteral("Menge"));
    m_kategorien = new QListWidget(this);
    m_kategorien->setObjectName(QStringLiteral("kategorien"));
    m_kategorien->setAccessibleName(QStringLiteral("Kategorien"));
    m_bild = new ImageView(this);
    m_bild->setObjectName(QStringLiteral("bild"));
    m_bild->setHatched(true);
    m_bild->setAccessibleName(QStringLiteral("Bild"));
    m_bildLaden = new QPushButton(QStringLiteral("Bild laden"), this);
    m_bildLaden->setObjectName(QStringLiteral("bildLaden"));
    m_bildLoeschen = new QPushButton(QStringLiteral("Bild löschen"), this);
    m_bildLoeschen->setObjectName(QStringLiteral("bildLoeschen"));
    m_speichern = new QPushButton(QStringLiteral("Rezept speichern"), this);
    m_speichern->setObjectName(QStringLiteral("speichern"));
    m_speichern->setDefault(true);
    m_verwerfen = new QPushButton(QStringLiteral("Verwerfen"), this);
    m_verwerfen->setObjectName(QStringLiteral("verwerfen"));

    label(QStringLiteral("Rezepttitel:"), m_titel, { 8, 8, 200, 16 }, L | T);
    verankern(m_titel, { 8, 24, 612, 21 }, L | T | R);
    label(QStringLiteral("Zutaten:"), m_zutaten, { 8, 52, 200, 16 }, L | T);
    verankern(m_zutaten, { 8, 68, 424, 112 }, L | T | R);
    label(QStringLiteral("Rezepttext:"), m_rezepttext, { 8, 186, 200, 16 }, L | T);
    verankern(m_rezepttext, { 8, 202, 424, 168 }, L | T | R | B);
    label(QStringLiteral("Autor:"), m_autor, { 8, 378, 150, 16 }, L | B);
    verankern(m_autor, { 8, 394, 150, 21 }, L | B);
    label(QStringLiteral("Datum:"), m_datum, { 166, 378, 100, 16 }, L | B);
    verankern(m_datum, { 166, 394, 100, 21 }, L | B);
    label(QStringLiteral("Menge:"), m_menge, { 274, 378, 158, 16 }, L | B);
    verankern(m_menge, { 274, 394, 158, 21 }, L | B);
    label(QStringLiteral("Bild:"), m_bild, { 440, 52, 180, 16 }, R | T);
    verankern(m_bild, { 457, 68, 145, 104 }, R | T);
    verankern(m_bildLaden, { 440, 176, 88, 24 }, R | T);
    verankern(m_bildLoeschen, { 532, 176, 88, 24 }, R | T);
    label(QStringLiteral("Kategorien:"), m_kategorien, { 440, 206, 180, 16 }, R | T);
    verankern(m_kategorien, { 440, 222, 180, 160 }, R | T | B);
    verankern(m_speichern, { 440, 392, 108, 25 }, R | B);
    verankern(m_verwerfen, { 552, 392, 68, 25 }, R | B);

    QWidget* order[] = { m_titel, m_zutaten, m_rezepttext, m_autor, m_datum, m_menge, m_kategorien,
        m_bildLaden, m_bildLoeschen, m_speichern, m_verwerfen };
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    m_bild->setFocusPolicy(Qt::NoFocus);

    connect(m_speichern, &QPushButton::clicked, this, [this] { guarded(this, [&] { speichern(); }); });
    connect(m_verwerfen, &QPushButton::clicked, this, [this] { guarded(this, [&] { verwerfen(); }); });
    connect(m_bildLaden, &QPushButton::clicked, this, [this] { guarded(this, [&] { bildLaden(); }); });
    connect(m_bildLoeschen, &QPushButton::clicked, this, [this] { guarded(this, [&] { bildLoeschen(); }); });

    // The category editor is modal over the main window: when it closes and the main window becomes
    // active again, the check list catches up with the new tabs.
    if (QWidget* haupt = hauptfenster())
        haupt->installEventFilter(this);
    m_bildLoeschen->setEnabled(false);
}

void Rezepteditor::verankern(QWidget* w, const QRect& r, int anker)
{
    w->setGeometry(r);
    m_verankert.append({ w, r, anker });
}

void Rezepteditor::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    const int dx = width() - kBreite;
    const int dy = height() - kHoehe;
    for (const Verankerung& a : m_verankert) {
        QRect r = a.rect;
        if (a.anker & R) {
            if (a.anker & L)
                r.setWidth(r.width() + dx);
            else
                r.translate(dx, 0);
        }
        if (a.anker & B) {
            if (a.anker & T)
                r.setHeight(r.height() + dy);
            else
                r.translate(0, dy);
        }
        a.w->setGeometry(r);
    }
}

void Rezepteditor::keyPressEvent(QKeyEvent* e)
{
    // Escape does not throw away what was typed; the close button does that on purpose.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

bool Rezepteditor::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        kategorienAktualisieren();
    return QDialog::event(e);
}

bool Rezepteditor::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && isVisible())
        kategorienAktualisieren();
    return QDialog::eventFilter(o, e);
}

// ---- Check list ----------------------------------------------------------------------------------

QList<QPair<int, QString>> Rezepteditor::aktuelleKategorien() const
{
    QList<QPair<int, QString>> out;
    const auto& k = st.kategorien;
    for (int pos = 1; pos <= k.letzterTab && pos < k.tabKategorie.size(); ++pos) {
        const int nr = k.tabKategorie.at(pos);
        out.append({ nr, nr >= 0 && nr < k.namen.size() ? k.namen.at(nr).name : QString() });
    }
    return out;
}

void Rezepteditor::kategorienlisteFuellen(const QList<int>& ticked)
{
    m_gelistet = aktuelleKategorien();
    m_kategorien->clear();
    for (const auto& [nr, name] : m_gelistet) {
        auto* item = new QListWidgetItem(name, m_kategorien);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setData(Qt::UserRole, nr);
        item->setCheckState(ticked.contains(nr) ? Qt::Checked : Qt::Unchecked);
    }
}

void Rezepteditor::kategorienAktualisieren()
{
    if (aktuelleKategorien() == m_gelistet)
        return;
    const int row = m_kategorien->currentRow();
    kategorienlisteFuellen(angekreuzteKategorien());
    if (row >= 0 && row < m_kategorien->count())
        m_kategorien->setCurrentRow(row);
}

QList<int> Rezepteditor::listenKategorien() const
{
    QList<int> out;
    for (int i = 0; i < m_kategorien->count(); ++i)
        out.append(m_kategorien->item(i)->data(Qt::UserRole).toInt());
    return out;
}

QList<int> Rezepteditor::angekreuzteKategorien() const
{
    QList<int> out;
    for (int i = 0; i < m_kategorien->count(); ++i)
        if (m_kategorien->item(i)->checkState() == Qt::Checked)
            out.append(m_kategorien->item(i)->data(Qt::UserRole).toInt());
    return out;
}

// ---- rezeptLaden ------------------------------------------------------------------------------------------

void Rezepteditor::rezeptLaden()
{
    if (rezeptNr < 0) {
        m_verwerfen->setText(QStringLiteral("Verwerfen"));
        m_titel->clear();
        m_autor->setText(st.autorVorgabe);
        m_datum->setText(kurzesDatum(QDate::currentDate(), QLocale()));
        m_menge->setText(QStringLiteral("für 4 Personen"));
        st.bildDatei.clear();
        m_bild->clear();
        m_bildLoeschen->setEnabled(false);
        kategorienlisteFuellen({});
        m_zutaten->clear();
        m_rezepttext->clear();
        m_kommentarNeu.clear();
        m_titel->setFocus();
        return;
    }

    const int n = rezeptNr;
    if (size_t(n) >= st.rezepte.size())
        throw Error(QStringLiteral("Das Rezept Nr. %1 gibt es nicht.").arg(n));
    // Everything that can fail is read before a field changes.
    const EditorInhalt inhalt = editorInhalt(loadLines(recipePath(st.programDir, n)));
    const QString bild = picturePath(st.programDir, n);
    const bool hatBild = QFileInfo::exists(bild);
    QImage vorschau;
    QString bildFehler;
    if (hatBild) {
        try {
            vorschau = loadPicture(bild);
        } catch (const std::exception& e) {
            bildFehler = messageOf(e);
        }
    }

    const Rezepteintrag& r = st.rezepte[size_t(n)];
    m_titel->setText(r.titel);
    m_autor->setText(r.autor);
    m_datum->setText(r.datum);
    m_menge->setText(r.menge);
    m_zutaten->clear();
    m_rezepttext->clear();
    m_verwerfen->setText(QStringLiteral("Abbrechen"));
    st.bildDatei.clear();
    m_bild->setImage(vorschau);
    m_bildLoeschen->setEnabled(hatBild);
    QList<int> ticked;
    for (const auto& [nr, name] : aktuelleKategorien())
        if (nr >= 0 && nr < int(r.inKategorie.size()) && r.inKategorie[size_t(nr)])
            ticked.append(nr);
    kategorienlisteFuellen(ticked);
    m_zutaten->setPlainText(feldText(inhalt.zutaten));
    m_rezepttext->setPlainText(feldText(inhalt.text));
    m_titel->setFocus();
    if (!inhalt.schaden.isEmpty())
        Meldung(
            inhalt.schaden + QStringLiteral("\rSpeichern berichtigt die Zahl."), QStringLiteral("Achtung!"));
    // A damaged picture must not lock the recipe away: the editor opens, and "Bild löschen" can
    // remove the picture.
    if (!bildFehler.isEmpty())
        errorReport(hauptfenster() ? hauptfenster() : this, bildFehler);
}

void Rezepteditor::neuesRezept(const RezeptVorgabe& v)
{
    const QImage vorschau = v.bild.isEmpty() ? QImage() : loadPicture(v.bild);
    rezeptNr = -1;
    rezeptLaden();
    setWindowTitle(QStringLiteral("Neues Rezept erstellen"));
    m_titel->setText(v.titel);
    if (!v.autor.isEmpty())
        m_autor->setText(v.autor);
    if (!v.datum.isEmpty())
        m_datum->setText(v.datum);
    if (!v.menge.isEmpty())
        m_menge->setText(v.menge);
    m_zutaten->setPlainText(feldText(v.zutaten));
    m_rezepttext->setPlainText(feldText(v.text));
    kategorienlisteFuellen(v.kategorien);
    if (!vorschau.isNull()) {
        st.bildDatei = v.bild;
        m_bild->setImage(vorschau);
        m_bildLoeschen->setEnabled(true);
    }
    m_kommentarNeu = v.kommentar;
}

// ---- Buttons --------------------------------------------------------------------------------------

void Rezepteditor::speichern()
{
    if (m_titel->text().isEmpty()) {
        Meldung(QStringLiteral("Bitte einen Rezeptnamen angeben!"), kEingabefehler);
        return;
    }
    for (QLineEdit* e : { m_titel, m_autor, m_datum, m_menge })
        if (e->text().contains(u'|'))
            e->setText(noBar(e->text()));
    kategorienAktualisieren();
    if (angekreuzteKategorien().isEmpty()) {
        Meldung(QStringLiteral("Bitte min. eine Kategorie wählen!"), kEingabefehler);
        return;
    }
    schreiben();
}

void Rezepteditor::schreiben()
{
    setEnabled(false);
    RezeptEingabe e;
    e.nummer = rezeptNr;
    e.titel = m_titel->text();
    e.autor = m_autor->text();
    e.datum = m_datum->text();
    e.menge = m_menge->text();
    e.angekreuzt = angekreuzteKategorien();
    e.gelistet = listenKategorien();
    e.zutaten = feldZeilen(rohText(m_zutaten));
    e.text = feldZeilen(rohText(m_rezepttext));
    // The comment window holds the comment of the recipe on show, with what the user typed there; any
    // other recipe keeps the comment stored in its own file.
    if (rezeptNr >= 0 && st.offenerKommentar)
        e.kommentar = st.offenerKommentar(rezeptNr);
    else if (rezeptNr < 0)
        e.kommentar = m_kommentarNeu; // a recipe from the web brings its source

    if (!st.bildDatei.isEmpty()) {
        const QString quelle = st.bildDatei;
        e.bildSchreiben = [quelle](const QString& ziel) { storePicture(quelle, ziel); };
    }

    SpeicherErgebnis r;
    try {
        try {
            r = st.sammlung.speichereRezept(e);
        } catch (const InzwischenGeloescht&) {
            // Deleted meanwhile, here or by another copy: never bring it back under its old number.
            setEnabled(true);
            if (askYesNo(this, QStringLiteral("Tellerkiste"),
                    QStringLiteral("Das Rezept wurde inzwischen gelöscht. Als neues Rezept speichern?"))
                != Answer::Yes)
                return;
            setEnabled(false);
            e.nummer = -1;
            r = st.sammlung.speichereRezept(e);
        }
    } catch (const std::exception& x) {
        setEnabled(true);
        errorReport(this, messageOf(x));
        return;
    }
    rezeptNr = r.nummer;
    // The windows that show the collection caught up through the collection's signal.
    setEnabled(true);
    hide();
    if (!r.bildFehler.isEmpty())
        errorReport(hauptfenster() ? hauptfenster() : this,
            QStringLiteral("Das Rezept wurde gespeichert, aber das Bild konnte nicht übernommen werden.\n")
                + r.bildFehler);
}

void Rezepteditor::verwerfen() { hide(); }

void Rezepteditor::bildLaden()
{
    const QString datei = openFileName(this, QStringLiteral("Bild laden"), kBildFilter);
    if (datei.isEmpty())
        return;
    QImage bild;
    try {
        bild = loadPicture(datei);
    } catch (const std::exception&) {
        Meldung(QStringLiteral("Bilder müssen vom Format JPEG oder Bitmap sein und höher als 1 Pixel sein!"),
            QStringLiteral("Achtung!"));
        m_bild->clear();
        st.bildDatei.clear();
        return;
    }
    m_bild->setImage(bild);
    st.bildDatei = QFileInfo(datei).absoluteFilePath();
    m_bildLoeschen->setEnabled(true);
    if (bild.height() <= 1) {
        Meldung(QStringLiteral("Bilder müssen vom Format JPEG oder Bitmap und höher als 1 Pixel sein!"),
            QStringLiteral("Achtung!"));
        m_bild->clear();
        st.bildDatei.clear();
    }
}

void Rezepteditor::bildLoeschen()
{
    if (rezeptNr >= 0
        && askYesNo(this, QStringLiteral("Wirklich löschen?"),
               QStringLiteral("Wollen Sie dieses Bild wirklich löschen?"))
            != Answer::Yes)
        return;
    m_bild->clear();
    st.bildDatei.clear();
    if (rezeptNr >= 0)
        st.sammlung.loescheBild(rezeptNr);
    m_bildLoeschen->setEnabled(false);
}

} // namespace tk
