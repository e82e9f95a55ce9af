// Pages made of random pieces of markup: whatever the bytes, parsing, layout, hit testing and
// selection end normally and keep their invariants.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/html/document.h"
#include "core/html/hit_test.h"
#include "core/html/paint.h"
#include "core/text/encoding.h"

using namespace html;

namespace {

const char* const kPieces[] = {
    "<",
    ">",
    "</",
    "/>",
    "b",
    "li",
    "ol",
    "h2",
    "h3",
    "font",
    "a",
    "href=",
    "'x.htm'",
    "\"",
    "'",
    "=",
    " ",
    "\n",
    "\r\n",
    "\t",
    "&",
    "&nbsp;",
    "&#",
    "x",
    ";",
    "#FAE6E6",
    "color=red",
    "<br>",
    "<input type=checkbox>",
    "<pre>",
    "</pre>",
    "<!--",
    "-->",
    "<script>",
    "\xC3\xA9",
    "\xE2\x80",
    "\xFF",
    "word",
    "longwordwithoutanyspaceatall",
    "<p>",
    "<hr>",
    "<center>",
    "\0",
};

class null_painter final : public painter {
public:
    void fill_rect(const rect&, rgb) override {}
    void draw_text(int, int, const font_choice&, rgb, std::string_view) override {}
    void draw_checkbox(const rect&, bool) override {}
    void draw_image(const rect&) override {}
    void draw_focus(const rect&) override {}
};

}  // namespace

TEST(HtmlRobustness, RandomMarkupNeverBreaksTheEngine) {
    std::mt19937 random(20240601);
    fixed_font_metrics metrics;
    null_painter painter;
    for (int round = 0; round < 400; ++round) {
        std::string page;
        const int pieces = static_cast<int>(random() % 200);
        for (int i = 0; i < pieces; ++i) {
            const char* piece = kPieces[random() % std::size(kPieces)];
            page += *piece ? std::string(piece) : std::string(1, '\0');
        }
        document d = document::from_bytes(page);
        const int width = static_cast<int>(random() % 400) - 20;
        d.lay_out(width, metrics);
        const layout& l = d.boxes;
        for (std::size_t i = 1; i < l.lines.size(); ++i)
            ASSERT_GE(l.lines[i].y, l.lines[i - 1].y + l.lines[i - 1].height) << page;
        for (const fragment& f : l.fragments) {
            ASSERT_LE(f.text_start + f.text_length, l.text.size());
            if (f.link >= 0) {
                ASSERT_LT(f.link, static_cast<int>(d.tree.links.size()));
            }
            if (f.checkbox >= 0) {
                ASSERT_LT(f.checkbox, static_cast<int>(d.checks.size()));
            }
        }
        const text_position a = position_at(l, static_cast<int>(random() % 300),
                                            static_cast<int>(random() % 600), metrics);
        const text_position b = position_at(l, static_cast<int>(random() % 300),
                                            static_cast<int>(random() % 600), metrics);
        ASSERT_TRUE(text::is_valid_utf8(selected_text(l, a, b))) << page;
        ASSERT_TRUE(text::is_valid_utf8(selected_text(l, start_position(l), end_position(l))));
        view_state v;
        v.width = 300;
        v.height = 200;
        v.scroll_y = static_cast<int>(random() % 500);
        v.checks = &d.checks;
        v.selection_from = a;
        v.selection_to = b;
        paint(l, v, painter, metrics);
        link_at(l, static_cast<int>(random() % 300), static_cast<int>(random() % 600));
    }
}
