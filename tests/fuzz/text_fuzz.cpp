// The text and encoding helpers over any bytes. UTF-8 decoding always advances and re-encodes
// a valid text to itself; boundaries step forwards and backwards through the same places;
// whatever is shown of stored bytes is valid UTF-8 and stores back as those bytes; line-end
// conversions and line splitting agree; the ASCII case helpers and searches agree with each
// other; a Unicode profile file decodes to the text it was made from, and the POSIX layer's
// profile conversions read any bytes as the programs' own decoders do.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "core/text/encoding.h"
#include "platform/posix/profile_text.h"
#include "core/text/text_helpers.h"
#include "core/text/utf8.h"
#include "fuzz_support.h"

namespace {

void check_utf8(std::string_view bytes) {
    const bool valid = text::is_valid_utf8(bytes);
    std::string again;
    std::vector<std::size_t> forward{0};
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t before = pos;
        text::append_utf8(again, text::next_code_point(bytes, pos));
        fuzz::check(pos > before && pos <= bytes.size(), "decoding did not advance");
        fuzz::check(text::next_boundary(bytes, before) == pos, "boundary and decoding differ");
        forward.push_back(pos);
    }
    fuzz::check(text::is_valid_utf8(again), "re-encoded text is not UTF-8");
    fuzz::check(profile_text::decode_file(profile_text::encode_unicode_file(bytes)) == again,
                "the profile stand-in decodes UTF-8 otherwise than the programs");
    if (valid) fuzz::check(again == bytes, "valid UTF-8 does not re-encode to itself");
    // Backwards through the same boundaries, one by one.
    for (std::size_t i = forward.size() - 1; i > 0; --i)
        fuzz::check(text::previous_boundary(bytes, forward[i]) == forward[i - 1],
                    "backward boundary differs from the forward one");
}

void check_encodings(std::string_view bytes) {
    fuzz::check(text::is_valid_utf8(text::cp1252_to_utf8(bytes)), "Windows-1252 gave bad UTF-8");
    const std::string shown = text::display_text(bytes);
    fuzz::check(text::is_valid_utf8(shown), "shown text is not UTF-8");
    fuzz::check(text::stored_text(shown, bytes) == bytes, "an unedited value stores otherwise");
    fuzz::check(profile_text::decode_file(profile_text::encode_unicode_file(shown)) == shown,
                "Unicode profile file does not decode to its text");
    if (!text::starts_with(bytes, "\xFF\xFE"))
        fuzz::check(profile_text::decode_file(bytes) == text::cp1252_to_utf8(bytes),
                    "the profile stand-in reads Windows-1252 otherwise than the programs");
}

void check_lines(std::string_view bytes) {
    const std::string lf = text::to_lf_text(bytes);
    fuzz::check(lf.find('\r') == std::string::npos, "CR left after the LF conversion");
    std::string joined;
    const std::vector<std::string> lines = text::split_lines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) joined += (i ? "\n" : "") + lines[i];
    fuzz::check(joined == lf, "split lines disagree with the LF conversion");
    const std::string crlf = text::to_crlf_text(lf);
    for (std::size_t at = crlf.find('\n'); at != std::string::npos; at = crlf.find('\n', at + 1))
        fuzz::check(at > 0 && crlf[at - 1] == '\r', "LF without its CR");
    fuzz::check(text::to_lf_text(crlf) == lf, "CR LF round trip changed the text");
}

void check_helpers(std::string_view bytes, std::string_view needle) {
    const std::string spaces = text::trim_spaces(bytes);
    fuzz::check(spaces.empty() || (spaces.front() != ' ' && spaces.back() != ' '), "trim_spaces");
    const std::string blank = text::trim_whitespace(bytes);
    fuzz::check(bytes.find(blank) != std::string_view::npos, "trimmed text not inside its text");
    const std::string upper = text::to_upper_ascii(bytes), lower = text::to_lower_ascii(bytes);
    fuzz::check(upper.size() == bytes.size() && lower.size() == bytes.size(), "case changed size");
    fuzz::check(text::iequals_ascii(upper, lower) && text::iequals_ascii(bytes, upper),
                "case-blind comparison disagrees with the case helpers");
    const std::size_t found = text::ifind(bytes, needle);
    fuzz::check(found == lower.find(text::to_lower_ascii(needle)), "ifind disagrees with find");
    fuzz::check(text::replace_text(bytes, needle, needle) == bytes, "replacing by itself changed");
    const std::string between = text::text_between(bytes, needle, needle);
    fuzz::check(bytes.find(between) != std::string_view::npos, "text_between invented text");
    const std::string folder = text::with_one_trailing_backslash(bytes);
    fuzz::check(folder.ends_with("\\") && !folder.ends_with("\\\\"), "not one trailing backslash");
    text::leading_number(bytes);
    text::clean_file_name(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string needle = input.ConsumeRandomLengthString(8);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    check_utf8(bytes);
    check_encodings(bytes);
    check_lines(bytes);
    check_helpers(bytes, needle);
    return 0;
}
