#include "editing/gui/Bildfenster.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/gui/ImageView.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"
#include "store/AppState.h"

namespace tk {

QSize bildFensterMaximum(const QSize& screen, const QSize& frameSize)
{
    const QSize frame = frameSize.isValid() ? frameSize : QSize(0, 0);
    return QSize(std::max(kBildMinBreite, screen.width() - 50 - frame.width()),
        std::max(kBildMinHoehe, screen.height() - 50 - frame.height()));
}

QSize bildFensterGroesse(const QSize& picture, const QSize& screen, const QSize& frame)
{
    const QSize max = bildFensterMaximum(screen, frame);
    const int w = std::clamp(picture.width(), kBildMinBreite, max.width());
    const int h
        = int(std::clamp<qint64>(qint64(picture.height()) + kBildPanelHoehe, kBildMinHoehe, max.height()));
    return QSize(w, h);
}

Bildfenster::Bildfenster(AppState& state, QWidget* parent)
    : QDialog(parent,
        Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::WindowCloseButtonHint)
    , st(state)
{
    setObjectName(QStringLiteral("bildfenster"));
    setWindowTitle(QStringLiteral("Bildanzeiger"));
    setModal(false);
    setMinimumSize(kBildMinBreite, kBildMinHoehe);

    m_bild = new ImageView(this);
    m_bild->setObjectName(QStringLiteral("bild"));
    m_bild->setMinimumSize(1, 1);
    m_knopfleiste = new QWidget(this);
    m_knopfleiste->setObjectName(QStringLiteral("knopfleiste"));
    m_knopfleiste->setFixedHeight(kBildPanelHoehe);
    m_schliessen = new QPushButton(QStringLiteral("Schließen"), m_knopfleiste);
    m_schliessen->setObjectName(QStringLiteral("schliessen"));
    m_schliessen->setDefault(true);
    auto* row = new QHBoxLayout(m_knopfleiste);
    row->setContentsMargins(4, 4, 4, 4);
    row->addStretch(1);
    row->addWidget(m_schliessen);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bild, 1);
    layout->addWidget(m_knopfleiste);
    // The layout would otherwise raise the minimum to the button's width.
    layout->setSizeConstraint(QLayout::SetNoConstraint);

    connect(m_schliessen, &QPushButton::clicked, this, [this] { guarded(this, [&] { schliessen(); }); });
}

void Bildfenster::schliessen() { hide(); }

void Bildfenster::zeigeBild(const QImage& image, QWidget* over)
{
    QScreen* screen = over && over->screen() ? over->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    // Frame and title bar count towards the limit; they are known once the window was shown.
    QSize frame = frameGeometry().size() - geometry().size();
    if (!frame.isValid())
        frame = QSize(0, 0);
    m_bild->setImage(image);
    setMaximumSize(bildFensterMaximum(area.size(), frame));
    resize(bildFensterGroesse(image.size(), area.size(), frame));
    centreOn(this, over);
    // Keep the whole window on the screen, also when the main window is near an edge.
    QRect g = frameGeometry();
    const QRect avail = screen ? screen->availableGeometry() : area;
    if (g.right() > avail.right())
        g.moveRight(avail.right());
    if (g.bottom() > avail.bottom())
        g.moveBottom(avail.bottom());
    if (g.left() < avail.left())
        g.moveLeft(avail.left());
    if (g.top() < avail.top())
        g.moveTop(avail.top());
    move(g.topLeft());
    show();
    raise();
    activateWindow();
}

} // namespace tk
