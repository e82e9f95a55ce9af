#include "lumo/viewer_program.h"

#include <objidl.h>  // before GDI+, which needs it and the lean Windows headers leave it out
#include <gdiplus.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "core/viewer/arguments.h"
#include "lumo/viewer_window.h"
#include "platform/win32/utf16.h"

namespace lumo {

namespace {

// The arguments after the program name, split as the shell splits a command line.
std::vector<std::string> command_line_arguments() {
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!list) return args;
    for (int i = 1; i < count; ++i) args.push_back(platform::narrow(list[i]));
    LocalFree(list);
    return args;
}

class gdiplus_session {
public:
    gdiplus_session() {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }
    ~gdiplus_session() {
        if (token_) Gdiplus::GdiplusShutdown(token_);
    }
    gdiplus_session(const gdiplus_session&) = delete;
    gdiplus_session& operator=(const gdiplus_session&) = delete;

private:
    ULONG_PTR token_ = 0;
};

}  // namespace

int run_viewer(HINSTANCE instance, int show_command, void (*on_first_page)(viewer_window&)) {
    // The shell's "open" wants a single-threaded apartment on the calling thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    int result = 0;
    {
        gdiplus_session gdiplus;
        viewer_window viewer(instance, viewer::parse_arguments(command_line_arguments()));
        viewer.on_first_page(on_first_page);
        if (viewer.create(show_command)) {
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            result = static_cast<int>(msg.wParam);
        }
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return result;
}

}  // namespace lumo
