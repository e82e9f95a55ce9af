// Stand-in for the build tools' apksigner, started by "apksigner.bat":
// "sign --ks KS --ks-key-alias A --ks-pass pass:P|env:NAME [--key-pass ...] --out OUT IN"
// signs IN into OUT with a key of a stand-in keystore; nothing is written when it cannot.
#include "fake_keystore.h"
#include "fake_tool_support.h"

namespace {

std::string password_from(const std::string& spec) {
    if (spec.rfind("pass:", 0) == 0) return spec.substr(5);
    if (spec.rfind("env:", 0) == 0) return platform::environment_variable(spec.substr(4));
    return "";
}

int fail(const std::string& message) {
    fake::print(message + "\r\n");
    return 1;
}

}  // namespace

int main() {
    const std::vector<std::string> args = fake::arguments();
    if (args.empty() || args[0] != "sign") return fail("Usage: apksigner <command> [options]");
    const std::string ks_name = fake::option(args, "--ks");
    const std::string alias = fake::option(args, "--ks-key-alias");
    const std::string store_password = password_from(fake::option(args, "--ks-pass"));
    const std::string key_spec = fake::option(args, "--key-pass");
    const std::string key_password = key_spec.empty() ? store_password : password_from(key_spec);
    const std::string out = fake::full_path(fake::option(args, "--out"));
    const std::string in = fake::full_path(args.back());
    fake::keystore ks;
    if (!fake::read_keystore(fake::full_path(ks_name), ks))
        return fail("Failed to load signer \"signer #1\"\r\njava.io.IOException: Invalid keystore "
                    "format");
    if (ks.store_password != store_password)
        return fail("Failed to load signer \"signer #1\"\r\njava.io.IOException: Keystore was "
                    "tampered with, or password was incorrect");
    const fake::keystore_key* key = ks.find(alias);
    if (!key)
        return fail("Failed to load signer \"signer #1\"\r\njava.lang.IllegalArgumentException: "
                    "Keystore does not contain key entry '" + alias + "'");
    if (key->password != key_password)
        return fail("Failed to load signer \"signer #1\"\r\njava.security.UnrecoverableKeyException: "
                    "Failed to obtain key with alias \"" + alias + "\" from " + ks_name +
                    ". Wrong password?");
    std::string apk;
    if (!platform::read_file(in, apk)) return fail("java.nio.file.NoSuchFileException: " + in);
    if (!platform::write_file(out, apk + "signed-by=" + alias + "\r\n"))
        return fail("java.io.IOException: cannot write " + out);
    if (fake::has(args, "--verbose")) fake::print("Signed\r\n");
    return 0;
}
