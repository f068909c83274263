#pragma once

#include <QString>
#include <memory>

#include "app/Fensterregister.h"

namespace tk {

struct AppState;

// Owns the fifteen windows of a run.
class Windows {
public:
    ~Windows();
    Fensterregister forms;
    AppState* m_state = nullptr;
};

// Creates the fifteen windows in the start-up order, as the program does on start: the main
// window's creation reads the layout and builds the tabs, the welcome window's shows the main window,
// the loading window's runs the first load.
std::unique_ptr<Windows> createWindows(AppState& state);

} // namespace tk
