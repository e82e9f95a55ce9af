#include "core/viewer/navigator.h"

#include "core/viewer/links.h"
#include "core/viewer/page_path.h"

namespace viewer {

navigator::navigator(arguments args, std::string program_folder, viewer_host& host)
    : args_(std::move(args)), program_folder_(std::move(program_folder)), host_(host) {
    if (!program_folder_.empty() && program_folder_.back() != '\\') program_folder_ += '\\';
}

void navigator::set_back(bool enabled) {
    back_enabled_ = enabled;
    host_.enable_back(enabled);
}

void navigator::status(const std::string& text) {
    if (args_.debug) host_.set_status(text);
}

// Relative link targets and the shell's programs start from the folder of the page shown.
void navigator::enter_page_folder() {
    const std::string folder = folder_of(host_.current_page());
    if (!folder.empty()) host_.set_current_folder(folder);
}

void navigator::activated() {
    if (args_.debug) host_.show_status(true);
    if (!args_.start_page.empty()) {
        // Resolved on the first activation only: later ones may find the current folder moved
        // to another page's folder.
        if (start_path_.empty()) start_path_ = resolve(host_.current_folder(), args_.start_page);
        const page_target start = split_anchor(start_path_);
        if (!host_.load(start.path, start.anchor) && host_.current_page().empty())
            host_.show_missing(start.path);
    }
    status("Debug mode - link file names shown here...");
    enter_page_folder();
    server_root_ = program_folder_;
    if (!host_.current_page().empty()) history_.set_first(host_.current_page());
    if (args_.maximised) host_.maximise();
}

void navigator::link_clicked(const std::string& target) {
    switch (classify_link(target)) {
        case link_action::quit: host_.close(); return;
        case link_action::in_page: host_.scroll_to_anchor(split_anchor(target).anchor); return;
        case link_action::show: {
            const std::string page = host_.current_page();
            enter_page_folder();
            history_.remember(page);
            const std::string base = page.empty() ? host_.current_folder() : folder_of(page);
            const page_target wanted = split_anchor(target);
            const std::string path = resolve(base, wanted.path);
            host_.clear();
            if (!host_.load(path, wanted.anchor)) host_.show_missing(path);
            set_back(!history_.empty());
            status("trying to display: " + target);
            return;
        }
        case link_action::shell:
            enter_page_folder();
            host_.shell_open(target);
            status("attempting to execute: " + target);
            return;
    }
}

void navigator::home() {
    if (args_.page_argument.size() < 2 && args_.page_argument != "-") return;  // no start page
    const std::string name = args_.page_argument == "-" ? "index.htm" : args_.page_argument;
    const std::string root = server_root_.empty() ? program_folder_ : server_root_;
    const page_target wanted = split_anchor(is_absolute(name) ? name : root + name);
    status("HOME - trying to display: " + root + name);
    host_.load(resolve("", wanted.path), wanted.anchor);
}

void navigator::back() {
    if (!back_enabled_) return;
    const std::string newest = history_.slots()[0];
    status("BACK - trying to display: " + newest);
    history_.take_newest();
    const page_target wanted = split_anchor(newest);
    host_.load(wanted.path, wanted.anchor);
    if (history_.empty()) set_back(false);
}

bool navigator::key_down(int virtual_key) {
    if (virtual_key == kKeyLeft) {
        back();
        return true;
    }
    if (virtual_key == kKeyHome) {
        home();
        return true;
    }
    return false;
}

bool navigator::key_char(int character) {
    if (character != kCharEscape) return false;
    if (args_.borderless) host_.close();
    return true;
}

}  // namespace viewer
