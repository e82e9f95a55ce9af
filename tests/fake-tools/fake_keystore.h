#pragma once
// The stand-in keystore: a small text file of our own with a store password and keys, each
// with an alias and a key password. Passwords are stored as hexadecimal text so that any
// character survives.
#include <string>
#include <vector>

#include "platform/platform.h"

namespace fake {

struct keystore_key {
    std::string alias;
    std::string password;
};

struct keystore {
    std::string store_password;
    std::vector<keystore_key> keys;

    keystore_key* find(const std::string& alias) {
        for (keystore_key& k : keys)
            if (k.alias == alias) return &k;
        return nullptr;
    }
};

inline constexpr const char* kKeystoreMagic = "FAKE-KEYSTORE 1";

inline std::string to_hex(const std::string& text) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

inline std::string from_hex(const std::string& hex) {
    auto value = [](char c) { return c <= '9' ? c - '0' : c - 'A' + 10; };
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(value(hex[i]) * 16 + value(hex[i + 1]));
    return out;
}

inline std::string keystore_text(const keystore& ks) {
    std::string out =
        std::string(kKeystoreMagic) + "\r\nstorepass=" + to_hex(ks.store_password) + "\r\n";
    for (const keystore_key& k : ks.keys)
        out += "key=" + to_hex(k.alias) + ":" + to_hex(k.password) + "\r\n";
    return out;
}

// False when the file is missing or is not a stand-in keystore.
inline bool read_keystore(const std::string& path, keystore& ks) {
    std::string text;
    if (!platform::read_file(path, text) || text.rfind(kKeystoreMagic, 0) != 0) return false;
    ks = {};
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("storepass=", 0) == 0) ks.store_password = from_hex(line.substr(10));
        if (line.rfind("key=", 0) == 0) {
            const std::size_t colon = line.find(':');
            ks.keys.push_back(
                {from_hex(line.substr(4, colon - 4)), from_hex(line.substr(colon + 1))});
        }
        at = end + 1;
    }
    return true;
}

inline bool write_keystore(const std::string& path, const keystore& ks) {
    return platform::write_file(path, keystore_text(ks));
}

// The messages the signing tools print, as the JDK words them.
inline constexpr const char* kTamperedWith =
    "keytool error: java.io.IOException: Keystore was tampered with, or password was incorrect";
inline constexpr const char* kCannotRecoverKey =
    "keytool error: java.security.UnrecoverableKeyException: Cannot recover key";

}  // namespace fake
