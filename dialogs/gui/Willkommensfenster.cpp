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

#include "dialogs/gui/WelcomeArt.h"
#include "dialogs/gui/WelcomeParts.h"
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

    QLabel* navyLabel(const QString& text, const char* name, QWidget* parent, bool underline = false)
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

    QString welcomePath(const AppState& st) { return st.path(QStringLiteral("Data/Sonstiges/Welcome.rtf")); }
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
    pointerPos = [] { return QCursor::pos(); };

    Image6 = new PressPicture(this);
    Image6->setObjectName(QStringLiteral("Image6"));
    Image6->setGeometry(0, 0, 499, 399);
    Image6->setPixmap(welcomeBackground());
    connect(Image6, &PressPicture::pressed, this, [this](const QPoint& p) { Image1MouseDown(p); });
    connect(Image6, &PressPicture::released, this, [this] { Image1MouseUp(); });

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setAccessibleName(QStringLiteral("Willkommenstext"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setFrameShape(QFrame::NoFrame);
    RichEdit1->setGeometry(104, 73, 293, 244);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The window's own keys and arrows scroll; the field takes no focus and shows no caret.
    RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    RichEdit1->setFocusPolicy(Qt::NoFocus);
    QPalette rp = RichEdit1->palette();
    for (auto g : { QPalette::Active, QPalette::Inactive, QPalette::Disabled })
        rp.setColor(g, QPalette::Base, QColor(129, 185, 220));
    RichEdit1->setPalette(rp);
    RichEdit1->viewport()->setPalette(rp);

    Image4 = new PressPicture(this);
    Image4->setObjectName(QStringLiteral("Image4"));
    Image4->setAccessibleName(QStringLiteral("Nach oben blättern"));
    Image4->setToolTip(QStringLiteral("Nach oben blättern"));
    Image4->setGeometry(408, 94, 75, 83);
    Image4->setPixmap(transparentPicture(arrowPicture(true, false)));
    connect(Image4, &PressPicture::pressed, this, [this] { guarded(this, [this] { Image4MouseDown(); }); });
    connect(Image4, &PressPicture::released, this, [this] { guarded(this, [this] { Image4MouseUp(); }); });
    connect(Image4, &PressPicture::stepped, this, [this] { scrollLines(-3); });

    Image5 = new PressPicture(this);
    Image5->setObjectName(QStringLiteral("Image5"));
    Image5->setAccessibleName(QStringLiteral("Nach unten blättern"));
    Image5->setToolTip(QStringLiteral("Nach unten blättern"));
    Image5->setGeometry(410, 222, 81, 74);
    Image5->setPixmap(transparentPicture(arrowPicture(false, false)));
    connect(Image5, &PressPicture::pressed, this, [this] { guarded(this, [this] { Image5MouseDown(); }); });
    connect(Image5, &PressPicture::released, this, [this] { guarded(this, [this] { Image5MouseUp(); }); });
    connect(Image5, &PressPicture::stepped, this, [this] { scrollLines(3); });

    Shape2 = new TickBox(QColor(160, 170, 216), QColor(37, 46, 118), this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setAccessibleName(QStringLiteral("Immer anzeigen"));
    Shape2->setGeometry(380, 373, 20, 19);
    Label3 = Shape2->tick();
    Label3->setObjectName(QStringLiteral("Label3"));
    {
        QLabel* model = navyLabel(QString(), "model", this);
        Label3->setFont(model->font());
        Label3->setPalette(model->palette());
        delete model;
    }
    Label3->setGeometry(0, 0, 20, 19);
    Label3->setText(QStringLiteral("X"));
    connect(Shape2, &TickBox::pressed, this, [this] { Label3MouseDown(); });

    Label4 = navyLabel(QStringLiteral("Immer anzeigen"), "Label4", this);
    Label4->adjustSize();
    Label4->move(380 - 7 - Label4->width(), 375);

    Label2 = new HotLabel(QStringLiteral("OK, weiter"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    {
        QLabel* model = navyLabel(QString(), "model", this, true);
        Label2->setFont(model->font());
        Label2->setPalette(model->palette());
        delete model;
    }
    Label2->adjustSize();
    Label2->move(412, 375);
    // Any mouse button leaves; the keyboard and screen readers press it as a button.
    Label2->installEventFilter(this);
    connect(Label2, &HotLabel::pressed, this, [this] { Shape1MouseDown(); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1->start();

    centreOnScreen(this);
    FormCreate();
}

void Willkommensfenster::FormCreate()
{
    if (m_einstellungen)
        m_einstellungen->hide();
    const bool textThere = QFileInfo::exists(welcomePath(st));
    if (!textThere)
        Meldung(QStringLiteral(
                    "Eine Datei der Tellerkiste ist beschädigt. \rBitte laden Sie die Tellerkiste neu von ")
                + QLatin1String(kWebseite) + QStringLiteral(" herunter!"),
            QStringLiteral("Fehler!"));

    if (m_einstellungen)
        m_einstellungen->EinstellungenLaden();

    // Without its text the welcome window would be an empty frame: go on to the main window.
    const bool loaded = textThere && loadRtfFile(welcomePath(st), *RichEdit1->document());
    RichEdit1->moveCursor(QTextCursor::Start);
    RichEdit1->verticalScrollBar()->setValue(0);
    bool zeigen = true;
    if (st.einstellungenIni)
        zeigen = Einstellungen::showWelcome(*st.einstellungenIni);
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

void Willkommensfenster::loadArrow(PressPicture* arrow, const char* file)
{
    const QString path = st.path(QStringLiteral("Data/Grafiken/") + QLatin1String(file));
    QImage img;
    if (!img.load(path, "BMP"))
        throw Error(
            QStringLiteral("Die Grafik %1 kann nicht geladen werden.").arg(QDir::toNativeSeparators(path)));
    arrow->setPixmap(transparentPicture(img));
}

void Willkommensfenster::Image4MouseDown()
{
    loadArrow(Image4, "pfeil_hoch_gedrueckt.bmp");
    PfeilHoch = true;
}

void Willkommensfenster::Image4MouseUp()
{
    loadArrow(Image4, "pfeil_hoch_normal.bmp");
    PfeilHoch = false;
}

void Willkommensfenster::Image5MouseDown()
{
    loadArrow(Image5, "pfeil_runter_gedrueckt.bmp");
    PfeilRunter = true;
}

void Willkommensfenster::Image5MouseUp()
{
    loadArrow(Image5, "pfeil_runter_normal.bmp");
    PfeilRunter = false;
}

void Willkommensfenster::Label3MouseDown()
{
    Label3->setText(Label3->text() == QLatin1String("X") ? QString() : QStringLiteral("X"));
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent ev(Shape2, changed);
    QAccessible::updateAccessibility(&ev);
}

void Willkommensfenster::Shape1MouseDown()
{
    hide();
    if (m_haupt) {
        m_haupt->show();
        m_haupt->raise();
        m_haupt->activateWindow();
    }
    guarded(m_haupt.data(), [this] {
        if (st.einstellungenIni)
            Einstellungen::writeShowWelcome(*st.einstellungenIni, Label3->text() == QLatin1String("X"));
        st.sammlung.merkeEigene(settingsPath(st.programDir));
    });
}

void Willkommensfenster::Image1MouseDown(const QPoint& pos)
{
    Ziehen = true;
    Griff = pos;
}

void Willkommensfenster::Image1MouseUp() { Ziehen = false; }

void Willkommensfenster::Timer1Timer()
{
    if (isVisible()) {
        if (m_haupt)
            m_haupt->hide();
        if (m_einstellungen)
            m_einstellungen->hide();
        if (m_suche)
            m_suche->hide();
    }
    if (PfeilHoch)
        scrollLines(-1);
    if (PfeilRunter)
        scrollLines(1);
    if (Ziehen) {
        const QPoint p = pointerPos();
        move(p.x() - Griff.x(), p.y() - Griff.y());
    }
}

QList<int> Willkommensfenster::lineTops() const
{
    QList<int> tops;
    QTextDocument* doc = RichEdit1->document();
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

int Willkommensfenster::topLine() const
{
    const int y = RichEdit1->verticalScrollBar()->value();
    const QList<int> tops = lineTops();
    int line = 0;
    for (int i = 0; i < tops.size(); ++i)
        if (tops.at(i) <= y)
            line = i;
    return line;
}

void Willkommensfenster::scrollLines(int lines)
{
    QScrollBar* bar = RichEdit1->verticalScrollBar();
    const QList<int> tops = lineTops();
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
    if (o == Label2 && e->type() == QEvent::MouseButtonPress) {
        Shape1MouseDown();
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
        scrollLines(-1);
        return;
    case Qt::Key_Down:
        scrollLines(1);
        return;
    case Qt::Key_PageUp:
        scrollLines(-8);
        return;
    case Qt::Key_PageDown:
        scrollLines(8);
        return;
    case Qt::Key_Escape:
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Shape1MouseDown();
        return;
    default:
        QDialog::keyPressEvent(e);
    }
}

} // namespace tk
