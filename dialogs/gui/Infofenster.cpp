#include "dialogs/gui/Infofenster.h"

#include <QLabel>
#include <QListWidget>
#include <QUrl>

#include "dialogs/gui/WelcomeArt.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/HotLabel.h"
#include "store/Webadressen.h"
#include "store/AppState.h"

namespace tk {

namespace {
    const QColor kText(64, 79, 102);

    QLabel* label(const QString& text, const char* name, QWidget* parent, int x, int y)
    {
        auto* l = new QLabel(text, parent);
        l->setObjectName(QLatin1String(name));
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, kText);
        l->setPalette(p);
        l->move(x, y);
        l->adjustSize();
        return l;
    }

    void setLook(QLabel* l, bool bold, bool italic, bool underline)
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
    setFixedSize(426, 262);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    QFont base(QStringLiteral("Arial"));
    base.setPointSize(8);
    setFont(base);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(110, 30, 313, 209);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(aboutPicture().scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    Label1 = label(QStringLiteral("Brutzels Tellerkiste 3.40 "), "Label1", this, 10, 8);
    QFont title = Label1->font();
    title.setPixelSize(19);
    title.setBold(true);
    Label1->setFont(title);
    Label1->adjustSize();

    Label2 = label(QStringLiteral("Programmiert von: "), "Label2", this, 10, 42);
    setLook(Label2, false, false, true);

    Label3 = new HotLabel(QStringLiteral("das Tellerkiste-Team"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setToolTip(QStringLiteral("Zur Webseite der Tellerkiste"));
    QFont link = Label3->font();
    link.setUnderline(true);
    Label3->setFont(link);
    QPalette lp = Label3->palette();
    lp.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label3->setPalette(lp);
    Label3->move(10, 58);
    Label3->adjustSize();
    connect(Label3, &HotLabel::clicked, this, [this] { Label3Click(); });

    Label12 = label(QStringLiteral("Betatester:"), "Label12", this, 10, 84);
    setLook(Label12, false, false, true);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setAccessibleName(QStringLiteral("Betatester"));
    ListBox1->setGeometry(10, 101, 177, 57);
    ListBox1->setFrameShape(QFrame::Box);
    ListBox1->setFrameShadow(QFrame::Plain);
    ListBox1->setFocusPolicy(Qt::NoFocus);
    QPalette bp = ListBox1->palette();
    bp.setColor(QPalette::Text, kText);
    bp.setColor(QPalette::WindowText, QColor(170, 185, 210));
    ListBox1->setPalette(bp);
    ListBox1->addItems(
        { QStringLiteral("die Kochrunde vom Dienstag"), QStringLiteral("Oma Hildes Küchenteam"),
            QStringLiteral("alle, die Fehler gemeldet haben"), QStringLiteral("Familie und Freunde") });

    Label6 = label(
        QStringLiteral("Die Tellerkiste wird ohne jede Gewähr weitergegeben."), "Label6", this, 10, 168);
    Label7 = label(QStringLiteral("Ihre Rezepte bleiben in Ihren eigenen Dateien"), "Label7", this, 10, 184);
    Label8 = label(QStringLiteral("und gehören ganz allein Ihnen."), "Label8", this, 10, 200);
    Label10
        = label(QStringLiteral("Viel Spaß noch mit der Benutzung dieser Software"), "Label10", this, 10, 222);
    Label11 = label(QStringLiteral("Ihr Tellerkiste-Team"), "Label11", this, 10, 240);
    setLook(Label11, false, true, false);

    FormCreate();
}

void Infofenster::FormCreate() { setWindowTitle(QStringLiteral("Brutzels Tellerkiste 3.40 (01/2007)")); }

void Infofenster::Label3Click() { openWithDesktop(QUrl(QLatin1String(kWebseite))); }

} // namespace tk
