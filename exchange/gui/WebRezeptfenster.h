#pragma once

#include <QDialog>
#include <QTemporaryDir>
#include <QUrl>

#include "editing/RezeptVorgabe.h"
#include "exchange/WebRezept.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tk {

struct AppState;
class WebLader;

// "Rezept aus dem Internet": loads a recipe page by its address or from a saved HTML file and hands
// the recipe found to the editor. Made when first needed, owned by the main window.
class WebRezeptfenster : public QDialog {
    Q_OBJECT
public:
    WebRezeptfenster(AppState& state, QWidget* parent = nullptr);

    // Ready for an address; one on the clipboard is proposed.
    void oeffnen();
    // Starts at once with a web address or an .html file (dropped, or given on the command line).
    void starte(const QString& adresseOderDatei);

    bool laedt() const;

signals:
    // A recipe was found and read; the window is closed.
    void rezeptGelesen(const tk::RezeptVorgabe& vorgabe);

protected:
    void reject() override;
    void hideEvent(QHideEvent* e) override;

private:
    void laden(); // "Laden"
    void dateiOeffnen(); // "Datei öffnen..."
    void abbrechen(); // stops a download, else closes
    void ladeSeite(const QUrl& url);
    void ladeDatei(const QString& pfad);
    void seiteDa(
        const QByteArray& html, const QString& contentType, const QUrl& basis, const QString& quelle);
    void naechstesBild();
    void bildDa(const QByteArray& daten, const QString& name);
    void uebergeben();
    void fehler(const QString& text);
    void beschaeftigt(const QString& status);
    void bereit(const QString& status);

    AppState& st;
    WebLader* m_lader;
    QLabel* m_adresseLabel;
    QLineEdit* m_adresse;
    QPushButton* m_laden;
    QPushButton* m_dateiOeffnen;
    QPushButton* m_abbrechen;
    QProgressBar* m_fortschritt;
    QLabel* m_status;

    QTemporaryDir m_bilder; // pictures waiting for the editor to save them
    int m_bildZaehler = 0;
    WebRezept m_rezept;
    QStringList m_hinweise;
    QString m_quelle; // address for the comment
    QUrl m_seite; // what relative links and the Referer refer to
    int m_bildIndex = 0;
    QString m_bildDatei;
    QString m_bildFehler;
};

// Lets the user choose one of several recipes of a page; -1 when cancelled.
int waehleRezept(QWidget* parent, const QList<WebRezept>& rezepte);

} // namespace tk
