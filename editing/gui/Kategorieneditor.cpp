#include "editing/gui/Kategorieneditor.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "platform/gui/Meldung.h"
#include "platform/Error.h"
#include "platform/TextLines.h"
#include "platform/gui/Modal.h"
#include "store/AppState.h"
#include "store/Formats.h"

namespace tk {

namespace {
    const QString kHinweis
        = QStringLiteral("Bitte einen Eintrag wählen, um ihn zu löschen oder zu editieren");
    const QString kStandard = QStringLiteral("Die Standartkategorien können nicht bearbeitet werden");
    constexpr int kErsteEigene = 15;
}

Kategorieneditor::Kategorieneditor(AppState& state, QWidget* parent)
    : QDialog(parent)
    , st(state)
{
    setObjectName(QStringLiteral("kategorieneditor"));
    setWindowTitle(QStringLiteral("Kategorien bearbeiten"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(481, 264);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    setFont(f);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setAccessibleName(QStringLiteral("Kategorien"));
    ListBox1->setGeometry(8, 8, 209, 209);
    ListBox1->installEventFilter(this);

    Label1 = new QLabel(kHinweis, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 222, 370, 34);
    Label1->setWordWrap(true);
    Label1->setTextFormat(Qt::PlainText);

    auto group = [this](const char* name, const QString& title, int top, int height) {
        auto* g = new QGroupBox(title, this);
        g->setObjectName(QLatin1String(name));
        g->setGeometry(226, top, 247, height);
        return g;
    };
    auto button = [](const char* name, const QString& text, QWidget* parent, int x, int y) {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(x, y, 75, 25);
        return b;
    };
    GroupBox1 = group("GroupBox1", QStringLiteral("Neue Kategorie erstellen"), 8, 60);
    Edit1 = new QLineEdit(GroupBox1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setAccessibleName(QStringLiteral("Name der neuen Kategorie"));
    Edit1->setGeometry(8, 24, 150, 23);
    Edit1->installEventFilter(this);
    Button1 = button("Button1", QStringLiteral("Hinzufügen"), GroupBox1, 164, 23);

    GroupBox2 = group("GroupBox2", QStringLiteral("Kategorie bearbeiten"), 76, 60);
    Edit2 = new QLineEdit(GroupBox2);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setAccessibleName(QStringLiteral("Neuer Name der Kategorie"));
    Edit2->setGeometry(8, 24, 150, 23);
    Edit2->installEventFilter(this);
    Button2 = button("Button2", QStringLiteral("Ändern"), GroupBox2, 164, 23);

    GroupBox3 = group("GroupBox3", QStringLiteral("Kategorie löschen"), 144, 56);
    Button3 = button("Button3", QStringLiteral("Löschen"), GroupBox3, 164, 22);

    Button5 = button("Button5", QStringLiteral("OK"), this, 398, 226);
    Button5->setDefault(true);

    connect(
        ListBox1, &QListWidget::currentRowChanged, this, [this] { guarded(this, [&] { ListBox1Click(); }); });
    connect(ListBox1, &QListWidget::itemClicked, this, [this] { guarded(this, [&] { ListBox1Click(); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { guarded(this, [&] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { guarded(this, [&] { Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this, [this] { guarded(this, [&] { Button3Click(); }); });
    connect(Button5, &QPushButton::clicked, this, &Kategorieneditor::Button5Click);

    auswahlSperren();
    hide();
}

bool Kategorieneditor::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        // Taken here: otherwise the field would pass Enter on to "OK" and close the window.
        if (o == Edit1 && enter) {
            guarded(this, [&] { Button1Click(); });
            return true;
        }
        if (o == Edit2 && enter) {
            guarded(this, [&] { Button2Click(); });
            return true;
        }
        if (o == ListBox1 && key == Qt::Key_Delete) {
            if (Button3->isEnabled())
                guarded(this, [&] { Button3Click(); });
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void Kategorieneditor::fuellen()
{
    ListBox1->blockSignals(true);
    ListBox1->clear();
    for (int p = 0; p <= st.kategorien.letzterTab; ++p)
        ListBox1->addItem(st.kategorien.namen.at(st.kategorien.tabKategorie.at(p)).name);
    ListBox1->blockSignals(false);
    Label1->setText(kHinweis);
    waehleEintrag(0);
    auswahlSperren();
}

void Kategorieneditor::auswahlSperren()
{
    Edit2->setEnabled(false);
    Button2->setEnabled(false);
    Button3->setEnabled(false);
}

void Kategorieneditor::waehleEintrag(int row)
{
    ListBox1->blockSignals(true);
    ListBox1->setCurrentRow(row);
    ListBox1->blockSignals(false);
}

void Kategorieneditor::ListBox1Click()
{
    const int p = ListBox1->currentRow();
    if (p < kErsteEigene) {
        Label1->setText(kStandard);
        auswahlSperren();
        return;
    }
    const QString text = ListBox1->item(p)->text();
    Label1->setText(text);
    Edit2->setText(text);
    Edit2->setEnabled(true);
    Button2->setEnabled(true);
    Button3->setEnabled(true);
}

void Kategorieneditor::Button1Click()
{
    QString name = Edit1->text();
    name.replace(u'|', u'/');
    Edit1->setText(name);
    if (name.isEmpty()) {
        Label1->setText(QStringLiteral("Bitte einen Kategorie-Namen angeben!"));
        return;
    }
    // The main window rebuilds its tabs when the collection tells it.
    switch (st.sammlung.neueKategorie(name)) {
    case KategorieFehler::Vorhanden:
        Meldung(QStringLiteral("Kategorie schon vorhanden!"), QStringLiteral("Nicht möglich"));
        return;
    case KategorieFehler::Voll:
        Meldung(QStringLiteral("Es können keine weiteren Kategorien erstellt werden: Alle "
                               "Kategorie-Nummern bis 99 sind vergeben."),
            QStringLiteral("Nicht möglich"));
        return;
    case KategorieFehler::Keiner:
        break;
    }
    ListBox1->addItem(name);
    auswahlSperren();
    waehleEintrag(0);
    Edit1->clear();
}

void Kategorieneditor::Button2Click()
{
    const int p = ListBox1->currentRow();
    if (p < kErsteEigene || p > st.kategorien.letzterTab)
        return;
    QString name = Edit2->text();
    name.replace(u'|', u'/');
    Edit2->setText(name);
    if (name.isEmpty()) {
        Label1->setText(QStringLiteral("Bitte einen neuen Kategorie-Namen angeben!"));
        return;
    }
    st.sammlung.benenneKategorie(st.kategorien.tabKategorie.at(p), name);
    ListBox1->item(p)->setText(name);
    auswahlSperren();
    waehleEintrag(0);
    Edit2->clear();
}

void Kategorieneditor::Button3Click()
{
    if (askYesNo(
            this, QStringLiteral("Achtung!"), QStringLiteral("Wollen Sie die Kategorie wirklich löschen?"))
        == Answer::Yes)
        Button4Click();
}

void Kategorieneditor::Button4Click()
{
    const int p = ListBox1->currentRow();
    if (p < kErsteEigene || p > st.kategorien.letzterTab)
        return;
    st.sammlung.loescheKategorie(st.kategorien.tabKategorie.at(p));
    ListBox1->blockSignals(true);
    delete ListBox1->takeItem(p);
    ListBox1->blockSignals(false);
    auswahlSperren();
    waehleEintrag(p - 1);
    ListBox1Click();
    ListBox1->setFocus();
}

void Kategorieneditor::Button5Click() { accept(); }

} // namespace tk
