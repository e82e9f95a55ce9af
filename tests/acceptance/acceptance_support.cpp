#include "acceptance/acceptance_support.h"

#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <winver.h>

#include <memory>

#include "gui/gui_driver.h"
#include "platform/platform.h"
#include "platform/win32/utf16.h"

namespace acceptance {

namespace {

constexpr const wchar_t* kUninstallKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vexlo";

std::string shell_folder(int csidl) {
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, 0, buffer))) return "";
    std::string folder = platform::narrow(buffer);
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

struct com_scope {
    com_scope() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~com_scope() { CoUninitialize(); }
};

struct window_search {
    DWORD pid = 0;  // 0: any process
    HWND besides = nullptr;
    std::wstring title;
    bool any_title = false;
    HWND found = nullptr;
};

bool is_message_box(HWND window) {
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    return std::wstring(cls) == L"#32770" && GetDlgItem(window, 0xFFFF) != nullptr;
}

BOOL CALLBACK find_window(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<window_search*>(param);
    if (!IsWindowVisible(window) || window == s->besides || is_message_box(window)) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (s->pid != 0 && pid != s->pid) return TRUE;
    if (!s->any_title && platform::widen(gui::window_text(window)) != s->title) return TRUE;
    s->found = window;
    return FALSE;
}

HWND wait_for(window_search s, int timeout_ms) {
    gui::wait_until(
        [&s] {
            s.found = nullptr;
            EnumWindows(find_window, reinterpret_cast<LPARAM>(&s));
            return s.found != nullptr;
        },
        timeout_ms);
    return s.found;
}

BOOL CALLBACK find_edit(HWND child, LPARAM param) {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    if (_wcsicmp(cls, L"Edit") != 0 || !IsWindowVisible(child)) return TRUE;
    *reinterpret_cast<HWND*>(param) = child;
    return FALSE;
}

}  // namespace

std::string setup_file() {
    return platform::environment_variable("VEXLO_SETUP");
}

std::string installed_folder() {
    return shell_folder(CSIDL_LOCAL_APPDATA) + "Programs\\Vexlo\\";
}

std::string start_menu_folder() {
    return shell_folder(CSIDL_PROGRAMS) + "Vexlo\\";
}

std::string documents_folder() {
    return shell_folder(CSIDL_PERSONAL);
}

bool uninstall_entry_exists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::string uninstall_value(const std::string& name) {
    wchar_t buffer[2048] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, platform::widen(name).c_str(), RRF_RT_REG_SZ,
                     nullptr, buffer, &size) != ERROR_SUCCESS)
        return "";
    return platform::narrow(buffer);
}

DWORD uninstall_number(const std::string& name) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, platform::widen(name).c_str(),
                     RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return 0;
    return value;
}

namespace {
std::vector<BYTE> version_block(const std::string& file) {
    const std::wstring path = platform::widen(file);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, block.data())) block.clear();
    return block;
}
}  // namespace

std::string version_string(const std::string& file, const std::string& name) {
    std::vector<BYTE> block = version_block(file);
    if (block.empty()) return "";
    struct translation {
        WORD language, code_page;
    }* translations = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translations), &length) ||
        length < sizeof(translation))
        return "";
    wchar_t query[128];
    swprintf(query, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translations[0].language,
             translations[0].code_page, platform::widen(name).c_str());
    wchar_t* value = nullptr;
    if (!VerQueryValueW(block.data(), query, reinterpret_cast<void**>(&value), &length) || !value)
        return "";
    return platform::narrow(value);
}

std::string fixed_file_version(const std::string& file) {
    std::vector<BYTE> block = version_block(file);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (block.empty() ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed)
        return "";
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(LOWORD(fixed->dwFileVersionMS));
}

int icon_count(const std::string& file) {
    return static_cast<int>(ExtractIconExW(platform::widen(file).c_str(), -1, nullptr, nullptr, 0));
}

std::string shortcut_target(const std::string& link) {
    com_scope com;
    IShellLinkW* shell_link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shell_link))))
        return "";
    std::string target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shell_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(platform::widen(link).c_str(), STGM_READ)) &&
            SUCCEEDED(shell_link->GetPath(path, MAX_PATH, nullptr, 0)))
            target = platform::narrow(path);
        file->Release();
    }
    shell_link->Release();
    return target;
}

int run_and_wait(const std::string& command_line, int timeout_ms) {
    std::wstring command = platform::widen(command_line);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(pi.hProcess, static_cast<DWORD>(timeout_ms)) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 99);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

bool shell_open(const std::string& file) {
    com_scope com;
    const std::wstring path = platform::widen(file);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

HWND wait_window_titled(const std::string& title, int timeout_ms) {
    window_search s;
    s.title = platform::widen(title);
    return wait_for(s, timeout_ms);
}

HWND wait_other_window(DWORD pid, HWND besides, int timeout_ms) {
    window_search s;
    s.pid = pid;
    s.besides = besides;
    s.any_title = true;
    return wait_for(s, timeout_ms);
}

DWORD process_of(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

namespace {
struct text_search {
    std::wstring text;
    bool found = false;
};
BOOL CALLBACK find_text(HWND child, LPARAM param) {
    auto* s = reinterpret_cast<text_search*>(param);
    s->found = IsWindowVisible(child) && platform::widen(gui::window_text(child)) == s->text;
    return !s->found;
}
}  // namespace

bool shows_text(HWND window, const std::string& text) {
    text_search s{platform::widen(text)};
    EnumChildWindows(window, find_text, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

bool wait_gone(HWND window, int timeout_ms) {
    return gui::wait_until([window] { return !IsWindow(window) || !IsWindowVisible(window); },
                           timeout_ms);
}

bool choose_in_folder_browser(HWND browser, const std::vector<std::string>& names) {
    HWND edit = nullptr;
    EnumChildWindows(browser, find_edit, reinterpret_cast<LPARAM>(&edit));
    HWND tree = FindWindowExW(browser, nullptr, L"SysTreeView32", nullptr);
    if (!edit || !tree) return false;
    // Tree items are handles of the browser's process: only passed back, never read here. The
    // browser names the selected folder in its edit box.
    auto send = [tree](UINT message, WPARAM w, LPARAM l) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(tree, message, w, l, SMTO_ABORTIFHUNG, 10000, &result);
        return static_cast<LPARAM>(result);
    };
    LPARAM item = send(TVM_GETNEXTITEM, TVGN_ROOT, 0);
    for (const std::string& name : names) {
        send(TVM_EXPAND, TVE_EXPAND, item);
        LPARAM child = send(TVM_GETNEXTITEM, TVGN_CHILD, item);
        for (; child; child = send(TVM_GETNEXTITEM, TVGN_NEXT, child)) {
            send(TVM_SELECTITEM, TVGN_CARET, child);
            gui::settle(browser);
            if (_wcsicmp(platform::widen(gui::window_text(edit)).c_str(),
                         platform::widen(name).c_str()) == 0)
                break;
        }
        if (!child) return false;
        item = child;
    }
    return true;
}

void shot(HWND window, const std::string& name) {
    static int count = 0;
    char number[8];
    snprintf(number, sizeof number, "%02d-", ++count);
    gui::screenshot(window, number + name);
}

bool write_disc_png(const std::string& path, int size) {
    gui::start_gdiplus_once();
    Gdiplus::Bitmap bitmap(size, size, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics g(&bitmap);
        g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        g.Clear(Gdiplus::Color(0, 0, 0, 0));
        Gdiplus::SolidBrush night(Gdiplus::Color(255, 30, 40, 110));
        g.FillEllipse(&night, size / 16, size / 16, size * 7 / 8, size * 7 / 8);
        Gdiplus::SolidBrush star(Gdiplus::Color(255, 250, 210, 60));
        g.FillEllipse(&star, size * 3 / 8, size * 3 / 8, size / 4, size / 4);
    }
    CLSID clsid;
    return gui::png_encoder(clsid) &&
           bitmap.Save(platform::widen(path).c_str(), &clsid, nullptr) == Gdiplus::Ok;
}

}  // namespace acceptance
