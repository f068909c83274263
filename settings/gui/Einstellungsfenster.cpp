#include "settings/gui/Einstellungsfenster.h"

#include <QKeyEvent>
#include <functional>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "platform/Error.h"
#include "platform/gui/HotLabel.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"
#include "settings/Einstellungen.h"
#include "settings/gui/Farbschema.h"
#include "settings/gui/HueBar.h"
#include "store/AppState.h"
#include "store/Formats.h"

namespace tk {

namespace {
    QLabel* heading(const QString& text, const char* name, QWidget* parent)
    {
        auto* l = new QLabel(text, parent);
        l->setObjectName(QLatin1String(name));
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    }
}

Einstellungsfenster::Einstellungsfenster(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , st(state)
{
    setObjectName(QStringLiteral("einstellungsfenster"));
    setWindowTitle(QStringLiteral("Programmeinstellungen"));
    setFixedSize(373, 194);
    setAutoFillBackground(true);
    QFont base(QStringLiteral("Arial"));
    base.setPointSize(8);
    setFont(base);

    Label2
        = heading(QStringLiteral("Programmfarbe (auf den Balken klicken um sie zu ändern):"), "Label2", this);
    Label2->setGeometry(7, 6, 362, 17);

    Image1 = new HueBar(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Programmfarbe"));
    Image1->setToolTip(QStringLiteral("Auf den Balken klicken, um die Programmfarbe zu wählen"));
    Image1->move(7, 26);
    connect(Image1, &HueBar::picked, this, [this](int x) { Image1MouseDown(x); });

    Label1 = new HotLabel(QStringLiteral("Auf die normale Farbe zurücksetzen"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont u = Label1->font();
    u.setUnderline(true);
    Label1->setFont(u);
    Label1->setGeometry(7, 54, 250, 17);
    connect(Label1, &HotLabel::clicked, this, [this] { Label1Click(); });

    Label3 = heading(QStringLiteral("Schriftgröße:"), "Label3", this);
    Label3->setGeometry(7, 80, 150, 17);

    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setAccessibleName(QStringLiteral("Schriftgröße"));
    TrackBar1->setRange(6, 12);
    TrackBar1->setPageStep(1);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    TrackBar1->setGeometry(3, 98, 170, 28);
    connect(TrackBar1, &QSlider::valueChanged, this, [this] { TrackBar1Change(); });

    Label4 = new QLabel(QStringLiteral("Beispieltext..."), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setFont(QFont(QStringLiteral("Arial")));
    Label4->setGeometry(182, 96, 185, 30);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    Label6 = heading(QStringLiteral("Standard-Autor von Rezepten: "), "Label6", this);
    Label6->setGeometry(7, 136, 182, 17);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setAccessibleName(QStringLiteral("Standard-Autor von Rezepten"));
    Edit2->setGeometry(190, 133, 176, 22);
    Label6->setBuddy(Edit2);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(196, 163, 82, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] { guarded(this, [this] { Panel1Click(); }); });
    Button2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(284, 163, 82, 25);
    connect(Button2, &QPushButton::clicked, this, [this] { Panel2Click(); });

    TrackBar1->setValue(8);
    TrackBar1Change();
    FormCreate();
}

void Einstellungsfenster::FormCreate()
{
    Image1->draw();
    hide();
}

void Einstellungsfenster::keyPressEvent(QKeyEvent* e)
{
    // The window closes only through its two buttons; Escape means "Abbrechen".
    if (e->key() == Qt::Key_Escape) {
        Panel2Click();
        return;
    }
    QDialog::keyPressEvent(e);
}

void Einstellungsfenster::preview(const QColor& background, const QColor& buttonText)
{
    setBackground(this, background);
    setTextColour(Button1, buttonText);
    setTextColour(Button2, buttonText);
}

void Einstellungsfenster::Image1MouseDown(int x)
{
    const Farbschema s = hueSchema(x);
    preview(s.panel, s.text);
    Image1->setHue(x);
    st.farbton = x;
    st.normaleFarbe = false;
}

void Einstellungsfenster::Label1Click()
{
    st.normaleFarbe = true;
    Image1->setHue(-1);
    const Farbschema s = normalSchema();
    preview(s.panel, s.text);
}

void Einstellungsfenster::TrackBar1Change() { setPointSize(Label4, TrackBar1->value()); }

void Einstellungsfenster::Panel1Click()
{
    if (!st.einstellungenIni)
        st.einstellungenIni = std::make_unique<IniFile>(settingsPath(st.programDir));
    IniFile& ini = *st.einstellungenIni;

    // Each step applies in memory and on screen first, so a settings file that cannot be written
    // still leaves the chosen look in force; the first failure is reported at the end.
    QString failure;
    auto store = [&](const std::function<void()>& write) {
        try {
            if (failure.isEmpty())
                write();
        } catch (const std::exception& e) {
            failure = messageOf(e);
        }
    };

    st.autorVorgabe = Edit2->text();
    store([&] { Einstellungen::writeAutor(ini, st.autorVorgabe); });

    st.schriftgroesse = TrackBar1->value();
    store([&] { Einstellungen::writeSize(ini, st.schriftgroesse); });

    if (st.normaleFarbe) {
        store([&] { Einstellungen::writeSchema(ini, true, st.farbton); });
    } else {
        setBackground(this, hueSchema(st.farbton).panel);
        store([&] { Einstellungen::writeSchema(ini, false, st.farbton); });
    }
    st.sammlung.merkeEigene(settingsPath(st.programDir));
    // The main window applies font and colours itself.
    emit st.sammlung.einstellungenGeaendert();
    hide();
    if (!failure.isEmpty())
        throw Error(failure);
}

void Einstellungsfenster::Panel2Click() { hide(); }

void Einstellungsfenster::zeigen(QWidget* ueber)
{
    if (!st.einstellungenIni)
        st.einstellungenIni = std::make_unique<IniFile>(settingsPath(st.programDir));
    const IniFile& ini = *st.einstellungenIni;
    Edit2->setText(st.autorVorgabe);
    st.normaleFarbe = !Einstellungen::skin(ini);
    st.farbton = Einstellungen::farbe(ini);
    Image1->setHue(st.normaleFarbe ? -1 : st.farbton);
    // The track bar clamps an out-of-range size to its nearer end.
    TrackBar1->setValue(Einstellungen::klemmeGroesse(Einstellungen::size(ini)));
    centreOn(this, ueber);
    show();
    raise();
    activateWindow();
}

void Einstellungsfenster::EinstellungenLaden()
{
    st.einstellungenIni = std::make_unique<IniFile>(settingsPath(st.programDir));
    const IniFile& ini = *st.einstellungenIni;
    st.autorVorgabe = Einstellungen::standardAutor(ini);
    Edit2->setText(st.autorVorgabe);
    st.normaleFarbe = !Einstellungen::skin(ini);
    st.farbton = Einstellungen::farbe(ini);
    Image1->setHue(st.normaleFarbe ? -1 : st.farbton);
    TrackBar1->setValue(Einstellungen::klemmeGroesse(Einstellungen::size(ini)));
    try {
        Panel1Click();
    } catch (const std::exception& e) {
        errorReport(this, messageOf(e));
    }
    st.schriftgroesse = Einstellungen::size(ini);
}

} // namespace tk
