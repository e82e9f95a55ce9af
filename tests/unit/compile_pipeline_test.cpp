// The in-app compile and clean, driven with a host that plays the tools by writing the files
// the real ones leave behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/build/compile_pipeline.h"
#include "platform/platform.h"
#include "unit/test_support.h"

using namespace build;
using testing_support::scratch_folder;

namespace {

enum class ant_outcome { signed_apk, unsigned_apk, javac_fails };

class playing_host : public build_host {
public:
    ant_outcome outcome = ant_outcome::signed_apk;
    bool signer_accepts = true;
    bool verifier_accepts = true;
    std::string verifier_answer;
    int cancel_at_run = -1;  // the run during which the user presses Cancel
    run_status fail_status = run_status::finished;
    int fail_at_run = -1;
    std::vector<std::string> lines;
    std::vector<std::string> folders;
    std::vector<build_step> steps;
    std::vector<std::vector<batch_variable>> variables;
    bool properties_present_during_release = false;
    bool keystore_copy_present_during_release = false;
    std::string project;

    run_outcome run(const batch_command& command, const std::string& folder) override {
        const int index = static_cast<int>(lines.size());
        lines.push_back(command.line);
        folders.push_back(folder);
        variables.push_back(command.variables);
        if (index == fail_at_run) return {fail_status, std::string(status_word(fail_status))};
        if (index == cancel_at_run) {
            cancelled_ = true;
            return {run_status::cancelled, std::string(kResultCancelled)};
        }
        verifier_answer = "output";
        play(command.line, folder);
        return {run_status::finished, verifier_answer};
    }
    void show_step(build_step step) override { steps.push_back(step); }
    bool cancelled() const override { return cancelled_; }

private:
    void play(const std::string& line, const std::string& folder) {
        if (line.rfind("call android update project", 0) == 0) {
            platform::write_file(folder + "build.xml", "<project name=\"notes\"/>");
        } else if (line == "call ant clean") {
            platform::remove_file(folder + "bin\\notes-release.apk");
            platform::remove_file(folder + "bin\\notes-release-unsigned.apk");
        } else if (line.rfind("call ant release", 0) == 0) {
            properties_present_during_release = platform::file_exists(folder + "ant.properties");
            keystore_copy_present_during_release = platform::file_exists(folder + "release.jks");
            platform::make_directories(folder + "bin");
            platform::write_file(folder + "ant_log.txt", "log");
            if (outcome == ant_outcome::signed_apk)
                platform::write_file(folder + "bin\\notes-release.apk", "APK");
            else if (outcome == ant_outcome::unsigned_apk)
                platform::write_file(folder + "bin\\notes-release-unsigned.apk", "APK");
        } else if (line.rfind("call zipalign", 0) == 0) {
            platform::copy_file(folder + "unsigned.apk", folder + "aligned.apk");
        } else if (line.rfind("call apksigner verify", 0) == 0) {
            verifier_answer = verifier_accepts ? "Verifies\r\nVerified using v2 scheme (APK "
                                                 "Signature Scheme v2): true\r\n"
                                               : "DOES NOT VERIFY\r\nERROR: digest mismatch\r\n";
        } else if (line.rfind("call apksigner", 0) == 0) {
            EXPECT_TRUE(platform::file_exists(folder + "cert.jks"));
            if (signer_accepts) platform::copy_file(folder + "aligned.apk", folder + "signed.apk");
        }
    }
    bool cancelled_ = false;
};

class CompilePipeline : public testing::Test {
protected:
    void SetUp() override {
        inputs_.project_folder = scratch_.path() + "project\\";
        platform::make_directories(inputs_.project_folder);
        inputs_.app_name = " Notes ";
        inputs_.package_name = "com.example.notes";
        inputs_.version_code = "12";
        inputs_.api_target_id = 3;
        inputs_.identity = {scratch_.write("keys\\release.jks", "KEYSTORE"), "admin", "secret"};
        inputs_.ant_properties_source =
            scratch_.write("temp\\vexlo.ant.properties", "key.store=release.jks\r\n");
    }
    bool exists(const std::string& relative) const {
        return platform::file_exists(inputs_.project_folder + relative);
    }

    scratch_folder scratch_;
    build_inputs inputs_;
    playing_host host_;
};

}  // namespace

TEST_F(CompilePipeline, NamesTheApkAfterAppNameAndVersionCode) {
    EXPECT_EQ(in_app_apk_name(inputs_), "Notes12.apk");
    EXPECT_EQ(final_apk_path(inputs_), inputs_.project_folder + "Notes12.apk");
    EXPECT_EQ(work_folder(inputs_), inputs_.project_folder + ".avlo\\");
}

TEST_F(CompilePipeline, SignedBuildRunsEveryToolInOrderAndLeavesOnlyTheApk) {
    platform::write_file(inputs_.project_folder + "ant_log.txt", "an old log");
    EXPECT_EQ(compile_project(inputs_, host_), result_signed);
    const std::vector<std::string> expected = {
        "call android update project --name notes --target 3 --path .",
        "call ant clean",
        "call ant release -logfile ant_log.txt",
        "call zipalign -p -f -v 4 unsigned.apk aligned.apk",
        "call apksigner sign --verbose --ks cert.jks --ks-key-alias admin --ks-pass pass:secret "
        "--out signed.apk aligned.apk",
        "call apksigner verify --verbose --print-certs signed.apk",
        "call ant clean"};
    EXPECT_EQ(host_.lines, expected);
    const std::string avlo = inputs_.project_folder + ".avlo\\";
    EXPECT_EQ(host_.folders,
              (std::vector<std::string>{inputs_.project_folder, inputs_.project_folder,
                                        inputs_.project_folder, avlo, avlo, avlo,
                                        inputs_.project_folder}));
    EXPECT_EQ(host_.steps,
              (std::vector<build_step>{build_step::compile_started, build_step::updating,
                                       build_step::cleaning, build_step::compiling,
                                       build_step::signing, build_step::cleaning}));
    EXPECT_TRUE(host_.properties_present_during_release);
    EXPECT_TRUE(host_.keystore_copy_present_during_release);
    EXPECT_TRUE(exists("Notes12.apk"));
    EXPECT_FALSE(exists(".avlo"));
    EXPECT_FALSE(exists("ant.properties"));
    EXPECT_FALSE(exists("release.jks"));
    EXPECT_TRUE(exists("ant_log.txt"));  // the new one; the window deletes it on success
    std::string log;
    platform::read_file(inputs_.project_folder + "ant_log.txt", log);
    EXPECT_EQ(log, "log");
    EXPECT_TRUE(platform::file_exists(inputs_.identity.keystore_file));
}

TEST_F(CompilePipeline, UnsignedOutputOfAntAlsoReachesTheSigningStep) {
    host_.outcome = ant_outcome::unsigned_apk;
    EXPECT_EQ(compile_project(inputs_, host_), result_signed);
    EXPECT_TRUE(exists("Notes12.apk"));
    EXPECT_EQ(apk_to_select(inputs_), final_apk_path(inputs_));
}

TEST_F(CompilePipeline, RefusedSignatureLeavesTheUnsignedApkInTheWorkFolder) {
    host_.signer_accepts = false;
    platform::write_file(inputs_.project_folder + "Notes12.apk", "an older build");
    EXPECT_EQ(compile_project(inputs_, host_), result_unsigned_only);
    EXPECT_FALSE(exists("Notes12.apk"));
    EXPECT_TRUE(exists(".avlo\\unsigned.apk"));
    EXPECT_EQ(apk_to_select(inputs_), inputs_.project_folder + ".avlo\\unsigned.apk");
    EXPECT_FALSE(exists(".avlo\\cert.jks"));
    EXPECT_FALSE(exists(".avlo\\aligned.apk"));
    EXPECT_TRUE(exists("ant_log.txt"));
}

TEST_F(CompilePipeline, ApkTheVerifierRefusesIsAnOutcomeOfItsOwnAndStaysInTheWorkFolder) {
    host_.verifier_accepts = false;
    platform::write_file(inputs_.project_folder + "Notes12.apk", "an older build");
    apk_verification verification;
    EXPECT_EQ(compile_project(inputs_, host_, &verification), result_unverified);
    EXPECT_FALSE(verification.verifies);
    EXPECT_EQ(verification.reason, "digest mismatch");
    EXPECT_FALSE(exists("Notes12.apk"));
    EXPECT_TRUE(exists(".avlo\\signed.apk"));
    EXPECT_EQ(apk_to_select(inputs_), inputs_.project_folder + ".avlo\\signed.apk");
    std::string log;
    ASSERT_TRUE(platform::read_file(inputs_.project_folder + ".avlo\\" + kVerifyLog, log));
    EXPECT_EQ(log, "DOES NOT VERIFY\r\nERROR: digest mismatch\r\n");

    // The next build that verifies puts its APK in place.
    host_.verifier_accepts = true;
    EXPECT_EQ(compile_project(inputs_, host_, &verification), result_signed);
    EXPECT_EQ(verification.schemes, std::vector<std::string>{"v2"});
    EXPECT_TRUE(exists("Notes12.apk"));
}

TEST_F(CompilePipeline, JavacFailureSkipsSigningAndKeepsTheLog) {
    host_.outcome = ant_outcome::javac_fails;
    EXPECT_EQ(compile_project(inputs_, host_), result_no_apk);
    EXPECT_EQ(host_.lines.size(), 4u);  // update, clean, release, clean
    EXPECT_EQ(host_.lines.back(), "call ant clean");
    EXPECT_TRUE(exists("ant_log.txt"));
    EXPECT_FALSE(exists(".avlo\\unsigned.apk"));
    EXPECT_FALSE(exists("ant.properties"));
}

TEST_F(CompilePipeline, CancelDuringCompilingTakesNoFurtherStepAndRemovesTheCopies) {
    host_.cancel_at_run = 2;  // "ant release"
    EXPECT_EQ(compile_project(inputs_, host_), result_cancelled);
    EXPECT_EQ(host_.lines.size(), 3u);
    EXPECT_EQ(host_.steps.back(), build_step::compiling);
    EXPECT_FALSE(exists("ant.properties"));
    EXPECT_FALSE(exists("release.jks"));
    EXPECT_FALSE(exists(".avlo"));
}

TEST_F(CompilePipeline, CancelDuringSigningStopsBeforeTheFinalClean) {
    host_.cancel_at_run = 3;  // zipalign
    EXPECT_EQ(compile_project(inputs_, host_), result_cancelled);
    EXPECT_EQ(host_.lines.size(), 4u);
    EXPECT_FALSE(exists("Notes12.apk"));
}

TEST_F(CompilePipeline, UnwritableFolderAndUnstartableInterpreterEndClearly) {
    host_.fail_at_run = 0;
    host_.fail_status = run_status::cannot_write;
    EXPECT_EQ(compile_project(inputs_, host_), result_cannot_write);
    EXPECT_EQ(host_.lines.size(), 1u);
    EXPECT_FALSE(exists("ant.properties"));

    playing_host second;
    second.fail_at_run = 1;
    second.fail_status = run_status::cannot_start;
    EXPECT_EQ(compile_project(inputs_, second), result_cannot_start);
    EXPECT_EQ(second.lines.size(), 2u);
}

TEST_F(CompilePipeline, MissingProjectFolderCannotTakeTheCopies) {
    inputs_.project_folder = scratch_.path() + "gone\\";
    EXPECT_EQ(compile_project(inputs_, host_), result_cannot_write);
    EXPECT_TRUE(host_.lines.empty());
}

TEST_F(CompilePipeline, KeystoreInsideTheProjectIsNeverReplacedNorDeleted) {
    inputs_.identity.keystore_file = scratch_.write("project\\release.jks", "THE ONLY COPY");
    EXPECT_EQ(compile_project(inputs_, host_), result_signed);
    std::string kept;
    ASSERT_TRUE(platform::read_file(inputs_.identity.keystore_file, kept));
    EXPECT_EQ(kept, "THE ONLY COPY");
}

TEST_F(CompilePipeline, PasswordWithCommandCharactersTravelsInAVariable) {
    inputs_.identity.password = "p&ss w%rd";
    EXPECT_EQ(compile_project(inputs_, host_), result_signed);
    const auto& signer = host_.lines[4];
    EXPECT_EQ(signer.find("p&ss"), std::string::npos) << signer;
    ASSERT_EQ(host_.variables[4].size(), 1u);
    EXPECT_EQ(host_.variables[4][0].value, "p&ss w%rd");
}

TEST_F(CompilePipeline, CleanUpdatesThenCleans) {
    EXPECT_EQ(clean_project(inputs_, host_), result_signed);
    EXPECT_EQ(host_.lines, (std::vector<std::string>{
                               "call android update project --name notes --target 3 --path .",
                               "call ant clean"}));
    EXPECT_EQ(host_.steps, std::vector<build_step>{build_step::clean_started});
}

TEST_F(CompilePipeline, PackageWithoutDotIsTheWholeAntName) {
    inputs_.package_name = "notes";
    EXPECT_EQ(compile_project(inputs_, host_), result_signed);
    EXPECT_EQ(host_.lines[0], "call android update project --name notes --target 3 --path .");
}
