// The .gitignore button: creates the project's .gitignore from the program's default
// text, or opens the existing one in the editor.
#include <windows.h>

#include "core/assets/project_files.h"
#include "core/shell/main_window_model.h"
#include "vexlo/app_state.h"
#include "vexlo/command_registry.h"
#include "vexlo/editor_launch.h"
#include "winui/message_box.h"
#include "winui/text_controls.h"

namespace vexlo {

namespace {

// The bytes of a data resource of the program, "" when it is missing.
std::string resource_bytes(const wchar_t* name) {
    const HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(10));
    if (!found) return "";
    const DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data || size == 0) return "";
    return std::string(static_cast<const char*>(data), size);
}

void gitignore_button(HWND dialog) {
    const assets::gitignore_outcome outcome =
        assets::create_or_edit_gitignore(app().project.project_folder, resource_bytes(L"GITIG"),
                                         [](const std::string& file) { open_in_editor(file); });
    if (outcome.created)
        winui::set_item_text(dialog, shell::id_gitignore, assets::kEditGitignoreCaption);
    if (!outcome.message.empty())
        winui::show_message(
            dialog, outcome.message, shell::kProgramCaption,
            MB_OK | MB_TASKMODAL | (outcome.failed ? MB_ICONERROR : MB_ICONINFORMATION));
}

const bool registered = register_command(shell::id_gitignore, gitignore_button);

}  // namespace

}  // namespace vexlo
