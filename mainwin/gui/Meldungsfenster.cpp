#include "mainwin/gui/Meldungsfenster.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include "platform/ShownText.h"
#include "platform/gui/Meldung.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"
#include "mainwin/gui/Artwork.h"
#include "store/AppState.h"

namespace tk {

namespace {
    // The window as designed; a longer text makes it grow from here.
    constexpr int kTextLinks = 56, kTextOben = 8, kTextBreite = 240, kTextHoehe = 75;
    constexpr int kRechts = 7, kUnten = 8, kAbstand = 10, kOkBreite = 113, kOkHoehe = 25;

    // Word wrap breaks only between words: a path or address longer than the window would be cut.
    // A zero-width space after its separators, and every 30 characters of a run without any, lets it
    // wrap; only the label sees it.
    QString umbrechbar(const QString& text)
    {
        QString out;
        out.reserve(text.size() + text.size() / 16);
        int lauf = 0;
        for (const QChar c : text) {
            out.append(c);
            if (c.isSpace()) {
                lauf = 0;
                continue;
            }
            ++lauf;
            if (lauf >= 30 || (lauf >= 8 && QStringView(u"/\\_.-,;:=&?").contains(c))) {
                out.append(QChar(0x200B));
                lauf = 0;
            }
        }
        return out;
    }
}

Meldungsfenster::Meldungsfenster(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , st(state)
{
    setObjectName(QStringLiteral("meldungsfenster"));
    setWindowTitle(QStringLiteral("Tellerkiste"));
    setModal(true);
    setFixedSize(303, 126);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    m_symbol = new QLabel(this);
    m_symbol->setObjectName(QStringLiteral("symbol"));
    m_symbol->setGeometry(14, 14, 25, 53);
    m_symbol->setPixmap(messageIcon());
    m_symbol->setAlignment(Qt::AlignCenter);

    // The text wraps in a frameless area that scrolls once the window has grown as far as it may.
    m_flaeche = new QScrollArea(this);
    m_flaeche->setObjectName(QStringLiteral("textflaeche"));
    m_flaeche->setFrameShape(QFrame::NoFrame);
    m_flaeche->setWidgetResizable(true);
    m_flaeche->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_flaeche->setGeometry(kTextLinks, kTextOben, kTextBreite, kTextHoehe);
    m_flaeche->viewport()->setAutoFillBackground(false);
    m_flaeche->setFocusPolicy(Qt::NoFocus);

    m_text = new QLabel(QStringLiteral("Meldung"));
    m_text->setObjectName(QStringLiteral("text"));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_text->setTextFormat(Qt::PlainText);
    m_flaeche->setWidget(m_text);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setGeometry(95, 93, kOkBreite, kOkHoehe);
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    setMeldungsfenster([this](const QString& text, const QString& caption) { melde(text, caption); });
}

Meldungsfenster::~Meldungsfenster() { setMeldungsfenster({}); }

void Meldungsfenster::melde(const QString& text, const QString& caption)
{
    setWindowTitle(caption);
    // "\r" starts a new line. A huge text (a damaged title quoted in a message) is shown cut: laying it
    // out would take longer than reading it.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    if (shown.size() > 2000)
        shown = shownLines(shown.split(u'\n'), 2000, 20000).lines.join(u'\n');
    m_text->setText(umbrechbar(shown));
    m_text->setAccessibleName(shown);
    auslegen();
    centreOn(this, hauptfenster());
    m_flaeche->verticalScrollBar()->setValue(0);
    m_ok->setFocus();
    Modal::exec(this, caption, ModalKind::Meldung, text);
}

void Meldungsfenster::auslegen()
{
    // A text that fits the designed label leaves the window as designed. A longer one widens the label
    // until the text is no taller than about half its width, then lets it grow in height; the window
    // stays within two thirds of the screen, beyond that the text scrolls.
    const QScreen* s = hauptfenster() ? hauptfenster()->screen() : QGuiApplication::primaryScreen();
    const QRect bildschirm = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
    const int okHoehe = std::max(kOkHoehe, m_ok->sizeHint().height());
    const int rand = kTextOben + kAbstand + okHoehe + kUnten;
    const int hoechstBreite = std::max(kTextBreite, bildschirm.width() * 2 / 3 - kTextLinks - kRechts);
    const int hoechstHoehe = std::max(kTextHoehe, bildschirm.height() * 2 / 3 - rand);

    int breite = kTextBreite;
    int hoehe = m_text->heightForWidth(breite);
    while (hoehe > kTextHoehe && hoehe > breite / 2 && breite < hoechstBreite) {
        breite = std::min(hoechstBreite, breite + 40);
        hoehe = m_text->heightForWidth(breite);
    }
    int flaecheBreite = breite;
    if (hoehe > hoechstHoehe) {
        // The scroll bar takes its width beside the text, within the same bounds.
        const int leiste = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        flaecheBreite = std::min(hoechstBreite, breite + leiste);
        m_flaeche->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    } else {
        m_flaeche->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    const int flaecheHoehe = std::clamp(hoehe, kTextHoehe, hoechstHoehe);
    const int w = kTextLinks + flaecheBreite + kRechts;
    const int h = kTextOben + flaecheHoehe + kAbstand + okHoehe + kUnten;
    setFixedSize(w, h);
    m_flaeche->setGeometry(kTextLinks, kTextOben, flaecheBreite, flaecheHoehe);
    m_ok->setGeometry((w - kOkBreite + 1) / 2, h - kUnten - okHoehe, kOkBreite, okHoehe);
}

} // namespace tk
