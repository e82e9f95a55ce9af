#include "core/project/string_resources.h"

#include <algorithm>
#include <cstdint>

#include "core/assets/project_layout.h"
#include "core/text/text_helpers.h"
#include "core/text/utf8.h"
#include "core/xml/xml_scan.h"
#include "core/xml/xml_text.h"
#include "platform/platform.h"

namespace project {
namespace {

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// \uXXXX at s[i] (the backslash): the code point, or -1.
long unicode_escape(std::string_view s, std::size_t i) {
    if (i + 6 > s.size() || s[i + 1] != 'u') return -1;
    long code = 0;
    for (std::size_t k = i + 2; k < i + 6; ++k) {
        const int d = hex_value(s[k]);
        if (d < 0) return -1;
        code = code * 16 + d;
    }
    return code;
}

}  // namespace

string_element find_string(std::string_view xml_text, std::string_view key) {
    string_element out;
    const std::vector<xml::token> tokens = xml::scan(xml_text);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const xml::token& t = tokens[i];
        if (t.kind != xml::token_kind::start_tag || t.name != "string") continue;
        const xml::attribute* name = xml::find_attribute(t, "name");
        if (!name || !name->has_value ||
            xml::decoded(xml_text.substr(name->value_begin, name->value_end - name->value_begin)) !=
                key)
            continue;
        if (!t.closed || t.self_closing) return out;
        for (std::size_t j = i + 1; j < tokens.size(); ++j) {
            if (tokens[j].kind == xml::token_kind::end_tag && tokens[j].name == "string") {
                out.found = true;
                out.content_begin = t.end;
                out.content_end = tokens[j].begin;
                return out;
            }
            if (tokens[j].kind == xml::token_kind::start_tag && tokens[j].name == "string")
                return out;
        }
        return out;
    }
    return out;
}

std::string resource_string_value(std::string_view content) {
    return android_unescaped(xml::decoded(content));
}

std::string resource_string_content(std::string_view value) {
    return xml::escaped(android_escaped(value));
}

std::string android_unescaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') continue;  // quotes only keep their text's blanks
        if (c != '\\' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const char next = text[i + 1];
        if (next == 'n') {
            out += '\n';
        } else if (next == 't') {
            out += '\t';
        } else if (const long code = unicode_escape(text, i); code >= 0) {
            text::append_utf8(out, static_cast<std::uint32_t>(code));
            i += 4;
        } else {
            out += next;
        }
        ++i;
    }
    return out;
}

std::string android_escaped(std::string_view value) {
    std::string out;
    out.reserve(value.size() + 8);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\'': out += "\\'"; break;
            case '"': out += "\\\""; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '@':
            case '?':
                if (i == 0) out += '\\';
                out += c;
                break;
            default: out += c;
        }
    }
    return out;
}

bool label_key(std::string_view label, std::string& key) {
    static constexpr std::string_view kPrefix = "@string/";
    if (label.substr(0, kPrefix.size()) != kPrefix) return false;
    key = std::string(label.substr(kPrefix.size()));
    return true;
}

namespace {

// The values files in the order their strings are looked for: strings.xml and setup.xml first,
// then the others by name. Links are left out: they may lead out of the project.
std::vector<std::string> values_files(const std::string& folder) {
    std::vector<std::string> files(std::begin(assets::kValuesFiles),
                                   std::end(assets::kValuesFiles));
    std::vector<platform::dir_entry> entries;
    if (!platform::list_directory(folder + "res\\values", entries)) return files;
    std::vector<std::string> others;
    for (const platform::dir_entry& e : entries) {
        const std::string lower = text::to_lower_ascii(e.name);
        if (e.is_directory || e.is_link || lower.size() < 4 ||
            lower.compare(lower.size() - 4, 4, ".xml") != 0 || lower == "strings.xml" ||
            lower == "setup.xml")
            continue;
        others.push_back("res\\values\\" + e.name);
    }
    std::sort(others.begin(), others.end());
    files.insert(files.end(), others.begin(), others.end());
    return files;
}

}  // namespace

label_source find_label_string(const std::string& folder, std::string_view key) {
    label_source out;
    for (const std::string& file : values_files(folder)) {
        std::string bytes;
        if (!platform::read_file(folder + file, bytes)) continue;
        const string_element element = find_string(bytes, key);
        if (!element.found) continue;
        out.path = folder + file;
        out.bytes = std::move(bytes);
        out.element = element;
        return out;
    }
    return out;
}

}  // namespace project
