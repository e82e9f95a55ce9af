#include "core/html/style.h"

#include <gtest/gtest.h>

#include "core/html/parser.h"

using namespace html;

namespace {

// The computed style of the first element of this kind in the page.
computed_style style_of(std::string_view page, tag kind) {
    const dom d = parse(page);
    const page_colors colors = colors_of(d);
    // Walk down from the root, computing styles along the way.
    std::vector<std::pair<int, computed_style>> stack{{0, root_style(colors)}};
    while (!stack.empty()) {
        auto [index, style] = stack.back();
        stack.pop_back();
        std::vector<int> children;
        for (int child : d.children(index)) children.push_back(child);
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            const node& n = d.nodes[static_cast<std::size_t>(*it)];
            if (n.kind == tag::text) continue;
            const computed_style s = compute_style(n, style, colors);
            if (n.kind == kind) return s;
            stack.emplace_back(*it, s);
        }
    }
    ADD_FAILURE() << "no such element";
    return {};
}

}  // namespace

TEST(HtmlColor, HexAndNames) {
    EXPECT_EQ(parse_color("#FAE6E6"), 0xFAE6E6u);
    EXPECT_EQ(parse_color(" #fae6e6 "), 0xFAE6E6u);
    EXPECT_EQ(parse_color("#f0a"), 0xFF00AAu);
    EXPECT_EQ(parse_color("FAE6E6"), 0xFAE6E6u);
    EXPECT_EQ(parse_color("red"), 0xFF0000u);
    EXPECT_EQ(parse_color("Red"), 0xFF0000u);
    EXPECT_EQ(parse_color("aqua"), 0x00FFFFu);
    EXPECT_EQ(parse_color("grey"), parse_color("gray"));
}

TEST(HtmlColor, AnythingElseIsNoColour) {
    EXPECT_FALSE(parse_color(""));
    EXPECT_FALSE(parse_color("#"));
    EXPECT_FALSE(parse_color("#12345"));
    EXPECT_FALSE(parse_color("#gg0000"));
    EXPECT_FALSE(parse_color("reddish"));
    EXPECT_FALSE(parse_color("#1234567"));
    EXPECT_FALSE(parse_color("bad"));  // three digits only with the hash sign
}

TEST(HtmlStyle, BodyColoursApplyToThePage) {
    const dom d = parse("<body bgcolor='#FAE6E6' text=navy link=#008000>x</body>");
    const page_colors c = colors_of(d);
    EXPECT_EQ(c.background, 0xFAE6E6u);
    EXPECT_EQ(c.text, 0x000080u);
    EXPECT_EQ(c.link, 0x008000u);
    EXPECT_EQ(colors_of(parse("<body bgcolor=nonsense>")).background, kWhite);
}

TEST(HtmlStyle, FontElementSetsColourFaceAndSize) {
    const computed_style s =
        style_of("<font color='red' face=\"'Arial', Helvetica\" size=+2>x</font>", tag::font);
    EXPECT_EQ(s.color, 0xFF0000u);
    EXPECT_EQ(s.font.face, "Arial");
    EXPECT_EQ(s.font.size, 24);
    EXPECT_EQ(style_of("<font size=1>x</font>", tag::font).font.size, 10);
    EXPECT_EQ(style_of("<font size=99>x</font>", tag::font).font.size, 48);
    EXPECT_EQ(style_of("<font size=-9>x</font>", tag::font).font.size, 10);
    EXPECT_EQ(style_of("<font size=big color=bad>x</font>", tag::font).font.size, 16);
    EXPECT_EQ(style_of("<font color=bad>x</font>", tag::font).color, kBlack);
}

TEST(HtmlStyle, HeadingsAreBoldAndScaledFromTheirParent) {
    const computed_style h2 = style_of("<h2>x</h2>", tag::h2);
    EXPECT_TRUE(h2.font.bold);
    EXPECT_EQ(h2.font.size, 24);
    EXPECT_EQ(h2.display, display_kind::block);
    EXPECT_EQ(style_of("<font size=1><h2>x</h2></font>", tag::h2).font.size, 15);
    EXPECT_EQ(style_of("<h3>x</h3>", tag::h3).font.size, 19);
}

TEST(HtmlStyle, InlineElementsInheritAndAdd) {
    const computed_style s = style_of("<b><i><u>x</u></i></b>", tag::u);
    EXPECT_TRUE(s.font.bold);
    EXPECT_TRUE(s.font.italic);
    EXPECT_TRUE(s.underline);
    EXPECT_EQ(s.display, display_kind::inline_box);
    const computed_style link = style_of("<a href='x'>x</a>", tag::a);
    EXPECT_TRUE(link.underline);
    EXPECT_EQ(link.color, 0x0000EEu);
    EXPECT_FALSE(style_of("<a name='x'>x</a>", tag::a).underline);
}

TEST(HtmlStyle, ListsIndentAndHeadIsHidden) {
    EXPECT_EQ(style_of("<ol><li>x</ol>", tag::ol).indent_left, 40);
    EXPECT_EQ(style_of("<ol><li>x</ol>", tag::li).display, display_kind::list_item);
    EXPECT_EQ(style_of("<head><title>t</title></head>", tag::head).display, display_kind::none);
}
