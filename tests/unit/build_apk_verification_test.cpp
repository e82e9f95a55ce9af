// The verifier's answers as it prints them: CR LF or LF, warnings, a daemon's chatter.
#include <gtest/gtest.h>

#include "core/build/apk_verification.h"

using namespace build;

namespace {

const char kSha[] = "0f3e5b7a11223344556677889900aabbccddeeff00112233445566778899c0de";

struct verifier_case {
    const char* name;
    std::string output;
    bool verifies;
    std::vector<std::string> schemes;
    std::string sha256;
    std::string reason;
};

}  // namespace

TEST(ApkVerification, ReadsWhatTheVerifierSays) {
    const std::string sha_upper =
        "0F3E5B7A11223344556677889900AABBCCDDEEFF00112233445566778899C0DE";
    const std::vector<verifier_case> cases = {
        {"v1 to v3, CR LF, warnings",
         "WARNING: META-INF/com/x.kotlin_module not protected by signature.\r\nVerifies\r\n"
         "Verified using v1 scheme (JAR signing): true\r\n"
         "Verified using v2 scheme (APK Signature Scheme v2): true\r\n"
         "Verified using v3 scheme (APK Signature Scheme v3): true\r\n"
         "Verified using v3.1 scheme (APK Signature Scheme v3.1): false\r\n"
         "Verified using v4 scheme (APK Signature Scheme v4): false\r\n"
         "Verified for SourceStamp: false\r\nNumber of signers: 1\r\n"
         "Signer #1 certificate DN: CN=Jane Sample, O=Verifies: true\r\n"
         "Signer #1 certificate SHA-256 digest: " +
             std::string(kSha) +
             "\r\n"
             "Signer #1 certificate SHA-1 digest: 00112233445566778899aabbccddeeff00112233\r\n",
         true,
         {"v1", "v2", "v3"},
         sha_upper,
         ""},
        {"v1 only, LF",
         "Verifies\nVerified using v1 scheme (JAR signing): true\n",
         true,
         {"v1"},
         "",
         ""},
        {"CR doubled by a console, tabs",
         "\tVerifies\r\r\nVerified using v3 scheme (APK Signature Scheme v3): true\r\r\n",
         true,
         {"v3"},
         "",
         ""},
        {"tampered",
         "DOES NOT VERIFY\r\nERROR: APK Signature Scheme v2 signer #1: APK integrity check failed."
         "\r\nERROR: JAR_SIG_NO_SIGNATURES: No JAR signatures\r\n",
         false,
         {},
         "",
         "APK Signature Scheme v2 signer #1: APK integrity check failed.\rJAR_SIG_NO_SIGNATURES: "
         "No JAR signatures"},
        {"no answer at all",
         "'apksigner' is not recognized as an internal command\r\n",
         false,
         {},
         "",
         ""},
        {"short digest is no fingerprint",
         "Verifies\nSigner #1 certificate SHA-256 digest: abcd\n",
         true,
         {},
         "",
         ""},
    };
    for (const verifier_case& c : cases) {
        const apk_verification v = read_apk_verification(c.output);
        EXPECT_EQ(v.verifies, c.verifies) << c.name;
        EXPECT_EQ(v.schemes, c.schemes) << c.name;
        EXPECT_EQ(v.certificate_sha256, c.sha256) << c.name;
        EXPECT_EQ(v.reason, c.reason) << c.name;
    }
}

TEST(ApkVerification, TellsTheSchemesAndTheCertificateInShort) {
    apk_verification v;
    v.verifies = true;
    v.schemes = {"v1", "v2"};
    v.certificate_sha256 = "0F3E5B7A11223344556677889900AABBCCDDEEFF00112233445566778899C0DE";
    EXPECT_EQ(short_fingerprint(v.certificate_sha256), "0F:3E:5B:7A ... 88:99:C0:DE");
    EXPECT_EQ(verified_signature_text(v),
              "Signature verified (schemes: v1, v2).\rCertificate SHA-256: 0F:3E:5B:7A ... "
              "88:99:C0:DE");
}
