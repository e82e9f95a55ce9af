#pragma once
// Shared pieces of the libFuzzer harnesses: a failed invariant stops the run with a message
// (libFuzzer then keeps the input as a crash), and a private scratch folder per process for
// harnesses whose code reads files.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Prints what broke and aborts, so libFuzzer records the input.
[[noreturn]] void fail(const char* what, std::string_view detail = {});
inline void check(bool ok, const char* what, std::string_view detail = {}) {
    if (!ok) fail(what, detail);
}

// The input as text.
inline std::string_view as_text(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input cut at every separator; there is always at least one piece.
std::vector<std::string_view> split(std::string_view input, std::string_view separator);

// A folder of this process below the temporary folder (platform spelling, with a trailing
// backslash), emptied on each call and removed at exit.
const std::string& fresh_scratch_folder();

}  // namespace fuzz
