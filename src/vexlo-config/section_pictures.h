#pragma once
// The four section pictures ("JDK", "ASDK", "ANT", "KEYSTORE"): rendered on a worker thread
// while the window builds its controls, then placed into their picture boxes.
#include <windows.h>

namespace vexlo_config {

// Starts rendering the pictures for the system DPI.
void prerender_section_pictures();
// Puts the pictures into the window's four picture boxes (rendered here when the window's DPI
// is not the one rendered for).
void place_section_pictures(HWND window);

}  // namespace vexlo_config
