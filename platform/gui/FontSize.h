#pragma once

class QWidget;

namespace tk {

// The font size chosen in the settings reaches every window of the program through the application
// font: a window follows it, also one made later, as long as it sets no point size of its own. The
// windows laid out to the pixel set one and keep their look; the main window sizes its recipe view
// itself.
void applyFontSize(int points);

// Keeps w's font delta points above the application font (a heading), also after the size changed.
void relativeFontSize(QWidget* w, int delta, bool bold = false);

} // namespace tk
