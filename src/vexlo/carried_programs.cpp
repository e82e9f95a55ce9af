#include "vexlo/carried_programs.h"

#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/utf16.h"

namespace vexlo {

int extract_resource(const std::string& resource_name, const std::string& file_path) {
    const HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, platform::widen(resource_name).c_str(), RT_RCDATA);
    if (!found) return 0;
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return 0;
    const DWORD size = SizeofResource(module, found);
    return platform::write_file(file_path, std::string_view(static_cast<const char*>(bytes), size))
               ? 1
               : 0;
}

std::string carried_program(const std::string& file_name, const std::string& resource_name) {
    const std::string path = platform::program_folder() + file_name;
    if (platform::file_exists(path)) return path;
    return extract_resource(resource_name, path) ? path : "";
}

}  // namespace vexlo
