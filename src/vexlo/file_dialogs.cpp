#include "vexlo/file_dialogs.h"

#include <commdlg.h>

#include "platform/win32/utf16.h"

namespace vexlo {

namespace {

constexpr DWORD kPathCapacity = 32768;

// Description and pattern pairs, each zero-terminated, the list ended by one more zero.
std::wstring filter_text(const std::vector<assets::filter_entry>& filter) {
    std::wstring text;
    for (const assets::filter_entry& entry : filter) {
        text += platform::widen(entry.description);
        text.push_back(L'\0');
        text += platform::widen(entry.pattern);
        text.push_back(L'\0');
    }
    text.push_back(L'\0');
    return text;
}

std::string chosen_path(const std::wstring& buffer) {
    return platform::narrow(std::wstring(buffer.c_str()));
}

}  // namespace

std::string choose_existing_file(HWND owner, const std::string& title,
                                 const std::vector<assets::filter_entry>& filter) {
    std::wstring file(kPathCapacity, L'\0');
    std::wstring current(kPathCapacity, L'\0');
    current.resize(GetCurrentDirectoryW(kPathCapacity, current.data()));
    const std::wstring caption = platform::widen(title);
    const std::wstring types = filter_text(filter);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = types.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kPathCapacity;
    ofn.lpstrInitialDir = current.c_str();
    ofn.lpstrTitle = caption.c_str();
    ofn.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&ofn)) return "";
    return chosen_path(file);
}

std::string choose_save_path(HWND owner, const std::string& title, const std::string& start_folder,
                             const std::string& proposed_name) {
    std::wstring file(kPathCapacity, L'\0');
    const std::wstring proposed = platform::widen(proposed_name);
    if (proposed.size() < kPathCapacity) file.replace(0, proposed.size(), proposed);
    const std::wstring folder = platform::widen(start_folder);
    const std::wstring caption = platform::widen(title);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kPathCapacity;
    ofn.lpstrInitialDir = folder.c_str();
    ofn.lpstrTitle = caption.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_CREATEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&ofn)) return "";
    return chosen_path(file);
}

}  // namespace vexlo
