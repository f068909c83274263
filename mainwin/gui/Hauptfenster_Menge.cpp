// Portions and shopping list: menu items and handlers of the main window.
#include "mainwin/gui/Hauptfenster.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>

#include "exchange/Ausgabe.h"
#include "exchange/gui/Druckausgabe.h"
#include "exchange/gui/Einkaufslistenfenster.h"
#include "exchange/gui/PdfAusgabe.h"
#include "exchange/gui/Umrechnungsfenster.h"
#include "platform/TextLines.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"
#include "store/AppState.h"
#include "store/Formats.h"
#include "store/RezeptDateien.h"

namespace tk {

namespace {
    // Recipe n as stored: the index fields from the table, the lines from its file.
    bool gespeichertesRezept(const AppState& st, int n, RezeptAnsicht& a)
    {
        if (n < 0 || size_t(n) >= st.sammlung.rezepte().size() || st.sammlung.rezepte()[size_t(n)].geloescht)
            return false;
        const Rezepteintrag& r = st.sammlung.rezepte()[size_t(n)];
        // A count beyond the lines is read as the view reads it: the lines that are there.
        const Rezeptinhalt datei = rezeptinhalt(loadLines(recipePath(st.programDir, n)));
        a.titel = r.titel;
        a.datum = r.datum;
        a.autor = r.autor;
        a.menge = r.menge;
        a.zutaten = datei.zutaten;
        a.zeilen = datei.text;
        return true;
    }

    // Puts the action right after `nach` in its menu.
    void umstellen(QMenu* menu, QAction* a, QAction* nach, const char* name)
    {
        a->setObjectName(QLatin1String(name));
        const QList<QAction*> alle = menu->actions();
        const qsizetype i = alle.indexOf(nach);
        menu->removeAction(a);
        if (i >= 0 && i + 1 < alle.size() && alle.at(i + 1) != a)
            menu->insertAction(alle.at(i + 1), a);
        else
            menu->addAction(a);
    }
}

void Hauptfenster::baueMengenMenues(QMenu* rezeptMenu, QMenu* speichern)
{
    QAction* umrechnen = menuePunkt(rezeptMenu, QStringLiteral("Umrechnen..."),
        QKeySequence(QStringLiteral("Ctrl+M")), &Hauptfenster::rezeptUmrechnen);
    umstellen(rezeptMenu, umrechnen, m_drucken, "umrechnen");
    QAction* liste = menuePunkt(rezeptMenu, QStringLiteral("Einkaufsliste"),
        QKeySequence(QStringLiteral("Ctrl+J")), &Hauptfenster::einkaufslisteZeigen);
    umstellen(rezeptMenu, liste, umrechnen, "einkaufsliste");
    QAction* kochen = menuePunkt(rezeptMenu, QStringLiteral("Kochmodus"),
        QKeySequence(QStringLiteral("Ctrl+Shift+K")), &Hauptfenster::kochmodusOeffnen);
    umstellen(rezeptMenu, kochen, liste, "kochmodus");
    QAction* pdf
        = menuePunkt(speichern, QStringLiteral("Als PDF-Datei..."), {}, &Hauptfenster::alsPdfDateiSpeichern);
    umstellen(speichern, pdf, m_inZwischenablage, "alsPdfDatei");

    QAction* popDrucken = nullptr;
    for (QAction* a : m_listenmenue->actions())
        if (a->text() == u"Drucken")
            popDrucken = a;
    QAction* popUmrechnen
        = menuePunkt(m_listenmenue, QStringLiteral("Umrechnen..."), {}, &Hauptfenster::markiertesUmrechnen);
    umstellen(m_listenmenue, popUmrechnen, popDrucken, "markiertesUmrechnen");
    QAction* popListe = menuePunkt(
        m_listenmenue, QStringLiteral("Auf die Einkaufsliste"), {}, &Hauptfenster::aufDieEinkaufsliste);
    umstellen(m_listenmenue, popListe, popUmrechnen, "aufDieEinkaufsliste");
    QAction* popKochen
        = menuePunkt(m_listenmenue, QStringLiteral("Kochmodus"), {}, &Hauptfenster::markiertesKochen);
    umstellen(m_listenmenue, popKochen, popListe, "markiertesKochen");
}

bool Hauptfenster::rezeptLesen(int n, RezeptAnsicht& a) const { return gespeichertesRezept(st, n, a); }

void Hauptfenster::einkaufslisteZeigen()
{
    Einkaufslistenfenster* w = m_fenster.einkaufslistenfenster;
    bringToFront(w, this);
    w->laden();
}

void Hauptfenster::aufDieEinkaufsliste()
{
    RezeptAnsicht a;
    if (gespeichertesRezept(st, st.aktuellesRezept, a))
        zutatenAufEinkaufsliste(a.zutaten, a.titel);
}

void Hauptfenster::zutatenAufEinkaufsliste(const QStringList& zutaten, const QString& titel)
{
    Einkaufslistenfenster* w = m_fenster.einkaufslistenfenster;
    w->hinzufuegen(zutaten, titel);
    bringToFront(w, this);
}

void Hauptfenster::umrechnen(int n)
{
    RezeptAnsicht a;
    if (!gespeichertesRezept(st, n, a))
        return;
    Umrechnungsfenster* w = m_fenster.umrechnungsfenster;
    w->zeige(a);
    bringToFront(w, this);
}

void Hauptfenster::umrechnungFolgt()
{
    // The converter follows the recipe on show.
    if (!m_fenster.umrechnungsfenster.gemacht())
        return;
    Umrechnungsfenster* w = m_fenster.umrechnungsfenster;
    RezeptAnsicht a;
    if (w->isVisible() && gespeichertesRezept(st, st.angezeigtesRezept, a))
        w->folge(a);
}

// "Rezept" > "Umrechnen...": the recipe on show.
void Hauptfenster::rezeptUmrechnen() { umrechnen(st.angezeigtesRezept); }

// The list's pop-up menu: the recipe under the mouse.
void Hauptfenster::markiertesUmrechnen() { umrechnen(st.aktuellesRezept); }

void Hauptfenster::alsPdfDateiSpeichern()
{
    if (st.sammlung.rezeptAnzahl() <= 0)
        return;
    const RezeptAnsicht a = druckAnsicht();
    // The title proposes the file name; characters no file name can hold become "_".
    QString vorschlag = a.titel.trimmed();
    for (QChar& c : vorschlag)
        if (QStringLiteral("/\\:*?\"<>|").contains(c))
            c = u'_';
    const QString datei
        = saveFileName(this, QStringLiteral("Speichern unter"), QStringLiteral("PDF-Datei (*.pdf)"),
            vorschlag.isEmpty() ? QString() : vorschlag + QStringLiteral(".pdf"), QStringLiteral("pdf"));
    if (datei.isEmpty())
        return;
    // The PDF carries the recipe's photo; the printout keeps to text.
    const QString bild
        = st.angezeigtesRezept >= 0 ? picturePath(st.programDir, st.angezeigtesRezept) : QString();
    schreibePdf(datei, a.titel, [&](QPrinter& printer) {
        return rezeptDrucksatz(printer, a, QFileInfo::exists(bild) ? bild : QString());
    });
}

} // namespace tk
