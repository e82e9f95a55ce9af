#include "core/project/permission_block.h"

#include <algorithm>
#include <vector>

#include "core/project/permissions.h"
#include "core/text/text_helpers.h"
#include "core/xml/xml_scan.h"

namespace project {
namespace {

struct span {
    std::size_t begin;
    std::size_t end;
};

// Blank inside a line; a space is a blank or a line break.
constexpr std::string_view kBlanks = " \t\r";

bool all_blank(std::string_view text) {
    return text::consists_of(text, kBlanks);
}

bool is_space(char c) {
    return c == '\n' || kBlanks.find(c) != std::string_view::npos;
}

std::size_t line_start(std::string_view text, std::size_t pos) {
    const std::size_t lf = pos == 0 ? std::string_view::npos : text.rfind('\n', pos - 1);
    return lf == std::string_view::npos ? 0 : lf + 1;
}

// The LF that ends the line holding pos, or the text's size on the last line.
std::size_t line_end(std::string_view text, std::size_t pos) {
    const std::size_t lf = text.find('\n', pos);
    return lf == std::string_view::npos ? text.size() : lf;
}

// The texts of the comments, in order: what a rewrite must leave as it found it.
std::vector<std::string_view> comments_of(std::string_view text) {
    std::vector<std::string_view> out;
    for (const xml::token& t : xml::scan(text))
        if (t.kind == xml::token_kind::comment)
            out.push_back(text.substr(t.begin, t.end - t.begin));
    return out;
}

// What a regeneration must keep: the text without its table permission elements and blanks.
std::string kept_text(std::string_view text) {
    std::string out;
    std::size_t copied = 0;
    const auto keep = [&out, &text, &copied](std::size_t to) {
        for (; copied < to; ++copied)
            if (!is_space(text[copied])) out += text[copied];
    };
    for (const permission_element& e : permission_elements(text)) {
        keep(e.begin);
        copied = e.end;
        if (e.separate_end_tag) {
            keep(e.end_tag_begin);
            copied = e.end_tag_end;
        }
    }
    keep(text.size());
    return out;
}

// The text without the table permission elements. An element alone on its lines goes with
// them; one that shares a line goes alone, and where that would join two pieces of text into
// one (a stray "<" with what follows) a space keeps them apart. at is where the first element
// stood in the result, whole_line whether it was cut with its lines.
std::string without_elements(std::string_view text, const std::vector<permission_element>& elements,
                             std::size_t& at, bool& whole_line) {
    std::vector<span> spans;
    for (const permission_element& e : elements) {
        spans.push_back({e.begin, e.end});
        if (e.separate_end_tag) spans.push_back({e.end_tag_begin, e.end_tag_end});
    }
    std::sort(spans.begin(), spans.end(),
              [](const span& a, const span& b) { return a.begin < b.begin; });

    std::string out;
    out.reserve(text.size());
    std::size_t copied = 0;
    bool first = true;
    for (std::size_t i = 0; i < spans.size();) {
        // A run: spans with only spaces and tabs between them.
        std::size_t j = i;
        while (
            j + 1 < spans.size() &&
            text.substr(spans[j].end, spans[j + 1].begin - spans[j].end).find_first_not_of(" \t") ==
                std::string_view::npos)
            ++j;
        const std::size_t ls = line_start(text, spans[i].begin);
        const std::size_t le = line_end(text, spans[j].end);
        const bool alone = ls >= copied && all_blank(text.substr(ls, spans[i].begin - ls)) &&
                           all_blank(text.substr(spans[j].end, le - spans[j].end));
        if (alone) {
            out.append(text.substr(copied, ls - copied));
            if (first) at = out.size(), whole_line = true;
            copied = le < text.size() ? le + 1 : le;
        } else {
            for (std::size_t k = i; k <= j; ++k) {
                out.append(text.substr(copied, spans[k].begin - copied));
                if (first && k == i) at = out.size(), whole_line = false;
                copied = spans[k].end;
                const char before = out.empty() ? ' ' : out.back();
                const char after = copied < text.size() ? text[copied] : ' ';
                if (!is_space(before) && before != '>' && !is_space(after) && after != '<')
                    out += ' ';
            }
        }
        first = false;
        i = j + 1;
    }
    out.append(text.substr(copied));
    return out;
}

// Where the block goes when no element stood anywhere: on the line after the manifest start
// tag, past blanks and comments that follow the tag on its line. npos when there is no tag.
std::size_t after_manifest_tag(std::string_view text, bool& needs_break) {
    const std::vector<xml::token> tokens = xml::scan(text);
    std::size_t k = 0;
    while (k < tokens.size() &&
           !(tokens[k].kind == xml::token_kind::start_tag && tokens[k].name == "manifest"))
        ++k;
    if (k == tokens.size() || !tokens[k].closed || tokens[k].self_closing)
        return std::string_view::npos;
    std::size_t i = tokens[k].end;
    ++k;
    for (;;) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        if (k < tokens.size() && tokens[k].begin == i &&
            tokens[k].kind == xml::token_kind::comment && tokens[k].closed) {
            i = tokens[k].end;
            ++k;
            continue;
        }
        break;
    }
    needs_break = false;
    if (text.substr(i, 2) == "\r\n") return i + 2;
    if (i < text.size() && text[i] == '\n') return i + 1;
    needs_break = true;  // other content on the line: the block goes on lines of its own
    return i;
}

// Where a block of whole lines goes in place of an element removed from the middle of a line.
std::size_t near_line(std::string_view text, std::size_t pos, bool& needs_break) {
    needs_break = false;
    const std::size_t ls = line_start(text, pos);
    if (all_blank(text.substr(ls, pos - ls))) return ls;
    const std::size_t le = line_end(text, pos);
    if (all_blank(text.substr(pos, le - pos))) {
        if (le < text.size()) return le + 1;
        needs_break = true;
        return text.size();
    }
    needs_break = true;
    return pos;
}

}  // namespace

std::string manifest_with_permissions(std::string_view manifest, const permission_flags& chosen,
                                      bool* placed) {
    if (placed) *placed = true;
    if (granted_permissions(manifest) == chosen) return std::string(manifest);

    const std::string eol = manifest.find('\r') != std::string_view::npos ? "\r\n" : "\n";
    std::string block;
    for (int i = 0; i < kPermissionCount; ++i)
        if (chosen[i]) block += uses_permission_line(i) + eol;

    const std::vector<permission_element> elements = permission_elements(manifest);
    std::size_t at = 0;
    bool whole_line = false;
    std::string out = without_elements(manifest, elements, at, whole_line);

    if (!block.empty()) {
        bool needs_break = false;
        if (elements.empty()) {
            at = after_manifest_tag(out, needs_break);
        } else if (!whole_line) {
            at = near_line(out, at, needs_break);
        }
        if (at == std::string::npos) {
            if (placed) *placed = false;
            return std::string(manifest);
        }
        out.insert(at, needs_break ? eol + block : block);
    }
    // A text malformed enough to read differently once elements are gone (a broken tag that
    // the removal closes, say) is left alone.
    if (granted_permissions(out) != chosen || comments_of(out) != comments_of(manifest) ||
        kept_text(out) != kept_text(manifest)) {
        if (placed) *placed = false;
        return std::string(manifest);
    }
    return out;
}

}  // namespace project
