#include "core/configurator/tool_versions.h"

#include <cstdlib>

#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace configurator {
namespace {

// The value of a "key=value" or key="value" line, without its quotes.
std::string value_of(std::string_view text, std::string_view key) {
    for (const std::string& raw : text::split_lines(text)) {
        const std::string line = text::trim_whitespace(raw);
        if (line.size() <= key.size() || line.compare(0, key.size(), key) != 0) continue;
        std::string value = text::trim_whitespace(std::string_view(line).substr(key.size()));
        if (value.empty() || value.front() != '=') continue;
        value = text::trim_whitespace(std::string_view(value).substr(1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        return value;
    }
    return "";
}

int leading_number(std::string_view text) {
    int n = 0;
    std::size_t i = 0;
    for (; i < text.size() && i < 4 && text[i] >= '0' && text[i] <= '9'; ++i)
        n = n * 10 + (text[i] - '0');
    return i == 0 ? -1 : n;
}

std::string file_text(const std::string& path) {
    std::string bytes;
    return platform::read_file(path, bytes) ? bytes : "";
}

}  // namespace

int jdk_major_version(std::string_view release_text) {
    const std::string version = value_of(release_text, "JAVA_VERSION");
    const int first = leading_number(version);
    if (first < 0) return 0;
    if (first != 1) return first;  // 9 and later name the major version first
    const std::size_t dot = version.find('.');
    const int second =
        dot == std::string::npos ? -1 : leading_number(std::string_view(version).substr(dot + 1));
    return second < 0 ? 1 : second;  // "1.8.0_392" is Java 8
}

int jdk_major_version_of(const std::string& jdk_folder) {
    return jdk_major_version(file_text(jdk_folder + "\\release"));
}

std::string sdk_tools_revision(std::string_view source_properties) {
    return value_of(source_properties, "Pkg.Revision");
}

std::string sdk_tools_revision_of(const std::string& sdk_folder) {
    return sdk_tools_revision(file_text(sdk_folder + "\\tools\\source.properties"));
}

std::string jdk_version_problem(int major) {
    if (major == 0 || major == 8) return "";
    return "This is JDK " + std::to_string(major) +
           ": the Android SDK Tools 25.2.5 that Vexlo builds with need JDK 8 (also named 1.8).";
}

std::string sdk_tools_problem(std::string_view revision) {
    const int major = leading_number(revision);
    if (major < 26) return "";
    return "These Android SDK Tools are revision " + std::string(revision) +
           ": since revision 26 they have no \"android\" command and no Ant build scripts. "
           "Vexlo needs the SDK Tools 25.2.5.";
}

std::string version_problem(tool_section section, const std::string& folder) {
    if (folder.empty()) return "";
    switch (section) {
        case tool_section::jdk: return jdk_version_problem(jdk_major_version_of(folder));
        case tool_section::sdk: return sdk_tools_problem(sdk_tools_revision_of(folder));
        case tool_section::ant: return "";
    }
    return "";
}

}  // namespace configurator
