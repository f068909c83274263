#include "exchange/gui/RezKonvImportfenster.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>

#include "exchange/Dubletten.h"
#include "exchange/RezeptImport.h"
#include "platform/ShownText.h"
#include "platform/gui/Meldung.h"
#include "platform/Error.h"
#include "platform/gui/Modal.h"
#include "store/AppState.h"

namespace tk {

namespace {
    const QString kCaption = QStringLiteral("RezKonv-Import");

    // At most this many entries of a list go into a message; the rest are counted.
    QString aufzaehlung(const QStringList& eintraege, int hoechstens = 10)
    {
        QString out = eintraege.mid(0, hoechstens).join(QStringLiteral("\r"));
        if (eintraege.size() > hoechstens)
            out += QStringLiteral("\r… und %1 weitere").arg(eintraege.size() - hoechstens);
        return out;
    }

    QString rezepteZahl(qsizetype n)
    {
        return n == 1 ? QStringLiteral("1 Rezept") : QStringLiteral("%1 Rezepte").arg(n);
    }
}

namespace {
    struct Abgebrochen { };

    // While an import is written, the bar shows how far it got and "Abbrechen" stays usable. Clicks and
    // keys meant for any other window are dropped, as a modal window drops them, so nothing else writes
    // the collection in between.
    class Arbeit : public QObject {
    public:
        Arbeit(QProgressBar* bar, int anzahl, QWidget* fenster, QList<QWidget*> eigene)
            : m_bar(bar)
            , m_fenster(fenster)
        {
            for (QWidget* w : eigene)
                if (w->isEnabled())
                    m_gesperrt.append(w);
            for (QWidget* w : std::as_const(m_gesperrt))
                w->setEnabled(false);
            m_bar->setRange(0, anzahl);
            m_bar->setValue(0);
            m_bar->show();
            qApp->installEventFilter(this);
        }
        ~Arbeit() override
        {
            qApp->removeEventFilter(this);
            m_bar->hide();
            for (QWidget* w : std::as_const(m_gesperrt))
                if (w)
                    w->setEnabled(true);
        }
        // Repaints and pending events (the click on "Abbrechen") about every 30 ms, not per recipe.
        void schritt(int i, const bool& abbruch, int gesamt = -1)
        {
            if (m_uhr.isValid() && m_uhr.elapsed() < 30)
                return;
            if (gesamt >= 0 && m_bar->maximum() != gesamt)
                m_bar->setMaximum(gesamt);
            m_bar->setValue(i);
            m_bar->repaint();
            QCoreApplication::processEvents();
            m_uhr.restart();
            if (abbruch)
                throw Abgebrochen {};
        }

    protected:
        bool eventFilter(QObject* o, QEvent* e) override
        {
            switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::Wheel:
            case QEvent::Drop:
            case QEvent::Close: {
                auto* w = qobject_cast<QWidget*>(o);
                if (!w && e->type() == QEvent::Shortcut)
                    w = qobject_cast<QWidget*>(o->parent()); // a menu command belongs to its window
                if (!w)
                    return e->type() == QEvent::Shortcut;
                return w->window() != m_fenster;
            }
            default:
                return false;
            }
        }

    private:
        QProgressBar* m_bar;
        QWidget* m_fenster;
        QList<QPointer<QWidget>> m_gesperrt;
        QElapsedTimer m_uhr;
    };
}

RezKonvImportfenster::RezKonvImportfenster(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , st(state)
{
    setObjectName(QStringLiteral("rezKonvImportfenster"));
    setWindowTitle(kCaption);
    setSizeGripEnabled(true);

    auto* lay = new QVBoxLayout(this);
    auto* hinweis
        = new QLabel(QStringLiteral("Klicken Sie auf \"Dateien laden\" und wählen Sie die RezKonv- oder "
                                    "MealMaster-Dateien aus! Importiert werden die angehakten Rezepte."),
            this);
    hinweis->setWordWrap(true);
    lay->addWidget(hinweis);

    m_dateienLaden = new QPushButton(QStringLiteral("Dateien laden"), this);
    m_dateienLaden->setObjectName(QStringLiteral("dateienLaden"));
    m_dateienLaden->setAutoDefault(false);
    lay->addWidget(m_dateienLaden);

    m_liste = new QTreeWidget(this);
    m_liste->setObjectName(QStringLiteral("liste"));
    m_liste->setAccessibleName(QStringLiteral("Gefundene Rezepte"));
    m_liste->setHeaderLabels(
        { QStringLiteral("Titel"), QStringLiteral("Kategorien"), QStringLiteral("Autor") });
    m_liste->setRootIsDecorated(false);
    m_liste->setUniformRowHeights(true);
    m_liste->header()->resizeSection(0, 240);
    m_liste->header()->resizeSection(1, 150);
    lay->addWidget(m_liste, 1);

    m_stand = new QLabel(this);
    m_stand->setObjectName(QStringLiteral("stand"));
    m_stand->setWordWrap(true);
    m_stand->setTextFormat(Qt::PlainText);
    lay->addWidget(m_stand);

    m_fortschritt = new QProgressBar(this);
    m_fortschritt->setObjectName(QStringLiteral("fortschritt"));
    m_fortschritt->setAccessibleName(QStringLiteral("Fortschritt des Imports"));
    m_fortschritt->setFormat(QStringLiteral("%v von %m"));
    m_fortschritt->hide();
    lay->addWidget(m_fortschritt);

    auto* knoepfe = new QHBoxLayout;
    m_alle = new QPushButton(QStringLiteral("Alle"), this);
    m_alle->setObjectName(QStringLiteral("alle"));
    m_keine = new QPushButton(QStringLiteral("Keine"), this);
    m_keine->setObjectName(QStringLiteral("keine"));
    m_importieren = new QPushButton(QStringLiteral("Importieren"), this);
    m_importieren->setObjectName(QStringLiteral("importieren"));
    m_abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_abbrechen->setObjectName(QStringLiteral("abbrechen"));
    for (QPushButton* b : { m_alle, m_keine, m_importieren, m_abbrechen })
        b->setAutoDefault(false);
    m_importieren->setDefault(true);
    knoepfe->addWidget(m_alle);
    knoepfe->addWidget(m_keine);
    knoepfe->addStretch(1);
    knoepfe->addWidget(m_importieren);
    knoepfe->addWidget(m_abbrechen);
    lay->addLayout(knoepfe);

    connect(m_dateienLaden, &QPushButton::clicked, this, [this] { guarded(this, [&] { dateienLaden(); }); });
    connect(m_alle, &QPushButton::clicked, this, [this] { alleAnhaken(); });
    connect(m_keine, &QPushButton::clicked, this, [this] { keineAnhaken(); });
    connect(m_importieren, &QPushButton::clicked, this, [this] { guarded(this, [&] { importieren(); }); });
    connect(m_abbrechen, &QPushButton::clicked, this, [this] { abbrechen(); });

    resize(560, 420);
    zeigeStand();
}

Kategoriezuordnung RezKonvImportfenster::zuordnung() const
{
    QList<QPair<int, QString>> eigene;
    for (int p = 15; p <= st.kategorien.letzterTab && p < st.kategorien.tabKategorie.size(); ++p) {
        const int n = st.kategorien.tabKategorie.at(p);
        if (n >= 0 && n < st.kategorien.namen.size())
            eigene.append({ n, st.kategorien.namen.at(n).name });
    }
    return Kategoriezuordnung(eigene);
}

void RezKonvImportfenster::leeren()
{
    m_liste->clear();
    m_rezepte.clear();
    m_uebersprungen.clear();
    zeigeStand();
}

void RezKonvImportfenster::zeigeStand()
{
    QString s = QStringLiteral("%1 gefunden.").arg(rezepteZahl(m_rezepte.size()));
    if (!m_uebersprungen.isEmpty())
        s += QStringLiteral(" %1 nicht lesbar und übersprungen.").arg(rezepteZahl(m_uebersprungen.size()));
    QStringList unbekannt;
    const Kategoriezuordnung k = zuordnung();
    for (const ImportRezept& r : std::as_const(m_rezepte))
        k.liste(r.kategorien, &unbekannt);
    if (!unbekannt.isEmpty())
        s += QStringLiteral("\nUnbekannte Kategorien (nicht übernommen): ")
            + unbekannt.mid(0, 20).join(QStringLiteral(", "))
            + (unbekannt.size() > 20 ? QStringLiteral(", …") : QString());
    m_stand->setText(s);
    m_importieren->setEnabled(!m_rezepte.isEmpty());
}

QStringList RezKonvImportfenster::ladeDateien(const QStringList& dateien)
{
    QStringList meldungen;
    const Kategoriezuordnung k = zuordnung();
    m_liste->setUpdatesEnabled(false);
    // An archive of a hundred thousand recipes takes seconds to read: the bar counts the recipes of
    // the file at hand, and "Abbrechen" stops before the next file (the one under way is dropped).
    m_laeuft = true;
    m_abbruch = false;
    struct Ende {
        bool& laeuft;
        ~Ende() { laeuft = false; }
    } ende { m_laeuft };
    std::optional<Arbeit> arbeit;
    arbeit.emplace(
        m_fortschritt, 0, this, QList<QWidget*> { m_dateienLaden, m_liste, m_alle, m_keine, m_importieren });
    for (const QString& datei : dateien) {
        const QString name = QFileInfo(datei).fileName();
        ImportErgebnis e;
        try {
            e = leseRezeptdatei(datei, [&](int i, int n) { arbeit->schritt(i, m_abbruch, n); });
        } catch (const Error& err) {
            meldungen.append(err.message());
            continue;
        } catch (const Abgebrochen&) {
            break;
        }
        for (const UebersprungenesRezept& u : std::as_const(e.uebersprungen))
            m_uebersprungen.append(QStringLiteral("%1: Zeile %2 (%3)").arg(name).arg(u.zeile).arg(u.grund));
        if (e.rezepte.isEmpty() && e.uebersprungen.isEmpty())
            meldungen.append(QStringLiteral("In der Datei \"%1\" wurden keine Rezepte gefunden.").arg(name));
        else if (!e.uebersprungen.isEmpty())
            meldungen.append((e.uebersprungen.size() == 1
                    ? QStringLiteral("In der Datei \"%1\" wurde 1 Rezept nicht verstanden und übersprungen.")
                    : QStringLiteral(
                        "In der Datei \"%1\" wurden %2 Rezepte nicht verstanden und übersprungen.")
                          .arg(QStringLiteral("%1"), QString::number(e.uebersprungen.size())))
                                 .arg(name));
        QList<QTreeWidgetItem*> items;
        items.reserve(e.rezepte.size());
        for (ImportRezept& r : e.rezepte) {
            QStringList kats;
            const QStringList nummern = k.liste(r.kategorien).split(u',', Qt::SkipEmptyParts);
            for (const QString& n : nummern)
                kats.append(k.name(n.toInt()));
            auto* item
                = new QTreeWidgetItem({ shownTitle(r.titel), kats.join(QStringLiteral(", ")), r.autor });
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(0, Qt::Checked);
            if (!r.kategorien.isEmpty())
                item->setToolTip(
                    1, QStringLiteral("In der Datei: ") + r.kategorien.join(QStringLiteral(", ")));
            items.append(item);
            m_rezepte.append(std::move(r));
        }
        m_liste->addTopLevelItems(items);
    }
    arbeit.reset();
    m_liste->setUpdatesEnabled(true);
    zeigeStand();
    return meldungen;
}

void RezKonvImportfenster::dateienLaden()
{
    const QStringList dateien = openFileNames(this, QStringLiteral("Öffnen"),
        QStringLiteral("RezKonv- und MealMaster-Dateien (*.rk *.txt *.mmf *.mm *.rkv);;Alle Dateien (*)"));
    if (dateien.isEmpty())
        return;
    const QStringList meldungen = ladeDateien(dateien);
    if (!meldungen.isEmpty())
        Meldung(aufzaehlung(meldungen), kCaption);
}

void RezKonvImportfenster::alleAnhaken()
{
    for (int i = 0; i < m_liste->topLevelItemCount(); ++i)
        m_liste->topLevelItem(i)->setCheckState(0, Qt::Checked);
}

void RezKonvImportfenster::keineAnhaken()
{
    for (int i = 0; i < m_liste->topLevelItemCount(); ++i)
        m_liste->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
}

void RezKonvImportfenster::abbrechen()
{
    if (m_laeuft)
        m_abbruch = true;
    else
        hide();
}

void RezKonvImportfenster::reject()
{
    if (m_laeuft)
        m_abbruch = true;
    else
        QDialog::reject();
}

void RezKonvImportfenster::closeEvent(QCloseEvent* e)
{
    if (m_laeuft) {
        m_abbruch = true;
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void RezKonvImportfenster::importieren()
{
    const Kategoriezuordnung k = zuordnung();
    QList<NeuesRezept> neue;
    QStringList unbekannt;
    for (int i = 0; i < m_liste->topLevelItemCount() && i < m_rezepte.size(); ++i)
        if (m_liste->topLevelItem(i)->checkState(0) == Qt::Checked)
            neue.append(neuesRezept(m_rezepte.at(i), k, &unbekannt));
    if (neue.isEmpty()) {
        Meldung(QStringLiteral("Es ist kein Rezept angehakt."), kCaption);
        return;
    }
    const qsizetype angehakt = neue.size();
    // Recipes the collection holds already: the user is asked once whether they come again.
    QList<Rezeptvergleich> vergleich;
    for (const NeuesRezept& r : std::as_const(neue))
        vergleich.append({ r.felder.titel, r.zutaten, r.text });
    const QList<bool> doppelt = schonInDerSammlung(st.programDir, st.rezepte, st.rezeptMax, vergleich);
    const int anzahlDoppelt = int(doppelt.count(true));
    int ausgelassen = 0;
    if (anzahlDoppelt > 0
        && askYesNo(this, kCaption, dublettenFrage(anzahlDoppelt, int(angehakt))) != Answer::Yes) {
        QList<NeuesRezept> bleiben;
        for (qsizetype i = 0; i < neue.size(); ++i)
            if (!doppelt.at(i))
                bleiben.append(neue.at(i));
        neue = std::move(bleiben);
        ausgelassen = anzahlDoppelt;
    }

    st.listeWirdGefuellt = true;
    m_laeuft = true;
    m_abbruch = false;
    try {
        Arbeit arbeit(m_fortschritt, int(neue.size()), this,
            { m_dateienLaden, m_liste, m_alle, m_keine, m_importieren });
        installiereRezepte(st.sammlung, st.programDir, neue, [&](int i) { arbeit.schritt(i, m_abbruch); });
        m_laeuft = false;
    } catch (const Abgebrochen&) {
        m_laeuft = false;
        st.listeWirdGefuellt = false;
        // The recipes written so far were removed again; the list stays for another try.
        m_stand->setText(QStringLiteral("Der Import wurde abgebrochen, es wurde kein Rezept übernommen."));
        return;
    } catch (const std::exception& e) {
        m_laeuft = false;
        st.listeWirdGefuellt = false;
        // Nothing was added; the list stays so the user can try again.
        Meldung(
            QStringLiteral("Der Import wurde abgebrochen, es wurde kein Rezept übernommen:\r") + messageOf(e),
            QStringLiteral("Fehler beim Rezepteimport"));
        return;
    }
    // Empty records until the reload below fills them.
    if (st.rezeptMax >= 0 && st.rezepte.size() < size_t(st.rezeptMax) + 1)
        st.rezepte.resize(size_t(st.rezeptMax) + 1);
    st.listeWirdGefuellt = false;

    QString text = neue.isEmpty() ? QStringLiteral("Es wurde kein Rezept importiert.")
        : neue.size() == 1        ? QStringLiteral("Es wurde 1 Rezept importiert.")
                                  : QStringLiteral("Es wurden %1 Rezepte importiert.").arg(neue.size());
    if (ausgelassen > 0)
        text += u'\r' + dublettenHinweis(ausgelassen);
    const qsizetype nichtGewaehlt = m_rezepte.size() - angehakt;
    if (nichtGewaehlt > 0)
        text += nichtGewaehlt == 1 ? QStringLiteral("\r1 Rezept war nicht angehakt.")
                                   : QStringLiteral("\r%1 Rezepte waren nicht angehakt.").arg(nichtGewaehlt);
    if (!m_uebersprungen.isEmpty())
        text += (m_uebersprungen.size() == 1
                        ? QStringLiteral("\r1 Rezept konnte nicht gelesen werden und wurde übersprungen:\r")
                        : QStringLiteral(
                            "\r%1 Rezepte konnten nicht gelesen werden und wurden übersprungen:\r")
                              .arg(m_uebersprungen.size()))
            + aufzaehlung(m_uebersprungen);
    if (!unbekannt.isEmpty())
        text += QStringLiteral(
                    "\rDiese Kategorien gibt es in der Sammlung nicht, sie wurden nicht übernommen: ")
            + unbekannt.mid(0, 20).join(QStringLiteral(", "))
            + (unbekannt.size() > 20 ? QStringLiteral(", …") : QString());
    text += QStringLiteral("\rDie Rezeptdatenbank wird neu eingelesen!");

    leeren();
    hide();
    Meldung(text, QStringLiteral("Rezepte importiert"));
    emit st.sammlung.neuEinlesen();
}

} // namespace tk
