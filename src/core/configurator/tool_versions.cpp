#include "core/configurator/tool_versions.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/build/tool_config_writer.h"
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

std::string ant_version(std::string_view whatsnew, std::string_view folder_name) {
    static constexpr std::string_view kHeading = "Changes from Ant ";
    static constexpr std::string_view kTo = " TO Ant ";
    for (const std::string& raw : text::split_lines(whatsnew)) {
        const std::string line = text::trim_whitespace(raw);
        if (line.rfind(kHeading, 0) != 0) continue;
        const std::size_t to = line.find(kTo);
        if (to == std::string::npos) continue;
        const std::string version =
            text::trim_whitespace(std::string_view(line).substr(to + kTo.size()));
        if (leading_number(version) >= 0) return version;
    }
    static constexpr std::string_view kPrefix = "apache-ant-";
    if (folder_name.size() > kPrefix.size() &&
        text::iequals_ascii(folder_name.substr(0, kPrefix.size()), kPrefix) &&
        leading_number(folder_name.substr(kPrefix.size())) >= 0)
        return std::string(folder_name.substr(kPrefix.size()));
    return "";
}

std::string ant_version_of(const std::string& ant_folder) {
    std::string folder = ant_folder;
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    const std::size_t slash = folder.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? folder : folder.substr(slash + 1);
    return ant_version(file_text(folder + "\\WHATSNEW"), name);
}

std::string build_tools_revision_of(const std::string& folder) {
    const std::string revision =
        value_of(file_text(folder + "\\source.properties"), "Pkg.Revision");
    if (!revision.empty()) return revision;
    const std::size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? folder : folder.substr(slash + 1);
}

bool revision_before(std::string_view a, std::string_view b) {
    // Number by number; a missing number counts as 0, anything after the numbers is ignored.
    for (int part = 0; part < 4; ++part) {
        const int x = std::max(0, leading_number(a));
        const int y = std::max(0, leading_number(b));
        if (x != y) return x < y;
        const std::size_t da = a.find('.'), db = b.find('.');
        a = da == std::string_view::npos ? std::string_view() : a.substr(da + 1);
        b = db == std::string_view::npos ? std::string_view() : b.substr(db + 1);
    }
    return false;
}

build_tools_facts build_tools_facts_of(const std::string& sdk_folder,
                                       const std::string& chosen_folder) {
    build_tools_facts facts;
    std::string chosen = chosen_folder;
    while (!chosen.empty() && chosen.back() == '\\') chosen.pop_back();
    facts.chosen_folder = chosen;
    // Without a sub-folder for the level, the chosen value is the "build-tools" folder itself.
    const std::size_t slash = chosen.find_last_of('\\');
    const std::string name = slash == std::string::npos ? chosen : chosen.substr(slash + 1);
    facts.chosen_found =
        !text::iequals_ascii(name, "build-tools") && platform::is_directory(chosen);
    if (facts.chosen_found) {
        facts.has_apksigner = platform::file_exists(chosen + "\\apksigner.bat");
        facts.has_zipalign = platform::file_exists(chosen + "\\zipalign.exe");
    }
    const std::string parent = sdk_folder + "\\build-tools";
    std::vector<platform::dir_entry> entries;
    if (!platform::list_directory(parent, entries)) return facts;
    std::string newest_folder;
    for (const platform::dir_entry& e : entries) {
        if (!e.is_directory) continue;
        const std::string folder = parent + "\\" + e.name;
        const std::string revision = build_tools_revision_of(folder);
        if (newest_folder.empty() || revision_before(facts.newest_revision, revision)) {
            newest_folder = folder;
            facts.newest_revision = revision;
        }
    }
    facts.newest_has_dx =
        !newest_folder.empty() && platform::file_exists(newest_folder + "\\lib\\dx.jar");
    return facts;
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

std::string ant_version_problem(std::string_view version) {
    const int major = leading_number(version);
    if (major < 0) return "";
    const std::size_t dot = version.find('.');
    const int minor =
        dot == std::string_view::npos ? 0 : std::max(0, leading_number(version.substr(dot + 1)));
    if (major > 1 || (major == 1 && minor >= 8)) return "";
    return "This is Apache Ant " + std::string(version) +
           ": the Android SDK Tools' build scripts need Ant 1.8.0 or later.";
}

std::string build_tools_problem(const build_tools_facts& facts, std::string_view api_level) {
    std::vector<std::string> problems;
    const std::string level(api_level);
    if (!facts.chosen_found) {
        problems.push_back("The Android SDK has no build-tools for API " + level + " (a folder \"" +
                           level +
                           ".x.x\" in its \"build-tools\" folder): the APK cannot be aligned "
                           "and signed. Install the Android SDK Build-tools " +
                           level + " with the SDK Manager.");
    } else if (!facts.has_zipalign || !facts.has_apksigner) {
        problems.push_back(
            "The build-tools in " + facts.chosen_folder + " have no " +
            (!facts.has_zipalign ? std::string("zipalign, which aligns the APK") : "") +
            (!facts.has_zipalign && !facts.has_apksigner ? " and no " : "") +
            (!facts.has_apksigner
                 ? std::string("apksigner, which signs it (it came with the build-tools 24.0.3)")
                 : "") +
            ". Choose a target of API 24 or later whose build-tools are installed.");
    }
    if (!facts.newest_revision.empty() && !facts.newest_has_dx)
        problems.push_back("The newest build-tools of the SDK, " + facts.newest_revision +
                           ", have no dx, which the Ant build takes from them: the build "
                           "would fail. The build-tools 30.0.3 are the last with dx; remove "
                           "the newer ones or name 30.0.3 with sdk.buildtools in the project's "
                           "ant.properties.");
    std::string text;
    for (const std::string& p : problems) text += (text.empty() ? "" : "\r\r") + p;
    return text;
}

std::string chosen_build_tools_problem(const std::string& sdk_folder,
                                       const std::vector<api_target>& targets, int target_id) {
    const api_target* target = find_target(targets, target_id);
    // A target too low for any build has had its own warning.
    if (sdk_folder.empty() || !target || !api_level_ok(target->description, targets)) return "";
    // The folder the configuration will name, found the way it is written.
    const std::string level = build::api_level_of(target->description);
    const std::string chosen = build::build_tools_folder_for(sdk_folder, level);
    return build_tools_problem(build_tools_facts_of(sdk_folder, chosen), level);
}

std::string version_problem(tool_section section, const std::string& folder) {
    if (folder.empty()) return "";
    switch (section) {
        case tool_section::jdk: return jdk_version_problem(jdk_major_version_of(folder));
        case tool_section::sdk: return sdk_tools_problem(sdk_tools_revision_of(folder));
        case tool_section::ant: return ant_version_problem(ant_version_of(folder));
    }
    return "";
}

}  // namespace configurator
