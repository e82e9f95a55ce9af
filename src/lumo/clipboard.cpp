#include "lumo/clipboard.h"

#include <cstring>

#include "platform/win32/utf16.h"

namespace lumo {

bool copy_to_clipboard(HWND owner, const std::string& text) {
    const std::wstring wide = platform::widen(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, wide.c_str(), bytes);
    GlobalUnlock(memory);
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!ok) GlobalFree(memory);  // the clipboard owns it only when it took it
    return ok;
}

}  // namespace lumo
