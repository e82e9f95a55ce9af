#pragma once
// The private-profile (INI) rules of Windows, mirrored for the native build: sections and keys
// match ignoring letter case, lines and values lose surrounding blanks, a value loses one pair
// of enclosing quotes, and only the first section of a name is searched. A file that starts
// with the UTF-16LE byte order mark is Unicode; any other is ANSI (Windows-1252). Once written
// to, a file is Unicode, so values outside the ANSI code page survive.
#include <string>
#include <string_view>

namespace profile_text {

// file_bytes is the whole file as stored; the result is UTF-8.
std::string read_value(std::string_view file_bytes, std::string_view section, std::string_view key);
// The whole file as it is stored after the key has been set: UTF-16LE with its byte order
// mark. The value is UTF-8.
std::string write_value(std::string_view file_bytes, std::string_view section, std::string_view key,
                        std::string_view value);

// The file's text as UTF-8, whichever way it is stored.
std::string decode_file(std::string_view file_bytes);
// UTF-8 text as a Unicode profile file: the UTF-16LE byte order mark and the text.
std::string encode_unicode_file(std::string_view text);

}  // namespace profile_text
