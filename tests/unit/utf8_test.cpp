#include "core/text/utf8.h"

#include <gtest/gtest.h>

#include <string>

TEST(Utf8, DecodesAndWalksBoundaries) {
    const std::string bytes =
        "a\xC3\xA9\xE2\x82\xAC"
        "b";
    std::size_t pos = 0;
    EXPECT_EQ(text::next_code_point(bytes, pos), 'a');
    EXPECT_EQ(text::next_code_point(bytes, pos), 0xE9u);
    EXPECT_EQ(text::next_code_point(bytes, pos), 0x20ACu);
    EXPECT_EQ(pos, 6u);
    EXPECT_EQ(text::next_boundary(bytes, 1), 3u);
    EXPECT_EQ(text::previous_boundary(bytes, 6), 3u);
    EXPECT_EQ(text::previous_boundary(bytes, 3), 1u);
}

TEST(Utf8, MalformedBytesAdvanceOneAtATime) {
    const std::string bytes =
        "\xC3"
        "A\xFF\xE2\x82";
    std::size_t pos = 0;
    EXPECT_EQ(text::next_code_point(bytes, pos), 0xFFFDu);
    EXPECT_EQ(pos, 1u);
    EXPECT_EQ(text::next_code_point(bytes, pos), 'A');
    EXPECT_EQ(text::next_code_point(bytes, pos), 0xFFFDu);
    EXPECT_EQ(text::next_code_point(bytes, pos), 0xFFFDu);  // truncated at the end
    EXPECT_EQ(pos, 4u);
    std::string out;
    text::append_utf8(out, 0xD800);
    EXPECT_EQ(out, "\xEF\xBF\xBD");
}

TEST(Utf8, AppendsEveryLength) {
    std::string out;
    for (std::uint32_t cp : {0x41u, 0xE9u, 0x20ACu, 0x1F600u}) text::append_utf8(out, cp);
    EXPECT_EQ(out, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    std::size_t pos = 0;
    for (std::uint32_t cp : {0x41u, 0xE9u, 0x20ACu, 0x1F600u})
        EXPECT_EQ(text::next_code_point(out, pos), cp);
    EXPECT_EQ(pos, out.size());
}
