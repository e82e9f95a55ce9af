#pragma once
// The private-profile (INI) rules of Windows, mirrored for the native build: sections and keys
// match ignoring letter case, values lose surrounding blanks and one pair of enclosing quotes.
#include <string>
#include <string_view>

namespace profile_text {

std::string read_value(std::string_view file_text, std::string_view section, std::string_view key);
std::string write_value(std::string_view file_text, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace profile_text
