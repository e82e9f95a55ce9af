#include "core/xml/xml_scan.h"

namespace xml {
namespace {

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool is_name_start(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || u >= 0x80;
}

// A name runs until blank or one of the characters that end it.
bool ends_name(char c) {
    return is_space(c) || c == '/' || c == '>' || c == '<' || c == '=' || c == '"' || c == '\'';
}

std::size_t skip_spaces(std::string_view text, std::size_t i) {
    while (i < text.size() && is_space(text[i])) ++i;
    return i;
}

// A token that runs to the end of a closing mark, or to the end of the text.
token delimited(token_kind kind, std::string_view text, std::size_t begin, std::size_t from,
                std::string_view mark) {
    token t;
    t.kind = kind;
    t.begin = begin;
    const std::size_t at = text.find(mark, from);
    t.closed = at != std::string_view::npos;
    t.end = t.closed ? at + mark.size() : text.size();
    return t;
}

// "<!DOCTYPE ...>" and the like: up to the ">" outside quotes and outside "[...]".
token declaration(std::string_view text, std::size_t begin) {
    token t;
    t.kind = token_kind::declaration;
    t.begin = begin;
    int depth = 0;
    char quote = 0;
    for (std::size_t i = begin + 2; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[') {
            ++depth;
        } else if (c == ']' && depth > 0) {
            --depth;
        } else if (c == '>' && depth == 0) {
            t.end = i + 1;
            return t;
        }
    }
    t.closed = false;
    t.end = text.size();
    return t;
}

token end_tag(std::string_view text, std::size_t begin) {
    token t;
    t.kind = token_kind::end_tag;
    t.begin = begin;
    std::size_t i = begin + 2;
    const std::size_t name = i;
    while (i < text.size() && !ends_name(text[i])) ++i;
    t.name = text.substr(name, i - name);
    const std::size_t gt = text.find('>', i);
    const std::size_t lt = text.find('<', i);
    if (gt != std::string_view::npos && (lt == std::string_view::npos || gt < lt)) {
        t.end = gt + 1;
    } else {  // a tag never closed ends where the next markup begins
        t.closed = false;
        t.end = lt == std::string_view::npos ? text.size() : lt;
    }
    return t;
}

// The value after an attribute's "=", from i; false when a quote opens a value that never
// closes (the rest of the text is then the value). i moves past the value.
bool read_value(std::string_view text, std::size_t& i, attribute& a) {
    if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
        a.quoted = true;
        a.quote = text[i];
        a.value_begin = i + 1;
        const std::size_t close = text.find(a.quote, a.value_begin);
        if (close == std::string_view::npos) {
            a.value_end = text.size();
            return false;
        }
        a.value_end = close;
        i = close + 1;
        return true;
    }
    a.value_begin = i;
    while (i < text.size() && !is_space(text[i]) && text[i] != '>' && text[i] != '<' &&
           text.substr(i, 2) != "/>")
        ++i;
    a.value_end = i;
    return true;
}

token start_tag(std::string_view text, std::size_t begin) {
    token t;
    t.kind = token_kind::start_tag;
    t.begin = begin;
    std::size_t i = begin + 1;
    while (i < text.size() && !ends_name(text[i])) ++i;
    t.name = text.substr(begin + 1, i - begin - 1);
    for (;;) {
        i = skip_spaces(text, i);
        if (i >= text.size() || text[i] == '<') {  // never closed
            t.closed = false;
            t.end = i;
            return t;
        }
        const char c = text[i];
        if (c == '>') {
            t.end = i + 1;
            return t;
        }
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '>') {
            t.self_closing = true;
            t.end = i + 2;
            return t;
        }
        if (ends_name(c)) {  // a stray "/", "=" or quote
            ++i;
            continue;
        }
        attribute a;
        a.name_begin = i;
        while (i < text.size() && !ends_name(text[i])) ++i;
        a.name_end = i;
        a.name = text.substr(a.name_begin, a.name_end - a.name_begin);
        const std::size_t after_name = skip_spaces(text, i);
        if (after_name < text.size() && text[after_name] == '=') {
            a.has_value = true;
            i = skip_spaces(text, after_name + 1);
            if (!read_value(text, i, a)) {  // the rest of the text is the value
                t.attributes.push_back(a);
                t.closed = false;
                t.end = text.size();
                return t;
            }
        }
        t.attributes.push_back(a);
    }
}

bool at(std::string_view text, std::size_t i, std::string_view mark) {
    return text.substr(i, mark.size()) == mark;
}

}  // namespace

std::vector<token> scan(std::string_view text) {
    std::vector<token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t lt = text.find('<', i);
        if (lt == std::string_view::npos) break;
        token t;
        if (at(text, lt, "<!--")) {
            t = delimited(token_kind::comment, text, lt, lt + 4, "-->");
        } else if (at(text, lt, "<![CDATA[")) {
            t = delimited(token_kind::cdata, text, lt, lt + 9, "]]>");
        } else if (at(text, lt, "<?")) {
            t = delimited(token_kind::instruction, text, lt, lt + 2, "?>");
        } else if (at(text, lt, "<!")) {
            t = declaration(text, lt);
        } else if (at(text, lt, "</")) {
            t = end_tag(text, lt);
        } else if (lt + 1 < text.size() && is_name_start(text[lt + 1])) {
            t = start_tag(text, lt);
        } else {  // a "<" that starts no markup is character data
            i = lt + 1;
            continue;
        }
        i = t.end > lt ? t.end : lt + 1;
        tokens.push_back(std::move(t));
    }
    return tokens;
}

const attribute* find_attribute(const token& tag, std::string_view name) {
    for (const attribute& a : tag.attributes)
        if (a.name == name) return &a;
    return nullptr;
}

}  // namespace xml
