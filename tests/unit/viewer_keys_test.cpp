#include "core/viewer/view_keys.h"

#include <gtest/gtest.h>

#include "core/html/font_metrics.h"
#include "core/html/parser.h"

using namespace viewer;

TEST(ViewerScrolling, RequestsMoveByLinesAndPagesWithinTheEnds) {
    struct row {
        scroll_request request;
        int from, view_height, max_scroll, expected;
    };
    const row rows[] = {
        {scroll_request::line_down, 0, 300, 1000, 20},
        {scroll_request::line_up, 10, 300, 1000, 0},       // not above the top
        {scroll_request::page_down, 100, 300, 1000, 380},  // a page keeps one line in view
        {scroll_request::page_up, 500, 300, 1000, 220},
        {scroll_request::page_down, 0, 30, 1000, 20},       // a tiny view pages one line
        {scroll_request::page_down, 900, 300, 1000, 1000},  // not below the bottom
        {scroll_request::bottom, 10, 300, 1000, 1000},
        {scroll_request::top, 700, 300, 1000, 0},
        {scroll_request::line_down, 0, 300, 0, 0},  // a page shorter than the view
    };
    for (const row& r : rows)
        EXPECT_EQ(scrolled_position(r.request, r.from, r.view_height, r.max_scroll), r.expected)
            << static_cast<int>(r.request) << " from " << r.from;
}

TEST(ViewerScrolling, WheelScrollsWholeNotchesAndKeepsTheRest) {
    int rest = 0;
    EXPECT_EQ(wheel_scroll(rest, 60, 3, false, 300), 0);  // half a notch waits
    EXPECT_EQ(wheel_scroll(rest, 60, 3, false, 300), -60);
    EXPECT_EQ(rest, 0);
    EXPECT_EQ(wheel_scroll(rest, -250, 3, false, 300), 120);  // two notches down, 10 kept
    EXPECT_EQ(rest, -10);
    rest = 0;
    EXPECT_EQ(wheel_scroll(rest, 120, 0, true, 300), -280);  // a page a notch
    EXPECT_EQ(wheel_scroll(rest, 240, 0, false, 300), 0);    // no lines a notch: nothing
    EXPECT_EQ(rest, 0);
}

TEST(ViewerKeys, EachKeyHasItsEffect) {
    struct row {
        view_key key;
        bool ctrl, shift;
        key_decision expected;
    };
    const auto scroll = [](scroll_request r) { return key_decision{key_effect::scroll, r}; };
    const row rows[] = {
        {view_key::up, false, false, scroll(scroll_request::line_up)},
        {view_key::down, false, false, scroll(scroll_request::line_down)},
        {view_key::page_up, false, false, scroll(scroll_request::page_up)},
        {view_key::page_down, false, false, scroll(scroll_request::page_down)},
        {view_key::space, false, false, scroll(scroll_request::page_down)},
        {view_key::space, false, true, scroll(scroll_request::page_up)},
        {view_key::home, true, false, scroll(scroll_request::top)},
        {view_key::end, false, false, scroll(scroll_request::bottom)},
        {view_key::tab, false, false, {key_effect::next_link}},
        {view_key::tab, false, true, {key_effect::previous_link}},
        {view_key::enter, false, false, {key_effect::follow_link}},
        {view_key::c, true, false, {key_effect::copy}},
        {view_key::c, false, false, {key_effect::none}},
        {view_key::a, true, false, {key_effect::select_all}},
        {view_key::a, false, true, {key_effect::none}},
        {view_key::other, true, true, {key_effect::none}},
    };
    for (const row& r : rows)
        EXPECT_EQ(decide_key(r.key, r.ctrl, r.shift), r.expected)
            << static_cast<int>(r.key) << " ctrl " << r.ctrl << " shift " << r.shift;
}

TEST(ViewerLinkFocus, TabGoesRoundTheLinksInOrder) {
    struct row {
        int focused;
        bool forward;
        int expected;
    };
    const std::vector<int> order = {2, 0, 1};  // as the page shows them
    const row rows[] = {
        {-1, true, 2}, {-1, false, 1}, {2, true, 0}, {0, true, 1},
        {1, true, 2},  {2, false, 1},  {7, true, 2},  // a link of an earlier page counts as none
    };
    for (const row& r : rows)
        EXPECT_EQ(next_focused_link(order, r.focused, r.forward), r.expected)
            << r.focused << (r.forward ? " forwards" : " backwards");
    EXPECT_EQ(next_focused_link({}, -1, true), -1);
}

namespace {

struct page {
    html::fixed_font_metrics metrics;
    html::dom tree;
    html::layout boxes;
    explicit page(std::string_view text, int width)
        : tree(html::parse(text)), boxes(html::lay_out(tree, width, metrics)) {}

    const html::line_box& line_of_link(int link) const {
        for (const html::line_box& line : boxes.lines)
            for (int k = line.first; k < line.first + line.count; ++k)
                if (boxes.fragments[static_cast<std::size_t>(k)].link == link) return line;
        ADD_FAILURE() << "no line holds link " << link;
        return boxes.lines.front();
    }
};

}  // namespace

TEST(ViewerLinkFocus, LinksAreOrderedOnceEachAsLaidOut) {
    // The first link wraps over several lines: it is still listed once, before the others.
    const page p(
        "<body><a href='a.htm'>one two three four five six seven eight nine ten</a> "
        "<a href='b.htm'>b</a><p><a href='c.htm'>c</a></body>",
        60);
    ASSERT_EQ(p.tree.links.size(), 3u);
    ASSERT_NE(p.line_of_link(0).y, p.line_of_link(1).y);
    EXPECT_EQ(link_order(p.boxes, p.tree.links.size()), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(link_order(html::layout{}, 0).empty());
}

TEST(ViewerLinkFocus, AFocusedLinkIsScrolledIntoView) {
    std::string body = "<body><a href='top.htm'>top</a>";
    for (int i = 0; i < 40; ++i) body += "<p>line</p>";
    body += "<a href='bottom.htm'>bottom</a></body>";
    const page p(body, 400);
    const html::line_box& top = p.line_of_link(0);
    const html::line_box& bottom = p.line_of_link(1);
    const int view = 200;
    ASSERT_GT(bottom.y, view);
    struct row {
        int link, scroll_y, expected;
    };
    const row rows[] = {
        {1, 0, bottom.y + bottom.height - view},  // below: its bottom at the view's bottom
        {0, bottom.y, top.y},                     // above: its top at the view's top
        {0, 0, 0},                                // in view: no scrolling
        {5, 40, 40},                              // no such link: no scrolling
    };
    for (const row& r : rows)
        EXPECT_EQ(scroll_showing_link(p.boxes, r.link, r.scroll_y, view), r.expected)
            << "link " << r.link << " from " << r.scroll_y;
}
