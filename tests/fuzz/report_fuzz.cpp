// The Ant log turned into the failure report. Whatever the log holds, index.htm is the page's
// fixed frame around entries of a fixed grammar whose texts are escaped log text (no "<" or
// ">" of the log survives, every "&" starts an entity), each link names a batch file of the
// report, and every batch line is exactly "start <editor> "<path>"" with an optional
// " -goto:<digits>": nothing outside the quotes that the user did not write, no quote or
// control character inside them, and every "%" doubled.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "core/build/failure_report.h"
#include "fuzz_support.h"

using namespace build;

namespace {

constexpr const char* kFolders[] = {"C:\\Projects\\MyApp\\", "C:\\proj\\", "d:\\A b\\100%\\"};

constexpr std::string_view kHead =
    "<html><body bgcolor='#FAE6E6'>\r\n"
    "<h2><font color='red'>Sorry, compiling has failed.</font></h2>\r\n"
    "<h3>Here are the reasons why: (you can click a file + line to open it in the "
    "editor)</h2>\r\n"
    "<ol>\r\n";
constexpr std::string_view kTail =
    "</ol>\r\n<br>\r\n<a href='bat\\0.bat'>View the complete Ant log for more details</a>\r\n"
    "</body></html>\r\n";

// Reads one entry line of the page against its grammar.
class entry_reader {
public:
    entry_reader(std::string_view line, const failure_report& r) : rest_(line), report_(r) {}

    void read(int number) {
        if (number > 1) {
            expect("<li><input type='checkbox'> ");
            if (take("<a href='bat\\")) {
                const std::string n = std::to_string(number);
                expect(n);
                expect(".bat'>");
                fuzz::check(report_.link_batches.count(number) == 1, "link to no batch file");
                escaped_text();
                expect("</a>: <b>");
            } else {
                fuzz::check(report_.link_batches.count(number) == 0, "batch file without a link");
                const std::string_view location = escaped_text();
                fuzz::check(location.size() >= 2 && location.substr(location.size() - 2) == ": ",
                            "unlinked location without its colon");
                expect("<b>");
            }
            escaped_text();
            expect("</b>");
        }
        while (!rest_.empty() && rest_ != "<br>&nbsp;</li>") piece();
        fuzz::check(number == 1 || !rest_.empty(), "error entry without its end");
    }

private:
    void piece() {
        if (take("<br><u>symbol:&nbsp;&nbsp;</u>") || take("<br><u>location:</u>")) {
            escaped_text();
        } else if (take("<br><i>")) {
            escaped_text();
            expect("</i>");
        } else {
            expect("<br>");
            escaped_text();
            expect("<font color='red'>");
            escaped_text();
            expect("</font>");
        }
    }

    // Text up to the next "<": no ">" in it, and "&" only as one of the entities escaping makes.
    std::string_view escaped_text() {
        const std::size_t end = std::min(rest_.find('<'), rest_.size());
        const std::string_view text = rest_.substr(0, end);
        fuzz::check(text.find('>') == std::string_view::npos, "unescaped '>' in the page", text);
        for (std::size_t at = text.find('&'); at != std::string_view::npos;
             at = text.find('&', at + 1)) {
            const std::string_view entity = text.substr(at);
            fuzz::check(entity.starts_with("&amp;") || entity.starts_with("&lt;") ||
                            entity.starts_with("&gt;"),
                        "unescaped '&' in the page", text);
        }
        rest_.remove_prefix(end);
        return text;
    }

    bool take(std::string_view literal) {
        if (!rest_.starts_with(literal)) return false;
        rest_.remove_prefix(literal.size());
        return true;
    }
    void expect(std::string_view literal) {
        if (!take(literal)) fuzz::fail("page entry out of its grammar", rest_);
    }

    std::string_view rest_;
    const failure_report& report_;
};

void check_batch_line(const std::string& line, report_editor editor) {
    std::string_view rest = line;
    const std::string_view start =
        editor == report_editor::carried ? "start SciTE.exe \"" : "start notepad \"";
    fuzz::check(rest.starts_with(start), "batch line starts otherwise", line);
    rest.remove_prefix(start.size());
    const std::size_t quote = rest.find('"');
    fuzz::check(quote != std::string_view::npos, "batch line without its closing quote", line);
    const std::string_view path = rest.substr(0, quote);
    for (std::size_t i = 0; i < path.size(); ++i) {
        fuzz::check(static_cast<unsigned char>(path[i]) >= 0x20, "control character in a batch");
        if (path[i] == '%') {
            fuzz::check(i + 1 < path.size() && path[i + 1] == '%', "single '%' in a batch", line);
            ++i;
        }
    }
    rest.remove_prefix(quote + 1);
    if (rest.starts_with(" -goto:")) {
        fuzz::check(editor == report_editor::carried, "notepad told to go to a line");
        rest.remove_prefix(7);
        fuzz::check(!rest.empty() && rest[0] >= '0' && rest[0] <= '9', "goto without a line");
        while (!rest.empty() && rest[0] >= '0' && rest[0] <= '9') rest.remove_prefix(1);
    }
    fuzz::check(rest == "\r\n", "batch line carries more than its command", line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const report_editor editor =
        input.ConsumeBool() ? report_editor::notepad : report_editor::carried;
    const std::string folder = kFolders[input.ConsumeIntegralInRange<int>(0, 2)];
    const std::string log = input.ConsumeRemainingBytesAsString();

    const failure_report r = make_failure_report(log, folder, editor);
    const int height = report_window_height(r.line_count);
    fuzz::check(height >= 200 && height <= 976, "window height out of bounds");
    if (!r.produced) {
        fuzz::check(r.index_htm.empty() && r.link_batches.empty(), "no report but some text");
        return 0;
    }
    fuzz::check(r.index_htm.size() <= 130 * log.size() + 1200, "page out of proportion");
    const std::string_view page = r.index_htm;
    fuzz::check(page.starts_with(kHead) && page.ends_with(kTail), "page frame broken");
    std::string_view body = page.substr(kHead.size(), page.size() - kHead.size() - kTail.size());
    int number = 1;
    while (!body.empty()) {
        const std::size_t end = body.find("\r\n");
        fuzz::check(end != std::string_view::npos, "entry without its line end");
        entry_reader(body.substr(0, end), r).read(number++);
        body.remove_prefix(end + 2);
    }
    fuzz::check(r.link_batches.count(0) == 1, "no batch file for the whole log");
    for (const auto& [n, line] : r.link_batches) {
        fuzz::check(n == 0 || (n >= 2 && n < number), "batch file of no entry");
        check_batch_line(line, editor);
    }
    return 0;
}
