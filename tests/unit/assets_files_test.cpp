// The .gitignore default text and its line ends, the folder shortcuts and the picture filter.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/assets/picture_filter.h"
#include "core/assets/project_files.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"
#include "unit/test_support.h"

using namespace assets;
using testing_support::scratch_folder;

namespace {
std::string default_gitignore() {
    std::string bytes;
    platform::read_file(testing_support::fixture("..\\..\\resources\\gitignore.txt"), bytes);
    return bytes;
}
}  // namespace

TEST(AssetsGitignore, ResourceTextHasTheTwentySevenLinesWithCrLf) {
    const std::string text = default_gitignore();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 26);  // only CR LF line ends
    EXPECT_EQ(text::replace_text(text, "\r\n", "").find_first_of("\r\n"), std::string::npos);
    EXPECT_NE(text.back(), '\n');  // no line end after the last line
    const std::vector<std::string> expected = {"# built application files",
                                               "*.apk",
                                               "*.ap_",
                                               "",
                                               "# files for the dex VM",
                                               "*.dex",
                                               "",
                                               "# Java class files",
                                               "*.class",
                                               "",
                                               "# generated files",
                                               "bin/",
                                               "gen/",
                                               "",
                                               "# Local configuration file (sdk path, etc)",
                                               "default.properties",
                                               "local.properties",
                                               "project.properties",
                                               "ant.properties",
                                               "",
                                               "# Eclipse project files",
                                               ".classpath",
                                               ".project",
                                               ".settings",
                                               "",
                                               "# Apkwright compiling batch",
                                               "BuildAPK.bat"};
    EXPECT_EQ(text::split_lines(text), expected);
}

TEST(AssetsGitignore, CreateWritesTheBytesUnchangedAndRefusesAMissingResourceOrProject) {
    scratch_folder s;
    const auto no_editor = [](const std::string&) { ADD_FAILURE() << "the editor was started"; };
    gitignore_outcome outcome = create_or_edit_gitignore(s.path(), "", no_editor);
    EXPECT_TRUE(outcome.failed);
    EXPECT_FALSE(platform::file_exists(s.path() + ".gitignore"));
    outcome = create_or_edit_gitignore(s.path() + "gone\\", "bin/", no_editor);
    EXPECT_TRUE(outcome.failed);
    EXPECT_FALSE(platform::file_exists(s.path() + "gone"));

    const std::string path = gitignore_path(s.path());
    EXPECT_EQ(path, s.path() + ".gitignore");
    outcome = create_or_edit_gitignore(s.path(), default_gitignore(), no_editor);
    EXPECT_TRUE(outcome.created);
    EXPECT_EQ(outcome.message, gitignore_created_message(path));
    EXPECT_EQ(s.read(".gitignore"), default_gitignore());
    EXPECT_EQ(testing_support::leftover_temporaries(testing_support::without_trailing(s.path())),
              0);
}

TEST(AssetsGitignore, Messages) {
    EXPECT_EQ(gitignore_created_message("C:\\p\\.gitignore"),
              "The .gitignore file has been correctly created:\r\"C:\\p\\.gitignore\"");
    EXPECT_EQ(gitignore_failed_message("C:\\p\\.gitignore"),
              "Unknown error while creating the .gitignore file:\r\"C:\\p\\.gitignore\"");
}

TEST(AssetsGitignore, EditorSeesCrLfAndTheFileEndsWithLf) {
    scratch_folder s;
    const std::string path = s.write(".gitignore", "bin/\ngen/\n");
    std::string seen;
    edit_with_line_ends(path, [&](const std::string& p) { platform::read_file(p, seen); });
    EXPECT_EQ(seen, "bin/\r\ngen/\r\n");
    EXPECT_EQ(s.read(".gitignore"), "bin/\ngen/\n");
}

TEST(AssetsGitignore, MixedLineEndsAreLeftForTheEditorThenMadeLf) {
    scratch_folder s;
    const std::string path = s.write(".gitignore", "a\r\nb\nc\rd");
    std::string seen;
    edit_with_line_ends(path, [&](const std::string& p) { platform::read_file(p, seen); });
    EXPECT_EQ(seen, "a\r\nb\nc\rd");  // a file holding a CR is not touched before editing
    EXPECT_EQ(s.read(".gitignore"), "a\nb\nc\nd");
}

TEST(AssetsFolders, ResAndSrcFolders) {
    EXPECT_EQ(res_folder("C:\\p\\"), "C:\\p\\res\\");
    EXPECT_EQ(src_folder("C:\\p\\", "com.example.demo"), "C:\\p\\src\\com\\example\\demo");
    EXPECT_EQ(explorer_parameter("C:\\p\\res\\"), "C:\\p\\res\\");
    EXPECT_EQ(explorer_parameter("C:\\my p\\res\\"), "\"C:\\my p\\res\\\"");
}

TEST(AssetsPictureFilter, TwentyThreeEntriesAllImagesFirst) {
    const auto& f = picture_filter();
    ASSERT_EQ(f.size(), 23u);
    EXPECT_EQ(f[0].description, "All Images");
    std::string joined;
    for (std::size_t i = 1; i < f.size(); ++i) joined += f[i].pattern + ";";
    joined.pop_back();
    EXPECT_EQ(f[0].pattern, joined);  // every format's pattern, in order
    EXPECT_EQ(f[4].description, "JPeg (*.jpg)");
    EXPECT_EQ(f[4].pattern, "*.JPG;*.JIF");
    EXPECT_EQ(f[22].description, "X Pixmap (*.xpm)");
    ASSERT_EQ(program_filter().size(), 1u);
    EXPECT_EQ(program_filter()[0].pattern, "*.BAS");
}

TEST(LineEndConversion, CrlfLeavesFilesWithAnyCrAlone) {
    scratch_folder dir;
    const std::string lf = dir.write("lf.txt", "a\nb\n");
    const std::string mixed = dir.write("mixed.txt", "a\r\nb\n");
    convert_to_crlf(lf);
    convert_to_crlf(mixed);
    EXPECT_EQ(dir.read("lf.txt"), "a\r\nb\r\n");
    EXPECT_EQ(dir.read("mixed.txt"), "a\r\nb\n");
    convert_to_lf(lf);
    EXPECT_EQ(dir.read("lf.txt"), "a\nb\n");
    const std::string cr = dir.write("cr.txt", "a\rb\r\n");
    convert_to_lf(cr);
    EXPECT_EQ(dir.read("cr.txt"), "a\nb\n");
    convert_to_lf(dir.path() + "missing.txt");  // silently nothing
    EXPECT_FALSE(platform::file_exists(dir.path() + "missing.txt"));
}
