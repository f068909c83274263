#include "dialogs/gui/Willkommensfenster.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>

#include "dialogs/gui/Willkommensgrafik.h"
#include "dialogs/gui/Ankreuzfeld.h"
#include "dialogs/gui/Klickbild.h"
#include "platform/gui/Meldung.h"
#include "platform/Error.h"
#include "platform/gui/Application.h"
#include "platform/gui/HotLabel.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"
#include "platform/gui/RtfReader.h"
#include "search/gui/Suchfenster.h"
#include "settings/Einstellungen.h"
#include "settings/gui/Einstellungsfenster.h"
#include "store/Webadressen.h"
#include "store/AppState.h"
#include "store/Formats.h"

namespace tk {

namespace {
    const QColor kNavy(0, 0, 128);

    QLabel* blauesLabel(const QString& text, const char* name, QWidget* parent, bool underline = false)
    {
        auto* l = new QLabel(text, parent);
        l->setObjectName(QLatin1String(name));
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(15);
        f.setBold(true);
        f.setUnderline(underline);
        l->setFont(f);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, kNavy);
        l->setPalette(p);
        return l;
    }

    QString willkommenstextPfad(const AppState& st)
    {
        return st.path(QStringLiteral("Data/Sonstiges/Welcome.rtf"));
    }
}

Willkommensfenster::Willkommensfenster(
    AppState& state, QWidget* haupt, Einstellungsfenster* einstellungen, QWidget* suche, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , st(state)
    , m_haupt(haupt)
    , m_einstellungen(einstellungen)
    , m_suche(suche)
{
    setObjectName(QStringLiteral("willkommensfenster"));
    setWindowTitle(QStringLiteral("Willkommen zu Brutzels Tellerkiste 3.40 !"));
    setFixedSize(499, 399);
    zeigerPosition = [] { return QCursor::pos(); };

    m_hintergrund = new Klickbild(this);
    m_hintergrund->setObjectName(QStringLiteral("hintergrund"));
    m_hintergrund->setGeometry(0, 0, 499, 399);
    m_hintergrund->setPixmap(willkommensHintergrund());
    connect(m_hintergrund, &Klickbild::gedrueckt, this, [this](const QPoint& p) { ziehenBeginnen(p); });
    connect(m_hintergrund, &Klickbild::losgelassen, this, [this] { ziehenBeenden(); });

    m_willkommenstext = new QTextEdit(this);
    m_willkommenstext->setObjectName(QStringLiteral("willkommenstext"));
    m_willkommenstext->setAccessibleName(QStringLiteral("Willkommenstext"));
    m_willkommenstext->setReadOnly(true);
    m_willkommenstext->setFrameShape(QFrame::NoFrame);
    m_willkommenstext->setGeometry(104, 73, 293, 244);
    m_willkommenstext->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_willkommenstext->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The window's own keys and arrows scroll; the field takes no focus and shows no caret.
    m_willkommenstext->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_willkommenstext->setFocusPolicy(Qt::NoFocus);
    QPalette rp = m_willkommenstext->palette();
    for (auto g : { QPalette::Active, QPalette::Inactive, QPalette::Disabled })
        rp.setColor(g, QPalette::Base, QColor(129, 185, 220));
    m_willkommenstext->setPalette(rp);
    m_willkommenstext->viewport()->setPalette(rp);

    m_pfeilHoch = new Klickbild(this);
    m_pfeilHoch->setObjectName(QStringLiteral("pfeilHoch"));
    m_pfeilHoch->setAccessibleName(QStringLiteral("Nach oben blättern"));
    m_pfeilHoch->setToolTip(QStringLiteral("Nach oben blättern"));
    m_pfeilHoch->setGeometry(408, 94, 75, 83);
    m_pfeilHoch->setPixmap(durchsichtig(pfeilBild(true, false)));
    connect(m_pfeilHoch, &Klickbild::gedrueckt, this, [this] { guarded(this, [this] { hochDruecken(); }); });
    connect(
        m_pfeilHoch, &Klickbild::losgelassen, this, [this] { guarded(this, [this] { hochLoslassen(); }); });
    connect(m_pfeilHoch, &Klickbild::betaetigt, this, [this] { blaettern(-3); });

    m_pfeilRunter = new Klickbild(this);
    m_pfeilRunter->setObjectName(QStringLiteral("pfeilRunter"));
    m_pfeilRunter->setAccessibleName(QStringLiteral("Nach unten blättern"));
    m_pfeilRunter->setToolTip(QStringLiteral("Nach unten blättern"));
    m_pfeilRunter->setGeometry(410, 222, 81, 74);
    m_pfeilRunter->setPixmap(durchsichtig(pfeilBild(false, false)));
    connect(
        m_pfeilRunter, &Klickbild::gedrueckt, this, [this] { guarded(this, [this] { runterDruecken(); }); });
    connect(m_pfeilRunter, &Klickbild::losgelassen, this,
        [this] { guarded(this, [this] { runterLoslassen(); }); });
    connect(m_pfeilRunter, &Klickbild::betaetigt, this, [this] { blaettern(3); });

    m_ankreuzfeld = new Ankreuzfeld(QColor(160, 170, 216), QColor(37, 46, 118), this);
    m_ankreuzfeld->setObjectName(QStringLiteral("ankreuzfeld"));
    m_ankreuzfeld->setAccessibleName(QStringLiteral("Immer anzeigen"));
    m_ankreuzfeld->setGeometry(380, 373, 20, 19);
    m_haken = m_ankreuzfeld->haken();
    m_haken->setObjectName(QStringLiteral("haken"));
    {
        QLabel* model = blauesLabel(QString(), "model", this);
        m_haken->setFont(model->font());
        m_haken->setPalette(model->palette());
        delete model;
    }
    m_haken->setGeometry(0, 0, 20, 19);
    m_haken->setText(QStringLiteral("X"));
    connect(m_ankreuzfeld, &Ankreuzfeld::gedrueckt, this, [this] { hakenUmschalten(); });

    m_immerAnzeigen = blauesLabel(QStringLiteral("Immer anzeigen"), "immerAnzeigen", this);
    m_immerAnzeigen->adjustSize();
    m_immerAnzeigen->move(380 - 7 - m_immerAnzeigen->width(), 375);

    m_weiter = new HotLabel(QStringLiteral("OK, weiter"), this);
    m_weiter->setObjectName(QStringLiteral("weiter"));
    {
        QLabel* model = blauesLabel(QString(), "model", this, true);
        m_weiter->setFont(model->font());
        m_weiter->setPalette(model->palette());
        delete model;
    }
    m_weiter->adjustSize();
    m_weiter->move(412, 375);
    // Any mouse button leaves; the keyboard and screen readers press it as a button.
    m_weiter->installEventFilter(this);
    connect(m_weiter, &HotLabel::pressed, this, [this] { weiter(); });

    m_takt = new QTimer(this);
    m_takt->setObjectName(QStringLiteral("takt"));
    m_takt->setInterval(50);
    connect(m_takt, &QTimer::timeout, this, [this] { takt(); });
    m_takt->start();

    centreOnScreen(this);
    starten();
}

void Willkommensfenster::starten()
{
    if (m_einstellungen)
        m_einstellungen->hide();
    const bool textThere = QFileInfo::exists(willkommenstextPfad(st));
    if (!textThere)
        Meldung(QStringLiteral(
                    "Eine Datei der Tellerkiste ist beschädigt. \rBitte laden Sie die Tellerkiste neu von ")
                + QLatin1String(kWebseite) + QStringLiteral(" herunter!"),
            QStringLiteral("Fehler!"));

    // Without its text the welcome window would be an empty frame: go on to the main window.
    const bool loaded = textThere && loadRtfFile(willkommenstextPfad(st), *m_willkommenstext->document());
    m_willkommenstext->moveCursor(QTextCursor::Start);
    m_willkommenstext->verticalScrollBar()->setValue(0);
    bool zeigen = true;
    if (st.einstellungenIni)
        zeigen = Einstellungen::willkommenZeigen(*st.einstellungenIni);
    if (zeigen && loaded) {
        show();
        raise();
        activateWindow();
    } else {
        hide();
        if (m_haupt) {
            m_haupt->show();
            m_haupt->raise();
            m_haupt->activateWindow();
        }
    }
}

void Willkommensfenster::pfeilLaden(Klickbild* arrow, const char* file)
{
    const QString path = st.path(QStringLiteral("Data/Grafiken/") + QLatin1String(file));
    QImage img;
    if (!img.load(path, "BMP"))
        throw Error(
            QStringLiteral("Die Grafik %1 kann nicht geladen werden.").arg(QDir::toNativeSeparators(path)));
    arrow->setPixmap(durchsichtig(img));
}

void Willkommensfenster::hochDruecken()
{
    pfeilLaden(m_pfeilHoch, "pfeil_hoch_gedrueckt.bmp");
    hochGedrueckt = true;
}

void Willkommensfenster::hochLoslassen()
{
    pfeilLaden(m_pfeilHoch, "pfeil_hoch_normal.bmp");
    hochGedrueckt = false;
}

void Willkommensfenster::runterDruecken()
{
    pfeilLaden(m_pfeilRunter, "pfeil_runter_gedrueckt.bmp");
    runterGedrueckt = true;
}

void Willkommensfenster::runterLoslassen()
{
    pfeilLaden(m_pfeilRunter, "pfeil_runter_normal.bmp");
    runterGedrueckt = false;
}

void Willkommensfenster::hakenUmschalten()
{
    m_haken->setText(m_haken->text() == QLatin1String("X") ? QString() : QStringLiteral("X"));
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent ev(m_ankreuzfeld, changed);
    QAccessible::updateAccessibility(&ev);
}

void Willkommensfenster::weiter()
{
    hide();
    if (m_haupt) {
        m_haupt->show();
        m_haupt->raise();
        m_haupt->activateWindow();
    }
    guarded(m_haupt.data(), [this] {
        if (st.einstellungenIni)
            Einstellungen::schreibeWillkommenZeigen(
                *st.einstellungenIni, m_haken->text() == QLatin1String("X"));
        st.sammlung.merkeEigene(settingsPath(st.programDir));
    });
}

void Willkommensfenster::ziehenBeginnen(const QPoint& pos)
{
    wirdGezogen = true;
    griff = pos;
}

void Willkommensfenster::ziehenBeenden() { wirdGezogen = false; }

void Willkommensfenster::takt()
{
    if (isVisible()) {
        if (m_haupt)
            m_haupt->hide();
        if (m_einstellungen)
            m_einstellungen->hide();
        if (m_suche)
            m_suche->hide();
    }
    if (hochGedrueckt)
        blaettern(-1);
    if (runterGedrueckt)
        blaettern(1);
    if (wirdGezogen) {
        const QPoint p = zeigerPosition();
        move(p.x() - griff.x(), p.y() - griff.y());
    }
}

QList<int> Willkommensfenster::zeilenOberkanten() const
{
    QList<int> tops;
    QTextDocument* doc = m_willkommenstext->document();
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const QRectF box = layout->blockBoundingRect(b);
        const QTextLayout* tl = b.layout();
        if (!tl || tl->lineCount() == 0) {
            tops.append(int(box.top()));
            continue;
        }
        for (int i = 0; i < tl->lineCount(); ++i)
            tops.append(int(box.top() + tl->lineAt(i).y()));
    }
    return tops;
}

int Willkommensfenster::obersteZeile() const
{
    const int y = m_willkommenstext->verticalScrollBar()->value();
    const QList<int> tops = zeilenOberkanten();
    int line = 0;
    for (int i = 0; i < tops.size(); ++i)
        if (tops.at(i) <= y)
            line = i;
    return line;
}

void Willkommensfenster::blaettern(int lines)
{
    QScrollBar* bar = m_willkommenstext->verticalScrollBar();
    const QList<int> tops = zeilenOberkanten();
    if (tops.isEmpty() || lines == 0)
        return;
    const int y = bar->value();
    int current = 0;
    for (int i = 0; i < tops.size(); ++i)
        if (tops.at(i) <= y)
            current = i;
    // A partly hidden top line counts as the line to scroll back to.
    if (lines < 0 && tops.at(current) < y)
        ++current;
    const int target = std::clamp(current + lines, 0, int(tops.size()) - 1);
    // Past either end nothing happens; the scroll bar's range keeps the last page whole.
    bar->setValue(target == 0 ? 0 : std::min(tops.at(target), bar->maximum()));
}

bool Willkommensfenster::eventFilter(QObject* o, QEvent* e)
{
    if (o == m_weiter && e->type() == QEvent::MouseButtonPress) {
        weiter();
        return true;
    }
    return QDialog::eventFilter(o, e);
}

void Willkommensfenster::closeEvent(QCloseEvent* e)
{
    // Closing the welcome window through the system ends the program.
    e->accept();
    Application::requestQuit();
}

void Willkommensfenster::keyPressEvent(QKeyEvent* e)
{
    // Escape would only hide the dialog and leave no window on the screen; keys scroll instead.
    switch (e->key()) {
    case Qt::Key_Up:
        blaettern(-1);
        return;
    case Qt::Key_Down:
        blaettern(1);
        return;
    case Qt::Key_PageUp:
        blaettern(-8);
        return;
    case Qt::Key_PageDown:
        blaettern(8);
        return;
    case Qt::Key_Escape:
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        weiter();
        return;
    default:
        QDialog::keyPressEvent(e);
    }
}

} // namespace tk
