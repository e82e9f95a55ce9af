#pragma once
// The reversible scrambling of the keystore alias and password in the tool configuration file.
// It hides the values from a casual look, nothing more: anyone with the key can undo it.
#include <string>
#include <string_view>

namespace build {

// The key both programs use for the configuration file.
inline constexpr std::string_view kScrambleKey = "PaZ%k9w4";

// Shifts every byte by the code of the matching key byte (the key repeats), forwards for
// direction +1 and backwards for -1, modulo 256. The result has as many bytes as the text.
std::string shift_text(std::string_view text, std::string_view key, int direction);
// Shifts forwards and writes each byte as two upper-case hexadecimal digits.
std::string scramble_text(std::string_view text, std::string_view key);
// Reads the hexadecimal pairs back (a final single digit stands alone; a pair that does not
// start with a hexadecimal digit reads as 0) and shifts backwards.
std::string unscramble_text(std::string_view hex_text, std::string_view key);

}  // namespace build
