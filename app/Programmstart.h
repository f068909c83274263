#pragma once

#include <memory>

#include "app/Fensterregister.h"

namespace tk {

struct AppState;

// The start of a run: what a crashed copy left half-way is cleared up, the windows of the start-up are
// made in their order (the main window's making reads the layout and builds the tabs, the welcome
// window's shows the main window) and the loading window reads the collection. Every other window is
// made when first needed.
std::unique_ptr<Fensterregister> programmStarten(AppState& state);

} // namespace tk
