#pragma once
// The window that shows a page: loads it, lays it out for its width, paints it through a back
// buffer, scrolls, selects and copies text, ticks check boxes and reports link clicks. Its
// window text is the full path of the page shown.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/html/document.h"
#include "core/html/hit_test.h"
#include "core/viewer/view_keys.h"
#include "lumo/gdi_fonts.h"
#include "lumo/owned_window.h"
#include "lumo/picture.h"
#include "winui/gdi_handles.h"

namespace lumo {

class html_view {
public:
    struct callbacks {
        std::function<void(const std::string& target)> link;  // the target as written
        // Keys without Ctrl or Alt, offered before the view uses them; true when used.
        std::function<bool(int virtual_key)> key;
        std::function<bool(int character)> character;
    };

    static bool register_class(HINSTANCE instance);
    html_view(HWND parent, int id, callbacks handlers);
    ~html_view();
    html_view(const html_view&) = delete;
    html_view& operator=(const html_view&) = delete;
    HWND window() const { return window_; }

    // Loads a page or picture by full path; false, changing nothing, when it cannot be read.
    // Reloading the page shown keeps its ticks and its scroll position.
    bool load(const std::string& path, const std::string& anchor);
    void clear();
    void show_missing(const std::string& path);
    void scroll_to_anchor(const std::string& anchor);
    const std::string& current_page() const { return path_; }

    // For scrolling from outside and for the measurements.
    void scroll_to(int y);
    void scroll_by(int dy) { scroll_to(scroll_y_ + dy); }
    int scroll_position() const { return scroll_y_; }
    int content_height() const { return doc_.boxes.height; }

private:
    template <typename Owner>
    friend LRESULT dispatch_to_owner(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);

    void show_unnamed(html::document doc);
    void lay_out();
    void after_new_content();
    void update_scroll_bar();
    int view_width() const;  // in page pixels (96 DPI)
    int view_height() const;
    int max_scroll() const;
    void scroll(viewer::scroll_request request);
    POINT to_page(int x, int y) const;  // client pixels to page coordinates
    void paint();
    void on_key(int virtual_key);
    void on_button_down(int x, int y, bool extend);
    void on_mouse_move(int x, int y);
    void on_button_up(int x, int y);
    void on_wheel(int delta);
    void on_scroll(int request);
    bool on_set_cursor();
    void move_link_focus(bool forward);
    void follow(int link);
    void copy_selection() const;
    bool has_selection() const { return selection_from_ != selection_to_; }

    HWND window_ = nullptr;
    callbacks handlers_;
    gdi_fonts fonts_;

    std::string path_;  // "" when no page is shown
    html::document doc_;
    std::unique_ptr<picture> picture_;
    std::vector<int> link_order_;  // links in the order they appear

    int scroll_y_ = 0;
    int wheel_rest_ = 0;
    bool scroll_bar_pending_ = false;  // its new position is yet to be drawn
    int client_width_ = 0;
    int client_height_ = 0;
    int laid_out_width_ = -1;

    bool selecting_ = false;
    html::text_position selection_from_;
    html::text_position selection_to_;
    int pressed_link_ = -1;
    POINT press_point_{};
    int focused_link_ = -1;

    HDC buffer_dc_ = nullptr;
    winui::unique_bitmap buffer_;
    SIZE buffer_size_{};
};

}  // namespace lumo
