#include "vexlo-config/main_window_layout.h"

#include <commctrl.h>

#include <string>

#include "core/configurator/configurator_texts.h"
#include "vexlo-config/control_ids.h"
#include "winui/dialog_font.h"
#include "winui/dialog_template.h"
#include "winui/dpi.h"
#include "winui/tooltip.h"

namespace vexlo_config {

using namespace configurator;

namespace {

enum class kind { label, title, link, path_box, picture_button, button, line, stripe, picture };

struct control_place {
    int id;
    kind type;
    std::string text;
    int x, y, w, h;
    bool enabled = true;
};

const std::string kNone(kNoneSelected);

std::vector<control_place> layout() {
    return {
        {id_welcome, kind::label, welcome_text(), 10, 10, 476, 48},
        {id_plain_text, kind::line, "", 0, 53, 523, 1},
        {id_plain_text, kind::line, "", 0, 153, 523, 1},
        {id_plain_text, kind::line, "", 0, 253, 523, 1},
        {id_plain_text, kind::line, "", 0, 353, 523, 1},
        {id_plain_text, kind::line, "", 0, 464, 523, 1},
        {id_jdk_stripe, kind::stripe, "", 0, 56, 8, 94},
        {id_sdk_stripe, kind::stripe, "", 0, 156, 8, 94},
        {id_ant_stripe, kind::stripe, "", 0, 256, 8, 94},
        {id_keystore_stripe, kind::stripe, "", 0, 356, 8, 104},
        {id_jdk_picture, kind::picture, "", 24, 56, 100, 100},
        {id_sdk_picture, kind::picture, "", 24, 156, 100, 100},
        {id_ant_picture, kind::picture, "", 24, 256, 100, 100},
        {id_keystore_picture, kind::picture, "", 24, 361, 100, 100},

        {id_jdk_title, kind::title, "Java SE Development Kit (JDK)", 144, 56, 368, 24},
        {id_description, kind::label,
         "Download it from the official web page then install it:", 144, 80, 368, 16},
        {id_jdk_link, kind::link, std::string(kJdkDownload), 145, 94, 368, 12},
        {id_description, kind::label,
         "Finally locate it either with the \"Autodetect\" or \"Browse\" button:", 144, 110, 368,
         16},
        {id_jdk_path, kind::path_box, kNone, 144, 128, 290, 18},
        {id_jdk_detect, kind::picture_button, "Autodetect", 438, 126, 23, 20},
        {id_jdk_browse, kind::button, "Browse", 463, 126, 48, 20},

        {id_sdk_title, kind::title, "Android Command Line Tools", 144, 156, 368, 24},
        {id_description, kind::label, "Download from the official web page then install them:", 144,
         180, 328, 16},
        {id_sdk_link, kind::link, std::string(kSdkDownload), 145, 194, 308, 12},
        {id_description, kind::label,
         "Then locate them either with the \"Autodetect\" or \"Browse\" button:", 144, 210, 328,
         16},
        {id_sdk_path, kind::path_box, kNone, 144, 228, 290, 18},
        {id_sdk_detect, kind::picture_button, "Autodetect", 438, 226, 23, 20},
        {id_sdk_browse, kind::button, "Browse", 463, 226, 48, 20},
        {id_configure_sdk, kind::picture_button, "Configure Android CLT", 463, 180, 32, 32, false},

        {id_ant_title, kind::title, "Apache Ant", 144, 256, 368, 24},
        {id_description, kind::label,
         "Download it from the official web page then unzip it on your computer:", 144, 280, 368,
         16},
        {id_ant_link, kind::link, std::string(kAntDownload), 145, 294, 208, 12},
        {id_description, kind::label,
         "Locate folder where you unzipped Ant with \"Autodetect\" or \"Browse\":", 144, 310, 368,
         16},
        {id_ant_path, kind::path_box, kNone, 144, 328, 290, 18},
        {id_ant_detect, kind::picture_button, "Autodetect", 438, 326, 23, 20},
        {id_ant_browse, kind::button, "Browse", 463, 326, 48, 20},

        {id_keystore_title, kind::title, "Keystore", 144, 356, 168, 24},
        {id_description, kind::label, keystore_description(), 144, 380, 328, 30},
        {id_keystore_path, kind::path_box, kNone, 144, 412, 317, 18},
        {id_keystore_browse, kind::button, "Browse", 463, 410, 48, 20},
        {id_configure_keystore, kind::picture_button, "Configure keystore", 463, 370, 32, 32,
         false},
        {id_create_keystore, kind::button, "Create a new keystore", 144, 438, 317, 20, false},
        {id_ready, kind::button, std::string(kReadyButton), 11, 470, 500, 32, false},
    };
}

winui::unique_font make_font(const wchar_t* face, int points, int weight, bool underline,
                             UINT dpi) {
    return winui::dialog_font(dpi, points, weight, face, {false, underline});
}

winui::unique_bitmap load_bitmap(const wchar_t* name) {
    return winui::unique_bitmap(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
}

void set_font(HWND control, const winui::unique_font& font) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
}

}  // namespace

void attach_button_tooltips(HWND window) {
    for (const control_place& c : layout())
        if (c.type == kind::picture_button) winui::add_tooltip(GetDlgItem(window, c.id), c.text);
}

bool is_link(int id) {
    return id == id_jdk_link || id == id_sdk_link || id == id_ant_link;
}

void create_main_window_controls(HWND window, main_window_resources& res) {
    const UINT dpi = winui::window_dpi(window);
    res.welcome = make_font(L"Arial", 8, FW_BOLD, false, dpi);
    res.title = make_font(L"Arial Black", 12, FW_BOLD, false, dpi);
    res.link = make_font(L"Arial", 7, FW_NORMAL, true, dpi);
    res.ready = make_font(L"Arial Black", 10, FW_BOLD, false, dpi);
    res.detect_face = load_bitmap(L"BTNOTO");
    res.set_face = load_bitmap(L"BTNSET");
    res.null_face = load_bitmap(L"BTNNUL");

    for (const control_place& c : layout()) {
        const wchar_t* cls = WC_STATICW;
        DWORD style = 0, ex_style = 0;
        switch (c.type) {
            case kind::label:
            case kind::title: style = SS_LEFT | SS_NOPREFIX; break;
            case kind::link: style = SS_LEFT | SS_NOPREFIX | SS_NOTIFY; break;
            case kind::path_box:
                cls = WC_EDITW;
                style = ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP;
                ex_style = WS_EX_CLIENTEDGE;
                break;
            case kind::picture_button:
                cls = WC_BUTTONW;
                style = BS_PUSHBUTTON | BS_BITMAP | WS_TABSTOP;
                break;
            case kind::button:
                cls = WC_BUTTONW;
                style = BS_PUSHBUTTON | WS_TABSTOP;
                break;
            case kind::line: style = SS_ETCHEDHORZ; break;
            case kind::stripe: style = SS_LEFT; break;
            // Centred keeps the laid-out box: a bare SS_BITMAP shrinks to its picture.
            case kind::picture: style = SS_BITMAP | SS_CENTERIMAGE; break;
        }
        if (!c.enabled) style |= WS_DISABLED;
        // A picture button carries its tool-tip text as its name.
        HWND control =
            winui::create_control(window, cls, c.text, style, ex_style, c.id, c.x, c.y, c.w, c.h);
        if (c.type == kind::picture_button) {
            HBITMAP face = c.id == id_configure_sdk || c.id == id_configure_keystore
                               ? res.set_face.get()
                               : res.detect_face.get();
            SendMessageW(control, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(face));
        }
        switch (c.type) {
            case kind::title: set_font(control, res.title); break;
            case kind::link: set_font(control, res.link); break;
            default: break;
        }
        if (c.id == id_welcome) set_font(control, res.welcome);
        if (c.id == id_ready) set_font(control, res.ready);
    }
}

}  // namespace vexlo_config
