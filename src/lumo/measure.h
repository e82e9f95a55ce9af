#pragma once
// Timing figures for the viewer, taken in the real program: with the environment variable
// LUMO_MEASURE naming a file, the viewer shows its start page, scrolls through it frame by
// frame, writes the times to that file and closes. Without the variable nothing changes.
class viewer_window;

void install_measurement(viewer_window& viewer);
