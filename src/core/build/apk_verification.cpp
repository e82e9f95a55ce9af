#include "core/build/apk_verification.h"

#include "core/text/text_helpers.h"

namespace build {
namespace {

constexpr char CR = '\r';

// Around a line: spaces, tabs and the stray CR of a console that doubled it.
std::string trimmed(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return "";
    return std::string(line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1));
}

bool is_hex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string upper_hex(std::string_view text) {
    std::string hex;
    for (char c : text) {
        if (!is_hex(c)) continue;
        hex += (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return hex;
}

// "Verified using v2 scheme (APK Signature Scheme v2): true" gives "v2".
std::string verified_scheme(std::string_view line) {
    constexpr std::string_view prefix = "Verified using ";
    if (line.substr(0, prefix.size()) != prefix) return "";
    const std::size_t colon = line.rfind(':');
    if (colon == std::string_view::npos || trimmed(line.substr(colon + 1)) != "true") return "";
    const std::string_view rest = line.substr(prefix.size());
    const std::size_t space = rest.find(' ');
    const std::string_view scheme = rest.substr(0, space);
    return scheme.size() >= 2 && scheme[0] == 'v' ? std::string(scheme) : "";
}

}  // namespace

apk_verification read_apk_verification(std::string_view output) {
    apk_verification v;
    bool refused = false;
    for (const std::string& raw : text::split_lines(output)) {
        const std::string line = trimmed(raw);
        if (line == "Verifies") v.verifies = true;
        if (line == "DOES NOT VERIFY") refused = true;
        if (line.rfind("ERROR: ", 0) == 0)
            v.reason += (v.reason.empty() ? "" : "\r") + line.substr(7);
        const std::string scheme = verified_scheme(line);
        if (!scheme.empty()) v.schemes.push_back(scheme);
        constexpr std::string_view digest = "Signer #1 certificate SHA-256 digest:";
        if (v.certificate_sha256.empty() && line.rfind(digest, 0) == 0) {
            const std::string hex = upper_hex(line.substr(digest.size()));
            if (hex.size() == 64) v.certificate_sha256 = hex;
        }
    }
    if (refused) v.verifies = false;
    return v;
}

std::string short_fingerprint(std::string_view sha256_hex) {
    const std::string hex = upper_hex(sha256_hex);
    if (hex.size() < 16) return hex;
    auto bytes = [](std::string_view run) {
        std::string out;
        for (std::size_t i = 0; i + 1 < run.size(); i += 2)
            out += (out.empty() ? "" : ":") + std::string(run.substr(i, 2));
        return out;
    };
    return bytes(std::string_view(hex).substr(0, 8)) + " ... " +
           bytes(std::string_view(hex).substr(hex.size() - 8));
}

std::string verified_signature_text(const apk_verification& v) {
    std::string schemes;
    for (const std::string& s : v.schemes) schemes += (schemes.empty() ? "" : ", ") + s;
    std::string text =
        "Signature verified (schemes: " + (schemes.empty() ? "none" : schemes) + ").";
    if (!v.certificate_sha256.empty())
        text +=
            std::string(1, CR) + "Certificate SHA-256: " + short_fingerprint(v.certificate_sha256);
    return text;
}

std::string unverified_apk_message(const apk_verification& v, std::string_view log) {
    return std::string("The APK was signed but does not verify:") + CR +
           (v.reason.empty() ? std::string("the verifier gave no reason.") : v.reason) + CR + CR +
           "It was not put in the project folder." + CR + CR +
           "Do you want to read the verifier's whole answer ?" + CR +
           "(you can always find it later in" + CR + std::string(log) + ")";
}

}  // namespace build
