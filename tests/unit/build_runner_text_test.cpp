#include "core/build/command_runner_text.h"

#include <gtest/gtest.h>

#include "sample_tools.h"

using namespace build;

namespace {

tool_config tools() {
    return testing_support::sample_tools();
}

}  // namespace

TEST(BuildRunnerText, CapturedCommandInTheMainProgram) {
    EXPECT_EQ(runner_batch_text(tools(), "D:\\Projects\\My App\\", "call ant clean", true,
                                runner_variant::main_program),
              "@echo off\r\n"
              "set JAVA_HOME=C:\\Program Files\\Java\\jdk1.8.0_151\r\n"
              "set path=%PATH%;%JAVA_HOME%\\bin\r\n"
              "set path=%PATH%;C:\\Android\\sdk\\tools\r\n"
              "set path=%PATH%;C:\\Android\\sdk\\build-tools\\23.0.3\r\n"
              "set path=%PATH%;C:\\Vexlo\\apache-ant\\bin\r\n"
              "D:\r\n"
              "cd D:\\Projects\\My App\\\r\n"
              "call ant clean > temp.txt 2>&1\r\n"
              "\r\n");
}

TEST(BuildRunnerText, VisibleCommandHasNoRedirection) {
    const std::string text = runner_batch_text(tools(), "C:\\P\\", "call ant release", false,
                                               runner_variant::main_program);
    EXPECT_NE(text.find("\r\ncall ant release\r\n\r\n"), std::string::npos);
    EXPECT_EQ(text.find("temp.txt"), std::string::npos);
}

TEST(BuildRunnerText, ConfiguratorPutsNoBuildToolsOnThePath) {
    EXPECT_EQ(runner_batch_text(tools(), "C:\\Vexlo\\", "android list targets", true,
                                runner_variant::configurator),
              "@echo off\r\n"
              "set JAVA_HOME=C:\\Program Files\\Java\\jdk1.8.0_151\r\n"
              "set path=%PATH%;%JAVA_HOME%\\bin\r\n"
              "set path=%PATH%;C:\\Android\\sdk\\tools\r\n"
              "set path=%PATH%;C:\\Vexlo\\apache-ant\\bin\r\n"
              "C:\r\n"
              "cd C:\\Vexlo\\\r\n"
              "android list targets > temp.txt 2>&1\r\n"
              "\r\n");
}

TEST(BuildRunnerText, FolderNormalisation) {
    EXPECT_EQ(runner_folder("", "C:\\Program Files\\Vexlo\\"), "C:\\Program Files\\Vexlo\\");
    EXPECT_EQ(runner_folder("D:\\proj\\\\\\", "C:\\Vexlo\\"), "D:\\proj\\");
    EXPECT_EQ(runner_folder("D:\\proj", "C:\\Vexlo\\"), "D:\\proj\\");
    const std::string text = runner_batch_text(tools(), runner_folder("E:\\x\\\\", "C:\\"), "dir",
                                               true, runner_variant::main_program);
    EXPECT_NE(text.find("\r\nE:\r\ncd E:\\x\\\r\ndir > temp.txt"), std::string::npos);
}

TEST(BuildRunnerText, ToolFoldersWithCommandCharactersQuoteEverySetLine) {
    tool_config t = tools();
    t.jdk_path = "C:\\R&D\\jdk";
    t.ant_path = "C:\\100%\\ant";
    const std::string text =
        runner_batch_text(t, "C:\\P\\", "call ant clean", true, runner_variant::main_program);
    EXPECT_NE(text.find("set \"JAVA_HOME=C:\\R&D\\jdk\"\r\n"
                        "set \"path=%PATH%;%JAVA_HOME%\\bin\"\r\n"
                        "set \"path=%PATH%;C:\\Android\\sdk\\tools\"\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("set \"path=%PATH%;C:\\100%%\\ant\\bin\"\r\n"), std::string::npos);
    // A "%" alone needs no quotes, only doubling.
    tool_config p = tools();
    p.ant_path = "C:\\100%\\ant";
    EXPECT_NE(runner_batch_text(p, "C:\\P\\", "x", true, runner_variant::main_program)
                  .find("set path=%PATH%;C:\\100%%\\ant\\bin\r\n"),
              std::string::npos);
}

TEST(BuildRunnerText, WorkingFolderWithCommandCharactersIsQuoted) {
    const std::string text =
        runner_batch_text(tools(), "C:\\A&B\\50%\\", "dir", true, runner_variant::main_program);
    EXPECT_NE(text.find("\r\ncd \"C:\\A&B\\50%%\\\"\r\n"), std::string::npos);
}

TEST(BuildRunnerText, VariablesAreSetBeforeTheCommand) {
    const std::string text =
        runner_batch_text(tools(), "C:\\P\\", "call apksigner sign", true,
                          runner_variant::main_program, {{"VEXLO_KS_PASS", "a&b%c^|<>"}});
    EXPECT_NE(text.find("cd C:\\P\\\r\nset \"VEXLO_KS_PASS=a&b%%c^|<>\"\r\ncall apksigner sign > "),
              std::string::npos);
}

TEST(BuildRunnerText, ResultWords) {
    EXPECT_EQ(runner_result(true, false, ""), "**OK**");
    EXPECT_EQ(runner_result(true, true, "output"), "**OK**");
    EXPECT_EQ(runner_result(false, false, ""), "**ERROR WRITING**");
    EXPECT_EQ(runner_result(false, true, ""), "");
    EXPECT_EQ(runner_result(false, true, "\r\n\r\n"), "");
    EXPECT_EQ(runner_result(false, true, "line 1\r\nline 2\r\n\r\n\n\r"), "line 1\r\nline 2");
    EXPECT_EQ(runner_result(false, true, "\r\nkeep leading\r\n"), "\r\nkeep leading");
    EXPECT_EQ(runner_result(false, true, "trailing spaces stay  \n"), "trailing spaces stay  ");
}
