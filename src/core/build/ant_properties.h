#pragma once
// The Ant properties that make the release build sign with the chosen identity, written in
// Java's properties syntax so that every character of the alias and password arrives intact.
#include <string>
#include <string_view>

namespace build {

// The four lines "key.store=", "key.alias=", "key.store.password=", "key.alias.password="
// with CR LF ends. The keystore is named by its file name only (the build copies it into the
// project folder under that name).
std::string ant_properties_text(std::string_view keystore_file, std::string_view alias,
                                std::string_view password);

// A value in properties syntax: "\", ":", "=", "#", "!" and a leading space escaped with a
// backslash, tabs and line breaks as \t \n \r \f, and every other control or non-ASCII
// character as \uXXXX (Ant reads properties files as ISO-8859-1).
std::string escape_property_value(std::string_view value);
// The reverse: a properties value back to UTF-8 text.
std::string unescape_property_value(std::string_view value);

struct ant_identity {
    std::string alias;
    std::string password;
};
// Alias and password read back from a properties text: the values after "key.alias=" and
// "key.store.password=" up to the line end (CR LF when the text holds a CR, else LF), or up
// to the end of the text on the last line.
ant_identity read_ant_identity(std::string_view properties_text);

}  // namespace build
