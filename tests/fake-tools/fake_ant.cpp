// Stand-in for Apache Ant with the Android build file, started by "ant.bat": "clean" removes
// the build output; "release [-logfile FILE]" compiles the sources with the stand-in compiler
// and packages "bin\NAME-release.apk" when ant.properties names a keystore whose passwords
// fit, or "bin\NAME-release-unsigned.apk" otherwise, or fails like javac does.
#include "core/assets/file_tree.h"
#include "core/build/ant_properties.h"
#include "fake_javac.h"
#include "fake_keystore.h"
#include "fake_tool_support.h"

namespace {

struct properties {
    std::string store, alias, store_password, key_password;
};

properties read_properties(const std::string& path) {
    properties p;
    std::string text;
    if (!platform::read_file(path, text)) return p;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq);
        const std::string value = build::unescape_property_value(line.substr(eq + 1));
        if (key == "key.store") p.store = value;
        if (key == "key.alias") p.alias = value;
        if (key == "key.store.password") p.store_password = value;
        if (key == "key.alias.password") p.key_password = value;
    }
    return p;
}

std::string project_name(const std::string& build_xml) {
    std::string text;
    platform::read_file(build_xml, text);
    const std::size_t at = text.find("name=\"");
    if (at == std::string::npos) return "";
    const std::size_t end = text.find('"', at + 6);
    return text.substr(at + 6, end - at - 6);
}

std::string with_tags(const std::string& tag, const std::string& lines) {
    std::string out;
    std::size_t at = 0;
    while (at < lines.size()) {
        std::size_t end = lines.find('\n', at);
        if (end == std::string::npos) end = lines.size();
        out += tag + lines.substr(at, end - at) + "\n";
        at = end + 1;
    }
    return out;
}

// Why the keystore named by the properties cannot sign, or "" when it can.
std::string signing_problem(const std::string& folder, const properties& p) {
    fake::keystore ks;
    if (!fake::read_keystore(folder + p.store, ks))
        return "Keystore " + folder + p.store + " not found or not valid";
    if (ks.store_password != p.store_password)
        return "Keystore was tampered with, or password was incorrect";
    const fake::keystore_key* key = ks.find(p.alias);
    if (!key) return "The keystore does not hold the alias " + p.alias;
    if (key->password != p.key_password) return "Cannot recover key";
    return "";
}

std::string release(const std::string& folder, const std::string& name, int& exit_code) {
    const std::string sdk_build = "C:\\android-sdk\\tools\\ant\\build.xml";
    std::string log = "Buildfile: " + folder +
                      "build.xml\n\n-set-mode-check:\n\n"
                      "-set-release-mode:\n\n-compile:\n";
    std::vector<std::string> files;
    fake::add_sources(folder + "src", files);
    const fake::javac_result javac = fake::compile_sources(files);
    log += "    [javac] Compiling " + std::to_string(javac.files) + " source files to " + folder +
           "bin\\classes\n";
    fake::delay_from_knob("ant_release_delay_ms");
    if (javac.errors) {
        log += with_tags("    [javac] ", javac.output);
        log += "\nBUILD FAILED\n" + sdk_build +
               ":720: Compile failed; see the compiler error output for details.\n\nTotal time: "
               "1 second\n";
        exit_code = 1;
        return log;
    }
    platform::make_directories(folder + "bin");
    const std::string apk = "FAKE APK\r\nproject=" + name + "\r\n";
    const properties p = read_properties(folder + "ant.properties");
    log += "\n-package:\n [apkbuilder] Creating " + name + "-release-unsigned.apk for release...\n";
    if (p.store.empty() || p.alias.empty()) {
        platform::write_file(folder + "bin\\" + name + "-release-unsigned.apk", apk);
        log +=
            "\n-release-nosign:\n     [echo] No key.store and key.alias properties found in "
            "build.properties.\n     [echo] Please sign " +
            folder + "bin\\" + name +
            "-release-unsigned.apk manually\n\nrelease:\n\nBUILD SUCCESSFUL\nTotal time: 1 "
            "second\n";
        return log;
    }
    const std::string problem = signing_problem(folder, p);
    if (!problem.empty()) {
        platform::write_file(folder + "bin\\" + name + "-release-unsigned.apk", apk);
        log += "\n-release-sign:\n     [sign] Signing final apk...\n\nBUILD FAILED\n" + sdk_build +
               ":1147: " + problem + "\n\nTotal time: 1 second\n";
        exit_code = 1;
        return log;
    }
    platform::write_file(folder + "bin\\" + name + "-release.apk",
                         apk + "signed-by=" + p.alias + "\r\n");
    log +=
        "\n-release-sign:\n     [sign] Signing final apk...\n [zipalign] Running zip align on "
        "final apk...\n     [echo] Release Package: " +
        folder + "bin\\" + name +
        "-release.apk\n\nrelease:\n\nBUILD SUCCESSFUL\nTotal time: 1 second\n";
    return log;
}

std::string with_crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string in_system_code_page(const std::string& utf8) {
    const std::wstring wide = platform::widen(utf8);
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), n,
                        nullptr, nullptr);
    return bytes;
}

}  // namespace

int main() {
    const std::vector<std::string> args = fake::arguments();
    const std::string folder = fake::current_folder();
    const std::string logfile = fake::option(args, "-logfile");
    int exit_code = 0;
    std::string out;
    if (!platform::file_exists(folder + "build.xml")) {
        out = "Buildfile: build.xml does not exist!\nBuild failed\n";
        exit_code = 1;
    } else if (fake::has(args, "clean")) {
        fake::delay_from_knob("ant_clean_delay_ms");
        out = "Buildfile: " + folder + "build.xml\n\nclean:\n   [delete] Deleting directory " +
              folder + "bin\n\nBUILD SUCCESSFUL\nTotal time: 0 seconds\n";
        assets::delete_folder_tree(folder + "bin");
        assets::delete_folder_tree(folder + "gen");
    } else if (fake::has(args, "release")) {
        out = release(folder, project_name(folder + "build.xml"), exit_code);
    } else {
        out = "Buildfile: " + folder + "build.xml\n\nhelp:\n     [echo] Android Ant Build.\n";
    }
    // Like the JDK, the log is written in the system's ANSI code page, not in UTF-8.
    if (!logfile.empty())
        platform::write_file(fake::full_path(logfile), in_system_code_page(with_crlf(out)));
    else
        fake::print(with_crlf(out));
    return exit_code;
}
