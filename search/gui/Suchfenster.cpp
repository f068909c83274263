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

    Edit1 = new QLineEdit(QStringLiteral("Suchwort"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setAccessibleName(QStringLiteral("Suchwort"));
    Edit1->setGeometry(8, 8, 153, 21);
    Edit1->installEventFilter(this);

    Label1 = new QLabel(QStringLiteral("* ist Joker/Platzhalter"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(168, 10, 117, 17);

    auto radio = [this](const char* name, const QString& text, int top) {
        auto* r = new QRadioButton(text, this);
        r->setObjectName(QLatin1String(name));
        r->setGeometry(8, top, 273, 19);
        return r;
    };
    RadioButton1 = radio("RadioButton1", QStringLiteral("Volltextsuche (ganzes Rezept (nicht Zutaten))"), 40);
    RadioButton2 = radio("RadioButton2", QStringLiteral("Schnellsuche (nur Rezepttitel)"), 60);
    RadioButton3 = radio("RadioButton3", QStringLiteral("Zutatensuche (nur Zutatenliste)"), 80);
    RadioButton4 = radio("RadioButton4", QStringLiteral("Autor"), 100);
    Modi = new QButtonGroup(this);
    Modi->setExclusive(true);
    Modi->addButton(RadioButton1, 1);
    Modi->addButton(RadioButton2, 2);
    Modi->addButton(RadioButton3, 3);
    Modi->addButton(RadioButton4, 4);
    RadioButton2->setChecked(true);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(8, 128, 273, 17);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);

    Button1 = new QPushButton(QStringLiteral("Suchen!"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(56, 158, 85, 27);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(148, 158, 85, 27);
    connect(Button1, &QPushButton::clicked, this, [this] { guarded(this, [&] { Panel1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { guarded(this, [&] { Panel2Click(); }); });

    FormCreate();
}

void Suchfenster::FormCreate() { hide(); }

bool Suchfenster::eventFilter(QObject* o, QEvent* e)
{
    if (o == Edit1 && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            // Taken here, so the default button does not run the search a second time.
            guarded(this, [&] { Edit1KeyDown(); });
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void Suchfenster::Edit1KeyDown() { Panel1Click(); }

void Suchfenster::Panel1Click()
{
    ProgressBar1->setValue(0);
    ProgressBar1->setMaximum(st.rezeptAnzahl + 1);
    RecipeList* liste = m_ergebnisliste;
    if (!liste)
        return;
    liste->clear();

    SuchModus modus = SuchModus::Titel;
    if (RadioButton1->isChecked())
        modus = SuchModus::Volltext;
    else if (RadioButton2->isChecked())
        modus = SuchModus::Titel;
    else if (RadioButton3->isChecked())
        modus = SuchModus::Zutaten;
    else if (RadioButton4->isChecked())
        modus = SuchModus::Autor;

    const int maximum = ProgressBar1->maximum();
    // Recipe numbers pass the live count when some are deleted: the bar then stays full. The bar is
    // only set when the step moves it by a pixel at least; setValue then repaints at once. Setting it
    // for every recipe would cost more than the title search itself.
    const int proPixel = std::max(1, maximum / std::max(1, ProgressBar1->width()));
    int stand = 0;
    int gezeigt = 0;
    auto schritt = [&](int n) {
        stand = std::min(n, maximum);
        if (stand - gezeigt >= proPixel) {
            ProgressBar1->setValue(stand);
            gezeigt = stand;
        }
    };
    std::vector<int> treffer;
    auto zeigeTreffer = [&] {
        ProgressBar1->setValue(stand);
        std::vector<RecipeListModel::Entry> entries;
        entries.reserve(treffer.size());
        for (int n : treffer)
            entries.push_back({ st.rezepte[size_t(n)].titel, n });
        liste->model()->setEntries(std::move(entries));
    };
    try {
        sucheRezepte(st.rezepte, st.rezeptMax, st.programDir, modus, Edit1->text(), treffer, schritt);
    } catch (const std::exception&) {
        zeigeTreffer(); // the hits so far stay; no summary, the window stays open
        throw;
    }
    zeigeTreffer();
    plainMessage(this, suchZusammenfassung(liste->count()));
    hide();
}

void Suchfenster::Panel2Click()
{
    hide();
    ProgressBar1->setValue(0);
}

void Suchfenster::zeigen()
{
    if (isHidden())
        centreOn(this, hauptfenster());
    show();
    raise();
    activateWindow();
}

void Suchfenster::Schnellsuche(const QString& wort)
{
    Edit1->setText(wort);
    RadioButton2->setChecked(true);
    zeigen();
    Panel1Click();
}

void Suchfenster::waehleModus(int modus)
{
    if (QAbstractButton* b = Modi->button(modus))
        b->setChecked(true);
}

} // namespace tk
