#include "core/configurator/tool_detection.h"

#include <algorithm>

#include "core/configurator/tool_versions.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace configurator {
namespace {

// The existence test of the searches: files and folders alike.
bool exists(const std::string& path) {
    return platform::file_exists(path);
}

bool is_zip_name(const std::string& name) {
    return text::to_lower_ascii(name).find(".zip") != std::string::npos;
}

std::string first_ant_entry(const std::string& folder, bool folders_only, std::string_view prefix) {
    for (const std::string& name : entries_starting_with(folder, prefix, folders_only))
        if (!is_zip_name(name)) return name;
    return "";
}

// A folder value as stored: without trailing backslashes, except that a drive root keeps its
// one backslash (so "C:\" stays an absolute path).
std::string folder_value(std::string_view folder) {
    std::string value = text::without_trailing_backslashes(folder);
    if (value.size() == 2 && value[1] == ':') value += '\\';
    return value;
}

std::string joined(const std::string& folder, std::string_view tail) {
    if (!folder.empty() && folder.back() == '\\') return folder + std::string(tail.substr(1));
    return folder + std::string(tail);
}

bool holds_ant(const std::string& folder) {
    return exists(folder + "\\bin\\ant.bat");
}

}  // namespace

std::vector<std::string> entries_starting_with(const std::string& folder, std::string_view prefix,
                                               bool folders_only) {
    std::vector<platform::dir_entry> entries;
    std::vector<std::string> names;
    if (!platform::list_directory(folder, entries)) return names;
    const std::string wanted = text::to_upper_ascii(prefix);
    for (const platform::dir_entry& e : entries) {
        if (folders_only && !e.is_directory) continue;
        if (text::to_upper_ascii(e.name).compare(0, wanted.size(), wanted) == 0)
            names.push_back(e.name);
    }
    // NTFS lists a folder by name with letters compared in upper case; other file systems
    // have their own order, so the choice is made the same everywhere.
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return text::to_upper_ascii(a) < text::to_upper_ascii(b);
    });
    return names;
}

namespace {

// The first listed "jdk*" folder under "Program Files\Java", the "(x86)" one only when the
// first holds none: it alone counts there.
std::string java_folder_jdk(const detection_places& places) {
    for (const std::string& root : {places.program_files, places.program_files_x86}) {
        const std::string base = root + "\\Java\\";
        const std::vector<std::string> found = entries_starting_with(base, "jdk", true);
        if (found.empty()) continue;
        const std::string candidate = base + found.front();
        return exists(candidate + "\\bin\\javac.exe") ? candidate : "";
    }
    return "";
}

}  // namespace

std::string detect_jdk(const detection_places& places) {
    std::vector<std::string> found;
    if (std::string jdk = java_folder_jdk(places); !jdk.empty()) found.push_back(jdk);
    for (const std::string& root : {places.program_files, places.program_files_x86})
        for (const char* vendor :
             {"Eclipse Adoptium", "Zulu", "Microsoft", "Amazon Corretto", "BellSoft"}) {
            const std::string base = root + "\\" + vendor + "\\";
            for (const std::string& name : entries_starting_with(base, "", true))
                if (exists(base + name + "\\bin\\javac.exe")) found.push_back(base + name);
        }
    const std::string home = folder_value(places.java_home);
    if (!places.java_home.empty() && exists(joined(home, "\\bin\\javac.exe")))
        found.push_back(home);
    for (const std::string& jdk : found)
        if (jdk_major_version_of(jdk) == 8) return jdk;
    return found.empty() ? "" : found.front();
}

std::string detect_android_sdk(const detection_places& places) {
    const std::string program = text::with_one_trailing_backslash(places.program_folder);
    const std::string candidates[] = {
        places.program_files + "\\Android\\android-sdk",
        places.program_files + "\\android-sdk",
        places.program_files_x86 + "\\Android\\android-sdk",
        places.program_files_x86 + "\\android-sdk",
        program + "Android\\android-sdk",
        program + "android-sdk",
        text::without_trailing_backslashes(program),
    };
    for (const std::string& sdk : candidates)
        if (exists(sdk + "\\tools\\android.bat")) return sdk;
    return "";
}

std::string detect_ant(const detection_places& places) {
    const std::string program = text::with_one_trailing_backslash(places.program_folder);

    for (const std::string& raw : places.search_folders) {
        const std::string folder = text::with_one_trailing_backslash(raw);
        const std::string bat = folder + "ant.bat";
        if (!exists(bat) || platform::is_directory(bat)) continue;
        // The installation is the parent of the folder that holds ant.bat (its "bin").
        const std::size_t slash =
            folder.size() >= 2 ? folder.rfind('\\', folder.size() - 2) : std::string::npos;
        if (slash != std::string::npos && slash > 0) {
            const std::string root = folder.substr(0, slash);
            if (holds_ant(root)) return root;
        }
        break;  // the search stops at the first ant.bat it meets
    }

    const std::string working = text::with_one_trailing_backslash(places.working_folder);
    if (!places.working_folder.empty()) {
        const std::string name = first_ant_entry(working, false, "apache-ant");
        if (!name.empty()) {
            // The main program reads a bare name inside its own folder; from any other
            // current folder the full path is what names the same Ant.
            if (holds_ant(working + name))
                return text::iequals_ascii(working, program) ? name : working + name;
        }
    }

    const std::string name = first_ant_entry(program, false, "apache-ant");
    if (!name.empty() && holds_ant(program + name)) return program + name;
    return "";
}

std::vector<std::string> path_variable_folders(std::string_view path_value) {
    std::vector<std::string> folders;
    std::size_t at = 0;
    while (at <= path_value.size()) {
        std::size_t end = path_value.find(';', at);
        if (end == std::string_view::npos) end = path_value.size();
        std::string part = text::trim_whitespace(path_value.substr(at, end - at));
        if (part.size() >= 2 && part.front() == '"' && part.back() == '"')
            part = part.substr(1, part.size() - 2);
        if (!part.empty()) folders.push_back(text::with_one_trailing_backslash(part));
        at = end + 1;
    }
    return folders;
}

std::string accept_jdk_folder(std::string_view folder) {
    if (folder.empty()) return "";
    const std::string value = folder_value(folder);
    return exists(joined(value, "\\bin\\javac.exe")) ? value : "";
}

std::string accept_sdk_folder(std::string_view folder) {
    if (folder.empty()) return "";
    const std::string value = folder_value(folder);
    if (exists(joined(value, "\\tools\\android.bat"))) return value;
    const std::string inner = joined(value, "\\sdk");
    if (exists(inner + "\\tools\\android.bat")) return inner;
    return "";
}

std::string accept_ant_folder(std::string_view folder) {
    if (folder.empty()) return "";
    std::string value(folder);
    if (value.size() >= 4 && value.compare(value.size() - 4, 4, "\\bin") == 0)
        value.resize(value.size() - 4);
    value = folder_value(value);
    const std::string inner = first_ant_entry(joined(value, "\\"), true, "apache-ant-");
    if (!inner.empty()) value = joined(value, "\\" + inner);
    return exists(joined(value, "\\bin\\ant.bat")) ? value : "";
}

}  // namespace configurator
