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

    Image1 = new ImageView(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setMinimumSize(1, 1);
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(kBildPanelHoehe);
    Button1 = new QPushButton(QStringLiteral("Schließen"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(4, 4, 4, 4);
    row->addStretch(1);
    row->addWidget(Button1);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Image1, 1);
    layout->addWidget(Panel1);
    // The layout would otherwise raise the minimum to the button's width.
    layout->setSizeConstraint(QLayout::SetNoConstraint);

    connect(Button1, &QPushButton::clicked, this, [this] { guarded(this, [&] { Label1Click(); }); });
}

void Bildfenster::Label1Click() { hide(); }

void Bildfenster::zeigeBild(const QImage& image, QWidget* over)
{
    QScreen* screen = over && over->screen() ? over->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    // Frame and title bar count towards the limit; they are known once the window was shown.
    QSize frame = frameGeometry().size() - geometry().size();
    if (!frame.isValid())
        frame = QSize(0, 0);
    Image1->setImage(image);
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
