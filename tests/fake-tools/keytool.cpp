// Stand-in for the JDK's keytool: "-changealias" renames a key of a stand-in keystore after
// checking the store and key passwords; "-genkey" creates a keystore with one key; "-list -v"
// prints a key's certificate fingerprints.
#include "fake_keystore.h"
#include "fake_tool_support.h"

namespace {

int fail(const std::string& message) {
    fake::print(message + "\r\n");
    return 1;
}

int change_alias(const std::vector<std::string>& args) {
    const std::string file = fake::full_path(fake::option(args, "-keystore"));
    const std::string alias = fake::option(args, "-alias");
    const std::string destination = fake::option(args, "-destalias");
    const std::string store_password = fake::option(args, "-storepass");
    const std::string key_password = fake::option(args, "-keypass");
    if (!platform::file_exists(file))
        return fail("keytool error: java.lang.Exception: Keystore file does not exist: " + file);
    fake::keystore ks;
    if (!fake::read_keystore(file, ks))
        return fail("keytool error: java.io.IOException: Invalid keystore format");
    if (ks.store_password != store_password) return fail(fake::kTamperedWith);
    fake::keystore_key* key = ks.find(alias);
    if (!key)
        return fail("keytool error: java.lang.Exception: Alias <" + alias + "> does not exist");
    if (key->password != key_password) return fail(fake::kCannotRecoverKey);
    if (ks.find(destination))
        return fail("keytool error: java.lang.Exception: Alias <" + destination +
                    "> already exists");
    key->alias = destination;
    fake::write_keystore(file, ks);
    return 0;
}

int generate_key(const std::vector<std::string>& args) {
    const std::string file = fake::full_path(fake::option(args, "-keystore"));
    const std::string alias = fake::option(args, "-alias");
    const std::string store_password = fake::option(args, "-storepass");
    std::string key_password = fake::option(args, "-keypass");
    if (key_password.empty()) key_password = store_password;
    if (store_password.size() < 6)
        return fail(
            "keytool error: java.lang.Exception: Keystore password must be at least 6 "
            "characters");
    fake::keystore ks;
    if (platform::file_exists(file)) {
        if (!fake::read_keystore(file, ks))
            return fail("keytool error: java.io.IOException: Invalid keystore format");
        if (ks.store_password != store_password) return fail(fake::kTamperedWith);
        if (ks.find(alias))
            return fail("keytool error: java.lang.Exception: Key pair not generated, alias <" +
                        alias + "> already exists");
    } else {
        ks.store_password = store_password;
    }
    ks.keys.push_back({alias, key_password});
    if (!fake::write_keystore(file, ks))
        return fail("keytool error: java.io.FileNotFoundException: " + file +
                    " (Access is denied)");
    return 0;
}

int list_key(const std::vector<std::string>& args) {
    fake::keystore ks;
    if (!fake::read_keystore(fake::full_path(fake::option(args, "-keystore")), ks))
        return fail("keytool error: java.io.IOException: Invalid keystore format");
    if (ks.store_password != fake::option(args, "-storepass")) return fail(fake::kTamperedWith);
    const std::string alias = fake::option(args, "-alias");
    if (!ks.find(alias))
        return fail("keytool error: java.lang.Exception: Alias <" + alias + "> does not exist");
    // A made-up fingerprint, the same for the same alias.
    std::string sha;
    unsigned value = 2166136261u;
    for (int i = 0; i < 32; ++i) {
        for (char c : alias) value = (value ^ static_cast<unsigned char>(c)) * 16777619u;
        value = value * 16777619u + static_cast<unsigned>(i);
        static const char digits[] = "0123456789ABCDEF";
        sha += std::string(i ? ":" : "") + digits[(value >> 4) & 15] + digits[value & 15];
    }
    fake::print("Alias name: " + alias +
                "\r\nEntry type: PrivateKeyEntry\r\n"
                "Certificate fingerprints:\r\n\t MD5:  00:11:22:33\r\n\t SHA1: 00:11:22:33:44\r\n"
                "\t SHA256: " +
                sha + "\r\nSignature algorithm name: SHA256withRSA\r\n");
    return 0;
}

}  // namespace

int main() {
    const std::vector<std::string> args = fake::arguments();
    fake::delay_from_knob("keytool_delay_ms");
    if (fake::has(args, "-changealias")) return change_alias(args);
    if (fake::has(args, "-genkey") || fake::has(args, "-genkeypair")) return generate_key(args);
    if (fake::has(args, "-list")) return list_key(args);
    return fail("keytool error: java.lang.RuntimeException: Usage error, no command provided");
}
