#include <gtest/gtest.h>

#include "sample_tools.h"

#include "core/build/batch_identity.h"
#include "core/build/build_names.h"
#include "core/build/compile_batch_text.h"
#include "core/build/gitignore_entry.h"

using namespace build;

namespace {

tool_config tools() {
    return testing_support::sample_tools();
}

}  // namespace

TEST(BuildNames, AntProjectName) {
    EXPECT_EQ(ant_project_name("com.example.myapp"), "myapp");
    EXPECT_EQ(ant_project_name("myapp"), "myapp");
    EXPECT_EQ(ant_project_name("com.example."), "");
    EXPECT_EQ(ant_project_name(""), "");
}

TEST(BuildNames, ApkFileNameForBothVariants) {
    // The compile batch uses the version name, the in-app compile the version code.
    EXPECT_EQ(apk_file_name("  My Cool App ", "1.2.3"), "MyCoolApp123.apk");
    EXPECT_EQ(apk_file_name("My Cool App", "42"), "MyCoolApp42.apk");
    EXPECT_EQ(apk_file_name("App 2", " 10 "), "App210.apk");  // joined without a separator
    EXPECT_EQ(apk_file_name("caf\xC3\xA9 & co", "v1"), "cafecov1.apk");
}

TEST(BuildNames, ApkFileNameDropsWhatWindowsRefusesInNames) {
    EXPECT_EQ(apk_file_name("A<B>C", "1"), "ABC1.apk");
    EXPECT_EQ(apk_file_name("Tab\tName\x01", "1"), "TabName1.apk");
}

TEST(BuildCompileBatch, SixteenLinesForOrdinaryValues) {
    EXPECT_EQ(
        compile_batch_text(tools(), "C:\\Users\\Ann\\AppData\\Local\\Temp\\vexlo.ant.properties",
                           "D:\\keys\\release.jks", "myapp", "MyApp12.apk"),
        "set JAVA_HOME=C:\\Program Files\\Java\\jdk1.8.0_151\r\n"
        "set path=%PATH%;%JAVA_HOME%\\bin\r\n"
        "set path=%PATH%;C:\\Android\\sdk\\tools\r\n"
        "set path=%PATH%;C:\\Android\\sdk\\build-tools\\23.0.3\r\n"
        "set path=%PATH%;C:\\Vexlo\\apache-ant\\bin\r\n"
        "copy C:\\Users\\Ann\\AppData\\Local\\Temp\\vexlo.ant.properties ant.properties\r\n"
        "copy D:\\keys\\release.jks release.jks\r\n"
        "call android update project --name myapp --target 7 --path .\r\n"
        "call ant clean\r\n"
        "call ant release\r\n"
        "del ant.properties\r\n"
        "del release.jks\r\n"
        "move bin\\myapp-release.apk MyApp12.apk\r\n"
        "del bin\\*.ap?\r\n"
        "del bin\\*.d\r\n"
        "Pause\r\n");
}

TEST(BuildCompileBatch, PathsWithSpacesAreQuoted) {
    const std::string text =
        compile_batch_text(tools(), "C:\\Users\\Ann Lee\\Temp\\vexlo.ant.properties",
                           "D:\\my keys\\release key.jks", "myapp", "A1.apk");
    EXPECT_NE(
        text.find("\r\ncopy \"C:\\Users\\Ann Lee\\Temp\\vexlo.ant.properties\" ant.properties\r\n"),
        std::string::npos);
    // The copy's name is quoted too, or "copy" would see three names.
    EXPECT_NE(text.find("\r\ncopy \"D:\\my keys\\release key.jks\" \"release key.jks\"\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\ndel \"release key.jks\"\r\n"), std::string::npos);
}

TEST(BuildCompileBatch, NothingTypedRunsAsACommand) {
    tool_config t = tools();
    t.jdk_path = "C:\\R&D\\jdk";
    const std::string text = compile_batch_text(t, "C:\\T\\100%\\vexlo.ant.properties",
                                                "D:\\k&s\\a.jks", "x&y", "A1.apk");
    EXPECT_EQ(text.substr(0, 30), "set \"JAVA_HOME=C:\\R&D\\jdk\"\r\nse");
    EXPECT_NE(text.find("copy C:\\T\\100%%\\vexlo.ant.properties ant.properties"),
              std::string::npos);
    EXPECT_NE(text.find("copy \"D:\\k&s\\a.jks\" a.jks"), std::string::npos);
    EXPECT_NE(text.find("--name \"x&y\" --target"), std::string::npos);
    EXPECT_NE(text.find("move \"bin\\x&y-release.apk\" A1.apk"), std::string::npos);
}

TEST(BuildCompileBatch, LaunchBatch) {
    EXPECT_EQ(launch_batch_text("D:\\Projects\\App\\"),
              "D:\r\ncd D:\\Projects\\App\\\r\ncall BuildAPK.bat\r\n");
    EXPECT_EQ(launch_batch_text("D:\\My Projects\\App\\"),
              "D:\r\ncd \"D:\\My Projects\\App\\\"\r\ncall BuildAPK.bat\r\n");
    EXPECT_EQ(launch_batch_text("E:\\R&D\\50%\\"),
              "E:\r\ncd \"E:\\R&D\\50%%\\\"\r\ncall BuildAPK.bat\r\n");
}

TEST(BuildCompileBatch, PropertiesPathAndFileNames) {
    EXPECT_EQ(ant_properties_path("C:\\Temp"), "C:\\Temp\\vexlo.ant.properties");
    EXPECT_EQ(file_name_of("D:\\keys\\release.jks"), "release.jks");
    EXPECT_EQ(file_name_of("release.jks"), "release.jks");
}

TEST(BuildGitignore, EntryFollowsTheFilesLineEnds) {
    EXPECT_EQ(gitignore_with_compile_batch("bin/\r\ngen/\r\n"),
              "bin/\r\ngen/\r\n\r\n# Apkwright compiling batch\r\nBuildAPK.bat");
    EXPECT_EQ(gitignore_with_compile_batch("bin/\ngen/"),
              "bin/\ngen/\n# Apkwright compiling batch\nBuildAPK.bat");
    EXPECT_EQ(gitignore_with_compile_batch(""), "\n# Apkwright compiling batch\nBuildAPK.bat");
}

TEST(BuildGitignore, AlreadyMentionedMeansNoChange) {
    EXPECT_FALSE(gitignore_with_compile_batch("bin/\nBuildAPK.bat\n").has_value());
    EXPECT_FALSE(gitignore_with_compile_batch("/BuildAPK.bat.old").has_value());
    // Mentioned in another letter case is a different name for git.
    EXPECT_TRUE(gitignore_with_compile_batch("buildapk.bat\n").has_value());
}

TEST(BuildBatchIdentity, ReadsBareAndQuotedPathsBack) {
    const std::string bare = compile_batch_text(tools(), "C:\\Temp\\vexlo.ant.properties",
                                                "D:\\keys\\release.jks", "myapp", "A.apk");
    batch_identity id = read_batch_identity(bare);
    EXPECT_TRUE(id.found);
    EXPECT_EQ(id.ant_properties_file, "C:\\Temp\\vexlo.ant.properties");
    EXPECT_EQ(id.keystore_file, "D:\\keys\\release.jks");

    const std::string quoted =
        compile_batch_text(tools(), "C:\\Users\\Ann Lee\\vexlo.ant.properties",
                           "D:\\my keys\\100% & more.jks", "myapp", "A.apk");
    id = read_batch_identity(quoted);
    EXPECT_TRUE(id.found);
    EXPECT_EQ(id.ant_properties_file, "C:\\Users\\Ann Lee\\vexlo.ant.properties");
    EXPECT_EQ(id.keystore_file, "D:\\my keys\\100% & more.jks");
}

TEST(BuildBatchIdentity, ToolFolderNamedCopyIsNotACopyLine) {
    tool_config t = tools();
    t.jdk_path = "C:\\copy of jdk";
    t.ant_path = "C:\\R&D\\ant copy ";
    const std::string text =
        compile_batch_text(t, "C:\\Temp\\vexlo.ant.properties", "D:\\k.jks", "a", "A.apk");
    const batch_identity id = read_batch_identity(text);
    EXPECT_TRUE(id.found);
    EXPECT_EQ(id.ant_properties_file, "C:\\Temp\\vexlo.ant.properties");
    EXPECT_EQ(id.keystore_file, "D:\\k.jks");
}

TEST(BuildBatchIdentity, IncompleteBatchesAreNotFound) {
    EXPECT_FALSE(read_batch_identity("").found);
    EXPECT_FALSE(read_batch_identity("copy a b\r\ncopy c d\r\n").found);  // no JAVA_HOME line
    EXPECT_FALSE(read_batch_identity("set JAVA_HOME=x\r\ncopy a b\r\n").found);
    const batch_identity lf = read_batch_identity("set JAVA_HOME=x\ncopy \"a b\" c\ncopy d e\n");
    EXPECT_TRUE(lf.found);
    EXPECT_EQ(lf.ant_properties_file, "a b");
    EXPECT_EQ(lf.keystore_file, "d");
    // An unterminated quote takes the rest of the line.
    EXPECT_EQ(read_batch_identity("set JAVA_HOME=x\ncopy p q\ncopy \"D:\\open end\n").keystore_file,
              "D:\\open end");
}
