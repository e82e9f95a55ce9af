#pragma once
// The texts of the command runner: the temp.bat that puts the configured tools on the PATH,
// changes to the working folder and runs one command, and the result made of its output.
// Starting the batch file and waiting for it is the platform's business.
#include <string>
#include <string_view>
#include <vector>

#include "core/build/tool_config.h"

namespace build {

inline constexpr std::string_view kRunnerBatchName = "temp.bat";
inline constexpr std::string_view kRunnerOutputName = "temp.txt";
inline constexpr std::string_view kResultOk = "**OK**";
inline constexpr std::string_view kResultErrorWriting = "**ERROR WRITING**";

// The configurator puts no build-tools folder on the PATH.
enum class runner_variant { main_program, configurator };

// An environment variable set in the batch just before the command, for values that must not
// pass through the command line itself (see tool_commands.h).
struct batch_variable {
    std::string name;
    std::string value;
};

// The working folder: the given one, or the program folder when it is empty, with every
// trailing backslash replaced by exactly one.
std::string runner_folder(std::string_view folder, std::string_view program_folder);

// The text of temp.bat (CR LF line ends, closed by an empty line). folder is a runner_folder;
// capture adds the redirection of standard output and standard error to temp.txt.
std::string runner_batch_text(const tool_config& tools, std::string_view folder,
                              std::string_view command, bool capture, runner_variant variant,
                              const std::vector<batch_variable>& variables = {});

// The text without any trailing CR and LF characters.
std::string without_trailing_line_ends(std::string_view text);

// What the runner hands back once the command has ended: "**OK**" in visible mode, the
// captured output without trailing line ends, or "**ERROR WRITING**" when no output file was
// found after a captured run.
std::string runner_result(bool visible, bool output_found, std::string_view output);

}  // namespace build
