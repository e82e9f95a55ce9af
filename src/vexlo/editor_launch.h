#pragma once
// Opens a file in the text editor: the editor the program carries ("SciTE.exe", written out
// beside the program when missing) when the build includes one, Notepad otherwise.
#include <windows.h>

#include <string>

namespace vexlo {

// 1 when the editor was started, 0 when it could not be written out or started.
int open_in_editor(const std::string& path);

// The "Edit the Manifest" button of a project that is not BASIC!-based.
void open_manifest_in_editor(HWND owner);

}  // namespace vexlo
