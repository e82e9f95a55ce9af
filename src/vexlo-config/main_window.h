#pragma once
// The configurator's main window: four sections (JDK, Android Command Line Tools, Apache Ant,
// Keystore), the half-second timer, and the tool configuration written when it closes.
#include <windows.h>

namespace vexlo_config {

// Shows the window as a modal dialog without parent; returns when it has closed.
void run_main_window();

}  // namespace vexlo_config
