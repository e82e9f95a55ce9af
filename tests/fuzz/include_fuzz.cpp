// Include expansion of a BASIC! program over files written from the input: the input is cut at
// each "\n%%file\n" into main.bas, b.bas, lib\c.bas, d.bas and lib\main.bas of a scratch
// folder, and main.bas is expanded. Whatever the files hold (cycles, NUL bytes, missing files,
// deep nesting, includes that double at each level) the expansion ends quickly, stays within
// its size limit, and every line it gives is an empty line or a trimmed line of some file.
#include <string>
#include <unordered_set>

#include "core/assets/include_expansion.h"
#include "core/text/text_helpers.h"
#include "fuzz_support.h"
#include "platform/platform.h"

namespace {

constexpr const char* kNames[] = {"main.bas", "b.bas", "lib\\c.bas", "d.bas", "lib\\main.bas"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> pieces =
        fuzz::split(fuzz::as_text(data, size), "\n%%file\n");
    const std::string& folder = fuzz::fresh_scratch_folder();
    platform::make_directories(folder + "lib");
    std::unordered_set<std::string> lines;
    bool any_include = false;
    for (std::size_t i = 0; i < pieces.size() && i < std::size(kNames); ++i) {
        platform::write_file(folder + kNames[i], pieces[i]);
        for (const std::string& line : text::split_lines(pieces[i])) {
            // A lone CR stays inside its line as an LF, so the merged text breaks there too.
            const std::string trimmed = text::trim_spaces(line);
            for (std::string_view part : fuzz::split(trimmed, "\n"))
                lines.insert(std::string(part));
            any_include = any_include || !assets::include_target(line).empty();
        }
    }

    assets::include_problems problems;
    const std::string merged = assets::expand_includes(folder + kNames[0], &problems);

    fuzz::check(merged.size() <= assets::kMaxMergedBytes, "merged program past its limit");
    fuzz::check(!merged.empty() && merged.back() == '\n', "merged program without its last LF");
    std::size_t start = 0;
    std::size_t produced = 0;
    while (start < merged.size()) {
        const std::size_t lf = merged.find('\n', start);
        const std::string line = merged.substr(start, lf - start);
        fuzz::check(line.empty() || lines.count(line) > 0, "a line that no file holds", line);
        start = lf + 1;
        ++produced;
    }
    if (!any_include) {
        // Without includes the expansion is the main file, trimmed, one LF a line.
        std::string expected;
        for (const std::string& line : text::split_lines(pieces[0]))
            expected += text::trim_spaces(line) + "\n";
        fuzz::check(merged == expected, "a program without includes changed");
        fuzz::check(problems.empty(), "problems without includes");
    }
    const std::size_t noted =
        problems.missing.size() + problems.cyclic.size() + problems.too_deep.size();
    fuzz::check(noted <= assets::kMaxIncludedFiles + 1, "unbounded list of problems");
    fuzz::check(produced > 0, "no line at all");
    // The message that reports the problems names each of them once.
    const std::string message = assets::update_done_message(problems);
    fuzz::check(problems.empty() == (message == "Done !"), "done message disagrees");
    return 0;
}
