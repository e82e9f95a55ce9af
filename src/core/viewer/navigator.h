#pragma once
// The viewer's behaviour: what happens on activation, on a link click, on Home and Back and on
// the keys. The window provides the operations below; the decisions are all made here.
#include <string>

#include "core/viewer/arguments.h"
#include "core/viewer/history.h"

namespace viewer {

class viewer_host {
public:
    virtual ~viewer_host() = default;
    // The view. load() takes a full path; it returns false, changing nothing, when the file
    // cannot be read. Reloading the page shown keeps its check marks and scroll position.
    virtual bool load(const std::string& path, const std::string& anchor) = 0;
    virtual void clear() = 0;  // document, base folder and scroll position
    virtual void scroll_to_anchor(const std::string& anchor) = 0;
    virtual std::string current_page() const = 0;  // full path, "" when nothing is shown
    // Shown in the empty view when a page could not be loaded.
    virtual void show_missing(const std::string& path) = 0;
    // The process.
    virtual std::string current_folder() const = 0;  // with a trailing backslash
    virtual bool set_current_folder(const std::string& folder) = 0;
    virtual void shell_open(const std::string& target) = 0;  // the "open" operation
    // The window.
    virtual void show_status(bool visible) = 0;
    virtual void set_status(const std::string& text) = 0;
    virtual void enable_back(bool enabled) = 0;
    virtual void maximise() = 0;
    virtual void close() = 0;
};

inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyHome = 36;
inline constexpr int kCharEscape = 27;

class navigator {
public:
    // program_folder: where the viewer itself lies (Home's root), with a trailing backslash.
    navigator(arguments args, std::string program_folder, viewer_host& host);

    void activated();
    void link_clicked(const std::string& target);
    void home();
    void back();
    // Keys pressed in the view; true when the key was used.
    bool key_down(int virtual_key);
    bool key_char(int character);

    bool back_enabled() const { return back_enabled_; }
    const history& pages() const { return history_; }
    const std::string& server_root() const { return server_root_; }

private:
    void set_back(bool enabled);
    void status(const std::string& text);
    void enter_page_folder();

    arguments args_;
    std::string program_folder_;
    viewer_host& host_;
    history history_;
    std::string start_path_;  // the start page, resolved once against the starting folder
    std::string server_root_;
    bool back_enabled_ = false;
};

}  // namespace viewer
