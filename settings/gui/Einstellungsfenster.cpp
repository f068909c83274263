#include "settings/gui/Einstellungsfenster.h"

#include <QKeyEvent>
#include <functional>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "platform/Error.h"
#include "platform/gui/FontSize.h"
#include "platform/gui/HotLabel.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"
#include "settings/Einstellungen.h"
#include "settings/gui/Farbschema.h"
#include "settings/gui/Farbtonbalken.h"
#include "store/AppState.h"
#include "store/Formats.h"

namespace tk {

namespace {
    QLabel* ueberschrift(const QString& text, const QRect& geometrie, QWidget* parent)
    {
        auto* l = new QLabel(text, parent);
        l->setGeometry(geometrie);
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

    ueberschrift(
        QStringLiteral("Programmfarbe (auf den Balken klicken um sie zu ändern):"), { 7, 6, 362, 17 }, this);

    m_farbbalken = new Farbtonbalken(this);
    m_farbbalken->setObjectName(QStringLiteral("farbbalken"));
    m_farbbalken->setAccessibleName(QStringLiteral("Programmfarbe"));
    m_farbbalken->setToolTip(QStringLiteral("Auf den Balken klicken, um die Programmfarbe zu wählen"));
    m_farbbalken->move(7, 26);
    connect(m_farbbalken, &Farbtonbalken::gewaehlt, this, [this](int x) { farbtonGewaehlt(x); });

    m_normaleFarbe = new HotLabel(QStringLiteral("Auf die normale Farbe zurücksetzen"), this);
    m_normaleFarbe->setObjectName(QStringLiteral("normaleFarbe"));
    QFont u = m_normaleFarbe->font();
    u.setUnderline(true);
    m_normaleFarbe->setFont(u);
    m_normaleFarbe->setGeometry(7, 54, 250, 17);
    connect(m_normaleFarbe, &HotLabel::clicked, this, [this] { normaleFarbeWaehlen(); });

    ueberschrift(QStringLiteral("Schriftgröße:"), { 7, 80, 150, 17 }, this);

    m_schriftgroesse = new QSlider(Qt::Horizontal, this);
    m_schriftgroesse->setObjectName(QStringLiteral("schriftgroesse"));
    m_schriftgroesse->setAccessibleName(QStringLiteral("Schriftgröße"));
    m_schriftgroesse->setRange(6, 12);
    m_schriftgroesse->setPageStep(1);
    m_schriftgroesse->setTickPosition(QSlider::TicksBelow);
    m_schriftgroesse->setTickInterval(1);
    m_schriftgroesse->setGeometry(3, 98, 170, 28);
    connect(m_schriftgroesse, &QSlider::valueChanged, this, [this] { schriftgroesseGeaendert(); });

    m_beispiel = new QLabel(QStringLiteral("Beispieltext..."), this);
    m_beispiel->setObjectName(QStringLiteral("beispiel"));
    m_beispiel->setFont(QFont(QStringLiteral("Arial")));
    m_beispiel->setGeometry(182, 96, 185, 30);
    m_beispiel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    QLabel* autorText
        = ueberschrift(QStringLiteral("Standard-Autor von Rezepten: "), { 7, 136, 182, 17 }, this);
    m_autor = new QLineEdit(this);
    m_autor->setObjectName(QStringLiteral("autor"));
    m_autor->setAccessibleName(QStringLiteral("Standard-Autor von Rezepten"));
    m_autor->setGeometry(190, 133, 176, 22);
    autorText->setBuddy(m_autor);

    m_uebernehmen = new QPushButton(QStringLiteral("OK"), this);
    m_uebernehmen->setObjectName(QStringLiteral("uebernehmen"));
    m_uebernehmen->setGeometry(196, 163, 82, 25);
    m_uebernehmen->setDefault(true);
    connect(m_uebernehmen, &QPushButton::clicked, this, [this] { guarded(this, [this] { uebernehmen(); }); });
    m_abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_abbrechen->setObjectName(QStringLiteral("abbrechen"));
    m_abbrechen->setGeometry(284, 163, 82, 25);
    connect(m_abbrechen, &QPushButton::clicked, this, [this] { abbrechen(); });

    m_schriftgroesse->setValue(8);
    schriftgroesseGeaendert();
    m_farbbalken->zeichnen();
    hide();
}

void Einstellungsfenster::keyPressEvent(QKeyEvent* e)
{
    // The window closes only through its two buttons; Escape means "Abbrechen".
    if (e->key() == Qt::Key_Escape) {
        abbrechen();
        return;
    }
    QDialog::keyPressEvent(e);
}

void Einstellungsfenster::vorschau(const QColor& background, const QColor& buttonText)
{
    setzeHintergrund(this, background);
    setzeTextfarbe(m_uebernehmen, buttonText);
    setzeTextfarbe(m_abbrechen, buttonText);
}

void Einstellungsfenster::farbtonGewaehlt(int x)
{
    const Farbschema s = farbtonSchema(x);
    vorschau(s.panel, s.text);
    m_farbbalken->setFarbton(x);
    st.farbton = x;
    st.normaleFarbe = false;
}

void Einstellungsfenster::normaleFarbeWaehlen()
{
    st.normaleFarbe = true;
    m_farbbalken->setFarbton(-1);
    const Farbschema s = normalesSchema();
    vorschau(s.panel, s.text);
}

void Einstellungsfenster::schriftgroesseGeaendert()
{
    setzeSchriftgroesse(m_beispiel, m_schriftgroesse->value());
}

void Einstellungsfenster::uebernehmen()
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

    st.autorVorgabe = m_autor->text();
    store([&] { Einstellungen::schreibeAutor(ini, st.autorVorgabe); });

    st.schriftgroesse = m_schriftgroesse->value();
    applyFontSize(st.schriftgroesse);
    store([&] { Einstellungen::schreibeSchriftgroesse(ini, st.schriftgroesse); });

    if (st.normaleFarbe) {
        store([&] { Einstellungen::schreibeFarben(ini, true, st.farbton); });
    } else {
        setzeHintergrund(this, farbtonSchema(st.farbton).panel);
        store([&] { Einstellungen::schreibeFarben(ini, false, st.farbton); });
    }
    st.sammlung.merkeEigene(settingsPath(st.programDir));
    // The main window applies font and colours itself.
    emit st.sammlung.einstellungenGeaendert();
    hide();
    if (!failure.isEmpty())
        throw Error(failure);
}

void Einstellungsfenster::abbrechen() { hide(); }

void Einstellungsfenster::zeigen(QWidget* ueber)
{
    if (!st.einstellungenIni)
        st.einstellungenIni = std::make_unique<IniFile>(settingsPath(st.programDir));
    const IniFile& ini = *st.einstellungenIni;
    m_autor->setText(st.autorVorgabe);
    st.normaleFarbe = !Einstellungen::eigeneFarben(ini);
    st.farbton = Einstellungen::farbton(ini);
    m_farbbalken->setFarbton(st.normaleFarbe ? -1 : st.farbton);
    // The track bar clamps an out-of-range size to its nearer end.
    m_schriftgroesse->setValue(Einstellungen::klemmeGroesse(Einstellungen::schriftgroesse(ini)));
    centreOn(this, ueber);
    show();
    raise();
    activateWindow();
}

void Einstellungsfenster::einstellungenLaden()
{
    Einstellungen::lesen(st);
    einstellungenAnwenden();
}

void Einstellungsfenster::einstellungenAnwenden()
{
    m_autor->setText(st.autorVorgabe);
    m_farbbalken->setFarbton(st.normaleFarbe ? -1 : st.farbton);
    m_schriftgroesse->setValue(st.schriftgroesse);
    const IniFile& ini = *st.einstellungenIni;
    try {
        uebernehmen();
    } catch (const std::exception& e) {
        errorReport(this, messageOf(e));
    }
    st.schriftgroesse = Einstellungen::schriftgroesse(ini);
}

} // namespace tk
