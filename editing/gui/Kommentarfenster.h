#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

namespace tk {

struct AppState;

// The comment window: shows the comment of the recipe on show and saves it into its file.
class Kommentarfenster : public QDialog {
    Q_OBJECT
public:
    Kommentarfenster(AppState& state, QWidget* parent = nullptr);

    // The lines of the field, one stored comment line per line.
    QStringList kommentarZeilen() const;
    void setKommentarZeilen(const QStringList& lines);

private:
    void speichern(); // "Speichern"
    void verwerfen(); // "Verwerfen"

    QPlainTextEdit* m_kommentar = nullptr;
    QPushButton* m_verwerfen = nullptr; // "Verwerfen"
    QPushButton* m_speichern = nullptr; // "Speichern"

    AppState& st;
    bool m_gekuerzt = false; // the field shows the comment cut: m_ganz holds it whole
    QStringList m_ganz;
};

} // namespace tk
