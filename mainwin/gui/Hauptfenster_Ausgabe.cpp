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
    a.titel = rezeptname->text();
    a.datum = Label1->text();
    a.autor = Label6->text();
    a.menge = Label20->text();
    for (int i = 0; i < zutaten->count(); ++i)
        a.zutaten.append(zutaten->item(i)->text());
    a.zeilen = displayedLines(rezept);
    return a;
}

void Hauptfenster::Image4Click()
{
    if (st.RezeptAnzahl <= 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(rezeptname->text());
    if (!printDialog(this, &printer))
        return;
    const QSize bereich = druckbereich(printer);
    druckeLayout(printer, DruckLayout(ansicht(), bereich.width(), bereich.height()));
}

void Hauptfenster::alsTextdatei1Click()
{
    const QString datei = saveFileName(
        this, kSpeichernUnter, QStringLiteral("Textdateien (*.txt)"), QString(), QStringLiteral("txt"));
    if (datei.isEmpty())
        return;
    saveLines(datei, TextdateiZeilen(ansicht()));
}

void Hauptfenster::AlsRTFDatei1Click()
{
    const QString datei = saveFileName(
        this, kSpeichernUnter, QStringLiteral("RTF-Datei (*.rtf)"), QString(), QStringLiteral("RTF"));
    if (datei.isEmpty())
        return;
    saveBytes(datei, RtfDokument(ansicht(), st.Schriftgroesse));
}

void Hauptfenster::indieZwischenablage1Click()
{
    // Plain text only: the clipboard gets no formatted flavour.
    QGuiApplication::clipboard()->setText(ZwischenablageText(ansicht()));
}

void Hauptfenster::Sicherung1Click()
{
    const QString datei = saveFileName(
        this, kSpeichernUnter, QStringLiteral("Textdatei (*.txt)"), QString(), QStringLiteral("txt"));
    if (datei.isEmpty())
        return;
    // Everything is read before anything is written: a bad recipe file leaves no file behind.
    const QStringList zeilen = AlleRezepteZeilen(st.programDir, st.Rezepte, st.RezeptMax);
    saveLines(datei, zeilen);
}

void Hauptfenster::Rezeptexportieren2Click()
{
    if (!forms.rezKonvExportfenster)
        return;
    const RezeptAnsicht a = ansicht();
    forms.rezKonvExportfenster->setzeZeilen(
        RezKonvErzeugen(a.titel, a.autor, a.datum, a.menge, a.zeilen, a.zutaten));
    forms.rezKonvExportfenster->show();
    forms.rezKonvExportfenster->raise();
}

// The import window is made the first time it is needed; the main window owns it.
void Hauptfenster::Rezeptimportieren2Click()
{
    auto* w = findChild<RezKonvImportfenster*>(
        QStringLiteral("rezKonvImportfenster"), Qt::FindDirectChildrenOnly);
    if (!w)
        w = new RezKonvImportfenster(st, this);
    w->leeren();
    centreOn(w, this);
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace tk
