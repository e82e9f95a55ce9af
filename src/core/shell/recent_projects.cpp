#include "core/shell/recent_projects.h"

#include "core/text/text_helpers.h"

namespace shell {

std::string per_user_file(const std::string& data_folder, const std::string& program_path,
                          const std::string& extension) {
    std::string name = program_path.substr(program_path.find_last_of("\\/") + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return data_folder + "\\" + name + extension;
}

namespace {
bool same_folder(const std::string& a, const std::string& b) {
    return text::iequals_ascii(text::without_trailing_backslashes(a),
                               text::without_trailing_backslashes(b));
}
}  // namespace

recent_list build_recent_list(const std::string& file_text, const std::string& project_folder,
                              const std::function<bool(const std::string&)>& exists) {
    recent_list list;
    const bool loaded = !project_folder.empty();
    if (!loaded) list.entries.push_back(kNoneLoaded);
    const std::size_t first = list.entries.size();
    for (const std::string& line : text::split_lines(file_text)) {
        if (line.empty() || !exists(line)) continue;
        list.entries.insert(list.entries.begin() + static_cast<long>(first), line);
    }
    list.selected = 0;
    if (loaded) {
        for (std::size_t i = first; i < list.entries.size(); ++i)
            if (same_folder(list.entries[i], project_folder)) {
                list.selected = static_cast<int>(i);
                break;
            }
    }
    return list;
}

bool is_listed(const std::vector<std::string>& entries, const std::string& folder) {
    for (const std::string& e : entries)
        if (same_folder(e, folder)) return true;
    return false;
}

std::string with_appended_folder(const std::string& file_text, const std::string& folder) {
    std::string out = file_text;
    if (!out.empty() && out.back() != '\n') out += "\r\n";  // an unfinished last line
    out += text::without_trailing_backslashes(folder) + "\r\n";
    return out;
}

}  // namespace shell
