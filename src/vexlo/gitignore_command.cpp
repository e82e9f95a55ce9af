// The .gitignore button (1019): creates the project's .gitignore from the program's default
// text, or opens the existing one in the editor.
#include <windows.h>

#include "core/assets/project_files.h"
#include "core/shell/main_window_model.h"
#include "platform/platform.h"
#include "vexlo/app_state.h"
#include "vexlo/command_registry.h"
#include "vexlo/editor_launch.h"
#include "winui/message_box.h"
#include "winui/text_controls.h"

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
    const std::string path = assets::gitignore_path(app().project.project_folder);
    if (platform::file_exists(path)) {
        assets::edit_with_line_ends(path, [](const std::string& file) { open_in_editor(file); });
        return;
    }
    if (!assets::create_gitignore(path, resource_bytes(L"GITIG"))) {
        show_message(dialog, assets::gitignore_failed_message(path), shell::kProgramCaption,
                     MB_OK | MB_ICONERROR | MB_TASKMODAL);
        return;
    }
    set_item_text(dialog, shell::id_gitignore, assets::kEditGitignoreCaption);
    show_message(dialog, assets::gitignore_created_message(path), shell::kProgramCaption,
                 MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

const bool registered = register_command(shell::id_gitignore, gitignore_button);

}  // namespace
