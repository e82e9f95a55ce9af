#include <gtest/gtest.h>

#include "core/configurator/api_targets.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"
#include "test_support.h"

using namespace configurator;

namespace {

std::string output_of(const char* name) {
    std::string bytes;
    EXPECT_TRUE(
        platform::read_file(testing_support::fixture(std::string("configurator\\") + name), bytes))
        << name;
    return bytes;
}

// The same output with the line ends the tool prints on Windows.
std::string crlf(const std::string& text) {
    return text::to_crlf_text(text);
}

std::vector<std::string> descriptions(const std::vector<api_target>& targets) {
    std::vector<std::string> out;
    for (const api_target& t : targets) out.push_back(t.description);
    return out;
}

std::vector<int> ids(const std::vector<api_target>& targets) {
    std::vector<int> out;
    for (const api_target& t : targets) out.push_back(t.id);
    return out;
}

}  // namespace

TEST(ConfiguratorTargets, PlatformsAreKeptAddOnsSkippedWithTwoSpacesBeforeTheLevel) {
    const std::string out = output_of("platforms_addons_preview.txt");
    const std::vector<api_target> targets = parse_api_targets(out);
    EXPECT_EQ(ids(targets), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(descriptions(targets),
              (std::vector<std::string>{"Android 4.1.2 (API  16)", "Android 6.0 (API  23)",
                                        "Android N (Preview) (API  N)"}));
}

TEST(ConfiguratorTargets, CrLfAndLfGiveTheSameTargets) {
    for (const char* name : {"platforms_addons_preview.txt", "one_platform_17_addon_19.txt",
                             "platforms_16_and_19.txt", "entry_without_level.txt"}) {
        const std::string lf = output_of(name);
        ASSERT_EQ(lf.find('\r'), std::string::npos) << name;
        const std::vector<api_target> a = parse_api_targets(lf);
        const std::vector<api_target> b = parse_api_targets(crlf(lf));
        EXPECT_FALSE(a.empty()) << name;
        EXPECT_EQ(ids(a), ids(b)) << name;
        EXPECT_EQ(descriptions(a), descriptions(b)) << name;
        for (const std::string& d : descriptions(b)) EXPECT_EQ(d.find('\r'), std::string::npos);
    }
}

TEST(ConfiguratorTargets, DoubledCarriageReturnsOfATextModeConsoleAreLineEndsToo) {
    const std::string lf = output_of("platforms_16_and_19.txt");
    const std::string doubled = text::replace_text(lf, "\n", "\r\r\n");
    EXPECT_EQ(descriptions(parse_api_targets(doubled)), descriptions(parse_api_targets(lf)));
    EXPECT_EQ(ids(parse_api_targets(doubled)), (std::vector<int>{1, 2}));
    // Blanks after the dashes do not hide an entry either.
    EXPECT_EQ(parse_api_targets("---------- \r\nid: 5 or \"android-21\"\r\n Name: Android "
                                "5.0.1\r\n API level: 21\r\n")
                  .size(),
              1u);
}

TEST(ConfiguratorTargets, AnEntryMissingItsNameOrLevelIsSkippedWithoutReadingIntoTheNext) {
    const std::vector<api_target> targets =
        parse_api_targets(crlf(output_of("entry_without_level.txt")));
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(targets[0].id, 3);
    EXPECT_EQ(targets[0].description, "Android 7.0 (API  24)");
}

TEST(ConfiguratorTargets, NoTargetsAndOddOutputsGiveNoEntries) {
    EXPECT_TRUE(parse_api_targets(output_of("no_targets.txt")).empty());
    EXPECT_TRUE(parse_api_targets("").empty());
    EXPECT_TRUE(parse_api_targets("**ERROR WRITING**").empty());
    EXPECT_TRUE(parse_api_targets("'android' is not recognized as an internal or external "
                                  "command,\r\noperable program or batch file.")
                    .empty());
    // An id line without " or ", with a short hash or without a number is no entry.
    EXPECT_TRUE(parse_api_targets("----------\nid: 1 \"android-23\"\n Name: Android 6.0\n API "
                                  "level: 23\n")
                    .empty());
    EXPECT_TRUE(parse_api_targets("----------\nid: 1 or \"andr\"\n Name: Android 6.0\n API "
                                  "level: 23\n")
                    .empty());
    EXPECT_TRUE(parse_api_targets("----------\nid: x or \"android-23\"\n Name: Android 6.0\n API "
                                  "level: 23\n")
                    .empty());
    // The output may end right after the marker.
    EXPECT_TRUE(parse_api_targets("----------\nid: ").empty());
}

TEST(ConfiguratorTargets, ALevelLineWithoutItsLineEndEndsTheOutput) {
    const std::vector<api_target> targets = parse_api_targets(
        "----------\r\nid: 7 or \"android-19\"\r\n     Name: Android 4.4.2\r\n"
        "     API level: 19");
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(targets[0].id, 7);
    EXPECT_EQ(targets[0].description, "Android 4.4.2 (API  19)");
}

TEST(ConfiguratorTargets, ApiLevelOkOnDescriptions) {
    const std::vector<api_target> none;
    EXPECT_TRUE(api_level_ok("Android 4.3 (API  18)", none));
    EXPECT_TRUE(api_level_ok("Android 6.0 (API  23)", none));
    EXPECT_FALSE(api_level_ok("Android 4.2.2 (API  17)", none));
    EXPECT_FALSE(api_level_ok("Android N (Preview) (API  N)", none));  // a preview letter
    EXPECT_FALSE(api_level_ok("**ERROR WRITING**", none));
    EXPECT_FALSE(api_level_ok("Android 6.0 (API ", none));
    EXPECT_TRUE(api_level_ok("Android 6.0 (API 23", none));  // no closing bracket
}

TEST(ConfiguratorTargets, EmptyDescriptionAsksAllTargets) {
    const std::vector<api_target> low = parse_api_targets(output_of("platforms_14_and_16.txt"));
    const std::vector<api_target> mixed = parse_api_targets(output_of("platforms_16_and_19.txt"));
    const std::vector<api_target> preview = {{4, "Android N (Preview) (API  N)"},
                                             {1, "Android 4.1.2 (API  16)"}};
    EXPECT_FALSE(api_level_ok("", low));
    EXPECT_TRUE(api_level_ok("", mixed));
    EXPECT_FALSE(api_level_ok("", preview));
    EXPECT_FALSE(api_level_ok("", {}));
}

TEST(ConfiguratorTargets, RoundedNumberReadsLikeTheOldConversion) {
    EXPECT_EQ(rounded_number("  23"), 23);
    EXPECT_EQ(rounded_number("18.5"), 19);
    EXPECT_EQ(rounded_number("18.4"), 18);
    EXPECT_EQ(rounded_number("N"), 0);
    EXPECT_EQ(rounded_number(""), 0);
    EXPECT_EQ(rounded_number("-3"), -3);
    EXPECT_EQ(rounded_number("12abc"), 12);
    EXPECT_EQ(rounded_number("-2.7"), -3);
    EXPECT_EQ(rounded_number("-0.5"), -1);
    EXPECT_EQ(rounded_number("7 .9"), 7);  // the decimals must follow the digits
    EXPECT_EQ(rounded_number("9."), 9);
}

TEST(ConfiguratorTargets, FindTargetTakesTheFirstWithTheId) {
    const std::vector<api_target> targets = {{2, "a"}, {5, "b"}, {5, "c"}};
    ASSERT_NE(find_target(targets, 5), nullptr);
    EXPECT_EQ(find_target(targets, 5)->description, "b");
    EXPECT_EQ(find_target(targets, 3), nullptr);
}
