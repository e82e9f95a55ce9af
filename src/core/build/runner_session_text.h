#pragma once
// The texts of the hidden command interpreter that a build keeps for all its tool runs.
// Starting a command interpreter and the console it needs costs several times what a short
// tool does, so the runs of one build share one interpreter: it waits for a line on its
// standard input, calls the request batch beside it (which goes to the working folder and
// calls that folder's temp.bat with standard input from nul), gets its own environment and
// folder back, and prints a marker on its standard output.
#include <string>
#include <string_view>

namespace build {

// The interpreter's own batch. It lies in a folder of its own, which is its current folder and
// holds the request batch (request_name) and nothing else.
std::string session_host_text(std::string_view request_name, std::string_view marker);

// The request batch of one run: the drive and folder lines of temp.bat (folder is a
// runner_folder), then a call of the temp.bat found there.
std::string session_request_text(std::string_view folder);

// The line that asks the interpreter for one run.
inline constexpr std::string_view kSessionRunLine = "run\r\n";

// Looks for the marker in what the interpreter has printed so far. When it is there, removes
// everything up to and including it and returns true. Text that cannot belong to a marker
// any more is dropped, so the buffer stays small however much else is printed.
bool take_session_marker(std::string& printed, std::string_view marker);

}  // namespace build
