// The HTML engine end to end over any bytes: tokenizing, parsing, computed styles, layout with
// the fixed test metrics, painting, hit testing and selection. Besides ending normally (no
// crash, no UBSan report), each step keeps its invariants: a bounded number of tokens, a tree
// whose links agree, font sizes inside their bounds, lines stacked without overlap, every
// coordinate far from int overflow, fragments inside the page's text, painting that draws only
// the page's own text, and a layout that is the same when made twice.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "core/html/document.h"
#include "core/html/hit_test.h"
#include "core/html/paint.h"
#include "core/html/parser.h"
#include "core/html/style.h"
#include "core/html/tokenizer.h"
#include "core/text/encoding.h"
#include "fuzz_support.h"

using namespace html;

namespace {

// Coordinates this far from zero would already be nonsense on any screen; past it sums of a
// few of them could overflow.
constexpr long long kFar = 1LL << 29;

bool near(long long v) {
    return v > -kFar && v < kFar;
}

void check_tokens(std::string_view page) {
    tokenizer t(page);
    token tok;
    std::size_t count = 0;
    while (t.next(tok)) {
        fuzz::check(++count <= page.size(), "more tokens than bytes");
        for (char c : tok.name) fuzz::check(!(c >= 'A' && c <= 'Z'), "tag name not lower case");
    }
    fuzz::check(tok.kind == token_kind::end_of_input, "tokenizer ended without end_of_input");
}

void check_tree(const dom& d) {
    fuzz::check(!d.nodes.empty() && d.nodes[0].kind == tag::document, "no document root");
    const int count = static_cast<int>(d.nodes.size());
    for (int i = 1; i < count; ++i) {
        const node& n = d.nodes[static_cast<std::size_t>(i)];
        fuzz::check(n.parent >= 0 && n.parent < i, "parent index out of order");
        int depth = 0;
        for (int p = n.parent; p > 0; p = d.nodes[static_cast<std::size_t>(p)].parent) ++depth;
        fuzz::check(depth <= kMaxDepth + 1, "tree deeper than the parser allows");
        if (n.link >= 0) fuzz::check(n.link < static_cast<int>(d.links.size()), "bad link index");
        if (n.checkbox >= 0)
            fuzz::check(n.checkbox < static_cast<int>(d.checkboxes.size()), "bad checkbox index");
    }
    for (int i = 0; i < count; ++i)
        for (int child : d.children(i))
            fuzz::check(
                child > 0 && child < count && d.nodes[static_cast<std::size_t>(child)].parent == i,
                "child whose parent is another");
}

void check_styles(const dom& d, int index, const computed_style& parent, const page_colors& c) {
    for (int child : d.children(index)) {
        const node& n = d.nodes[static_cast<std::size_t>(child)];
        if (n.kind == tag::text) continue;
        const computed_style s = compute_style(n, parent, c);
        fuzz::check(s.font.size >= 1 && s.font.size <= kMaxFontSize, "font size out of bounds");
        fuzz::check(near(s.margin_top) && near(s.margin_bottom) && near(s.indent_left) &&
                        near(s.indent_right),
                    "margin out of bounds");
        check_styles(d, child, s, c);
    }
}

void check_layout(const layout& l, std::size_t page_size) {
    fuzz::check(near(l.height) && l.height >= 0, "page height out of bounds");
    fuzz::check(l.fragments.size() <= 4 * page_size + 16, "more fragments than the page allows");
    for (std::size_t i = 0; i < l.lines.size(); ++i) {
        const line_box& line = l.lines[i];
        fuzz::check(near(line.y) && line.height >= 0 && near(line.height), "line out of bounds");
        fuzz::check(line.baseline >= 0 && line.baseline <= line.height,
                    "baseline outside its line");
        if (i > 0) fuzz::check(line.y >= l.lines[i - 1].y + l.lines[i - 1].height, "lines overlap");
        fuzz::check(line.first >= 0 && line.count >= 0 &&
                        static_cast<std::size_t>(line.first) + line.count <= l.fragments.size(),
                    "line holds fragments it has not");
    }
    for (const fragment& f : l.fragments) {
        fuzz::check(near(f.x) && near(f.width) && f.width >= 0 && near(f.top) && near(f.height),
                    "fragment out of bounds");
        fuzz::check(std::size_t{f.text_start} + f.text_length <= l.text.size(),
                    "fragment past the text");
        if (f.kind != fragment_kind::rule && f.kind != fragment_kind::image)
            fuzz::check(f.style >= 0 && static_cast<std::size_t>(f.style) < l.styles.size(),
                        "fragment with a style that is not there");
    }
    for (const font_choice& f : l.fonts)
        fuzz::check(f.size >= 1 && f.size <= kMaxFontSize, "layout font out of bounds");
}

// Draws nothing; checks that what it is asked to draw belongs to the page.
class checking_painter final : public painter {
public:
    explicit checking_painter(const layout& l) : l_(l) {}
    void fill_rect(const rect& r, rgb) override { check_rect(r); }
    void draw_text(int x, int baseline, const font_choice& font, rgb,
                   std::string_view text) override {
        fuzz::check(near(x) && near(baseline), "text drawn far away");
        fuzz::check(font.size >= 1 && font.size <= kMaxFontSize, "text drawn in a huge font");
        fuzz::check(text.empty() || l_.text.find(text) != std::string::npos,
                    "painted text that the page does not hold", text);
    }
    void draw_checkbox(const rect& box, bool) override { check_rect(box); }
    void draw_image(const rect& where) override { check_rect(where); }
    void draw_focus(const rect& r) override { check_rect(r); }

private:
    static void check_rect(const rect& r) {
        fuzz::check(near(r.left) && near(r.top) && near(r.right) && near(r.bottom),
                    "rectangle far away");
    }
    const layout& l_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // The view's numbers come from the end of the input, the page from the rest.
    const int width = input.ConsumeIntegralInRange<int>(-20, 2000);
    const int scroll = input.ConsumeIntegralInRange<int>(-100, 200000);
    const int x = input.ConsumeIntegralInRange<int>(-50, 2100);
    const int y = input.ConsumeIntegralInRange<int>(-50, 200000);
    const std::string page = input.ConsumeRemainingBytesAsString();

    check_tokens(page);
    document d = document::from_bytes(page);
    check_tree(d.tree);
    const page_colors colors = colors_of(d.tree);
    check_styles(d.tree, 0, root_style(colors), colors);

    fixed_font_metrics metrics;
    d.lay_out(width, metrics);
    const layout& l = d.boxes;
    check_layout(l, page.size());
    fuzz::check(dump(l) == dump(lay_out(d.tree, width, metrics)), "layout not repeatable");

    view_state view;
    view.width = width;
    view.height = 600;
    view.scroll_y = scroll;
    view.checks = &d.checks;
    view.selection_from = start_position(l);
    view.selection_to = position_at(l, x, y, metrics);
    checking_painter p(l);
    paint(l, view, p, metrics);

    const int link = link_at(l, x, y);
    fuzz::check(link < static_cast<int>(d.tree.links.size()), "link index past the links");
    const int box = checkbox_at(l, x, y);
    if (box >= 0) {
        const bool before = d.checks[static_cast<std::size_t>(box)];
        d.toggle(box);
        fuzz::check(d.checks[static_cast<std::size_t>(box)] != before, "toggle changed nothing");
    }
    const std::string selected = selected_text(l, view.selection_from, view.selection_to);
    fuzz::check(text::is_valid_utf8(selected), "selected text is not UTF-8");
    fuzz::check(selected.size() <= 2 * l.text.size() + 2 * l.lines.size(), "selection too long");
    return 0;
}
