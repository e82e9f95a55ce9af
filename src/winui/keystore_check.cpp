#include "winui/keystore_check.h"

#include <windows.h>

#include "core/build/tool_commands.h"
#include "platform/platform.h"
#include "winui/command_runner.h"

namespace winui {

build::alias_check check_keystore_alias(const build::tool_config& tools,
                                        build::runner_variant variant,
                                        const std::string& keystore_file, const std::string& alias,
                                        const std::string& password, build::run_outcome* outcome,
                                        tool_job* job) {
    const std::string folder =
        build::alias_check_folder(platform::temp_folder(), std::to_string(GetCurrentProcessId()));
    const std::string copy = folder + std::string(build::kAliasCheckKeystore);
    build::run_outcome result;
    platform::make_directories(folder);
    platform::remove_file(copy);
    if (!platform::copy_file(keystore_file, copy)) {
        // A keystore that cannot be read cannot be proved wrong either: keytool reports it.
        result = platform::file_exists(keystore_file)
                     ? build::run_outcome{build::run_status::cannot_write,
                                          std::string(build::kResultErrorWriting)}
                     : build::run_outcome{build::run_status::finished, ""};
    } else {
        run_request request;
        request.command = build::changealias_command(alias, password);
        request.folder = folder;
        request.variant = variant;
        result = run_tool(tools, request, job);
    }
    platform::remove_file(copy);
    platform::remove_directory(folder);
    if (outcome) *outcome = result;
    return build::judge_alias_check(result);
}

}  // namespace winui
