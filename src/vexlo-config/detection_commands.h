#pragma once
// The "Autodetect" and "Browse" buttons of the JDK, SDK and Ant sections.
#include <windows.h>

#include "core/configurator/configurator_texts.h"

namespace vexlo_config {

// Disables the section's autodetect button, runs the detection and, one second later (the
// window stays responsive meanwhile), tells what was found.
void start_autodetect(HWND window, configurator::tool_section section);
// The one-second timer of a detection has fired; false when the timer is not one of them.
bool finish_autodetect(HWND window, UINT_PTR timer);

// The folder browser of the section and the check of the chosen folder.
void browse_for_tool(HWND window, configurator::tool_section section);

}  // namespace vexlo_config
