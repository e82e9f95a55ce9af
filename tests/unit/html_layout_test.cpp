#include "core/html/layout.h"

#include <gtest/gtest.h>

#include "core/html/document.h"
#include "core/html/parser.h"
#include "core/html/style.h"
#include "html_golden.h"

using namespace html;

namespace {

// The body's margin on each side.
constexpr int kBodyMargin = 8;

struct laid_out {
    dom tree;
    layout boxes;
};

laid_out lay(std::string_view page, int width) {
    fixed_font_metrics metrics;
    laid_out out;
    out.tree = parse(page);
    out.boxes = lay_out(out.tree, width, metrics);
    return out;
}

// The words of one line, joined by "|" (spaces show as " ").
std::string line_words(const layout& l, std::size_t line) {
    std::string out;
    const line_box& b = l.lines.at(line);
    for (int k = b.first; k < b.first + b.count; ++k) {
        const fragment& f = l.fragments[static_cast<std::size_t>(k)];
        if (f.kind != fragment_kind::text) continue;
        if (!out.empty()) out += "|";
        out += l.text_of(f);
    }
    return out;
}

int default_char_width() {
    fixed_font_metrics m;
    return m.text_width(font_choice{}, "x");
}

}  // namespace

TEST(HtmlLayout, WrapsAtTheLastSpaceThatFits) {
    const int cw = default_char_width();
    // "aaa bbb" is exactly as wide as the line; "ccc" has to go to the next line.
    const int width = 2 * kBodyMargin + 7 * cw;
    auto page = lay("<body>aaa bbb ccc</body>", width);
    ASSERT_EQ(page.boxes.lines.size(), 2u);
    EXPECT_EQ(line_words(page.boxes, 0), "aaa|bbb");
    EXPECT_EQ(line_words(page.boxes, 1), "ccc");
    EXPECT_FALSE(page.boxes.lines[0].hard_end);
    EXPECT_TRUE(page.boxes.lines[1].hard_end);
    // One pixel less and "bbb" no longer fits either.
    page = lay("<body>aaa bbb ccc</body>", width - 1);
    ASSERT_EQ(page.boxes.lines.size(), 3u);
}

TEST(HtmlLayout, SpacesCollapseAndNoneStartsOrEndsALine) {
    const auto page = lay("<body>  a \r\n\t b  <br>   c   </body>", 400);
    ASSERT_EQ(page.boxes.lines.size(), 2u);
    const line_box& first = page.boxes.lines[0];
    ASSERT_EQ(first.count, 3);  // a, space, b
    EXPECT_EQ(page.boxes.fragments[0].x, kBodyMargin);
    EXPECT_EQ(page.boxes.fragments[1].kind, fragment_kind::space);
    EXPECT_EQ(page.boxes.lines[1].count, 1);
}

TEST(HtmlLayout, NonBreakingSpacesNeitherCollapseNorBreak) {
    const int cw = default_char_width();
    const auto page = lay("<body>aaaa&nbsp;&nbsp;bbbb</body>", 2 * kBodyMargin + 6 * cw);
    // Ten characters in one unbreakable word, wider than the line: split between characters.
    ASSERT_EQ(page.boxes.lines.size(), 2u);
    EXPECT_EQ(line_words(page.boxes, 0), "aaaa\xC2\xA0\xC2\xA0");
    EXPECT_EQ(line_words(page.boxes, 1), "bbbb");
}

TEST(HtmlLayout, WordsOfDifferentStylesWithoutSpaceStayTogether) {
    const int cw = default_char_width();
    // "foo" and the wider bold "bar" fit a line together, but not after "xx ".
    const auto page = lay("<body>xx foo<b>bar</b></body>", 2 * kBodyMargin + 7 * cw);
    ASSERT_EQ(page.boxes.lines.size(), 2u);
    EXPECT_EQ(line_words(page.boxes, 0), "xx");
    EXPECT_EQ(line_words(page.boxes, 1), "foo|bar");
}

TEST(HtmlLayout, BreaksMakeEmptyLinesButATrailingBreakDoesNot) {
    const auto page = lay("<body>a<br><br>b<br></body>", 400);
    ASSERT_EQ(page.boxes.lines.size(), 3u);
    EXPECT_EQ(page.boxes.lines[1].count, 0);
    EXPECT_GT(page.boxes.lines[1].height, 0);
    EXPECT_EQ(line_words(page.boxes, 2), "b");
}

TEST(HtmlLayout, LinesStackWithoutGapsOrOverlap) {
    const auto page = lay(read_fixture("html\\report.htm"), 300);
    for (std::size_t i = 1; i < page.boxes.lines.size(); ++i)
        EXPECT_GE(page.boxes.lines[i].y,
                  page.boxes.lines[i - 1].y + page.boxes.lines[i - 1].height);
    const line_box& last = page.boxes.lines.back();
    EXPECT_EQ(page.boxes.height, last.y + last.height + kBodyMargin);
}

TEST(HtmlLayout, NoFragmentReachesPastTheLineUnlessItIsOneCharacter) {
    const auto page = lay(read_fixture("html\\report.htm"), 200);
    for (const line_box& b : page.boxes.lines)
        for (int k = b.first; k < b.first + b.count; ++k) {
            const fragment& f = page.boxes.fragments[static_cast<std::size_t>(k)];
            if (f.kind == fragment_kind::marker) continue;
            if (f.x + f.width > 200 - kBodyMargin) {
                EXPECT_EQ(f.text_length, 1u) << page.boxes.text_of(f);
            }
        }
}

TEST(HtmlLayout, AnyWidthEndsWithEveryWordPlaced) {
    for (int width : {-50, 0, 1, 17, 40}) {
        const auto page =
            lay("<body><ol><li>some words <b>here</b> and an "
                "<input type=checkbox> box</ol></body>",
                width);
        std::string text;
        for (const fragment& f : page.boxes.fragments)
            if (f.kind == fragment_kind::text) text += page.boxes.text_of(f);
        EXPECT_EQ(text, "somewordshereandanbox") << "width " << width;
    }
}

TEST(HtmlLayout, CheckBoxSitsOnTheBaselineAndRaisesTheLine) {
    fixed_font_metrics m;
    const font_extent e = m.extent(font_choice{});
    const auto page = lay("<body><input type=checkbox>x</body>", 300);
    ASSERT_EQ(page.boxes.lines.size(), 1u);
    const line_box& line = page.boxes.lines[0];
    const fragment& box = page.boxes.fragments[0];
    EXPECT_EQ(box.kind, fragment_kind::checkbox);
    EXPECT_EQ(box.width, kCheckboxMarginLeft + kCheckboxSize + kCheckboxMarginRight);
    EXPECT_EQ(line.baseline, std::max(e.ascent, kCheckboxSize + 2));
    EXPECT_EQ(box.top + box.height, line.baseline - 1);
    EXPECT_EQ(page.boxes.fragments[1].x, box.x + box.width);
}

TEST(HtmlLayout, OrderedListMarkersEndASpaceBeforeTheItem) {
    fixed_font_metrics m;
    const auto page = lay("<body><ol start=9><li>nine<li value=20>twenty<li>next</ol></body>", 400);
    std::vector<std::string> markers;
    for (const fragment& f : page.boxes.fragments) {
        if (f.kind != fragment_kind::marker) continue;
        markers.emplace_back(page.boxes.text_of(f));
        EXPECT_EQ(f.x + f.width + m.text_width(font_choice{}, " "), kBodyMargin + 40);
    }
    EXPECT_EQ(markers, (std::vector<std::string>{"9.", "20.", "21."}));
}

TEST(HtmlLayout, AnchorsGiveTheTopOfTheirLine) {
    const auto page =
        lay("<body><p>first</p><p><a name=target>second</a></p><div id=d></div>"
            "<h2 id=h>third</h2></body>",
            400);
    ASSERT_TRUE(page.boxes.anchor_y("target"));
    ASSERT_EQ(page.boxes.lines.size(), 3u);
    EXPECT_EQ(*page.boxes.anchor_y("target"), page.boxes.lines[1].y);
    EXPECT_EQ(*page.boxes.anchor_y("h"), page.boxes.lines[2].y);
    ASSERT_TRUE(page.boxes.anchor_y("d"));
    EXPECT_GE(*page.boxes.anchor_y("d"), page.boxes.lines[1].y + page.boxes.lines[1].height);
    EXPECT_FALSE(page.boxes.anchor_y("missing"));
}

TEST(HtmlLayout, HeadingClosedByTheWrongEndTagDoesNotSwallowThePage) {
    const auto page = lay("<h3>Title</h2><ol><li>entry</ol>", 400);
    ASSERT_EQ(page.boxes.lines.size(), 2u);
    const auto& entry =
        page.boxes.fragments[static_cast<std::size_t>(page.boxes.lines[1].first) + 1];
    const font_choice& f = page.boxes.fonts[static_cast<std::size_t>(
        page.boxes.styles[static_cast<std::size_t>(entry.style)].font)];
    EXPECT_FALSE(f.bold);
    EXPECT_EQ(f.size, font_choice{}.size);
}

TEST(HtmlLayout, PreformattedTextKeepsSpacesAndDoesNotWrap) {
    const auto page = lay("<pre>\na  b\n\tc</pre>", 40);
    ASSERT_EQ(page.boxes.lines.size(), 2u);
    EXPECT_EQ(line_words(page.boxes, 0), "a  b");
    EXPECT_EQ(line_words(page.boxes, 1), "        c");
}

TEST(HtmlLayout, CentredAndRightAlignedLines) {
    const int cw = default_char_width();
    const int width = 200;
    const auto page = lay("<center>ab</center><p align=right>cd</p>", width);
    ASSERT_EQ(page.boxes.lines.size(), 2u);
    const fragment& centred =
        page.boxes.fragments[static_cast<std::size_t>(page.boxes.lines[0].first)];
    EXPECT_EQ(centred.x, kBodyMargin + (width - 2 * kBodyMargin - 2 * cw) / 2);
    const fragment& right =
        page.boxes.fragments[static_cast<std::size_t>(page.boxes.lines[1].first)];
    EXPECT_EQ(right.x + right.width, width - kBodyMargin);
}

TEST(HtmlLayout, PicturePageIsCentred) {
    const layout l = lay_out_picture(100, 50, 300);
    ASSERT_EQ(l.fragments.size(), 1u);
    EXPECT_EQ(l.fragments[0].kind, fragment_kind::image);
    EXPECT_EQ(l.fragments[0].x, 100);
    EXPECT_EQ(l.height, 50 + 16);
    EXPECT_EQ(lay_out_picture(400, 50, 300).fragments[0].x, 8);
}

TEST(HtmlLayout, EmptyDocumentsLayOutToNothing) {
    fixed_font_metrics m;
    document never_parsed;
    never_parsed.lay_out(300, m);
    EXPECT_TRUE(never_parsed.boxes.lines.empty());
    EXPECT_EQ(never_parsed.boxes.height, 0);
    document empty = document::from_bytes("");
    empty.lay_out(300, m);
    EXPECT_TRUE(empty.boxes.lines.empty());
}

TEST(HtmlLayout, PagesInWindows1252AreReadAsSuch) {
    fixed_font_metrics m;
    document d = document::from_bytes("<body>caf\xE9</body>");
    d.lay_out(300, m);
    ASSERT_EQ(d.boxes.fragments.size(), 1u);
    EXPECT_EQ(d.boxes.text_of(d.boxes.fragments[0]), "caf\xC3\xA9");
}

TEST(HtmlLayout, DocumentKeepsTheTicksOfItsCheckBoxes) {
    document d = document::from_bytes("<input type=checkbox><input type=checkbox checked>");
    EXPECT_EQ(d.checks, (std::vector<bool>{false, true}));
    d.toggle(0);
    d.toggle(1);
    d.toggle(7);  // no such box: nothing happens
    d.toggle(-1);
    EXPECT_EQ(d.checks, (std::vector<bool>{true, false}));
}

TEST(HtmlLayoutGolden, ReportAt720) {
    expect_golden(dump(lay(read_fixture("html\\report.htm"), 720).boxes), "html\\report.boxes");
}

TEST(HtmlLayoutGolden, ReportAt320Wraps) {
    expect_golden(dump(lay(read_fixture("html\\report.htm"), 320).boxes), "html\\report-320.boxes");
}

TEST(HtmlLayoutGolden, Lists) {
    expect_golden(dump(lay(read_fixture("html\\lists.htm"), 400).boxes), "html\\lists.boxes");
}

TEST(HtmlLayoutGolden, Blocks) {
    expect_golden(dump(lay(read_fixture("html\\blocks.htm"), 400).boxes), "html\\blocks.boxes");
}

TEST(HtmlLayout, FontsThatGrowAtEachLevelStopAtTheLargestSize) {
    const auto repeat = [](std::string_view piece, int times) {
        std::string out;
        for (int i = 0; i < times; ++i) out += piece;
        return out;
    };
    const std::string headings = repeat("<h1><b>", 25) + "x" + repeat("</b></h1>", 25);
    const std::string pages[] = {
        "<body>" + repeat("<big>", 120) + "x y z" + repeat("</big>", 120) + "<p>after</p>",
        "<body>" + headings + headings,
        "<body>" + repeat("<h2><big>a b<br>", 200) + "<ol><li>x<hr></ol>",
    };
    for (const std::string& page : pages) {
        const laid_out l = lay(page, 300);
        int largest = 0;
        for (const font_choice& f : l.boxes.fonts) largest = std::max(largest, f.size);
        EXPECT_EQ(largest, kMaxFontSize) << page.substr(0, 40);
        int bottom = 0;
        for (const line_box& line : l.boxes.lines) {
            EXPECT_GE(line.y, bottom);
            EXPECT_GT(line.height, 0);
            EXPECT_LE(line.height, 2 * kMaxFontSize);
            bottom = line.y + line.height;
        }
        EXPECT_GE(l.boxes.height, bottom);
        EXPECT_LT(l.boxes.height, 1 << 24) << page.substr(0, 40);
    }
}

TEST(HtmlLayout, MetricsOutOfAllProportionKeepTheSumsBounded) {
    // Whatever a font reports, the page's numbers stay far from overflowing an int.
    struct huge_metrics final : font_metrics {
        font_extent extent(const font_choice&) override { return {1 << 30, 1 << 30}; }
        int text_width(const font_choice&, std::string_view) override { return 1 << 30; }
    } metrics;
    const dom tree = parse("<body>a b c<br>d<hr>e f<ol><li>g h</ol><p><input type=checkbox>i");
    const layout l = lay_out(tree, 300, metrics);
    ASSERT_FALSE(l.lines.empty());
    const auto bounded = [](long long v) { return v >= 0 && v <= kMaxExtent; };
    for (const line_box& line : l.lines) {
        EXPECT_TRUE(bounded(line.y)) << line.y;
        EXPECT_TRUE(bounded(line.height)) << line.height;
        EXPECT_TRUE(bounded(line.baseline)) << line.baseline;
    }
    for (const fragment& f : l.fragments) {
        EXPECT_TRUE(bounded(std::abs(f.x))) << f.x;
        EXPECT_TRUE(bounded(f.width)) << f.width;
    }
    EXPECT_TRUE(bounded(l.height)) << l.height;
}
