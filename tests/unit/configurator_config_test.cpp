#include <gtest/gtest.h>

#include "core/build/scramble.h"
#include "core/build/tool_config_reader.h"
#include "core/configurator/configurator_config.h"
#include "platform/platform.h"
#include "test_support.h"

using namespace configurator;
using testing_support::scratch_folder;

namespace {

// A program folder with its Vexlo.cfg, tools laid out beside it, and a fake Program Files
// in which detection can find other tools.
struct layout {
    scratch_folder dir;
    detection_places places;
    std::string config;

    layout() {
        places.program_files = dir.path() + "pf";
        places.program_files_x86 = dir.path() + "pf86";
        places.program_folder = dir.path() + "prog\\";
        places.working_folder = places.program_folder;
        config = places.program_folder + "Vexlo.cfg";
        dir.write("jdk\\bin\\keytool.exe", "x");
        dir.write("jdk\\bin\\javac.exe", "x");
        dir.write("sdk\\tools\\android.bat", "x");
        dir.write("sdk\\build-tools\\19.1.0\\aapt.exe", "x");
        dir.write("sdk\\build-tools\\23.0.3\\aapt.exe", "x");
        dir.write("prog\\apache-ant\\bin\\ant.bat", "x");
        dir.write("keys\\release.jks", "x");
    }
    void set(const char* key, const std::string& value) const {
        ASSERT_TRUE(platform::profile_write(config, "Config", key, value));
    }
    std::string get(const char* key) const { return platform::profile_read(config, "Config", key); }
    std::string path(const std::string& relative) const { return dir.path() + relative; }
    build::tool_config read() const { return read_configurator_config(config, places); }
};

}  // namespace

TEST(ConfiguratorConfig, CompleteFileIsReadButTheKeystoreWaitsForTheCheck) {
    layout l;
    l.set("jdk_path", l.path("jdk"));
    l.set("android_sdk_path", l.path("sdk"));
    l.set("build_tools_path", "ignored");
    l.set("api_target_id", "3");
    l.set("ant_path", "apache-ant");
    l.set("keystore_path", l.path("keys\\release.jks"));
    l.set("keystore_alias", build::scramble_text("demo", build::kScrambleKey));
    l.set("keystore_password", build::scramble_text("demo-pass", build::kScrambleKey));
    const build::tool_config c = l.read();
    EXPECT_EQ(c.jdk_path, l.path("jdk"));
    EXPECT_EQ(c.android_sdk_path, l.path("sdk"));
    EXPECT_EQ(c.build_tools_path, "");
    EXPECT_EQ(c.api_target_id, 3);
    EXPECT_EQ(c.ant_path, l.places.program_folder + "apache-ant");
    EXPECT_EQ(c.keystore_path, l.path("keys\\release.jks"));
    EXPECT_EQ(c.keystore_alias, "demo");
    EXPECT_EQ(c.keystore_password, "demo-pass");
    EXPECT_EQ(c.sdk_state, 0);
    EXPECT_EQ(c.keystore_state, 0);
}

TEST(ConfiguratorConfig, MissingFileFallsBackToDetection) {
    layout l;
    l.dir.write("pf\\Java\\jdk1.8.0_202\\bin\\javac.exe", "x");
    l.dir.write("prog\\android-sdk\\tools\\android.bat", "x");
    const build::tool_config c = l.read();
    EXPECT_EQ(c.jdk_path, l.path("pf\\Java\\jdk1.8.0_202"));
    EXPECT_EQ(c.android_sdk_path, l.places.program_folder + "android-sdk");
    EXPECT_EQ(c.sdk_state, 0);
    EXPECT_EQ(c.ant_path, "apache-ant");  // beside the program, started from its folder
    EXPECT_EQ(c.keystore_state, -1);
    EXPECT_EQ(c.api_target_id, 0);
}

TEST(ConfiguratorConfig, NothingAnywhereLeavesEverySectionMissing) {
    scratch_folder dir;
    detection_places places;
    places.program_files = dir.path() + "pf";
    places.program_files_x86 = dir.path() + "pf86";
    places.program_folder = dir.path();
    places.working_folder = dir.path();
    const build::tool_config c = read_configurator_config(dir.path() + "Vexlo.cfg", places);
    EXPECT_EQ(c.jdk_path, "");
    EXPECT_EQ(c.android_sdk_path, "");
    EXPECT_EQ(c.ant_path, "");
    EXPECT_EQ(c.keystore_path, "");
    EXPECT_EQ(c.sdk_state, -1);
    EXPECT_EQ(c.keystore_state, -1);
}

TEST(ConfiguratorConfig, AJdkPathFailingItsCheckIsReplacedByTheDetectedOne) {
    layout l;
    l.dir.write("pf\\Java\\jdk1.8.0_202\\bin\\javac.exe", "x");
    l.set("jdk_path", l.path("gone-jdk"));
    EXPECT_EQ(l.read().jdk_path, l.path("pf\\Java\\jdk1.8.0_202"));
}

TEST(ConfiguratorConfig, AWrongAntPathStaysEmptyEvenWhenAntIsDetectable) {
    layout l;
    l.dir.write("prog\\apache-ant-1.10.14\\bin\\ant.bat", "x");
    l.set("ant_path", "D:\\nowhere\\ant");
    EXPECT_EQ(l.read().ant_path, "");
    l.set("ant_path", "");
    EXPECT_EQ(l.read().ant_path, "apache-ant");  // the first "apache-ant*" entry
}

TEST(ConfiguratorConfig, TargetIdIsRoundedAndKeystoreWithoutFileStopsReading) {
    layout l;
    l.set("api_target_id", " 4.6");
    l.set("keystore_path", l.path("keys\\gone.jks"));
    l.set("keystore_alias", build::scramble_text("demo", build::kScrambleKey));
    const build::tool_config c = l.read();
    EXPECT_EQ(c.api_target_id, 5);
    EXPECT_EQ(c.keystore_path, "");
    EXPECT_EQ(c.keystore_alias, "");
    EXPECT_EQ(c.keystore_state, -1);
}

// ---- writing ---------------------------------------------------------------------------------

TEST(ConfiguratorConfig, WriterTakesTheBuildToolsOfTheChosenTargetsLevel) {
    layout l;
    build::tool_config c;
    c.android_sdk_path = l.path("sdk");
    c.api_target_id = 2;
    const std::vector<api_target> targets = {{1, "Android 4.4.2 (API  19)"},
                                             {2, "Android 6.0 (API  23)"}};
    ASSERT_TRUE(write_configurator_config(l.config, c, targets));
    EXPECT_EQ(l.get("api_target_id"), "2");
    EXPECT_EQ(l.get("build_tools_path"), l.path("sdk\\build-tools\\23.0.3"));
    c.api_target_id = 1;
    ASSERT_TRUE(write_configurator_config(l.config, c, targets));
    EXPECT_EQ(l.get("build_tools_path"), l.path("sdk\\build-tools\\19.1.0"));
}

TEST(ConfiguratorConfig, WriterSkipsWhatIsNotKnownAndKeepsTheOldValues) {
    layout l;
    l.set("jdk_path", "old jdk");
    l.set("android_sdk_path", "old sdk");
    l.set("api_target_id", "9");
    l.set("build_tools_path", "old tools");
    l.set("ant_path", "old ant");
    l.set("keystore_path", "old keystore");
    l.set("keystore_alias", "414243");
    build::tool_config c;  // nothing known
    ASSERT_TRUE(write_configurator_config(l.config, c, {}));
    EXPECT_EQ(l.get("jdk_path"), "old jdk");
    EXPECT_EQ(l.get("android_sdk_path"), "old sdk");
    EXPECT_EQ(l.get("api_target_id"), "9");
    EXPECT_EQ(l.get("build_tools_path"), "old tools");
    EXPECT_EQ(l.get("ant_path"), "old ant");
    EXPECT_EQ(l.get("keystore_path"), "old keystore");
    EXPECT_EQ(l.get("keystore_alias"), "");  // alias and password are always written
    EXPECT_EQ(l.get("keystore_password"), "");
}

TEST(ConfiguratorConfig, WriterSkipsTargetAndBuildToolsWithoutSdkOrId) {
    layout l;
    l.set("api_target_id", "9");
    l.set("build_tools_path", "old tools");
    build::tool_config c;
    c.api_target_id = 2;  // no SDK: neither key is written
    const std::vector<api_target> targets = {{2, "Android 6.0 (API  23)"}};
    ASSERT_TRUE(write_configurator_config(l.config, c, targets));
    EXPECT_EQ(l.get("api_target_id"), "9");
    EXPECT_EQ(l.get("build_tools_path"), "old tools");

    c.android_sdk_path = l.path("sdk");
    c.api_target_id = 0;  // SDK without a chosen target
    ASSERT_TRUE(write_configurator_config(l.config, c, targets));
    EXPECT_EQ(l.get("api_target_id"), "9");
    EXPECT_EQ(l.get("build_tools_path"), "old tools");

    c.api_target_id = 7;  // an id the SDK does not list: the id, but no build tools
    ASSERT_TRUE(write_configurator_config(l.config, c, targets));
    EXPECT_EQ(l.get("api_target_id"), "7");
    EXPECT_EQ(l.get("build_tools_path"), "old tools");
}

TEST(ConfiguratorConfig, WhatTheConfiguratorWritesTheMainProgramReadsBackExactly) {
    layout l;
    // Paths with spaces and characters outside any single code page.
    l.dir.write("Tools für André\\JDK 8\\bin\\keytool.exe", "x");
    l.dir.write("Tools für André\\Android SDK\\tools\\android.bat", "x");
    l.dir.write("prog\\Ant Ω\\bin\\ant.bat", "x");
    l.dir.write("Ключи\\my release.jks", "x");
    build::tool_config c;
    c.jdk_path = l.path("Tools für André\\JDK 8");
    c.android_sdk_path = l.path("Tools für André\\Android SDK");
    c.api_target_id = 3;
    c.ant_path = "Ant Ω";  // beside the program
    c.keystore_path = l.path("Ключи\\my release.jks");
    c.keystore_alias = "mój klucz";
    c.keystore_password = "pa ss%word^€";
    ASSERT_TRUE(write_configurator_config(l.config, c, {{3, "Android 6.0 (API  23)"}}));
    const build::tool_config back = build::read_tool_config(l.config, l.places.program_folder);
    EXPECT_EQ(back.jdk_path, c.jdk_path);
    EXPECT_EQ(back.android_sdk_path, c.android_sdk_path);
    EXPECT_EQ(back.build_tools_path, c.android_sdk_path + "\\build-tools\\");
    EXPECT_EQ(back.api_target_id, 3);
    EXPECT_EQ(back.ant_path, l.places.program_folder + c.ant_path);
    EXPECT_EQ(back.keystore_path, c.keystore_path);
    EXPECT_EQ(back.keystore_alias, c.keystore_alias);
    EXPECT_EQ(back.keystore_password, c.keystore_password);
    EXPECT_TRUE(build::build_components_ready(back));
}
