#include "vexlo/editor_launch.h"

#include <shellapi.h>

#include "core/assets/project_layout.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "vexlo/app_state.h"
#include "vexlo/carried_programs.h"

namespace vexlo {

namespace {

[[maybe_unused]] std::string quoted_when_spaced(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

bool start(const std::string& program, const std::string& parameters) {
    const HINSTANCE r = ShellExecuteW(nullptr, L"open", platform::widen(program).c_str(),
                                      platform::widen(parameters).c_str(), nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(r) > 32;
}

}  // namespace

int open_in_editor(const std::string& path) {
#ifdef VEXLO_CARRIES_EDITOR
    const std::string editor = carried_program("SciTE.exe", "SCITE");
    if (editor.empty()) return 0;
    return start(editor, quoted_when_spaced(path)) ? 1 : 0;
#else
    // Notepad takes the whole rest of its command line as the file name; quoting keeps
    // names with spaces intact on every version.
    return start("notepad.exe", "\"" + path + "\"") ? 1 : 0;
#endif
}

void open_manifest_in_editor(HWND) {
    open_in_editor(app().project.project_folder + assets::kManifestFile);
}

}  // namespace vexlo
