#include "core/html/style.h"

#include <array>
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

// What a tag does to the style it inherits: the engine's default style sheet. Margins are
// set in pixels or in the element's own font size (after the tag has changed it).
struct style_rule {
    tag kind = tag::unknown;
    display_kind display = display_kind::inline_box;
    const char* face = nullptr;  // the font family, when the tag sets one
    int size_px = 0;             // a font size of its own, when not 0
    double size_factor = 1.0;    // otherwise the inherited size times this
    double margin_em = 0;        // margins above and below, in font sizes
    int margin_px = 0;           // or in pixels
    int indent_left = 0;
    int indent_right = 0;
    bool bold = false, italic = false, underline = false, strike = false;
    bool preformatted = false, centred = false;
    bool page_text = false;        // the page's text colour (the body)
    bool link_when_href = false;   // with an href: the page's link colour, underlined
    bool font_attributes = false;  // the color, face and size attributes of <font>
    bool align_attribute = false;  // the align attribute of paragraphs, divisions and headings
};

using d = display_kind;
constexpr const char* kMonospace = "Courier New";

constexpr style_rule kDefaultSheet[] = {
    {.kind = tag::document, .display = d::block},
    {.kind = tag::html, .display = d::block},
    {.kind = tag::body,
     .display = d::block,
     .margin_px = 8,
     .indent_left = 8,
     .indent_right = 8,
     .page_text = true},
    {.kind = tag::head, .display = d::none},
    {.kind = tag::title, .display = d::none},
    {.kind = tag::meta, .display = d::none},
    {.kind = tag::link, .display = d::none},
    {.kind = tag::script, .display = d::none},
    {.kind = tag::style, .display = d::none},
    {.kind = tag::p, .display = d::block, .margin_em = 1, .align_attribute = true},
    {.kind = tag::div, .display = d::block, .align_attribute = true},
    {.kind = tag::center, .display = d::block, .centred = true},
    {.kind = tag::blockquote,
     .display = d::block,
     .margin_em = 1,
     .indent_left = 40,
     .indent_right = 40},
    {.kind = tag::pre,
     .display = d::block,
     .face = kMonospace,
     .size_px = 13,
     .margin_px = 13,
     .preformatted = true},
    {.kind = tag::hr, .display = d::block, .margin_px = 8},
    {.kind = tag::h1,
     .display = d::block,
     .size_factor = 2.0,
     .margin_em = 0.67,
     .bold = true,
     .align_attribute = true},
    {.kind = tag::h2,
     .display = d::block,
     .size_factor = 1.5,
     .margin_em = 0.83,
     .bold = true,
     .align_attribute = true},
    {.kind = tag::h3,
     .display = d::block,
     .size_factor = 1.17,
     .margin_em = 1.0,
     .bold = true,
     .align_attribute = true},
    {.kind = tag::h4,
     .display = d::block,
     .size_factor = 1.0,
     .margin_em = 1.33,
     .bold = true,
     .align_attribute = true},
    {.kind = tag::h5,
     .display = d::block,
     .size_factor = 0.83,
     .margin_em = 1.67,
     .bold = true,
     .align_attribute = true},
    {.kind = tag::h6,
     .display = d::block,
     .size_factor = 0.67,
     .margin_em = 2.33,
     .bold = true,
     .align_attribute = true},
    {.kind = tag::ol, .display = d::block, .margin_em = 1, .indent_left = 40},
    {.kind = tag::ul, .display = d::block, .margin_em = 1, .indent_left = 40},
    {.kind = tag::dl, .display = d::block, .margin_em = 1},
    {.kind = tag::li, .display = d::list_item},
    {.kind = tag::dt, .display = d::block},
    {.kind = tag::dd, .display = d::block, .indent_left = 40},
    {.kind = tag::a, .link_when_href = true},
    {.kind = tag::font, .font_attributes = true},
    {.kind = tag::b, .bold = true},
    {.kind = tag::strong, .bold = true},
    {.kind = tag::i, .italic = true},
    {.kind = tag::em, .italic = true},
    {.kind = tag::u, .underline = true},
    {.kind = tag::s, .strike = true},
    {.kind = tag::strike, .strike = true},
    {.kind = tag::tt, .face = kMonospace, .size_factor = 0.8125},
    {.kind = tag::code, .face = kMonospace, .size_factor = 0.8125},
    {.kind = tag::kbd, .face = kMonospace, .size_factor = 0.8125},
    {.kind = tag::small, .size_factor = 5.0 / 6.0},
    {.kind = tag::big, .size_factor = 1.2},
};

constexpr std::size_t kTagCount = static_cast<std::size_t>(tag::unknown) + 1;

// The sheet by tag; a tag it does not name only inherits.
constexpr std::array<style_rule, kTagCount> kRuleOfTag = [] {
    std::array<style_rule, kTagCount> rules{};
    for (const style_rule& r : kDefaultSheet) rules[static_cast<std::size_t>(r.kind)] = r;
    return rules;
}();

void apply_font_attributes(const node& e, computed_style& s) {
    if (const std::string* v = e.attr("color")) s.color = parse_color(*v).value_or(s.color);
    if (const std::string* v = e.attr("face")) {
        const std::string face = first_face(*v);
        if (!face.empty()) s.font.face = face;
    }
    if (const std::string* v = e.attr("size"))
        if (auto n = parse_font_size(*v)) s.font.size = kFontSizes[*n - 1];
}

void apply_rule(const style_rule& r, const node& e, const page_colors& colors, computed_style& s) {
    s.display = r.display;
    if (r.face) s.font.face = r.face;
    if (r.size_px)
        s.font.size = r.size_px;
    else if (r.size_factor != 1.0)
        s.font.size = scaled(s.font.size, r.size_factor);
    s.margin_top = s.margin_bottom = r.margin_em ? scaled(s.font.size, r.margin_em) : r.margin_px;
    s.indent_left = r.indent_left;
    s.indent_right = r.indent_right;
    s.font.bold = s.font.bold || r.bold;
    s.font.italic = s.font.italic || r.italic;
    s.underline = s.underline || r.underline;
    s.strike = s.strike || r.strike;
    s.preformatted = s.preformatted || r.preformatted;
    if (r.centred) s.align = align_kind::center;
    if (r.page_text) s.color = colors.text;
    if (r.link_when_href && e.attr("href")) {
        s.color = colors.link;
        s.underline = true;
    }
    if (r.font_attributes) apply_font_attributes(e, s);
    if (r.align_attribute)
        if (auto a = parse_align(e.attr("align"))) s.align = *a;
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
    apply_rule(kRuleOfTag[static_cast<std::size_t>(e.kind)], e, colors, s);
    if (s.font.size < 1) s.font.size = 1;
    if (s.font.size > kMaxFontSize) s.font.size = kMaxFontSize;
    return s;
}

}  // namespace html
