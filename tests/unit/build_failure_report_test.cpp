#include "core/build/failure_report.h"

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "test_support.h"

using namespace build;

namespace {

const std::string kProject = "C:\\Projects\\MyApp\\";
const std::string kSources = "C:\\Projects\\MyApp\\src\\com\\example\\myapp\\";

std::string log_fixture(const char* name) {
    std::string bytes;
    EXPECT_TRUE(
        platform::read_file(testing_support::fixture(std::string("antlogs\\") + name), bytes))
        << name;
    return bytes;
}

failure_report report_of(const char* name, report_editor editor = report_editor::carried) {
    return make_failure_report(log_fixture(name), kProject, editor);
}

std::string page(const std::vector<std::string>& entries) {
    std::string html =
        "<html><body bgcolor='#FAE6E6'>\r\n"
        "<h2><font color='red'>Sorry, compiling has failed.</font></h2>\r\n"
        "<h3>Here are the reasons why: (you can click a file + line to open it in the "
        "editor)</h2>\r\n"
        "<ol>\r\n";
    for (const std::string& e : entries) html += e + "\r\n";
    return html +
           "</ol>\r\n<br>\r\n<a href='bat\\0.bat'>View the complete Ant log for more "
           "details</a>\r\n"
           "</body></html>\r\n";
}

std::string link(int n, const std::string& location) {
    return "<li><input type='checkbox'> <a href='bat\\" + std::to_string(n) + ".bat'>" + location +
           "</a>: <b>";
}

}  // namespace

TEST(BuildFailureReport, OneError) {
    const failure_report r = report_of("one_error.txt");
    ASSERT_TRUE(r.produced);
    EXPECT_EQ(r.index_htm,
              page({"", link(2, "src\\com\\example\\myapp\\MainActivity.java:27") +
                            " error: ';' expected</b><br>int x = 5<font color='red'></font>"
                            "<br><i>1 error</i><br>&nbsp;</li>"}));
    EXPECT_EQ(r.line_count, 3);
    ASSERT_EQ(r.link_batches.size(), 2u);
    EXPECT_EQ(r.link_batches.at(0), "start SciTE.exe \"C:\\Projects\\MyApp\\ant_log.txt\"\r\n");
    EXPECT_EQ(r.link_batches.at(2),
              "start SciTE.exe \"" + kSources + "MainActivity.java\" -goto:27\r\n");
}

TEST(BuildFailureReport, SeveralErrorsWithSymbolLocationAndGenerics) {
    const failure_report r = report_of("several_errors.txt");
    ASSERT_TRUE(r.produced);
    EXPECT_EQ(r.index_htm,
              page({"",
                    link(2, "src\\com\\example\\myapp\\Helper.java:14") +
                        " error: cannot find symbol</b><br><font color='red'>Foo foo = new "
                        "Foo();</font><br><u>symbol:&nbsp;&nbsp;</u>   class Foo"
                        "<br><u>location:</u> class Helper<br>&nbsp;</li>",
                    link(3, "src\\com\\example\\myapp\\Helper.java:22") +
                        " error: cannot find symbol</b><br>foo<font color='red'>.bar(items);</font>"
                        "<br><u>symbol:&nbsp;&nbsp;</u>   method bar(List&lt;String&gt;)"
                        "<br><u>location:</u> variable foo of type Helper<br>&nbsp;</li>",
                    link(4, "src\\com\\example\\myapp\\Lists.java:9") +
                        " error: incompatible types: List&lt;String&gt; cannot be converted to "
                        "String</b><br>String s = <font color='red'>names;</font>"
                        "<br><i>3 errors</i><br>&nbsp;</li>"}));
    EXPECT_EQ(r.line_count, 13);
    ASSERT_EQ(r.link_batches.size(), 4u);
    EXPECT_EQ(r.link_batches.at(2), "start SciTE.exe \"" + kSources + "Helper.java\" -goto:14\r\n");
    EXPECT_EQ(r.link_batches.at(3), "start SciTE.exe \"" + kSources + "Helper.java\" -goto:22\r\n");
    EXPECT_EQ(r.link_batches.at(4), "start SciTE.exe \"" + kSources + "Lists.java\" -goto:9\r\n");
    EXPECT_EQ(report_window_height(r.line_count), 24 * 13 + 200);
}

TEST(BuildFailureReport, WarningsKeepTheirLocationWithASpaceAsMessage) {
    const failure_report r = report_of("warnings.txt");
    ASSERT_TRUE(r.produced);
    EXPECT_EQ(r.index_htm,
              page({"<br><i></i><br><i></i><br><i></i>",
                    link(2, "src\\com\\example\\myapp\\Basic.java:88") +
                        " </b><br>Drawable d = getResources()<font color='red'>"
                        ".getDrawable(R.drawable.icon);</font><br>&nbsp;</li>",
                    link(3, "src\\com\\example\\myapp\\Basic.java:120") +
                        " error: unreachable statement</b><br><font color='red'>return;</font>"
                        "<br><i>Note: Some input files use unchecked or unsafe operations.</i>"
                        "<br><i>Note: Recompile with -Xlint:unchecked for details.</i>"
                        "<br><i>1 error</i><br><i>4 warnings</i><br>&nbsp;</li>"}));
    EXPECT_EQ(r.line_count, 12);
    EXPECT_EQ(r.link_batches.at(2), "start SciTE.exe \"" + kSources + "Basic.java\" -goto:88\r\n");
}

TEST(BuildFailureReport, CaretColumnCountsTabsOfTheUntrimmedLine) {
    const failure_report r = report_of("caret_tabs.txt");
    ASSERT_TRUE(r.produced);
    EXPECT_NE(r.index_htm.find("</b><br>count = <font color='red'>total &amp; mask;</font>"
                               "<br><u>symbol:&nbsp;&nbsp;</u>   variable total"),
              std::string::npos)
        << r.index_htm;
}

TEST(BuildFailureReport, NoCompileSectionOrNoFailureGivesNoReport) {
    const failure_report a = report_of("no_compile.txt");
    EXPECT_FALSE(a.produced);
    EXPECT_EQ(a.index_htm, "");
    EXPECT_TRUE(a.link_batches.empty());
    EXPECT_FALSE(report_of("no_build_failed.txt").produced);
    EXPECT_FALSE(make_failure_report("", kProject, report_editor::carried).produced);
    EXPECT_FALSE(make_failure_report("x\n-compile:", kProject, report_editor::carried).produced);
}

TEST(BuildFailureReport, ProjectFolderInOtherLettersStillFindsTheErrors) {
    const failure_report r = report_of("other_case.txt");
    ASSERT_TRUE(r.produced);
    EXPECT_NE(r.index_htm.find(link(2, "src\\com\\example\\myapp\\MainActivity.java:27")),
              std::string::npos);
    // The batch opens the file as the log names it.
    EXPECT_EQ(
        r.link_batches.at(2),
        "start SciTE.exe \"c:\\projects\\myapp\\src\\com\\example\\myapp\\MainActivity.java\" "
        "-goto:27\r\n");
}

TEST(BuildFailureReport, LfLogWithMarkupAndALocationWithoutLine) {
    const failure_report r = report_of("lf_markup.txt");
    ASSERT_TRUE(r.produced);
    EXPECT_EQ(r.index_htm,
              page({"",
                    link(2, "src\\com\\example\\myapp\\Ops.java:3") +
                        " error: bad operand types for binary operator '&amp;&amp;'</b>"
                        "<br>if (a <font color='red'>&amp;&amp; b &lt; c) {}</font>"
                        "<br><i>first type:  int</i><br><i>second type: boolean</i><br>&nbsp;</li>",
                    link(3, "src\\com\\example\\myapp\\Ops.java") +
                        " error: file does not contain class Ops</b><br><i>2 errors</i>"
                        "<br>&nbsp;</li>"}));
    EXPECT_EQ(r.link_batches.at(3), "start SciTE.exe \"" + kSources + "Ops.java\"\r\n");
}

TEST(BuildFailureReport, NotepadWhenNoEditorIsCarried) {
    const failure_report r = report_of("several_errors.txt", report_editor::notepad);
    ASSERT_TRUE(r.produced);
    EXPECT_EQ(r.link_batches.at(0), "start notepad \"C:\\Projects\\MyApp\\ant_log.txt\"\r\n");
    EXPECT_EQ(r.link_batches.at(2), "start notepad \"" + kSources + "Helper.java\"\r\n");
    EXPECT_EQ(r.index_htm, report_of("several_errors.txt").index_htm);
}

TEST(BuildFailureReport, PercentInPathsIsDoubledInTheBatchFiles) {
    const std::string log =
        "B\n-compile:\n    [javac] D:\\100%\\App\\src\\A.java:4: error: x\nBUILD FAILED\n";
    const failure_report r = make_failure_report(log, "D:\\100%\\App\\", report_editor::carried);
    ASSERT_TRUE(r.produced);
    EXPECT_EQ(r.link_batches.at(2), "start SciTE.exe \"D:\\100%%\\App\\src\\A.java\" -goto:4\r\n");
    EXPECT_EQ(r.link_batches.at(0), "start SciTE.exe \"D:\\100%%\\App\\ant_log.txt\"\r\n");
}

TEST(BuildFailureReport, OnlyPlainFilePathsGoIntoBatchLines) {
    // A location that is no plain file path (a quote would end the batch line's quoting and
    // run the rest as commands) gets no link; it still shows, escaped.
    struct location_case {
        std::string file;  // after the project folder
        bool linked;
        std::string shown;    // in the page
        std::string batched;  // between the quotes of bat\2.bat
    };
    const location_case cases[] = {
        {"src\\a\" & calc.exe & \"b.java", false, "src\\a\" &amp; calc.exe &amp; \"b.java", ""},
        {"src\\a|b.java", false, "src\\a|b.java", ""},
        {"src\\a<b>.java", false, "src\\a&lt;b&gt;.java", ""},
        {"src\\a\x01"
         "b.java",
         false,
         "src\\a\x01"
         "b.java",
         ""},
        {"src\\a:b.java", false, "src\\a:b.java", ""},
        {"src\\a*?.java", false, "src\\a*?.java", ""},
        {"src\\R&D\\A.java", true, "src\\R&amp;D\\A.java", "C:\\proj\\src\\R&D\\A.java"},
        {"src\\100%\\A.java", true, "src\\100%\\A.java", "C:\\proj\\src\\100%%\\A.java"},
        {"src\\a^b (1)!.java", true, "src\\a^b (1)!.java", "C:\\proj\\src\\a^b (1)!.java"},
    };
    for (const location_case& c : cases) {
        const std::string log =
            "Buildfile: C:\\proj\\build.xml\n\n-compile:\n    [javac] C:\\proj\\" + c.file +
            ":7: error: x\n    [javac] 1 error\n\nBUILD FAILED\n";
        const failure_report r = make_failure_report(log, "C:\\proj\\", report_editor::carried);
        ASSERT_TRUE(r.produced) << c.file;
        const std::string entry =
            c.linked ? link(2, c.shown + ":7") + " error: x</b>"
                     : "<li><input type='checkbox'> " + c.shown + ":7: <b> error: x</b>";
        EXPECT_EQ(r.index_htm, page({"", entry + "<br><i>1 error</i><br>&nbsp;</li>"})) << c.file;
        if (c.linked) {
            ASSERT_EQ(r.link_batches.count(2), 1u) << c.file;
            EXPECT_EQ(r.link_batches.at(2), "start SciTE.exe \"" + c.batched + "\" -goto:7\r\n");
        } else {
            EXPECT_EQ(r.link_batches.count(2), 0u) << c.file;
        }
    }
}

TEST(BuildFailureReport, SectionWithoutErrorsHoldsOnlyTheFirstEntry) {
    const std::string log =
        "Buildfile: x\r\n\r\n-compile:\r\n    [javac] Something odd\r\n\r\nBUILD FAILED\r\n";
    const failure_report r = make_failure_report(log, kProject, report_editor::carried);
    ASSERT_TRUE(r.produced);
    EXPECT_EQ(r.index_htm, page({"<br><i>Something odd</i><br>&nbsp;</li>"}));
    EXPECT_EQ(r.line_count, 0);
    EXPECT_EQ(r.link_batches.size(), 1u);
}

TEST(BuildFailureReport, EmptyProjectFolderMatchesNoLine) {
    const failure_report r =
        make_failure_report(log_fixture("one_error.txt"), "", report_editor::carried);
    ASSERT_TRUE(r.produced);
    EXPECT_EQ(r.link_batches.size(), 1u);
    EXPECT_EQ(r.index_htm.find("<li>"), std::string::npos);
}

TEST(BuildFailureReport, CaretBeforeTheSourceTextMarksTheWholeLine) {
    const std::string log =
        "B\n-compile:\nC:\\P\\A.java:1: error: e\n      x = y;\n  ^\nBUILD FAILED\n";
    const failure_report r = make_failure_report(log, "C:\\P\\", report_editor::carried);
    EXPECT_NE(r.index_htm.find("<br><font color='red'>x = y;</font>"), std::string::npos);
    const std::string far =
        "B\n-compile:\nC:\\P\\A.java:1: error: e\n  x;\n            ^\nBUILD FAILED\n";
    EXPECT_NE(make_failure_report(far, "C:\\P\\", report_editor::carried)
                  .index_htm.find("<br>x;<font color='red'></font>"),
              std::string::npos);
}

TEST(BuildFailureReport, WindowHeight) {
    EXPECT_EQ(report_window_height(0), 200);
    EXPECT_EQ(report_window_height(2), 248);
    EXPECT_EQ(report_window_height(32), 968);
    EXPECT_EQ(report_window_height(33), 976);
    EXPECT_EQ(report_window_height(5000000), 976);
}

TEST(BuildFailureReport, EscapeHtml) {
    EXPECT_EQ(escape_html("a & b <c> 'd' \"e\""), "a &amp; b &lt;c&gt; 'd' \"e\"");
}

TEST(BuildFailureReport, LogInTheSystemCodePageMatchesTheUtf8ProjectFolder) {
    // The JDK writes its log in the system's code page: "é" is one byte there.
    std::string log = log_fixture("one_error.txt");
    const std::string utf8_folder = "C:\\Projects\\Caf\xC3\xA9\\";
    std::size_t at;
    while ((at = log.find(kProject)) != std::string::npos)
        log.replace(at, kProject.size(), "C:\\Projects\\Caf\xE9\\");
    const failure_report r = make_failure_report(log, utf8_folder, report_editor::carried);
    ASSERT_TRUE(r.produced);
    EXPECT_NE(r.index_htm.find(link(2, "src\\com\\example\\myapp\\MainActivity.java:27")),
              std::string::npos)
        << r.index_htm;
    ASSERT_EQ(r.link_batches.count(2), 1u);
    EXPECT_NE(r.link_batches.at(2).find("Caf"), std::string::npos);
}
