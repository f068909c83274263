#include "editing/gui/Rezepteditor.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

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
    constexpr QSize kGroesse { 628, 428 };
    constexpr QSize kMindestens { 592, 418 }; // 600 × 445 with frame and title bar
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
    setMinimumSize(kMindestens);

    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
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

    // Laid out for the font: the rows grow with the font size chosen in the settings. The fields
    // follow the window's size: title, ingredients and text widen, the text and the category list grow
    // downwards, the picture column keeps to the right, author, date and quantity to the bottom.
    auto* fenster = new QVBoxLayout(this);
    fenster->setContentsMargins(8, 8, 8, 8);
    fenster->setSpacing(0);
    fenster->addWidget(label(QStringLiteral("Rezepttitel:"), m_titel));
    fenster->addWidget(m_titel);
    fenster->addSpacing(7);

    auto* spalten = new QHBoxLayout;
    spalten->setSpacing(8);
    fenster->addLayout(spalten, 1);

    auto* links = new QVBoxLayout;
    links->setSpacing(0);
    links->addWidget(label(QStringLiteral("Zutaten:"), m_zutaten));
    links->addWidget(m_zutaten);
    links->addSpacing(6);
    links->addWidget(label(QStringLiteral("Rezepttext:"), m_rezepttext));
    links->addWidget(m_rezepttext, 1);
    links->addSpacing(8);
    auto* angaben = new QGridLayout;
    angaben->setHorizontalSpacing(8);
    angaben->setVerticalSpacing(0);
    const std::pair<QString, QLineEdit*> felder[] = { { QStringLiteral("Autor:"), m_autor },
        { QStringLiteral("Datum:"), m_datum }, { QStringLiteral("Menge:"), m_menge } };
    int spalte = 0;
    for (const auto& [text, feld] : felder) {
        angaben->addWidget(label(text, feld), 0, spalte);
        angaben->addWidget(feld, 1, spalte++);
    }
    feldgroessenSetzen();
    angaben->setColumnStretch(spalte, 1);
    links->addLayout(angaben);
    spalten->addLayout(links, 1);

    auto* rechts = new QVBoxLayout;
    rechts->setSpacing(0);
    rechts->addStrut(180); // wider only where a larger font needs it
    rechts->addWidget(label(QStringLiteral("Bild:"), m_bild));
    m_bild->setFixedSize(145, 104);
    rechts->addWidget(m_bild, 0, Qt::AlignHCenter);
    rechts->addSpacing(4);
    auto* bildKnoepfe = new QHBoxLayout;
    bildKnoepfe->setSpacing(4);
    bildKnoepfe->addWidget(m_bildLaden);
    bildKnoepfe->addWidget(m_bildLoeschen);
    rechts->addLayout(bildKnoepfe);
    rechts->addSpacing(6);
    rechts->addWidget(label(QStringLiteral("Kategorien:"), m_kategorien));
    m_kategorien->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    rechts->addWidget(m_kategorien, 1);
    rechts->addSpacing(10);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->setSpacing(4);
    knoepfe->addWidget(m_speichern);
    knoepfe->addWidget(m_verwerfen);
    rechts->addLayout(knoepfe);
    spalten->addLayout(rechts);

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
    resize(kGroesse);
}

// The ingredient field keeps its height and author, date and quantity their width when the window
// grows; all of them grow with a larger font.
void Rezepteditor::feldgroessenSetzen()
{
    const int zeile = std::max(16, fontMetrics().height());
    m_zutaten->setFixedHeight(112 * zeile / 16);
    m_autor->setFixedWidth(150 * zeile / 16);
    m_datum->setFixedWidth(100 * zeile / 16);
    m_menge->setFixedWidth(158 * zeile / 16);
}

void Rezepteditor::changeEvent(QEvent* e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        feldgroessenSetzen();
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
    const bool r = QDialog::event(e);
    // A larger font makes the window's least size larger; the window grows with it where needed.
    if (e->type() == QEvent::LayoutRequest && layout())
        setMinimumSize(layout()->totalMinimumSize().expandedTo(kMindestens));
    return r;
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
        m_geladen = stand();
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
    m_geladen = stand();
    if (!inhalt.schaden.isEmpty())
        Meldung(
            inhalt.schaden + QStringLiteral("\rSpeichern berichtigt die Zahl."), QStringLiteral("Achtung!"));
    // A damaged picture must not lock the recipe away: the editor opens, and "Bild löschen" can
    // remove the picture.
    if (!bildFehler.isEmpty())
        errorReport(hauptfenster() ? hauptfenster() : this, bildFehler);
}

bool Rezepteditor::neuesRezept(const RezeptVorgabe& v)
{
    const QImage vorschau = v.bild.isEmpty() ? QImage() : loadPicture(v.bild);
    if (!aenderungenVerwerfen())
        return false;
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
    // What came from outside is not saved yet: m_geladen stays the empty recipe.
    return true;
}

Rezepteditor::Stand Rezepteditor::stand() const
{
    return { { m_titel->text(), m_autor->text(), m_datum->text(), m_menge->text(), rohText(m_zutaten),
                 rohText(m_rezepttext), st.bildDatei },
        angekreuzteKategorien() };
}

bool Rezepteditor::ungespeichert() const { return isVisible() && stand() != m_geladen; }

bool Rezepteditor::aenderungenVerwerfen()
{
    return !ungespeichert()
        || askYesNo(this, QStringLiteral("Tellerkiste"),
               QStringLiteral("Die Änderungen an diesem Rezept gehen verloren. Trotzdem schließen?"))
        == Answer::Yes;
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

void Rezepteditor::verwerfen()
{
    if (aenderungenVerwerfen())
        hide();
}

// The window's close button is "Verwerfen" too.
void Rezepteditor::reject()
{
    guarded(this, [&] { verwerfen(); });
}

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
