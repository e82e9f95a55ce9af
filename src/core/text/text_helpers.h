#pragma once
// Marker-based text work on whole files: project files are never parsed as XML, every read is
// a search for literal markers and every edit a whole-file replacement.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace text {

bool read_whole_file(const std::string& path, std::string& bytes);

// Reads a file and splits it into lines: CR LF, then LF, then a lone CR (which survives as an
// LF inside its line) are the breaks. A text ending in a line break has an empty last line.
bool read_text_lines(const std::string& path, std::string& text, std::vector<std::string>& lines);
std::vector<std::string> split_lines(std::string_view text);

bool file_exists(const std::string& path);

// Line-end conversions done in place around an edit in a Windows editor.
void convert_to_crlf(const std::string& path);
void convert_to_lf(const std::string& path);
std::string to_crlf_text(std::string_view text);  // LF to CR LF unless a CR is already there
std::string to_lf_text(std::string_view text);    // CR LF and lone CR to LF

// The text between the first start marker and the next end marker, "" when either is absent.
std::string text_between(std::string_view text, std::string_view start, std::string_view end);
std::string replace_text(std::string_view text, std::string_view find, std::string_view with);
std::string left_pad_zeros(std::string_view text, std::size_t width);
std::string clean_file_name(std::string_view name);
std::string elapsed_text(double seconds);

std::string trim_spaces(std::string_view text);  // only the space character
std::string trim_whitespace(std::string_view text);  // spaces, tabs, CR, LF
std::string to_upper_ascii(std::string_view text);
std::string to_lower_ascii(std::string_view text);
bool iequals_ascii(std::string_view a, std::string_view b);
// Position of the first occurrence ignoring ASCII letter case, or npos.
std::size_t ifind(std::string_view text, std::string_view find, std::size_t from = 0);
bool starts_with(std::string_view text, std::string_view prefix);
// The folder with every trailing backslash removed and exactly one appended.
std::string with_one_trailing_backslash(std::string_view folder);
std::string without_trailing_backslashes(std::string_view folder);
// The numeric value as the old BASIC conversion reads it: leading spaces skipped, digits up to
// the first other character, 0 when there are none.
long long leading_number(std::string_view text);

}  // namespace text
