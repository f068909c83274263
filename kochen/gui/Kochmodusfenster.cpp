#include "kochen/gui/Kochmodusfenster.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "exchange/gui/Halbzahlfeld.h"
#include "kochen/gui/Benachrichtigung.h"
#include "kochen/gui/Wachhalter.h"
#include "platform/gui/Modal.h"
#include "settings/Einstellungen.h"

namespace tk {

namespace {
    // Point sizes at the program's default font size and 100 %: the step is readable from a metre.
    constexpr double kGrundText = 16;
    constexpr double kZutatenText = 20;
    constexpr double kSchrittText = 26;
    constexpr double kTitelText = 30;

    const QColor kAbgelaufen(0xB0, 0x00, 0x00);
    const QColor kWeiss(0xFF, 0xFF, 0xFF);

    // "=== Zum Bestreuen ===" and "Für den Teig:" head a group of ingredients.
    bool zutatenKopf(const QString& zeile, QString& text)
    {
        const QString t = zeile.trimmed();
        if (t.startsWith(u'=') && t.endsWith(u'=')) {
            text = QString(t).remove(u'=').trimmed();
            return true;
        }
        if (t.endsWith(u':')) {
            text = t;
            return true;
        }
        return false;
    }

    void schrift(QWidget* w, double punkte, bool fett = false)
    {
        QFont f = w->font();
        f.setPointSizeF(punkte);
        f.setBold(fett);
        w->setFont(f);
    }

    // The largest point size from `gross` down to `klein` at which the texts, wrapped to `breite`,
    // fit into `hoehe` (each with `abstand` around it); `klein` when none does.
    double passendeGroesse(QFont schrift, const QStringList& texte, int breite, int hoehe, int abstand,
        double gross, double klein)
    {
        for (double p = gross; p > klein; p -= 1) {
            schrift.setPointSizeF(p);
            const QFontMetrics fm(schrift);
            int summe = 0;
            bool passt = true;
            for (const QString& t : texte) {
                const QRect r = fm.boundingRect(QRect(0, 0, breite, 1 << 20), Qt::TextWordWrap, t);
                summe += r.height() + abstand;
                passt = passt && r.width() <= breite; // a word longer than the line
            }
            if (passt && summe <= hoehe)
                return p;
        }
        return klein;
    }

    QPushButton* knopf(const QString& text, const char* name, QWidget* eltern)
    {
        auto* b = new QPushButton(text, eltern);
        b->setObjectName(QLatin1String(name));
        // A click leaves the keys with the step, so Space and the arrows keep turning the pages.
        b->setFocusPolicy(Qt::TabFocus);
        b->setAutoDefault(false);
        return b;
    }
}

Kochmodusfenster::Kochmodusfenster(const QString& programDir, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_einstellungen(programDir + QStringLiteral("/Data/Sonstiges/tellerkiste.dat"))
    , m_farben(normalesSchema())
{
    setObjectName(QStringLiteral("kochmodusfenster"));
    setWindowTitle(QStringLiteral("Kochmodus"));
    m_seitStart.start();
    m_uhr = [this] { return m_seitStart.elapsed(); };
    m_wach = new Wachhalter(this);
    m_takt = new QTimer(this);
    m_takt->setInterval(250);
    connect(m_takt, &QTimer::timeout, this, [this] { ticken(); });

    auto* aussen = new QVBoxLayout(this);
    aussen->setContentsMargins(24, 16, 24, 16);
    aussen->setSpacing(12);

    // Top: the title, the portions and the way out.
    auto* kopf = new QHBoxLayout;
    kopf->setSpacing(16);
    m_titel = new QLabel(this);
    m_titel->setObjectName(QStringLiteral("titel"));
    m_titel->setWordWrap(true);
    m_titel->setTextFormat(Qt::PlainText);
    m_titel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred); // its type shrinks instead
    kopf->addWidget(m_titel, 1);
    auto* portionenText = new QLabel(QStringLiteral("&Portionen:"), this);
    m_portionen = new Halbzahlfeld(this);
    m_portionen->setObjectName(QStringLiteral("portionen"));
    m_portionen->setAccessibleName(QStringLiteral("Portionen"));
    portionenText->setBuddy(m_portionen);
    m_einheit = new QLabel(this);
    m_einheit->setObjectName(QStringLiteral("einheit"));
    m_schliessen = knopf(QStringLiteral("Schließen"), "schliessen", this);
    kopf->addWidget(portionenText, 0, Qt::AlignVCenter);
    kopf->addWidget(m_portionen, 0, Qt::AlignVCenter);
    kopf->addWidget(m_einheit, 0, Qt::AlignVCenter);
    kopf->addSpacing(24);
    kopf->addWidget(m_schliessen, 0, Qt::AlignVCenter);
    aussen->addLayout(kopf);

    auto* mitte = new QHBoxLayout;
    mitte->setSpacing(24);

    // Left: the ingredients.
    auto* links = new QVBoxLayout;
    links->setSpacing(4);
    auto* zutatenKopf = new QLabel(QStringLiteral("&Zutaten"), this);
    zutatenKopf->setObjectName(QStringLiteral("zutatenUeberschrift"));
    links->addWidget(zutatenKopf);
    m_zutaten = new QListWidget(this);
    m_zutaten->setObjectName(QStringLiteral("zutaten"));
    m_zutaten->setAccessibleName(QStringLiteral("Zutaten"));
    m_zutaten->setFocusPolicy(Qt::TabFocus);
    m_zutaten->setWordWrap(true);
    m_zutaten->setTextElideMode(Qt::ElideNone);
    m_zutaten->setResizeMode(QListView::Adjust);
    m_zutaten->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_zutaten->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_zutaten->setSpacing(3);
    m_zutaten->setFrameShape(QFrame::NoFrame);
    zutatenKopf->setBuddy(m_zutaten);
    links->addWidget(m_zutaten, 1);
    mitte->addLayout(links, 28);

    // Centre: the step, large, and the way through the steps.
    auto* schrittSpalte = new QVBoxLayout;
    schrittSpalte->setSpacing(12);
    m_ueberschrift = new QLabel(this);
    m_ueberschrift->setObjectName(QStringLiteral("abschnitt"));
    m_ueberschrift->setWordWrap(true);
    m_ueberschrift->setTextFormat(Qt::PlainText);
    schrittSpalte->addWidget(m_ueberschrift);
    m_schrittBereich = new QScrollArea(this);
    m_schrittBereich->setObjectName(QStringLiteral("schrittbereich"));
    m_schrittBereich->setWidgetResizable(true);
    m_schrittBereich->setFrameShape(QFrame::NoFrame);
    m_schrittBereich->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_schrittBereich->setFocusPolicy(Qt::StrongFocus);
    m_schrittBereich->setAccessibleName(QStringLiteral("Schritt"));
    m_text = new QLabel;
    m_text->setObjectName(QStringLiteral("schritt"));
    m_text->setAccessibleName(QStringLiteral("Schritt"));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setTextInteractionFlags(Qt::NoTextInteraction);
    m_schrittBereich->setWidget(m_text);
    schrittSpalte->addWidget(m_schrittBereich, 1);
    auto* weg = new QHBoxLayout;
    m_zurueck = knopf(QStringLiteral("Zurück"), "zurueck", this);
    m_weiter = knopf(QStringLiteral("Weiter"), "weiter", this);
    m_stand = new QLabel(this);
    m_stand->setObjectName(QStringLiteral("stand"));
    m_stand->setAlignment(Qt::AlignCenter);
    weg->addWidget(m_zurueck);
    weg->addWidget(m_stand, 1);
    weg->addWidget(m_weiter);
    schrittSpalte->addLayout(weg);
    mitte->addLayout(schrittSpalte, 50);

    // Right: the timers this step offers, and those running.
    m_timerSpalte = new QWidget(this);
    m_timerSpalte->setObjectName(QStringLiteral("timer"));
    m_timerSpalte->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* rechts = new QVBoxLayout(m_timerSpalte);
    rechts->setContentsMargins(0, 0, 0, 0);
    rechts->setSpacing(8);
    auto* timerKopf = new QLabel(QStringLiteral("Timer"), m_timerSpalte);
    timerKopf->setObjectName(QStringLiteral("timerUeberschrift"));
    rechts->addWidget(timerKopf);
    m_keineZeit = new QLabel(QStringLiteral("Keine Zeitangabe in diesem Schritt."), m_timerSpalte);
    m_keineZeit->setObjectName(QStringLiteral("keineZeit"));
    m_keineZeit->setWordWrap(true);
    rechts->addWidget(m_keineZeit);
    m_timerKnoepfe = new QWidget(m_timerSpalte);
    auto* knoepfe = new QVBoxLayout(m_timerKnoepfe);
    knoepfe->setContentsMargins(0, 0, 0, 0);
    knoepfe->setSpacing(8);
    rechts->addWidget(m_timerKnoepfe);
    m_timerListe = new QVBoxLayout;
    m_timerListe->setSpacing(8);
    rechts->addLayout(m_timerListe);
    rechts->addStretch(1);
    mitte->addWidget(m_timerSpalte, 22);

    aussen->addLayout(mitte, 1);

    connect(m_portionen, &Halbzahlfeld::valueChanged, this, [this] { neuBerechnen(); });
    connect(m_zurueck, &QPushButton::clicked, this, [this] { blaettern(-1); });
    connect(m_weiter, &QPushButton::clicked, this, [this] { blaettern(+1); });
    connect(m_schliessen, &QPushButton::clicked, this, &QWidget::close);

    // Foot switches and presenter remotes send these keys. Space is taken in keyPressEvent, so a
    // focused button still takes it.
    auto taste = [this](const QKeySequence& k, std::function<void()> tun) {
        connect(new QShortcut(k, this), &QShortcut::activated, this, std::move(tun));
    };
    for (int k : { Qt::Key_Right, Qt::Key_PageDown })
        taste(QKeySequence(k), [this] { blaettern(+1); });
    for (int k : { Qt::Key_Left, Qt::Key_PageUp })
        taste(QKeySequence(k), [this] { blaettern(-1); });
    taste(QKeySequence(Qt::Key_Home), [this] { zeigeSchritt(0); });
    taste(QKeySequence(Qt::Key_End), [this] { zeigeSchritt(int(m_schritte.size()) - 1); });
    // Ctrl+= too, for keyboards where "+" needs Shift; a key given twice would fire neither.
    QList<QKeySequence> groesserTasten, kleinerTasten;
    for (const QKeySequence& k : { QKeySequence(QKeySequence::ZoomIn), QKeySequence(QStringLiteral("Ctrl++")),
             QKeySequence(QStringLiteral("Ctrl+=")) })
        if (!k.isEmpty() && !groesserTasten.contains(k))
            groesserTasten.append(k);
    for (const QKeySequence& k :
        { QKeySequence(QKeySequence::ZoomOut), QKeySequence(QStringLiteral("Ctrl+-")) })
        if (!k.isEmpty() && !kleinerTasten.contains(k))
            kleinerTasten.append(k);
    for (const QKeySequence& k : groesserTasten)
        taste(k, [this] { groesser(+10); });
    for (const QKeySequence& k : kleinerTasten)
        taste(k, [this] { groesser(-10); });
    taste(QKeySequence(Qt::Key_Escape), [this] { close(); });

    const QList<QWidget*> reihe { m_schrittBereich, m_weiter, m_zurueck, m_portionen, m_zutaten,
        m_schliessen };
    for (qsizetype i = 1; i < reihe.size(); ++i)
        setTabOrder(reihe.at(i - 1), reihe.at(i));
    m_schrittBereich->viewport()->installEventFilter(this);
    m_zutaten->viewport()->installEventFilter(this);
    m_titel->installEventFilter(this);
    m_timerSpalte->installEventFilter(this);
    anwenden();
}

Kochmodusfenster::~Kochmodusfenster() = default;

void Kochmodusfenster::setDarstellung(int schriftgroesse, const Farbschema& farben)
{
    m_schriftgroesse = schriftgroesse;
    m_farben = farben;
    anwenden();
}

void Kochmodusfenster::setUhr(std::function<qint64()> millisekunden) { m_uhr = std::move(millisekunden); }

void Kochmodusfenster::zeige(const RezeptAnsicht& rezept, double portionen)
{
    m_rezept = rezept;
    m_schritte = teileSchritte(rezept.zeilen);
    m_titel->setText(rezept.titel);
    // Counted as the converter counts: halves for one or two of something ("für 1 Blech").
    const Portionen p = lesePortionen(rezept.menge);
    m_basis = p.anzahl > 0 ? p.anzahl : 1;
    m_einheit->setText(p.einheit);
    {
        const QSignalBlocker still(m_portionen);
        m_portionen->setHalbe(m_basis <= 2);
        m_portionen->setValue(portionen > 0 ? portionen : m_basis);
    }
    m_prozent = Einstellungen::kochmodusGroesse(m_einstellungen);
    anwenden();
    neuBerechnen();
    zeigeSchritt(0);

    // Full screen on the screen of the window it was opened from.
    if (!isVisible()) {
        QScreen* bildschirm = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
        if (bildschirm)
            setGeometry(bildschirm->geometry());
    }
    showFullScreen();
    raise();
    activateWindow();
    m_schrittBereich->setFocus();
}

// ---- Steps ----------------------------------------------------------------------------------------

void Kochmodusfenster::zeigeSchritt(int i)
{
    const int anzahl = int(m_schritte.size());
    m_schritt = std::clamp(i, 0, std::max(anzahl - 1, 0));
    const Kochschritt schritt = anzahl ? m_schritte.at(m_schritt) : Kochschritt {};
    m_ueberschrift->setText(schritt.ueberschrift);
    m_ueberschrift->setVisible(!schritt.ueberschrift.isEmpty());
    m_text->setText(
        anzahl ? schritt.text : QStringLiteral("Zu diesem Rezept ist keine Zubereitung eingetragen."));
    m_stand->setText(anzahl ? QStringLiteral("Schritt %1 von %2").arg(m_schritt + 1).arg(anzahl) : QString());
    m_zurueck->setEnabled(m_schritt > 0);
    m_weiter->setEnabled(m_schritt + 1 < anzahl);

    // A timer button for every time the step names.
    const bool hatteFokus = m_timerKnoepfe->isAncestorOf(QApplication::focusWidget());
    for (QPushButton* b : m_timerKnoepfe->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
        delete b;
    const QString name = timerName(schritt);
    for (const Dauer& d : findeDauern(schritt.text)) {
        auto* b = knopf(QStringLiteral("Timer ") + dauerText(d), "timerStarten", m_timerKnoepfe);
        b->setMinimumHeight(QFontMetrics(font()).height() * 2);
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed); // its type shrinks instead
        b->setAccessibleName(b->text());
        b->setAccessibleDescription(name);
        m_timerKnoepfe->layout()->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, d, name] { starteTimer(d, name); });
    }
    m_keineZeit->setVisible(m_timerKnoepfe->findChildren<QPushButton*>().isEmpty());
    if (hatteFokus)
        m_schrittBereich->setFocus();
    hervorheben();
    einpassen();
    m_schrittBereich->ensureVisible(0, 0);
}

void Kochmodusfenster::blaettern(int um) { zeigeSchritt(m_schritt + um); }

void Kochmodusfenster::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        blaettern(+1);
        return;
    }
    QWidget::keyPressEvent(event);
}

// ---- Ingredients ----------------------------------------------------------------------------------

void Kochmodusfenster::neuBerechnen()
{
    const double faktor = m_portionen->value() / m_basis;
    m_zutaten->clear();
    for (const QString& zeile : m_rezept.zutaten) {
        QString kopf;
        auto* item = new QListWidgetItem(m_zutaten);
        if (zutatenKopf(zeile, kopf)) {
            item->setText(kopf);
            item->setFlags(Qt::ItemIsEnabled);
        } else {
            item->setText(skaliereZeile(zeile, faktor));
        }
    }
    hervorheben();
    einpassen();
}

void Kochmodusfenster::hervorheben()
{
    if (m_zutaten->count() != m_rezept.zutaten.size())
        return;
    const QString text = m_schritte.isEmpty() ? QString() : m_schritte.at(m_schritt).text;
    const QList<int> erwaehnt = erwaehnteZutaten(m_rezept.zutaten, text);
    QString kopf;
    for (int i = 0; i < m_zutaten->count(); ++i) {
        QListWidgetItem* item = m_zutaten->item(i);
        QFont f = m_zutaten->font();
        if (zutatenKopf(m_rezept.zutaten.at(i), kopf)) {
            f.setItalic(true);
            f.setUnderline(true);
            item->setFont(f);
            continue;
        }
        const bool fett = erwaehnt.contains(i);
        f.setBold(fett);
        item->setFont(f);
        item->setData(Qt::AccessibleDescriptionRole, fett ? QStringLiteral("in diesem Schritt") : QString());
    }
    // A changed font changes the wrapped height of an item; the list does not measure again by itself.
    m_zutaten->doItemsLayout();
}

// ---- Size and colours -----------------------------------------------------------------------------

void Kochmodusfenster::groesser(int prozent)
{
    const int neu
        = std::clamp(m_prozent + prozent, Einstellungen::kKochmodusMin, Einstellungen::kKochmodusMax);
    if (neu == m_prozent)
        return;
    m_prozent = neu;
    anwenden();
    guarded(this, [&] { Einstellungen::schreibeKochmodusGroesse(m_einstellungen, m_prozent); });
}

// The window's frame (title, buttons, labels) follows the program's font size; the step and the
// ingredients follow it and the cook mode's own text size as well.
double Kochmodusfenster::rahmen() const { return m_schriftgroesse / 10.0; }
double Kochmodusfenster::inhalt() const { return rahmen() * m_prozent / 100.0; }

// What does not fit gets smaller type, down to a floor, before a scroll bar appears or a text is cut.
void Kochmodusfenster::einpassen()
{
    if (!isVisible())
        return;
    const double g = rahmen(), z = inhalt();
    // The title takes two lines at most.
    if (m_titel->width() > 50) {
        QFont titel = m_titel->font();
        titel.setPointSizeF(kTitelText * g);
        const int zweiZeilen = 2 * QFontMetrics(titel).lineSpacing();
        const double p = passendeGroesse(
            titel, { m_titel->text() }, m_titel->width(), zweiZeilen, 0, kTitelText * g, kZutatenText * g);
        if (p != m_titel->font().pointSizeF())
            schrift(m_titel, p, true);
    }
    const QWidget* bereich = m_schrittBereich->viewport();
    if (bereich->width() > 50 && bereich->height() > 50) {
        const double p = passendeGroesse(m_text->font(), { m_text->text() }, bereich->width(),
            bereich->height(), 0, kSchrittText * z, kZutatenText * z);
        if (p != m_text->font().pointSizeF())
            schrift(m_text, p);
    }
    const QWidget* liste = m_zutaten->viewport();
    if (liste->width() > 50 && liste->height() > 50) {
        QStringList zeilen;
        for (int i = 0; i < m_zutaten->count(); ++i)
            zeilen.append(m_zutaten->item(i)->text());
        // Measured bold, as a mentioned line is; the room an item takes around its text is a guess on
        // the safe side.
        QFont fett = m_zutaten->font();
        fett.setBold(true);
        const int rand = 2 * m_zutaten->spacing() + 8;
        const double p = passendeGroesse(
            fett, zeilen, liste->width() - rand, liste->height(), rand, kZutatenText * z, kGrundText * z);
        if (p != m_zutaten->font().pointSizeF()) {
            schrift(m_zutaten, p);
            hervorheben();
        }
    }
    // A timer button's text stays whole in its column.
    const int spalte = m_timerSpalte->width();
    for (QPushButton* b : m_timerKnoepfe->findChildren<QPushButton*>()) {
        const QFont f = font();
        const double p = passendeGroesse(
            f, { b->text() }, spalte - 24, QFontMetrics(f).height(), 0, kGrundText * g, kGrundText * g * 0.6);
        if (p != b->font().pointSizeF())
            schrift(b, p);
    }
}

bool Kochmodusfenster::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::Resize
        && (o == m_schrittBereich->viewport() || o == m_zutaten->viewport() || o == m_titel
            || o == m_timerSpalte))
        einpassen();
    return QWidget::eventFilter(o, e);
}

void Kochmodusfenster::anwenden()
{
    const double g = rahmen(), z = inhalt();
    schrift(this, kGrundText * g);
    schrift(m_titel, kTitelText * g, true);
    schrift(m_zutaten, kZutatenText * z);
    schrift(m_ueberschrift, kSchrittText * z, true);
    schrift(m_text, kSchrittText * z);
    for (QLabel* kopf : { findChild<QLabel*>(QStringLiteral("zutatenUeberschrift")),
             findChild<QLabel*>(QStringLiteral("timerUeberschrift")) })
        schrift(kopf, kGrundText * g, true);
    // Buttons large enough to hit with a floury knuckle.
    const int zeile = QFontMetrics(font()).height();
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setMinimumHeight(zeile * 2);
    m_portionen->setMinimumHeight(zeile * 2);
    for (QPushButton* b : { m_zurueck, m_weiter })
        b->setMinimumWidth(zeile * 6);
    for (QLabel* anzeige : findChildren<QLabel*>(QStringLiteral("anzeige")))
        schrift(anzeige, kZutatenText * g, true);

    setzeHintergrund(this, m_farben.feld);
    setzeTextfarbe(this, m_farben.text);
    setzeFeldhintergrund(m_zutaten, m_farben.feld);
    setzeHintergrund(m_schrittBereich->viewport(), m_farben.feld);
    setzeHintergrund(m_text, m_farben.feld);
    for (const Laufuhr& u : m_uhren)
        if (!u.fertig)
            setzeHintergrund(u.zeile, m_farben.panel);
    hervorheben();
    einpassen();
}

// ---- Timers ---------------------------------------------------------------------------------------

void Kochmodusfenster::starteTimer(const Dauer& dauer, const QString& name)
{
    Laufuhr uhr;
    uhr.name = name;
    uhr.ende = m_uhr() + qint64(dauer.sekunden) * 1000;
    uhr.bisSekunden = dauer.bisSekunden != dauer.sekunden ? dauer.bisSekunden : 0;
    uhr.zeile = new QFrame(m_timerSpalte);
    uhr.zeile->setObjectName(QStringLiteral("laufuhr"));
    uhr.zeile->setFrameShape(QFrame::StyledPanel);
    setzeHintergrund(uhr.zeile, m_farben.panel);
    auto* lay = new QHBoxLayout(uhr.zeile);
    lay->setContentsMargins(8, 6, 8, 6);
    uhr.anzeige = new QLabel(uhr.zeile);
    uhr.anzeige->setObjectName(QStringLiteral("anzeige"));
    uhr.anzeige->setWordWrap(true);
    uhr.anzeige->setTextFormat(Qt::PlainText);
    schrift(uhr.anzeige, kZutatenText * rahmen(), true);
    auto* stopp = knopf(QStringLiteral("Stopp"), "stopp", uhr.zeile);
    stopp->setMinimumHeight(QFontMetrics(font()).height() * 2);
    stopp->setAccessibleDescription(name);
    lay->addWidget(uhr.anzeige, 1);
    lay->addWidget(stopp, 0, Qt::AlignVCenter);
    m_timerListe->addWidget(uhr.zeile);
    QFrame* zeile = uhr.zeile;
    connect(stopp, &QPushButton::clicked, this, [this, zeile] { stoppeTimer(zeile); });
    zeigeLaufuhr(uhr, m_uhr());
    m_uhren.append(uhr);
    m_takt->start();
}

void Kochmodusfenster::stoppeTimer(QFrame* zeile)
{
    for (qsizetype i = 0; i < m_uhren.size(); ++i)
        if (m_uhren.at(i).zeile == zeile) {
            m_uhren.removeAt(i);
            break;
        }
    if (zeile->isAncestorOf(QApplication::focusWidget()))
        m_schrittBereich->setFocus();
    zeile->hide();
    zeile->deleteLater();
}

bool Kochmodusfenster::laufenTimer() const
{
    return std::any_of(m_uhren.begin(), m_uhren.end(), [](const Laufuhr& u) { return !u.fertig; });
}

void Kochmodusfenster::zeigeLaufuhr(const Laufuhr& uhr, qint64 jetzt)
{
    QString text;
    if (uhr.fertig) {
        text = uhr.name + QStringLiteral(" – fertig!");
    } else {
        const int rest = int((std::max<qint64>(uhr.ende - jetzt, 0) + 999) / 1000);
        text = uhr.name + QStringLiteral(" – ") + restzeit(rest);
        if (uhr.bisSekunden)
            text += QStringLiteral(" (bis %1)").arg(kurzeDauer(uhr.bisSekunden));
    }
    if (uhr.anzeige->text() != text)
        uhr.anzeige->setText(text);
}

void Kochmodusfenster::ticken()
{
    const qint64 jetzt = m_uhr();
    for (Laufuhr& u : m_uhren) {
        if (!u.fertig && jetzt >= u.ende)
            ablaufen(u);
        zeigeLaufuhr(u, jetzt);
    }
    if (m_blinken > 0) {
        --m_blinken;
        setzeHintergrund(this, m_blinken % 2 ? kAbgelaufen : m_farben.feld);
    }
    if (!laufenTimer() && m_blinken == 0)
        m_takt->stop();
}

void Kochmodusfenster::ablaufen(Laufuhr& uhr)
{
    uhr.fertig = true;
    setzeHintergrund(uhr.zeile, kAbgelaufen);
    setzeTextfarbe(uhr.anzeige, kWeiss);
    const QString meldung = QStringLiteral("Timer abgelaufen: ") + uhr.name;
    m_ton.spielen(meldung);
    m_blinken = 6;
    QApplication::alert(this);
    if (!isActiveWindow())
        benachrichtige(meldung);
}

// ---- Open and close -------------------------------------------------------------------------------

void Kochmodusfenster::closeEvent(QCloseEvent* event)
{
    if (laufenTimer()
        && askYesNo(this, QStringLiteral("Kochmodus"),
               QStringLiteral("Es laufen noch Timer. Kochmodus trotzdem beenden?"))
            != Answer::Yes) {
        event->ignore();
        return;
    }
    for (const Laufuhr& u : m_uhren)
        delete u.zeile;
    m_uhren.clear();
    m_takt->stop();
    m_blinken = 0;
    setzeHintergrund(this, m_farben.feld);
    event->accept();
}

void Kochmodusfenster::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_wach->an(QStringLiteral("Kochmodus"));
}

void Kochmodusfenster::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_wach->aus();
}

} // namespace tk
