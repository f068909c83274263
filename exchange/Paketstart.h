#pragma once

#include <QString>
#include <QStringList>

namespace tk {

// The recipe packages among the program's start arguments (the desktop opens a package by starting
// the program with its path): every argument that names a ".tkp" file, made absolute against
// `arbeitsordner`, in the given order and without repeats. Every other argument is ignored.
QStringList paketArgumente(const QStringList& argumente, const QString& arbeitsordner);

} // namespace tk
