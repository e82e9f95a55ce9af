#include "core/viewer/links.h"

#include <array>

#include "core/viewer/page_path.h"

namespace viewer {
namespace {

constexpr std::array<std::string_view, 8> kShownHere = {".htm", ".html", ".shtml", ".asp",
                                                        ".gif", ".jpg",  ".jpeg",  ".bmp"};

// "http://...", "mailto:...": an address for the shell, whatever it ends with. A single letter
// before the colon is a drive.
bool has_scheme(std::string_view target) {
    const std::size_t colon = target.find(':');
    if (colon == std::string_view::npos || colon < 2) return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = target[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!letter && !(i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.')))
            return false;
    }
    return true;
}

}  // namespace

std::string link_extension(std::string_view target) {
    const std::string path = split_anchor(target).path;
    const std::size_t dot = path.find_last_of('.');
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

link_action classify_link(std::string_view target) {
    const std::string ext = link_extension(target);
    if (ext == ".quit") return link_action::quit;
    if (!target.empty() && target.front() == '#') return link_action::in_page;
    if (has_scheme(target)) return link_action::shell;
    for (std::string_view shown : kShownHere)
        if (ext == shown) return link_action::show;
    return link_action::shell;
}

}  // namespace viewer
