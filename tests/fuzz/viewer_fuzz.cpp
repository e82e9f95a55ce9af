// The viewer's command line and links. The input's lines are the eight arguments, then link
// targets that are clicked one after the other (with Back, Home and Escape between them) on a
// host whose files are the pages named ".htm". Arguments read back as they were given; link
// extensions, anchors and path resolution keep their rules (resolved paths are idempotent and
// use backslashes only); the shell opens only what is classified for it; Back is offered only
// with a page to go back to.
#include <string>

#include "core/viewer/links.h"
#include "core/viewer/navigator.h"
#include "core/viewer/page_path.h"
#include "fuzz_support.h"

using namespace viewer;

namespace {

class fake_host final : public viewer_host {
public:
    bool load(const std::string& path, const std::string&) override {
        ++calls;
        fuzz::check(path.find('#') == std::string::npos, "page loaded with its anchor");
        if (path.size() < 4 || path.compare(path.size() - 4, 4, ".htm") != 0) return false;
        page = path;
        return true;
    }
    void clear() override { page.clear(); }
    void scroll_to_anchor(const std::string&) override { ++calls; }
    std::string current_page() const override { return page; }
    void show_missing(const std::string&) override { ++calls; }
    std::string current_folder() const override { return folder; }
    bool set_current_folder(const std::string& f) override {
        fuzz::check(!f.empty() && f.back() == '\\', "current folder without its backslash", f);
        folder = f;
        return true;
    }
    void shell_open(const std::string& target) override {
        fuzz::check(classify_link(target) == link_action::shell, "shell asked to open a page",
                    target);
        ++calls;
    }
    void show_status(bool) override {}
    void set_status(const std::string&) override {}
    void enable_back(bool e) override { back = e; }
    void maximise() override {}
    void close() override { closed = true; }

    std::string page;
    std::string folder = "C:\\Vexlo\\";
    bool back = false;
    bool closed = false;
    int calls = 0;
};

void check_target(const std::string& target) {
    const std::string ext = link_extension(target);
    fuzz::check(ext.empty() || ext.front() == '.', "extension without its dot");
    fuzz::check(ext.find('#') == std::string::npos, "extension holds the anchor");
    const page_target split = split_anchor(target);
    if (target.find('#') != std::string::npos)
        fuzz::check(split.path + "#" + split.anchor == target, "anchor split loses text");
    else
        fuzz::check(split.path == target && split.anchor.empty(), "anchor out of nothing");
    fuzz::check(same_path(target, target), "a path unlike itself");

    for (const char* folder : {"C:\\pages\\", "", "\\\\server\\share\\", "rel\\..\\x\\"}) {
        const std::string resolved = resolve(folder, split.path);
        fuzz::check(resolved.find('/') == std::string::npos, "slash left in a resolved path");
        fuzz::check(resolve("", resolved) == resolved, "resolving again changes the path",
                    resolved);
        fuzz::check(same_path(resolved, resolve(folder, split.path)) &&
                        same_path(folder, target) == same_path(target, folder),
                    "path comparison not symmetric");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> lines = fuzz::split(fuzz::as_text(data, size), "\n");
    std::vector<std::string> args;
    for (std::size_t i = 0; i < lines.size() && i < 8; ++i) args.emplace_back(lines[i]);
    const arguments a = parse_arguments(args);
    const auto at = [&](std::size_t n) { return n <= args.size() ? args[n - 1] : std::string(); };
    fuzz::check(a.debug == (at(1) != "-"), "debug flag misread");
    fuzz::check(a.page_argument == at(2), "page argument changed");
    if (a.height) {
        fuzz::check(*a.height >= 1 && *a.height <= 100000, "height out of bounds");
        fuzz::check(parse_size(std::to_string(*a.height)) == a.height, "height does not read back");
    }
    if (a.width) fuzz::check(*a.width >= 1 && *a.width <= 100000, "width out of bounds");

    fake_host host;
    navigator nav(a, "C:\\Vexlo", host);
    nav.activated();
    for (std::size_t i = 8; i < lines.size() && i < 64; ++i) {
        const std::string target(lines[i]);
        check_target(target);
        const int before = host.calls;
        nav.link_clicked(target);
        fuzz::check(host.calls - before <= 3, "one click did too much");
        switch (target.size() % 4) {
            case 0: nav.key_down(kKeyLeft); break;
            case 1: nav.key_down(kKeyHome); break;
            case 2: nav.key_char(kCharEscape); break;
            default: break;
        }
        fuzz::check(host.back == nav.back_enabled(), "Back shown otherwise than it works");
        if (nav.back_enabled()) fuzz::check(!nav.pages().empty(), "Back offered with no page");
    }
    return 0;
}
