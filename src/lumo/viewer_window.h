#pragma once
// The viewer's frame: caption "lumoview", the menus "File" ("Exit"), "Home" and "Back", the red
// debug strip and the page view filling the rest. It carries out what the navigator decides.
#include <windows.h>

#include <memory>
#include <string>

#include "core/viewer/arguments.h"
#include "core/viewer/navigator.h"
#include "lumo/html_view.h"
#include "lumo/owned_window.h"
#include "winui/gdi_handles.h"

namespace lumo {

class viewer_window final : public viewer::viewer_host {
public:
    viewer_window(HINSTANCE instance, viewer::arguments args);
    ~viewer_window() override;
    viewer_window(const viewer_window&) = delete;
    viewer_window& operator=(const viewer_window&) = delete;

    // Creates the window and shows it; false when the system refuses.
    bool create(int show_command);
    HWND window() const { return window_; }
    html_view& view() { return *view_; }
    // Called once the first activation has shown the start page.
    void on_first_page(void (*callback)(viewer_window&)) { first_page_callback_ = callback; }

    // viewer_host
    bool load(const std::string& path, const std::string& anchor) override;
    void clear() override;
    void scroll_to_anchor(const std::string& anchor) override;
    std::string current_page() const override;
    void show_missing(const std::string& path) override;
    std::string current_folder() const override;
    bool set_current_folder(const std::string& folder) override;
    void shell_open(const std::string& target) override;
    void show_status(bool visible) override;
    void set_status(const std::string& text) override;
    void enable_back(bool enabled) override;
    void maximise() override;
    void close() override;

private:
    template <typename Owner>
    friend LRESULT dispatch_to_owner(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    void on_create();
    void place_children();
    void on_activate();

    HINSTANCE instance_;
    viewer::arguments args_;
    HWND window_ = nullptr;
    HWND strip_ = nullptr;
    HMENU menu_ = nullptr;
    std::unique_ptr<html_view> view_;
    std::unique_ptr<viewer::navigator> navigator_;
    winui::unique_font strip_font_;
    winui::unique_brush strip_brush_;
    bool activating_ = false;
    bool first_page_shown_ = false;
    void (*first_page_callback_)(viewer_window&) = nullptr;
};

}  // namespace lumo
