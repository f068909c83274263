// Favourites, random recipe and deletion: handlers of the main window.
#include "mainwin/gui/Hauptfenster.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <random>

#include "store/RezeptDateien.h"
#include "platform/IniFile.h"
#include "platform/TextLines.h"
#include "platform/gui/HotLabel.h"
#include "platform/gui/Modal.h"
#include "store/AppState.h"
#include "store/Formats.h"
#include "mainwin/gui/Ladefenster.h"

namespace tk {

namespace {
    // The current recipe when it is a live record; after a deletion aktuellesRezept can still name it.
    const Rezepteintrag* aktuellerEintrag(const AppState& st)
    {
        if (st.rezeptAnzahl == 0 || st.aktuellesRezept < 0 || size_t(st.aktuellesRezept) >= st.rezepte.size())
            return nullptr;
        const Rezepteintrag& r = st.rezepte[size_t(st.aktuellesRezept)];
        return r.geloescht ? nullptr : &r;
    }
}

void Hauptfenster::favoritUmschalten()
{
    const Rezepteintrag* r = aktuellerEintrag(st);
    if (!r || !st.favoritenIni)
        return;
    const int n = st.aktuellesRezept;
    const bool istFavorit = r->favorit == 1;
    const QString frage = istFavorit
        ? QStringLiteral("Das Rezept \"") + r->titel + QStringLiteral(" ist schon in den Favoriten,\r")
            + QStringLiteral("soll es aus den Favoriten gelöscht werden?")
        : u'"' + r->titel + QStringLiteral("\" in die Liste ihrer Lieblingsrezepte übernehmen?");
    const QString titel = istFavorit ? QStringLiteral("Rezept löschen") : QStringLiteral("Rezept hinzufügen");
    if (askYesNo(this, titel, frage) != Answer::Yes)
        return;
    st.sammlung.setzeFavorit(n, !istFavorit);
}

void Hauptfenster::zufallsrezept()
{
    const int n = st.sammlung.zufallsRezept();
    if (n >= 0)
        zeigeRezept(n);
}

void Hauptfenster::rezeptLoeschen()
{
    const Rezepteintrag* r = aktuellerEintrag(st);
    if (!r)
        return;
    const int n = st.aktuellesRezept;
    if (askYesNo(this, QStringLiteral("Tellerkiste"),
            QStringLiteral("Das Rezept ") + r->titel + QStringLiteral(" wirklich gelöscht werden?"))
        != Answer::Yes)
        return;
    st.sammlung.loescheRezept(n); // the list follows through the collection's signal
}

void Hauptfenster::ansichtLeeren()
{
    m_zubereitung->clear();
    m_zutaten->clear();
    m_titel->setText(QStringLiteral("Rezeptname"));
    m_datum->clear();
    m_autor->clear();
    m_menge->clear();
    m_rezeptKategorien->clear();
    // Nothing is on show any more: the comment window must not write into the deleted recipe.
    m_bildSymbol->setVisible(false);
    rezeptZeilen.clear();
    rezeptText.clear();
    rezeptKommentar.clear();
    st.angezeigtesRezept = -1;
    emit kommentarGeaendert();
}

} // namespace tk
