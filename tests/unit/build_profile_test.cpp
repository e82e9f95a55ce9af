// The private-profile rules as the programs see them through the platform layer: natively
// these run against the POSIX mirror, under Wine against the Win32 calls, with the same
// expectations.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "test_support.h"

using testing_support::scratch_folder;

namespace {

std::string read(const std::string& file, const char* section, const char* key) {
    return platform::profile_read(file, section, key);
}

bool starts_with_unicode_mark(const std::string& bytes) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xFE;
}

}  // namespace

TEST(BuildProfile, MissingFileSectionOrKeyReadsEmpty) {
    scratch_folder dir;
    EXPECT_EQ(read(dir.path() + "none.cfg", "Config", "jdk_path"), "");
    const std::string file =
        dir.write("a.cfg", "[Other]\r\njdk_path=C:\\jdk\r\n[Config]\r\nant_path=x\r\n");
    EXPECT_EQ(read(file, "Config", "jdk_path"), "");
    EXPECT_EQ(read(file, "Missing", "ant_path"), "");
    EXPECT_EQ(read(file, "Config", "ant_path"), "x");
    EXPECT_EQ(read(file, "Other", "jdk_path"), "C:\\jdk");
}

TEST(BuildProfile, NamesMatchIgnoringCaseAndBlanksAreTrimmed) {
    scratch_folder dir;
    const std::string file = dir.write(
        "a.cfg",
        "[config]\r\n  JDK_Path   =   C:\\Program Files\\Java  \r\n\tant_path\t=\tD:\\ant\t\r\n");
    EXPECT_EQ(read(file, "CONFIG", "jdk_path"), "C:\\Program Files\\Java");
    EXPECT_EQ(read(file, "Config", "ANT_PATH"), "D:\\ant");
}

TEST(BuildProfile, OnePairOfEnclosingQuotesIsRemoved) {
    scratch_folder dir;
    const std::string file =
        dir.write("a.cfg",
                  "[Config]\r\na=\"quoted value\"\r\nb='single'\r\nc=\"mixed'\r\nd=\"\r\ne=\"\"\r\n"
                  "f=\"\"twice\"\"\r\ng=in\"side\r\n");
    EXPECT_EQ(read(file, "Config", "a"), "quoted value");
    EXPECT_EQ(read(file, "Config", "b"), "single");
    EXPECT_EQ(read(file, "Config", "c"), "\"mixed'");
    EXPECT_EQ(read(file, "Config", "d"), "\"");
    EXPECT_EQ(read(file, "Config", "e"), "");
    EXPECT_EQ(read(file, "Config", "f"), "\"twice\"");
    EXPECT_EQ(read(file, "Config", "g"), "in\"side");
}

TEST(BuildProfile, LfOnlyFilesAndKeysWithoutValues) {
    scratch_folder dir;
    const std::string file = dir.write("a.cfg", "[Config]\nflag\nempty=\nkey=v=w\n");
    EXPECT_EQ(read(file, "Config", "flag"), "");
    EXPECT_EQ(read(file, "Config", "empty"), "");
    EXPECT_EQ(read(file, "Config", "key"), "v=w");
}

TEST(BuildProfile, OnlyTheFirstSectionOfANameIsSearched) {
    scratch_folder dir;
    const std::string file =
        dir.write("a.cfg", "[Config]\r\na=1\r\nb=first\r\n[Config]\r\nb=second\r\nc=3\r\n");
    EXPECT_EQ(read(file, "Config", "b"), "first");
    EXPECT_EQ(read(file, "Config", "c"), "");
}

TEST(BuildProfile, KeysBeforeAnySectionBelongToNoNamedSection) {
    scratch_folder dir;
    const std::string file = dir.write("a.cfg", "jdk_path=C:\\early\r\n[Config]\r\nant_path=a\r\n");
    EXPECT_EQ(read(file, "Config", "jdk_path"), "");
}

TEST(BuildProfile, WritingCreatesAUnicodeFileThatReadsBack) {
    scratch_folder dir;
    const std::string file = dir.path() + "new.cfg";
    ASSERT_TRUE(platform::profile_write(file, "Config", "jdk_path", "C:\\Java\\jdk1.8"));
    ASSERT_TRUE(platform::profile_write(file, "Config", "ant_path", "apache-ant"));
    std::string bytes;
    ASSERT_TRUE(platform::read_file(file, bytes));
    EXPECT_TRUE(starts_with_unicode_mark(bytes));
    EXPECT_EQ(read(file, "Config", "jdk_path"), "C:\\Java\\jdk1.8");
    EXPECT_EQ(read(file, "config", "ANT_PATH"), "apache-ant");
}

TEST(BuildProfile, CharactersOutsideTheAnsiCodePageSurvive) {
    scratch_folder dir;
    const std::string file = dir.path() + "unicode.cfg";
    // Greek, Japanese and a character beyond the basic plane (a surrogate pair in UTF-16).
    const std::string path =
        "C:\\Users\\\xCE\xA9mega\\\xE6\x97\xA5\xE6\x9C\xAC\\\xF0\x9D\x84\x9E\\jdk";
    ASSERT_TRUE(platform::profile_write(file, "Config", "jdk_path", path));
    EXPECT_EQ(read(file, "Config", "jdk_path"), path);
}

TEST(BuildProfile, RewritingAKeyKeepsTheOthers) {
    scratch_folder dir;
    const std::string file = dir.path() + "a.cfg";
    ASSERT_TRUE(platform::profile_write(file, "Config", "a", "1"));
    ASSERT_TRUE(platform::profile_write(file, "Config", "b", "2"));
    ASSERT_TRUE(platform::profile_write(file, "Other", "a", "other"));
    ASSERT_TRUE(platform::profile_write(file, "CONFIG", "A", "changed"));
    EXPECT_EQ(read(file, "Config", "a"), "changed");
    EXPECT_EQ(read(file, "Config", "b"), "2");
    EXPECT_EQ(read(file, "Other", "a"), "other");
}

TEST(BuildProfile, AnAnsiFileFromAnEarlierVersionReadsAndTakesUnicodeValues) {
    scratch_folder dir;
    // Windows-1252: 0xE9 is e acute.
    const std::string file = dir.write(
        "old.cfg", "[Config]\r\njdk_path=C:\\Programm\xE9s\\jdk\r\nant_path=apache-ant\r\n");
    EXPECT_EQ(read(file, "Config", "jdk_path"), "C:\\Programm\xC3\xA9s\\jdk");
    const std::string greek = "D:\\\xCE\xB1\xCE\xBD\xCF\x84";
    ASSERT_TRUE(platform::profile_write(file, "Config", "ant_path", greek));
    EXPECT_EQ(read(file, "Config", "ant_path"), greek);
    EXPECT_EQ(read(file, "Config", "jdk_path"), "C:\\Programm\xC3\xA9s\\jdk");
}

TEST(BuildProfile, LongValuesAreNotCut) {
    scratch_folder dir;
    const std::string file = dir.path() + "long.cfg";
    std::string value;
    for (int i = 0; i < 300; ++i) value += "folder" + std::to_string(i) + "\\";
    ASSERT_GT(value.size(), 2000u);
    ASSERT_TRUE(platform::profile_write(file, "Config", "jdk_path", value));
    EXPECT_EQ(read(file, "Config", "jdk_path"), value);
}

TEST(BuildProfile, AnEmptyValueIsWrittenAsEmpty) {
    scratch_folder dir;
    const std::string file = dir.path() + "a.cfg";
    ASSERT_TRUE(platform::profile_write(file, "Config", "keystore_alias", "41"));
    ASSERT_TRUE(platform::profile_write(file, "Config", "keystore_alias", ""));
    EXPECT_EQ(read(file, "Config", "keystore_alias"), "");
}

TEST(BuildProfile, WritingIntoAMissingFolderFails) {
    scratch_folder dir;
    EXPECT_FALSE(
        platform::profile_write(dir.path() + "no\\such\\folder\\a.cfg", "Config", "a", "1"));
}
