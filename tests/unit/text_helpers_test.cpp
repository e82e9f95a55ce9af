#include "core/text/text_helpers.h"

#include <gtest/gtest.h>

#include "core/text/encoding.h"
#include "test_support.h"

using namespace text;

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
    EXPECT_EQ(clean_file_name("\xC3\x89"
                              "cole"),
              "\xC3\x89"
              "cole");  // upper-case stays
    EXPECT_EQ(clean_file_name("a\xC2\xB0"
                              "b\xC2\xA3"
                              "c\xC2\xB5"
                              "d"),
              "abcd");
    EXPECT_EQ(clean_file_name("\xC3\xB1"
                              "and\xC3\xBF"),
              "nandy");
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

TEST(LfLineViews, CrStaysAndAFinalLfEndsTheLastLine) {
    using views = std::vector<std::string_view>;
    EXPECT_EQ(lf_line_views("a\r\nb"), (views{"a\r", "b"}));
    EXPECT_EQ(lf_line_views("a\n\nb\n"), (views{"a", "", "b"}));
    EXPECT_EQ(lf_line_views("\n"), views{""});
    EXPECT_EQ(lf_line_views(""), views{});
}

TEST(IgnoringCase, AsciiLettersOnlyAndNoShorterText) {
    struct row {
        std::string_view text, prefix;
        bool starts, equal;
    };
    const row rows[] = {
        {"C:\\Proj\\src", "c:\\proj", true, false},
        {"C:\\PROJ", "c:\\proj", true, true},
        {"c:\\pro", "c:\\proj", false, false},                     // shorter than the prefix
        {"\xC3\x89t\xC3\xA9", "\xC3\xA9t\xC3\xA9", false, false},  // no folding beyond ASCII
        {"a@b", "A`b", false, false},  // '@' and '`' sit beside the letters, not among them
        {"", "", true, true},
    };
    for (const row& r : rows) {
        EXPECT_EQ(starts_with_ignoring_case(r.text, r.prefix), r.starts) << r.text;
        EXPECT_EQ(iequals_ascii(r.text, r.prefix), r.equal) << r.text;
    }
}

TEST(TrimView, OnlyTheGivenCharactersAtEitherEnd) {
    EXPECT_EQ(trim_view(" \t a b \t ", " \t"), "a b");
    EXPECT_EQ(trim_view("\r\nx\n", " \t"), "\r\nx\n");
    EXPECT_EQ(trim_view(" \t ", " \t"), "");
    EXPECT_TRUE(consists_of(" \t\r", " \t\r"));
    EXPECT_TRUE(consists_of("", " "));
    EXPECT_FALSE(consists_of(" \n", " \t\r"));
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
    EXPECT_EQ(stored_text("Caf\xC3\xA9", latin1), latin1);           // unchanged: original bytes
    EXPECT_EQ(stored_text("Caf\xC3\xA9s", latin1), "Caf\xC3\xA9s");  // edited: UTF-8
    EXPECT_TRUE(is_valid_utf8("\xE6\xB8\xB8\xE6\x88\x8F"));
    EXPECT_FALSE(is_valid_utf8("\xC3"));          // cut short
    EXPECT_FALSE(is_valid_utf8("\xC0\x80"));      // overlong
    EXPECT_FALSE(is_valid_utf8("\xED\xA0\x80"));  // surrogate
    EXPECT_EQ(cp1252_to_utf8("\x80\x99"), "\xE2\x82\xAC\xE2\x84\xA2");
}
