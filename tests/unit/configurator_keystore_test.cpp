#include <gtest/gtest.h>

#include "core/configurator/keystore_creation.h"
#include "core/configurator/keystore_replacement.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"
#include "unit/test_support.h"

using namespace configurator;

TEST(ConfiguratorKeystore, GenkeyCommandWithTheSampleDetails) {
    EXPECT_EQ(genkey_command("keystore.jks", "mykey", "secret12", sample_owner_details()),
              "keytool -genkey -keyalg RSA -keystore keystore.jks -alias mykey -storepass "
              "secret12 -keypass secret12 -validity 10000 -dname \"CN=Jane Sample, "
              "OU=Purchasing, O=Orbel Works Inc., L=Palo Alto, S=California, C=CH\"");
}

TEST(ConfiguratorKeystore, AnEmptyFullNameGivesCnFollowedDirectlyByOu) {
    owner_details d = sample_owner_details();
    d.full_name.clear();
    const std::string command = genkey_command("k.jks", "a", "secret12", d);
    EXPECT_NE(command.find("-dname \"CN=, OU=Purchasing"), std::string::npos) << command;
}

TEST(ConfiguratorKeystore, SpacesAndPercentSignsArePassedSafely) {
    const std::string command =
        genkey_command("my keys.jks", "my key", "50% & more", sample_owner_details());
    EXPECT_NE(command.find("-keystore \"my keys.jks\" -alias \"my key\""), std::string::npos)
        << command;
    EXPECT_NE(command.find("-storepass \"50%% & more\" -keypass \"50%% & more\""),
              std::string::npos)
        << command;
}

TEST(ConfiguratorKeystore, NameSyntaxCharactersAreEscapedInsideTheName) {
    owner_details d = sample_owner_details();
    d.full_name = "Smith, Jane + Co";
    d.organisation_name = "A;B <c> \\d";
    d.country_code = "#1";
    const std::string command = genkey_command("k.jks", "a", "secret12", d);
    EXPECT_NE(command.find("CN=Smith\\, Jane \\+ Co, OU="), std::string::npos) << command;
    EXPECT_NE(command.find("O=A\\;B \\<c\\> \\\\d, L="), std::string::npos) << command;
    EXPECT_NE(command.find("C=\\#1\""), std::string::npos) << command;
}

TEST(ConfiguratorKeystore, ATrailingBackslashDoesNotEscapeTheClosingQuote) {
    owner_details d = sample_owner_details();
    d.country_code = "X\\";
    const std::string command = genkey_command("k.jks", "a", "secret12", d);
    // The escaped backslash (two) is doubled again before the closing quote.
    EXPECT_EQ(command.substr(command.size() - 8), "C=X\\\\\\\\\"");
}

TEST(ConfiguratorKeystore, DetailsThatCannotBePassedAreRefused) {
    owner_details d = sample_owner_details();
    EXPECT_EQ(owner_details_problem(d), "");
    d.city = "Palo \"Alto\"";
    const std::string problem = owner_details_problem(d);
    EXPECT_NE(problem.find("city / locality"), std::string::npos);
    EXPECT_NE(problem.find("double quote"), std::string::npos);
    d = sample_owner_details();
    d.state = "Cali\nfornia";
    EXPECT_NE(owner_details_problem(d).find("line break"), std::string::npos);
}

TEST(ConfiguratorKeystore, DetailsDialogKeepsTrimmedNonEmptyValues) {
    owner_details stored;  // empty at program start
    owner_details typed = sample_owner_details();
    typed.full_name = "   ";
    typed.city = "  Zug ";
    const owner_details kept = merge_owner_details(stored, typed);
    EXPECT_EQ(kept.full_name, "");  // an empty box keeps what was stored
    EXPECT_EQ(kept.city, "Zug");
    EXPECT_EQ(kept.country_code, "CH");

    owner_details second = sample_owner_details();
    second.full_name = "";
    second.city = "";
    const owner_details later = merge_owner_details(kept, second);
    EXPECT_EQ(later.city, "Zug");
    EXPECT_EQ(later.full_name, "");
}

TEST(ConfiguratorKeystore, PathSplitsAtItsLastBackslash) {
    split_path s = split_keystore_path("C:\\Users\\me\\keys\\release");
    EXPECT_EQ(s.folder, "C:\\Users\\me\\keys\\");
    EXPECT_EQ(s.file_name, "release");  // no extension is added
    s = split_keystore_path("plain.jks");
    EXPECT_EQ(s.folder, "");
    EXPECT_EQ(s.file_name, "plain.jks");
}

TEST(ConfiguratorKeystore, Texts) {
    EXPECT_EQ(replace_question("C:\\k.jks"),
              "C:\\k.jks\rA file with this name already exists. Replace ?");
    EXPECT_EQ(creation_failed_text("C:\\k.jks", "keytool error: x"),
              "There was a problem while attempting to create your keystore:\r\"C:\\k.jks\"\r"
              "keytool error: x");
}

TEST(ConfiguratorKeystore, ReplacingKeepsAKeyInPlaceWhateverFails) {
    testing_support::scratch_folder dir;
    const std::string old_key = dir.write("release.jks", "old key");
    dir.write("release.jks.new", "someone's file");
    const std::string staged = staged_keystore_path(old_key);
    EXPECT_EQ(staged, old_key + ".new-2");  // never a name already taken

    // The new keystore is missing: the old one stays where it was.
    EXPECT_FALSE(replace_keystore(old_key, staged).replaced);
    EXPECT_EQ(dir.read("release.jks"), "old key");

    // Both there: they swap, and nothing is left beside them.
    dir.write("release.jks.new-2", "new key");
    EXPECT_TRUE(replace_keystore(old_key, staged).replaced);
    EXPECT_EQ(dir.read("release.jks"), "new key");
    EXPECT_FALSE(platform::file_exists(staged));
    EXPECT_FALSE(platform::file_exists(old_key + ".old"));
    EXPECT_EQ(dir.read("release.jks.new"), "someone's file");
}

TEST(ConfiguratorKeystore, TheNewKeysFingerprintIsReadFromKeytoolsListing) {
    EXPECT_EQ(list_key_command("my keys.jks", "my key", "secret12"),
              "keytool -list -v -keystore \"my keys.jks\" -alias \"my key\" -storepass secret12");
    const std::string sha =
        "ab:cd:ef:01:23:45:67:89:ab:cd:ef:01:23:45:67:89:ab:cd:ef:01:23:45:67:89:ab:cd:ef:01:23:"
        "45:67:89";
    const std::string listing =
        "Alias name: my key\r\nCertificate fingerprints:\r\n\t MD5:  "
        "00:11\r\n\t SHA1: 00:11:22\r\n\t SHA256: " +
        sha + "\r\nSignature algorithm name: SHA256withRSA\r\n";
    EXPECT_EQ(certificate_sha256(listing), text::to_upper_ascii(sha));
    EXPECT_EQ(certificate_sha256("\t SHA256: AB:CD\r\n"), "");  // cut short: no fingerprint
    EXPECT_EQ(certificate_sha256("keytool error: java.io.IOException"), "");
}
