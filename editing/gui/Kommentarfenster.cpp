#include "editing/gui/Kommentarfenster.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editing/gui/RohText.h"
#include "platform/ShownText.h"
#include "store/RezeptDateien.h"
#include "platform/TextLines.h"
#include "platform/gui/Meldung.h"
#include "platform/gui/Modal.h"
#include "store/AppState.h"
#include "store/Formats.h"

namespace tk {

Kommentarfenster::Kommentarfenster(AppState& state, QWidget* parent)
    : QDialog(parent,
        Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint)
    , st(state)
{
    setObjectName(QStringLiteral("kommentarfenster"));
    setWindowTitle(QStringLiteral("Kommentar"));
    setModal(false);
    setSizeGripEnabled(true);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QStringLiteral("Kommentar"));
    Memo1->setTabChangesFocus(true);
    Button1 = new QPushButton(QStringLiteral("Verwerfen"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Speichern"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addStretch(1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(Memo1, 1);
    auto* inner = new QWidget(this);
    inner->setLayout(buttons);
    buttons->setContentsMargins(8, 0, 8, 0);
    layout->addWidget(inner);
    resize(353, 287);

    connect(Button2, &QPushButton::clicked, this, [this] { guarded(this, [&] { Label1Click(); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { guarded(this, [&] { Label2Click(); }); });
}

QStringList Kommentarfenster::kommentarZeilen() const
{
    // A comment shown cut cannot be edited; it is saved as it was read.
    if (m_gekuerzt)
        return m_ganz;
    return feldZeilen(rohText(Memo1));
}
void Kommentarfenster::setKommentarZeilen(const QStringList& lines)
{
    const ShownLines shown = shownLines(lines);
    m_gekuerzt = shown.cut;
    m_ganz = shown.cut ? lines : QStringList();
    Memo1->setReadOnly(shown.cut);
    Memo1->setPlainText(feldText(shown.lines));
}

void Kommentarfenster::Label1Click()
{
    // Only the recipe whose view the comment belongs to is written, never aktuellesRezept when a right
    // click moved it elsewhere; with no recipe on show there is nothing to write into.
    const int n = st.angezeigtesRezept;
    if (n >= 0) {
        try {
            st.sammlung.speichereKommentar(n, kommentarZeilen());
        } catch (const InzwischenGeloescht&) {
            // Deleted meanwhile by another copy: the text stays here so nothing typed is lost.
            Meldung(QStringLiteral("Das Rezept wurde inzwischen gelöscht. Der Kommentar kann nicht mehr "
                                   "gespeichert werden."),
                QStringLiteral("Kommentar"));
            return;
        }
    }
    hide();
}

void Kommentarfenster::Label2Click()
{
    setKommentarZeilen({});
    hide();
}

} // namespace tk
