// Merging a BASIC! program with its include files.
#include <gtest/gtest.h>

#include "core/assets/include_expansion.h"
#include "unit/test_support.h"

using assets::expand_includes;
using assets::include_problems;
using testing_support::scratch_folder;

TEST(AssetsInclude, CrLfInputBecomesLfWithTheEmptyLastLine) {
    scratch_folder s;
    const std::string main = s.write("main.bas", "A\r\nB\r\n");
    EXPECT_EQ(expand_includes(main), "A\nB\n\n");
}

TEST(AssetsInclude, LoneCrStaysInsideItsLineAsLf) {
    scratch_folder s;
    const std::string main = s.write("main.bas", "A\rB\nC");
    EXPECT_EQ(expand_includes(main), "A\nB\nC\n");
}

TEST(AssetsInclude, SpacesAreTrimmedTabsStay) {
    scratch_folder s;
    const std::string main = s.write("main.bas", "   PRINT 1   \n\tPRINT 2\t\n  \t x = 3");
    EXPECT_EQ(expand_includes(main), "PRINT 1\n\tPRINT 2\t\n\t x = 3\n");
}

TEST(AssetsInclude, IncludeInAnyCaseWithSpacesAroundIsMerged) {
    scratch_folder s;
    s.write("lib\\util.bas", "U1\nU2");
    s.write("x.bas", "X");
    s.write("y.bas", "Y");
    const std::string main = s.write(
        "main.bas", "start\n  Include lib\\util.bas  \nINCLUDE x.bas\r\n\tiNcLuDe y.bas\nend");
    EXPECT_EQ(expand_includes(main), "start\nU1\nU2\n\nX\n\nY\n\nend\n");
}

TEST(AssetsInclude, TabAfterTheKeywordIsAnOrdinaryLine) {
    scratch_folder s;
    s.write("x.bas", "X");
    const std::string main = s.write("main.bas", "  include\tx.bas  ");
    EXPECT_EQ(expand_includes(main), "include\tx.bas\n");
}

TEST(AssetsInclude, KeywordWithoutNameOrGluedToTheNameIsNotAnInclude) {
    scratch_folder s;
    const std::string main = s.write("main.bas", "include\nincludex.bas\nINCLUDE   \n");
    include_problems problems;
    EXPECT_EQ(expand_includes(main, &problems), "include\nincludex.bas\nINCLUDE\n\n");
    EXPECT_TRUE(problems.empty());
}

TEST(AssetsInclude, NestedIncludesAreRelativeToTheIncludingFile) {
    scratch_folder s;
    s.write("lib\\a.bas", "A1\ninclude deeper\\b.bas\nA2");
    s.write("lib\\deeper\\b.bas", "B");
    s.write("b.bas", "WRONG B");  // beside main.bas: must not be taken
    const std::string main = s.write("main.bas", "include lib\\a.bas\nM");
    EXPECT_EQ(expand_includes(main), "A1\nB\n\nA2\n\nM\n");
}

TEST(AssetsInclude, QuotedNamesAndForwardSlashesFindTheFile) {
    scratch_folder s;
    s.write("lib\\util.bas", "U\ninclude \"more.bas\"");
    s.write("lib\\more.bas", "MORE");
    const std::string main = s.write("main.bas", "INCLUDE \"lib/util.bas\"");
    include_problems problems;
    EXPECT_EQ(expand_includes(main, &problems), "U\nMORE\n\n\n");
    EXPECT_TRUE(problems.empty());
}

TEST(AssetsInclude, MissingFileGivesAnEmptyBlockAndIsReported) {
    scratch_folder s;
    const std::string main = s.write("main.bas", "A\ninclude gone.bas\nB");
    include_problems problems;
    EXPECT_EQ(expand_includes(main, &problems), "A\n\n\nB\n");
    ASSERT_EQ(problems.missing.size(), 1u);
    EXPECT_EQ(problems.missing[0], s.path() + "gone.bas");
    EXPECT_TRUE(problems.cyclic.empty());
}

TEST(AssetsInclude, UnreadableMainFileGivesOneEmptyLine) {
    scratch_folder s;
    include_problems problems;
    EXPECT_EQ(expand_includes(s.path() + "none.bas", &problems), "\n");
    EXPECT_TRUE(problems.empty());  // the command checks the chosen file itself
}

TEST(AssetsInclude, SelfIncludeStopsWithAnEmptyBlock) {
    scratch_folder s;
    const std::string main = s.write("main.bas", "A\ninclude main.bas\nB");
    include_problems problems;
    EXPECT_EQ(expand_includes(main, &problems), "A\n\n\nB\n");
    ASSERT_EQ(problems.cyclic.size(), 1u);
    EXPECT_EQ(problems.cyclic[0], s.path() + "main.bas");
}

TEST(AssetsInclude, TwoFileCycleIsCutWhereItWouldReEnter) {
    scratch_folder s;
    s.write("b.bas", "B1\nInclude A.BAS\nB2");  // another spelling of a.bas
    const std::string a = s.write("a.bas", "A1\ninclude b.bas\nA2");
    include_problems problems;
    EXPECT_EQ(expand_includes(a, &problems), "A1\nB1\n\n\nB2\n\nA2\n");
    ASSERT_EQ(problems.cyclic.size(), 1u);
    EXPECT_TRUE(problems.missing.empty());
}

TEST(AssetsInclude, SameFileTwiceSideBySideIsNoCycle) {
    scratch_folder s;
    s.write("u.bas", "U");
    const std::string main = s.write("main.bas", "include u.bas\ninclude .\\u.bas");
    include_problems problems;
    EXPECT_EQ(expand_includes(main, &problems), "U\n\nU\n\n");
    EXPECT_TRUE(problems.empty());
}

TEST(AssetsInclude, CycleThroughParentFolderSpellingIsFound) {
    scratch_folder s;
    s.write("lib\\x.bas", "include ..\\main.bas");
    const std::string main = s.write("main.bas", "include lib\\x.bas");
    include_problems problems;
    EXPECT_EQ(expand_includes(main, &problems), "\n\n\n");
    EXPECT_EQ(problems.cyclic.size(), 1u);
}

TEST(AssetsInclude, IncludeTargetParsing) {
    EXPECT_EQ(assets::include_target("  include  a b.bas  "), "a b.bas");
    EXPECT_EQ(assets::include_target("INCLUDE \"x/y.bas\""), "x\\y.bas");
    EXPECT_EQ(assets::include_target("include\tx.bas"), "");
    EXPECT_EQ(assets::include_target("PRINT \"include x\""), "");
}

TEST(AssetsInclude, DoneMessageNamesTheFilesLeftOut) {
    EXPECT_EQ(assets::update_done_message({}), "Done !");
    include_problems p;
    p.missing = {"C:\\p\\gone.bas"};
    p.cyclic = {"C:\\p\\main.bas"};
    EXPECT_EQ(assets::update_done_message(p),
              "The program has been written, but these included files were left out:\r"
              "- not found: \"C:\\p\\gone.bas\"\r- included in itself: \"C:\\p\\main.bas\"");
}
