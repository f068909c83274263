#pragma once

#include <QList>
#include <QString>
#include <vector>

#include "store/Rezepte.h"

namespace tk {

class Sammlung;

// What the import list shows of one package, from section Info of its index.
struct PaketInfo {
    QString name;
    int rezepte = 0;
    QString autor;
};
PaketInfo paketInfo(
    const QString& indexTki); // read with the platform INI rules; a missing file gives the defaults
QString paketZeile(const PaketInfo& info); // "Kuchen (12 Rezepte) von Anna"

// The standard categories 1..13 of a record as a package carries them ("01,07,").
QString standardKategorien(const Rezepteintrag& r);

// The package path for a name chosen in the save dialog: its extension replaced by ".tkp".
QString paketPfad(const QString& chosen);

// The export up to the finished package: writes temp/index.tki with the INI engine, copies the
// recipe files and pictures of the listed numbers under their list positions into temp/ and packs
// them. The work folder is left for the caller to remove. Throws tk::Error.
void exportiereRezepte(const QString& programDir, const std::vector<Rezepteintrag>& rezepte,
    const QList<int>& nummern, const QString& paketName, const QString& autor, const QString& paket);

// Removes what an export left in the work folder (the files directly in it), and the folder itself when
// nothing else is in it: packages unpacked for an open import window keep their folders.
void exportAufraeumen(const QString& programDir);

// Unpacks a package into a folder of its own below temp/ and returns the path of its index.tki.
// A damaged package leaves nothing behind and throws tk::Error.
QString entpackeInArbeitsordner(const QString& programDir, const QString& paket);
// Removes the folder of an unpacked package that will not be installed (only below temp/).
void entpacktesVerwerfen(const QString& programDir, const QString& indexTki);

struct InstallErgebnis {
    bool ok = true; // false: a recipe could not be copied; nothing of the package stayed
    int installiert = 0;
    bool altesFormat = false; // an installed entry has a category field without ","
};

// Installs the recipes of an unpacked package through the collection: new numbers above everything on
// disk, copies that never replace a file, one index line per recipe through buildEntry, then the
// package's folder removed. On a failed copy every file already copied is removed again and the result
// says so. Other failures (index unreadable or unwritable) throw tk::Error, likewise with the collection
// left as it was.
// auslassen[p] set: the package's recipe p is left out (the collection holds it already).
InstallErgebnis installierePaket(Sammlung& sammlung, const QString& programDir, const QString& indexTki,
    const QList<bool>& auslassen = {});
// The same on a collection no window has open (tools and tests); rezeptMax is the number known before.
InstallErgebnis installierePaket(const QString& programDir, const QString& indexTki, int& rezeptMax);

} // namespace tk
