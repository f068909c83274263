#include "exchange/gui/Paketimportfenster.h"

#include <QDir>
#include <QFileInfo>

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

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

    Label1 = new QLabel(
        QStringLiteral("Klicken Sie auf \"Dateien laden\" und wählen Sie die zu importierenden Dateien aus!"),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setGeometry(8, 8, 350, 32);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 44, 350, 137);
    ListBox1->setAccessibleName(QStringLiteral("Rezeptpakete"));

    Button3 = new QPushButton(QStringLiteral("Dateien laden"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(8, 188, 350, 25);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(8, 220, 350, 16);
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(104, 246, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(188, 246, 75, 25);

    connect(Button1, &QPushButton::clicked, this, [this] { guarded(this, [&] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { guarded(this, [&] { Button3Click(); }); });
}

void Paketimportfenster::Leeren()
{
    // Rows that go were never installed; their unpacked files would only fill temp/.
    for (const QString& index : std::as_const(IndexPfade))
        entpacktesVerwerfen(st.programDir, index);
    ListBox1->clear();
    IndexPfade.clear();
}

void Paketimportfenster::Button2Click() { hide(); }

void Paketimportfenster::Button3Click()
{
    Laden(openFileNames(this, QStringLiteral("Öffnen"), QStringLiteral("Brutzels T.-K. Rezepte (*.tkp)")));
}

void Paketimportfenster::Laden(const QStringList& dateien)
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
        ListBox1->addItem(paketZeile(paketInfo(index)));
        IndexPfade.append(index);
    }
}

void Paketimportfenster::Button1Click()
{
    if (ListBox1->count() == 0)
        return;
    int fertig = 0;
    try {
        ProgressBar1->setRange(0, ListBox1->count());
        const QStringList pfade = IndexPfade; // the message window runs events between packages
        for (const QString& index : pfade) {
            InstallUpdate(index);
            ProgressBar1->setValue(++fertig);
        }
    } catch (const std::exception& e) {
        // The rest is not installed; say why instead of ending silently.
        Meldung(QStringLiteral("Der Import wurde abgebrochen:\r") + messageOf(e),
            QStringLiteral("Fehler beim Rezepteupdate!"));
        // Packages already installed leave the list, so they cannot be installed twice.
        for (int i = 0; i < fertig; ++i) {
            delete ListBox1->takeItem(0);
            IndexPfade.removeFirst();
        }
        if (fertig > 0)
            emit st.sammlung.neuEinlesen();
        return;
    }
    Meldung(QStringLiteral("Import der Rezepte abgeschlossen!\rDie Rezeptdatenbank wird neu eingelesen!"),
        QStringLiteral("Rezepte importiert"));
    // Installed packages are gone from temp/; their rows must not be offered again.
    Leeren();
    hide();
    emit st.sammlung.neuEinlesen();
}

void Paketimportfenster::InstallUpdate(const QString& indexTki)
{
    st.listeWirdGefuellt = true;
    InstallErgebnis r;
    try {
        r = installierePaket(st.sammlung, st.programDir, indexTki);
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
