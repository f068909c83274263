#pragma once

#include <QString>
#include <QStringList>

namespace tk {

// Recipe packages: a 32-bit little-endian file count, then per file its name length, its bare
// Windows-1252 name, its size and one complete zlib stream (level 9) of its content.

// Writes the package from the listed files (full paths), in list order; nothing when the list is
// empty. The package is replaced atomically. Throws tk::Error when a file cannot be read or the
// package cannot be written.
void dateienPacken(const QStringList& files, const QString& packagePath);

// Unpacks every entry of the package into the target folder, replacing files of the same names.
// A damaged or hostile package throws tk::Error with a message naming the package and leaves the
// folder as it was: names are checked before any file is made, and files unpacked before the damage
// was found are removed again (or never left their waiting place beside a folder that held files).
void dateienEntpacken(const QString& packagePath, const QString& targetDir);

// Deletes the folder with everything in it; true on success. Symbolic links are removed, not followed.
bool ordnerLoeschen(QString path);

// Whether a name read from a package may become a file in the target folder.
bool gueltigerPaketname(const QString& name);

} // namespace tk
