#pragma once
// What the build tools' verifier says of a signed APK ("apksigner verify --verbose
// --print-certs"): whether it verifies, which signature schemes it carries and which
// certificate signed it, and the texts that tell the user.
#include <string>
#include <string_view>
#include <vector>

namespace build {

struct apk_verification {
    bool verifies = false;
    std::vector<std::string> schemes;  // "v1", "v2", "v3" ... in the verifier's order
    std::string certificate_sha256;    // the first signer's, upper-case hex; "" when not printed
    std::string reason;                // the verifier's ERROR lines, joined with CR
};

// Reads the verifier's output (CR LF or LF, with warnings and other noise around it).
apk_verification read_apk_verification(std::string_view output);

// "AB:CD:EF:01 ... 23:45:67:89": the first and last four bytes of a fingerprint.
std::string short_fingerprint(std::string_view sha256_hex);

// Added after the success message: the schemes present and the certificate's fingerprint.
std::string verified_signature_text(const apk_verification& verification);
// The APK was signed but does not verify: the verifier's reason and where its whole output is.
std::string unverified_apk_message(const apk_verification& verification, std::string_view log);

}  // namespace build
