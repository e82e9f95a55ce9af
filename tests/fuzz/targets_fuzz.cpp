// The targets of "android list targets" output. Every target read has a positive id and a
// description of the form "Android ... (API ...)" taken from the output; the line ends do not
// matter (LF, CR LF and the CR CR LF of a text-mode console read alike); and the questions
// asked of the targets answer consistently.
#include <string>

#include "core/configurator/api_targets.h"
#include "core/text/text_helpers.h"
#include "fuzz_support.h"

using namespace configurator;

namespace {

bool same(const std::vector<api_target>& a, const std::vector<api_target>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].id != b[i].id || a[i].description != b[i].description) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view output = fuzz::as_text(data, size);
    const std::vector<api_target> targets = parse_api_targets(output);

    std::size_t entries = 0;
    for (std::size_t at = output.find("id: "); at != std::string_view::npos;
         at = output.find("id: ", at + 1))
        ++entries;
    fuzz::check(targets.size() <= entries, "more targets than id lines");
    for (const api_target& t : targets) {
        fuzz::check(t.id > 0, "target without a positive id");
        fuzz::check(t.description.starts_with("Android ") && t.description.ends_with(")") &&
                        t.description.find(" (API ") != std::string::npos,
                    "description out of form", t.description);
        fuzz::check(t.description.find('\n') == std::string::npos, "line end in a description");
        fuzz::check(find_target(targets, t.id) != nullptr, "target not found by its id");
        api_level_ok(t.description, targets);
    }
    api_level_ok("", targets);
    fuzz::check(find_target(targets, 0) == nullptr, "a target with id 0");

    // Without CRs of its own, the output reads the same with CR LF and with CR CR LF.
    if (output.find('\r') == std::string_view::npos) {
        const std::string crlf = text::replace_text(output, "\n", "\r\n");
        fuzz::check(same(targets, parse_api_targets(crlf)), "CR LF output reads otherwise");
        const std::string crcrlf = text::replace_text(output, "\n", "\r\r\n");
        fuzz::check(same(targets, parse_api_targets(crcrlf)), "CR CR LF output reads otherwise");
    }
    const long long n = rounded_number(output);
    const long long whole = text::leading_number(output);
    fuzz::check(n - whole >= -1 && n - whole <= 1, "rounding moved more than one");
    return 0;
}
