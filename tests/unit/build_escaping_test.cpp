#include "core/build/batch_escaping.h"

#include <gtest/gtest.h>

using namespace build;

TEST(BuildEscaping, OrdinaryValuesAreWrittenAsTheyAre) {
    EXPECT_EQ(batch_path("C:\\keys\\release.jks"), "C:\\keys\\release.jks");
    EXPECT_EQ(program_argument("mykey_01"), "mykey_01");
    EXPECT_EQ(call_argument("MyApp"), "MyApp");
    EXPECT_EQ(set_line("JAVA_HOME", "C:\\Program Files (x86)\\Java"),
              "set JAVA_HOME=C:\\Program Files (x86)\\Java");
}

TEST(BuildEscaping, SpacesAndCommandCharactersAreQuoted) {
    EXPECT_EQ(batch_path("C:\\My Keys\\a.jks"), "\"C:\\My Keys\\a.jks\"");
    for (const char* v :
         {"a&b", "a|b", "a<b", "a>b", "a^b", "a b", "a\tb", "a,b", "a;b", "a=b", "f(x)"}) {
        const std::string q = program_argument(v);
        std::string expected = "\"";
        expected += v;
        expected += '"';
        EXPECT_EQ(q, expected) << v;
    }
}

TEST(BuildEscaping, PercentIsDoubledInsideAndOutsideQuotes) {
    EXPECT_EQ(double_percent("%PATH%"), "%%PATH%%");
    EXPECT_EQ(program_argument("100%"), "100%%");
    EXPECT_EQ(program_argument("50% off"), "\"50%% off\"");
    EXPECT_EQ(batch_path("C:\\100%\\x.jks"), "C:\\100%%\\x.jks");
    // A "call" line expands "%" twice.
    EXPECT_EQ(call_argument("a%b"), "a%%%%b");
    EXPECT_EQ(call_argument("a%b c"), "\"a%%%%b c\"");
    EXPECT_EQ(set_line("X", "1%"), "set X=1%%");
}

TEST(BuildEscaping, TrailingBackslashesSurviveAProgramsQuoteRules) {
    EXPECT_EQ(program_argument("pass word\\"), "\"pass word\\\\\"");
    EXPECT_EQ(program_argument("a b\\\\"), "\"a b\\\\\\\\\"");
    EXPECT_EQ(program_argument("back\\slash"), "back\\slash");  // unquoted: untouched
    // Built-in commands of cmd.exe read backslashes plainly.
    EXPECT_EQ(batch_path("C:\\My Folder\\"), "\"C:\\My Folder\\\"");
}

TEST(BuildEscaping, SetLinesWithCommandCharactersAreQuotedWhole) {
    EXPECT_EQ(set_line("A", "x&y"), "set \"A=x&y\"");
    EXPECT_EQ(set_line("A", "x^y%"), "set \"A=x^y%%\"");
}

TEST(BuildEscaping, UnsafeValuesAreNamed) {
    EXPECT_EQ(unsafe_value_reason("ordinary &|<>^% value"), "");
    EXPECT_EQ(unsafe_value_reason("\xC3\xA9t\xC3\xA9"), "");
    EXPECT_EQ(unsafe_value_reason("pass\"word"), "a double quote (\")");
    EXPECT_EQ(unsafe_value_reason("two\r\nlines"), "a line break");
    EXPECT_EQ(unsafe_value_reason("lf\n"), "a line break");
    EXPECT_EQ(unsafe_value_reason(std::string("nul\0x", 5)), "a control character");
    EXPECT_EQ(unsafe_value_reason("tab\tstop"), "a control character");
}
