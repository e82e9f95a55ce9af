#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "core/shell/main_window_model.h"
#include "core/text/text_helpers.h"
#include "platform/win32/utf16.h"
#include "vexlo/app_state.h"
#include "vexlo/commands.h"
#include "vexlo/project_view.h"
#include "vexlo/recent_projects_view.h"
#include "winui/text_controls.h"

namespace vexlo {

namespace {

void load_folder(HWND dialog, const std::string& chosen) {
    app().project.changes_pending = false;
    load_project(dialog, text::with_one_trailing_backslash(chosen));
}

// The folder behind an item list, without the MAX_PATH cut of the old call.
std::string folder_of(PCIDLIST_ABSOLUTE list) {
    std::wstring buffer(32768, L'\0');
    using from_list_ex = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, PWSTR, DWORD, int);
    static const auto ex = reinterpret_cast<from_list_ex>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"shell32.dll"), "SHGetPathFromIDListEx")));
    const BOOL ok = ex ? ex(list, buffer.data(), static_cast<DWORD>(buffer.size()), 0)
                       : SHGetPathFromIDListW(list, buffer.data());
    if (!ok) return "";
    buffer.resize(wcslen(buffer.c_str()));
    return platform::narrow(buffer);
}

}  // namespace

void choose_recent_project(HWND dialog) {
    HWND combo = GetDlgItem(dialog, shell::id_recent);
    const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return;
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return;
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(length));
    const std::string folder = platform::narrow(item);
    if (folder.empty() || folder[0] == '<') return;
    load_folder(dialog, folder);
}

void choose_project_folder(HWND dialog) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    BROWSEINFOW info{};
    info.hwndOwner = dialog;
    info.lpszTitle = L"Load project";
    info.ulFlags = BIF_NEWDIALOGSTYLE | BIF_EDITBOX | BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
    std::string folder;
    if (list) {
        folder = folder_of(list);
        CoTaskMemFree(list);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    if (!folder.empty()) load_folder(dialog, folder);
}

void open_recent_projects_file() {
    const std::wstring file = L"\"" + platform::widen(recent_projects_file()) + L"\"";
    ShellExecuteW(nullptr, L"open", L"notepad.exe", file.c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace vexlo
