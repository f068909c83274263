#pragma once

namespace tk {

struct AppState;
class Hauptfenster;
class Suchfenster;
class Einstellungsfenster;
class Willkommensfenster;
class Paketimportfenster;
class Ladefenster;
class Infofenster;
class Rezepteditor;
class Meldungsfenster;
class Paketexportfenster;
class Bildfenster;
class Kommentarfenster;
class Aktualisierungsfenster;
class RezKonvExportfenster;
class Kategorieneditor;

// The fifteen windows of the program, created once at start-up in this order:
// 1, 9, 2, 3, 4, 5, 13, 6, 7, 8, 10, 11, 12, 14, 15. A window reaches the others through here
// at the time it needs them (a window created later is null during an earlier one's creation).
struct Fensterregister {
    Hauptfenster* hauptfenster = nullptr;
    Meldungsfenster* meldungsfenster = nullptr;
    Suchfenster* suchfenster = nullptr;
    Einstellungsfenster* einstellungsfenster = nullptr;
    Willkommensfenster* willkommensfenster = nullptr;
    Paketimportfenster* paketimportfenster = nullptr;
    Aktualisierungsfenster* aktualisierungsfenster = nullptr;
    Ladefenster* ladefenster = nullptr;
    Infofenster* infofenster = nullptr;
    Rezepteditor* rezepteditor = nullptr;
    Paketexportfenster* paketexportfenster = nullptr;
    Bildfenster* bildfenster = nullptr;
    Kommentarfenster* kommentarfenster = nullptr;
    RezKonvExportfenster* rezKonvExportfenster = nullptr;
    Kategorieneditor* kategorieneditor = nullptr;
};

} // namespace tk
