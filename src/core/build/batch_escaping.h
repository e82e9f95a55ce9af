#pragma once
// How values typed by the user or read from disk are written into batch files, so that cmd.exe
// passes them on as data and never runs any part of them as a command. Ordinary values are
// written as they are; only values that need it are quoted or escaped.
#include <string>
#include <string_view>

namespace build {

// Characters that cmd.exe would treat as command separators, redirections or escapes.
bool has_command_characters(std::string_view value);
// True when an argument must be enclosed in double quotes: it holds a space, a tab, a
// command character, or a character that cmd.exe takes as an argument separator (, ; =).
bool needs_quoting(std::string_view value);
// Every "%" doubled, so that cmd.exe reads it back as one "%" from a batch file.
std::string double_percent(std::string_view value);

// A path or name for a built-in command of cmd.exe (cd, copy, move, del, start): quoted when
// needed, "%" doubled.
std::string batch_path(std::string_view value);
// An argument for a program started from a batch line that does not begin with "call":
// quoted when needed, "%" doubled, and backslashes before the closing quote doubled so the
// program's own argument parser keeps them.
std::string program_argument(std::string_view value);
// The same for a line that begins with "call": cmd.exe expands "%" twice there, so each "%"
// is written four times.
std::string call_argument(std::string_view value);
// "set NAME=value", or "set "NAME=value"" when the value holds command characters; "%" doubled.
std::string set_line(std::string_view name, std::string_view value);

// Why a value cannot be handed to a command line safely, or "" when it can: a double quote
// (it would end the quoting early), a line break or another control character.
std::string unsafe_value_reason(std::string_view value);

}  // namespace build
