#pragma once
// Splits a page into tags and text the way browsers do when the markup is sloppy: a "<" that
// does not start a tag is text, attribute values may use either quote or none, comments and
// declarations vanish, and the content of script and style is skipped.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/html/dom.h"

namespace html {

enum class token_kind { text, start_tag, end_tag, end_of_input };

struct token {
    token_kind kind = token_kind::end_of_input;
    std::string name;                   // lower-case tag name
    std::vector<attribute> attributes;  // start tags only
    bool self_closing = false;
    std::string text;  // text tokens, entities decoded
};

class tokenizer {
public:
    explicit tokenizer(std::string_view page) : page_(page) {}
    // Fills the next token; returns false (with end_of_input) when the page is used up.
    bool next(token& out);

private:
    bool read_tag(token& out);
    void read_attributes(token& out);

    std::string_view page_;
    std::size_t pos_ = 0;
    std::string raw_text_tag_;  // the open script/style/title whose content comes next
};

}  // namespace html
