// Lumo.exe driven under Wine: its command line, its menus, the links it shows, runs or closes
// on, Home and Back with the five-slot history, and the Escape rules.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/gui_driver.h"
#include "lumo/viewer_ids.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"
#include "unit/test_support.h"

namespace {

constexpr char kCaption[] = "lumoview";
namespace ids = lumo::viewer_ids;
const char* const kReportArguments = "- - - - - - 400 720";

// A page whose links are what the tests follow, by number (Tab moves between them).
std::string index_page() {
    return "<html><body bgcolor='#FAE6E6'>\r\n"
           "<h2><font size=7><a href='p1.htm'>FIRST</a></font></h2>\r\n"  // link 0
           "<a href='bat\\mark.bat'>run the batch</a><br>\r\n"            // link 1
           "<a href='bye.quit'>close</a><br>\r\n"                         // link 2
           "<a href='missing.htm'>gone</a><br>\r\n"                       // link 3
           "<a href='sub\\other.htm'>sub page</a><br>\r\n"                // link 4
           "<input type='checkbox'> tick me\r\n"
           "</body></html>\r\n";
}

std::string chain_page(int n) {  // p<n>.htm links to p<n+1>.htm
    return "<html><body><h3>Page " + std::to_string(n) + "</h3><a href='p" + std::to_string(n + 1) +
           ".htm'>next</a></body></html>";
}

// The pixels of a window's menu bar as the screen shows them.
std::vector<COLORREF> menu_bar_pixels(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int width = client.right, height = GetSystemMetrics(SM_CYMENU) - 1;
    std::vector<COLORREF> pixels(static_cast<std::size_t>(width) *
                                 static_cast<std::size_t>(height));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y - height - 1, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// A window of this process with the menus the viewer should show, drawn by the same system:
// where the two menu bars look alike, item for item, the viewer's menus are as expected.
// (Wine lets no process read another one's menus, so they are compared as pictures.)
class reference_menu {
public:
    reference_menu(int width, bool back_enabled) {
        HMENU bar = CreateMenu();
        HMENU file = CreatePopupMenu();
        AppendMenuW(file, MF_STRING, ids::menu_exit, L"Exit");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"File");
        AppendMenuW(bar, MF_STRING, ids::menu_home, L"Home");
        AppendMenuW(bar, MF_STRING | (back_enabled ? 0u : MF_GRAYED), ids::menu_back, L"Back");
        // Never active, so that the viewer's own activation is left alone.
        window_ = CreateWindowExW(WS_EX_NOACTIVATE, L"STATIC", L"reference", WS_OVERLAPPEDWINDOW, 0,
                                  0, width, 80, nullptr, bar, nullptr, nullptr);
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        UpdateWindow(window_);
        // Drawn once the bar shows its items (more than one colour) and two reads agree.
        std::vector<COLORREF> last;
        gui::wait_until([&] {
            std::vector<COLORREF> now = menu_bar_pixels(window_);
            const bool drawn =
                now == last &&
                std::adjacent_find(now.begin(), now.end(), std::not_equal_to<>()) != now.end();
            last = std::move(now);
            return drawn;
        });
    }
    ~reference_menu() { DestroyWindow(window_); }
    reference_menu(const reference_menu&) = delete;
    reference_menu& operator=(const reference_menu&) = delete;
    std::vector<COLORREF> pixels() const { return menu_bar_pixels(window_); }
    HMENU menu() const { return GetMenu(window_); }

private:
    HWND window_;
};

// The menu bars of the report window (720 pixels wide) with Back disabled and enabled, taken
// before any viewer runs, so that no window comes and goes while one does.
const std::vector<COLORREF>& reference_pixels(bool back_enabled) {
    static const std::vector<COLORREF> disabled = reference_menu(720, false).pixels();
    static const std::vector<COLORREF> enabled = reference_menu(720, true).pixels();
    return back_enabled ? enabled : disabled;
}

// True once the viewer's menu bar looks like "File", "Home", "Back" with Back in this state: the
// bar is redrawn after the message that changed it.
bool menus_look_like(HWND viewer, bool back_enabled) {
    return gui::wait_until(
        [&] { return menu_bar_pixels(viewer) == reference_pixels(back_enabled); });
}

class Lumo : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(reference_pixels(true), reference_pixels(false));
        folder_ = scratch_.path();
        ASSERT_TRUE(platform::copy_file(gui::bin_folder() + "Lumo.exe", folder_ + "Lumo.exe"));
        scratch_.write("index.htm", index_page());
        for (int n = 1; n <= 7; ++n)
            scratch_.write("p" + std::to_string(n) + ".htm", chain_page(n));
        scratch_.write("sub\\other.htm",
                       "<html><body>other <a href='..\\p1.htm'>up</a></body></html>");
        // Writes the folder it runs in, so the test sees where the shell started it.
        scratch_.write("bat\\mark.bat", "@echo off\r\ncd > marker.txt\r\n");
    }
    void TearDown() override {
        program_.reset();
        // The ended program lets go of its folder a moment later.
        EXPECT_TRUE(gui::wait_until([this] {
            return platform::remove_file(folder_ + "Lumo.exe") ||
                   !platform::file_exists(folder_ + "Lumo.exe");
        }));
    }

    // Starts the copy of Lumo in the scratch folder and waits for its window.
    HWND start(const std::string& arguments = kReportArguments, const std::string& in = "") {
        program_ = std::make_unique<gui::running_program>(folder_ + "Lumo.exe", arguments,
                                                          in.empty() ? folder_ : in);
        HWND window = gui::wait_window(program_->pid(), kCaption);
        EXPECT_NE(window, nullptr);
        if (!window) return window;
        view_ = FindWindowExW(window, nullptr, L"LumoHtmlView", nullptr);
        // Every activation shows the start page again: wait until the window's thread has taken
        // the activation, so that no late one undoes what a test does next.
        gui::wait_active(window);
        return window;
    }
    std::string shown() const { return gui::window_text(view_); }
    std::string page(const std::string& name) const { return folder_ + name; }

    // Keys are sent, not posted: each returns once the viewer has handled it.
    void send(UINT message, int code) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(view_, message, static_cast<WPARAM>(code), 1, SMTO_ABORTIFHUNG, 10000,
                            &ignored);
    }
    void key(int vk) { send(WM_KEYDOWN, vk); }
    void character(int ch) { send(WM_CHAR, ch); }
    // Follows the link with this number: Tab moves the focus from link to link.
    void follow(int link) {
        for (int i = 0; i <= link; ++i) key(VK_TAB);
        key(VK_RETURN);
    }
    // Whether the menu bar shows Back in this state (in a window of the report's width, 720).
    static bool back_shown(HWND window, bool enabled) { return menus_look_like(window, enabled); }

    testing_support::scratch_folder scratch_;
    std::string folder_;
    std::unique_ptr<gui::running_program> program_;
    HWND view_ = nullptr;
};

}  // namespace

TEST_F(Lumo, ReportCommandLineShowsIndexCentredWithTheMenus) {
    HWND window = start();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(shown(), page("index.htm"));
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 720);
    EXPECT_EQ(r.bottom - r.top, 400);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 720) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 400) / 2);
    EXPECT_NE(GetMenu(window), nullptr);
    EXPECT_TRUE(menus_look_like(window, false));  // "File", "Home", "Back" disabled
    EXPECT_NE(menu_bar_pixels(window), reference_pixels(true));
    EXPECT_FALSE(gui::item_visible(window, ids::strip));
    EXPECT_FALSE(IsZoomed(window));
}

TEST_F(Lumo, StartedFromAnotherFolderOpensIndexOfThatFolder) {
    testing_support::scratch_folder other;
    other.write("index.htm", "<html><body>elsewhere</body></html>");
    start(kReportArguments, other.path());
    EXPECT_EQ(shown(), other.path() + "index.htm");
}

TEST_F(Lumo, DefaultSizeAndABadHeight) {
    HWND window = start("- - - - - - tall 700");
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 700);
    EXPECT_EQ(r.bottom - r.top, 480);
}

TEST_F(Lumo, StartPageByName) {
    start("- sub\\other.htm - - - - 300 500");
    EXPECT_EQ(shown(), page("sub\\other.htm"));
}

TEST_F(Lumo, DebugModeShowsTheStripAndWhatALinkDoes) {
    HWND window = start("debug - - - - - 400 720");
    EXPECT_TRUE(gui::item_visible(window, ids::strip));
    EXPECT_EQ(gui::item_text(window, ids::strip), "Debug mode - link file names shown here...");
    follow(0);
    EXPECT_EQ(gui::item_text(window, ids::strip), "trying to display: p1.htm");
}

TEST_F(Lumo, MaximisedWithM) {
    HWND window = start("- - - - M - 400 720");
    EXPECT_TRUE(IsZoomed(window));
}

TEST_F(Lumo, PageLinkShowsThePageAndBackReturns) {
    HWND window = start();
    follow(0);
    EXPECT_EQ(shown(), page("p1.htm"));
    EXPECT_TRUE(back_shown(window, true));
    gui::click_sync(window, ids::menu_back);
    EXPECT_EQ(shown(), page("index.htm"));
    EXPECT_TRUE(back_shown(window, false));
}

TEST_F(Lumo, SixPageChangesKeepFiveForBack) {
    HWND window = start();
    follow(0);  // index -> p1, then p1 -> p2 ... p6 -> p7
    for (int n = 1; n <= 6; ++n) follow(0);
    EXPECT_EQ(shown(), page("p7.htm"));
    std::vector<std::string> visited;
    for (int n = 0; n < 5; ++n) {
        EXPECT_TRUE(back_shown(window, true)) << "after " << n << " steps back";
        key(VK_LEFT);
        visited.push_back(shown());
    }
    EXPECT_TRUE(back_shown(window, false));  // five pages back, no more
    EXPECT_EQ(visited, (std::vector<std::string>{page("p6.htm"), page("p5.htm"), page("p4.htm"),
                                                 page("p3.htm"), page("p2.htm")}));
}

TEST_F(Lumo, HomeKeyAndMenuShowTheIndexBesideTheProgram) {
    HWND window = start();
    follow(4);
    EXPECT_EQ(shown(), page("sub\\other.htm"));
    key(VK_HOME);
    EXPECT_EQ(shown(), page("index.htm"));
    EXPECT_TRUE(back_shown(window, true));  // Home leaves the history as it was
    follow(0);
    gui::click_sync(window, ids::menu_home);
    EXPECT_EQ(shown(), page("index.htm"));
}

TEST_F(Lumo, LeftArrowDoesNothingWhileBackIsDisabled) {
    HWND window = start();
    key(VK_LEFT);
    EXPECT_EQ(shown(), page("index.htm"));
    EXPECT_TRUE(back_shown(window, false));
}

TEST_F(Lumo, BatchLinkRunsInThePageFolderAndLeavesThePage) {
    HWND window = start();
    follow(1);
    std::string marker;  // complete once its line has ended
    gui::wait_until([&] {
        platform::read_file(page("marker.txt"), marker);
        return marker.find('\n') != std::string::npos;
    });
    ASSERT_FALSE(marker.empty()) << "the batch file did not run";
    std::string folder = folder_.substr(0, folder_.size() - 1);
    EXPECT_EQ(text::to_lower_ascii(marker.substr(0, folder.size())), text::to_lower_ascii(folder));
    EXPECT_EQ(shown(), page("index.htm"));
    EXPECT_TRUE(back_shown(window, false));
}

TEST_F(Lumo, PageWithCapitalExtensionGoesToTheShell) {
    scratch_.write("upper.htm", "<html><body><a href='p1.HTM'>capital</a></body></html>");
    HWND window = start("debug upper.htm - - - - 400 720");
    follow(0);
    EXPECT_EQ(gui::item_text(window, ids::strip), "attempting to execute: p1.HTM");
    EXPECT_EQ(shown(), page("upper.htm"));
    EXPECT_TRUE(back_shown(window, false));
}

TEST_F(Lumo, QuitLinkCloses) {
    start();
    follow(2);
    EXPECT_TRUE(program_->wait_exit(5000));
}

TEST_F(Lumo, MissingPageLeavesTheViewEmptyAndBackWorks) {
    HWND window = start();
    follow(3);
    EXPECT_EQ(shown(), "");
    EXPECT_TRUE(back_shown(window, true));
    key(VK_LEFT);
    EXPECT_EQ(shown(), page("index.htm"));
}

TEST_F(Lumo, EscapeDoesNothingInAFramedWindow) {
    HWND window = start();
    character(27);
    EXPECT_FALSE(program_->wait_exit(500));
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(Lumo, EscapeClosesTheBorderlessWindow) {
    HWND window = start("- - - - - N 400 720");
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_CAPTION, 0);
    character(27);
    EXPECT_TRUE(program_->wait_exit(5000));
}

TEST_F(Lumo, ActivationReloadsTheStartPage) {
    HWND window = start();
    follow(0);
    ASSERT_EQ(shown(), page("p1.htm"));
    // Another window takes the focus, then the viewer gets it back.
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 200, 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    EXPECT_TRUE(gui::wait_until([&] { return GetForegroundWindow() == other; }));
    SetForegroundWindow(window);
    EXPECT_TRUE(gui::wait_until([&] { return shown() == page("index.htm"); })) << shown();
    DestroyWindow(other);
}

namespace {

// The view's pixels as the screen shows them.
std::vector<COLORREF> view_pixels(HWND view) {
    RECT r{};
    GetClientRect(view, &r);
    POINT origin{0, 0};
    ClientToScreen(view, &origin);
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, r.right, r.bottom, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = r.right;
    info.bmiHeader.biHeight = -r.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    pixels.resize(static_cast<std::size_t>(r.right) * static_cast<std::size_t>(r.bottom));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(r.bottom), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The view's picture once the screen shows what it painted: what waits to be painted is painted
// now, and the picture counts once two reads in a row agree.
std::vector<COLORREF> settled_pixels(HWND view) {
    UpdateWindow(view);
    std::vector<COLORREF> last = view_pixels(view);
    gui::wait_until([&] {
        std::vector<COLORREF> now = view_pixels(view);
        const bool same = now == last;
        last = std::move(now);
        return same;
    });
    return last;
}

// The view's next settled picture that differs from this one (this one when none comes).
std::vector<COLORREF> next_picture(HWND view, const std::vector<COLORREF>& before) {
    std::vector<COLORREF> now = before;
    gui::wait_until([&] {
        now = settled_pixels(view);
        return now != before;
    });
    return now;
}

// True once the view shows exactly this picture.
bool shows(HWND view, const std::vector<COLORREF>& picture) {
    return gui::wait_until([&] { return view_pixels(view) == picture; });
}

// Rows of the view holding anything but the background colour: more when lines wrap.
int ink_rows(HWND view) {
    RECT r{};
    GetClientRect(view, &r);
    const auto pixels = view_pixels(view);
    const int width = r.right - GetSystemMetrics(SM_CXVSCROLL);  // without the scroll bar
    int rows = 0;
    for (int y = 0; y < r.bottom; ++y) {
        bool ink = false;
        for (int x = 0; x < width && !ink; ++x)
            ink = pixels[static_cast<std::size_t>(y * r.right + x)] != pixels[0];
        rows += ink ? 1 : 0;
    }
    return rows;
}

void send_mouse(HWND view, UINT message, int x, int y, WPARAM buttons) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(view, message, buttons, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 10000,
                        &ignored);
}

void click_at(HWND view, int x, int y) {
    send_mouse(view, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    send_mouse(view, WM_LBUTTONUP, x, y, 0);
}

// Presses keys as the keyboard would, into the window that has the focus.
void press(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD k : keys) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = k;
        inputs.push_back(in);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *--it;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::string clipboard_text() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            for (const wchar_t* c = wide; *c; ++c) text += static_cast<char>(*c < 128 ? *c : '?');
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void clear_clipboard() {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    CloseClipboard();
}

}  // namespace

TEST_F(Lumo, MouseClickOnALinkFollowsIt) {
    start();
    click_at(view_, 30, 50);  // inside the large first link
    EXPECT_EQ(shown(), page("p1.htm"));
}

TEST_F(Lumo, CheckBoxTicksAndUnticks) {
    scratch_.write("box.htm", "<html><body><input type=checkbox> tick</body></html>");
    start("- box.htm - - - - 300 400");
    const auto before = settled_pixels(view_);
    click_at(view_, 15, 15);
    EXPECT_NE(next_picture(view_, before), before);
    click_at(view_, 15, 15);
    EXPECT_TRUE(shows(view_, before));
}

TEST_F(Lumo, SelectAllAndCopy) {
    HWND window = start();
    SetForegroundWindow(window);
    clear_clipboard();
    press({VK_CONTROL, 'A'});
    press({VK_CONTROL, 'C'});
    std::string copied;
    EXPECT_TRUE(gui::wait_until([&] { return !(copied = clipboard_text()).empty(); }));
    EXPECT_NE(copied.find("FIRST\r\nrun the batch\r\nclose\r\n"), std::string::npos) << copied;
    EXPECT_NE(copied.find("tick me"), std::string::npos);
}

TEST_F(Lumo, DraggingSelectsTextThatCopies) {
    scratch_.write("words.htm", "<html><body><font size=7>alpha beta</font></body></html>");
    HWND window = start("- words.htm - - - - 300 600");
    SetForegroundWindow(window);
    clear_clipboard();
    // From the left margin to far right of the words, along their line.
    send_mouse(view_, WM_LBUTTONDOWN, 2, 30, MK_LBUTTON);
    send_mouse(view_, WM_MOUSEMOVE, 500, 30, MK_LBUTTON);
    send_mouse(view_, WM_LBUTTONUP, 500, 30, 0);
    press({VK_CONTROL, 'C'});
    EXPECT_TRUE(gui::wait_until([] { return clipboard_text() == "alpha beta"; }))
        << clipboard_text();
}

TEST_F(Lumo, ScrollsWithKeysAndWheel) {
    std::string long_page = "<html><body>";
    for (int i = 0; i < 200; ++i) long_page += "line " + std::to_string(i) + "<br>";
    scratch_.write("long.htm", long_page + "</body></html>");
    start("- long.htm - - - - 400 500");
    const auto top = settled_pixels(view_);
    key(VK_NEXT);
    EXPECT_NE(next_picture(view_, top), top);
    key(VK_PRIOR);
    EXPECT_TRUE(shows(view_, top));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(view_, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0, SMTO_ABORTIFHUNG,
                        5000, &ignored);
    const auto wheeled = next_picture(view_, top);
    EXPECT_NE(wheeled, top);
    key(VK_END);
    const auto bottom = next_picture(view_, wheeled);
    EXPECT_NE(bottom, wheeled);
    key(VK_UP);
    const auto line_up = next_picture(view_, bottom);
    EXPECT_NE(line_up, bottom);
    key(VK_DOWN);
    EXPECT_TRUE(shows(view_, bottom));
    // Already at the end: Down moves nothing, so Up comes back to the line above the end.
    key(VK_DOWN);
    key(VK_UP);
    EXPECT_TRUE(shows(view_, line_up));
}

TEST_F(Lumo, ResizingLaysThePageOutAgain) {
    scratch_.write("wrap.htm", "<html><body>" + std::string(40, 'x') + " " + std::string(40, 'y') +
                                   " " + std::string(40, 'z') + "</body></html>");
    HWND window = start("- wrap.htm - - - - 300 700");
    const auto wide = settled_pixels(view_);
    const int wide_rows = ink_rows(view_);
    SetWindowPos(window, nullptr, 0, 0, 350, 300, SWP_NOMOVE | SWP_NOZORDER);
    // The words now take a line each.
    EXPECT_TRUE(gui::wait_until([&] { return ink_rows(view_) > wide_rows; }));
    SetWindowPos(window, nullptr, 0, 0, 700, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(shows(view_, wide));  // the same width gives the same picture back
    EXPECT_EQ(shown(), page("wrap.htm"));
}

TEST_F(Lumo, ReportScreenshots) {
    std::string report;
    ASSERT_TRUE(platform::read_file(testing_support::fixture("html\\report.htm"), report));
    scratch_.write("index.htm", report);
    HWND window = start();
    EXPECT_EQ(shown(), page("index.htm"));
    gui::screenshot(window, "lumo-report-720");
    click_at(view_, 50, 184);  // the first entry's check box
    gui::screenshot(window, "lumo-report-ticked");
    HWND debug = nullptr;
    program_.reset();
    debug = start("debug - - - - - 400 720");
    key(VK_TAB);
    gui::screenshot(debug, "lumo-report-debug-focus");

    // A longer report scrolled by the wheel under the debug strip.
    std::string entries;
    for (int i = 2; i < 60; ++i)
        entries += "<li><input type='checkbox'> <a href='bat\\" + std::to_string(i) +
                   ".bat'>src\\App.java:" + std::to_string(i * 7) +
                   "</a>: <b> error: cannot find symbol</b><br><u>symbol:&nbsp;&nbsp;</u>   "
                   "variable x" +
                   std::to_string(i) + "<br>&nbsp;</li>\r\n";
    scratch_.write("long.htm",
                   report.substr(0, report.find("<li>")) + entries + "</ol></body></html>");
    program_.reset();
    debug = start("debug long.htm - - - - 400 720");
    for (int i = 0; i < 5; ++i) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(view_, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0, SMTO_ABORTIFHUNG,
                            5000, &ignored);
    }
    gui::screenshot(debug, "lumo-report-debug-scrolled");
}

namespace {

// A 24-bit bitmap file of one colour.
std::string bitmap_file(int width, int height, COLORREF color) {
    const int row = (width * 3 + 3) / 4 * 4;
    const int size = 54 + row * height;
    std::string b(static_cast<std::size_t>(size), '\0');
    auto put32 = [&](int at, int v) {
        for (int i = 0; i < 4; ++i)
            b[static_cast<std::size_t>(at + i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    b[26] = 1;
    b[28] = 24;
    put32(34, row * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(54 + y * row + x * 3);
            b[at] = static_cast<char>(GetBValue(color));
            b[at + 1] = static_cast<char>(GetGValue(color));
            b[at + 2] = static_cast<char>(GetRValue(color));
        }
    return b;
}

}  // namespace

TEST_F(Lumo, PictureLinkShowsThePicture) {
    scratch_.write("pic.bmp", bitmap_file(40, 30, RGB(0, 128, 0)));
    scratch_.write("pics.htm", "<html><body><a href='pic.bmp'>picture</a></body></html>");
    HWND window = start("- pics.htm - - - - 300 400");
    follow(0);
    EXPECT_EQ(shown(), page("pic.bmp"));
    EXPECT_TRUE(gui::wait_until([&] {
        const auto pixels = view_pixels(view_);
        return std::any_of(pixels.begin(), pixels.end(),
                           [](COLORREF p) { return (p & 0xFFFFFF) == 0x008000; });
    }));
    gui::screenshot(window, "lumo-picture");
    key(VK_LEFT);
    EXPECT_EQ(shown(), page("pics.htm"));
}

TEST_F(Lumo, AnchorInTheStartPageScrollsToIt) {
    std::string long_page = "<html><body>";
    for (int i = 0; i < 150; ++i) long_page += "line " + std::to_string(i) + "<br>";
    scratch_.write("anchor.htm", long_page + "<a name='end'>the end</a></body></html>");
    start("- anchor.htm - - - - 400 500");
    const auto top = settled_pixels(view_);
    program_.reset();
    start("- anchor.htm#end - - - - 400 500");
    EXPECT_EQ(shown(), page("anchor.htm"));
    EXPECT_NE(settled_pixels(view_), top);
    key(VK_HOME | 0x100);  // not a key: nothing changes
    key(VK_PRIOR);
    for (int i = 0; i < 20; ++i) key(VK_PRIOR);
    EXPECT_TRUE(shows(view_, top));  // the same page, scrolled up to its top
}

namespace {

HCURSOR cursor_at(HWND view, int x, int y) {
    POINT at{x, y};
    ClientToScreen(view, &at);
    SetCursorPos(at.x, at.y);
    // The pointer's moves reach the view late, and a late one may put the pointer back where an
    // earlier move left it: the shape counts once the pointer stands here and the view, asked
    // for its shape, gives the same one twice in a row.
    HCURSOR last = nullptr;
    EXPECT_TRUE(gui::wait_until([&] {
        POINT now{};
        GetCursorPos(&now);
        if (now.x != at.x || now.y != at.y) {
            SetCursorPos(at.x, at.y);
            last = nullptr;
            return false;
        }
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(view, WM_SETCURSOR, reinterpret_cast<WPARAM>(view),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE), SMTO_ABORTIFHUNG, 5000, &ignored);
        CURSORINFO info{};
        info.cbSize = sizeof info;
        GetCursorInfo(&info);
        const bool steady = last && info.hCursor == last;
        last = info.hCursor;
        return steady;
    })) << "no steady cursor at "
        << x << "," << y;
    return last;
}

}  // namespace

TEST_F(Lumo, HandCursorOverLinks) {
    HWND window = start();
    SetForegroundWindow(window);
    // Wine lets no process look into another one's cursors, so they are told apart: the same
    // shape over either link, another one over the empty part of the page.
    const HCURSOR over_first = cursor_at(view_, 30, 50);    // the large first link
    const HCURSOR over_second = cursor_at(view_, 30, 104);  // "run the batch"
    const HCURSOR over_nothing = cursor_at(view_, 600, 300);
    EXPECT_EQ(over_first, over_second);
    EXPECT_NE(over_first, over_nothing);
    EXPECT_EQ(cursor_at(view_, 600, 310), over_nothing);
}

TEST_F(Lumo, FileExitCloses) {
    HWND window = start();
    gui::click(window, ids::menu_exit);
    EXPECT_TRUE(program_->wait_exit(5000));
}
