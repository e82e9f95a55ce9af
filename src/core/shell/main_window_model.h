#pragma once
// What the main window shows in each state, and the rules of its pending changes. The dialog
// code only moves these decisions into its controls.
#include <string>
#include <vector>

#include "core/project/apply_changes.h"
#include "core/project/project_state.h"
#include "vexlo_version.h"

namespace shell {

// Control ids of the main window.
enum main_control : int {
    id_caption = 1001,
    id_status = 1002,
    id_warning = 1003,
    id_min_label = 1005,
    id_target_label = 1006,
    id_version_name = 1011,
    id_version_code = 1012,
    id_min_sdk = 1013,
    id_target_sdk = 1014,
    id_recent = 1015,
    id_app_name = 1016,
    id_package = 1017,
    id_duplicate = 1018,
    id_gitignore = 1019,
    id_picture = 1020,
    id_program = 1021,
    id_res_folder = 1022,
    id_src_folder = 1023,
    id_permissions = 1024,
    id_discard = 1025,
    id_load = 1028,
    id_apply = 1029,
    id_batch = 1030,
    id_compile = 1031,
    id_clean = 1032,
    id_icon = 1033,
    id_min_updown = 1038,
    id_target_updown = 1039,
    id_picture_offset = 100,  // the picture box beside button N has the id N + 100
};

enum class control_kind {
    button,
    multiline_button,
    edit,
    digits_edit,
    label,
    sunken_label,
    notify_label,
    updown,
    combo,
    picture,
    group,
    hidden_digits  // an up-down's value box: holds digits only, never shown nor focused
};

struct control_layout {
    int id;
    control_kind kind;
    const char* text;
    int x, y, w, h;  // client pixels at 96 DPI
    bool enabled_at_creation;
};

const std::vector<control_layout>& main_window_layout();
inline constexpr int kClientWidth = 339;
inline constexpr int kClientHeight = 380;
inline constexpr const char* kProgramCaption = "Android Vexlo Tools";
inline constexpr const char* kWindowCaption = "Android Vexlo Tools v" VEXLO_VERSION_TEXT;

// The picture beside an action button: its box id and the picture base name.
struct button_picture {
    int box;
    std::string base;
};

struct display_state {
    std::string status;
    std::string icon_picture;              // "" empty box, else the resource name ("UNK", "OID")
    std::vector<int> enabled;              // ids to enable
    std::vector<int> disabled;             // ids to disable
    std::string picture_caption;           // caption of the picture button ("" = keep)
    std::string program_caption;           // caption of the program button ("" = keep)
    std::vector<button_picture> pictures;  // resource names to show, with the "0"/"1" suffix
};

// The state of the window with no project yet, and after loading a folder of the given kind.
display_state start_state();
display_state loaded_state(project::kind project_kind);

// The pending-changes rule: true when this edit starts pending changes.
bool starts_pending(bool already_pending, const std::string& new_text,
                    const std::string& stored_value);

// Values typed into the six property boxes, in the window's order.
struct edited_values {
    std::string app_name, package_name, version_name, version_code, min_sdk, target_sdk;
};

// Stores every changed value in the record, whole, and says which ones changed.
project::property_changes take_edits(const edited_values& edits,
                                     const project::permission_flags& choice,
                                     project::project_state& state);
// The report lines ("- project name" ...), one per property, "- project permissions" last.
std::vector<std::string> change_lines(const project::property_changes& changes);

// The report shown after Apply: caption and text.
struct apply_report {
    std::string caption;
    std::string text;
};
apply_report report_for(const std::vector<std::string>& changes);
// The status line while a long Apply works through the project's files.
std::string apply_progress_text(std::size_t files_seen);
// The report of an Apply: what the files now hold as asked, and what could not be done.
apply_report report_for_apply(const project::apply_result& result);

}  // namespace shell
