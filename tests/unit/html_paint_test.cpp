#include "core/html/paint.h"

#include <gtest/gtest.h>

#include "core/html/document.h"
#include "core/html/parser.h"
#include "html_golden.h"

using namespace html;

namespace {

// Writes every call as one line of text.
class recording_painter final : public painter {
public:
    std::vector<std::string> calls;

    void fill_rect(const rect& r, rgb color) override {
        calls.push_back("fill " + box(r) + " " + hex(color));
    }
    void draw_text(int x, int baseline, const font_choice& font, rgb color,
                   std::string_view text) override {
        calls.push_back("text " + std::to_string(x) + "," + std::to_string(baseline) + " " +
                        font.face + " " + std::to_string(font.size) + (font.bold ? "b" : "") +
                        (font.italic ? "i" : "") + " " + hex(color) + " \"" + std::string(text) +
                        "\"");
    }
    void draw_checkbox(const rect& r, bool checked) override {
        calls.push_back("checkbox " + box(r) + (checked ? " ticked" : ""));
    }
    void draw_image(const rect& r) override { calls.push_back("image " + box(r)); }
    void draw_focus(const rect& r) override { calls.push_back("focus " + box(r)); }

    std::string joined() const {
        std::string out;
        for (const std::string& c : calls) out += c + "\n";
        return out;
    }
    int count(std::string_view prefix) const {
        int n = 0;
        for (const std::string& c : calls) n += c.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }

private:
    static std::string box(const rect& r) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "(%d,%d)-(%d,%d)", r.left, r.top, r.right, r.bottom);
        return buffer;
    }
    static std::string hex(rgb c) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "#%06X", static_cast<unsigned>(c));
        return buffer;
    }
};

}  // namespace

TEST(HtmlPaint, ReportPageTopAt720) {
    fixed_font_metrics m;
    document d = document::from_bytes(read_fixture("html\\report.htm"));
    d.lay_out(720, m);
    d.toggle(1);
    view_state v;
    v.width = 720;
    v.height = 200;
    v.checks = &d.checks;
    recording_painter p;
    paint(d.boxes, v, p, m);
    expect_golden(p.joined(), "html\\report.paint");
}

TEST(HtmlPaint, OnlyLinesInsideTheViewArePainted) {
    fixed_font_metrics m;
    std::string html = "<body>";
    for (int i = 0; i < 100; ++i) html += "line" + std::to_string(i) + "<br>";
    document d = document::from_bytes(html);
    d.lay_out(300, m);
    const line_box& tenth = d.boxes.lines[10];
    view_state v;
    v.width = 300;
    v.scroll_y = tenth.y;
    v.height = 3 * tenth.height;
    recording_painter p;
    paint(d.boxes, v, p, m);
    EXPECT_EQ(p.count("text"), 3);
    EXPECT_EQ(p.calls[1], "text 8," + std::to_string(tenth.baseline) +
                              " Times New Roman 16 #000000 \"line10\"");
    // A line cut by the lower edge is still painted.
    v.height += 1;
    recording_painter q;
    paint(d.boxes, v, q, m);
    EXPECT_EQ(q.count("text"), 4);
}

TEST(HtmlPaint, BackgroundComesFirstAndLinksAreUnderlined) {
    fixed_font_metrics m;
    document d = document::from_bytes("<body bgcolor=#102030><a href=a.htm>go</a></body>");
    d.lay_out(200, m);
    view_state v;
    v.width = 200;
    v.height = 100;
    recording_painter p;
    paint(d.boxes, v, p, m);
    ASSERT_EQ(p.calls.size(), 3u);
    EXPECT_EQ(p.calls[0], "fill (0,0)-(200,100) #102030");
    const fragment& go = d.boxes.fragments[0];
    const int baseline = d.boxes.lines[0].y + d.boxes.lines[0].baseline;
    EXPECT_EQ(p.calls[2], "fill (8," + std::to_string(baseline + 1) + ")-(" +
                              std::to_string(8 + go.width) + "," + std::to_string(baseline + 2) +
                              ") #0000EE");
}

TEST(HtmlPaint, SelectionIsFilledBeneathTheText) {
    fixed_font_metrics m;
    document d = document::from_bytes("<body>abc def</body>");
    d.lay_out(300, m);
    view_state v;
    v.width = 300;
    v.height = 100;
    v.selection_from = {0, 0, 1};
    v.selection_to = {0, 2, 2};
    recording_painter p;
    paint(d.boxes, v, p, m);
    ASSERT_GE(p.calls.size(), 2u);
    const int cw = m.text_width(font_choice{}, "x");
    const line_box& line = d.boxes.lines[0];
    EXPECT_EQ(p.calls[1], "fill (" + std::to_string(8 + cw) + "," + std::to_string(line.y) + ")-(" +
                              std::to_string(8 + 6 * cw) + "," +
                              std::to_string(line.y + line.height) + ") #ADD6FF");
}

TEST(HtmlPaint, FocusedLinkGetsOneRectanglePerLine) {
    fixed_font_metrics m;
    document d = document::from_bytes("<body>x <a href=a.htm>one two</a></body>");
    d.lay_out(300, m);
    view_state v;
    v.width = 300;
    v.height = 100;
    v.focused_link = 0;
    recording_painter p;
    paint(d.boxes, v, p, m);
    EXPECT_EQ(p.count("focus"), 1);
    const fragment& one = d.boxes.fragments[2];
    EXPECT_EQ(p.calls.back().rfind("focus (" + std::to_string(one.x) + ",", 0), 0u);
}

TEST(HtmlPaint, OnlyTheBandAskedForIsPainted) {
    fixed_font_metrics m;
    std::string html = "<body>";
    for (int i = 0; i < 50; ++i) html += "row" + std::to_string(i) + "<br>";
    document d = document::from_bytes(html);
    d.lay_out(300, m);
    const line_box& fifth = d.boxes.lines[5];
    view_state v;
    v.width = 300;
    v.height = 400;
    v.clip_top = fifth.y;  // a band one line high, exactly where the sixth row is
    v.clip_bottom = fifth.y + fifth.height;
    recording_painter p;
    paint(d.boxes, v, p, m);
    ASSERT_EQ(p.calls.size(), 2u);
    EXPECT_EQ(p.calls[0], "fill (0," + std::to_string(fifth.y) + ")-(300," +
                              std::to_string(fifth.y + fifth.height) + ") #FFFFFF");
    EXPECT_NE(p.calls[1].find("\"row5\""), std::string::npos);
}

TEST(HtmlPaint, WordsOfOneStyleGoOutAsOneRun) {
    fixed_font_metrics m;
    document d = document::from_bytes("<body>one two <b>three four</b> five</body>");
    d.lay_out(400, m);
    view_state v;
    v.width = 400;
    v.height = 100;
    recording_painter p;
    paint(d.boxes, v, p, m);
    ASSERT_EQ(p.count("text"), 3);
    EXPECT_NE(p.calls[1].find("\"one two \""), std::string::npos);
    EXPECT_NE(p.calls[2].find("16b #000000 \"three four\""), std::string::npos);
    EXPECT_NE(p.calls[3].find("\" five\""), std::string::npos);
}
