#include "core/html/hit_test.h"

#include <gtest/gtest.h>

#include "core/html/parser.h"

using namespace html;

namespace {

struct page {
    mutable fixed_font_metrics metrics;  // first: the layout below measures with it
    dom tree;
    layout boxes;
    explicit page(std::string_view html, int width = 400)
        : tree(parse(html)), boxes(lay_out(tree, width, metrics)) {}

    const fragment& nth(fragment_kind kind, int n = 0) const {
        for (const fragment& f : boxes.fragments)
            if (f.kind == kind && n-- == 0) return f;
        ADD_FAILURE() << "no such fragment";
        return boxes.fragments.front();
    }
    const line_box& line_of(const fragment& f) const {
        const int index = static_cast<int>(&f - boxes.fragments.data());
        for (const line_box& b : boxes.lines)
            if (index >= b.first && index < b.first + b.count) return b;
        return boxes.lines.front();
    }
    int mid_y(const fragment& f) const { return line_of(f).y + line_of(f).height / 2; }
};

}  // namespace

TEST(HtmlHitTest, LinkUnderWordsAndTheSpacesBetweenThem) {
    const page p("<body>plain <a href='x.htm'>two words</a> after</body>");
    const fragment& link_word = p.nth(fragment_kind::text, 1);
    const int y = p.mid_y(link_word);
    EXPECT_EQ(link_at(p.boxes, link_word.x, y), 0);
    EXPECT_EQ(link_at(p.boxes, link_word.x + link_word.width - 1, y), 0);
    const fragment& inner_space = p.nth(fragment_kind::space, 1);
    EXPECT_EQ(link_at(p.boxes, inner_space.x + 1, y), 0);
    EXPECT_EQ(link_at(p.boxes, p.nth(fragment_kind::text, 0).x, y), -1);
    EXPECT_EQ(link_at(p.boxes, p.nth(fragment_kind::text, 3).x, y), -1);
    EXPECT_EQ(link_at(p.boxes, link_word.x, y + 1000), -1);
    EXPECT_EQ(link_at(p.boxes, 2, y), -1);  // in the body margin
}

TEST(HtmlHitTest, CheckBoxUnderItsBox) {
    const page p("<body>a <input type=checkbox> b <input type=checkbox></body>");
    const fragment& second = p.nth(fragment_kind::checkbox, 1);
    EXPECT_EQ(checkbox_at(p.boxes, second.x + kCheckboxMarginLeft + 2, p.mid_y(second)), 1);
    EXPECT_EQ(checkbox_at(p.boxes, p.nth(fragment_kind::checkbox).x + 5, p.mid_y(second)), 0);
    EXPECT_EQ(checkbox_at(p.boxes, p.nth(fragment_kind::text).x, p.mid_y(second)), -1);
}

TEST(HtmlHitTest, LineAtFindsBandsAndGaps) {
    const page p("<body><p>one</p><p>two</p></body>");
    ASSERT_EQ(p.boxes.lines.size(), 2u);
    const line_box& first = p.boxes.lines[0];
    const line_box& second = p.boxes.lines[1];
    EXPECT_EQ(line_at(p.boxes, first.y), 0);
    EXPECT_EQ(line_at(p.boxes, first.y + first.height - 1), 0);
    EXPECT_EQ(line_at(p.boxes, first.y + first.height), -1);  // the paragraph gap
    EXPECT_EQ(line_at(p.boxes, second.y), 1);
    EXPECT_EQ(line_at(p.boxes, -5), -1);
}

TEST(HtmlHitTest, PositionPicksTheNearestCharacterBoundary) {
    const page p("<body>abcd</body>");
    const fragment& f = p.nth(fragment_kind::text);
    const int cw = f.width / 4;
    const int y = p.mid_y(f);
    EXPECT_EQ(position_at(p.boxes, f.x + cw + cw / 2 - 1, y, p.metrics).offset, 1u);
    EXPECT_EQ(position_at(p.boxes, f.x + cw + cw / 2, y, p.metrics).offset, 2u);
    EXPECT_EQ(position_at(p.boxes, 0, y, p.metrics).offset, 0u);
    EXPECT_EQ(position_at(p.boxes, 399, y, p.metrics).offset, 4u);
}

TEST(HtmlHitTest, PositionAboveAndBelowThePage) {
    const page p("<body>first line<br>last line</body>");
    EXPECT_EQ(position_at(p.boxes, 50, -100, p.metrics), start_position(p.boxes));
    const text_position end = position_at(p.boxes, 0, 100000, p.metrics);
    EXPECT_EQ(end.line, 1);
    EXPECT_EQ(end, end_position(p.boxes));
    EXPECT_EQ(selected_text(p.boxes, start_position(p.boxes), end), "first line\r\nlast line");
}

TEST(HtmlHitTest, PositionsInsideMultiByteCharacters) {
    const page p("<body>\xC3\xA9t\xC3\xA9</body>");  // "été"
    const fragment& f = p.nth(fragment_kind::text);
    const int cw = f.width / 3;
    const text_position mid = position_at(p.boxes, f.x + cw + cw / 2 + 1, p.mid_y(f), p.metrics);
    EXPECT_EQ(mid.offset, 3u);  // after "ét", never inside a character
    EXPECT_EQ(x_of(p.boxes, mid, p.metrics), f.x + 2 * cw);
    EXPECT_EQ(selected_text(p.boxes, start_position(p.boxes), mid), "\xC3\xA9t");
}

TEST(HtmlHitTest, SelectedTextJoinsWrappedLinesWithASpace) {
    fixed_font_metrics m;
    const int cw = m.text_width(font_choice{}, "x");
    const page p("<body>aaa bbb</body>", 16 + 4 * cw);
    ASSERT_EQ(p.boxes.lines.size(), 2u);
    EXPECT_EQ(selected_text(p.boxes, start_position(p.boxes), end_position(p.boxes)), "aaa bbb");
}

TEST(HtmlHitTest, SelectedTextLeavesOutMarkersAndBoxesAndWorksBackwards) {
    // The space after the check box is text; the box and the number are not.
    const page p(
        "<body><ol><li><input type=checkbox> <a href=x.bat>file:3</a>: <b>oops</b></ol>"
        "<p>next</p></body>");
    const text_position from = start_position(p.boxes), to = end_position(p.boxes);
    EXPECT_EQ(selected_text(p.boxes, from, to), " file:3: oops\r\nnext");
    EXPECT_EQ(selected_text(p.boxes, to, from), " file:3: oops\r\nnext");
    EXPECT_EQ(selected_text(p.boxes, from, from), "");
}

TEST(HtmlHitTest, PartialSelectionInsideWords) {
    const page p("<body>hello world</body>");
    const fragment& hello = p.nth(fragment_kind::text, 0);
    const fragment& world = p.nth(fragment_kind::text, 1);
    const int cw = hello.width / 5;
    const text_position a = position_at(p.boxes, hello.x + 2 * cw, p.mid_y(hello), p.metrics);
    const text_position b = position_at(p.boxes, world.x + 3 * cw, p.mid_y(world), p.metrics);
    EXPECT_EQ(selected_text(p.boxes, a, b), "llo wor");
}

TEST(HtmlHitTest, EmptyPage) {
    const page p("");
    fixed_font_metrics m;
    EXPECT_EQ(link_at(p.boxes, 0, 0), -1);
    EXPECT_EQ(position_at(p.boxes, 10, 10, m), text_position{});
    EXPECT_EQ(selected_text(p.boxes, start_position(p.boxes), end_position(p.boxes)), "");
}
