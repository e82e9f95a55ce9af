#pragma once
// A lenient scan of XML text into its markup: comments, CDATA sections, processing
// instructions, declarations, start tags with their attributes, and end tags, each with its
// exact place in the text. Nothing is parsed into a tree and nothing is rejected: malformed text
// still gives tokens, in time linear in its length, so that edits can be made at exact places
// and every byte around them kept.
#include <cstddef>
#include <string_view>
#include <vector>

namespace xml {

enum class token_kind { comment, cdata, instruction, declaration, start_tag, end_tag };

struct attribute {
    std::string_view name;
    std::size_t name_begin = 0;
    std::size_t name_end = 0;
    bool has_value = false;  // false for a bare name without "="
    bool quoted = false;     // the value stands between two quotes of the same kind
    char quote = '"';
    std::size_t value_begin = 0;  // the value without its quotes
    std::size_t value_end = 0;
};

struct token {
    token_kind kind = token_kind::comment;
    std::size_t begin = 0;  // at its "<"
    std::size_t end = 0;    // just behind its last character
    bool closed = true;     // false when the text ended (or markup began) before the token did
    std::string_view name;  // of a start or end tag
    bool self_closing = false;
    std::vector<attribute> attributes;  // of a start tag
};

// The markup of the text in order; the text between two tokens is character data.
std::vector<token> scan(std::string_view text);

// The attribute of that name (exactly), or nullptr.
const attribute* find_attribute(const token& tag, std::string_view name);

}  // namespace xml
