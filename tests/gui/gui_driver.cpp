#include "gui/gui_driver.h"
#include "gui/png_facts.h"

#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>

#include <chrono>
#include <memory>
#include <thread>

#include "platform/platform.h"
#include "platform/win32/utf16.h"

namespace gui {

std::string bin_folder() {
    return platform::program_folder();  // the tests are built beside the programs
}

std::string scratch_root() {
    static const std::string root = [] {
        std::string r =
            platform::temp_folder() + "\\vx-gui-" + std::to_string(GetCurrentProcessId());
        platform::make_directories(r);
        return r + "\\";
    }();
    return root;
}

running_program::running_program(const std::string& exe, const std::string& arguments,
                                 const std::string& folder) {
    std::wstring command = L"\"" + platform::widen(exe) + L"\"";
    if (!arguments.empty()) command += L" " + platform::widen(arguments);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    const std::wstring dir = platform::widen(folder);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : dir.c_str(), &si, &info_))
        info_ = {};
    if (info_.hProcess) WaitForInputIdle(info_.hProcess, 10000);
}

running_program::~running_program() {
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool running_program::wait_exit(int timeout_ms, DWORD* exit_code) {
    if (!info_.hProcess) return true;
    if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout_ms)) != WAIT_OBJECT_0)
        return false;
    if (exit_code) GetExitCodeProcess(info_.hProcess, exit_code);
    return true;
}

namespace {

struct search {
    DWORD pid;
    std::wstring title;
    bool any_title;
    bool message_box;
    HWND found = nullptr;
};

BOOL CALLBACK find_top_level(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !IsWindowVisible(hwnd)) return TRUE;
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    const bool is_box = std::wstring(cls) == L"#32770" && GetDlgItem(hwnd, 0xFFFF) != nullptr;
    if (s->message_box) {
        if (is_box) {
            s->found = hwnd;
            return FALSE;
        }
        return TRUE;
    }
    if (is_box) return TRUE;
    if (s->any_title || platform::widen(window_text(hwnd)) == s->title) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND wait_for(search s, int timeout_ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    do {
        s.found = nullptr;
        EnumWindows(find_top_level, reinterpret_cast<LPARAM>(&s));
        if (s.found) return s.found;
        pause_ms(50);
    } while (std::chrono::steady_clock::now() < end);
    return nullptr;
}

}  // namespace

HWND wait_window(DWORD pid, const std::string& title, int timeout_ms) {
    return wait_for(search{pid, platform::widen(title), title.empty(), false}, timeout_ms);
}

HWND wait_message_box(DWORD pid, int timeout_ms) {
    return wait_for(search{pid, L"", true, true}, timeout_ms);
}

bool no_message_box(DWORD pid, int wait_ms) {
    return wait_message_box(pid, wait_ms) == nullptr;
}

std::string window_text(HWND window) {
    wchar_t buffer[4096] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    return platform::narrow(buffer);
}

std::string item_text(HWND dialog, int id) {
    return window_text(GetDlgItem(dialog, id));
}
std::string message_text(HWND box) {
    return item_text(box, 0xFFFF);
}
bool item_enabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != 0;
}
bool item_visible(HWND dialog, int id) {
    return IsWindowVisible(GetDlgItem(dialog, id)) != 0;
}

void set_item_text(HWND dialog, int id, const std::string& text) {
    const std::wstring w = platform::widen(text);
    SendMessageTimeoutW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
    settle(dialog);
}

void click(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void click_sync(HWND dialog, int id) {
    SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)), SMTO_ABORTIFHUNG, 10000,
                        nullptr);
}

void answer(HWND box, int button_id) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button_id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button_id)));
    for (int i = 0; i < 100 && IsWindow(box); ++i) pause_ms(20);
}

bool is_checked(HWND dialog, int id) {
    return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void settle(HWND window) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

void pause_ms(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::vector<std::string> combo_items(HWND dialog, int id) {
    HWND combo = GetDlgItem(dialog, id);
    std::vector<std::string> items;
    const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t buffer[1024] = {};
        if (SendMessageW(combo, CB_GETLBTEXTLEN, i, 0) < 1024)
            SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer));
        items.push_back(platform::narrow(buffer));
    }
    return items;
}

bool wait_until(const std::function<bool()>& condition, int timeout_ms) {
    for (int waited = 0; waited < timeout_ms; waited += 50) {
        if (condition()) return true;
        pause_ms(50);
    }
    return condition();
}

bool wait_active(HWND window, int timeout_ms) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    const bool active = wait_until(
        [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(thread, &info) && info.hwndActive == window;
        },
        timeout_ms);
    settle(window);
    return active;
}

int combo_selection(HWND dialog, int id) {
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, id), CB_GETCURSEL, 0, 0));
}

void combo_choose(HWND dialog, int id, int index) {
    HWND combo = GetDlgItem(dialog, id);
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
}

namespace {

constexpr int kFileNameBox = 0x47C;   // the file name combo box of the common file dialogs
constexpr int kFileNameEdit = 0x480;  // the plain edit box of older templates

struct file_dialog_search {
    DWORD pid;
    HWND found = nullptr;
};

BOOL CALLBACK find_file_dialog(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<file_dialog_search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != s->pid || !IsWindowVisible(window)) return TRUE;
    if (GetDlgItem(window, kFileNameBox) || GetDlgItem(window, kFileNameEdit)) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND wait_file_dialog(DWORD pid, int timeout_ms) {
    for (int waited = 0;; waited += 50) {
        file_dialog_search s{pid};
        EnumWindows(find_file_dialog, reinterpret_cast<LPARAM>(&s));
        if (s.found || waited >= timeout_ms) return s.found;
        pause_ms(50);
    }
}

void type_into_file_dialog(HWND dialog, const std::string& path) {
    HWND box = GetDlgItem(dialog, kFileNameBox);
    if (HWND inner = box ? FindWindowExW(box, nullptr, L"Edit", nullptr) : nullptr) box = inner;
    if (!box) box = GetDlgItem(dialog, kFileNameEdit);
    const std::wstring w = platform::widen(path);
    SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()), SMTO_ABORTIFHUNG,
                        5000, nullptr);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

void start_gdiplus_once() {
    static ULONG_PTR token = [] {
        ULONG_PTR t = 0;
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&t, &input, nullptr);
        return t;
    }();
    (void)token;
}

bool png_encoder(CLSID& clsid) {
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    if (size == 0) return false;
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, size, codecs);
    for (UINT i = 0; i < count; ++i)
        if (std::wstring(codecs[i].MimeType) == L"image/png") {
            clsid = codecs[i].Clsid;
            return true;
        }
    return false;
}

void screenshot(HWND window, const std::string& name) {
    const std::string folder = platform::environment_variable("VEXLO_SHOTS");
    if (folder.empty() || !window) return;
    settle(window);
    pause_ms(300);  // let the last paint reach the screen
    start_gdiplus_once();
    RECT r{};
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    {
        Gdiplus::Bitmap image(bitmap, nullptr);
        CLSID clsid;
        platform::make_directories(folder);
        if (png_encoder(clsid))
            image.Save(platform::widen(folder + "\\" + name + ".png").c_str(), &clsid, nullptr);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

png_facts read_png(const std::string& path) {
    start_gdiplus_once();
    png_facts facts;
    std::unique_ptr<Gdiplus::Bitmap> b(Gdiplus::Bitmap::FromFile(platform::widen(path).c_str()));
    if (!b || b->GetLastStatus() != Gdiplus::Ok) return facts;
    facts.loaded = true;
    facts.width = static_cast<int>(b->GetWidth());
    facts.height = static_cast<int>(b->GetHeight());
    b->GetPixel(0, 0, &facts.corner);
    b->GetPixel(facts.width / 2, facts.height / 2, &facts.centre);
    return facts;
}

}  // namespace gui
