// Collecting a block's inline content: words, collapsed spaces, breaks and preformatted text.
#include "core/html/layout_builder.h"

namespace html::layout_detail {

void builder::add_anchor(const std::string& name) {
    out_.anchors.push_back(anchor{name, -1});
    atom a;
    a.kind = atom_kind::anchor;
    a.anchor = static_cast<int>(out_.anchors.size() - 1);
    atoms_.push_back(a);
}

void builder::add_word(std::string_view word, int style, int link, bool nowrap) {
    atom a;
    a.kind = atom_kind::word;
    a.nowrap = nowrap;
    a.style = style;
    a.link = link;
    a.start = static_cast<std::uint32_t>(out_.text.size());
    a.length = static_cast<std::uint32_t>(word.size());
    out_.text.append(word);
    a.width = bounded_size(metrics_.text_width(font(font_of_style(style)), word));
    atoms_.push_back(a);
    last_ = last_content::content;
}

void builder::add_space(int style, int link) {
    if (last_ != last_content::content) return;  // spaces collapse, and none opens a line
    atom a;
    a.kind = atom_kind::space;
    a.style = style;
    a.link = link;
    a.start = static_cast<std::uint32_t>(out_.text.size());
    a.length = 1;
    out_.text += ' ';
    a.width = space_widths_[static_cast<std::size_t>(font_of_style(style))];
    atoms_.push_back(a);
    last_ = last_content::space;
}

void builder::add_text(std::string_view text, int style, int link) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (collapsible(text[i])) {
            while (i < text.size() && collapsible(text[i])) ++i;
            add_space(style, link);
            continue;
        }
        std::size_t j = i;
        while (j < text.size() && !collapsible(text[j])) ++j;
        add_word(text.substr(i, j - i), style, link, false);
        i = j;
    }
}

void builder::add_line_break(int style) {
    atom a;
    a.kind = atom_kind::line_break;
    a.style = style;
    atoms_.push_back(a);
    last_ = last_content::none;
}

// Preformatted text keeps its spaces and breaks only at its own line ends.
void builder::add_preformatted(std::string_view text, int style, int link) {
    if (pre_start_) {
        if (text.substr(0, 2) == "\r\n")
            text.remove_prefix(2);
        else if (!text.empty() && text.front() == '\n')
            text.remove_prefix(1);
    }
    pre_start_ = false;
    std::string piece;
    auto put_piece = [&] {
        if (!piece.empty()) add_word(piece, style, link, true);
        piece.clear();
    };
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            put_piece();
            add_line_break(style);
            column_ = 0;
        } else if (c == '\t') {
            const int spaces = 8 - column_ % 8;
            piece.append(static_cast<std::size_t>(spaces), ' ');
            column_ += spaces;
        } else {
            piece += c;
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++column_;
        }
    }
    put_piece();
}

}  // namespace html::layout_detail
