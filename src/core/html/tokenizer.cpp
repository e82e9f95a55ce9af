#include "core/html/tokenizer.h"

#include "core/html/entities.h"
#include "core/text/text_helpers.h"

namespace html {
namespace {

bool is_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Position of "</name" (any letter case) followed by a space, "/" or ">", or npos.
std::size_t find_closing(std::string_view page, std::size_t from, std::string_view name) {
    for (std::size_t at = page.find("</", from); at != std::string_view::npos;
         at = page.find("</", at + 2)) {
        std::size_t i = 0;
        while (i < name.size() && at + 2 + i < page.size() &&
               text::lower_ascii(page[at + 2 + i]) == name[i])
            ++i;
        const std::size_t after = at + 2 + i;
        if (i == name.size() && (after >= page.size() || is_space(page[after]) ||
                                 page[after] == '>' || page[after] == '/'))
            return at;
    }
    return std::string_view::npos;
}

}  // namespace

bool tokenizer::next(token& out) {
    // Emptied, not replaced, so that the buffers the token holds are used again.
    out.kind = token_kind::end_of_input;
    out.name.clear();
    out.attributes.clear();
    out.self_closing = false;
    out.text.clear();
    if (!raw_text_tag_.empty()) {
        // The content of script, style and title is never markup.
        const std::size_t end = find_closing(page_, pos_, raw_text_tag_);
        const std::size_t stop = end == std::string_view::npos ? page_.size() : end;
        const std::string_view content = page_.substr(pos_, stop - pos_);
        pos_ = stop;
        const bool keep = raw_text_tag_ == "title";
        raw_text_tag_.clear();
        if (keep && !content.empty()) {
            out.kind = token_kind::text;
            out.text = decode_entities(content);
            return true;
        }
    }
    while (pos_ < page_.size()) {
        if (page_[pos_] == '<') {
            const std::size_t tag_start = pos_;
            if (read_tag(out)) return true;
            if (pos_ != tag_start) continue;  // a comment or declaration was skipped
        }
        // Text up to the next "<" that could start markup.
        std::size_t end = pos_ + 1;
        while (true) {
            end = page_.find('<', end);
            if (end == std::string_view::npos) {
                end = page_.size();
                break;
            }
            if (end + 1 < page_.size()) {
                const char c = page_[end + 1];
                if (is_letter(c) || c == '/' || c == '!' || c == '?') break;
            }
            ++end;
        }
        out.kind = token_kind::text;
        out.text = decode_entities(page_.substr(pos_, end - pos_));
        pos_ = end;
        return true;
    }
    out.kind = token_kind::end_of_input;
    return false;
}

// At a "<": reads a tag into out and returns true, skips a comment or declaration (moving
// pos_), or leaves pos_ alone when the "<" is plain text.
bool tokenizer::read_tag(token& out) {
    const std::size_t start = pos_;
    if (page_.substr(start, 4) == "<!--") {
        const std::size_t end = page_.find("-->", start + 4);
        pos_ = end == std::string_view::npos ? page_.size() : end + 3;
        return false;
    }
    if (start + 1 < page_.size() && (page_[start + 1] == '!' || page_[start + 1] == '?')) {
        const std::size_t end = page_.find('>', start + 2);
        pos_ = end == std::string_view::npos ? page_.size() : end + 1;
        return false;
    }
    std::size_t i = start + 1;
    const bool closing = i < page_.size() && page_[i] == '/';
    if (closing) ++i;
    if (i >= page_.size() || !is_letter(page_[i])) {
        if (closing && i < page_.size() && page_[i] == '>') {
            pos_ = i + 1;  // "</>" is dropped
            return false;
        }
        if (closing) {  // "</ ..." and the like: a bogus comment up to ">"
            const std::size_t end = page_.find('>', i);
            pos_ = end == std::string_view::npos ? page_.size() : end + 1;
            return false;
        }
        return false;
    }
    std::string name;
    while (i < page_.size() && !is_space(page_[i]) && page_[i] != '/' && page_[i] != '>')
        name += text::lower_ascii(page_[i++]);
    pos_ = i;
    out.name = std::move(name);
    if (closing) {
        const std::size_t end = page_.find('>', pos_);
        if (end == std::string_view::npos) {  // a tag cut off by the end of the page
            pos_ = page_.size();
            return false;
        }
        pos_ = end + 1;
        out.kind = token_kind::end_tag;
        return true;
    }
    out.kind = token_kind::start_tag;
    read_attributes(out);
    if (pos_ > page_.size()) {
        pos_ = page_.size();
        return false;
    }
    if (out.name == "script" || out.name == "style" || out.name == "title")
        raw_text_tag_ = out.name;
    return true;
}

void tokenizer::read_attributes(token& out) {
    std::size_t i = pos_;
    const std::size_t n = page_.size();
    while (true) {
        while (i < n && (is_space(page_[i]) || page_[i] == '/')) {
            if (page_[i] == '/' && i + 1 < n && page_[i + 1] == '>') out.self_closing = true;
            ++i;
        }
        if (i >= n) {  // the page ends inside the tag: the tag is dropped
            pos_ = n + 1;
            return;
        }
        if (page_[i] == '>') {
            pos_ = i + 1;
            return;
        }
        attribute a;
        while (i < n && !is_space(page_[i]) && page_[i] != '/' && page_[i] != '>' &&
               page_[i] != '=')
            a.name += text::lower_ascii(page_[i++]);
        if (a.name.empty()) a.name += page_[i++];  // a stray "=" becomes a name, as in browsers
        while (i < n && is_space(page_[i])) ++i;
        if (i < n && page_[i] == '=') {
            ++i;
            while (i < n && is_space(page_[i])) ++i;
            std::size_t value_start = i, value_end = i;
            if (i < n && (page_[i] == '"' || page_[i] == '\'')) {
                const char quote = page_[i];
                value_start = i + 1;
                const std::size_t close = page_.find(quote, value_start);
                if (close == std::string_view::npos) {
                    pos_ = n + 1;
                    return;
                }
                value_end = close;
                i = close + 1;
            } else {
                while (i < n && !is_space(page_[i]) && page_[i] != '>') ++i;
                value_end = i;
            }
            a.value = decode_entities(page_.substr(value_start, value_end - value_start), true);
        }
        bool duplicate = false;  // the first of two equal names wins
        for (const attribute& seen : out.attributes) duplicate = duplicate || seen.name == a.name;
        if (!duplicate) out.attributes.push_back(std::move(a));
    }
}

}  // namespace html
