#pragma once
// The UTF-8 steps shared by the text helpers and the HTML engine: decoding one code point,
// appending one, and moving between code point boundaries inside a text run.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace text {

// Decodes the code point at text[pos] and advances pos past it. A malformed byte yields
// U+FFFD and advances by one, so every loop over a text ends.
std::uint32_t next_code_point(std::string_view text, std::size_t& pos);
void append_utf8(std::string& out, std::uint32_t code_point);
// The start of the code point after (or before) the boundary at pos.
std::size_t next_boundary(std::string_view text, std::size_t pos);
std::size_t previous_boundary(std::string_view text, std::size_t pos);

}  // namespace text
