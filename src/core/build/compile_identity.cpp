#include "core/build/compile_identity.h"

#include "core/build/ant_properties.h"
#include "core/build/batch_identity.h"
#include "core/build/compile_batch_text.h"
#include "core/build/compile_messages.h"
#include "core/build/tool_commands.h"
#include "platform/platform.h"

namespace build {

namespace {
constexpr const char* CR = "\r";
}

identity_from_batch read_identity_from_batch(const std::string& project_folder) {
    identity_from_batch result;
    std::string batch;
    if (!platform::read_file(project_folder + std::string(kCompileBatchName), batch)) return result;
    batch = platform::batch_decoding(batch);
    const batch_identity named = read_batch_identity(batch);
    if (!named.found) return result;
    std::string properties;
    if (!platform::file_exists(named.keystore_file) ||
        !platform::read_file(named.ant_properties_file, properties)) {
        result.kind = batch_identity_kind::vanished;
        return result;
    }
    const ant_identity values = read_ant_identity(properties);
    result.kind = batch_identity_kind::usable;
    result.identity = {named.keystore_file, values.alias, values.password};
    return result;
}

std::string keystore_question() {
    return std::string("Use current Apkwright keystore ?") + CR + CR +
           "If you choose \"No\" you will be directed to select another" + CR +
           "keystore and provide its Alias and Password.";
}

std::string keystore_prompt(int mode) {
    return mode == 0 ? "Please enter the Alias and Password for this keystore:"
                     : "The Alias and/or Password provided are incorrect for this keystore, try "
                       "again:";
}

entry_check check_keystore_entry(std::string_view alias, std::string_view password,
                                 std::string_view confirmation) {
    if (alias.empty() || password.empty())
        return {entry_verdict::empty, "You need to specify non-empty Alias and Password"};
    if (password != confirmation) return {entry_verdict::mismatch, "Passwords don't match"};
    const std::string problem = signing_values_problem(alias, password);
    if (!problem.empty()) return {entry_verdict::unsafe, problem};
    return {};
}

alias_check judge_alias_check(const run_outcome& outcome) {
    if (outcome.status != run_status::finished) return alias_check::not_checked;
    return outcome.text.find("tampered with") != std::string::npos ? alias_check::does_not_fit
                                                                   : alias_check::fits;
}

std::string alias_check_failed_message(const run_outcome& outcome) {
    std::string why;
    switch (outcome.status) {
        case run_status::cannot_write: why = "The temporary folder cannot be written."; break;
        case run_status::cannot_start:
            why = "The command interpreter (cmd.exe) could not be started.";
            break;
        case run_status::cannot_encode: why = unreadable_path_text(); break;
        default: why = "The check was interrupted."; break;
    }
    return std::string("The keystore's Alias and Password could not be checked.") + CR + why;
}

std::string alias_check_folder(std::string_view temp_folder, std::string_view suffix) {
    return std::string(temp_folder) + "\\vexlo-keystore-check-" + std::string(suffix) + "\\";
}

}  // namespace build
