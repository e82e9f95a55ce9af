#pragma once
// Marker-based text work: project files are never parsed as XML, every read is a search for
// literal markers and every edit a whole-text replacement. Files are read and written by the
// caller, through platform::.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// The lines of a text: CR LF, then LF, then a lone CR (which survives as an LF inside its line)
// are the breaks. A text ending in a line break has an empty last line.
std::vector<std::string> split_lines(std::string_view text);
// Views of the lines of a text split at LF only (a CR stays in its line); a final LF ends the
// last line rather than starting an empty one, so "" has no lines.
std::vector<std::string_view> lf_line_views(std::string_view text);

std::string to_crlf_text(std::string_view text);  // LF to CR LF unless a CR is already there
std::string to_lf_text(std::string_view text);    // CR LF and lone CR to LF

// The text between the first start marker and the next end marker, "" when either is absent.
std::string text_between(std::string_view text, std::string_view start, std::string_view end);
std::string replace_text(std::string_view text, std::string_view find, std::string_view with);
std::string left_pad_zeros(std::string_view text, std::size_t width);
std::string clean_file_name(std::string_view name);
std::string elapsed_text(double seconds);

// True when every character of text is one of set (so also for an empty text).
bool consists_of(std::string_view text, std::string_view set);
// The text without the characters of set at either end.
std::string_view trim_view(std::string_view text, std::string_view set);
std::string trim_spaces(std::string_view text);      // only the space character
std::string trim_whitespace(std::string_view text);  // spaces, tabs, CR, LF
std::string to_upper_ascii(std::string_view text);
std::string to_lower_ascii(std::string_view text);
constexpr char lower_ascii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool iequals_ascii(std::string_view a, std::string_view b);
// Position of the first occurrence ignoring ASCII letter case, or npos.
std::size_t ifind(std::string_view text, std::string_view find, std::size_t from = 0);
bool starts_with(std::string_view text, std::string_view prefix);
// As Windows compares paths: ASCII letters without case. Neither compares make copies, since
// they run once per line of long logs.
bool starts_with_ignoring_case(std::string_view text, std::string_view prefix);
// The folder with every trailing backslash removed and exactly one appended.
std::string with_one_trailing_backslash(std::string_view folder);
std::string without_trailing_backslashes(std::string_view folder);
// The numeric value as the old BASIC conversion reads it: leading spaces skipped, digits up to
// the first other character, 0 when there are none.
long long leading_number(std::string_view text);

}  // namespace text
