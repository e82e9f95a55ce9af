#include "core/viewer/links.h"

#include <gtest/gtest.h>

#include "core/html/parser.h"
#include "core/viewer/history.h"
#include "core/viewer/notice.h"
#include "core/viewer/page_path.h"

using namespace viewer;

TEST(ViewerLinks, ExtensionFromTheLastDot) {
    EXPECT_EQ(link_extension("bat\\3.bat"), ".bat");
    EXPECT_EQ(link_extension("a.b.c.htm"), ".htm");
    EXPECT_EQ(link_extension("page.htm#part"), ".htm");
    EXPECT_EQ(link_extension("README"), "");
    EXPECT_EQ(link_extension("x.quit"), ".quit");
}

TEST(ViewerLinks, PagesAndPicturesAreShownHere) {
    for (const char* t : {"a.htm", "a.html", "a.shtml", "a.asp", "a.gif", "a.jpg", "a.jpeg",
                          "a.bmp", "sub\\b.htm#x", "..\\up.html"})
        EXPECT_EQ(classify_link(t), link_action::show) << t;
}

TEST(ViewerLinks, EverythingElseGoesToTheShell) {
    for (const char* t :
         {"bat\\2.bat", "bat\\0.bat", "notes.txt", "setup.exe", "a.png", "README", "page.HTM",
          "picture.JPG", "http://example.com/page.htm", "mailto:someone@example.com", "a.htm?x=1"})
        EXPECT_EQ(classify_link(t), link_action::shell) << t;
}

TEST(ViewerLinks, QuitAndInPageAnchors) {
    EXPECT_EQ(classify_link(".quit"), link_action::quit);
    EXPECT_EQ(classify_link("close.quit"), link_action::quit);
    EXPECT_EQ(classify_link("close.QUIT"), link_action::shell);
    EXPECT_EQ(classify_link("#top"), link_action::in_page);
    EXPECT_EQ(classify_link("C:\\pages\\a.htm"), link_action::show);  // a drive, not a scheme
}

TEST(ViewerHistory, FiveSlotsNewestFirst) {
    history h;
    EXPECT_TRUE(h.empty());
    for (const char* p : {"A", "B", "C", "D", "E", "F"}) h.remember(p);
    EXPECT_EQ(h.slots(), (std::array<std::string, 5>{"F", "E", "D", "C", "B"}));
    EXPECT_EQ(h.take_newest(), "F");
    EXPECT_EQ(h.slots(), (std::array<std::string, 5>{"E", "D", "C", "B", ""}));
}

TEST(ViewerHistory, ThePageInFrontIsNotRememberedTwice) {
    history h;
    h.set_first("C:\\r\\index.htm");
    h.remember("C:\\R\\INDEX.HTM");
    h.remember("");
    h.remember("   ");
    EXPECT_EQ(h.slots()[1], "");
    EXPECT_EQ(h.take_newest(), "C:\\r\\index.htm");
    EXPECT_TRUE(h.empty());
}

TEST(ViewerHistory, TakingTrimsTheSlotsThatMoveUp) {
    history h;
    h.remember(" A ");
    h.remember("B");
    h.take_newest();
    EXPECT_EQ(h.slots()[0], "A");
    h.take_newest();
    EXPECT_TRUE(h.empty());
    EXPECT_EQ(h.take_newest(), "");  // nothing left: still harmless
}

TEST(ViewerPaths, FolderAndAbsolute) {
    EXPECT_EQ(folder_of("C:\\r\\index.htm"), "C:\\r\\");
    EXPECT_EQ(folder_of("index.htm"), "");
    EXPECT_EQ(folder_of("a/b.htm"), "a/");
    EXPECT_TRUE(is_absolute("C:\\x"));
    EXPECT_TRUE(is_absolute("\\\\server\\share"));
    EXPECT_TRUE(is_absolute("\\x"));
    EXPECT_FALSE(is_absolute("bat\\1.bat"));
    EXPECT_FALSE(is_absolute(""));
}

TEST(ViewerPaths, ResolveAgainstAFolder) {
    EXPECT_EQ(resolve("C:\\r\\", "sub/page.htm"), "C:\\r\\sub\\page.htm");
    EXPECT_EQ(resolve("C:\\r\\sub\\", "..\\index.htm"), "C:\\r\\index.htm");
    EXPECT_EQ(resolve("C:\\r\\", ".\\a\\.\\b.htm"), "C:\\r\\a\\b.htm");
    EXPECT_EQ(resolve("C:\\r\\", "..\\..\\..\\x.htm"), "C:\\x.htm");
    EXPECT_EQ(resolve("C:\\r\\", "D:\\other.htm"), "D:\\other.htm");
    EXPECT_EQ(resolve("", "a\\..\\..\\b.htm"), "..\\b.htm");
    EXPECT_EQ(resolve("\\\\server\\share\\", "x.htm"), "\\\\server\\share\\x.htm");
    EXPECT_EQ(resolve("C:\\r\\", ""), "C:\\r\\");
}

TEST(ViewerPaths, ResolvingStaysBelowItsRootAndIsCanonical) {
    // ".." stops at a network path's share as at a drive's root: a page on one server cannot
    // name another server by climbing.
    EXPECT_EQ(resolve("\\\\server\\share\\d\\", "..\\..\\..\\other\\x.htm"),
              "\\\\server\\share\\other\\x.htm");
    EXPECT_EQ(resolve("", "\\\\server\\share\\..\\x.htm"), "\\\\server\\share\\x.htm");
    // A relative result never reads as a drive path, so resolving it again changes nothing.
    EXPECT_EQ(resolve("", ".\\c:..\\e.asp"), ".\\c:..\\e.asp");
    EXPECT_EQ(resolve("", resolve("", "x\\..\\c:..\\e.asp")), ".\\c:..\\e.asp");
    // Only a letter names a drive: "\\:" is a name below the root.
    EXPECT_EQ(resolve("", "/.\\..\\:.\\d"), "\\:.\\d");
    EXPECT_EQ(resolve("", "\\:.\\d"), "\\:.\\d");
}

TEST(ViewerPaths, AnchorsAndComparison) {
    EXPECT_EQ(split_anchor("a.htm#b#c").path, "a.htm");
    EXPECT_EQ(split_anchor("a.htm#b#c").anchor, "b#c");
    EXPECT_EQ(split_anchor("a.htm").anchor, "");
    EXPECT_TRUE(same_path("C:\\A\\b.htm", "c:/a/B.HTM"));
    EXPECT_FALSE(same_path("C:\\A\\b.htm", "C:\\A\\b.html"));
}

TEST(ViewerNotice, NamesTheMissingFileAsText) {
    const std::string page = missing_page_html("C:\\r\\<odd> & name.htm");
    const html::dom d = html::parse(page);
    std::string text;
    for (const html::node& n : d.nodes)
        if (n.kind == html::tag::text) text += n.text;
    EXPECT_EQ(text, "Can't locate file: C:\\r\\<odd> & name.htm");
}
