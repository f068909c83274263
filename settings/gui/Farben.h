#pragma once

#include <QColor>

class QWidget;

namespace tk {

class TForm1;

// The three colours of a scheme: panels, lists and fields, text.
struct Farbschema {
    QColor panel;
    QColor feld;
    QColor text;
};

Farbschema hueSchema(int farbton); // the three shades of a hue
Farbschema normalSchema(); // the desktop's button face, window background and window text

// Gives the main window's panels, lists and texts their colours (and nothing else).
void applySchema(TForm1& form, const Farbschema& schema);

// The main window's font size: labels and lists at size, the title at size + 4, the tab rows
// measured anew, the value labels placed after their captions.
void applySchriftgroesse(TForm1& form, int size);

// Small helpers shared by the windows of this subsystem.
QColor toColor(int red, int green, int blue);
void setBackground(QWidget* w, const QColor& c);
void setTextColour(QWidget* w, const QColor& c);
void setPointSize(QWidget* w, int size);

} // namespace tk
