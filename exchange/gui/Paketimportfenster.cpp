#include "exchange/gui/Paketimportfenster.h"

#include <QDir>
#include <QFileInfo>

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include "exchange/Dubletten.h"
#include "exchange/Paket.h"
#include "platform/gui/Meldung.h"
#include "platform/Error.h"
#include "platform/gui/Modal.h"
#include "store/AppState.h"

namespace tk {

Paketimportfenster::Paketimportfenster(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , st(state)
{
    setObjectName(QStringLiteral("paketimportfenster"));
    setWindowTitle(QStringLiteral("Rezepte importieren"));
    setFixedSize(367, 281);

    auto* hinweis = new QLabel(
        QStringLiteral("Klicken Sie auf \"Dateien laden\" und wählen Sie die zu importierenden Dateien aus!"),
        this);
    hinweis->setWordWrap(true);
    hinweis->setGeometry(8, 8, 350, 32);

    m_pakete = new QListWidget(this);
    m_pakete->setObjectName(QStringLiteral("pakete"));
    m_pakete->setGeometry(8, 44, 350, 137);
    m_pakete->setAccessibleName(QStringLiteral("Rezeptpakete"));

    m_dateienLaden = new QPushButton(QStringLiteral("Dateien laden"), this);
    m_dateienLaden->setObjectName(QStringLiteral("dateienLaden"));
    m_dateienLaden->setGeometry(8, 188, 350, 25);

    m_fortschritt = new QProgressBar(this);
    m_fortschritt->setObjectName(QStringLiteral("fortschritt"));
    m_fortschritt->setGeometry(8, 220, 350, 16);
    m_fortschritt->setRange(0, 1);
    m_fortschritt->setValue(0);

    m_installieren = new QPushButton(QStringLiteral("OK"), this);
    m_installieren->setObjectName(QStringLiteral("installieren"));
    m_installieren->setGeometry(104, 246, 75, 25);
    m_installieren->setDefault(true);
    m_abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_abbrechen->setObjectName(QStringLiteral("abbrechen"));
    m_abbrechen->setGeometry(188, 246, 75, 25);

    connect(m_installieren, &QPushButton::clicked, this, [this] { guarded(this, [&] { installieren(); }); });
    connect(m_abbrechen, &QPushButton::clicked, this, [this] { abbrechen(); });
    connect(m_dateienLaden, &QPushButton::clicked, this, [this] { guarded(this, [&] { dateienLaden(); }); });
}

void Paketimportfenster::leeren()
{
    // Rows that go were never installed; their unpacked files would only fill temp/.
    for (const QString& index : std::as_const(indexPfade))
        entpacktesVerwerfen(st.programDir, index);
    m_pakete->clear();
    indexPfade.clear();
}

void Paketimportfenster::abbrechen() { hide(); }

void Paketimportfenster::dateienLaden()
{
    paketeLaden(
        openFileNames(this, QStringLiteral("Öffnen"), QStringLiteral("Brutzels T.-K. Rezepte (*.tkp)")));
}

void Paketimportfenster::paketeLaden(const QStringList& dateien)
{
    for (const QString& datei : dateien) {
        QString index;
        try {
            index = entpackeInArbeitsordner(st.programDir, datei);
        } catch (const Error& e) {
            // The rows read so far stay; the remaining files are not read.
            Meldung(e.message(), QStringLiteral("Rezepte importieren"));
            return;
        }
        // Row and index path are added together, so they stay paired.
        m_pakete->addItem(paketZeile(paketInfo(index)));
        indexPfade.append(index);
    }
}

void Paketimportfenster::installieren()
{
    if (m_pakete->count() == 0)
        return;
    // Recipes the collection holds already are counted over all packages, and the user is asked once.
    const QStringList pfade = indexPfade; // the message window runs events between packages
    QList<QList<bool>> doppelt;
    int anzahlDoppelt = 0, gesamt = 0;
    for (const QString& index : pfade) {
        doppelt.append(schonInDerSammlung(st.programDir, st.rezepte, st.rezeptMax, paketRezepte(index)));
        anzahlDoppelt += int(doppelt.last().count(true));
        gesamt += paketInfo(index).rezepte;
    }
    int ausgelassen = 0;
    if (anzahlDoppelt > 0) {
        if (askYesNo(this, QStringLiteral("Rezepte importieren"),
                dublettenFrage(anzahlDoppelt, std::max(gesamt, anzahlDoppelt)))
            == Answer::Yes)
            doppelt.clear();
        else
            ausgelassen = anzahlDoppelt;
    }

    int fertig = 0;
    try {
        m_fortschritt->setRange(0, m_pakete->count());
        for (qsizetype i = 0; i < pfade.size(); ++i) {
            paketInstallieren(pfade.at(i), doppelt.value(i));
            m_fortschritt->setValue(++fertig);
        }
    } catch (const std::exception& e) {
        // The rest is not installed; say why instead of ending silently.
        Meldung(QStringLiteral("Der Import wurde abgebrochen:\r") + messageOf(e),
            QStringLiteral("Fehler beim Rezepteupdate!"));
        // Packages already installed leave the list, so they cannot be installed twice.
        for (int i = 0; i < fertig; ++i) {
            delete m_pakete->takeItem(0);
            indexPfade.removeFirst();
        }
        if (fertig > 0)
            emit st.sammlung.neuEinlesen();
        return;
    }
    Meldung(QStringLiteral("Import der Rezepte abgeschlossen!\r")
            + (ausgelassen > 0 ? dublettenHinweis(ausgelassen) + u'\r' : QString())
            + QStringLiteral("Die Rezeptdatenbank wird neu eingelesen!"),
        QStringLiteral("Rezepte importiert"));
    // Installed packages are gone from temp/; their rows must not be offered again.
    leeren();
    hide();
    emit st.sammlung.neuEinlesen();
}

void Paketimportfenster::paketInstallieren(const QString& indexTki, const QList<bool>& auslassen)
{
    st.listeWirdGefuellt = true;
    InstallErgebnis r;
    try {
        r = installierePaket(st.sammlung, st.programDir, indexTki, auslassen);
    } catch (...) {
        st.listeWirdGefuellt = false;
        throw;
    }
    st.listeWirdGefuellt = false;
    if (!r.ok) {
        Meldung(QStringLiteral("Fehler beim Installieren eines Rezeptes aus dem Rezeptpaket ")
                + QDir::toNativeSeparators(QFileInfo(indexTki).path() + u'/') + u'!',
            QStringLiteral("Fehler beim Rezepteupdate!"));
        return;
    }
    // Empty records until the reload that ends the import fills them.
    if (st.rezeptMax >= 0 && st.rezepte.size() < size_t(st.rezeptMax) + 1)
        st.rezepte.resize(size_t(st.rezeptMax) + 1);
    if (r.altesFormat) {
        emit st.sammlung.altesFormat(); // the main window offers the database update
        Meldung(QStringLiteral("Die importierten Rezepte sind (teilweise) noch im alten Format. Dies führt "
                               "zu Fehlern bei ihrer Darstellung. Bitte führen Sie die "
                               "Datenbankaktualisierung durch!"),
            QStringLiteral("Achtung!"));
    }
}

} // namespace tk
