#pragma once

#include <QColor>

class QSplitter;
class QWidget;

namespace tk {

// The three colours of a scheme: panels, lists and fields, text.
struct Farbschema {
    QColor panel;
    QColor feld;
    QColor text;
};

Farbschema hueSchema(int farbton); // the three shades of a hue
Farbschema normalSchema(); // the desktop's button face, window background and window text

// Small helpers shared by the windows of this subsystem.
QColor toColor(int red, int green, int blue);
void setBackground(QWidget* w, const QColor& c);
void setTextColour(QWidget* w, const QColor& c);
void setPointSize(QWidget* w, int size);
void setFieldBackground(QWidget* w, const QColor& c); // lists and fields paint Base on their viewport
void splitterHandles(QSplitter* s, const QColor& c);

} // namespace tk
