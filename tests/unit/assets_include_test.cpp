// Merging a BASIC! program with its include files.
#include <gtest/gtest.h>

#include <algorithm>

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

TEST(AssetsInclude, NulInsideAnIncludeNameNamesNoFile) {
    // The file system would open "main.bas", which the chain check would not see as itself.
    scratch_folder s;
    const std::string main = s.write("main.bas", std::string("A\ninclude main.bas\0x\nB", 22));
    include_problems problems;
    EXPECT_EQ(expand_includes(main, &problems), "A\n\n\nB\n");
    ASSERT_EQ(problems.missing.size(), 1u);
    EXPECT_EQ(problems.missing[0], s.path() + "main.bas?x");
    EXPECT_TRUE(problems.cyclic.empty());
}

TEST(AssetsInclude, TrailingDotsAndSpacesSpellTheSameFile) {
    scratch_folder s;
    const std::string main = s.write("main.bas", "A\ninclude main.bas. .\nB");
    include_problems problems;
    EXPECT_EQ(expand_includes(main, &problems), "A\n\n\nB\n");
    EXPECT_EQ(problems.cyclic.size(), 1u);
}

TEST(AssetsInclude, IncludesThatDoubleAtEachLevelStopAtTheBound) {
    // 17 files, each including the next twice: 2^17 includes without the bound.
    scratch_folder s;
    const auto name = [](int i) {
        std::string n = std::to_string(i);  // "f" + to_string() upsets GCC 12's -Wrestrict
        return n.insert(0, 1, 'f') + ".bas";
    };
    for (int i = 0; i < 17; ++i)
        s.write(name(i), "include " + name(i + 1) + "\ninclude " + name(i + 1));
    s.write("f17.bas", "X");
    include_problems problems;
    const std::string merged = expand_includes(s.path() + "f0.bas", &problems);
    EXPECT_LE(static_cast<std::size_t>(std::count(merged.begin(), merged.end(), 'X')),
              assets::kMaxIncludedFiles);
    EXPECT_FALSE(problems.cut_at.empty());
    EXPECT_NE(assets::update_done_message(problems).find("everything from \"" + problems.cut_at),
              std::string::npos);
}

TEST(AssetsInclude, ChainDeeperThanTheBoundIsCutAndReportedAsSuch) {
    // Distinct files, no cycle: the include past the depth bound gives the empty block.
    scratch_folder s;
    const auto name = [](std::size_t i) { return std::to_string(i).insert(0, 1, 'd') + ".bas"; };
    for (std::size_t i = 0; i <= assets::kMaxIncludeDepth; ++i)
        s.write(name(i), "include " + name(i + 1));
    include_problems problems;
    const std::string merged = expand_includes(s.path() + name(0), &problems);
    EXPECT_EQ(merged, std::string(assets::kMaxIncludeDepth + 1, '\n'));
    EXPECT_TRUE(problems.cyclic.empty());
    ASSERT_EQ(problems.too_deep.size(), 1u);
    EXPECT_EQ(problems.too_deep[0], s.path() + name(assets::kMaxIncludeDepth));
}

TEST(AssetsInclude, MergedProgramStopsAtItsSizeBound) {
    scratch_folder s;
    s.write("big.bas", std::string(1u << 20, 'x'));
    std::string lines;
    for (int i = 0; i < 20; ++i) lines += "include big.bas\n";
    const std::string main = s.write("main.bas", lines);
    include_problems problems;
    const std::string merged = expand_includes(main, &problems);
    EXPECT_LE(merged.size(), assets::kMaxMergedBytes);
    EXPECT_GE(merged.size(), assets::kMaxMergedBytes - (2u << 20));
    EXPECT_EQ(problems.cut_at, s.path() + "big.bas");
}

TEST(AssetsInclude, FolderLinkedIntoItselfEndsAndIsReported) {
    scratch_folder s;
    if (!testing_support::make_link(testing_support::without_trailing(s.path()), s.path() + "loop"))
        GTEST_SKIP() << "no link could be made here";
    const std::string main =
        s.write("main.bas", "M\ninclude loop/main.bas\ninclude loop/main.bas\n");
    include_problems problems;
    const std::string merged = expand_includes(main, &problems);
    EXPECT_LE(merged.size(), assets::kMaxMergedBytes);
    // The chain ends at the depth bound, or earlier where the system stops resolving links.
    const std::vector<std::string>& ended =
        problems.too_deep.empty() ? problems.missing : problems.too_deep;
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_NE(ended[0].find("loop\\loop\\"), std::string::npos);
    EXPECT_FALSE(problems.cut_at.empty());
    EXPECT_NE(assets::update_done_message(problems).find(ended[0]), std::string::npos);
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
    p.too_deep = {"C:\\p\\l\\a.bas"};
    p.cut_at = "C:\\p\\b.bas";
    EXPECT_TRUE(assets::update_done_message(p).ends_with(
        "\r- nested more than 64 files deep (a folder linked into itself?): \"C:\\p\\l\\a.bas\""
        "\r- everything from \"C:\\p\\b.bas\" on: the merged program would pass 4096 includes "
        "or 16 MB"));
}
