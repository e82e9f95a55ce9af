#include "core/build/runner_session_text.h"

#include "core/build/batch_escaping.h"

namespace build {

std::string session_host_text(std::string_view request_name, std::string_view marker) {
    // setlocal / endlocal around the call give the interpreter back its own environment and
    // current folder after each run: the PATH lines of temp.bat never pile up, and no working
    // folder stays in use by an idle interpreter.
    std::string out = "@echo off\r\n";
    out += ":vexlo_next\r\n";
    out += "set \"vexlo_request=\"\r\n";
    out += "set /p vexlo_request=\r\n";
    out += "if not defined vexlo_request exit /b 0\r\n";  // standard input closed: done
    out += "set \"vexlo_request=\"\r\n";
    out += "setlocal\r\n";
    out += "<nul call " + std::string(request_name) + "\r\n";
    out += "endlocal\r\n";
    out += "echo " + std::string(marker) + "\r\n";
    out += "goto vexlo_next\r\n";
    return out;
}

std::string session_request_text(std::string_view folder) {
    std::string out = std::string(folder.substr(0, 2)) + "\r\n";
    const std::string cd_target =
        has_command_characters(folder) ? batch_path(folder) : double_percent(folder);
    out += "cd " + cd_target + "\r\n";
    // A change of folder that failed leaves the interpreter in its own folder, which holds no
    // temp.bat: nothing runs then.
    out += "if exist temp.bat call temp.bat\r\n";
    return out;
}

bool take_session_marker(std::string& printed, std::string_view marker) {
    const std::size_t at = printed.find(marker);
    if (at != std::string::npos) {
        printed.erase(0, at + marker.size());
        return true;
    }
    // Keep only a tail that may still grow into the marker.
    if (printed.size() > marker.size()) printed.erase(0, printed.size() - marker.size());
    return false;
}

}  // namespace build
