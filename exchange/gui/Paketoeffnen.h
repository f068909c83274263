#pragma once

#include <QStringList>

#include "mainwin/Forms.h"

namespace tk {

// Opens the import window with the packages among the start arguments listed, ready for "OK", as
// if the user had chosen them with "Dateien laden". Without a package argument nothing happens.
void oeffnePakete(Forms& forms, const QStringList& argumente, const QString& arbeitsordner);

} // namespace tk
