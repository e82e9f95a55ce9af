#pragma once
// String elements of Android resource files: where one stands, what its content says, and how
// a value is written back so that Android shows it as typed.
#include <cstddef>
#include <string>
#include <string_view>

namespace project {

struct string_element {
    bool found = false;
    std::size_t content_begin = 0;  // what stands between <string name="..."> and </string>
    std::size_t content_end = 0;
};

// The first <string> element outside comments whose name is exactly the key (Android's
// resource names are case-sensitive). Not found when that element has no end tag.
string_element find_string(std::string_view xml_text, std::string_view key);

// What a string's content stands for: XML references and CDATA decoded, then Android's
// backslash escapes (\n, \t, \uXXXX, any other \X) and its unescaped double quotes.
std::string resource_string_value(std::string_view content);
// The content written for a value, so that resource_string_value gives it back exactly and
// Android shows it as typed: backslash, apostrophe, double quote, line break and tab escaped,
// and a leading "@" or "?" that would make it a reference.
std::string resource_string_content(std::string_view value);

// The same two steps without the XML layer, for a value that stands in an attribute (a literal
// android:label): Android's escapes read, and written.
std::string android_unescaped(std::string_view text);
std::string android_escaped(std::string_view value);

// The key of a label that refers to a string resource ("@string/app_name" gives app_name).
bool label_key(std::string_view label, std::string& key);

// The resource file that holds the label's string: res\values\strings.xml, else
// res\values\setup.xml, else the first other res\values\*.xml by name that holds it (Android
// reads them all). path is "" when none holds it.
struct label_source {
    std::string path;
    std::string bytes;  // the file's text
    string_element element;
};
label_source find_label_string(const std::string& folder, std::string_view key);

}  // namespace project
