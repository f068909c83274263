// Favourites, random recipe and deletion: handlers of the main window.
#include "mainwin/Unit1.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <random>

#include "editing/RezeptDateien.h"
#include "platform/IniFile.h"
#include "platform/TextLines.h"
#include "platform/gui/HotLabel.h"
#include "platform/gui/Modal.h"
#include "store/AppState.h"
#include "store/Formats.h"
#include "store/Unit6.h"

namespace tk
{

namespace
{
    // The current recipe when it is a live record; after a deletion AktRezept can still name it.
    const TRezepte* aktuellesRezept(const AppState& st)
    {
        if (st.RezeptAnzahl == 0 || st.AktRezept < 0 || size_t(st.AktRezept) >= st.Rezepte.size())
            return nullptr;
        const TRezepte& r = st.Rezepte[size_t(st.AktRezept)];
        return r.Geloescht ? nullptr : &r;
    }
}

void TForm1::ZudenFavoriten1Click()
{
    const TRezepte* r = aktuellesRezept(st);
    if (!r || !st.FavoritenIni) return;
    const int n = st.AktRezept;
    const bool istFavorit = r->Favorit == 1;
    const QString frage = istFavorit
        ? QStringLiteral("Das Rezept \"") + r->Titel + QStringLiteral(" ist schon in den Favoriten,\r")
            + QStringLiteral("soll es aus den Favoriten gelöscht werden?")
        : u'"' + r->Titel + QStringLiteral("\" in die Liste ihrer Lieblingsrezepte übernehmen?");
    const QString titel = istFavorit ? QStringLiteral("Rezept löschen") : QStringLiteral("Rezept hinzufügen");
    if (askYesNo(this, titel, frage) != Answer::Yes) return;
    // The file first: a failed write leaves the mark as the file has it.
    st.FavoritenIni->writeString(QStringLiteral("Favoriten"), QString::number(n),
        istFavorit ? QStringLiteral("0") : QStringLiteral("1"));
    st.Rezepte[size_t(n)].Favorit = istFavorit ? 0 : 1;
}

void TForm1::Zufallsrezept1Click()
{
    if (st.RezeptAnzahl == 0) return;
    // A uniform draw among the live records: the same as drawing from 0..RezeptMax again until a
    // live one comes up, without looping long when most records are deleted.
    std::vector<int> lebend;
    const size_t ende = std::min(st.Rezepte.size(), size_t(std::max(st.RezeptMax + 1, 0)));
    for (size_t n = 0; n < ende; ++n)
        if (!st.Rezepte[n].Geloescht) lebend.push_back(int(n));
    if (lebend.empty()) return;
    std::uniform_int_distribution<size_t> wahl(0, lebend.size() - 1);
    ZeigeRezept(lebend[wahl(st.rng)]);
}

void TForm1::Lschen1Click()
{
    const TRezepte* r = aktuellesRezept(st);
    if (!r) return;
    const int n = st.AktRezept;
    if (askYesNo(this, QStringLiteral("Tellerkiste"),
            QStringLiteral("Das Rezept ") + r->Titel + QStringLiteral(" wirklich gelöscht werden?"))
        != Answer::Yes)
        return;
    const QString index = indexPath(st.programDir);
    saveLines(index, indexOhneEintrag(loadLines(index), n));
    // The entry is marked; files that cannot be removed are no longer reachable from any list.
    QFile::remove(recipePath(st.programDir, n));
    QFile::remove(picturePath(st.programDir, n));
    if (forms.Form6) forms.Form6->UpdateRezepte();

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
