#include "vexlo-config/section_painter.h"

#include "vexlo-config/control_ids.h"
#include "winui/text_controls.h"
#include "winui/tooltip.h"

namespace vexlo_config {

using configurator::section_view;
using configurator::status_view;
using configurator::stripe_colour;

namespace {

constexpr int kStripes[4] = {id_jdk_stripe, id_sdk_stripe, id_ant_stripe, id_keystore_stripe};
constexpr int kBoxes[4] = {id_jdk_path, id_sdk_path, id_ant_path, id_keystore_path};

int index_of(const int (&ids)[4], int id) {
    for (int i = 0; i < 4; ++i)
        if (ids[i] == id) return i;
    return -1;
}

}  // namespace

section_painter::section_painter() {
    colours_ = {GetSysColor(COLOR_BTNFACE), RGB(255, 0, 0),    RGB(255, 140, 0), RGB(0, 255, 0),
                RGB(152, 251, 152),         RGB(255, 192, 203)};
    for (int i = 1; i < paint_count; ++i) brushes_[i].reset(CreateSolidBrush(colours_[i]));
}

void section_painter::set_stripe(HWND window, int section, stripe_colour colour) {
    paint p = none;
    switch (colour) {
        case stripe_colour::unchanged: return;
        case stripe_colour::red: p = red; break;
        case stripe_colour::orange: p = orange; break;
        case stripe_colour::green: p = green; break;
    }
    if (stripes_[section] == p) return;
    stripes_[section] = p;
    InvalidateRect(GetDlgItem(window, kStripes[section]), nullptr, TRUE);
}

void section_painter::set_box(HWND window, int section, const section_view& view) {
    HWND box = GetDlgItem(window, kBoxes[section]);
    if (view.path_known && winui::get_window_text(box) != view.path) {
        winui::set_window_text(box, view.path);
        if (path_tooltips_) winui::add_tooltip(box, view.path);
    }
    const paint p = view.path_known ? pale_green : pink;
    if (boxes_[section] == p) return;
    boxes_[section] = p;
    InvalidateRect(box, nullptr, TRUE);
}

void section_painter::apply(HWND window, const status_view& v, const main_window_resources& res) {
    const section_view* sections[4] = {&v.jdk, &v.sdk, &v.ant, &v.keystore};
    for (int i = 0; i < 4; ++i) {
        set_box(window, i, *sections[i]);
        set_stripe(window, i, sections[i]->stripe);
    }
    if (v.enable_create_keystore) winui::enable_item(window, id_create_keystore, true);
    if (v.enable_configure_sdk) winui::enable_item(window, id_configure_sdk, true);
    if (v.enable_configure_keystore) winui::enable_item(window, id_configure_keystore, true);
    for (auto [id, set] : {std::pair{id_configure_sdk, v.sdk_face_set},
                           std::pair{id_configure_keystore, v.keystore_face_set}}) {
        if (!set) continue;
        HWND button = GetDlgItem(window, id);
        const auto face =
            reinterpret_cast<HBITMAP>(SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
        if (face != res.set_face.get())
            SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP,
                         reinterpret_cast<LPARAM>(res.set_face.get()));
    }
    // Once every section is complete the way out stays open.
    if (v.ready) winui::enable_item(window, id_ready, true);
}

void section_painter::enable_path_tooltips(HWND window) {
    path_tooltips_ = true;
    for (std::size_t i = 0; i < 4; ++i)
        if (boxes_[i] == pale_green)
            winui::add_tooltip(GetDlgItem(window, kBoxes[i]),
                               winui::get_item_text(window, kBoxes[i]));
}

HBRUSH section_painter::colour(HWND control, HDC dc) const {
    const int id = GetDlgCtrlID(control);
    if (const int s = index_of(kStripes, id); s >= 0) {
        const paint p = stripes_[static_cast<std::size_t>(s)];
        if (p == none) return nullptr;
        SetBkColor(dc, colours_[p]);
        return brushes_[p].get();
    }
    if (const int b = index_of(kBoxes, id); b >= 0) {
        const paint p = boxes_[static_cast<std::size_t>(b)];
        if (p == none) return nullptr;
        SetBkColor(dc, colours_[p]);
        SetTextColor(dc, RGB(0, 0, 0));
        return brushes_[p].get();
    }
    return nullptr;
}

}  // namespace vexlo_config
