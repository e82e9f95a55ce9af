#include "core/build/tool_commands.h"

#include "core/build/batch_escaping.h"

namespace build {
namespace {

// A value that passes through a "call" line unchanged: printable ASCII without anything
// cmd.exe acts on or splits at.
bool is_plain(std::string_view value) {
    for (char c : value) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b <= 0x20 || b >= 0x7F || c == '%' || c == '"') return false;
    }
    return !needs_quoting(value);
}

std::string value_problem(std::string_view what, std::string_view value, bool on_call_line) {
    std::string reason = unsafe_value_reason(value);
    // The alias reaches apksigner on a "call" line: "call" doubles every caret inside quotes,
    // and how often it expands "%" differs between command interpreters.
    if (reason.empty() && on_call_line && value.find('^') != std::string_view::npos)
        reason = "a caret (^)";
    if (reason.empty() && on_call_line && value.find('%') != std::string_view::npos)
        reason = "a percent sign (%)";
    if (reason.empty()) return "";
    return "The " + std::string(what) + " cannot contain " + reason + ".\r" +
           "It is handed to the signing tools on a command line, where it would not arrive "
           "intact.";
}

}  // namespace

std::string changealias_command(std::string_view alias, std::string_view password,
                                std::string_view keystore_copy) {
    const std::string pass = program_argument(password);
    return "keytool -changealias -keystore " + program_argument(keystore_copy) + " -alias " +
           program_argument(alias) + " -destalias apkwrightadmin -storepass " + pass +
           " -keypass " + pass;
}

std::string zipalign_command() {
    return "call zipalign -p -f -v 4 unsigned.apk aligned.apk";
}

std::string apksigner_verify_command() {
    return "call apksigner verify --verbose --print-certs signed.apk";
}

batch_command apksigner_command(std::string_view alias, std::string_view password) {
    batch_command command;
    std::string pass_source;
    if (is_plain(password)) {
        pass_source = "pass:" + std::string(password);
    } else {
        pass_source = "env:" + std::string(kPasswordVariable);
        command.variables.push_back({std::string(kPasswordVariable), std::string(password)});
    }
    command.line = "call apksigner sign --verbose --ks cert.jks --ks-key-alias " +
                   call_argument(alias) + " --ks-pass " + pass_source +
                   " --out signed.apk aligned.apk";
    return command;
}

std::string update_project_command(std::string_view project_name, int target_id) {
    return "call android update project --name " + call_argument(project_name) + " --target " +
           std::to_string(target_id) + " --path .";
}

std::string signing_values_problem(std::string_view alias, std::string_view password) {
    const std::string alias_problem = value_problem("Alias", alias, true);
    if (!alias_problem.empty()) return alias_problem;
    return value_problem("Password", password, false);
}

}  // namespace build
