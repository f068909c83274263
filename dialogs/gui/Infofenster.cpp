#include "dialogs/gui/Infofenster.h"

#include <QLabel>
#include <QListWidget>
#include <QUrl>

#include "dialogs/gui/Willkommensgrafik.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/HotLabel.h"
#include "store/Webadressen.h"
#include "store/AppState.h"

namespace tk {

namespace {
    const QColor kText(64, 79, 102);

    QLabel* label(const QString& text, QWidget* parent, int x, int y)
    {
        auto* l = new QLabel(text, parent);
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, kText);
        l->setPalette(p);
        l->move(x, y);
        l->adjustSize();
        return l;
    }

    void setzeSchrift(QLabel* l, bool bold, bool italic, bool underline)
    {
        QFont f = l->font();
        f.setBold(bold);
        f.setItalic(italic);
        f.setUnderline(underline);
        l->setFont(f);
        l->adjustSize();
    }
}

Infofenster::Infofenster(AppState& state, QWidget* parent)
    : QDialog(parent,
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::WindowStaysOnTopHint)
    , st(state)
{
    setObjectName(QStringLiteral("infofenster"));
    setWindowTitle(QStringLiteral("Brutzels Tellerkiste 3.40 (01/2007)"));
    setFixedSize(426, 262);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    QFont base(QStringLiteral("Arial"));
    base.setPointSize(8);
    setFont(base);

    m_bild = new QLabel(this);
    m_bild->setObjectName(QStringLiteral("bild"));
    m_bild->setGeometry(110, 30, 313, 209);
    m_bild->setAlignment(Qt::AlignCenter);
    m_bild->setPixmap(infoBild().scaled(m_bild->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    m_titel = label(QStringLiteral("Brutzels Tellerkiste 3.40 "), this, 10, 8);
    m_titel->setObjectName(QStringLiteral("titel"));
    QFont title = m_titel->font();
    title.setPixelSize(19);
    title.setBold(true);
    m_titel->setFont(title);
    m_titel->adjustSize();

    QLabel* programmiert = label(QStringLiteral("Programmiert von: "), this, 10, 42);
    setzeSchrift(programmiert, false, false, true);

    m_team = new HotLabel(QStringLiteral("das Tellerkiste-Team"), this);
    m_team->setObjectName(QStringLiteral("team"));
    m_team->setToolTip(QStringLiteral("Zur Webseite der Tellerkiste"));
    QFont link = m_team->font();
    link.setUnderline(true);
    m_team->setFont(link);
    QPalette lp = m_team->palette();
    lp.setColor(QPalette::WindowText, QColor(0, 0, 128));
    m_team->setPalette(lp);
    m_team->move(10, 58);
    m_team->adjustSize();
    connect(m_team, &HotLabel::clicked, this, [this] { webseiteOeffnen(); });

    QLabel* betatesterText = label(QStringLiteral("Betatester:"), this, 10, 84);
    setzeSchrift(betatesterText, false, false, true);

    m_betatester = new QListWidget(this);
    m_betatester->setObjectName(QStringLiteral("betatester"));
    m_betatester->setAccessibleName(QStringLiteral("Betatester"));
    m_betatester->setGeometry(10, 101, 177, 57);
    m_betatester->setFrameShape(QFrame::Box);
    m_betatester->setFrameShadow(QFrame::Plain);
    m_betatester->setFocusPolicy(Qt::NoFocus);
    QPalette bp = m_betatester->palette();
    bp.setColor(QPalette::Text, kText);
    bp.setColor(QPalette::WindowText, QColor(170, 185, 210));
    m_betatester->setPalette(bp);
    m_betatester->addItems(
        { QStringLiteral("die Kochrunde vom Dienstag"), QStringLiteral("Oma Hildes Küchenteam"),
            QStringLiteral("alle, die Fehler gemeldet haben"), QStringLiteral("Familie und Freunde") });

    label(QStringLiteral("Die Tellerkiste wird ohne jede Gewähr weitergegeben."), this, 10, 168);
    label(QStringLiteral("Ihre Rezepte bleiben in Ihren eigenen Dateien"), this, 10, 184);
    label(QStringLiteral("und gehören ganz allein Ihnen."), this, 10, 200);
    m_gruss = label(QStringLiteral("Viel Spaß noch mit der Benutzung dieser Software"), this, 10, 222);
    m_gruss->setObjectName(QStringLiteral("gruss"));
    QLabel* unterschrift = label(QStringLiteral("Ihr Tellerkiste-Team"), this, 10, 240);
    setzeSchrift(unterschrift, false, true, false);
}

void Infofenster::webseiteOeffnen() { openWithDesktop(QUrl(QLatin1String(kWebseite))); }

} // namespace tk
