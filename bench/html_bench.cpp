// The report viewer's engine on a build-failure report of 5,000 entries (about 1.6 MB):
// parsing, layout at the report width against fixed font metrics, and painting one screen.
#include <benchmark/benchmark.h>

#include <string>

#include "core/html/document.h"
#include "core/html/paint.h"
#include "core/html/parser.h"

namespace {

// A report page as the build-failure report writes it, with the entry shapes javac's errors
// give: unknown symbols with their symbol and location lines, a source line with a caret,
// and plain messages.
std::string report_page(int entries) {
    std::string page =
        "<html><body bgcolor='#FAE6E6'>\r\n"
        "<h2><font color='red'>Sorry, compiling has failed.</font></h2>\r\n"
        "<h3>Here are the reasons why: (you can click a file + line to open it in the "
        "editor)</h2>\r\n<ol>\r\n";
    for (int i = 0; i < entries; ++i) {
        const std::string n = std::to_string(i + 2);
        const std::string file = "src\\com\\example\\app\\Module" + std::to_string(i % 97) +
                                 ".java:" + std::to_string(10 + i % 400);
        page += "<li><input type='checkbox'> <a href='bat\\" + n + ".bat'>" + file + "</a>: <b>";
        switch (i % 3) {
            case 0:
                page +=
                    " error: cannot find symbol</b><br>Widget w = <font color='red'>new "
                    "Widget(context, " +
                    n +
                    ");</font><br><u>symbol:&nbsp;&nbsp;</u>   "
                    "class Widget<br><u>location:</u> class Module" +
                    std::to_string(i % 97);
                break;
            case 1:
                page +=
                    " error: incompatible types: List&lt;String&gt; cannot be converted "
                    "to String</b><br>String name = <font color='red'>names;</font>";
                break;
            default: page += " error: ';' expected</b>"; break;
        }
        page += "<br>&nbsp;</li>\r\n";
    }
    page +=
        "</ol>\r\n<br>\r\n<a href='bat\\0.bat'>View the complete Ant log for more "
        "details</a>\r\n</body></html>\r\n";
    return page;
}

class null_painter final : public html::painter {
public:
    void fill_rect(const html::rect&, html::rgb) override { ++calls; }
    void draw_text(int, int, const html::font_choice&, html::rgb, std::string_view t) override {
        calls += static_cast<int>(t.size());
    }
    void draw_checkbox(const html::rect&, bool) override { ++calls; }
    void draw_image(const html::rect&) override { ++calls; }
    void draw_focus(const html::rect&) override { ++calls; }
    int calls = 0;
};

void BM_ReportParse(benchmark::State& state) {
    const std::string page = report_page(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(html::parse(page));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_ReportParse)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_ReportLayout720(benchmark::State& state) {
    const html::dom tree = html::parse(report_page(static_cast<int>(state.range(0))));
    html::fixed_font_metrics metrics;
    for (auto _ : state) benchmark::DoNotOptimize(html::lay_out(tree, 700, metrics));
}
BENCHMARK(BM_ReportLayout720)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

// What opening the report costs: reading the bytes into a page, parsing and laying out.
void BM_ReportOpen(benchmark::State& state) {
    const std::string page = report_page(static_cast<int>(state.range(0)));
    html::fixed_font_metrics metrics;
    for (auto _ : state) {
        html::document d = html::document::from_bytes(page);
        d.lay_out(700, metrics);
        benchmark::DoNotOptimize(d.boxes.height);
    }
}
BENCHMARK(BM_ReportOpen)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

// One frame while scrolling: a 976-pixel view anywhere in the 5,000 entries.
void BM_ReportPaintOneScreen(benchmark::State& state) {
    html::fixed_font_metrics metrics;
    html::document d = html::document::from_bytes(report_page(5000));
    d.lay_out(700, metrics);
    html::view_state v;
    v.width = 700;
    v.height = 976;
    v.checks = &d.checks;
    null_painter p;
    int y = 0;
    for (auto _ : state) {
        v.scroll_y = y;
        html::paint(d.boxes, v, p, metrics);
        y = (y + 60) % (d.boxes.height - v.height);
    }
    benchmark::DoNotOptimize(p.calls);
}
BENCHMARK(BM_ReportPaintOneScreen)->Unit(benchmark::kMicrosecond);

}  // namespace
