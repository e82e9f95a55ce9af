#include "winui/dialog_template.h"

#include "platform/win32/utf16.h"
#include "winui/disabled_owner.h"
#include "winui/dpi.h"

namespace winui {

namespace {
void append_text(std::vector<WORD>& out, const std::wstring& text) {
    for (wchar_t c : text) out.push_back(static_cast<WORD>(c));
    out.push_back(0);
}
}  // namespace

std::vector<WORD> build_dialog_template(const dialog_outline& outline) {
    std::vector<WORD> t;
    const DWORD style = outline.style;
    t.push_back(LOWORD(style));
    t.push_back(HIWORD(style));
    t.push_back(0);  // extended style
    t.push_back(0);
    t.push_back(0);  // no controls in the template
    t.push_back(0);  // x
    t.push_back(0);  // y
    t.push_back(static_cast<WORD>(outline.width));
    t.push_back(static_cast<WORD>(outline.height));
    t.push_back(0);  // no menu
    t.push_back(0);  // the standard dialog class
    append_text(t, platform::widen(outline.caption));
    if (style & DS_SETFONT) {
        t.push_back(static_cast<WORD>(outline.point_size));
        append_text(t, platform::widen(outline.font));
    }
    if (t.size() % 2) t.push_back(0);  // DWORD alignment of the end
    return t;
}

INT_PTR run_modal_dialog(HWND owner, const dialog_outline& outline, DLGPROC procedure,
                         LPARAM parameter) {
    const std::vector<WORD> bytes = build_dialog_template(outline);
    const keep_owner_disabled kept(owner);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                   reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), owner,
                                   procedure, parameter);
}

namespace {

// A child control in the dialog's font, at a rectangle in pixels.
HWND create_child(HWND dialog, const wchar_t* window_class, const std::string& text, DWORD style,
                  DWORD ex_style, int id, const RECT& r) {
    HWND control = CreateWindowExW(
        ex_style, window_class, platform::widen(text).c_str(), style | WS_CHILD | WS_VISIBLE,
        r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    return control;
}

}  // namespace

HWND create_control(HWND dialog, const wchar_t* window_class, const std::string& text, DWORD style,
                    DWORD ex_style, int id, int x, int y, int w, int h) {
    const UINT dpi = window_dpi(dialog);
    const RECT r{scale(x, dpi), scale(y, dpi), scale(x, dpi) + scale(w, dpi),
                 scale(y, dpi) + scale(h, dpi)};
    return create_child(dialog, window_class, text, style, ex_style, id, r);
}

HWND create_control_du(HWND dialog, const wchar_t* window_class, const std::string& text,
                       DWORD style, DWORD ex_style, int id, int x, int y, int w, int h) {
    RECT r{x, y, x + w, y + h};
    MapDialogRect(dialog, &r);
    return create_child(dialog, window_class, text, style, ex_style, id, r);
}

SIZE window_size_for_client(HWND dialog, int w, int h) {
    const UINT dpi = window_dpi(dialog);
    RECT r{0, 0, scale(w, dpi), scale(h, dpi)};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    return {r.right - r.left, r.bottom - r.top};
}

void set_client_size(HWND dialog, int w, int h) {
    const SIZE size = window_size_for_client(dialog, w, h);
    SetWindowPos(dialog, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace winui
