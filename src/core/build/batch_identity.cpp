#include "core/build/batch_identity.h"

#include <vector>

#include "core/text/text_helpers.h"

namespace build {
namespace {

// The first path of a "copy" line, with the batch file's "%%" read back as "%".
std::string copied_path(std::string_view line) {
    std::string_view rest = line.substr(5);  // after "copy "
    std::string_view path;
    if (!rest.empty() && rest.front() == '"') {
        const std::size_t close = rest.find('"', 1);
        path = rest.substr(1, close == std::string_view::npos ? close : close - 1);
    } else {
        path = rest.substr(0, rest.find(' '));
    }
    return text::replace_text(path, "%%", "%");
}

}  // namespace

batch_identity read_batch_identity(std::string_view batch_text) {
    batch_identity identity;
    const std::vector<std::string> lines = text::split_lines(batch_text);
    std::size_t i = 0;
    // Only lines that start with the marker count, so a tool folder whose name holds
    // "copy " cannot be taken for a copy line.
    while (i < lines.size() && !text::starts_with(lines[i], "set JAVA_HOME") &&
           !text::starts_with(lines[i], "set \"JAVA_HOME"))
        ++i;
    std::vector<std::string> paths;
    for (; i < lines.size() && paths.size() < 2; ++i)
        if (text::starts_with(lines[i], "copy ")) paths.push_back(copied_path(lines[i]));
    if (paths.size() < 2) return identity;
    identity.found = true;
    identity.ant_properties_file = paths[0];
    identity.keystore_file = paths[1];
    return identity;
}

}  // namespace build
