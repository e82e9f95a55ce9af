// A stand-in text editor for the acceptance run: put in the place of the system's Notepad, it
// records the command line it was started with (appended to the file named by
// FAKE_EDITOR_LOG, else %TEMP%\fake-editor.txt) and shows the named file in a window titled
// "<file name> - editor", as an editor would.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/platform.h"
#include "platform/win32/utf16.h"

namespace {

constexpr int kEditId = 1001;

// The part of the command line after the program name.
std::wstring arguments_text() {
    const wchar_t* line = GetCommandLineW();
    bool quoted = false;
    while (*line && (quoted || (*line != L' ' && *line != L'\t'))) {
        if (*line == L'"') quoted = !quoted;
        ++line;
    }
    while (*line == L' ' || *line == L'\t') ++line;
    return line;
}

std::wstring unquoted(std::wstring text) {
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"')
        text = text.substr(1, text.size() - 2);
    return text;
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_SIZE:
            MoveWindow(GetDlgItem(window, kEditId), 0, 0, LOWORD(l), HIWORD(l), TRUE);
            return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(window, message, w, l);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
    const std::wstring args = arguments_text();
    std::string log = platform::environment_variable("FAKE_EDITOR_LOG");
    if (log.empty()) log = platform::temp_folder() + "\\fake-editor.txt";
    std::string recorded;
    platform::read_file(log, recorded);
    platform::write_file(log, recorded + platform::narrow(args) + "\r\n");

    const std::wstring file = unquoted(args);
    std::string text;
    platform::read_file(platform::narrow(file), text);
    const std::wstring name = file.substr(file.find_last_of(L"\\/") + 1);

    WNDCLASSW wc{};
    wc.lpfnWndProc = window_procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"FakeEditor";
    RegisterClassW(&wc);
    HWND window =
        CreateWindowW(L"FakeEditor", (name + L" - editor").c_str(), WS_OVERLAPPEDWINDOW,
                      CW_USEDEFAULT, CW_USEDEFAULT, 560, 360, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    HWND edit =
        CreateWindowW(L"EDIT", platform::widen(text).c_str(),
                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                          ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                      0, 0, 0, 0, window, reinterpret_cast<HMENU>(kEditId), instance, nullptr);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), 0);
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
