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

    m_kommentar = new QPlainTextEdit(this);
    m_kommentar->setObjectName(QStringLiteral("kommentar"));
    m_kommentar->setAccessibleName(QStringLiteral("Kommentar"));
    m_kommentar->setTabChangesFocus(true);
    m_verwerfen = new QPushButton(QStringLiteral("Verwerfen"), this);
    m_verwerfen->setObjectName(QStringLiteral("verwerfen"));
    m_speichern = new QPushButton(QStringLiteral("Speichern"), this);
    m_speichern->setObjectName(QStringLiteral("speichern"));
    m_speichern->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_verwerfen);
    buttons->addStretch(1);
    buttons->addWidget(m_speichern);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(m_kommentar, 1);
    auto* inner = new QWidget(this);
    inner->setLayout(buttons);
    buttons->setContentsMargins(8, 0, 8, 0);
    layout->addWidget(inner);
    resize(353, 287);

    connect(m_speichern, &QPushButton::clicked, this, [this] { guarded(this, [&] { speichern(); }); });
    connect(m_verwerfen, &QPushButton::clicked, this, [this] { guarded(this, [&] { verwerfen(); }); });
}

QStringList Kommentarfenster::kommentarZeilen() const
{
    // A comment shown cut cannot be edited; it is saved as it was read.
    if (m_gekuerzt)
        return m_ganz;
    return feldZeilen(rohText(m_kommentar));
}
void Kommentarfenster::setKommentarZeilen(const QStringList& lines)
{
    const ShownLines shown = shownLines(lines);
    m_gekuerzt = shown.cut;
    m_ganz = shown.cut ? lines : QStringList();
    m_kommentar->setReadOnly(shown.cut);
    m_kommentar->setPlainText(feldText(shown.lines));
}

void Kommentarfenster::speichern()
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

void Kommentarfenster::verwerfen()
{
    setKommentarZeilen({});
    hide();
}

} // namespace tk
