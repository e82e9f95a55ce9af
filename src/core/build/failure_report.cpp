#include "core/build/failure_report.h"

#include <algorithm>
#include <vector>

#include "core/build/batch_escaping.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace build {
namespace {

constexpr std::string_view kTaskTag = "    [javac] ";
constexpr std::string_view kWarning = "warning: ";
constexpr std::string_view kEntryEnd = "<br>&nbsp;</li>";

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view without_leading_blanks(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && is_blank(line[i])) ++i;
    return line.substr(i);
}

std::string_view trimmed_blanks(std::string_view line) {
    line = without_leading_blanks(line);
    while (!line.empty() && is_blank(line.back())) line.remove_suffix(1);
    return line;
}

std::string without_carriage_returns(std::string_view log) {
    std::string out;
    out.reserve(log.size());
    for (char c : log)
        if (c != '\r') out.push_back(c);
    return out;
}

// The compiler's part of the log: from the line after "-compile:" up to "BUILD FAILED",
// without the task tags, the "Compiling N source files" line, surrounding line breaks and
// the warning texts. False when the log has no such part.
bool compile_section(std::string_view log, std::string& section) {
    const std::size_t target = log.find("\n-compile:");
    if (target == std::string_view::npos) return false;
    const std::size_t line_end = log.find('\n', target + 1);
    if (line_end == std::string_view::npos) return false;
    const std::size_t start = line_end + 1;
    const std::size_t failed = log.find("BUILD FAILED", start);
    if (failed == std::string_view::npos) return false;

    std::string body = text::replace_text(log.substr(start, failed - start), kTaskTag, "");
    std::string_view view = body;
    if (text::starts_with(view, "Compiling ")) {
        const std::size_t lf = view.find('\n');
        view = lf == std::string_view::npos ? std::string_view() : view.substr(lf + 1);
    }
    while (!view.empty() && view.front() == '\n') view.remove_prefix(1);
    while (!view.empty() && view.back() == '\n') view.remove_suffix(1);

    // A warning keeps its file and line prefix but loses its text up to the line end.
    section.clear();
    section.reserve(view.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = view.find(kWarning, pos);
        if (hit == std::string_view::npos) break;
        section.append(view.substr(pos, hit - pos));
        const std::size_t lf = view.find('\n', hit);
        pos = lf == std::string_view::npos ? view.size() : lf;
    }
    section.append(view.substr(pos));
    return true;
}

// ASCII letters compared without case, as Windows compares paths; no copies are made, since
// this runs once per log line.
bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char a = text[i], b = prefix[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

void append_escaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            default: out.push_back(c);
        }
    }
}

// Whether a file path read from the log may go into a batch line: inside its double quotes
// cmd.exe takes "&", "^" and the like as part of the name and "%" is doubled, but a quote
// would end the quoting and let the rest run as commands. Characters no Windows file name
// holds (quote, "<", ">", "|", "*", "?", control characters, a colon past the drive's) mean the
// text is not a file path at all.
bool is_plain_file_path(std::string_view path) {
    for (std::size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (c < 0x20 || c == '"' || c == '<' || c == '>' || c == '|' || c == '*' || c == '?')
            return false;
        if (c == ':' && i != 1) return false;
    }
    return !path.empty();
}

bool all_digits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The source line marked by a caret line: the part before the caret's column plain, the rest
// red. The column is the caret's position in its untrimmed line, matched against the
// untrimmed source line.
void append_marked_source_line(std::string& out, std::string_view source,
                               std::string_view caret_line) {
    const std::string_view trimmed = without_leading_blanks(source);
    const std::size_t indent = source.size() - trimmed.size();
    const std::size_t caret = caret_line.find('^');
    const std::size_t split = std::min(caret > indent ? caret - indent : 0, trimmed.size());
    out += "<br>";
    append_escaped(out, trimmed.substr(0, split));
    out += "<font color='red'>";
    append_escaped(out, trimmed.substr(split));
    out += "</font>";
}

// The batch line that opens the file, in the console's code page as cmd.exe reads it, the
// file named by its short form when that code page lacks some of its characters; false when
// no form of the name can be written.
bool encoded_batch_line(report_editor editor, std::string_view file, std::string_view line_number,
                        std::string& bytes) {
    const std::string readable = platform::batch_readable_path(std::string(file));
    return platform::batch_encoding(editor_batch_line(editor, readable, line_number), bytes);
}

}  // namespace

std::string escape_html(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    append_escaped(out, text);
    return out;
}

std::string editor_batch_line(report_editor editor, std::string_view file,
                              std::string_view line_number) {
    std::string quoted = "\"";
    quoted += double_percent(file);
    quoted += '"';
    if (editor == report_editor::notepad) return "start notepad " + quoted + "\r\n";
    std::string line = "start SciTE.exe " + quoted;
    if (!line_number.empty()) line += " -goto:" + std::string(line_number);
    return line + "\r\n";
}

int report_window_height(int line_count) {
    const long long height = 24LL * std::max(line_count, 0) + 200;
    return static_cast<int>(std::min<long long>(height, 976));
}

namespace {

// The section's lines, split at each line feed (a final one leaves an empty last line).
std::vector<std::string_view> lines_of(std::string_view section) {
    std::vector<std::string_view> lines;
    for (std::size_t from = 0;;) {
        const std::size_t lf = section.find('\n', from);
        lines.push_back(section.substr(from, lf == std::string::npos ? lf : lf - from));
        if (lf == std::string::npos) return lines;
        from = lf + 1;
    }
}

// A line that names a file of the project ("<folder>\src\...\Main.java:12: error: ...")
// starts entry n: the location, linked to its batch when a batch can name the file, and the
// message in bold.
std::string error_entry(std::string_view line, std::size_t prefix, int n, report_editor editor,
                        failure_report& report) {
    const std::size_t colon = line.find(": ");
    const std::string_view location = line.substr(0, colon);
    const std::string_view message =
        colon == std::string_view::npos ? std::string_view() : line.substr(colon + 1);
    // The file and the line number: the number is what follows the last ":", when it is one;
    // a location without a number opens the file at its start.
    const std::size_t last_colon = location.rfind(':');
    const bool numbered =
        last_colon != std::string_view::npos && all_digits(location.substr(last_colon + 1));
    const std::string_view file = numbered ? location.substr(0, last_colon) : location;
    const std::string_view number = numbered ? location.substr(last_colon + 1) : std::string_view();
    // An entry whose location is no plain file path, or one a batch file cannot name, shows
    // without a link.
    const bool linked = is_plain_file_path(file) &&
                        encoded_batch_line(editor, file, number, report.link_batches[n]);
    if (!linked) report.link_batches.erase(n);
    std::string entry = "<li><input type='checkbox'> ";
    if (linked) entry += "<a href='bat\\" + std::to_string(n) + ".bat'>";
    append_escaped(entry, location.substr(prefix));
    entry += linked ? "</a>: <b>" : ": <b>";
    append_escaped(entry, message);
    entry += "</b>";
    return entry;
}

// Any other line adds to the current entry: a source line with its marker line below it
// (taking both, so i moves past the marker), "symbol:" and "location:", or plain text.
void add_detail(std::string& entry, const std::vector<std::string_view>& lines, std::size_t& i) {
    const std::string_view line = without_leading_blanks(lines[i]);
    if (i + 1 < lines.size() && trimmed_blanks(lines[i + 1]) == "^") {
        append_marked_source_line(entry, lines[i], lines[i + 1]);
        ++i;
    } else if (text::starts_with(line, "symbol: ")) {
        entry += "<br><u>symbol:&nbsp;&nbsp;</u>";
        append_escaped(entry, line.substr(7));
    } else if (text::starts_with(line, "location: ")) {
        entry += "<br><u>location:</u>";
        append_escaped(entry, line.substr(9));
    } else {
        entry += "<br><i>";
        append_escaped(entry, line);
        entry += "</i>";
    }
}

std::string report_page(const std::vector<std::string>& entries) {
    std::size_t size = 512;
    for (const std::string& entry : entries) size += entry.size() + 2;
    std::string html;
    html.reserve(size);
    html =
        "<html><body bgcolor='#FAE6E6'>\r\n"
        "<h2><font color='red'>Sorry, compiling has failed.</font></h2>\r\n"
        "<h3>Here are the reasons why: (you can click a file + line to open it in the "
        "editor)</h2>\r\n"
        "<ol>\r\n";
    for (const std::string& entry : entries) {
        html += entry;
        html += "\r\n";
    }
    html +=
        "</ol>\r\n"
        "<br>\r\n"
        "<a href='bat\\0.bat'>View the complete Ant log for more details</a>\r\n"
        "</body></html>\r\n";
    return html;
}

}  // namespace

failure_report make_failure_report(std::string_view ant_log, std::string_view project_folder,
                                   report_editor editor) {
    failure_report report;
    const std::string log = without_carriage_returns(platform::tool_log_decoding(ant_log));
    std::string section;
    if (!compile_section(log, section)) return report;

    const std::string folder =
        project_folder.empty() ? std::string() : text::with_one_trailing_backslash(project_folder);
    // The tools name the project as the batch files gave it to them: by its short form when
    // the console's code page lacks some of its characters.
    const std::string alias =
        folder.empty() ? std::string()
                       : text::with_one_trailing_backslash(platform::batch_readable_path(folder));
    report.line_count = static_cast<int>(std::count(section.begin(), section.end(), '\n'));

    const std::vector<std::string_view> lines = lines_of(section);
    std::vector<std::string> entries(1);  // entry 1 collects what comes before the first error
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = without_leading_blanks(lines[i]);
        const std::size_t prefix = folder.empty()                            ? 0
                                   : starts_with_ignoring_case(line, folder) ? folder.size()
                                   : starts_with_ignoring_case(line, alias)  ? alias.size()
                                                                             : 0;
        if (prefix == 0) {
            add_detail(entries.back(), lines, i);
            continue;
        }
        if (entries.size() != 1) entries.back() += kEntryEnd;
        const int n = static_cast<int>(entries.size()) + 1;
        entries.push_back(error_entry(line, prefix, n, editor, report));
    }
    entries.back() += kEntryEnd;

    if (!encoded_batch_line(editor, folder + "ant_log.txt", "", report.link_batches[0]))
        report.link_batches.erase(0);
    report.index_htm = report_page(entries);
    report.produced = true;
    return report;
}

}  // namespace build
