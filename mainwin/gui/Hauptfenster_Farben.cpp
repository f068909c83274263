// Colours and font size of the main window: it applies the settings itself when they change.
#include "mainwin/gui/Hauptfenster.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QTextEdit>

#include "platform/gui/HotLabel.h"
#include "platform/gui/RecipeList.h"
#include "platform/gui/TabControl.h"
#include "settings/gui/Farbschema.h"
#include "store/AppState.h"

namespace tk {

void Hauptfenster::applySchema(const Farbschema& s)
{
    Hauptfenster& f = *this;
    // The tab control lies on a coloured panel but keeps its own background.
    if (f.kategorien) {
        const QPalette app = QApplication::palette();
        for (auto role : { QPalette::Window, QPalette::Button })
            for (auto group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
                QPalette p = f.kategorien->palette();
                p.setColor(group, role, app.color(group, role));
                f.kategorien->setPalette(p);
            }
    }
    for (QWidget* w : std::initializer_list<QWidget*> { f.Panel1, f.Panel2, f.Panel3, f.Panel4, f.Panel5,
             static_cast<QWidget*>(f.statusBar()), f.Panel6, f.Panel7, f.label8 })
        setzeHintergrund(w, s.panel);
    // Splitter1 holds both vertical bars of the window (the one before the ingredient column too).
    faerbeTeiler(f.Splitter1, s.panel);
    faerbeTeiler(f.Splitter2, s.panel);

    for (QWidget* w : std::initializer_list<QWidget*> {
             f.suchergebnisse, f.treeview1, f.TreeView2, f.rezept, f.zutaten, f.Edit1 })
        setzeFeldhintergrund(w, s.feld);

    for (QWidget* w : std::initializer_list<QWidget*> { f.rezept, f.Edit1, f.suchergebnisse, f.zutaten,
             f.rezeptname, f.treeview1, f.TreeView2, f.kategorien })
        setzeTextfarbe(w, s.text);
    for (QLabel* l :
        std::initializer_list<QLabel*> { f.Label1, f.Label2, f.Label3, f.Label4, f.Label5, f.Label6, f.Label7,
            f.label8, f.Label9, f.Label11, f.Label12, f.Label18, f.Label19, f.Label10, f.Label20 })
        setzeTextfarbe(l, s.text);
}

void Hauptfenster::applySchriftgroesse(int size)
{
    Hauptfenster& f = *this;
    for (QWidget* w :
        std::initializer_list<QWidget*> { f.Label1, f.Label2, f.Label3, f.Label4, f.Label5, f.Label6,
            f.Label7, f.label8, f.Label9, f.Label11, f.Label12, f.Label19, f.Label10, f.Label20, f.Edit1 })
        setzeSchriftgroesse(w, size);
    setzeSchriftgroesse(f.rezeptname, size + 4);
    for (QWidget* w : std::initializer_list<QWidget*> {
             f.zutaten, f.rezept, f.treeview1, f.TreeView2, f.suchergebnisse, f.kategorien })
        setzeSchriftgroesse(w, size);

    if (f.kategorien) {
        const QFont tabFont = f.kategorien->font();
        f.kategorien->setCaptionFont(tabFont);
        f.kategorien->setTabHeight(
            QFontMetrics(tabFont).size(Qt::TextSingleLine, QStringLiteral("WIl")).height() + 5);
        // The control shows only its rows of tabs.
        f.Splitter1Moved();
    }

    if (f.RichEdit1) {
        setzeSchriftgroesse(f.RichEdit1, size);
        f.RichEdit1->setFontPointSize(size);
    }

    // The quick-search field grows with its font like the other fields, centred in the toolbar.
    if (f.Edit1) {
        const int h = std::max(21, f.Edit1->sizeHint().height());
        f.Edit1->setGeometry(f.Edit1->x(), std::max(0, 11 - (h - 21) / 2), f.Edit1->width(), h);
    }
    // The quick-search link and the counter beside it keep their text whole.
    if (f.Label11 && f.Label9) {
        f.Label11->adjustSize();
        f.Label9->adjustSize();
        f.Label9->move(std::max(510, f.Label11->x() + f.Label11->width() + 14), f.Label9->y());
    }
    // The information panel lays its rows out anew for the new font when it is resized.
    if (f.Panel5) {
        QResizeEvent relayout(f.Panel5->size(), f.Panel5->size());
        QCoreApplication::sendEvent(f.Panel5, &relayout);
    }
    const std::pair<QLabel*, QLabel*> pairs[] = { { f.Label2, f.Label1 }, { f.Label3, f.Label6 },
        { f.Label5, f.Label7 }, { f.Label10, f.Label20 } };
    for (const auto& [caption, value] : pairs) {
        if (!caption || !value)
            continue;
        caption->adjustSize();
        value->move(caption->x() + caption->width() + 5, caption->y());
    }
}

void Hauptfenster::einstellungenAnwenden()
{
    applySchriftgroesse(st.Schriftgroesse);
    applySchema(st.NormaleFarbe ? normalesSchema() : farbtonSchema(st.Farbton));
}

} // namespace tk
