#include "vexlo/picture_chooser.h"

#include "core/assets/picture_filter.h"
#include "core/shell/main_window_model.h"
#include "vexlo/file_dialogs.h"

namespace vexlo {

chosen_picture choose_picture(HWND owner) {
    chosen_picture chosen;
    chosen.path = choose_existing_file(owner, shell::kProgramCaption, assets::picture_filter());
    if (chosen.path.empty()) return chosen;
    chosen.image = winui::load_image_file(chosen.path);
    chosen.outcome = chosen.image ? chosen_picture::loaded : chosen_picture::unloadable;
    return chosen;
}

}  // namespace vexlo
