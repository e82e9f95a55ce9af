#pragma once
// A tool configuration that passes the start-up check, for tests that start Vexlo.exe: marker
// files laid out like the JDK, SDK, Ant and a keystore, and Vexlo.cfg beside the program.
#include <string>

namespace gui {

// Lays the marker files out below folder (with trailing backslash) and writes the
// configuration file beside Vexlo.exe. Returns the configuration file's path.
std::string write_ready_config(const std::string& folder);
void remove_config();

}  // namespace gui
