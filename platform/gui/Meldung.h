#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tk {

// The message window, reached from any window without knowing it: every notice and error of the
// program goes through Meldung. The window that shows messages registers itself; until one does (or in
// a test without it) the request still passes the modal seam.
void Meldung(const QString& text, const QString& caption);
void setMeldungsfenster(std::function<void(const QString& text, const QString& caption)> zeige);

// The program's main window, over which messages and reports without a window of their own are placed.
QWidget* hauptfenster();
void setHauptfenster(QWidget* w);

} // namespace tk
