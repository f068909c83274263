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
    // The current recipe when it is a live record; after a deletion AktRezept can still name it.
    const Rezepteintrag* aktuellesRezept(const AppState& st)
    {
        if (st.RezeptAnzahl == 0 || st.AktRezept < 0 || size_t(st.AktRezept) >= st.Rezepte.size())
            return nullptr;
        const Rezepteintrag& r = st.Rezepte[size_t(st.AktRezept)];
        return r.Geloescht ? nullptr : &r;
    }
}

void Hauptfenster::ZudenFavoriten1Click()
{
    const Rezepteintrag* r = aktuellesRezept(st);
    if (!r || !st.FavoritenIni)
        return;
    const int n = st.AktRezept;
    const bool istFavorit = r->Favorit == 1;
    const QString frage = istFavorit
        ? QStringLiteral("Das Rezept \"") + r->Titel + QStringLiteral(" ist schon in den Favoriten,\r")
            + QStringLiteral("soll es aus den Favoriten gelöscht werden?")
        : u'"' + r->Titel + QStringLiteral("\" in die Liste ihrer Lieblingsrezepte übernehmen?");
    const QString titel = istFavorit ? QStringLiteral("Rezept löschen") : QStringLiteral("Rezept hinzufügen");
    if (askYesNo(this, titel, frage) != Answer::Yes)
        return;
    st.sammlung.setzeFavorit(n, !istFavorit);
}

void Hauptfenster::Zufallsrezept1Click()
{
    const int n = st.sammlung.zufallsRezept();
    if (n >= 0)
        ZeigeRezept(n);
}

void Hauptfenster::Lschen1Click()
{
    const Rezepteintrag* r = aktuellesRezept(st);
    if (!r)
        return;
    const int n = st.AktRezept;
    if (askYesNo(this, QStringLiteral("Tellerkiste"),
            QStringLiteral("Das Rezept ") + r->Titel + QStringLiteral(" wirklich gelöscht werden?"))
        != Answer::Yes)
        return;
    st.sammlung.loescheRezept(n); // the list follows through the collection's signal
}

void Hauptfenster::ansichtLeeren()
{
    rezept->clear();
    zutaten->clear();
    rezeptname->setText(QStringLiteral("Rezeptname"));
    Label1->clear();
    Label6->clear();
    Label20->clear();
    Label7->clear();
    // Nothing is on show any more: the comment window must not write into the deleted recipe.
    Image6->setVisible(false);
    RezeptZeilen.clear();
    RezeptText.clear();
    RezeptKommentar.clear();
    st.AngezeigtesRezept = -1;
    emit kommentarChanged();
}

} // namespace tk
