#include "search/gui/Suchfenster.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "platform/gui/RecipeList.h"
#include "platform/Error.h"
#include "platform/gui/Meldung.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"
#include "search/Suche.h"
#include "store/AppState.h"

namespace tk {

Suchfenster::Suchfenster(AppState& state, QWidget* parent)
    : QDialog(parent)
    , st(state)
{
    setObjectName(QStringLiteral("suchfenster"));
    setWindowTitle(QStringLiteral("Suchen"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(289, 194);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    setFont(f);

    m_suchwort = new QLineEdit(QStringLiteral("Suchwort"), this);
    m_suchwort->setObjectName(QStringLiteral("suchwort"));
    m_suchwort->setAccessibleName(QStringLiteral("Suchwort"));
    m_suchwort->setGeometry(8, 8, 153, 21);
    m_suchwort->installEventFilter(this);

    m_jokerHinweis = new QLabel(QStringLiteral("* ist Joker/Platzhalter"), this);
    m_jokerHinweis->setObjectName(QStringLiteral("jokerHinweis"));
    m_jokerHinweis->setGeometry(168, 10, 117, 17);

    auto radio = [this](const char* name, const QString& text, int top) {
        auto* r = new QRadioButton(text, this);
        r->setObjectName(QLatin1String(name));
        r->setGeometry(8, top, 273, 19);
        return r;
    };
    m_volltext = radio("volltext", QStringLiteral("Volltextsuche (ganzes Rezept (nicht Zutaten))"), 40);
    m_titel = radio("titel", QStringLiteral("Schnellsuche (nur Rezepttitel)"), 60);
    m_zutaten = radio("zutaten", QStringLiteral("Zutatensuche (nur Zutatenliste)"), 80);
    m_autor = radio("autor", QStringLiteral("Autor"), 100);
    m_modi = new QButtonGroup(this);
    m_modi->setExclusive(true);
    m_modi->addButton(m_volltext, 1);
    m_modi->addButton(m_titel, 2);
    m_modi->addButton(m_zutaten, 3);
    m_modi->addButton(m_autor, 4);
    m_titel->setChecked(true);

    m_fortschritt = new QProgressBar(this);
    m_fortschritt->setObjectName(QStringLiteral("fortschritt"));
    m_fortschritt->setGeometry(8, 128, 273, 17);
    m_fortschritt->setTextVisible(false);
    m_fortschritt->setRange(0, 100);
    m_fortschritt->setValue(0);

    m_suchen = new QPushButton(QStringLiteral("Suchen!"), this);
    m_suchen->setObjectName(QStringLiteral("suchen"));
    m_suchen->setGeometry(56, 158, 85, 27);
    m_suchen->setDefault(true);
    m_abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_abbrechen->setObjectName(QStringLiteral("abbrechen"));
    m_abbrechen->setGeometry(148, 158, 85, 27);
    connect(m_suchen, &QPushButton::clicked, this, [this] { guarded(this, [&] { suchen(); }); });
    connect(m_abbrechen, &QPushButton::clicked, this, [this] { guarded(this, [&] { abbrechen(); }); });

    hide();
}

bool Suchfenster::eventFilter(QObject* o, QEvent* e)
{
    if (o == m_suchwort && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            // Taken here, so the default button does not run the search a second time.
            guarded(this, [&] { suchen(); });
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void Suchfenster::suchen()
{
    m_fortschritt->setValue(0);
    m_fortschritt->setMaximum(st.rezeptAnzahl + 1);
    RecipeList* liste = m_ergebnisliste;
    if (!liste)
        return;
    liste->clear();

    SuchModus modus = SuchModus::Titel;
    if (m_volltext->isChecked())
        modus = SuchModus::Volltext;
    else if (m_titel->isChecked())
        modus = SuchModus::Titel;
    else if (m_zutaten->isChecked())
        modus = SuchModus::Zutaten;
    else if (m_autor->isChecked())
        modus = SuchModus::Autor;

    const int maximum = m_fortschritt->maximum();
    // Recipe numbers pass the live count when some are deleted: the bar then stays full. The bar is
    // only set when the step moves it by a pixel at least; setValue then repaints at once. Setting it
    // for every recipe would cost more than the title search itself.
    const int proPixel = std::max(1, maximum / std::max(1, m_fortschritt->width()));
    int stand = 0;
    int gezeigt = 0;
    auto schritt = [&](int n) {
        stand = std::min(n, maximum);
        if (stand - gezeigt >= proPixel) {
            m_fortschritt->setValue(stand);
            gezeigt = stand;
        }
    };
    std::vector<int> treffer;
    auto zeigeTreffer = [&] {
        m_fortschritt->setValue(stand);
        std::vector<RecipeListModel::Entry> entries;
        entries.reserve(treffer.size());
        for (int n : treffer)
            entries.push_back({ st.rezepte[size_t(n)].titel, n });
        liste->model()->setEntries(std::move(entries));
    };
    try {
        sucheRezepte(st.rezepte, st.rezeptMax, st.programDir, modus, m_suchwort->text(), treffer, schritt);
    } catch (const std::exception&) {
        zeigeTreffer(); // the hits so far stay; no summary, the window stays open
        throw;
    }
    zeigeTreffer();
    plainMessage(this, suchZusammenfassung(liste->count()));
    hide();
}

void Suchfenster::abbrechen()
{
    hide();
    m_fortschritt->setValue(0);
}

void Suchfenster::zeigen()
{
    if (isHidden())
        centreOn(this, hauptfenster());
    show();
    raise();
    activateWindow();
}

void Suchfenster::schnellsuche(const QString& wort)
{
    m_suchwort->setText(wort);
    m_titel->setChecked(true);
    zeigen();
    suchen();
}

void Suchfenster::waehleModus(int modus)
{
    if (QAbstractButton* b = m_modi->button(modus))
        b->setChecked(true);
}

} // namespace tk
