#include "core/text/text_helpers.h"

#include <gtest/gtest.h>

#include "core/text/encoding.h"
#include "test_support.h"

using namespace text;
using testing_support::scratch_folder;

TEST(TextBetween, FirstStartThenNextEnd) {
    EXPECT_EQ(text_between("a=\"1\" a=\"2\"", "a=\"", "\""), "1");
    EXPECT_EQ(text_between("nothing here", "a=\"", "\""), "");
    EXPECT_EQ(text_between("a=\"unterminated", "a=\"", "\""), "");
    EXPECT_EQ(text_between("a=\"\"", "a=\"", "\""), "");
}

TEST(TextBetween, SearchesBeyondSixteenBitPositions) {
    std::string big(70000, 'x');
    big += "key=\"far\"";
    EXPECT_EQ(text_between(big, "key=\"", "\""), "far");
}

TEST(ReplaceText, EveryOccurrenceWithoutRescanning) {
    EXPECT_EQ(replace_text("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(replace_text("x = y = z", " =", "="), "x= y= z");
    EXPECT_EQ(replace_text("abc", "", "z"), "abc");
}

TEST(LeftPadZeros, PadsOnlyShortText) {
    EXPECT_EQ(left_pad_zeros("1.0", 5), "001.0");
    EXPECT_EQ(left_pad_zeros("12.345", 5), "12.345");
    EXPECT_EQ(left_pad_zeros("", 2), "00");
}

TEST(CleanFileName, DropsPunctuationAndFoldsLowerCaseAccents) {
    EXPECT_EQ(clean_file_name("Mon Appli-\xC3\xA9t\xC3\xA9 2!"), "MonAppliete2");
    EXPECT_EQ(clean_file_name("\xC3\x89" "cole"), "\xC3\x89" "cole");  // upper-case stays
    EXPECT_EQ(clean_file_name("a\xC2\xB0" "b\xC2\xA3" "c\xC2\xB5" "d"), "abcd");
    EXPECT_EQ(clean_file_name("\xC3\xB1" "and\xC3\xBF"), "nandy");
    EXPECT_EQ(clean_file_name("\xC3\xA1\xC3\xA7"), "\xC3\xA1\xC3\xA7");  // not in the fold table
    EXPECT_EQ(clean_file_name("my_app(1)[2]{3}"), "my_app123");
    EXPECT_EQ(clean_file_name("\xE6\xB8\xB8\xE6\x88\x8F"), "\xE6\xB8\xB8\xE6\x88\x8F");
}

TEST(ElapsedText, StrictBoundaries) {
    EXPECT_EQ(elapsed_text(0.4), "0 sec ");
    EXPECT_EQ(elapsed_text(60), "60 sec ");
    EXPECT_EQ(elapsed_text(61), "1 mn 1 sec ");
    EXPECT_EQ(elapsed_text(3600), "60 mn 0 sec ");
    EXPECT_EQ(elapsed_text(3601), "1 hr 1 sec ");
    EXPECT_EQ(elapsed_text(3725.9), "1 hr 2 mn 5 sec ");
    EXPECT_EQ(elapsed_text(-3), "-3 sec ");
}

TEST(SplitLines, AllLineEndsGiveTheSameLines) {
    const std::vector<std::string> expected = {"one", "two", ""};
    EXPECT_EQ(split_lines("one\r\ntwo\r\n"), expected);
    EXPECT_EQ(split_lines("one\ntwo\n"), expected);
    EXPECT_EQ(split_lines("one\rtwo\r"), std::vector<std::string>{"one\ntwo\n"});
    EXPECT_EQ(split_lines(""), std::vector<std::string>{""});
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
    EXPECT_FALSE(file_exists(dir.path() + "missing.txt"));
}

TEST(ReadTextLines, MissingFileLeavesOutputsUntouched) {
    std::string t = "keep";
    std::vector<std::string> lines = {"keep"};
    EXPECT_FALSE(read_text_lines("Z:\\no\\such\\file.txt", t, lines));
    EXPECT_EQ(t, "keep");
    EXPECT_EQ(lines.size(), 1u);
}

TEST(Folders, ExactlyOneTrailingBackslash) {
    EXPECT_EQ(with_one_trailing_backslash("C:\\p"), "C:\\p\\");
    EXPECT_EQ(with_one_trailing_backslash("C:\\p\\\\\\"), "C:\\p\\");
    EXPECT_EQ(without_trailing_backslashes("C:\\p\\\\"), "C:\\p");
}

TEST(LeadingNumber, StopsAtFirstNonDigit) {
    EXPECT_EQ(leading_number("  23abc"), 23);
    EXPECT_EQ(leading_number("abc"), 0);
    EXPECT_EQ(leading_number(""), 0);
    EXPECT_EQ(leading_number("-5"), -5);
}

TEST(Encoding, InvalidUtf8IsShownAsWindows1252AndKeptUnlessEdited) {
    const std::string latin1 = "Caf\xE9";  // Windows-1252 bytes
    EXPECT_FALSE(is_valid_utf8(latin1));
    EXPECT_EQ(display_text(latin1), "Caf\xC3\xA9");
    EXPECT_EQ(stored_text("Caf\xC3\xA9", latin1), latin1);        // unchanged: original bytes
    EXPECT_EQ(stored_text("Caf\xC3\xA9s", latin1), "Caf\xC3\xA9s");  // edited: UTF-8
    EXPECT_TRUE(is_valid_utf8("\xE6\xB8\xB8\xE6\x88\x8F"));
    EXPECT_FALSE(is_valid_utf8("\xC3"));          // cut short
    EXPECT_FALSE(is_valid_utf8("\xC0\x80"));      // overlong
    EXPECT_FALSE(is_valid_utf8("\xED\xA0\x80"));  // surrogate
    EXPECT_EQ(cp1252_to_utf8("\x80\x99"), "\xE2\x82\xAC\xE2\x84\xA2");
}
