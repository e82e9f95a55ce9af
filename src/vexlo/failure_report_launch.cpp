#include "vexlo/failure_report_launch.h"

#include <windows.h>
#include <shellapi.h>

#include "core/build/failure_report.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"
#include "vexlo/carried_programs.h"

namespace vexlo {

namespace {

#ifdef VEXLO_CARRIES_EDITOR
constexpr build::report_editor kEditor = build::report_editor::carried;
#else
constexpr build::report_editor kEditor = build::report_editor::notepad;
#endif

}  // namespace

int build_failure_report(const std::string& project_folder) {
    const std::string program_folder = platform::program_folder();
    platform::remove_file(program_folder + "index.htm");
    platform::make_directories(program_folder + "bat");
    std::string log;
    if (!platform::read_file(project_folder + "ant_log.txt", log)) return 0;
    const build::failure_report report = build::make_failure_report(log, project_folder, kEditor);
    if (!report.produced) return 0;
    for (const auto& [number, text] : report.link_batches)
        if (!platform::write_file(program_folder + "bat\\" + std::to_string(number) + ".bat", text))
            return 0;
    if (!platform::write_file(program_folder + "index.htm", report.index_htm)) return 0;
    return open_report(report.line_count);
}

int open_report(int line_count) {
#ifdef VEXLO_CARRIES_EDITOR
    if (carried_program("SciTE.exe", "SCITE").empty()) return 0;
#endif
    const std::string viewer = carried_program("Lumo.exe", "Lumo");
    if (viewer.empty()) return 0;
    const std::string parameters =
        "- - - - - - " + std::to_string(build::report_window_height(line_count)) + " 720";
    // The viewer opens index.htm from its working folder: the program folder, wherever
    // Vexlo.exe was started from.
    const HINSTANCE r = ShellExecuteW(
        nullptr, L"open", platform::widen(viewer).c_str(), platform::widen(parameters).c_str(),
        platform::widen(platform::program_folder()).c_str(), SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(r) > 32 ? 1 : 0;
}

}  // namespace vexlo
