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
    enum Anchor { L = 1, T = 2, R = 4, B = 8 };
    constexpr int kBreite = 628;
    constexpr int kHoehe = 428;
    const QString kEingabefehler = QStringLiteral("Fehler bei der Eingabe");
}

QString qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts.at(i + 1);
        pattern.replace(u';', u' ');
        out.append(parts.at(i) + QStringLiteral(" (") + pattern + u')');
    }
    return out.join(QStringLiteral(";;"));
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

    auto label = [this](const QString& name, const QString& text, QWidget* buddy, const QRect& r, int a) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setBuddy(buddy);
        place(l, r, a);
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

    Edit1 = edit(QStringLiteral("Edit1"), QStringLiteral("Rezepttitel"));
    Memo2 = memo(QStringLiteral("Memo2"), QStringLiteral("Zutaten"));
    Memo1 = memo(QStringLiteral("Memo1"), QStringLiteral("Rezepttext"));
    Edit2 = edit(QStringLiteral("Edit2"), QStringLiteral("Autor"));
    Edit3 = edit(QStringLiteral("Edit3"), QStringLiteral("Datum"));
    Edit4 = edit(QStringLiteral("Edit4"), QStringLiteral("Menge"));
    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setAccessibleName(QStringLiteral("Kategorien"));
    Image1 = new ImageView(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setHatched(true);
    Image1->setAccessibleName(QStringLiteral("Bild"));
    Button3 = new QPushButton(QStringLiteral("Bild laden"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button4 = new QPushButton(QStringLiteral("Bild löschen"), this);
    Button4->setObjectName(QStringLiteral("Button4"));
    Button1 = new QPushButton(QStringLiteral("Rezept speichern"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Verwerfen"), this);
    Button2->setObjectName(QStringLiteral("Button2"));

    Label1 = label(QStringLiteral("Label1"), QStringLiteral("Rezepttitel:"), Edit1, { 8, 8, 200, 16 }, L | T);
    place(Edit1, { 8, 24, 612, 21 }, L | T | R);
    Label2 = label(QStringLiteral("Label2"), QStringLiteral("Zutaten:"), Memo2, { 8, 52, 200, 16 }, L | T);
    place(Memo2, { 8, 68, 424, 112 }, L | T | R);
    Label3
        = label(QStringLiteral("Label3"), QStringLiteral("Rezepttext:"), Memo1, { 8, 186, 200, 16 }, L | T);
    place(Memo1, { 8, 202, 424, 168 }, L | T | R | B);
    Label4 = label(QStringLiteral("Label4"), QStringLiteral("Autor:"), Edit2, { 8, 378, 150, 16 }, L | B);
    place(Edit2, { 8, 394, 150, 21 }, L | B);
    Label5 = label(QStringLiteral("Label5"), QStringLiteral("Datum:"), Edit3, { 166, 378, 100, 16 }, L | B);
    place(Edit3, { 166, 394, 100, 21 }, L | B);
    Label6 = label(QStringLiteral("Label6"), QStringLiteral("Menge:"), Edit4, { 274, 378, 158, 16 }, L | B);
    place(Edit4, { 274, 394, 158, 21 }, L | B);
    Label8 = label(QStringLiteral("Label8"), QStringLiteral("Bild:"), Image1, { 440, 52, 180, 16 }, R | T);
    place(Image1, { 457, 68, 145, 104 }, R | T);
    place(Button3, { 440, 176, 88, 24 }, R | T);
    place(Button4, { 532, 176, 88, 24 }, R | T);
    Label7 = label(
        QStringLiteral("Label7"), QStringLiteral("Kategorien:"), CheckListBox1, { 440, 206, 180, 16 }, R | T);
    place(CheckListBox1, { 440, 222, 180, 160 }, R | T | B);
    place(Button1, { 440, 392, 108, 25 }, R | B);
    place(Button2, { 552, 392, 68, 25 }, R | B);

    QWidget* order[]
        = { Edit1, Memo2, Memo1, Edit2, Edit3, Edit4, CheckListBox1, Button3, Button4, Button1, Button2 };
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    Image1->setFocusPolicy(Qt::NoFocus);

    connect(Button1, &QPushButton::clicked, this, [this] { guarded(this, [&] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { guarded(this, [&] { Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { guarded(this, [&] { Button3Click(); }); });
    connect(Button4, &QPushButton::clicked, this, [this] { guarded(this, [&] { Button4Click(); }); });

    // The category editor is modal over the main window: when it closes and the main window becomes
    // active again, the check list catches up with the new tabs.
    if (QWidget* haupt = hauptfenster())
        haupt->installEventFilter(this);
    Button4->setEnabled(false);
}

void Rezepteditor::place(QWidget* w, const QRect& r, int anchors)
{
    w->setGeometry(r);
    m_anchored.append({ w, r, anchors });
}

void Rezepteditor::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    const int dx = width() - kBreite;
    const int dy = height() - kHoehe;
    for (const Anchored& a : m_anchored) {
        QRect r = a.rect;
        if (a.anchors & R) {
            if (a.anchors & L)
                r.setWidth(r.width() + dx);
            else
                r.translate(dx, 0);
        }
        if (a.anchors & B) {
            if (a.anchors & T)
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
        KategorienAktualisieren();
    return QDialog::event(e);
}

bool Rezepteditor::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && isVisible())
        KategorienAktualisieren();
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

void Rezepteditor::fillCheckList(const QList<int>& ticked)
{
    m_kategorien = aktuelleKategorien();
    CheckListBox1->clear();
    for (const auto& [nr, name] : m_kategorien) {
        auto* item = new QListWidgetItem(name, CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setData(Qt::UserRole, nr);
        item->setCheckState(ticked.contains(nr) ? Qt::Checked : Qt::Unchecked);
    }
}

void Rezepteditor::KategorienAktualisieren()
{
    if (aktuelleKategorien() == m_kategorien)
        return;
    const int row = CheckListBox1->currentRow();
    fillCheckList(angekreuzteKategorien());
    if (row >= 0 && row < CheckListBox1->count())
        CheckListBox1->setCurrentRow(row);
}

QList<int> Rezepteditor::listenKategorien() const
{
    QList<int> out;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        out.append(CheckListBox1->item(i)->data(Qt::UserRole).toInt());
    return out;
}

QList<int> Rezepteditor::angekreuzteKategorien() const
{
    QList<int> out;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        if (CheckListBox1->item(i)->checkState() == Qt::Checked)
            out.append(CheckListBox1->item(i)->data(Qt::UserRole).toInt());
    return out;
}

// ---- Fill ------------------------------------------------------------------------------------------

void Rezepteditor::Fill()
{
    if (RezeptNr < 0) {
        Button2->setText(QStringLiteral("Verwerfen"));
        Edit1->clear();
        Edit2->setText(st.autorVorgabe);
        Edit3->setText(kurzesDatum(QDate::currentDate(), QLocale()));
        Edit4->setText(QStringLiteral("für 4 Personen"));
        st.bildDatei.clear();
        Image1->clear();
        Button4->setEnabled(false);
        fillCheckList({});
        Memo2->clear();
        Memo1->clear();
        m_kommentarNeu.clear();
        Edit1->setFocus();
        return;
    }

    const int n = RezeptNr;
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
    Edit1->setText(r.titel);
    Edit2->setText(r.autor);
    Edit3->setText(r.datum);
    Edit4->setText(r.menge);
    Memo2->clear();
    Memo1->clear();
    Button2->setText(QStringLiteral("Abbrechen"));
    st.bildDatei.clear();
    Image1->setImage(vorschau);
    Button4->setEnabled(hatBild);
    QList<int> ticked;
    for (const auto& [nr, name] : aktuelleKategorien())
        if (nr >= 0 && nr < int(r.inKategorie.size()) && r.inKategorie[size_t(nr)])
            ticked.append(nr);
    fillCheckList(ticked);
    Memo2->setPlainText(feldText(inhalt.zutaten));
    Memo1->setPlainText(feldText(inhalt.text));
    Edit1->setFocus();
    if (!inhalt.schaden.isEmpty())
        Meldung(
            inhalt.schaden + QStringLiteral("\rSpeichern berichtigt die Zahl."), QStringLiteral("Achtung!"));
    // A damaged picture must not lock the recipe away: the editor opens, and "Bild löschen" can
    // remove the picture.
    if (!bildFehler.isEmpty())
        errorReport(hauptfenster() ? hauptfenster() : this, bildFehler);
}

void Rezepteditor::NeuesRezept(const RezeptVorgabe& v)
{
    const QImage vorschau = v.bild.isEmpty() ? QImage() : loadPicture(v.bild);
    RezeptNr = -1;
    Fill();
    setWindowTitle(QStringLiteral("Neues Rezept erstellen"));
    Edit1->setText(v.titel);
    if (!v.autor.isEmpty())
        Edit2->setText(v.autor);
    if (!v.datum.isEmpty())
        Edit3->setText(v.datum);
    if (!v.menge.isEmpty())
        Edit4->setText(v.menge);
    Memo2->setPlainText(feldText(v.zutaten));
    Memo1->setPlainText(feldText(v.text));
    fillCheckList(v.kategorien);
    if (!vorschau.isNull()) {
        st.bildDatei = v.bild;
        Image1->setImage(vorschau);
        Button4->setEnabled(true);
    }
    m_kommentarNeu = v.kommentar;
}

// ---- Buttons --------------------------------------------------------------------------------------

void Rezepteditor::Button1Click()
{
    if (Edit1->text().isEmpty()) {
        Meldung(QStringLiteral("Bitte einen Rezeptnamen angeben!"), kEingabefehler);
        return;
    }
    for (QLineEdit* e : { Edit1, Edit2, Edit3, Edit4 })
        if (e->text().contains(u'|'))
            e->setText(noBar(e->text()));
    KategorienAktualisieren();
    if (angekreuzteKategorien().isEmpty()) {
        Meldung(QStringLiteral("Bitte min. eine Kategorie wählen!"), kEingabefehler);
        return;
    }
    speichern();
}

void Rezepteditor::speichern()
{
    setEnabled(false);
    RezeptEingabe e;
    e.nummer = RezeptNr;
    e.titel = Edit1->text();
    e.autor = Edit2->text();
    e.datum = Edit3->text();
    e.menge = Edit4->text();
    e.angekreuzt = angekreuzteKategorien();
    e.gelistet = listenKategorien();
    e.zutaten = feldZeilen(rohText(Memo2));
    e.text = feldZeilen(rohText(Memo1));
    // The comment window holds the comment of the recipe on show, with what the user typed there; any
    // other recipe keeps the comment stored in its own file.
    if (RezeptNr >= 0 && st.offenerKommentar)
        e.kommentar = st.offenerKommentar(RezeptNr);
    else if (RezeptNr < 0)
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
    RezeptNr = r.nummer;
    // The windows that show the collection caught up through the collection's signal.
    setEnabled(true);
    hide();
    if (!r.bildFehler.isEmpty())
        errorReport(hauptfenster() ? hauptfenster() : this,
            QStringLiteral("Das Rezept wurde gespeichert, aber das Bild konnte nicht übernommen werden.\n")
                + r.bildFehler);
}

void Rezepteditor::Button2Click() { hide(); }

void Rezepteditor::Button3Click()
{
    const QString datei
        = openFileName(this, QStringLiteral("Bild laden"), qtFilter(QString::fromLatin1(kBildFilter)));
    if (datei.isEmpty())
        return;
    QImage bild;
    try {
        bild = loadPicture(datei);
    } catch (const std::exception&) {
        Meldung(QStringLiteral("Bilder müssen vom Format JPEG oder Bitmap sein und höher als 1 Pixel sein!"),
            QStringLiteral("Achtung!"));
        Image1->clear();
        st.bildDatei.clear();
        return;
    }
    Image1->setImage(bild);
    st.bildDatei = QFileInfo(datei).absoluteFilePath();
    Button4->setEnabled(true);
    if (bild.height() <= 1) {
        Meldung(QStringLiteral("Bilder müssen vom Format JPEG oder Bitmap und höher als 1 Pixel sein!"),
            QStringLiteral("Achtung!"));
        Image1->clear();
        st.bildDatei.clear();
    }
}

void Rezepteditor::Button4Click()
{
    if (RezeptNr >= 0
        && askYesNo(this, QStringLiteral("Wirklich löschen?"),
               QStringLiteral("Wollen Sie dieses Bild wirklich löschen?"))
            != Answer::Yes)
        return;
    Image1->clear();
    st.bildDatei.clear();
    if (RezeptNr >= 0)
        st.sammlung.loescheBild(RezeptNr);
    Button4->setEnabled(false);
}

} // namespace tk
