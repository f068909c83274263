// Outputs of the recipe on show: handlers of the main window.
#include "mainwin/gui/Hauptfenster.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>

#include "exchange/Ausgabe.h"
#include "exchange/RezKonvExport.h"
#include "exchange/gui/RezKonvExportfenster.h"
#include "exchange/gui/Druckausgabe.h"
#include "exchange/gui/RezKonvImportfenster.h"
#include "platform/TextLines.h"
#include "platform/gui/DisplayedLines.h"
#include "platform/gui/Modal.h"
#include "platform/gui/Placement.h"
#include "store/AppState.h"

namespace tk {

namespace {
    const QString kSpeichernUnter = QStringLiteral("Speichern unter");
}

RezeptAnsicht Hauptfenster::ansicht() const
{
    RezeptAnsicht a;
    // The label may show the title cut; the outputs take it whole from the table.
    const int n = st.angezeigtesRezept;
    a.titel = n >= 0 && size_t(n) < st.sammlung.rezepte().size() ? st.sammlung.rezepte()[size_t(n)].titel
                                                                 : m_titel->text();
    a.datum = m_datum->text();
    a.autor = m_autor->text();
    a.menge = m_menge->text();
    for (int i = 0; i < m_zutaten->count(); ++i)
        a.zutaten.append(m_zutaten->item(i)->text());
    a.zeilen = displayedLines(m_zubereitung);
    return a;
}

// The printout and the PDF break the text at the paper's width themselves: they take its own lines,
// not the pieces the view shows.
RezeptAnsicht Hauptfenster::druckAnsicht() const
{
    RezeptAnsicht a = ansicht();
    a.zeilen
        = m_zubereitung->document()->isEmpty() ? QStringList() : m_zubereitung->toPlainText().split(u'\n');
    return a;
}

void Hauptfenster::drucken()
{
    if (st.sammlung.rezeptAnzahl() <= 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_titel->text());
    if (!printDialog(this, &printer))
        return;
    druckeSatz(printer, rezeptDrucksatz(printer, druckAnsicht()));
}

void Hauptfenster::alsTextdateiSpeichern()
{
    const QString datei = saveFileName(
        this, kSpeichernUnter, QStringLiteral("Textdateien (*.txt)"), QString(), QStringLiteral("txt"));
    if (datei.isEmpty())
        return;
    saveLines(datei, textdateiZeilen(ansicht()));
}

void Hauptfenster::alsRtfDateiSpeichern()
{
    const QString datei = saveFileName(
        this, kSpeichernUnter, QStringLiteral("RTF-Datei (*.rtf)"), QString(), QStringLiteral("RTF"));
    if (datei.isEmpty())
        return;
    saveBytes(datei, rtfDokument(ansicht(), st.schriftgroesse));
}

void Hauptfenster::inZwischenablage()
{
    // Plain text only: the clipboard gets no formatted flavour.
    QGuiApplication::clipboard()->setText(zwischenablageText(ansicht()));
}

void Hauptfenster::alleAlsTextdateiSpeichern()
{
    const QString datei = saveFileName(
        this, kSpeichernUnter, QStringLiteral("Textdatei (*.txt)"), QString(), QStringLiteral("txt"));
    if (datei.isEmpty())
        return;
    // Everything is read before anything is written: a bad recipe file leaves no file behind.
    const QStringList zeilen
        = alleRezepteZeilen(st.programDir, st.sammlung.rezepte(), st.sammlung.rezeptMax());
    saveLines(datei, zeilen);
}

void Hauptfenster::rezKonvExportieren()
{
    RezKonvExportfenster* w = m_fenster.rezKonvExportfenster;
    const RezeptAnsicht a = ansicht();
    w->setzeZeilen(rezKonvErzeugen(a.titel, a.autor, a.datum, a.menge, a.zeilen, a.zutaten));
    w->show();
    w->raise();
}

void Hauptfenster::rezKonvImportieren()
{
    RezKonvImportfenster* w = m_fenster.rezKonvImportfenster;
    w->leeren();
    centreOn(w, this);
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace tk
