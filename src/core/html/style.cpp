#include "core/html/style.h"

#include <cmath>
#include <string>

#include "core/text/text_helpers.h"

namespace html {
namespace {

// Sizes of <font size=1> to <font size=7> in pixels.
constexpr int kFontSizes[7] = {10, 13, 16, 18, 24, 32, 48};

// A font size times a factor, within 1..kMaxFontSize (the parent's size already is).
int scaled(int size, double factor) {
    const long rounded = std::lround(size * factor);
    return static_cast<int>(rounded < 1 ? 1 : (rounded > kMaxFontSize ? kMaxFontSize : rounded));
}

std::optional<align_kind> parse_align(const std::string* value) {
    if (!value) return std::nullopt;
    const std::string v = text::to_lower_ascii(*value);
    if (v == "center" || v == "middle") return align_kind::center;
    if (v == "right") return align_kind::right;
    if (v == "left" || v == "justify") return align_kind::left;
    return std::nullopt;
}

// "3", "+1", "-2": the font size number 1 to 7, relative ones counted from 3.
std::optional<int> parse_font_size(const std::string& value) {
    std::size_t i = 0;
    while (i < value.size() && value[i] == ' ') ++i;
    int sign = 0;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) sign = value[i++] == '+' ? 1 : -1;
    if (i >= value.size() || value[i] < '0' || value[i] > '9') return std::nullopt;
    int number = 0;
    while (i < value.size() && value[i] >= '0' && value[i] <= '9' && number < 100)
        number = number * 10 + (value[i++] - '0');
    if (sign != 0) number = 3 + sign * number;
    return number < 1 ? 1 : (number > 7 ? 7 : number);
}

// The first family of a face list such as "Verdana, Arial", without quotes.
std::string first_face(const std::string& faces) {
    std::string face = faces.substr(0, faces.find(','));
    const std::size_t start = face.find_first_not_of(" \t\"'");
    const std::size_t end = face.find_last_not_of(" \t\"'");
    return start == std::string::npos ? std::string() : face.substr(start, end - start + 1);
}

void heading(computed_style& s, double size_factor, double margin_factor) {
    s.display = display_kind::block;
    s.font.bold = true;
    s.font.size = scaled(s.font.size, size_factor);
    s.margin_top = s.margin_bottom = scaled(s.font.size, margin_factor);
}

}  // namespace

page_colors colors_of(const dom& d) {
    page_colors colors;
    if (const node* body = d.body()) {
        if (const std::string* v = body->attr("bgcolor"))
            colors.background = parse_color(*v).value_or(colors.background);
        if (const std::string* v = body->attr("text"))
            colors.text = parse_color(*v).value_or(colors.text);
        if (const std::string* v = body->attr("link"))
            colors.link = parse_color(*v).value_or(colors.link);
    }
    return colors;
}

computed_style root_style(const page_colors& colors) {
    computed_style s;
    s.color = colors.text;
    s.display = display_kind::block;
    return s;
}

computed_style compute_style(const node& e, const computed_style& parent,
                             const page_colors& colors) {
    computed_style s;
    s.font = parent.font;
    s.color = parent.color;
    s.underline = parent.underline;
    s.strike = parent.strike;
    s.preformatted = parent.preformatted;
    s.align = parent.align;

    switch (e.kind) {
        case tag::document:
        case tag::html:
            s.display = display_kind::block;
            break;
        case tag::body:
            s.display = display_kind::block;
            s.margin_top = s.margin_bottom = s.indent_left = s.indent_right = 8;
            s.color = colors.text;
            break;
        case tag::head:
        case tag::title:
        case tag::meta:
        case tag::link:
        case tag::script:
        case tag::style:
            s.display = display_kind::none;
            break;
        case tag::p:
            s.display = display_kind::block;
            s.margin_top = s.margin_bottom = s.font.size;
            break;
        case tag::div:
            s.display = display_kind::block;
            break;
        case tag::center:
            s.display = display_kind::block;
            s.align = align_kind::center;
            break;
        case tag::blockquote:
            s.display = display_kind::block;
            s.margin_top = s.margin_bottom = s.font.size;
            s.indent_left = s.indent_right = 40;
            break;
        case tag::pre:
            s.display = display_kind::block;
            s.preformatted = true;
            s.font.face = "Courier New";
            s.font.size = 13;
            s.margin_top = s.margin_bottom = 13;
            break;
        case tag::hr:
            s.display = display_kind::block;
            s.margin_top = s.margin_bottom = 8;
            break;
        case tag::h1:
            heading(s, 2.0, 0.67);
            break;
        case tag::h2:
            heading(s, 1.5, 0.83);
            break;
        case tag::h3:
            heading(s, 1.17, 1.0);
            break;
        case tag::h4:
            heading(s, 1.0, 1.33);
            break;
        case tag::h5:
            heading(s, 0.83, 1.67);
            break;
        case tag::h6:
            heading(s, 0.67, 2.33);
            break;
        case tag::ol:
        case tag::ul:
        case tag::dl:
            s.display = display_kind::block;
            s.margin_top = s.margin_bottom = s.font.size;
            if (e.kind != tag::dl) s.indent_left = 40;
            break;
        case tag::li:
            s.display = display_kind::list_item;
            break;
        case tag::dt:
            s.display = display_kind::block;
            break;
        case tag::dd:
            s.display = display_kind::block;
            s.indent_left = 40;
            break;
        case tag::a:
            if (e.attr("href")) {
                s.color = colors.link;
                s.underline = true;
            }
            break;
        case tag::font:
            if (const std::string* v = e.attr("color")) s.color = parse_color(*v).value_or(s.color);
            if (const std::string* v = e.attr("face")) {
                const std::string face = first_face(*v);
                if (!face.empty()) s.font.face = face;
            }
            if (const std::string* v = e.attr("size"))
                if (auto n = parse_font_size(*v)) s.font.size = kFontSizes[*n - 1];
            break;
        case tag::b:
        case tag::strong:
            s.font.bold = true;
            break;
        case tag::i:
        case tag::em:
            s.font.italic = true;
            break;
        case tag::u:
            s.underline = true;
            break;
        case tag::s:
        case tag::strike:
            s.strike = true;
            break;
        case tag::tt:
        case tag::code:
        case tag::kbd:
            s.font.face = "Courier New";
            s.font.size = scaled(s.font.size, 0.8125);
            break;
        case tag::small:
            s.font.size = scaled(s.font.size, 5.0 / 6.0);
            break;
        case tag::big:
            s.font.size = scaled(s.font.size, 1.2);
            break;
        default:
            break;
    }
    if (e.kind == tag::p || e.kind == tag::div || is_heading(e.kind))
        if (auto a = parse_align(e.attr("align"))) s.align = *a;
    if (s.font.size < 1) s.font.size = 1;
    if (s.font.size > kMaxFontSize) s.font.size = kMaxFontSize;
    return s;
}

}  // namespace html
