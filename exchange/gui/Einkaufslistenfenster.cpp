#include "exchange/gui/Einkaufslistenfenster.h"

#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "exchange/Mengen.h"
#include "exchange/gui/Druckausgabe.h"
#include "exchange/gui/PdfAusgabe.h"
#include "platform/TextLines.h"
#include "platform/gui/Modal.h"

namespace tk {

namespace {
    const QString kSpeichernUnter = QStringLiteral("Speichern unter");

    // Texts measured as the printer sets them, for the columns of the printout.
    Textbreite mass(QPrinter& printer)
    {
        return [&printer](const QString& text, int punkte) {
            QFont f(kDruckSchrift);
            f.setPointSize(punkte);
            return QFontMetrics(f, &printer).horizontalAdvance(text);
        };
    }
}

// The save dialog starts in the folder used last, at first the home folder, never the program's.
QString Einkaufslistenfenster::dateiWaehlen(const QString& filter, const QString& name)
{
    const QString endung = QFileInfo(name).suffix();
    const QString datei = saveFileName(this, kSpeichernUnter, filter, QDir(m_ordner).filePath(name), endung);
    if (!datei.isEmpty())
        m_ordner = QFileInfo(datei).absolutePath();
    return datei;
}

Einkaufslistenfenster::Einkaufslistenfenster(const QString& programDir, QWidget* parent)
    // On top like the converter it is filled from, so it comes up in front of it.
    : QDialog(parent,
        Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint
            | Qt::WindowStaysOnTopHint)
    , m_dir(programDir)
    , m_ordner(QDir::homePath())
{
    setObjectName(QStringLiteral("einkaufslistenfenster"));
    setWindowTitle(QStringLiteral("Einkaufsliste"));
    setSizeGripEnabled(true);

    auto* lay = new QVBoxLayout(this);
    m_tabelle = new QTableWidget(0, 3, this);
    m_tabelle->setObjectName(QStringLiteral("tabelle"));
    m_tabelle->setAccessibleName(QStringLiteral("Einkaufsliste"));
    m_tabelle->setHorizontalHeaderLabels(
        { QStringLiteral("Menge"), QStringLiteral("Zutat"), QStringLiteral("Rezept") });
    m_tabelle->verticalHeader()->setVisible(false);
    // The ingredient takes the room; the recipe column keeps a readable width.
    m_tabelle->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_tabelle->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_tabelle->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Interactive);
    m_tabelle->horizontalHeader()->resizeSection(2, 220);
    m_tabelle->verticalHeader()->setDefaultSectionSize(m_tabelle->fontMetrics().height() + 8);
    m_tabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabelle->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed);
    m_tabelle->setWordWrap(false);
    // One Tab stop: the arrows move inside the table, Tab goes on to the buttons.
    m_tabelle->setTabKeyNavigation(false);
    lay->addWidget(m_tabelle, 1);

    // Entf takes the chosen lines off the list.
    auto* entf = new QAction(m_tabelle);
    entf->setShortcut(QKeySequence::Delete);
    entf->setShortcutContext(Qt::WidgetShortcut);
    m_tabelle->addAction(entf);
    connect(entf, &QAction::triggered, this, [this] { guarded(this, [&] { entfernenAusgewaehlte(); }); });

    auto* knoepfe = new QHBoxLayout;
    auto knopf = [&](const QString& text, const char* name, void (Einkaufslistenfenster::*handler)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        // Return presses the button that has the focus; none is the default, so Return in a field
        // presses nothing.
        b->setAutoDefault(true);
        knoepfe->addWidget(b);
        if (handler)
            connect(b, &QPushButton::clicked, this,
                [this, handler] { guarded(this, [&] { (this->*handler)(); }); });
        return b;
    };
    knopf(QStringLiteral("&Drucken"), "drucken", &Einkaufslistenfenster::drucken);
    knopf(QStringLiteral("&Kopieren"), "kopieren", &Einkaufslistenfenster::kopieren);
    knopf(QStringLiteral("Als &PDF speichern..."), "alsPdf", &Einkaufslistenfenster::alsPdf);
    knopf(QStringLiteral("Als &Textdatei speichern..."), "alsText", &Einkaufslistenfenster::alsText);
    knopf(QStringLiteral("&Erledigte entfernen"), "erledigteEntfernen",
        &Einkaufslistenfenster::erledigteEntfernen);
    knopf(QStringLiteral("&Leeren"), "leeren", &Einkaufslistenfenster::leeren);
    knoepfe->addStretch(1);
    QPushButton* schliessen = knopf(QStringLiteral("&Schließen"), "schliessen", nullptr);
    connect(schliessen, &QPushButton::clicked, this, &QWidget::hide);
    lay->addLayout(knoepfe);

    connect(m_tabelle, &QTableWidget::itemChanged, this,
        [this](QTableWidgetItem* item) { guarded(this, [&] { zeileGeaendert(item); }); });

    resize(720, 420);
    try {
        laden();
    } catch (const std::exception&) {
        // Reported when the list is next used; until it can be read it is not written over.
    }
}

void Einkaufslistenfenster::laden()
{
    m_geladen = false;
    m_liste = ladeEinkaufsliste(m_dir);
    m_geladen = true;
    fuellen();
}

void Einkaufslistenfenster::speichern()
{
    if (!m_geladen)
        laden(); // throws while the file cannot be read
    speichereEinkaufsliste(m_dir, m_liste);
}

void Einkaufslistenfenster::hinzufuegen(const QStringList& zutaten, const QString& rezept)
{
    laden();
    const QList<qsizetype> neu = m_liste.hinzufuegen(zutaten, rezept);
    fuellen();
    speichern();
    // The lines that came or changed are in view from the first of them on, which is chosen.
    if (neu.isEmpty())
        return;
    m_tabelle->setCurrentCell(int(neu.first()), 0);
    m_tabelle->scrollToItem(m_tabelle->item(int(neu.first()), 0), QAbstractItemView::PositionAtTop);
}

void Einkaufslistenfenster::fuellen()
{
    m_fuellt = true;
    const int vorher = m_tabelle->currentRow();
    m_tabelle->setRowCount(int(m_liste.eintraege.size()));
    for (int r = 0; r < m_liste.eintraege.size(); ++r) {
        const Einkauf& e = m_liste.eintraege.at(r);
        auto* menge = new QTableWidgetItem(e.menge);
        menge->setFlags(
            Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
        menge->setCheckState(e.erledigt ? Qt::Checked : Qt::Unchecked);
        // The tick box is read out with the whole line.
        menge->setData(Qt::AccessibleTextRole, e.zeile());
        auto* zutat = new QTableWidgetItem(e.zutat);
        zutat->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        auto* rezepte = new QTableWidgetItem(e.rezepte.join(QStringLiteral(", ")));
        rezepte->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        for (QTableWidgetItem* it : { menge, zutat, rezepte }) {
            QFont f; // struck out only: the size follows the list's
            f.setStrikeOut(e.erledigt);
            it->setFont(f);
            if (e.erledigt)
                it->setForeground(m_tabelle->palette().color(QPalette::Disabled, QPalette::Text));
        }
        m_tabelle->setItem(r, 0, menge);
        m_tabelle->setItem(r, 1, zutat);
        m_tabelle->setItem(r, 2, rezepte);
    }
    if (vorher >= 0 && vorher < m_tabelle->rowCount())
        m_tabelle->setCurrentCell(vorher, 0);
    m_fuellt = false;
}

void Einkaufslistenfenster::zeileGeaendert(QTableWidgetItem* item)
{
    if (m_fuellt || item->column() != 0)
        return;
    const int r = item->row();
    if (r < 0 || r >= m_liste.eintraege.size())
        return;
    Einkauf& e = m_liste.eintraege[r];
    e.erledigt = item->checkState() == Qt::Checked;
    if (item->text().trimmed() != e.menge)
        e.setzeMenge(item->text().trimmed());
    // Redrawn after the view has finished with the item.
    QMetaObject::invokeMethod(
        this, [this] { fuellen(); }, Qt::QueuedConnection);
    speichern();
}

void Einkaufslistenfenster::entfernenAusgewaehlte()
{
    QList<int> zeilen;
    for (const QModelIndex& i : m_tabelle->selectionModel()->selectedRows())
        zeilen.append(i.row());
    if (zeilen.isEmpty())
        return;
    std::sort(zeilen.begin(), zeilen.end(), std::greater<int>());
    for (int r : zeilen)
        m_liste.eintraege.removeAt(r);
    fuellen();
    speichern();
}

void Einkaufslistenfenster::drucken()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    if (!printDialog(this, &printer))
        return;
    const QSize bereich = druckbereich(printer);
    druckeLayout(printer,
        einkaufslisteDruck(m_liste, bereich.width(), bereich.height(), QDate::currentDate(), mass(printer)));
}

void Einkaufslistenfenster::kopieren()
{
    QGuiApplication::clipboard()->setText(m_liste.textzeilen().join(u'\n') + u'\n');
}

void Einkaufslistenfenster::alsPdf()
{
    const QString datei
        = dateiWaehlen(QStringLiteral("PDF-Datei (*.pdf)"), QStringLiteral("Einkaufsliste.pdf"));
    if (datei.isEmpty())
        return;
    schreibePdf(datei, windowTitle(), [this](QPrinter& printer) {
        const QSize bereich = druckbereich(printer);
        return einkaufslisteDruck(
            m_liste, bereich.width(), bereich.height(), QDate::currentDate(), mass(printer));
    });
}

void Einkaufslistenfenster::alsText()
{
    const QString datei
        = dateiWaehlen(QStringLiteral("Textdatei (*.txt)"), QStringLiteral("Einkaufsliste.txt"));
    if (datei.isEmpty())
        return;
    QStringList zeilen { QStringLiteral("Einkaufsliste"), QString() };
    for (const QString& z : m_liste.textzeilen())
        zeilen.append(ohneSonderbrueche(z));
    saveLines(datei, zeilen);
}

void Einkaufslistenfenster::erledigteEntfernen()
{
    m_liste.erledigteEntfernen();
    fuellen();
    speichern();
}

void Einkaufslistenfenster::leeren()
{
    if (m_liste.eintraege.isEmpty())
        return;
    if (askYesNo(this, windowTitle(), QStringLiteral("Die ganze Einkaufsliste leeren?")) != Answer::Yes)
        return;
    m_liste.eintraege.clear();
    fuellen();
    speichern();
}

} // namespace tk
