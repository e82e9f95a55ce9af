#pragma once
// How a run of the command runner ended, and the status words it hands back instead of a
// tool's output. "**OK**" and "**ERROR WRITING**" are the runner's long-standing words; a
// tool that could not be started and a run ended by Cancel get words of their own, so a
// caller never mistakes either for a tool that printed nothing.
#include <string>
#include <string_view>

namespace build {

inline constexpr std::string_view kResultErrorStarting = "**ERROR STARTING**";
inline constexpr std::string_view kResultCancelled = "**CANCELLED**";

enum class run_status {
    finished,       // the command ran to its end (visible mode, or its output was captured)
    cannot_write,   // temp.bat could not be written, or no temp.txt came out of a captured run
    cannot_start,   // the command interpreter could not be started
    cannot_encode,  // a path or value has characters that cmd.exe cannot read in the console's
                    // code page, so temp.bat was not written
    cancelled,      // the run was ended by Cancel
};

struct run_outcome {
    run_status status = run_status::finished;
    std::string text;  // the captured output, or the status word
};

// The status word of a run that did not finish ("" for a finished one).
std::string_view status_word(run_status status);

}  // namespace build
