#pragma once

#include <functional>
#include <vector>

class QWidget;

namespace tk {

struct AppState;
class Hauptfenster;
class Meldungsfenster;
class Suchfenster;
class Einstellungsfenster;
class Willkommensfenster;
class Ladefenster;
class Aktualisierungsfenster;
class Paketimportfenster;
class Paketexportfenster;
class Infofenster;
class Rezepteditor;
class Bildfenster;
class Kommentarfenster;
class RezKonvExportfenster;
class Kategorieneditor;
class WebRezeptfenster;
class RezKonvImportfenster;
class Einkaufslistenfenster;
class Umrechnungsfenster;
class Wochenplanfenster;
class Kochmodusfenster;

// One window of the registry: made the first time it is asked for, then kept until the registry goes.
// It reads like a pointer to the window (`fenster.rezepteditor->show()`), and there is never none.
template <class T> class Fenster {
public:
    Fenster() = default;
    Fenster(const Fenster&) = delete; // a copy could make the window a second time
    Fenster& operator=(const Fenster&) = delete;

    T* get() const
    {
        if (!m_fenster && m_machen)
            m_fenster = m_machen();
        return m_fenster;
    }
    T* operator->() const { return get(); }
    operator T*() const { return get(); }
    bool gemacht() const { return m_fenster != nullptr; } // without making it

private:
    friend class Fensterregister;
    std::function<T*()> m_machen;
    mutable T* m_fenster = nullptr;
};

// Every window of the program, owned here and reached only from here (by app/ and the main window).
// Creating the registry makes no window: app/Startup makes those of the start-up in their order, every
// other one is made when first needed, and a test gets only the windows it uses.
class Fensterregister {
public:
    explicit Fensterregister(AppState& state);
    ~Fensterregister(); // deletes the windows in the reverse order of their making
    Fensterregister(const Fensterregister&) = delete;
    Fensterregister& operator=(const Fensterregister&) = delete;

    Fenster<Hauptfenster> hauptfenster;
    Fenster<Meldungsfenster> meldungsfenster;
    Fenster<Suchfenster> suchfenster;
    Fenster<Einstellungsfenster> einstellungsfenster;
    Fenster<Willkommensfenster> willkommensfenster;
    Fenster<Ladefenster> ladefenster;
    Fenster<Aktualisierungsfenster> aktualisierungsfenster;
    Fenster<Paketimportfenster> paketimportfenster;
    Fenster<Paketexportfenster> paketexportfenster;
    Fenster<Infofenster> infofenster;
    Fenster<Rezepteditor> rezepteditor;
    Fenster<Bildfenster> bildfenster;
    Fenster<Kommentarfenster> kommentarfenster;
    Fenster<RezKonvExportfenster> rezKonvExportfenster;
    Fenster<Kategorieneditor> kategorieneditor;
    Fenster<WebRezeptfenster> webRezeptfenster;
    Fenster<RezKonvImportfenster> rezKonvImportfenster;
    Fenster<Einkaufslistenfenster> einkaufslistenfenster;
    Fenster<Umrechnungsfenster> umrechnungsfenster;
    Fenster<Wochenplanfenster> wochenplanfenster;
    Fenster<Kochmodusfenster> kochmodusfenster;

private:
    template <class T, class Machen> void bereitstellen(Fenster<T>& f, Machen machen);

    AppState& st;
    std::vector<QWidget*> m_gemacht; // in the order of making
    bool m_abbau = false;
};

} // namespace tk
