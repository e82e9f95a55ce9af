// Finding the program file of a BASIC!-based project.
#include <gtest/gtest.h>

#include "core/assets/program_target.h"
#include "platform/platform.h"
#include "unit/test_support.h"

using assets::find_program_target;
using testing_support::scratch_folder;

namespace {
std::string setup_xml(const std::string& app_path, const std::string& program) {
    return "<resources>\n  <string name=\"app_path\">" + app_path +
           "</string>\n  <string name=\"my_program\">" + program + "</string>\n</resources>\n";
}
}  // namespace

TEST(AssetsTarget, RawMyProgramComesFirst) {
    scratch_folder s;
    s.write("res\\raw\\my_program", "old");
    s.write("res\\raw\\my_program.bas", "old");
    s.write("res\\values\\setup.xml", setup_xml("app", "main.bas"));
    s.write("assets\\app\\source\\main.bas", "old");
    const auto target = find_program_target(s.path());
    EXPECT_TRUE(target.found);
    EXPECT_EQ(target.path, s.path() + "res\\raw\\my_program");
}

TEST(AssetsTarget, RawMyProgramBasIsSecond) {
    scratch_folder s;
    s.write("res\\raw\\my_program.bas", "old");
    s.write("res\\values\\setup.xml", setup_xml("app", "main.bas"));
    s.write("assets\\app\\source\\main.bas", "old");
    const auto target = find_program_target(s.path());
    EXPECT_TRUE(target.found);
    EXPECT_EQ(target.path, s.path() + "res\\raw\\my_program.bas");
}

TEST(AssetsTarget, SetupXmlNamesTheAssetsProgram) {
    scratch_folder s;
    s.write("res\\values\\setup.xml", setup_xml("myapp", "game.bas"));
    s.write("assets\\myapp\\source\\game.bas", "old");
    const auto target = find_program_target(s.path());
    EXPECT_TRUE(target.found);
    EXPECT_EQ(target.path, s.path() + "assets\\myapp\\source\\game.bas");
    EXPECT_TRUE(target.message.empty());
}

TEST(AssetsTarget, MissingAssetsProgramNamesThePathAfterOneQuote) {
    scratch_folder s;
    s.write("res\\values\\setup.xml", setup_xml("myapp", "game.bas"));
    const auto target = find_program_target(s.path());
    EXPECT_FALSE(target.found);
    EXPECT_EQ(target.message, "We didn't find an \"assets\\myapp\\source\\game.bas to replace!");
}

TEST(AssetsTarget, NoSetupXmlGivesTheRawMessage) {
    scratch_folder s;
    s.write("AndroidManifest.xml", "<manifest/>");
    const auto target = find_program_target(s.path());
    EXPECT_FALSE(target.found);
    EXPECT_EQ(target.message,
              "We didn't find a \"res\\raw\\my_program\" or my_program.bas to replace!");
}

TEST(AssetsTarget, MissingValuesNeverNameAFolder) {
    scratch_folder s;
    s.write("res\\values\\setup.xml", "<resources/>");
    platform::make_directories(s.path() + "assets\\\\source");
    platform::make_directories(s.path() + "assets\\source");
    const auto target = find_program_target(s.path());
    EXPECT_FALSE(target.found);
    EXPECT_EQ(target.message, "We didn't find an \"assets\\\\source\\ to replace!");
}

TEST(AssetsTarget, FolderNamedLikeTheProgramIsSkipped) {
    scratch_folder s;
    platform::make_directories(s.path() + "res\\raw\\my_program");
    s.write("res\\raw\\my_program.bas", "old");
    const auto target = find_program_target(s.path());
    EXPECT_TRUE(target.found);
    EXPECT_EQ(target.path, s.path() + "res\\raw\\my_program.bas");
}

TEST(AssetsTarget, Windows1252ValuesBecomeUtf8Paths) {
    scratch_folder s;
    s.write("res\\values\\setup.xml", setup_xml("caf\xE9", "jeu.bas"));
    s.write("assets\\caf\xC3\xA9\\source\\jeu.bas", "old");
    const auto target = find_program_target(s.path());
    EXPECT_TRUE(target.found);
    EXPECT_EQ(target.path, s.path() + "assets\\caf\xC3\xA9\\source\\jeu.bas");
}

TEST(AssetsTarget, SetupXmlPathsLeadingOutsideAreRefused) {
    const char* const outside_values[][2] = {
        {"demo", "..\\..\\..\\..\\outside\\victim.txt"},
        {"..\\..\\..\\outside", "victim.txt"},
        {"demo", "C:\\Windows\\win.ini"},
        {"C:", "victim.txt"},
        {"demo", "\\\\server\\share\\victim.txt"},
        {"\\outside", "victim.txt"},
        {"demo", "/etc/passwd"},
        {"demo", "game.bas:hidden"},
        {"demo", "sub\\. .\\..\\x"},
    };
    for (const auto& [app_path, program] : outside_values) {
        scratch_folder s;
        s.write("outside\\victim.txt", "precious");
        s.write("p\\res\\values\\setup.xml", setup_xml(app_path, program));
        platform::make_directories(s.path() + "p\\assets\\demo\\source");
        const auto target = find_program_target(s.path() + "p\\");
        EXPECT_FALSE(target.found) << app_path << " " << program;
        EXPECT_NE(target.message.find("outside the project"), std::string::npos) << target.message;
    }
}

TEST(AssetsTarget, ProgramBehindALinkedFolderIsRefused) {
    scratch_folder s, outside;
    outside.write("source\\game.bas", "precious");
    s.write("res\\values\\setup.xml", setup_xml("demo", "game.bas"));
    platform::make_directories(s.path() + "assets");
    if (!testing_support::make_link(testing_support::without_trailing(outside.path()),
                                    s.path() + "assets\\demo"))
        GTEST_SKIP() << "no folder link could be made here";
    const auto target = find_program_target(s.path());
    EXPECT_FALSE(target.found);
    EXPECT_NE(target.message.find("outside the project"), std::string::npos) << target.message;
}
