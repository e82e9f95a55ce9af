#include "core/build/tool_commands.h"

#include <gtest/gtest.h>

using namespace build;

TEST(BuildToolCommands, ChangeAliasForOrdinaryValues) {
    EXPECT_EQ(changealias_command("mykey", "s3cret"),
              "keytool -changealias -keystore tmpkeystore -alias mykey -destalias apkwrightadmin "
              "-storepass s3cret -keypass s3cret");
}

TEST(BuildToolCommands, ChangeAliasQuotesWhatCmdWouldActOn) {
    EXPECT_EQ(changealias_command("my key", "a&calc|b>c^%"),
              "keytool -changealias -keystore tmpkeystore -alias \"my key\" -destalias "
              "apkwrightadmin -storepass \"a&calc|b>c^%%\" -keypass \"a&calc|b>c^%%\"");
    EXPECT_EQ(changealias_command("k", "p", "C:\\Temp\\vx check\\copy"),
              "keytool -changealias -keystore \"C:\\Temp\\vx check\\copy\" -alias k -destalias "
              "apkwrightadmin -storepass p -keypass p");
}

TEST(BuildToolCommands, ZipalignAndUpdateProject) {
    EXPECT_EQ(zipalign_command(), "call zipalign -p -f -v 4 unsigned.apk aligned.apk");
    EXPECT_EQ(update_project_command("myapp", 3),
              "call android update project --name myapp --target 3 --path .");
    EXPECT_EQ(update_project_command("a&b", 12),
              "call android update project --name \"a&b\" --target 12 --path .");
}

TEST(BuildToolCommands, ApksignerForOrdinaryValues) {
    const batch_command c = apksigner_command("mykey", "s3cret!");
    EXPECT_EQ(c.line,
              "call apksigner sign --verbose --ks cert.jks --ks-key-alias mykey --ks-pass "
              "pass:s3cret! --out signed.apk aligned.apk");
    EXPECT_TRUE(c.variables.empty());
}

TEST(BuildToolCommands, ApksignerTakesADifficultPasswordFromTheEnvironment) {
    for (const char* pw : {"a&b", "50%", "sp ace", "x^y", "p<w>", "caf\xC3\xA9", "a=b"}) {
        const batch_command c = apksigner_command("my key", pw);
        EXPECT_EQ(c.line,
                  "call apksigner sign --verbose --ks cert.jks --ks-key-alias \"my key\" "
                  "--ks-pass env:VEXLO_KS_PASS --out signed.apk aligned.apk")
            << pw;
        ASSERT_EQ(c.variables.size(), 1u);
        EXPECT_EQ(c.variables[0].name, "VEXLO_KS_PASS");
        EXPECT_EQ(c.variables[0].value, pw);
        EXPECT_EQ(c.line.find(pw), std::string::npos) << pw;
    }
}

TEST(BuildToolCommands, PercentOnACallLineIsWrittenForTwoExpansions) {
    EXPECT_NE(apksigner_command("a%b", "p").line.find("--ks-key-alias a%%%%b "), std::string::npos);
}

TEST(BuildToolCommands, SigningValuesThatCannotPassAreRefusedWithAMessage) {
    EXPECT_EQ(signing_values_problem("mykey", "p&ss %w0rd^"), "");
    EXPECT_EQ(signing_values_problem("my key", "caf\xC3\xA9"), "");
    EXPECT_EQ(signing_values_problem("mykey", "pass\"word"),
              "The Password cannot contain a double quote (\").\r"
              "It is handed to the signing tools on a command line, where it would not arrive "
              "intact.");
    EXPECT_EQ(signing_values_problem("my\"key", "p"),
              "The Alias cannot contain a double quote (\").\r"
              "It is handed to the signing tools on a command line, where it would not arrive "
              "intact.");
    EXPECT_NE(signing_values_problem("a^b", "p").find("The Alias cannot contain a caret (^)."),
              std::string::npos);
    EXPECT_NE(
        signing_values_problem("100%", "p").find("The Alias cannot contain a percent sign (%)."),
        std::string::npos);
    EXPECT_NE(signing_values_problem("a", "two\nlines").find("a line break"), std::string::npos);
}
