#pragma once
// The build failure report: the Ant log of a failed compile becomes "index.htm" and one
// "bat\N.bat" per error in the program folder, shown in the carried report viewer.
#include <string>

namespace vexlo {

// 1 when the report was written and the viewer started; 0 when the log holds no compile
// failure or the report cannot be written (the caller then offers the raw log).
int build_failure_report(const std::string& project_folder);

// Starts "Lumo.exe" (written out when missing) on index.htm, sized to the report; 1, or 0 when
// the viewer (or the carried editor the links need) cannot be written out or started.
int open_report(int line_count);

}  // namespace vexlo
