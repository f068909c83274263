#pragma once

#include <QStringList>

#include "app/Fensterregister.h"

namespace tk {

// Opens the import window with the packages among the start arguments listed, ready for "OK", as
// if the user had chosen them with "Dateien laden". Without a package argument nothing happens.
void oeffnePakete(Fensterregister& fenster, const QStringList& argumente, const QString& arbeitsordner);

// Brings the running copy's main window to the front (a second start hands over to it); while the
// welcome window is up, that one.
void nachVorn(Fensterregister& fenster);

} // namespace tk
