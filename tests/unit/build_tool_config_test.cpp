#include <gtest/gtest.h>

#include "core/build/scramble.h"
#include "core/build/tool_config.h"
#include "core/build/tool_config_reader.h"
#include "core/build/tool_config_writer.h"
#include "platform/platform.h"
#include "test_support.h"

using namespace build;
using testing_support::scratch_folder;

namespace {

// A program folder with a complete tool layout beside it and a configuration file.
struct tool_layout {
    scratch_folder dir;
    std::string program;  // program folder, with trailing backslash
    std::string jdk, sdk, ant, keystore, config;

    tool_layout() {
        program = dir.path() + "prog\\";
        jdk = dir.path() + "jdk";
        sdk = dir.path() + "sdk";
        ant = program + "apache-ant";
        keystore = dir.path() + "keys\\release.jks";
        config = program + "Vexlo.cfg";
        dir.write("jdk\\bin\\keytool.exe", "x");
        dir.write("sdk\\tools\\android.bat", "x");
        dir.write("prog\\apache-ant\\bin\\ant.bat", "x");
        dir.write("keys\\release.jks", "x");
    }

    void set(const char* key, const std::string& value) const {
        ASSERT_TRUE(platform::profile_write(config, "Config", key, value));
    }

    void write_complete() const {
        set("jdk_path", jdk);
        set("android_sdk_path", sdk);
        set("build_tools_path", sdk + "\\build-tools\\23.0.3");
        set("api_target_id", "3");
        set("ant_path", "apache-ant");
        set("keystore_path", keystore);
        set("keystore_alias", scramble_text("mykey", kScrambleKey));
        set("keystore_password", scramble_text("s3cret!", kScrambleKey));
    }

    tool_config read() const { return read_tool_config(config, program); }
};

}  // namespace

TEST(BuildToolConfig, CompleteFileIsReady) {
    tool_layout t;
    t.write_complete();
    const tool_config c = t.read();
    EXPECT_EQ(c.jdk_path, t.jdk);
    EXPECT_EQ(c.android_sdk_path, t.sdk);
    EXPECT_EQ(c.build_tools_path, t.sdk + "\\build-tools\\23.0.3");
    EXPECT_EQ(c.api_target_id, 3);
    EXPECT_EQ(c.ant_path, t.program + "apache-ant");
    EXPECT_EQ(c.keystore_path, t.keystore);
    EXPECT_EQ(c.keystore_alias, "mykey");
    EXPECT_EQ(c.keystore_password, "s3cret!");
    EXPECT_EQ(c.sdk_state, 1);
    EXPECT_EQ(c.keystore_state, 1);
    EXPECT_TRUE(build_components_ready(c));
}

TEST(BuildToolConfig, MissingFileLeavesEverythingEmptyAndUnusable) {
    tool_layout t;
    const tool_config c = t.read();
    EXPECT_EQ(c.jdk_path, "");
    EXPECT_EQ(c.ant_path, "");
    EXPECT_EQ(c.sdk_state, -1);
    EXPECT_EQ(c.keystore_state, -1);
    EXPECT_FALSE(build_components_ready(c));
}

TEST(BuildToolConfig, PathsWhoseMarkerFileIsMissingStayEmpty) {
    tool_layout t;
    t.write_complete();
    t.set("jdk_path", t.dir.path() + "nojdk");
    t.set("ant_path", t.dir.path() + "sdk");        // a folder, but without bin\ant.bat
    t.set("keystore_path", t.dir.path() + "keys");  // a folder is no keystore
    const tool_config c = t.read();
    EXPECT_EQ(c.jdk_path, "");
    EXPECT_EQ(c.ant_path, "");
    EXPECT_EQ(c.keystore_path, "");
    EXPECT_EQ(c.keystore_state, -1);
    EXPECT_FALSE(build_components_ready(c));
}

TEST(BuildToolConfig, FailedSdkHidesBuildToolsPath) {
    tool_layout t;
    t.write_complete();
    t.set("android_sdk_path", t.dir.path() + "nosdk");
    const tool_config c = t.read();
    EXPECT_EQ(c.android_sdk_path, "");
    EXPECT_EQ(c.build_tools_path, "");
    EXPECT_EQ(c.sdk_state, -1);
    EXPECT_EQ(c.api_target_id, 3);
}

TEST(BuildToolConfig, TargetIdParsing) {
    struct {
        const char* value;
        int id;
        int state;
    } cases[] = {
        {"0", 0, 0},   {"", 0, 0},    {"abc", 0, 0},         {"12abc", 12, 1},
        {"  7", 7, 1}, {"-4", -4, 0}, {"99999999999", 0, 0}, {"2147483647", 2147483647, 1}};
    for (const auto& k : cases) {
        tool_layout t;
        t.write_complete();
        t.set("api_target_id", k.value);
        const tool_config c = t.read();
        EXPECT_EQ(c.api_target_id, k.id) << k.value;
        EXPECT_EQ(c.sdk_state, k.state) << k.value;
        EXPECT_EQ(build_components_ready(c), k.state == 1) << k.value;
    }
}

TEST(BuildToolConfig, AntPathResolution) {
    EXPECT_EQ(resolve_ant_path("apache-ant", "C:\\Prog\\"), "C:\\Prog\\apache-ant");
    EXPECT_EQ(resolve_ant_path("apache-ant", "C:\\Prog"), "C:\\Prog\\apache-ant");
    EXPECT_EQ(resolve_ant_path("tools\\ant", "C:\\Prog\\"), "C:\\Prog\\tools\\ant");
    EXPECT_EQ(resolve_ant_path("D:\\ant", "C:\\Prog\\"), "D:\\ant");
    EXPECT_EQ(resolve_ant_path("d:\\ant", "C:\\Prog\\"), "d:\\ant");
    // A network share is absolute too.
    EXPECT_EQ(resolve_ant_path("\\\\server\\tools\\ant", "C:\\Prog\\"), "\\\\server\\tools\\ant");
    // "D:ant" names no folder of a drive's root: it is taken as relative.
    EXPECT_EQ(resolve_ant_path("D:ant", "C:\\Prog\\"), "C:\\Prog\\D:ant");
}

TEST(BuildToolConfig, AbsoluteAntPathIsUsedUnchanged) {
    tool_layout t;
    if (t.program.compare(1, 2, ":\\") != 0)
        GTEST_SKIP() << "needs folders with drive letters (runs under Windows)";
    t.write_complete();
    t.set("ant_path", t.program + "apache-ant");
    EXPECT_EQ(t.read().ant_path, t.program + "apache-ant");
}

TEST(BuildToolConfig, EmptyKeystorePathLeavesAliasAndPasswordUnread) {
    tool_layout t;
    t.write_complete();
    t.set("keystore_path", "");
    const tool_config c = t.read();
    EXPECT_EQ(c.keystore_alias, "");
    EXPECT_EQ(c.keystore_password, "");
    EXPECT_EQ(c.keystore_state, -1);
}

TEST(BuildToolConfig, EmptyAliasOrPasswordLeavesKeystoreIncomplete) {
    tool_layout t;
    t.write_complete();
    t.set("keystore_password", "");
    const tool_config c = t.read();
    EXPECT_EQ(c.keystore_path, t.keystore);
    EXPECT_EQ(c.keystore_alias, "mykey");
    EXPECT_EQ(c.keystore_state, 0);
    EXPECT_FALSE(build_components_ready(c));
}

TEST(BuildToolConfig, QuotedSpacesFailThePathCheckAndAreTrimmedFromValues) {
    tool_layout t;
    // Spaces kept by quotes reach the reader, which trims them itself.
    t.set("jdk_path", "\"  " + t.jdk + "  \"");
    t.set("keystore_path", t.keystore);
    t.set("keystore_alias", "\" " + scramble_text("k", kScrambleKey) + " \"");
    t.set("keystore_password", scramble_text("p", kScrambleKey));
    const tool_config c = t.read();
    EXPECT_EQ(c.jdk_path, "");  // the check is made on the untrimmed value, which fails
    EXPECT_EQ(c.keystore_alias, "k");
}

TEST(BuildToolConfig, ReadinessNeedsEveryPart) {
    tool_config c;
    c.jdk_path = "j";
    c.android_sdk_path = "s";
    c.ant_path = "a";
    c.keystore_path = "k";
    c.sdk_state = 1;
    c.keystore_state = 1;
    EXPECT_TRUE(build_components_ready(c));
    tool_config no_build_tools = c;  // build_tools_path is not part of the test
    EXPECT_TRUE(build_components_ready(no_build_tools));
    for (int part = 0; part < 6; ++part) {
        tool_config d = c;
        if (part == 0) d.jdk_path.clear();
        if (part == 1) d.android_sdk_path.clear();
        if (part == 2) d.ant_path.clear();
        if (part == 3) d.keystore_path.clear();
        if (part == 4) d.sdk_state = 0;
        if (part == 5) d.keystore_state = -1;
        EXPECT_FALSE(build_components_ready(d)) << part;
    }
}

TEST(BuildToolConfig, ConfigFileNames) {
    EXPECT_EQ(config_file_for_program("C:\\Tools\\Vexlo.exe"), "C:\\Tools\\Vexlo.cfg");
    EXPECT_EQ(config_file_for_program("C:\\Tools\\MyVexlo.EXE"), "C:\\Tools\\MyVexlo.cfg");
    EXPECT_EQ(configurator_config_file("C:\\Tools\\"), "C:\\Tools\\Vexlo.cfg");
    EXPECT_EQ(configurator_config_file("C:\\Tools"), "C:\\Tools\\Vexlo.cfg");
}

TEST(BuildToolConfigWriter, ApiLevelOfDescription) {
    EXPECT_EQ(api_level_of("Android 4.3 (API  18)"), "18");
    EXPECT_EQ(api_level_of("Android 6.0 (API  23)"), "23");
    EXPECT_EQ(api_level_of("Android N (API  N)"), "N");
    EXPECT_EQ(api_level_of("Android 6.0"), "");
    EXPECT_EQ(api_level_of("Android 6.0 (API 23"), "");
}

TEST(BuildToolConfigWriter, BuildToolsFolderIsTheFirstMatchInNameOrder) {
    scratch_folder dir;
    const std::string sdk = dir.path() + "sdk";
    dir.write("sdk\\build-tools\\23.0.3\\aapt.exe", "x");
    dir.write("sdk\\build-tools\\23.0.1\\aapt.exe", "x");
    dir.write("sdk\\build-tools\\22.0.1\\aapt.exe", "x");
    dir.write("sdk\\build-tools\\23-file.txt", "x");  // a file, not a folder
    EXPECT_EQ(build_tools_folder_for(sdk, "23"), sdk + "\\build-tools\\23.0.1");
    EXPECT_EQ(build_tools_folder_for(sdk, "22"), sdk + "\\build-tools\\22.0.1");
    EXPECT_EQ(build_tools_folder_for(sdk, "19"), sdk + "\\build-tools\\");
    EXPECT_EQ(build_tools_folder_for(dir.path() + "nosdk", "19"),
              dir.path() + "nosdk\\build-tools\\");
}

TEST(BuildToolConfigWriter, WritesEveryValueAndReadsBack) {
    tool_layout t;
    t.dir.write("sdk\\build-tools\\23.0.2\\aapt.exe", "x");
    tool_config v;
    v.jdk_path = t.jdk;
    v.android_sdk_path = t.sdk;
    v.api_target_id = 5;
    v.ant_path = "apache-ant";
    v.keystore_path = t.keystore;
    v.keystore_alias = "alias \xC3\xA9";
    v.keystore_password = "p\xFF\x01 w";
    ASSERT_TRUE(write_tool_config(t.config, v, "Android 6.0 (API  23)"));
    EXPECT_EQ(platform::profile_read(t.config, "Config", "keystore_alias"),
              scramble_text(v.keystore_alias, kScrambleKey));
    const tool_config c = t.read();
    EXPECT_EQ(c.jdk_path, t.jdk);
    EXPECT_EQ(c.build_tools_path, t.sdk + "\\build-tools\\23.0.2");
    EXPECT_EQ(c.api_target_id, 5);
    EXPECT_EQ(c.ant_path, t.program + "apache-ant");
    EXPECT_EQ(c.keystore_alias, v.keystore_alias);
    EXPECT_EQ(c.keystore_password, v.keystore_password);
    EXPECT_TRUE(build_components_ready(c));
}

TEST(BuildToolConfigWriter, SkippedKeysKeepTheirOldValues) {
    tool_layout t;
    t.write_complete();
    tool_config v;  // no paths, target 0, empty alias and password
    ASSERT_TRUE(write_tool_config(t.config, v, ""));
    EXPECT_EQ(platform::profile_read(t.config, "Config", "jdk_path"), t.jdk);
    EXPECT_EQ(platform::profile_read(t.config, "Config", "api_target_id"), "3");
    EXPECT_EQ(platform::profile_read(t.config, "Config", "build_tools_path"),
              t.sdk + "\\build-tools\\23.0.3");
    // Alias and password are always written: empty ones clear the old values.
    EXPECT_EQ(platform::profile_read(t.config, "Config", "keystore_alias"), "");
    EXPECT_EQ(platform::profile_read(t.config, "Config", "keystore_password"), "");
}

TEST(BuildToolConfigWriter, TargetOutsideTheListWritesNoBuildTools) {
    tool_layout t;
    t.set("build_tools_path", "old");
    tool_config v;
    v.android_sdk_path = t.sdk;
    v.api_target_id = 9;
    ASSERT_TRUE(write_tool_config(t.config, v, ""));
    EXPECT_EQ(platform::profile_read(t.config, "Config", "build_tools_path"), "old");
    EXPECT_EQ(platform::profile_read(t.config, "Config", "api_target_id"), "9");
}

TEST(BuildToolConfigWriter, UnwritableFileIsReported) {
    scratch_folder dir;
    tool_config v;
    v.jdk_path = "C:\\jdk";
    EXPECT_FALSE(write_tool_config(dir.path() + "missing\\Vexlo.cfg", v, ""));
}

TEST(BuildToolConfigWriter, FailedRewriteLeavesTheOldConfiguration) {
    tool_layout t;
    t.write_complete();
    std::string before;
    ASSERT_TRUE(platform::read_file(t.config, before));
    tool_config v;
    v.jdk_path = t.dir.path() + "other-jdk";
    v.keystore_alias = "other";
    // The disk fills up while the file is written.
    platform::set_fault_hook([](platform::file_step step, const std::string& path) {
        return step == platform::file_step::write && path.find("Vexlo.cfg") != std::string::npos;
    });
    const bool written = write_tool_config(t.config, v, "");
    platform::set_fault_hook(nullptr);
    EXPECT_FALSE(written);
    std::string after;
    ASSERT_TRUE(platform::read_file(t.config, after));
    EXPECT_EQ(after, before);
    EXPECT_EQ(t.read().keystore_alias, "mykey");
}
