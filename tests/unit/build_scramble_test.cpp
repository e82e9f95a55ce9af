#include "core/build/scramble.h"

#include <gtest/gtest.h>

#include <cctype>

using namespace build;

TEST(BuildScramble, ShiftAddsTheRepeatingKeyModulo256) {
    // 'A' (65) + 'P' (80) = 145; the ninth byte is shifted by the first key byte again.
    const std::string shifted = shift_text("AAAAAAAAA", kScrambleKey, +1);
    ASSERT_EQ(shifted.size(), 9u);
    EXPECT_EQ(static_cast<unsigned char>(shifted[0]), 145);
    EXPECT_EQ(static_cast<unsigned char>(shifted[1]), 65 + 'a');
    EXPECT_EQ(static_cast<unsigned char>(shifted[8]), 145);
    // 0xFF + 'P' wraps around.
    EXPECT_EQ(static_cast<unsigned char>(shift_text("\xFF", kScrambleKey, +1)[0]),
              (255 + 80) % 256);
    EXPECT_EQ(static_cast<unsigned char>(shift_text("\x01", kScrambleKey, -1)[0]), 256 + 1 - 80);
}

TEST(BuildScramble, WritesTwoUpperCaseDigitsPerByte) {
    const std::string scrambled = scramble_text("AAAAAAAAA", kScrambleKey);
    EXPECT_EQ(scrambled.substr(0, 4), "91A2");  // 145 = 0x91, 65 + 97 = 162 = 0xA2
    EXPECT_EQ(scrambled.size(), 18u);
    EXPECT_EQ(scrambled.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(scramble_text("", kScrambleKey), "");
    // A byte that shifts to a small value keeps its leading zero.
    const char low[] = {static_cast<char>(256 - 'P' + 5), 0};
    EXPECT_EQ(scramble_text(low, kScrambleKey), "05");
}

TEST(BuildScramble, RoundTripForEveryByteValueAtEveryKeyPosition) {
    for (int offset = 0; offset < 8; ++offset) {
        std::string all(static_cast<std::size_t>(offset), 'x');
        for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
        const std::string scrambled = scramble_text(all, kScrambleKey);
        ASSERT_EQ(scrambled.size(), all.size() * 2);
        EXPECT_EQ(unscramble_text(scrambled, kScrambleKey), all) << "offset " << offset;
    }
}

TEST(BuildScramble, ReadsLowerCaseDigitsAndOddLength) {
    const std::string scrambled = scramble_text("secret", kScrambleKey);
    std::string lower = scrambled;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(unscramble_text(lower, kScrambleKey), "secret");
    // An odd-length value reads its last single digit as one character of that value.
    const std::string odd = unscramble_text(scrambled + "7", kScrambleKey);
    ASSERT_EQ(odd.size(), 7u);
    EXPECT_EQ(odd.substr(0, 6), "secret");
    EXPECT_EQ(static_cast<unsigned char>(odd[6]), (7 + 256 - 'w') % 256);  // seventh key byte
}

TEST(BuildScramble, DamagedPairsReadAsZeroOrTheirLeadingDigit) {
    // "ZZ" starts with no digit: 0; "4G" reads its leading "4".
    const std::string out = unscramble_text("ZZ4G", kScrambleKey);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(out[0]), (0 + 256 - 'P') % 256);
    EXPECT_EQ(static_cast<unsigned char>(out[1]), (4 + 256 - 'a') % 256);
}
