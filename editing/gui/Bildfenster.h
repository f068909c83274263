#pragma once

#include <QDialog>
#include <QImage>

class QPushButton;

namespace tk {

struct AppState;
class ImageView;

// The client size of the picture viewer for a picture on a screen: the picture at its own size
// above the button panel, within the screen less 50 pixels (frame included) and at least the minimum.
constexpr int kBildPanelHoehe = 35;
constexpr int kBildMinBreite = 50;
constexpr int kBildMinHoehe = 70;
QSize bildFensterGroesse(const QSize& picture, const QSize& screen, const QSize& frame = {});
QSize bildFensterMaximum(const QSize& screen, const QSize& frame = {});

// The picture viewer.
class Bildfenster : public QDialog {
    Q_OBJECT
public:
    Bildfenster(AppState& state, QWidget* parent = nullptr);

    // Takes the picture, sizes the window for it on the screen of `over` and shows it centred there.
    void zeigeBild(const QImage& image, QWidget* over);

private:
    void schliessen(); // "Schließen"

    ImageView* m_bild = nullptr;
    QWidget* m_knopfleiste = nullptr;
    QPushButton* m_schliessen = nullptr;

    AppState& st;
};

} // namespace tk
