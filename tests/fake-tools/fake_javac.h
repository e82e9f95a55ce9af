#pragma once
// The stand-in Java compiler's one rule: a statement line that does not end like a finished
// statement (";", a brace, a comma, an operator, ...) is missing its semicolon. That is enough
// for a sample with a broken source file to fail the way javac fails, with file, line, source
// line and caret.
#include <string>
#include <vector>

#include "core/assets/file_tree.h"
#include "platform/platform.h"

namespace fake {

struct javac_result {
    int files = 0;
    int errors = 0;
    std::string output;  // javac's own output, one line per line, LF ends
};

inline bool line_is_finished(const std::string& trimmed) {
    if (trimmed.empty()) return true;
    if (trimmed.rfind("//", 0) == 0 || trimmed.rfind("/*", 0) == 0 || trimmed[0] == '*' ||
        trimmed[0] == '@')
        return true;
    const char last = trimmed.back();
    return std::string(";{}(),+-*/=&|?:[<>.\"'").find(last) != std::string::npos ||
           trimmed.rfind("*/") == trimmed.size() - 2;
}

inline void check_source(const std::string& path, javac_result& result) {
    std::string text;
    platform::read_file(path, text);
    ++result.files;
    int number = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t last = line.find_last_not_of(" \t");
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos) continue;
        const std::string trimmed = line.substr(first, last - first + 1);
        if (line_is_finished(trimmed)) continue;
        ++result.errors;
        result.output += path + ":" + std::to_string(number) + ": error: ';' expected\n";
        result.output += line.substr(0, last + 1) + "\n";
        result.output += std::string(last + 1, ' ') + "^\n";
    }
}

// Adds every .java file below the folder to the list.
inline void add_sources(const std::string& source_folder, std::vector<std::string>& files) {
    std::vector<assets::file_record> found;
    assets::list_files(source_folder, found, "*.java");
    for (const assets::file_record& f : found) files.push_back(f.path);
}

// Compiles the files; the output ends with javac's error count.
inline javac_result compile_sources(const std::vector<std::string>& files) {
    javac_result result;
    for (const std::string& f : files) check_source(f, result);
    if (result.errors == 1) result.output += "1 error\n";
    if (result.errors > 1) result.output += std::to_string(result.errors) + " errors\n";
    return result;
}

}  // namespace fake
