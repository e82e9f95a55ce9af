// Reading "Vexlo.cfg" and unscrambling the keystore values. The input is the file as stored
// (ANSI or UTF-16LE, any bytes). Reading ends with states that agree with what was read;
// unscrambling undoes scrambling; and writing a key, as the configurator does, reads back as
// written, leaves every other key of the section as it read before, and is the same file when
// done a second time.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "core/build/scramble.h"
#include "core/build/tool_config_reader.h"
#include "platform/posix/profile_text.h"
#include "core/text/text_helpers.h"
#include "fuzz_support.h"
#include "platform/platform.h"

using namespace build;

namespace {

constexpr const char* kKeys[] = {"jdk_path",       "android_sdk_path", "build_tools_path",
                                 "api_target_id",  "ant_path",         "keystore_path",
                                 "keystore_alias", "keystore_password"};

void check_states(const tool_config& c) {
    fuzz::check(
        c.sdk_state >= -1 && c.sdk_state <= 1 && c.keystore_state >= -1 && c.keystore_state <= 1,
        "state out of range");
    if (c.keystore_state == 1)
        fuzz::check(
            !c.keystore_path.empty() && !c.keystore_alias.empty() && !c.keystore_password.empty(),
            "keystore ready without its values");
    if (c.sdk_state == 1)
        fuzz::check(!c.android_sdk_path.empty() && c.api_target_id > 0, "SDK ready without SDK");
    if (c.keystore_path.empty())
        fuzz::check(c.keystore_alias.empty() && c.keystore_password.empty(),
                    "alias read without a keystore");
    for (const std::string* path :
         {&c.jdk_path, &c.android_sdk_path, &c.ant_path, &c.keystore_path, &c.build_tools_path})
        fuzz::check(path->empty() || (path->front() != ' ' && path->back() != ' '),
                    "path with spaces around it", *path);
}

void check_scrambling(std::string_view value) {
    const std::string clear = unscramble_text(value, kScrambleKey);
    fuzz::check(clear.size() == (value.size() + 1) / 2, "unscrambled size");
    fuzz::check(unscramble_text(scramble_text(value, kScrambleKey), kScrambleKey) == value,
                "scrambling does not undo");
    bool upper_hex_pairs = value.size() % 2 == 0;
    for (char c : value) upper_hex_pairs &= (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
    if (upper_hex_pairs)
        fuzz::check(scramble_text(clear, kScrambleKey) == value, "hex does not scramble back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::size_t written_key = input.ConsumeIntegralInRange<std::size_t>(0, 7);
    const std::string secret = input.ConsumeBytesAsString(input.ConsumeIntegralInRange(0, 40));
    const std::string file = input.ConsumeRemainingBytesAsString();

    const std::string& folder = fuzz::fresh_scratch_folder();
    const std::string path = folder + "Vexlo.cfg";
    platform::write_file(path, file);
    check_states(read_tool_config(path, folder));

    std::string before[std::size(kKeys)];
    for (std::size_t k = 0; k < std::size(kKeys); ++k) {
        before[k] = profile_text::read_value(file, "Config", kKeys[k]);
        fuzz::check(before[k] == platform::profile_read(path, "Config", kKeys[k]),
                    "the platform reads otherwise");
        check_scrambling(text::trim_spaces(before[k]));
    }

    // The configurator writes scrambled values: hexadecimal digits only.
    const std::string value = scramble_text(secret, kScrambleKey);
    const std::string after = profile_text::write_value(file, "Config", kKeys[written_key], value);
    for (std::size_t k = 0; k < std::size(kKeys); ++k) {
        const std::string read = profile_text::read_value(after, "Config", kKeys[k]);
        if (k == written_key)
            fuzz::check(read == value, "written value reads otherwise", read);
        else
            fuzz::check(read == before[k], "writing one key changed another", kKeys[k]);
    }
    fuzz::check(profile_text::write_value(after, "Config", kKeys[written_key], value) == after,
                "writing the same value again changed the file");
    return 0;
}
