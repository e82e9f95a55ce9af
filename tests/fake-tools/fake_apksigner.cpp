// Stand-in for the build tools' apksigner, started by "apksigner.bat":
// "sign --ks KS --ks-key-alias A --ks-pass pass:P|env:NAME [--key-pass ...] --out OUT IN"
// signs IN into OUT with a key of a stand-in keystore; nothing is written when it cannot.
// "verify [--verbose] [--print-certs] APK" answers as the real one does: the APK verifies when
// it ends with its signature line (the knob "apksigner_tamper=1" spoils the APK it signs).
#include "fake_keystore.h"
#include "fake_tool_support.h"

namespace {

std::string password_from(const std::string& source) {
    if (source.rfind("pass:", 0) == 0) return source.substr(5);
    if (source.rfind("env:", 0) == 0) return platform::environment_variable(source.substr(4));
    return "";
}

int fail(const std::string& message) {
    fake::print(message + "\r\n");
    return 1;
}

// A made-up certificate digest, the same for the same alias.
std::string digest_of(const std::string& alias) {
    std::uint64_t h = 1469598103934665603ull;
    std::string hex;
    static const char digits[] = "0123456789abcdef";
    while (hex.size() < 64) {
        for (char c : alias + std::to_string(hex.size()))
            h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        for (int i = 0; i < 16; ++i) hex += digits[(h >> (4 * i)) & 15];
    }
    return hex.substr(0, 64);
}

int verify(const std::vector<std::string>& args) {
    std::string apk;
    if (args.size() < 2 || !platform::read_file(fake::full_path(args.back()), apk))
        return fail("DOES NOT VERIFY\r\nERROR: cannot read " +
                    (args.size() < 2 ? "" : args.back()));
    const std::size_t at = apk.rfind("signed-by=");
    const std::size_t end = apk.size() - 2;
    if (at == std::string::npos || apk.compare(end, 2, "\r\n") != 0 || apk.find("\r\n", at) != end)
        return fail(
            "DOES NOT VERIFY\r\nERROR: APK Signature Scheme v2 signer #1: APK integrity "
            "check failed. CHUNKED_SHA256 digest mismatch.");
    const std::string alias = apk.substr(at + 10, end - at - 10);
    fake::print(
        "Verifies\r\nVerified using v1 scheme (JAR signing): true\r\n"
        "Verified using v2 scheme (APK Signature Scheme v2): true\r\n"
        "Verified using v3 scheme (APK Signature Scheme v3): true\r\n"
        "Verified using v4 scheme (APK Signature Scheme v4): false\r\n"
        "Number of signers: 1\r\nSigner #1 certificate DN: CN=" +
        alias +
        "\r\n"
        "Signer #1 certificate SHA-256 digest: " +
        digest_of(alias) + "\r\n");
    return 0;
}

}  // namespace

int main() {
    const std::vector<std::string> args = fake::arguments();
    if (!args.empty() && args[0] == "verify") return verify(args);
    if (args.empty() || args[0] != "sign") return fail("Usage: apksigner <command> [options]");
    const std::string ks_name = fake::option(args, "--ks");
    const std::string alias = fake::option(args, "--ks-key-alias");
    const std::string store_password = password_from(fake::option(args, "--ks-pass"));
    const std::string key_source = fake::option(args, "--key-pass");
    const std::string key_password =
        key_source.empty() ? store_password : password_from(key_source);
    const std::string out = fake::full_path(fake::option(args, "--out"));
    const std::string in = fake::full_path(args.back());
    fake::keystore ks;
    if (!fake::read_keystore(fake::full_path(ks_name), ks))
        return fail(
            "Failed to load signer \"signer #1\"\r\njava.io.IOException: Invalid keystore "
            "format");
    if (ks.store_password != store_password)
        return fail(
            "Failed to load signer \"signer #1\"\r\njava.io.IOException: Keystore was "
            "tampered with, or password was incorrect");
    const fake::keystore_key* key = ks.find(alias);
    if (!key)
        return fail(
            "Failed to load signer \"signer #1\"\r\njava.lang.IllegalArgumentException: "
            "Keystore does not contain key entry '" +
            alias + "'");
    if (key->password != key_password)
        return fail(
            "Failed to load signer \"signer #1\"\r\njava.security.UnrecoverableKeyException: "
            "Failed to obtain key with alias \"" +
            alias + "\" from " + ks_name + ". Wrong password?");
    std::string apk;
    if (!platform::read_file(in, apk)) return fail("java.nio.file.NoSuchFileException: " + in);
    const std::string spoiled = fake::knob("apksigner_tamper") == "1" ? "tampered" : "";
    if (!platform::write_file(out, apk + "signed-by=" + alias + "\r\n" + spoiled))
        return fail("java.io.IOException: cannot write " + out);
    if (fake::has(args, "--verbose")) fake::print("Signed\r\n");
    return 0;
}
