// The signing identity read back from BuildAPK.bat, the keystore dialog's checks and the
// judgement of the alias check.
#include <gtest/gtest.h>

#include "core/build/ant_properties.h"
#include "core/build/compile_batch_text.h"
#include "core/build/compile_identity.h"
#include "platform/platform.h"
#include "unit/test_support.h"

using namespace build;
using testing_support::scratch_folder;

namespace {

class BatchIdentity : public testing::Test {
protected:
    void SetUp() override {
        project_ = scratch_.path() + "my project\\";
        platform::make_directories(project_);
        tools_.jdk_path = "C:\\jdk";
        tools_.android_sdk_path = "C:\\sdk";
        tools_.build_tools_path = "C:\\sdk\\build-tools\\23.0.3";
        tools_.ant_path = "C:\\ant";
        tools_.api_target_id = 2;
    }
    // A batch as "Create batch" writes it, naming a properties file and a keystore.
    void write_batch(const std::string& properties, const std::string& keystore) {
        platform::write_file(project_ + "BuildAPK.bat",
                             compile_batch_text(tools_, properties, keystore, "notes", "N1.apk"));
    }

    scratch_folder scratch_;
    std::string project_;
    tool_config tools_;
};

}  // namespace

TEST_F(BatchIdentity, NoBatchMeansAbsent) {
    EXPECT_EQ(read_identity_from_batch(project_).kind, batch_identity_kind::absent);
}

TEST_F(BatchIdentity, ReadsKeystoreAliasAndPasswordBack) {
    const std::string keystore = scratch_.write("keys with space\\release.jks", "K");
    const std::string properties = scratch_.write(
        "temp\\vexlo.ant.properties", ant_properties_text(keystore, "my=alias", "pa:ss#1"));
    write_batch(properties, keystore);
    const identity_from_batch read = read_identity_from_batch(project_);
    ASSERT_EQ(read.kind, batch_identity_kind::usable);
    EXPECT_EQ(read.identity.keystore_file, keystore);
    EXPECT_EQ(read.identity.alias, "my=alias");
    EXPECT_EQ(read.identity.password, "pa:ss#1");
}

TEST_F(BatchIdentity, VanishedKeystoreOrPropertiesMakeTheBatchUnusable) {
    const std::string properties =
        scratch_.write("temp\\vexlo.ant.properties", ant_properties_text("k.jks", "a", "p"));
    write_batch(properties, scratch_.path() + "keys\\gone.jks");
    EXPECT_EQ(read_identity_from_batch(project_).kind, batch_identity_kind::vanished);

    const std::string keystore = scratch_.write("keys\\k.jks", "K");
    write_batch(scratch_.path() + "temp\\gone.properties", keystore);
    EXPECT_EQ(read_identity_from_batch(project_).kind, batch_identity_kind::vanished);
}

TEST_F(BatchIdentity, HandEditedBatchWithoutCopyLinesIsLeftAlone) {
    platform::write_file(project_ + "BuildAPK.bat",
                         "set JAVA_HOME=C:\\jdk\r\ncall ant release\r\n");
    EXPECT_EQ(read_identity_from_batch(project_).kind, batch_identity_kind::absent);
    EXPECT_TRUE(platform::file_exists(project_ + "BuildAPK.bat"));
}

TEST(KeystoreEntry, RejectsEmptyValuesEvenWhenConfirmationIsEmptyToo) {
    EXPECT_EQ(check_keystore_entry("alias", "", "").verdict, entry_verdict::empty);
    EXPECT_EQ(check_keystore_entry("", "pw", "pw").verdict, entry_verdict::empty);
    EXPECT_EQ(check_keystore_entry("", "pw", "pw").message,
              "You need to specify non-empty Alias and Password");
}

TEST(KeystoreEntry, ComparesPasswordAndConfirmationExactly) {
    const entry_check c = check_keystore_entry("alias", "Secret", "secret");
    EXPECT_EQ(c.verdict, entry_verdict::mismatch);
    EXPECT_EQ(c.message, "Passwords don't match");
    EXPECT_EQ(check_keystore_entry("alias", "Secret", "Secret").verdict, entry_verdict::accepted);
}

TEST(KeystoreEntry, RefusesValuesThatCannotReachTheToolsIntact) {
    const entry_check quote = check_keystore_entry("alias", "pa\"ss", "pa\"ss");
    EXPECT_EQ(quote.verdict, entry_verdict::unsafe);
    EXPECT_NE(quote.message.find("double quote"), std::string::npos) << quote.message;
    EXPECT_EQ(check_keystore_entry("al\"ias", "pw", "pw").verdict, entry_verdict::unsafe);
    // Ordinary shell characters are quoted and escaped, not refused.
    EXPECT_EQ(check_keystore_entry("my key", "a&b|c<d>e%f", "a&b|c<d>e%f").verdict,
              entry_verdict::accepted);
}

TEST(KeystoreEntry, PromptDependsOnTheMode) {
    EXPECT_EQ(keystore_prompt(0), "Please enter the Alias and Password for this keystore:");
    EXPECT_EQ(keystore_prompt(1),
              "The Alias and/or Password provided are incorrect for this keystore, try again:");
}

TEST(AliasCheck, OnlyTamperedWithMeansTheKeystoreDoesNotFit) {
    EXPECT_EQ(judge_alias_check({run_status::finished,
                                 "keytool error: java.io.IOException: Keystore was tampered "
                                 "with, or password was incorrect"}),
              alias_check::does_not_fit);
    EXPECT_EQ(judge_alias_check({run_status::finished, "keytool error: Alias <x> does not exist"}),
              alias_check::fits);
    EXPECT_EQ(judge_alias_check({run_status::finished, ""}), alias_check::fits);
}

TEST(AliasCheck, RunThatCouldNotHappenIsNotAPass) {
    for (run_status s :
         {run_status::cannot_write, run_status::cannot_start, run_status::cancelled}) {
        const run_outcome outcome{s, std::string(status_word(s))};
        EXPECT_EQ(judge_alias_check(outcome), alias_check::not_checked);
        EXPECT_FALSE(alias_check_failed_message(outcome).empty());
    }
}

TEST(AliasCheck, FolderLiesInTheTemporaryFolder) {
    EXPECT_EQ(alias_check_folder("C:\\Users\\me\\Temp", "42"),
              "C:\\Users\\me\\Temp\\vexlo-keystore-check-42\\");
}

TEST(KeystoreQuestion, OffersTheConfiguredKeystore) {
    EXPECT_EQ(keystore_question(),
              "Use current Apkwright keystore ?\r\rIf you choose \"No\" you will be directed to "
              "select another\rkeystore and provide its Alias and Password.");
}
