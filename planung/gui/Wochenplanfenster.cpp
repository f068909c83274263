#include "planung/gui/Wochenplanfenster.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "exchange/gui/Druckausgabe.h"
#include "exchange/gui/PdfAusgabe.h"
#include "planung/gui/Planeingabe.h"
#include "planung/gui/Tagesliste.h"
#include "planung/gui/Wochenplandruck.h"
#include "platform/Error.h"
#include "platform/TextLines.h"
#include "platform/gui/Meldung.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"
#include "settings/gui/Farbschema.h"
#include "store/AppState.h"
#include "store/Formats.h"

namespace tk {

namespace {
    const QString kTitel = QStringLiteral("Wochenplan");

    // What one portion is: the quantity the recipe is written for.
    QString mitMenge(const QString& frage, const QString& menge)
    {
        return menge.trimmed().isEmpty() || menge.trimmed() == u"-"
            ? frage
            : frage + QStringLiteral("\nMenge des Rezepts: ") + menge.trimmed();
    }

    QString tagText(QDate tag)
    {
        return wochentag(tag.dayOfWeek() - 1) + tag.toString(QStringLiteral(", dd.MM."));
    }
}

Wochenplanfenster::Wochenplanfenster(AppState& state, QWidget* parent)
    // Above the main window, which stays usable: titles are dragged from its lists onto the days.
    : QDialog(
        parent, Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint)
    , st(state)
    , m_montag(wochenanfang(QDate::currentDate()))
{
    setObjectName(QStringLiteral("wochenplanfenster"));
    setWindowTitle(kTitel);
    setSizeGripEnabled(true);

    auto knopf = [this](QBoxLayout* reihe, const QString& text, const char* name,
                     const std::function<void()>& handler) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        reihe->addWidget(b);
        if (handler)
            connect(b, &QPushButton::clicked, this, [this, handler] { guarded(this, handler); });
        return b;
    };

    auto* lay = new QVBoxLayout(this);
    auto* oben = new QHBoxLayout;
    m_woche = new QLabel(this);
    m_woche->setObjectName(QStringLiteral("woche"));
    oben->addWidget(m_woche, 1);
    knopf(oben, QStringLiteral("Vorige Woche"), "vorigeWoche", [this] { zeigeWoche(m_montag.addDays(-7)); });
    knopf(oben, QStringLiteral("Diese Woche"), "dieseWoche",
        [this] { zeigeWoche(wochenanfang(QDate::currentDate())); });
    knopf(
        oben, QStringLiteral("Nächste Woche"), "naechsteWoche", [this] { zeigeWoche(m_montag.addDays(7)); });
    lay->addLayout(oben);

    auto* raster = new QGridLayout;
    raster->setHorizontalSpacing(6);
    for (int t = 0; t < 7; ++t) {
        auto* kopf = new QLabel(this);
        kopf->setObjectName(QStringLiteral("kopf%1").arg(t));
        kopf->setAlignment(Qt::AlignCenter);
        kopf->setMargin(3);
        m_koepfe[t] = kopf;
        auto* liste = new Tagesliste(t, this);
        liste->setObjectName(wochentag(t).toLower());
        liste->setAccessibleName(wochentag(t));
        m_tage[t] = liste;
        raster->addWidget(kopf, 0, t);
        raster->addWidget(liste, 1, t);
        raster->setColumnStretch(t, 1);
        connect(liste, &Tagesliste::gewaehlt, this, [this, t] { waehleTag(t); });
        connect(liste, &QListWidget::itemSelectionChanged, this, [this, t] {
            // One entry is chosen in the whole week.
            if (!m_tage[t]->selectedItems().isEmpty())
                for (Tagesliste* andere : m_tage)
                    if (andere != m_tage[t] && !andere->selectedItems().isEmpty()) {
                        const QSignalBlocker still(andere);
                        andere->clearSelection();
                    }
            auswahlGeaendert();
        });
        connect(liste, &QListWidget::itemActivated, this,
            [this, t](QListWidgetItem* item) { guarded(this, [&] { eintragAktiviert(t, item); }); });
        connect(liste, &Tagesliste::rezeptAbgelegt, this,
            [this, t](int nummer, int stelle) { guarded(this, [&] { rezeptAbgelegt(t, nummer, stelle); }); });
        connect(liste, &Tagesliste::eintragAbgelegt, this, [this, t](int vonTag, int vonZeile, int stelle) {
            guarded(this, [&] { eintragAbgelegt(t, vonTag, vonZeile, stelle); });
        });
    }
    raster->setRowStretch(1, 1);
    lay->addLayout(raster, 1);

    m_hinweis = new QLabel(this);
    m_hinweis->setObjectName(QStringLiteral("hinweis"));
    m_hinweis->setWordWrap(true);
    m_hinweis->hide();
    lay->addWidget(m_hinweis);

    auto* bearbeiten = new QHBoxLayout;
    knopf(bearbeiten, QStringLiteral("Rezept hinzufügen"), "rezeptHinzufuegen",
        [this] { rezeptHinzufuegen(); });
    knopf(bearbeiten, QStringLiteral("Eintrag hinzufügen..."), "eintragHinzufuegen",
        [this] { eintragHinzufuegen(); });
    m_portionen
        = knopf(bearbeiten, QStringLiteral("Portionen..."), "portionen", [this] { portionenAendern(); });
    m_entfernen = knopf(bearbeiten, QStringLiteral("Entfernen"), "entfernen", [this] { entfernen(); });
    bearbeiten->addStretch(1);
    lay->addLayout(bearbeiten);

    auto* ausgabe = new QHBoxLayout;
    knopf(ausgabe, QStringLiteral("Auf die Einkaufsliste"), "aufEinkaufsliste",
        [this] { aufDieEinkaufsliste(); });
    knopf(ausgabe, QStringLiteral("Drucken"), "drucken", [this] { drucken(); });
    knopf(ausgabe, QStringLiteral("Als PDF speichern..."), "alsPdf", [this] { alsPdf(); });
    ausgabe->addStretch(1);
    QPushButton* schliessen = knopf(ausgabe, QStringLiteral("Schließen"), "schliessen", {});
    connect(schliessen, &QPushButton::clicked, this, &QWidget::hide);
    lay->addLayout(ausgabe);

    // Entf takes the chosen entry off the plan.
    auto* entf = new QAction(this);
    entf->setShortcut(QKeySequence::Delete);
    entf->setShortcutContext(Qt::WindowShortcut);
    addAction(entf);
    connect(entf, &QAction::triggered, this, [this] { guarded(this, [&] { entfernen(); }); });

    // Titles follow the collection: a renamed recipe shows its new title, a deleted one says so. Queued,
    // so the main window has read the table again first.
    Sammlung* s = &st.sammlung;
    auto auffrischen = [this] {
        if (st.generation != m_generation)
            zeigen();
    };
    for (auto signal : { &Sammlung::rezeptGespeichert, &Sammlung::rezeptGeloescht })
        connect(s, signal, this, auffrischen, Qt::QueuedConnection);
    connect(s, &Sammlung::rezepteHinzugefuegt, this, auffrischen, Qt::QueuedConnection);
    connect(s, &Sammlung::indexUmgewandelt, this, auffrischen, Qt::QueuedConnection);
    // Another computer's change of the plan shows at once.
    connect(
        s, &Sammlung::vonAussenGeaendert, this,
        [this, auffrischen](int dateien) {
            if (dateien & Sammlung::Wochenplan)
                neuLesen();
            else
                auffrischen();
        },
        Qt::QueuedConnection);
    connect(s, &Sammlung::einstellungenGeaendert, this, [this] { schriftAnwenden(); });

    schriftAnwenden();
    resize(1120, 540);
    try {
        m_plan = ladeWochenplan(st.programDir);
    } catch (const std::exception&) {
        // Said when the window is opened.
    }
    zeigen();
}

void Wochenplanfenster::oeffnen()
{
    m_montag = wochenanfang(QDate::currentDate());
    m_gewaehlterTag = -1;
    neuLesen();
    if (!isVisible())
        centreOn(this, parentWidget());
    show();
    raise();
    activateWindow();
    m_tage[aktiverTag()]->setFocus();
}

void Wochenplanfenster::neuLesen()
{
    try {
        m_plan = ladeWochenplan(st.programDir);
        zeigen();
    } catch (const std::exception& e) {
        // Shown, not written over: a change reads the file again and reports why it cannot.
        m_plan = {};
        zeigen();
        m_hinweis->setText(messageOf(e));
        m_hinweis->show();
    }
}

std::optional<QString> Wochenplanfenster::titelVon(int nummer) const
{
    if (nummer < 0 || size_t(nummer) >= st.rezepte.size() || st.rezepte[size_t(nummer)].geloescht)
        return std::nullopt;
    return st.rezepte[size_t(nummer)].titel;
}

std::optional<std::pair<QString, QStringList>> Wochenplanfenster::rezeptVon(int nummer) const
{
    if (!titelVon(nummer))
        return std::nullopt;
    const RecipeFile datei = parseRecipe(loadLines(recipePath(st.programDir, nummer)));
    return std::make_pair(st.rezepte[size_t(nummer)].menge, datei.zutaten);
}

void Wochenplanfenster::aendern(const std::function<void(Wochenplan&)>& aenderung)
{
    // The plan as it is on disk now: another computer may have planned meanwhile.
    Wochenplan plan = ladeWochenplan(st.programDir);
    plan.titelAuffrischen([this](int n) { return titelVon(n); });
    aenderung(plan);
    speichereWochenplan(st.programDir, plan, QDate::currentDate());
    st.sammlung.merkeEigene(wochenplanPfad(st.programDir));
    m_plan = plan;
    zeigen();
}

void Wochenplanfenster::zeigen()
{
    m_generation = st.generation;
    m_plan.titelAuffrischen([this](int n) { return titelVon(n); });
    m_woche->setText(wochenText(m_montag));

    // The chosen entry stays chosen where it can.
    int auswahlTag = -1;
    int auswahlZeile = -1;
    for (int t = 0; t < 7; ++t)
        if (!m_tage[t]->selectedItems().isEmpty()) {
            auswahlTag = t;
            auswahlZeile = m_tage[t]->currentRow();
        }

    const QDate heute = QDate::currentDate();
    for (int t = 0; t < 7; ++t) {
        const QDate tag = m_montag.addDays(t);
        QLabel* kopf = m_koepfe[t];
        kopf->setText(wochentag(t) + tag.toString(QStringLiteral("\ndd.MM.")));
        const bool istHeute = tag == heute;
        QFont f = kopf->font();
        f.setBold(istHeute);
        kopf->setFont(f);
        // Today stands out in the colours of a selection.
        kopf->setAutoFillBackground(istHeute);
        kopf->setBackgroundRole(istHeute ? QPalette::Highlight : QPalette::Window);
        kopf->setForegroundRole(istHeute ? QPalette::HighlightedText : QPalette::WindowText);
        m_tage[t]->setAccessibleDescription(istHeute ? QStringLiteral("heute") : QString());

        Tagesliste* liste = m_tage[t];
        const QSignalBlocker still(liste);
        liste->clear();
        for (const Planeintrag& e : m_plan.amTag(tag)) {
            const bool geloescht = e.rezept() && !titelVon(e.nummer);
            auto* item = new QListWidgetItem(e.text(geloescht), liste);
            item->setToolTip(item->text());
            QFont fi = liste->font();
            fi.setItalic(!e.rezept());
            item->setFont(fi);
            if (geloescht)
                item->setForeground(liste->palette().color(QPalette::Disabled, QPalette::Text));
        }
    }
    if (auswahlTag >= 0 && m_tage[auswahlTag]->count() > 0) {
        Tagesliste* liste = m_tage[auswahlTag];
        liste->setCurrentRow(std::clamp(auswahlZeile, 0, liste->count() - 1));
    }

    const QString hinweis = m_plan.hinweis();
    m_hinweis->setText(hinweis);
    m_hinweis->setVisible(!hinweis.isEmpty());
    auswahlGeaendert();
}

void Wochenplanfenster::schriftAnwenden()
{
    const int groesse = st.schriftgroesse;
    for (int t = 0; t < 7; ++t) {
        setzeSchriftgroesse(m_tage[t], groesse);
        setzeSchriftgroesse(m_koepfe[t], groesse);
    }
    QFont f = m_woche->font();
    f.setBold(true);
    f.setPointSize(groesse + 2);
    m_woche->setFont(f);
    zeigen(); // the entries carry their own fonts
}

void Wochenplanfenster::zeigeWoche(QDate montag)
{
    m_montag = montag;
    for (Tagesliste* liste : m_tage)
        liste->clearSelection();
    zeigen();
}

int Wochenplanfenster::aktiverTag() const
{
    return m_gewaehlterTag >= 0 ? m_gewaehlterTag : QDate::currentDate().dayOfWeek() - 1;
}

void Wochenplanfenster::waehleTag(int tag) { m_gewaehlterTag = tag; }

void Wochenplanfenster::zeigeEintrag(int tag, int zeile)
{
    waehleTag(tag);
    Tagesliste* liste = m_tage[tag];
    if (liste->count() == 0)
        return;
    liste->setCurrentRow(zeile < 0 || zeile >= liste->count() ? liste->count() - 1 : zeile);
    // Enter and Entf act on the entry just placed, not on the list a drag started from.
    liste->setFocus();
}

std::optional<Planeintrag> Wochenplanfenster::gewaehlterEintrag() const
{
    for (int t = 0; t < 7; ++t) {
        const QList<QListWidgetItem*> gewaehlt = m_tage[t]->selectedItems();
        if (gewaehlt.isEmpty())
            continue;
        const QList<Planeintrag> eintraege = m_plan.amTag(m_montag.addDays(t));
        const int zeile = m_tage[t]->row(gewaehlt.first());
        if (zeile >= 0 && zeile < eintraege.size())
            return eintraege.at(zeile);
    }
    return std::nullopt;
}

void Wochenplanfenster::auswahlGeaendert()
{
    const std::optional<Planeintrag> e = gewaehlterEintrag();
    m_entfernen->setEnabled(e.has_value());
    m_portionen->setEnabled(e && e->rezept() && titelVon(e->nummer));
}

void Wochenplanfenster::rezeptHinzufuegen()
{
    const int n = st.angezeigtesRezept;
    if (!titelVon(n)) {
        Meldung(QStringLiteral("Im Hauptfenster wird kein Rezept angezeigt."), kTitel);
        return;
    }
    rezeptAbgelegt(aktiverTag(), n, -1);
}

void Wochenplanfenster::rezeptAbgelegt(int tag, int nummer, int stelle)
{
    const std::optional<QString> titel = titelVon(nummer);
    if (!titel)
        return;
    const Planeintrag e { m_montag.addDays(tag), nummer, eigenePortionen(st.rezepte[size_t(nummer)].menge),
        *titel };
    aendern([&](Wochenplan& plan) { plan.einfuegen(e, stelle); });
    zeigeEintrag(tag, stelle);
}

void Wochenplanfenster::eintragHinzufuegen()
{
    const QDate tag = m_montag.addDays(aktiverTag());
    Planeingabe frage(
        QStringLiteral("Eintrag hinzufügen"), QStringLiteral("Eintrag für %1").arg(tagText(tag)), this);
    frage.mitText({});
    if (Modal::exec(&frage) != QDialog::Accepted || frage.text().isEmpty())
        return;
    const Planeintrag e { tag, -1, 0, frage.text() };
    aendern([&](Wochenplan& plan) { plan.einfuegen(e); });
    zeigeEintrag(aktiverTag(), -1);
}

void Wochenplanfenster::portionenAendern()
{
    const std::optional<Planeintrag> e = gewaehlterEintrag();
    if (!e || !e->rezept() || !titelVon(e->nummer))
        return;
    Planeingabe frage(QStringLiteral("Portionen"),
        mitMenge(QStringLiteral("Portionen für „%1“ (%2)").arg(e->titel, tagText(e->tag)),
            st.rezepte[size_t(e->nummer)].menge),
        this);
    frage.mitPortionen(e->portionen);
    if (Modal::exec(&frage) != QDialog::Accepted)
        return;
    Planeintrag neu = *e;
    neu.portionen = frage.portionen();
    aendern([&](Wochenplan& plan) { plan.ersetzen(*e, neu); });
}

void Wochenplanfenster::entfernen()
{
    const std::optional<Planeintrag> e = gewaehlterEintrag();
    if (!e)
        return;
    aendern([&](Wochenplan& plan) { plan.entfernen(*e); });
}

void Wochenplanfenster::eintragAktiviert(int tag, QListWidgetItem* item)
{
    const QList<Planeintrag> eintraege = m_plan.amTag(m_montag.addDays(tag));
    const int zeile = m_tage[tag]->row(item);
    if (zeile < 0 || zeile >= eintraege.size())
        return;
    const Planeintrag e = eintraege.at(zeile);
    if (e.rezept()) {
        if (titelVon(e.nummer))
            emit rezeptOeffnen(e.nummer);
        else
            Meldung(QStringLiteral("Das Rezept „%1“ wurde gelöscht.").arg(e.titel), kTitel);
        return;
    }
    // A free text is changed in place.
    Planeingabe frage(
        QStringLiteral("Eintrag ändern"), QStringLiteral("Eintrag für %1").arg(tagText(e.tag)), this);
    frage.mitText(e.titel);
    if (Modal::exec(&frage) != QDialog::Accepted || frage.text().isEmpty())
        return;
    Planeintrag neu = e;
    neu.titel = frage.text();
    aendern([&](Wochenplan& plan) { plan.ersetzen(e, neu); });
}

void Wochenplanfenster::eintragAbgelegt(int nachTag, int vonTag, int vonZeile, int stelle)
{
    const QList<Planeintrag> eintraege = m_plan.amTag(m_montag.addDays(vonTag));
    if (vonZeile < 0 || vonZeile >= eintraege.size())
        return;
    if (nachTag == vonTag && vonZeile < stelle)
        --stelle; // the entry leaves its place above first
    if (nachTag == vonTag && vonZeile == stelle)
        return;
    const Planeintrag e = eintraege.at(vonZeile);
    aendern([&](Wochenplan& plan) { plan.verschieben(e, m_montag.addDays(nachTag), stelle); });
    zeigeEintrag(nachTag, stelle);
}

void Wochenplanfenster::einplanen(int nummer)
{
    const std::optional<QString> titel = titelVon(nummer);
    if (!titel)
        return;
    const QDate heute = QDate::currentDate();
    Planeingabe frage(QStringLiteral("In den Wochenplan"),
        mitMenge(QStringLiteral("„%1“ einplanen:").arg(*titel), st.rezepte[size_t(nummer)].menge), this);
    frage.mitTag(m_montag <= heute && heute < m_montag.addDays(7) ? heute : m_montag.addDays(aktiverTag()));
    frage.mitPortionen(eigenePortionen(st.rezepte[size_t(nummer)].menge));
    if (Modal::exec(&frage) != QDialog::Accepted)
        return;
    const Planeintrag e { frage.tag(), nummer, frage.portionen(), *titel };
    aendern([&](Wochenplan& plan) { plan.einfuegen(e); });
}

void Wochenplanfenster::aufDieEinkaufsliste()
{
    QList<Planeintrag> woche;
    for (int t = 0; t < 7; ++t)
        woche += m_plan.amTag(m_montag.addDays(t));
    // All recipes are read before anything goes onto the list.
    const QList<Einkaufsrezept> rezepte = einkaufsrezepte(woche, [this](int n) { return rezeptVon(n); });
    if (rezepte.isEmpty()) {
        Meldung(QStringLiteral("In dieser Woche ist kein Rezept geplant."), kTitel);
        return;
    }
    emit aufEinkaufsliste(rezepte);
}

QList<QStringList> Wochenplanfenster::tagesTexte() const
{
    QList<QStringList> tage;
    for (int t = 0; t < 7; ++t) {
        QStringList texte;
        for (const Planeintrag& e : m_plan.amTag(m_montag.addDays(t)))
            texte.append(e.text(e.rezept() && !titelVon(e.nummer)));
        tage.append(texte);
    }
    return tage;
}

void Wochenplanfenster::drucken()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(wochenText(m_montag));
    if (!printDialog(this, &printer))
        return;
    druckeLayout(printer, wochenplanDruck(printer, m_montag, tagesTexte()));
}

void Wochenplanfenster::alsPdf()
{
    const QString datei
        = saveFileName(this, QStringLiteral("Speichern unter"), QStringLiteral("PDF-Datei (*.pdf)"),
            QStringLiteral("Wochenplan %1.pdf").arg(m_montag.toString(QStringLiteral("dd.MM.yyyy"))),
            QStringLiteral("pdf"));
    if (datei.isEmpty())
        return;
    const QList<QStringList> tage = tagesTexte();
    schreibePdf(
        datei, wochenText(m_montag),
        [&](QPrinter& printer) { return wochenplanDruck(printer, m_montag, tage); }, QPageLayout::Landscape);
}

void Wochenplanfenster::changeEvent(QEvent* e)
{
    QDialog::changeEvent(e);
    // Catches up with a table read again while the window was in the background.
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && st.generation != m_generation)
        zeigen();
}

} // namespace tk
