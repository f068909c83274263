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

void Hauptfenster::farbschemaAnwenden(const Farbschema& s)
{
    // The tab control lies on a coloured panel but keeps its own background.
    if (m_kategorien) {
        const QPalette app = QApplication::palette();
        for (auto role : { QPalette::Window, QPalette::Button })
            for (auto group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
                QPalette p = m_kategorien->palette();
                p.setColor(group, role, app.color(group, role));
                m_kategorien->setPalette(p);
            }
    }
    for (QWidget* w : std::initializer_list<QWidget*> { m_symbolleiste, m_linkeSpalte, m_mittelspalte,
             m_rechteSpalte, m_zusatzinfo, static_cast<QWidget*>(statusBar()), m_rezeptbereich,
             m_exportleiste, m_zutatenKopf })
        setzeHintergrund(w, s.panel);
    // m_spalten holds both vertical bars of the window (the one before the ingredient column too).
    faerbeTeiler(m_spalten, s.panel);
    faerbeTeiler(m_ergebnisTeiler, s.panel);

    for (QWidget* w : std::initializer_list<QWidget*> {
             m_suchergebnisse, m_rezeptliste, m_exportliste, m_zubereitung, m_zutaten, m_schnellsuche })
        setzeFeldhintergrund(w, s.feld);

    for (QWidget* w : std::initializer_list<QWidget*> { m_zubereitung, m_schnellsuche, m_suchergebnisse,
             m_zutaten, m_titel, m_rezeptliste, m_exportliste, m_kategorien })
        setzeTextfarbe(w, s.text);
    for (QLabel* l : std::initializer_list<QLabel*> { m_datum, m_datumBeschriftung, m_autorBeschriftung,
             m_exportTitel, m_kategorieBeschriftung, m_autor, m_rezeptKategorien, m_zutatenKopf, m_rezeptzahl,
             m_schnellsucheLink, m_titelvorschau, m_exportHinweis, m_exportAnzahl, m_mengeBeschriftung,
             m_menge })
        setzeTextfarbe(l, s.text);
}

void Hauptfenster::schriftgroesseAnwenden(int size)
{
    for (QWidget* w : std::initializer_list<QWidget*> { m_datum, m_datumBeschriftung, m_autorBeschriftung,
             m_exportTitel, m_kategorieBeschriftung, m_autor, m_rezeptKategorien, m_zutatenKopf, m_rezeptzahl,
             m_schnellsucheLink, m_titelvorschau, m_exportAnzahl, m_mengeBeschriftung, m_menge,
             m_schnellsuche })
        setzeSchriftgroesse(w, size);
    setzeSchriftgroesse(m_titel, size + 4);
    for (QWidget* w : std::initializer_list<QWidget*> {
             m_zutaten, m_zubereitung, m_rezeptliste, m_exportliste, m_suchergebnisse, m_kategorien })
        setzeSchriftgroesse(w, size);

    if (m_kategorien) {
        const QFont tabFont = m_kategorien->font();
        m_kategorien->setCaptionFont(tabFont);
        m_kategorien->setTabHeight(
            QFontMetrics(tabFont).size(Qt::TextSingleLine, QStringLiteral("WIl")).height() + 5);
        // The control shows only its rows of tabs.
        kategorienhoeheAnpassen();
    }

    if (m_arbeitsfeld) {
        setzeSchriftgroesse(m_arbeitsfeld, size);
        m_arbeitsfeld->setFontPointSize(size);
    }

    // The quick-search field grows with its font like the other fields, centred in the toolbar.
    if (m_schnellsuche) {
        const int h = std::max(21, m_schnellsuche->sizeHint().height());
        m_schnellsuche->setGeometry(
            m_schnellsuche->x(), std::max(0, 11 - (h - 21) / 2), m_schnellsuche->width(), h);
    }
    // The quick-search link and the counter beside it keep their text whole.
    if (m_schnellsucheLink && m_rezeptzahl) {
        m_schnellsucheLink->adjustSize();
        m_rezeptzahl->adjustSize();
        m_rezeptzahl->move(
            std::max(510, m_schnellsucheLink->x() + m_schnellsucheLink->width() + 14), m_rezeptzahl->y());
    }
    // The information panel lays its rows out anew for the new font when it is resized.
    if (m_zusatzinfo) {
        QResizeEvent relayout(m_zusatzinfo->size(), m_zusatzinfo->size());
        QCoreApplication::sendEvent(m_zusatzinfo, &relayout);
    }
    const std::pair<QLabel*, QLabel*> pairs[]
        = { { m_datumBeschriftung, m_datum }, { m_autorBeschriftung, m_autor },
              { m_kategorieBeschriftung, m_rezeptKategorien }, { m_mengeBeschriftung, m_menge } };
    for (const auto& [caption, value] : pairs) {
        if (!caption || !value)
            continue;
        caption->adjustSize();
        value->move(caption->x() + caption->width() + 5, caption->y());
    }
}

void Hauptfenster::einstellungenAnwenden()
{
    schriftgroesseAnwenden(st.schriftgroesse);
    farbschemaAnwenden(st.normaleFarbe ? normalesSchema() : farbtonSchema(st.farbton));
}

} // namespace tk
