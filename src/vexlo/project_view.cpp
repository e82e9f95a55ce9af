#include "vexlo/project_view.h"

#include "core/project/project_loader.h"
#include "core/project/sdk_advice.h"
#include "core/text/encoding.h"
#include "platform/platform.h"
#include "vexlo/app_state.h"
#include "vexlo/recent_projects_view.h"
#include "winui/pictures.h"
#include "winui/text_controls.h"
#include "winui/tooltip.h"

namespace vexlo {

using namespace shell;

void show_display_state(HWND dialog, const display_state& state) {
    winui::set_item_text(dialog, id_status, state.status);
    for (int id : state.enabled) winui::enable_item(dialog, id, true);
    for (int id : state.disabled) winui::enable_item(dialog, id, false);
    if (!state.picture_caption.empty())
        winui::set_item_text(dialog, id_picture, state.picture_caption);
    if (!state.program_caption.empty())
        winui::set_item_text(dialog, id_program, state.program_caption);
    for (const button_picture& p : state.pictures) winui::draw_resource_png(dialog, p.box, p.base);
    if (state.icon_picture.empty())
        winui::clear_picture(dialog, id_icon);
    else
        winui::draw_resource_png(dialog, id_icon, state.icon_picture);
}

void show_properties(HWND dialog) {
    const project::project_state& p = app().project;
    winui::set_item_text(dialog, id_app_name, text::display_text(p.app_name));
    winui::set_item_text(dialog, id_package, text::display_text(p.package_name));
    winui::set_item_text(dialog, id_version_name, text::display_text(p.version_name));
    winui::set_item_text(dialog, id_version_code, text::display_text(p.version_code));
    winui::set_item_text(dialog, id_min_sdk, text::display_text(p.min_sdk));
    winui::set_item_text(dialog, id_target_sdk, text::display_text(p.target_sdk));
}

void show_sdk_advice(HWND dialog) {
    const project::sdk_advice advice = project::advice_for_levels(
        winui::get_item_text(dialog, id_min_sdk), winui::get_item_text(dialog, id_target_sdk),
        platform::local_date());
    const std::string min_tip = project::min_sdk_tooltip(advice);
    const std::string target_tip = project::target_sdk_tooltip(advice);
    for (int id : {id_min_label, id_min_updown})
        winui::add_tooltip(GetDlgItem(dialog, id), min_tip);
    for (int id : {id_target_label, id_target_updown})
        winui::add_tooltip(GetDlgItem(dialog, id), target_tip);
}

void show_pending(HWND dialog, bool pending) {
    app().project.changes_pending = pending;
    winui::draw_resource_png(dialog, id_apply + id_picture_offset, pending ? "SAV1" : "SAV0");
    winui::enable_item(dialog, id_apply, pending);
    winui::enable_item(dialog, id_discard, pending);
}

void load_project(HWND dialog, const std::string& folder) {
    vexlo_state& state = app();
    winui::add_tooltip(GetDlgItem(dialog, id_recent), folder);
    winui::set_item_text(dialog, id_load, "Change");
    state.project.project_folder = folder;

    const project::loaded_project loaded = project::load_project_files(folder);
    project::store_loaded(loaded, state.project);
    if (loaded.kind == project::kind::no_manifest) {
        show_display_state(dialog, loaded_state(loaded.kind));
        return;
    }
    remember_project(dialog, folder);
    show_display_state(dialog, loaded_state(loaded.kind));
    state.keystore_file.clear();
    state.permission_choice = state.project.saved_permissions;
    show_properties(dialog);
    winui::set_item_text(
        dialog, id_gitignore,
        loaded.has_gitignore ? "Edit the .gitignore file" : "Create .gitignore file");
    for (const std::string& file : loaded.icon_files) {
        if (winui::unique_image image = winui::load_image_file(file)) {
            winui::draw_image_in_control(dialog, id_icon, image.get());
            break;
        }
    }
    // A package rename an earlier Apply could not finish: Apply completes it.
    if (loaded.unfinished_rename) show_pending(dialog, true);
}

}  // namespace vexlo
