#include "core/viewer/arguments.h"

#include <gtest/gtest.h>

#include "core/viewer/window_geometry.h"

using namespace viewer;

TEST(ViewerArguments, TheReportCommandLine) {
    const arguments a = parse_arguments({"-", "-", "-", "-", "-", "-", "400", "720"});
    EXPECT_FALSE(a.debug);
    EXPECT_EQ(a.start_page, "index.htm");
    EXPECT_EQ(a.page_argument, "-");
    EXPECT_FALSE(a.maximised);
    EXPECT_FALSE(a.borderless);
    EXPECT_EQ(a.height, 400);
    EXPECT_EQ(a.width, 720);
}

TEST(ViewerArguments, AbsentArgumentsAreEmpty) {
    const arguments a = parse_arguments({});
    EXPECT_TRUE(a.debug);  // anything but "-", the empty text included
    EXPECT_EQ(a.start_page, "");
    EXPECT_FALSE(a.height);
    EXPECT_FALSE(a.width);
}

TEST(ViewerArguments, StartPageNeedsTwoCharacters) {
    EXPECT_EQ(parse_arguments({"-", "x"}).start_page, "");
    EXPECT_EQ(parse_arguments({"-", "ab"}).start_page, "ab");
    EXPECT_EQ(parse_arguments({"-", "sub\\page.htm#part"}).start_page, "sub\\page.htm#part");
}

TEST(ViewerArguments, ModesAreExactLetters) {
    EXPECT_TRUE(parse_arguments({"d", "-", "-", "-", "M", "N"}).debug);
    EXPECT_TRUE(parse_arguments({"-", "-", "-", "-", "M", "N"}).maximised);
    EXPECT_TRUE(parse_arguments({"-", "-", "-", "-", "M", "N"}).borderless);
    EXPECT_FALSE(parse_arguments({"-", "-", "-", "-", "m", "n"}).maximised);
    EXPECT_FALSE(parse_arguments({"-", "-", "-", "-", "m", "n"}).borderless);
    EXPECT_FALSE(parse_arguments({"-", "-", "-", "-", "MM", "NN"}).borderless);
}

TEST(ViewerArguments, SizesAllowSpacesAndRefuseNonsense) {
    EXPECT_EQ(parse_size(" 400 "), 400);
    EXPECT_EQ(parse_size("+12"), 12);
    EXPECT_FALSE(parse_size(""));
    EXPECT_FALSE(parse_size("   "));
    EXPECT_FALSE(parse_size("4OO"));
    EXPECT_FALSE(parse_size("-400"));
    EXPECT_FALSE(parse_size("0"));
    EXPECT_FALSE(parse_size("99999999999999999999"));
    EXPECT_FALSE(parse_size("4 00"));
}

TEST(ViewerArguments, BadHeightLeavesTheWidthApplied) {
    const arguments a = parse_arguments({"-", "-", "-", "-", "-", "-", "tall", "720"});
    EXPECT_FALSE(a.height);
    EXPECT_EQ(a.width, 720);
}

TEST(ViewerGeometry, CentredOnTheScreen) {
    const area screen{0, 0, 1024, 768};
    const arguments a = parse_arguments({"-", "-", "-", "-", "-", "-", "400", "720"});
    const area w = initial_window(a, screen, {0, 0, 1024, 738});
    EXPECT_EQ(w.width, 720);
    EXPECT_EQ(w.height, 400);
    EXPECT_EQ(w.left, (1024 - 720) / 2);
    EXPECT_EQ(w.top, (768 - 400) / 2);
}

TEST(ViewerGeometry, DefaultSize) {
    const area w =
        initial_window(parse_arguments({"-", "-"}), {0, 0, 1280, 1024}, {0, 0, 1280, 1024});
    EXPECT_EQ(w.width, kDefaultWidth);
    EXPECT_EQ(w.height, kDefaultHeight);
    EXPECT_EQ(w.left, (1280 - kDefaultWidth) / 2);
}

TEST(ViewerGeometry, TallerThanTheWorkAreaIsCutToIt) {
    // The report asks for up to 976 pixels; on a 768-pixel screen the title bar stays visible.
    const arguments a = parse_arguments({"-", "-", "-", "-", "-", "-", "976", "720"});
    const area w = initial_window(a, {0, 0, 1024, 768}, {0, 0, 1024, 738});
    EXPECT_EQ(w.height, 738);
    EXPECT_EQ(w.top, 0);
}

TEST(ViewerGeometry, TinySizesGetAUsableWindow) {
    const arguments a = parse_arguments({"-", "-", "-", "-", "-", "-", "5", "5"});
    const area w = initial_window(a, {0, 0, 1024, 768}, {0, 0, 1024, 768});
    EXPECT_EQ(w.width, kMinimumSize);
    EXPECT_EQ(w.height, kMinimumSize);
}

TEST(ViewerGeometry, WorkAreaOffsetByATaskBarOnTheLeft) {
    const arguments a = parse_arguments({"-", "-", "-", "-", "-", "-", "700", "1000"});
    const area w = initial_window(a, {0, 0, 1024, 768}, {60, 0, 964, 768});
    EXPECT_EQ(w.width, 964);
    EXPECT_EQ(w.left, 60);
}
