// The picture button: a square picture becomes the launcher icon of a BASIC!-based
// project at every existing density, or a drawable of any other project.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/assets/drawable_rules.h"
#include "core/assets/icon_plan.h"
#include "core/assets/picture_resample.h"
#include "core/shell/main_window_model.h"
#include "vexlo/app_state.h"
#include "vexlo/command_registry.h"
#include "vexlo/drawable_dialog.h"
#include "vexlo/picture_chooser.h"
#include "vexlo/picture_files.h"
#include "winui/dpi.h"
#include "winui/message_box.h"
#include "winui/pictures.h"

namespace vexlo {

namespace {

constexpr UINT kTaskModal = MB_OK | MB_TASKMODAL;

// The icon box shows the picture resampled to its own size, so it looks as sharp as the icons.
void show_in_icon_box(HWND dialog, assets::resample_source& source) {
    RECT r{};
    GetClientRect(GetDlgItem(dialog, shell::id_icon), &r);
    const int margin = winui::scale(6, winui::window_dpi(dialog));
    const int edge = std::max<int>(1, std::min<int>(r.right, r.bottom) - margin);
    if (winui::unique_image small = image_from_pixels(source.resampled(edge, edge)))
        winui::draw_image_in_control(dialog, shell::id_icon, small.get());
}

// Every density's icon is encoded first; then they replace the old ones together.
void write_app_icons(HWND dialog, const assets::bgra_view& pixels) {
    assets::resample_source source(pixels);
    const std::string& project = app().project.project_folder;
    std::vector<assets::new_file> icons;
    for (const assets::planned_icon& icon : assets::plan_app_icons(project)) {
        icons.push_back({icon.path, encode_png(source.resampled(icon.size, icon.size))});
        if (icons.back().bytes.empty()) {  // an empty icon.png would break the build
            winui::show_message(dialog, assets::unloadable_picture_message(),
                                shell::kProgramCaption, kTaskModal | MB_ICONERROR);
            return;
        }
    }
    const assets::write_outcome outcome = assets::write_project_files(project, icons);
    if (outcome.completed()) show_in_icon_box(dialog, source);
    winui::show_message(dialog, assets::icons_done_message(outcome), "Change App icon",
                        kTaskModal | (outcome.completed() ? MB_ICONINFORMATION : MB_ICONERROR));
}

void add_drawable(HWND dialog, const assets::bgra_view& pixels, const std::string& path) {
    const vexlo::drawable_outcome outcome = vexlo::run_drawable_dialog(dialog, pixels, path);
    if (!outcome.written.completed()) {
        winui::show_message(dialog, assets::drawable_problem_message(outcome.written),
                            shell::kProgramCaption, kTaskModal | MB_ICONERROR);
        return;
    }
    if (outcome.added)
        winui::show_message(dialog, assets::drawable_added_message(), shell::kProgramCaption,
                            kTaskModal | MB_ICONINFORMATION);
}

void change_picture(HWND dialog) {
    chosen_picture chosen = choose_picture(dialog);
    if (chosen.outcome == chosen_picture::cancelled) return;
    const locked_picture pixels(chosen.image.get());  // released before the image
    if (!pixels.ok()) {
        winui::show_message(dialog, assets::unloadable_picture_message(), shell::kProgramCaption,
                            kTaskModal | MB_ICONERROR);
        return;
    }
    if (!assets::is_square_picture(pixels.view().width, pixels.view().height)) {
        winui::show_message(dialog, assets::not_square_message(), shell::kProgramCaption,
                            kTaskModal | MB_ICONWARNING);
        return;
    }
    if (app().project.project_kind == project::kind::basic)
        write_app_icons(dialog, pixels.view());
    else
        add_drawable(dialog, pixels.view(), chosen.path);
}

const bool registered = register_command(shell::id_picture, change_picture);

}  // namespace

}  // namespace vexlo
