#include <gtest/gtest.h>

#include "core/configurator/pending_detections.h"
#include "core/configurator/tool_detection.h"
#include "core/configurator/tool_versions.h"
#include "platform/platform.h"
#include "test_support.h"

using namespace configurator;
using testing_support::scratch_folder;

namespace {

// A fake machine: the two Program Files folders, the program folder, a current folder and
// two folders of the PATH, all below one scratch folder.
struct fake_machine {
    scratch_folder dir;
    detection_places places;

    fake_machine() {
        places.program_files = dir.path() + "Program Files";
        places.program_files_x86 = dir.path() + "Program Files (x86)";
        places.program_folder = dir.path() + "app\\";
        places.working_folder = dir.path() + "work\\";
        places.search_folders = {places.program_folder, places.working_folder,
                                 dir.path() + "path1\\", dir.path() + "path2\\"};
        platform::make_directories(dir.path() + "app");
        platform::make_directories(dir.path() + "work");
    }
    std::string file(const std::string& relative) const { return dir.write(relative, "x"); }
    void folder(const std::string& relative) const {
        platform::make_directories(dir.path() + relative);
    }
    std::string path(const std::string& relative) const { return dir.path() + relative; }
};

}  // namespace

// ---- JDK -------------------------------------------------------------------------------------

TEST(ConfiguratorDetection, JdkFoundUnderProgramFiles) {
    fake_machine m;
    m.file("Program Files\\Java\\jdk1.8.0_202\\bin\\javac.exe");
    m.file("Program Files\\Java\\jre1.8.0_202\\bin\\java.exe");
    EXPECT_EQ(detect_jdk(m.places), m.path("Program Files\\Java\\jdk1.8.0_202"));
}

TEST(ConfiguratorDetection, OnlyTheFirstListedJdkCountsAndX86IsNotTried) {
    fake_machine m;
    m.folder("Program Files\\Java\\jdk1.7.0_80\\bin");  // listed first, without javac.exe
    m.file("Program Files\\Java\\jdk1.8.0_202\\bin\\javac.exe");
    m.file("Program Files (x86)\\Java\\jdk1.8.0_111\\bin\\javac.exe");
    EXPECT_EQ(detect_jdk(m.places), "");
}

TEST(ConfiguratorDetection, CurrentJdk8BuildsAndJavaHomeAreFoundAndJdk8IsPreferred) {
    fake_machine m;
    auto jdk = [&](const std::string& folder, const char* version) {
        m.file(folder + "\\bin\\javac.exe");
        m.dir.write(folder + "\\release", std::string("JAVA_VERSION=\"") + version + "\"\r\n");
        return m.path(folder);
    };
    // Only a JDK 17 in the Java folder: it is what is found.
    const std::string java17 = jdk("Program Files\\Java\\jdk-17", "17.0.9");
    EXPECT_EQ(detect_jdk(m.places), java17);
    // A JDK 8 where a vendor installs it is preferred, also under "(x86)".
    const std::string corretto =
        jdk("Program Files (x86)\\Amazon Corretto\\jdk1.8.0_392", "1.8.0_392");
    EXPECT_EQ(detect_jdk(m.places), corretto);
    const std::string adoptium =
        jdk("Program Files\\Eclipse Adoptium\\jdk-8.0.392.8-hotspot", "1.8.0_392");
    EXPECT_EQ(detect_jdk(m.places), adoptium);
    // JAVA_HOME, even with a trailing backslash, is looked at too.
    fake_machine n;
    n.file("Program Files\\Zulu\\zulu-11\\bin\\javac.exe");
    n.places.java_home = n.path("jdk8") + "\\";
    EXPECT_EQ(detect_jdk(n.places), n.path("Program Files\\Zulu\\zulu-11"));
    n.file("jdk8\\bin\\javac.exe");
    n.dir.write("jdk8\\release", "IMPLEMENTOR=\"x\"\nJAVA_VERSION=\"1.8.0_41\"\n");
    EXPECT_EQ(detect_jdk(n.places), n.path("jdk8"));
}

TEST(ConfiguratorDetection, ToolVersionsAndWhatAWrongOneMeans) {
    EXPECT_EQ(jdk_major_version("JAVA_VERSION=\"1.8.0_392\"\r\n"), 8);
    EXPECT_EQ(jdk_major_version("OS_NAME=\"Windows\"\nJAVA_VERSION=\"17.0.9\"\n"), 17);
    EXPECT_EQ(jdk_major_version("JAVA_VERSION=\"21\""), 21);
    EXPECT_EQ(jdk_major_version("JAVA_VERSION_DATE=\"2023\""), 0);
    EXPECT_EQ(jdk_major_version(""), 0);
    EXPECT_EQ(jdk_version_problem(8), "");
    EXPECT_EQ(jdk_version_problem(0), "");
    EXPECT_EQ(jdk_version_problem(17),
              "This is JDK 17: the Android SDK Tools 25.2.5 that Vexlo builds with need JDK 8 "
              "(also named 1.8).");
    EXPECT_EQ(sdk_tools_revision("Pkg.UserSrc=false\r\nPkg.Revision=25.2.5\r\n"), "25.2.5");
    EXPECT_EQ(sdk_tools_revision("Pkg.Desc=x"), "");
    EXPECT_EQ(sdk_tools_problem("25.2.5"), "");
    EXPECT_EQ(sdk_tools_problem(""), "");
    EXPECT_NE(sdk_tools_problem("26.1.1").find("revision 26.1.1: since revision 26 they have no "
                                               "\"android\" command"),
              std::string::npos);
}

TEST(ConfiguratorDetection, AntVersionFromItsNotesOrItsFolderName) {
    struct row {
        const char* whatsnew;
        const char* folder;
        const char* version;
        bool problem;
    };
    const row rows[] = {
        {"Changes from Ant 1.10.13 TO Ant 1.10.14\r\n=====\r\n", "ant", "1.10.14", false},
        {"\n  Changes from Ant 1.7.0 TO Ant 1.7.1\nChanges from Ant 1.6 TO Ant 1.7.0\n",
         "apache-ant-1.9.0", "1.7.1", true},
        {"Changes from Ant 1.9 TO Ant\n", "Apache-Ant-1.8.0", "1.8.0", false},
        {"", "apache-ant-1.6.5", "1.6.5", true},
        {"", "apache-ant-", "", false},
        {"\x01\xff binary", "ant", "", false},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.folder);
        EXPECT_EQ(ant_version(r.whatsnew, r.folder), r.version);
        EXPECT_EQ(!ant_version_problem(r.version).empty(), r.problem);
    }
    EXPECT_EQ(ant_version_problem("1.6.5"),
              "This is Apache Ant 1.6.5: the Android SDK Tools' build scripts need Ant 1.8.0 or "
              "later.");
    EXPECT_TRUE(revision_before("9.0.0", "30.0.3"));
    EXPECT_TRUE(revision_before("30.0.2", "30.0.3"));
    EXPECT_TRUE(revision_before("30", "30.0.1"));
    EXPECT_FALSE(revision_before("31.0.0 rc1", "31.0.0"));
    EXPECT_FALSE(revision_before("34.0.0", "30.0.3"));
}

TEST(ConfiguratorDetection, BuildToolsTheBuildNeeds) {
    fake_machine m;
    const std::string sdk = m.path("sdk");
    m.file("sdk\\build-tools\\23.0.3\\zipalign.exe");
    m.file("sdk\\build-tools\\23.0.3\\lib\\dx.jar");
    m.file("sdk\\build-tools\\25.0.3\\zipalign.exe");
    m.file("sdk\\build-tools\\25.0.3\\apksigner.bat");
    m.file("sdk\\build-tools\\25.0.3\\lib\\dx.jar");
    const auto problem = [&sdk](const std::string& chosen, const char* level) {
        return build_tools_problem(build_tools_facts_of(sdk, chosen), level);
    };
    EXPECT_EQ(problem(sdk + "\\build-tools\\25.0.3", "25"), "");
    EXPECT_EQ(problem(sdk + "\\build-tools\\23.0.3", "23"),
              "The build-tools in " + sdk +
                  "\\build-tools\\23.0.3 have no apksigner, which signs it (it came with the "
                  "build-tools 24.0.3). Choose a target of API 24 or later whose build-tools are "
                  "installed.");
    EXPECT_EQ(problem(sdk + "\\build-tools\\", "28")
                  .rfind("The Android SDK has no build-tools for API 28 (a folder \"28.x.x\"", 0),
              0u);
    // A newer build-tools without dx (named 9 to 34 out of order, revision from its properties).
    m.dir.write("sdk\\build-tools\\android-15\\source.properties", "Pkg.Revision=34.0.0\r\n");
    const std::string text = problem(sdk + "\\build-tools\\25.0.3", "25");
    EXPECT_EQ(text.rfind("The newest build-tools of the SDK, 34.0.0, have no dx", 0), 0u) << text;
    EXPECT_EQ(build_tools_facts_of(m.path("nothing"), "").newest_revision, "");
}

TEST(ConfiguratorDetection, X86JdkOnlyWhenNothingWasFoundFirst) {
    fake_machine m;
    m.file("Program Files (x86)\\Java\\jdk1.8.0_111\\bin\\javac.exe");
    m.file("Program Files\\Java\\jdk-readme.txt");  // a file, not a folder: no match
    EXPECT_EQ(detect_jdk(m.places), m.path("Program Files (x86)\\Java\\jdk1.8.0_111"));
}

TEST(ConfiguratorDetection, JdkNameMatchIgnoresLetterCase) {
    fake_machine m;
    m.file("Program Files\\Java\\JDK8\\bin\\javac.exe");
    EXPECT_EQ(detect_jdk(m.places), m.path("Program Files\\Java\\JDK8"));
}

TEST(ConfiguratorDetection, NoJdkAnywhere) {
    fake_machine m;
    m.folder("Program Files\\Java\\jre8");
    EXPECT_EQ(detect_jdk(m.places), "");
}

// ---- Android SDK -----------------------------------------------------------------------------

TEST(ConfiguratorDetection, TheSevenSdkCandidatesInTheirOrder) {
    const char* layouts[] = {
        "Program Files\\Android\\android-sdk",
        "Program Files\\android-sdk",
        "Program Files (x86)\\Android\\android-sdk",
        "Program Files (x86)\\android-sdk",
        "app\\Android\\android-sdk",
        "app\\android-sdk",
        "app",
    };
    // Installing the candidates from the last to the first, each newly installed one wins.
    fake_machine m;
    EXPECT_EQ(detect_android_sdk(m.places), "");
    for (int i = 6; i >= 0; --i) {
        m.file(std::string(layouts[i]) + "\\tools\\android.bat");
        EXPECT_EQ(detect_android_sdk(m.places), m.path(layouts[i])) << i;
    }
}

TEST(ConfiguratorDetection, SdkBesideTheProgramIsAnAbsolutePath) {
    fake_machine m;
    m.file("app\\android-sdk\\tools\\android.bat");
    EXPECT_EQ(detect_android_sdk(m.places), m.places.program_folder + "android-sdk");
}

TEST(ConfiguratorDetection, SdkWithoutItsScriptIsNoSdk) {
    fake_machine m;
    m.folder("Program Files\\Android\\android-sdk\\tools");
    m.file("Program Files\\android-sdk\\tools\\android.exe");
    EXPECT_EQ(detect_android_sdk(m.places), "");
}

// ---- Apache Ant ------------------------------------------------------------------------------

TEST(ConfiguratorDetection, AntOnThePathIsTheParentOfItsBinFolder) {
    fake_machine m;
    m.places.search_folders.push_back(m.path("tools\\apache-ant-1.10.14\\bin\\"));
    m.file("tools\\apache-ant-1.10.14\\bin\\ant.bat");
    m.file("app\\apache-ant-1.9.4\\bin\\ant.bat");  // the path comes first
    EXPECT_EQ(detect_ant(m.places), m.path("tools\\apache-ant-1.10.14"));
}

TEST(ConfiguratorDetection, PathFolderWithoutTrailingBackslashWorksToo) {
    fake_machine m;
    m.places.search_folders = {m.path("ant\\bin")};
    m.file("ant\\bin\\ant.bat");
    EXPECT_EQ(detect_ant(m.places), m.path("ant"));
}

TEST(ConfiguratorDetection, AntBatOutsideABinFolderIsNotTakenAsAnInstallation) {
    fake_machine m;
    m.file("path1\\ant.bat");  // a stray script: its parent holds no bin\ant.bat
    EXPECT_EQ(detect_ant(m.places), "");
    m.file("app\\apache-ant-1.9.4\\bin\\ant.bat");
    EXPECT_EQ(detect_ant(m.places), m.path("app\\apache-ant-1.9.4"));
}

TEST(ConfiguratorDetection, AZipIsNeverTakenButTheUnzippedFolderIs) {
    fake_machine m;
    m.file("app\\apache-ant-1.9.4-bin.zip");
    EXPECT_EQ(detect_ant(m.places), "");
    m.file("app\\apache-ant-1.9.4\\bin\\ant.bat");
    EXPECT_EQ(detect_ant(m.places), m.path("app\\apache-ant-1.9.4"));
    m.file("app\\Apache-Ant-0.ZIP");  // listed first; upper-case extension still skipped
    EXPECT_EQ(detect_ant(m.places), m.path("app\\apache-ant-1.9.4"));
}

TEST(ConfiguratorDetection, AntInTheProgramFolderAsTheCurrentFolderIsNamedBareRelative) {
    fake_machine m;
    m.places.working_folder = m.places.program_folder;
    m.file("app\\apache-ant-1.10.14\\bin\\ant.bat");
    // Step 2 finds it in the current folder, which is the program folder.
    EXPECT_EQ(detect_ant(m.places), "apache-ant-1.10.14");
}

TEST(ConfiguratorDetection, AntInAnotherCurrentFolderIsNamedByItsFullPath) {
    fake_machine m;
    m.file("work\\apache-ant-1.10.14\\bin\\ant.bat");
    EXPECT_EQ(detect_ant(m.places), m.path("work\\apache-ant-1.10.14"));
}

TEST(ConfiguratorDetection, AntFolderWithoutItsScriptIsNotReported) {
    fake_machine m;
    m.folder("work\\apache-ant-1.10.14\\lib");
    m.folder("app\\apache-ant-1.9.4");
    EXPECT_EQ(detect_ant(m.places), "");
}

TEST(ConfiguratorDetection, PathVariableFolders) {
    EXPECT_EQ(path_variable_folders("C:\\Windows\\system32;;\"C:\\My Tools\\bin\"; D:\\ant\\bin\\"),
              (std::vector<std::string>{"C:\\Windows\\system32\\", "C:\\My Tools\\bin\\",
                                        "D:\\ant\\bin\\"}));
    EXPECT_TRUE(path_variable_folders("").empty());
    EXPECT_TRUE(path_variable_folders(";;").empty());
}

// ---- Browse validations ---------------------------------------------------------------------

TEST(ConfiguratorBrowse, JdkNeedsBinJavac) {
    fake_machine m;
    m.file("jdk8\\bin\\javac.exe");
    m.file("jre8\\bin\\java.exe");
    EXPECT_EQ(accept_jdk_folder(m.path("jdk8")), m.path("jdk8"));
    EXPECT_EQ(accept_jdk_folder(m.path("jdk8\\")), m.path("jdk8"));
    EXPECT_EQ(accept_jdk_folder(m.path("jre8")), "");
    EXPECT_EQ(accept_jdk_folder(""), "");
}

TEST(ConfiguratorBrowse, SdkFolderOrItsSdkSubFolder) {
    fake_machine m;
    m.file("android\\sdk\\tools\\android.bat");
    EXPECT_EQ(accept_sdk_folder(m.path("android\\sdk")), m.path("android\\sdk"));
    EXPECT_EQ(accept_sdk_folder(m.path("android")), m.path("android\\sdk"));
    EXPECT_EQ(accept_sdk_folder(m.path("android\\sdk\\tools")), "");
}

TEST(ConfiguratorBrowse, AntRootItsBinFolderOrTheFolderItWasUnzippedInto) {
    fake_machine m;
    m.file("downloads\\apache-ant-1.10.14\\bin\\ant.bat");
    m.file("downloads\\apache-ant-1.10.14-bin.zip");
    const std::string root = m.path("downloads\\apache-ant-1.10.14");
    EXPECT_EQ(accept_ant_folder(root), root);
    EXPECT_EQ(accept_ant_folder(root + "\\bin"), root);
    EXPECT_EQ(accept_ant_folder(m.path("downloads")), root);
    EXPECT_EQ(accept_ant_folder(m.path("downloads\\")), root);
    EXPECT_EQ(accept_ant_folder(root + "\\lib"), "");
    // "\bin" is compared exactly: another letter case is not the bin folder.
    EXPECT_EQ(accept_ant_folder(root + "\\BIN"), "");
}

TEST(ConfiguratorBrowse, OnlyFoldersNamedApacheAntDashAreLookedInto) {
    fake_machine m;
    m.file("dl\\apache-ant-1.10.14-bin.zip");
    m.file("dl\\apache-antique\\bin\\ant.bat");
    EXPECT_EQ(accept_ant_folder(m.path("dl")), "");
}

TEST(ConfiguratorBrowse, EntriesAreListedInWindowsNameOrder) {
    fake_machine m;
    m.folder("x\\jdkB");
    m.folder("x\\JDKa");
    m.file("x\\jdk0.txt");
    m.folder("x\\other");
    EXPECT_EQ(entries_starting_with(m.path("x\\"), "jdk", true),
              (std::vector<std::string>{"JDKa", "jdkB"}));
    EXPECT_EQ(entries_starting_with(m.path("x\\"), "jdk", false),
              (std::vector<std::string>{"jdk0.txt", "JDKa", "jdkB"}));
    EXPECT_TRUE(entries_starting_with(m.path("missing\\"), "jdk", false).empty());
}

TEST(PendingDetections, TheUsersChoiceIsTheLaterWord) {
    configurator::pending_detections pending;
    pending.start(configurator::tool_section::jdk, "C:\\Java\\jdk1.8");
    pending.start(configurator::tool_section::ant, "");
    pending.user_chose(configurator::tool_section::jdk);  // Browse while the JDK result waits
    EXPECT_EQ(pending.take(configurator::tool_section::jdk), std::nullopt);
    EXPECT_EQ(pending.take(configurator::tool_section::ant), std::optional<std::string>(""));
    EXPECT_EQ(pending.take(configurator::tool_section::ant), std::nullopt);  // handed out once
    EXPECT_EQ(pending.take(configurator::tool_section::sdk), std::nullopt);
}
