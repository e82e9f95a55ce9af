#include "core/viewer/navigator.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "core/viewer/page_path.h"

using namespace viewer;

namespace {

// A window that remembers what it was asked to do; pages exist when listed in `files`.
class fake_host final : public viewer_host {
public:
    std::set<std::string> files;
    std::string page;  // shown
    std::string anchor;
    std::string folder = "C:\\start\\";
    std::string status_text;
    bool status_visible = false;
    bool back = false;
    bool closed = false;
    bool maximised = false;
    int loads = 0;
    std::string missing;
    std::vector<std::string> opened;  // by the shell, with the folder they started in

    bool load(const std::string& path, const std::string& a) override {
        ++loads;
        if (!files.count(path)) return false;
        page = path;
        anchor = a;
        missing.clear();
        return true;
    }
    void clear() override { page.clear(); }
    void scroll_to_anchor(const std::string& a) override { anchor = a; }
    std::string current_page() const override { return page; }
    void show_missing(const std::string& path) override { missing = path; }
    std::string current_folder() const override { return folder; }
    bool set_current_folder(const std::string& f) override {
        folder = f;
        return true;
    }
    void shell_open(const std::string& target) override { opened.push_back(folder + "|" + target); }
    void show_status(bool visible) override { status_visible = visible; }
    void set_status(const std::string& text) override { status_text = text; }
    void enable_back(bool enabled) override { back = enabled; }
    void maximise() override { maximised = true; }
    void close() override { closed = true; }
};

const std::vector<std::string> kReport = {"-", "-", "-", "-", "-", "-", "400", "720"};

std::vector<std::string> with(std::vector<std::string> args, std::size_t position,
                              const std::string& value) {
    args[position - 1] = value;
    return args;
}

struct viewer_under_test {
    fake_host host;
    navigator nav;
    explicit viewer_under_test(const std::vector<std::string>& args,
                               std::string program = "C:\\prog\\")
        : nav(parse_arguments(args), std::move(program), host) {
        for (const char* f :
             {"C:\\start\\index.htm", "C:\\start\\a.htm", "C:\\start\\b.htm", "C:\\start\\c.htm",
              "C:\\start\\d.htm", "C:\\start\\e.htm", "C:\\start\\f.htm", "C:\\start\\g.htm",
              "C:\\start\\sub\\p.htm", "C:\\prog\\index.htm", "C:\\start\\pic.gif"})
            host.files.insert(f);
    }
};

}  // namespace

TEST(ViewerNavigator, FirstActivationShowsIndexOfTheStartingFolder) {
    viewer_under_test v(kReport);
    v.nav.activated();
    EXPECT_EQ(v.host.page, "C:\\start\\index.htm");
    EXPECT_EQ(v.host.folder, "C:\\start\\");
    EXPECT_FALSE(v.host.status_visible);
    EXPECT_FALSE(v.nav.back_enabled());
    EXPECT_FALSE(v.host.maximised);
    EXPECT_EQ(v.nav.pages().slots()[0], "C:\\start\\index.htm");
    EXPECT_EQ(v.nav.server_root(), "C:\\prog\\");
}

TEST(ViewerNavigator, DebugModeShowsTheStripAndWhatLinksDo) {
    viewer_under_test v(with(kReport, 1, "debug"));
    v.nav.activated();
    EXPECT_TRUE(v.host.status_visible);
    EXPECT_EQ(v.host.status_text, "Debug mode - link file names shown here...");
    v.nav.link_clicked("bat\\2.bat");
    EXPECT_EQ(v.host.status_text, "attempting to execute: bat\\2.bat");
    v.nav.link_clicked("a.htm");
    EXPECT_EQ(v.host.status_text, "trying to display: a.htm");
    v.nav.back();
    EXPECT_EQ(v.host.status_text, "BACK - trying to display: C:\\start\\index.htm");
    v.nav.home();
    EXPECT_EQ(v.host.status_text, "HOME - trying to display: C:\\prog\\index.htm");
}

TEST(ViewerNavigator, NormalModeNeverWritesTheStrip) {
    viewer_under_test v(kReport);
    v.nav.activated();
    v.nav.link_clicked("bat\\2.bat");
    v.nav.link_clicked("a.htm");
    v.nav.home();
    EXPECT_EQ(v.host.status_text, "");
}

TEST(ViewerNavigator, BatchLinkRunsFromThePageFolderAndChangesNothingElse) {
    viewer_under_test v(kReport);
    v.nav.activated();
    v.host.folder = "C:\\elsewhere\\";
    v.nav.link_clicked("bat\\3.bat");
    EXPECT_EQ(v.host.opened, (std::vector<std::string>{"C:\\start\\|bat\\3.bat"}));
    EXPECT_EQ(v.host.page, "C:\\start\\index.htm");
    EXPECT_FALSE(v.nav.back_enabled());
    EXPECT_EQ(v.nav.pages().slots()[1], "");
}

TEST(ViewerNavigator, PageLinkShowsThePageAndEnablesBack) {
    viewer_under_test v(kReport);
    v.nav.activated();
    v.nav.link_clicked("sub\\p.htm#part");
    EXPECT_EQ(v.host.page, "C:\\start\\sub\\p.htm");
    EXPECT_EQ(v.host.anchor, "part");
    EXPECT_TRUE(v.nav.back_enabled());
    EXPECT_TRUE(v.host.back);
    // Relative links of the new page resolve against its own folder.
    v.nav.link_clicked("..\\a.htm");
    EXPECT_EQ(v.host.page, "C:\\start\\a.htm");
    v.nav.back();
    EXPECT_EQ(v.host.page, "C:\\start\\sub\\p.htm");
    v.nav.back();
    EXPECT_EQ(v.host.page, "C:\\start\\index.htm");
    EXPECT_FALSE(v.nav.back_enabled());
    EXPECT_FALSE(v.host.back);
}

TEST(ViewerNavigator, SixPageChangesKeepFiveForBack) {
    viewer_under_test v(kReport);
    v.nav.activated();
    for (const char* p : {"a.htm", "b.htm", "c.htm", "d.htm", "e.htm", "f.htm"})
        v.nav.link_clicked(p);
    std::vector<std::string> visited;
    while (v.nav.back_enabled()) {
        v.nav.back();
        visited.push_back(v.host.page);
    }
    EXPECT_EQ(visited,
              (std::vector<std::string>{"C:\\start\\e.htm", "C:\\start\\d.htm", "C:\\start\\c.htm",
                                        "C:\\start\\b.htm", "C:\\start\\a.htm"}));
}

TEST(ViewerNavigator, LeftArrowIsBackOnlyWhileEnabled) {
    viewer_under_test v(kReport);
    v.nav.activated();
    const int loads = v.host.loads;
    EXPECT_TRUE(v.nav.key_down(kKeyLeft));
    EXPECT_EQ(v.host.loads, loads);  // disabled: nothing
    v.nav.link_clicked("a.htm");
    v.nav.key_down(kKeyLeft);
    EXPECT_EQ(v.host.page, "C:\\start\\index.htm");
    EXPECT_FALSE(v.nav.key_down(40));
}

TEST(ViewerNavigator, HomeLoadsTheStartPageBesideTheProgram) {
    viewer_under_test v(kReport);
    v.nav.activated();
    v.nav.link_clicked("a.htm");
    v.nav.key_down(kKeyHome);
    EXPECT_EQ(v.host.page, "C:\\prog\\index.htm");
    EXPECT_TRUE(v.nav.back_enabled());  // Home leaves the history alone
    EXPECT_EQ(v.nav.pages().slots()[0], "C:\\start\\index.htm");
}

TEST(ViewerNavigator, HomeWithANamedOrAbsoluteStartPage) {
    viewer_under_test named({"-", "a.htm"}, "C:\\start\\");
    named.nav.activated();
    named.nav.link_clicked("b.htm");
    named.nav.home();
    EXPECT_EQ(named.host.page, "C:\\start\\a.htm");

    viewer_under_test absolute({"-", "C:\\start\\b.htm"});
    absolute.nav.activated();
    absolute.nav.link_clicked("c.htm");
    absolute.nav.home();
    EXPECT_EQ(absolute.host.page, "C:\\start\\b.htm");
}

TEST(ViewerNavigator, HomeWithoutAStartPageDoesNothing) {
    viewer_under_test v({"-", ""});
    v.nav.activated();
    EXPECT_EQ(v.host.loads, 0);
    v.nav.home();
    EXPECT_EQ(v.host.loads, 0);
}

TEST(ViewerNavigator, MissingHomePageLeavesThePageShown) {
    viewer_under_test v(kReport, "C:\\nowhere\\");
    v.nav.activated();
    v.nav.home();
    EXPECT_EQ(v.host.page, "C:\\start\\index.htm");
}

TEST(ViewerNavigator, MissingLinkedPageLeavesAnEmptyViewWithANotice) {
    viewer_under_test v(kReport);
    v.nav.activated();
    v.nav.link_clicked("gone.htm");
    EXPECT_EQ(v.host.page, "");
    EXPECT_EQ(v.host.missing, "C:\\start\\gone.htm");
    EXPECT_TRUE(v.nav.back_enabled());
    v.nav.back();
    EXPECT_EQ(v.host.page, "C:\\start\\index.htm");
}

TEST(ViewerNavigator, MissingStartPageIsNamedInTheView) {
    viewer_under_test v(kReport);
    v.host.files.erase("C:\\start\\index.htm");
    v.nav.activated();
    EXPECT_EQ(v.host.missing, "C:\\start\\index.htm");
    EXPECT_EQ(v.nav.pages().slots()[0], "");
}

TEST(ViewerNavigator, MissingPageInTheHistoryIsSkippedNotRetriedForever) {
    viewer_under_test v(kReport);
    v.nav.activated();
    v.nav.link_clicked("a.htm");
    v.nav.link_clicked("b.htm");
    v.host.files.erase("C:\\start\\a.htm");
    v.nav.back();  // a.htm is gone: b.htm stays shown
    EXPECT_EQ(v.host.page, "C:\\start\\b.htm");
    v.nav.back();
    EXPECT_EQ(v.host.page, "C:\\start\\index.htm");
    EXPECT_FALSE(v.nav.back_enabled());
}

TEST(ViewerNavigator, ActivationReloadsTheStartPageFromWhereItWasFound) {
    viewer_under_test v(kReport);
    v.nav.activated();
    v.nav.link_clicked("sub\\p.htm");
    v.nav.link_clicked("x.bat");  // the current folder moves to the sub folder
    EXPECT_EQ(v.host.folder, "C:\\start\\sub\\");
    v.nav.activated();
    EXPECT_EQ(v.host.page, "C:\\start\\index.htm");
    EXPECT_EQ(v.host.folder, "C:\\start\\");
}

TEST(ViewerNavigator, QuitClosesAndGoesNowhereElse) {
    viewer_under_test v(kReport);
    v.nav.activated();
    v.nav.link_clicked("bye.quit");
    EXPECT_TRUE(v.host.closed);
    EXPECT_TRUE(v.host.opened.empty());
}

TEST(ViewerNavigator, CapitalExtensionGoesToTheShell) {
    viewer_under_test v(kReport);
    v.nav.activated();
    v.nav.link_clicked("a.HTM");
    EXPECT_EQ(v.host.page, "C:\\start\\index.htm");
    EXPECT_EQ(v.host.opened, (std::vector<std::string>{"C:\\start\\|a.HTM"}));
}

TEST(ViewerNavigator, AnchorLinkScrollsWithoutHistory) {
    viewer_under_test v(kReport);
    v.nav.activated();
    const int loads = v.host.loads;
    v.nav.link_clicked("#part");
    EXPECT_EQ(v.host.anchor, "part");
    EXPECT_EQ(v.host.loads, loads);
    EXPECT_FALSE(v.nav.back_enabled());
}

TEST(ViewerNavigator, EscapeClosesOnlyTheBorderlessWindow) {
    viewer_under_test framed(kReport);
    EXPECT_TRUE(framed.nav.key_char(kCharEscape));
    EXPECT_FALSE(framed.host.closed);
    viewer_under_test borderless(with(kReport, 6, "N"));
    borderless.nav.key_char(kCharEscape);
    EXPECT_TRUE(borderless.host.closed);
    EXPECT_FALSE(borderless.nav.key_char('a'));
}

TEST(ViewerNavigator, MaximisedOnEveryActivation) {
    viewer_under_test v(with(kReport, 5, "M"));
    v.nav.activated();
    EXPECT_TRUE(v.host.maximised);
}

TEST(ViewerNavigator, PicturesAreShownLikePages) {
    viewer_under_test v(kReport);
    v.nav.activated();
    v.nav.link_clicked("pic.gif");
    EXPECT_EQ(v.host.page, "C:\\start\\pic.gif");
}
